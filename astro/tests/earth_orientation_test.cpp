#include "astro/DeltaT.h"
#include "astro/JulianDate.h"
#include "astro/Nutation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The instant of a decimal year as Delta-T reads it (y = 2000 + 100 T, T in Julian centuries).
JulianDate AtYear(double year)
{
    return JulianDate(2451545.0 + (year - 2000.0) * 365.25, JulianDate::kJulianDay);
}

// The universal-time instant whose dynamical time is the given Julian day.
JulianDate AtDynamicalTime(double jde)
{
    JulianDate ut(jde, JulianDate::kJulianDay);
    for (int i = 0; i < 3; ++i)
        ut = JulianDate(jde - DeltaT(ut) / 86400.0, JulianDate::kJulianDay);
    return ut;
}

TEST(DeltaT, TableAndPolynomialsUpTo1992)
{
    struct Case { double year; double seconds; double tolerance; } cases[] = {
        {1620.0, 124.0, 1e-9},
        {1621.0, 119.5, 1e-9},   // halfway between two tabulated years
        {1800.0, 13.7, 1e-9},
        {1900.0, -2.7, 1e-9},
        {1901.0, -1.35, 1e-9},
        {1992.0, 58.3, 1e-9},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(DeltaT(AtYear(c.year)), c.seconds, c.tolerance) << c.year;

    // Before 1620 the two polynomials in T (centuries from J2000.0).
    double t1000 = -10.0, t900 = -11.0;
    EXPECT_NEAR(DeltaT(AtYear(1000.0)), 50.6 + 67.5 * t1000 + 22.5 * t1000 * t1000, 1e-6);
    EXPECT_NEAR(DeltaT(AtYear(900.0)), 2715.6 + 573.36 * t900 + 46.5 * t900 * t900, 1e-6);
}

TEST(DeltaT, FollowsObservedValuesAfter1992)
{
    // TT - UT1 at January 1 (IERS/USNO), in seconds.
    struct Case { double year; double observed; } cases[] = {
        {1994.0, 59.98}, {2000.0, 63.83}, {2006.0, 64.85}, {2010.0, 66.07},
        {2016.0, 68.10}, {2020.0, 69.36}, {2022.0, 69.29}, {2024.0, 69.18},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(DeltaT(AtYear(c.year)), c.observed, 0.06) << c.year;
    // No jump at 2000.0 any more.
    EXPECT_NEAR(DeltaT(AtYear(2000.001)), DeltaT(AtYear(1999.999)), 0.01);
}

TEST(DeltaT, ContinuesSmoothlyBeyondTheTable)
{
    // Today's value stays close to the last observed ones (about 69 s in 2026)...
    EXPECT_NEAR(DeltaT(AtYear(2026.0)), 69.2, 0.5);
    EXPECT_NEAR(DeltaT(AtYear(2024.0 + 1e-6)), DeltaT(AtYear(2024.0 - 1e-6)), 1e-3);
    double in2050 = DeltaT(AtYear(2050.0));
    EXPECT_GT(in2050, 69.0);
    EXPECT_LT(in2050, 80.0);
    // ... and far out it is the long-term parabola -20 + 32 u^2.
    for (double year : {2200.0, 2500.0, 3000.0}) {
        double u = (year - 1820.0) / 100.0;
        EXPECT_NEAR(DeltaT(AtYear(year)), -20.0 + 32.0 * u * u, 1e-6) << year;
    }
    // Without steps anywhere on the way.
    double previous = DeltaT(AtYear(2024.0));
    for (double year = 2024.5; year < 2300.0; year += 0.5) {
        double dt = DeltaT(AtYear(year));
        EXPECT_LT(std::fabs(dt - previous), 2.0) << year;
        previous = dt;
    }
}

TEST(Obliquity, MeanObliquityAtJ2000AndOfMeeusExample)
{
    EXPECT_EQ(ObliquityOfEcliptic(JulianDate()).Degrees(), Angle(23.4392911, Angle::kDegrees).Degrees());
    // Meeus 22.a: 1987 April 10, 0h TD: 23 deg 26' 27.407".
    JulianDate j = AtDynamicalTime(2446895.5);
    EXPECT_NEAR(ObliquityOfEcliptic(j).Degrees(), 23.0 + 26.0 / 60 + 27.407 / 3600, 0.001 / 3600);
}

TEST(Nutation, MeeusExample22a)
{
    JulianDate j = AtDynamicalTime(2446895.5);
    ASSERT_NEAR(j.JD(JulianDate::kDynamical16), 2446895.5, 1e-9);
    Nutation n(j);
    EXPECT_NEAR(n.Longitude(j).ArcSeconds(), -3.788, 0.001);
    EXPECT_NEAR(n.Obliquity(j).ArcSeconds(), 9.443, 0.001);
    // True obliquity 23 deg 26' 36.850".
    EXPECT_NEAR((ObliquityOfEcliptic(j) + n.Obliquity(j)).Degrees(), 23.0 + 26.0 / 60 + 36.850 / 3600,
                0.001 / 3600);
    // Equation of the equinoxes of Meeus 12.a: -0.2317 s of time.
    EXPECT_NEAR(n.RightAscension(j).Hours() * 3600.0, -0.2317, 0.0005);
}

TEST(Nutation, SeriesRunsOncePerDate)
{
    JulianDate a(2446895.5, JulianDate::kJulianDay);
    Nutation n(a);
    EXPECT_EQ(n.Evaluations(), 1u);
    Angle first = n.Longitude(a);
    n.Obliquity(a);
    n.RightAscension(a);
    n.Longitude(JulianDate::FromCalendar(1987, 4, 10, 0, 0, 0)); // same day number
    EXPECT_EQ(n.Evaluations(), 1u);

    JulianDate b = a + 10.0;
    Angle other = n.Longitude(b);
    EXPECT_EQ(n.Evaluations(), 2u);
    EXPECT_TRUE(n.Date() == b);
    EXPECT_NE(other, first);
    EXPECT_EQ(n.Longitude(a), first);
    EXPECT_EQ(n.Evaluations(), 3u);
}

TEST(Nutation, SharedCacheStartsAtJ2000)
{
    EXPECT_TRUE(SharedNutation.Date() == JulianDate());
    // The 18.6-year term dominates: at most about 17.2" in longitude and 9.2" in obliquity.
    for (double jd = 2415020.5; jd < 2488070.5; jd += 1000.0) {
        JulianDate j(jd, JulianDate::kJulianDay);
        EXPECT_LT(std::fabs(SharedNutation.Longitude(j).ArcSeconds()), 19.0);
        EXPECT_LT(std::fabs(SharedNutation.Obliquity(j).ArcSeconds()), 10.5);
    }
}

} // namespace
