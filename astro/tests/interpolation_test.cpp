#include "astro/Interpolation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kPi = 3.141592653589793;

TEST(Interpolation, ThreePointMeeusExample)
{
    // Meeus 3.a: distance at 1992 November 8, 4h21m TD from the values of November 7, 8, 9.
    double second = 0;
    double y = Interpolate3(8.0 + (4 + 21 / 60.0) / 24.0, 8.0, 1.0, 0.884226, 0.877366, 0.870531, second);
    EXPECT_NEAR(y, 0.876125, 5e-7);
    EXPECT_NEAR(second, 0.000025, 1e-12);
}

TEST(Interpolation, ReproducesPolynomialsOfTheirOrder)
{
    auto quadratic = [](double x) { return 3.0 - 2.0 * x + 0.5 * x * x; };
    auto quartic = [](double x) { return 1.0 + x - 0.3 * x * x + 0.02 * x * x * x + 0.004 * x * x * x * x; };
    const double step = 2.0;
    for (double x : {-3.0, -1.1, 0.0, 0.7, 2.0, 5.5}) {
        double second = 0, fourth = 0;
        double y3 = Interpolate3(x, 1.0, step, quadratic(-1.0), quadratic(1.0), quadratic(3.0), second);
        EXPECT_NEAR(y3, quadratic(x), 1e-12) << x;
        EXPECT_NEAR(second, 2 * 0.5 * step * step, 1e-12);
        double y5 = Interpolate5(x, 0.0, step, quartic(-4), quartic(-2), quartic(0), quartic(2), quartic(4), fourth);
        EXPECT_NEAR(y5, quartic(x), 1e-12) << x;
        EXPECT_NEAR(fourth, 24 * 0.004 * std::pow(step, 4), 1e-12);
    }
    double d = 0;
    EXPECT_EQ(Interpolate3(5.0, 1.0, 0.0, 1.0, 2.0, 4.0, d), 2.0); // no step: the middle value
}

TEST(Interpolation, AnglesAcrossTheSeam)
{
    auto deg = [](double d) { return Angle(d, Angle::kDegrees); };
    JulianDate mid(2451545.0, JulianDate::kJulianDay);
    JulianDate half = mid + 0.5;
    Angle second;
    // Rising through 0: 359, 0.5, 2 degrees give 1.25 degrees plus a full turn.
    Angle up = InterpolateAngle3(half, mid, 1.0, deg(359), deg(0.5), deg(2), second);
    EXPECT_NEAR(up.Radians(), deg(1.25).Radians() + 2 * kPi, 1e-12);
    EXPECT_NEAR(second.Degrees(), 0.0, 1e-12);
    // Falling through 0: 1, 359, 357 degrees give -2 degrees.
    Angle down = InterpolateAngle3(half, mid, 1.0, deg(1), deg(359), deg(357), second);
    EXPECT_NEAR(down.Degrees(), -2.0, 1e-9);

    Angle fourth;
    Angle five = InterpolateAngle5(mid - 0.5, mid, 1.0, deg(356), deg(358), deg(0), deg(2), deg(4), fourth);
    EXPECT_NEAR(five.Degrees(), 359.0, 1e-9);
    EXPECT_NEAR(fourth.Degrees(), 0.0, 1e-9);
}

TEST(Interpolation, Distances)
{
    JulianDate mid(2451545.0, JulianDate::kJulianDay);
    Distance second, fourth;
    Distance d3 = InterpolateDistance3(mid + 0.25, mid, 0.5, Distance(100.0), Distance(200.0), Distance(400.0), second);
    // n = 0.5: 200 + 0.25 * (100 + 200 + 0.5 * 100)
    EXPECT_NEAR(d3.Meters(), 287.5, 1e-9);
    EXPECT_NEAR(second.Meters(), 100.0, 1e-9);
    Distance d5 = InterpolateDistance5(mid + 1.0, mid, 1.0, Distance(1), Distance(2), Distance(3), Distance(4),
                                       Distance(5), fourth);
    EXPECT_NEAR(d5.Meters(), 4.0, 1e-9);
    EXPECT_NEAR(fourth.Meters(), 0.0, 1e-12);
}

} // namespace
