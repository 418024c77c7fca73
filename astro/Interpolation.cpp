#include "astro/Interpolation.h"

#include "astro/AstroConstants.h"

namespace {


double InterpolationFactor(double x, double middle, double step)
{
    return step == 0.0 ? 0.0 : (x - middle) / step;
}

// Makes each value continue its predecessor across the 0/2pi seam.
void Unwrap(double* v, int n)
{
    for (int i = 1; i < n; ++i) {
        double diff = v[i - 1] - v[i];
        if (diff > astro::kPi)
            v[i] += astro::kTwoPi;
        else if (diff < -astro::kPi)
            v[i] -= astro::kTwoPi;
    }
}

} // namespace

double Interpolate3(double x, double x2, double step, double y1, double y2, double y3,
                    double& secondDifference)
{
    double n = InterpolationFactor(x, x2, step);
    double a = y2 - y1;
    double b = y3 - y2;
    double c = b - a;
    secondDifference = c;
    return y2 + n / 2.0 * (a + b + n * c);
}

double Interpolate5(double x, double x3, double step, double y1, double y2, double y3,
                    double y4, double y5, double& fourthDifference)
{
    double n = InterpolationFactor(x, x3, step);
    double d1 = y2 - y1, d2 = y3 - y2, d3 = y4 - y3, d4 = y5 - y4;
    double e1 = d2 - d1, e2 = d3 - d2, e3 = d4 - d3;
    double f1 = e2 - e1, f2 = e3 - e2;
    double g = f2 - f1;
    fourthDifference = g;
    double n2 = n * n;
    return y3 + n * (d2 + d3) / 2.0 + n2 * e2 / 2.0 + n * (n2 - 1.0) * (f1 + f2) * 0.08333333333333333 +
           n2 * (n2 - 1.0) * g * 0.041666666666666664;
}

Angle InterpolateAngle3(const JulianDate& x, const JulianDate& x2, double step,
                        const Angle& y1, const Angle& y2, const Angle& y3, Angle& secondDifference)
{
    double v[3] = {y1.Radians(), y2.Radians(), y3.Radians()};
    Unwrap(v, 3);
    double diff;
    double r = Interpolate3(x.JD(), x2.JD(), step, v[0], v[1], v[2], diff);
    secondDifference = Angle(diff);
    return Angle(r);
}

Angle InterpolateAngle5(const JulianDate& x, const JulianDate& x3, double step,
                        const Angle& y1, const Angle& y2, const Angle& y3, const Angle& y4,
                        const Angle& y5, Angle& fourthDifference)
{
    double v[5] = {y1.Radians(), y2.Radians(), y3.Radians(), y4.Radians(), y5.Radians()};
    Unwrap(v, 5);
    double diff;
    double r = Interpolate5(x.JD(), x3.JD(), step, v[0], v[1], v[2], v[3], v[4], diff);
    fourthDifference = Angle(diff);
    return Angle(r);
}

Distance InterpolateDistance3(const JulianDate& x, const JulianDate& x2, double step,
                              const Distance& y1, const Distance& y2, const Distance& y3,
                              Distance& secondDifference)
{
    double diff;
    double r = Interpolate3(x.JD(), x2.JD(), step, y1.Meters(), y2.Meters(), y3.Meters(), diff);
    secondDifference = Distance(diff);
    return Distance(r);
}

Distance InterpolateDistance5(const JulianDate& x, const JulianDate& x3, double step,
                              const Distance& y1, const Distance& y2, const Distance& y3,
                              const Distance& y4, const Distance& y5, Distance& fourthDifference)
{
    double diff;
    double r = Interpolate5(x.JD(), x3.JD(), step, y1.Meters(), y2.Meters(), y3.Meters(),
                            y4.Meters(), y5.Meters(), diff);
    fourthDifference = Distance(diff);
    return Distance(r);
}
