#include "astro/DeltaT.h"

#include "astro/JulianDate.h"

namespace {

// Delta-T in tenths of a second for the even years 1620, 1622, ... (entry i is the year
// 1620 + 2i). 1620-1992 as tabulated by Meeus, Astronomical Algorithms, chapter 10.
// 1994-2024 are the observed values of TT - UT1 at January 1 of each year, rounded to 0.1 s,
// from the IERS/USNO series (maia.usno.navy.mil/ser7/deltat.data).
constexpr int kTable[] = {
    // 1620-1638
    1240, 1150, 1060, 980, 910, 850, 790, 740, 700, 650,
    // 1640-1658
    620, 580, 550, 530, 500, 480, 460, 440, 420, 400,
    // 1660-1678
    370, 350, 330, 310, 280, 260, 240, 220, 200, 180,
    // 1680-1698
    160, 140, 130, 120, 110, 100, 90, 90, 90, 90,
    // 1700-1718
    90, 90, 90, 90, 100, 100, 100, 100, 100, 110,
    // 1720-1738
    110, 110, 110, 110, 110, 110, 110, 120, 120, 120,
    // 1740-1758
    120, 120, 130, 130, 130, 130, 140, 140, 140, 150,
    // 1760-1778
    150, 150, 150, 160, 160, 160, 160, 160, 170, 170,
    // 1780-1798
    170, 170, 170, 170, 170, 170, 160, 160, 150, 140,
    // 1800-1818
    137, 131, 127, 125, 125, 125, 125, 125, 125, 123,
    // 1820-1838
    120, 114, 106, 96, 86, 75, 66, 60, 57, 56,
    // 1840-1858
    57, 59, 62, 65, 68, 71, 73, 75, 77, 78,
    // 1860-1878
    79, 75, 64, 54, 29, 16, -10, -27, -36, -47,
    // 1880-1898
    -54, -52, -55, -56, -58, -59, -62, -64, -61, -47,
    // 1900-1918
    -27, 0, 26, 54, 77, 105, 134, 160, 182, 202,
    // 1920-1938
    212, 224, 235, 239, 243, 240, 239, 239, 237, 240,
    // 1940-1958
    243, 253, 262, 273, 282, 291, 300, 307, 314, 322,
    // 1960-1978
    331, 340, 350, 365, 383, 402, 422, 445, 465, 485,
    // 1980-1992
    505, 522, 538, 549, 558, 569, 583,
    // 1994-2024, observed (IERS/USNO)
    600, 616, 630, 638, 643, 646, 648, 655, 661, 666, 673, 681, 690, 694, 693, 692,
};
constexpr int kCount = sizeof kTable / sizeof kTable[0];
constexpr double kFirstYear = 1620.0;
constexpr double kLastYear = kFirstYear + 2.0 * (kCount - 1);
static_assert(kLastYear == 2024.0, "one entry per even year from 1620");

// Long-term parabola of Delta-T (Morrison and Stephenson): -20 + 32 u^2 s, u = (y - 1820)/100.
double LongTermParabola(double y)
{
    double u = (y - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u;
}

// Beyond the table the last observed value is carried on and eased into the long-term
// parabola over this many years (a smooth step with zero slope at both ends), so that the
// next few decades stay close to today's value and the far future follows the parabola.
constexpr double kBlendYears = 176.0;

double BeyondTable(double y)
{
    const double last = kTable[kCount - 1] * 0.1;
    double x = (y - kLastYear) / kBlendYears;
    if (x >= 1.0)
        return LongTermParabola(y);
    double s = x * x * (3.0 - 2.0 * x);
    return last + (LongTermParabola(y) - last) * s;
}

} // namespace

// Delta-T in seconds: polynomials before 1620 (Meeus, chapter 10), linear interpolation in
// the table of even years from 1620 on, and the blend above after the last tabulated year.
double DeltaT(const JulianDate& jd)
{
    double t = jd.CenturiesSinceJ2000(JulianDate::kUniversal);
    double y = 100.0 * t + 2000.0;
    if (y != y)
        return 0.0; // an instant that is not a number
    if (y > kLastYear)
        return BeyondTable(y);
    if (y < 948.0)
        return 2715.6 + 573.36 * t + 46.5 * t * t;
    if (y < kFirstYear)
        return 50.6 + 67.5 * t + 22.5 * t * t;
    int i = static_cast<int>((y - kFirstYear) * 0.5);
    if (i > kCount - 2)
        i = kCount - 2;
    return (kTable[i] + (kTable[i + 1] - kTable[i]) * (y * 0.5 - i - 810.0)) * 0.1;
}
