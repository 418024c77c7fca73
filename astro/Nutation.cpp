#include "astro/Nutation.h"

#include "astro/AstroConstants.h"

#include "astro/TrigSeries.h"
#include "framework/stream/StateReset.h"

#include <cmath>
#include <cstdint>

namespace {


// One term of the IAU 1980 nutation series: the multiples of the Moon's mean anomaly M',
// the Sun's mean anomaly M, the Moon's argument of latitude F, the mean elongation D and the
// longitude of the Moon's ascending node Omega; then the longitude (sine) coefficient and its
// rate per century and the obliquity (cosine) coefficient and its rate, in 0.0001".
struct NutationTerm {
    std::int8_t mp, m, f, d, om;
    double psi, psiT, eps, epsT;
};

// The 106 terms in the order of their publication (Seidelmann 1982; Explanatory Supplement
// to the Astronomical Almanac, 1992, table 3.222.1), the 18.6-year term first.
constexpr NutationTerm kTerms[] = {
    // M'  M   F   D  Om      dpsi     rate     deps   rate
    { 0,  0,  0,  0,  1, -171996.0, -174.2, 92025.0,  8.9},
    { 0,  0,  0,  0,  2,    2062.0,    0.2,  -895.0,  0.5},
    {-2,  0,  2,  0,  1,      46.0,    0.0,   -24.0,  0.0},
    { 2,  0, -2,  0,  0,      11.0,    0.0,     0.0,  0.0},
    {-2,  0,  2,  0,  2,      -3.0,    0.0,     1.0,  0.0},
    { 1, -1,  0, -1,  0,      -3.0,    0.0,     0.0,  0.0},
    { 0, -2,  2, -2,  1,      -2.0,    0.0,     1.0,  0.0},
    { 2,  0, -2,  0,  1,       1.0,    0.0,     0.0,  0.0},
    { 0,  0,  2, -2,  2,  -13187.0,   -1.6,  5736.0, -3.1},
    { 0,  1,  0,  0,  0,    1426.0,   -3.4,    54.0, -0.1},
    { 0,  1,  2, -2,  2,    -517.0,    1.2,   224.0, -0.6},
    { 0, -1,  2, -2,  2,     217.0,   -0.5,   -95.0,  0.3},
    { 0,  0,  2, -2,  1,     129.0,    0.1,   -70.0,  0.0},
    { 2,  0,  0, -2,  0,      48.0,    0.0,     1.0,  0.0},
    { 0,  0,  2, -2,  0,     -22.0,    0.0,     0.0,  0.0},
    { 0,  2,  0,  0,  0,      17.0,   -0.1,     0.0,  0.0},
    { 0,  1,  0,  0,  1,     -15.0,    0.0,     9.0,  0.0},
    { 0,  2,  2, -2,  2,     -16.0,    0.1,     7.0,  0.0},
    { 0, -1,  0,  0,  1,     -12.0,    0.0,     6.0,  0.0},
    {-2,  0,  0,  2,  1,      -6.0,    0.0,     3.0,  0.0},
    { 0, -1,  2, -2,  1,      -5.0,    0.0,     3.0,  0.0},
    { 2,  0,  0, -2,  1,       4.0,    0.0,    -2.0,  0.0},
    { 0,  1,  2, -2,  1,       4.0,    0.0,    -2.0,  0.0},
    { 1,  0,  0, -1,  0,      -4.0,    0.0,     0.0,  0.0},
    { 2,  1,  0, -2,  0,       1.0,    0.0,     0.0,  0.0},
    { 0,  0, -2,  2,  1,       1.0,    0.0,     0.0,  0.0},
    { 0,  1, -2,  2,  0,      -1.0,    0.0,     0.0,  0.0},
    { 0,  1,  0,  0,  2,       1.0,    0.0,     0.0,  0.0},
    {-1,  0,  0,  1,  1,       1.0,    0.0,     0.0,  0.0},
    { 0,  1,  2, -2,  0,      -1.0,    0.0,     0.0,  0.0},
    { 0,  0,  2,  0,  2,   -2274.0,   -0.2,   977.0, -0.5},
    { 1,  0,  0,  0,  0,     712.0,    0.1,    -7.0,  0.0},
    { 0,  0,  2,  0,  1,    -386.0,   -0.4,   200.0,  0.0},
    { 1,  0,  2,  0,  2,    -301.0,    0.0,   129.0, -0.1},
    { 1,  0,  0, -2,  0,    -158.0,    0.0,    -1.0,  0.0},
    {-1,  0,  2,  0,  2,     123.0,    0.0,   -53.0,  0.0},
    { 0,  0,  0,  2,  0,      63.0,    0.0,    -2.0,  0.0},
    { 1,  0,  0,  0,  1,      63.0,    0.1,   -33.0,  0.0},
    {-1,  0,  0,  0,  1,     -58.0,   -0.1,    32.0,  0.0},
    {-1,  0,  2,  2,  2,     -59.0,    0.0,    26.0,  0.0},
    { 1,  0,  2,  0,  1,     -51.0,    0.0,    27.0,  0.0},
    { 0,  0,  2,  2,  2,     -38.0,    0.0,    16.0,  0.0},
    { 2,  0,  0,  0,  0,      29.0,    0.0,    -1.0,  0.0},
    { 1,  0,  2, -2,  2,      29.0,    0.0,   -12.0,  0.0},
    { 2,  0,  2,  0,  2,     -31.0,    0.0,    13.0,  0.0},
    { 0,  0,  2,  0,  0,      26.0,    0.0,    -1.0,  0.0},
    {-1,  0,  2,  0,  1,      21.0,    0.0,   -10.0,  0.0},
    {-1,  0,  0,  2,  1,      16.0,    0.0,    -8.0,  0.0},
    { 1,  0,  0, -2,  1,     -13.0,    0.0,     7.0,  0.0},
    {-1,  0,  2,  2,  1,     -10.0,    0.0,     5.0,  0.0},
    { 1,  1,  0, -2,  0,      -7.0,    0.0,     0.0,  0.0},
    { 0,  1,  2,  0,  2,       7.0,    0.0,    -3.0,  0.0},
    { 0, -1,  2,  0,  2,      -7.0,    0.0,     3.0,  0.0},
    { 1,  0,  2,  2,  2,      -8.0,    0.0,     3.0,  0.0},
    { 1,  0,  0,  2,  0,       6.0,    0.0,     0.0,  0.0},
    { 2,  0,  2, -2,  2,       6.0,    0.0,    -3.0,  0.0},
    { 0,  0,  0,  2,  1,      -6.0,    0.0,     3.0,  0.0},
    { 0,  0,  2,  2,  1,      -7.0,    0.0,     3.0,  0.0},
    { 1,  0,  2, -2,  1,       6.0,    0.0,    -3.0,  0.0},
    { 0,  0,  0, -2,  1,      -5.0,    0.0,     3.0,  0.0},
    { 1, -1,  0,  0,  0,       5.0,    0.0,     0.0,  0.0},
    { 2,  0,  2,  0,  1,      -5.0,    0.0,     3.0,  0.0},
    { 0,  1,  0, -2,  0,      -4.0,    0.0,     0.0,  0.0},
    { 1,  0, -2,  0,  0,       4.0,    0.0,     0.0,  0.0},
    { 0,  0,  0,  1,  0,      -4.0,    0.0,     0.0,  0.0},
    { 1,  1,  0,  0,  0,      -3.0,    0.0,     0.0,  0.0},
    { 1,  0,  2,  0,  0,       3.0,    0.0,     0.0,  0.0},
    { 1, -1,  2,  0,  2,      -3.0,    0.0,     1.0,  0.0},
    {-1, -1,  2,  2,  2,      -3.0,    0.0,     1.0,  0.0},
    {-2,  0,  0,  0,  1,      -2.0,    0.0,     1.0,  0.0},
    { 3,  0,  2,  0,  2,      -3.0,    0.0,     1.0,  0.0},
    { 0, -1,  2,  2,  2,      -3.0,    0.0,     1.0,  0.0},
    { 1,  1,  2,  0,  2,       2.0,    0.0,    -1.0,  0.0},
    {-1,  0,  2, -2,  1,      -2.0,    0.0,     1.0,  0.0},
    { 2,  0,  0,  0,  1,       2.0,    0.0,    -1.0,  0.0},
    { 1,  0,  0,  0,  2,      -2.0,    0.0,     1.0,  0.0},
    { 3,  0,  0,  0,  0,       2.0,    0.0,     0.0,  0.0},
    { 0,  0,  2,  1,  2,       2.0,    0.0,    -1.0,  0.0},
    {-1,  0,  0,  0,  2,       1.0,    0.0,    -1.0,  0.0},
    { 1,  0,  0, -4,  0,      -1.0,    0.0,     0.0,  0.0},
    {-2,  0,  2,  2,  2,       1.0,    0.0,    -1.0,  0.0},
    {-1,  0,  2,  4,  2,      -2.0,    0.0,     1.0,  0.0},
    { 2,  0,  0, -4,  0,      -1.0,    0.0,     0.0,  0.0},
    { 1,  1,  2, -2,  2,       1.0,    0.0,    -1.0,  0.0},
    { 1,  0,  2,  2,  1,      -1.0,    0.0,     1.0,  0.0},
    {-2,  0,  2,  4,  2,      -1.0,    0.0,     1.0,  0.0},
    {-1,  0,  4,  0,  2,       1.0,    0.0,     0.0,  0.0},
    { 1, -1,  0, -2,  0,       1.0,    0.0,     0.0,  0.0},
    { 2,  0,  2, -2,  1,       1.0,    0.0,    -1.0,  0.0},
    { 2,  0,  2,  2,  2,      -1.0,    0.0,     0.0,  0.0},
    { 1,  0,  0,  2,  1,      -1.0,    0.0,     0.0,  0.0},
    { 0,  0,  4, -2,  2,       1.0,    0.0,     0.0,  0.0},
    { 3,  0,  2, -2,  2,       1.0,    0.0,     0.0,  0.0},
    { 1,  0,  2, -2,  0,      -1.0,    0.0,     0.0,  0.0},
    { 0,  1,  2,  0,  1,       1.0,    0.0,     0.0,  0.0},
    {-1, -1,  0,  2,  1,       1.0,    0.0,     0.0,  0.0},
    { 0,  0, -2,  0,  1,      -1.0,    0.0,     0.0,  0.0},
    { 0,  0,  2, -1,  2,      -1.0,    0.0,     0.0,  0.0},
    { 0,  1,  0,  2,  0,      -1.0,    0.0,     0.0,  0.0},
    { 1,  0, -2, -2,  0,      -1.0,    0.0,     0.0,  0.0},
    { 0, -1,  2,  0,  1,      -1.0,    0.0,     0.0,  0.0},
    { 1,  1,  0, -2,  1,      -1.0,    0.0,     0.0,  0.0},
    { 1,  0, -2,  2,  0,      -1.0,    0.0,     0.0,  0.0},
    { 2,  0,  0,  2,  0,       1.0,    0.0,     0.0,  0.0},
    { 0,  0,  2,  4,  2,      -1.0,    0.0,     0.0,  0.0},
    { 0,  1,  0,  1,  0,       1.0,    0.0,     0.0,  0.0},
};
static_assert(sizeof kTerms / sizeof kTerms[0] == 106, "the IAU 1980 series has 106 terms");

} // namespace

