#include "astro/Pluto.h"

#include "astro/RectCoord.h"
#include "astro/SignedStreamRecord.h"
#include "astro/TrigSeries.h"
#include "framework/stream/PStream.h"

#include <cmath>


Pluto::Pluto(const std::string& dataDirectory) : path_(dataDirectory + "9.rsx")
{
    Read();
}

void Pluto::Read()
{
    fw::ifpstream is;
    if (!is.open(path_))
        return;
    if (!SignedStreamRecord::ReadHeader(is).Matches(SignedStreamRecord::Pluto, 5) || is.fail())
        return;
    double fq[110] = {}, cx[110] = {}, sx[110] = {}, cy[110] = {}, sy[110] = {}, cz[110] = {}, sz[110] = {};
    for (int i = 1; i <= kTerms; ++i) {
        fq[i] = is.readDouble();
        cx[i] = is.readDouble();
        sx[i] = is.readDouble();
        cy[i] = is.readDouble();
        sy[i] = is.readDouble();
        cz[i] = is.readDouble();
        sz[i] = is.readDouble();
    }
    const std::string trailer = SignedStreamRecord::ReadSignature(is);
    if (is.fail() || trailer != SignedStreamRecord::Pluto)
        return;
    for (int i = 0; i < 110; ++i) {
        fq_[i] = fq[i];
        cx_[i] = cx[i];
        sx_[i] = sx[i];
        cy_[i] = cy[i];
        sy_[i] = sy[i];
        cz_[i] = cz[i];
        sz_[i] = sz[i];
    }
    loaded_ = 1;
}

// x runs from -1 to 1 over Julian days 2341972.5 to 2488092.5 (dynamical time); the periodic
// terms 1-82 enter as they are, 83-101 times x, 102-106 times x^2 (1e-10 au).
bool Pluto::Evaluate(const JulianDate& jd, double xyz[3])
{
    if (!loaded_) {
        Read();
        if (!loaded_) {
            xyz[0] = xyz[1] = xyz[2] = 0.0;
            return false;
        }
    }
    const double x = (jd.JD(JulianDate::kDynamical) - 2341972.5) * 1.368738023542294e-5 - 1.0;
    const double fx = x * 73060.0;
    normalisedTime_ = x;
    daysFromMiddle_ = fx;
    double arg[kTerms], sines[kTerms], cosines[kTerms];
    for (int i = 1; i <= kTerms; ++i)
        arg[i - 1] = fq_[i] * fx;
    SinesAndCosines(arg, kTerms, sines, cosines);
    double sum0[3] = {0, 0, 0}, sum1[3] = {0, 0, 0}, sum2[3] = {0, 0, 0};
    for (int i = 1; i <= kTerms; ++i) {
        const double c = cosines[i - 1], s = sines[i - 1];
        double* sum = i <= 82 ? sum0 : (i <= 101 ? sum1 : sum2);
        sum[0] += cx_[i] * c + sx_[i] * s;
        sum[1] += cy_[i] * c + sy_[i] * s;
        sum[2] += cz_[i] * c + sz_[i] * s;
    }
    const double x2 = x * x, x3 = x2 * x;
    const double X0 = 98083308510.0 - 1465718392.0 * x + 11528487809.0 * x2 + 55397965917.0 * x3;
    const double Y0 = 101846243715.0 + 57789.0 * x - 5487929294.0 * x2 + 8520205290.0 * x3;
    const double Z0 = 2183700004.0 + 433209785.0 * x - 4911803413.0 * x2 - 14029741184.0 * x3;
    x_ = (X0 + sum0[0] + sum1[0] * x + sum2[0] * x2) * 1e-10;
    y_ = (Y0 + sum0[1] + sum1[1] * x + sum2[1] * x2) * 1e-10;
    z_ = (Z0 + sum0[2] + sum1[2] * x + sum2[2] * x2) * 1e-10;
    xyz[0] = x_;
    xyz[1] = y_;
    xyz[2] = z_;
    return true;
}

RectCoord Pluto::HeliocentricPosition(const JulianDate& jd)
{
    double xyz[3];
    if (!Evaluate(jd, xyz))
        return RectCoord();
    return RectCoord(Distance(xyz[0], Distance::kAstronomicalUnits), Distance(xyz[1], Distance::kAstronomicalUnits),
                     Distance(xyz[2], Distance::kAstronomicalUnits), JulianDate(), 0);
}