Nutation SharedNutation;

namespace {
const fw::StateReset resetSharedNutation{[] { SharedNutation.Reset(); }};
} // namespace

// Mean obliquity of the ecliptic, Laskar (1986) as given by Meeus, Astronomical Algorithms,
// chapter 22; U in units of 10000 Julian years of dynamical time from J2000.0.
Angle ObliquityOfEcliptic(const JulianDate& jd)
{
    constexpr double kEpsilon0 = 23.4392911; // degrees
    if (jd == JulianDate(JulianDate::kJ2000, JulianDate::kJulianDay))
        return Angle(kEpsilon0, Angle::kDegrees);
    double u = jd.CenturiesSinceJ2000(JulianDate::kDynamical) * 0.01;
    static const double coefficients[] = {-4680.93, -1.55, 1999.25, -51.38, -249.67,
                                          -39.05, 7.12, 27.87, 5.79, 2.45};
    double sum = 0.0;
    double power = u;
    for (double c : coefficients) {
        sum += c * power;
        power *= u;
    }
    return Angle(kEpsilon0 + sum / 3600.0, Angle::kDegrees);
}

// IAU 1980 nutation; fundamental arguments of Meeus, Astronomical Algorithms, chapter 22
// (degrees, t in Julian centuries of dynamical time since J2000.0); results in radians.
void Nutation::Evaluate(double t, double& dpsi, double& deps)
{
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double d = (297.85036 + 445267.1148 * t - 0.0019142 * t2 + t3 * 5.277768981496142e-6) * astro::kRadiansPerDegree;
    const double m = (357.52772 + 35999.05034 * t - 0.0001603 * t2 - t3 * 3.3333333333333333e-6) * astro::kRadiansPerDegree;
    const double mp = (134.96298 + 477198.867398 * t + 0.0086972 * t2 + t3 / 56250.0) * astro::kRadiansPerDegree;
    const double f = (93.27191 + 483202.017538 * t - 0.0036825 * t2 + t3 / 327270.0) * astro::kRadiansPerDegree;
    const double om = (125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 / 450000.0) * astro::kRadiansPerDegree;

    constexpr std::size_t kCount = sizeof kTerms / sizeof kTerms[0];
    double arg[kCount], sines[kCount], cosines[kCount];
    for (std::size_t i = 0; i < kCount; ++i) {
        const NutationTerm& term = kTerms[i];
        arg[i] = term.mp * mp + term.m * m + term.f * f + term.d * d + term.om * om;
    }
    SinesAndCosines(arg, kCount, sines, cosines);
    double sumPsi = 0.0;
    double sumEps = 0.0;
    for (std::size_t i = 0; i < kCount; ++i) {
        const NutationTerm& term = kTerms[i];
        sumPsi += sines[i] * (term.psi + term.psiT * t);
        sumEps += cosines[i] * (term.eps + term.epsT * t);
    }
    dpsi = sumPsi * 0.0001 * astro::kRadiansPerArcsecond;
    deps = sumEps * 0.0001 * astro::kRadiansPerArcsecond;
}

Nutation::Nutation(const JulianDate& jd)
{
    Compute(jd);
}

void Nutation::Compute(const JulianDate& jd)
{
    double dpsi, deps;
    Evaluate(jd.CenturiesSinceJ2000(JulianDate::kDynamical16), dpsi, deps);
    date_ = jd;
    longitude_ = Angle(dpsi);
    obliquity_ = Angle(deps);
    ++evaluations_;
}

void Nutation::Update(const JulianDate& jd)
{
    if (jd != date_)
        Compute(jd);
}

Angle Nutation::Longitude(const JulianDate& jd)
{
    Update(jd);
    return longitude_;
}

Angle Nutation::Obliquity(const JulianDate& jd)
{
    Update(jd);
    return obliquity_;
}

Angle Nutation::RightAscension(const JulianDate& jd)
{
    Update(jd);
    return Angle(longitude_.Radians() * std::cos(ObliquityOfEcliptic(jd).Radians() + obliquity_.Radians()));
}
