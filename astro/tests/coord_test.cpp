#include "astro/Coord.h"
#include "astro/Nutation.h"
#include "astro/RectCoord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const double kPi = 3.141592653589793;
const double kArcsec = kPi / 648000.0;

Angle Hms(double h, double m, double s) { return Angle(h + m / 60 + s / 3600, Angle::kHours); }
Angle Dms(int sign, double d, double m, double s) { return Angle(sign * (d + m / 60 + s / 3600), Angle::kDegrees); }

// Great-circle distance between two positions, arcseconds.
double SeparationArcsec(double ra1, double dec1, double ra2, double dec2)
{
    const double s = std::sin((dec2 - dec1) / 2), t = std::sin((ra2 - ra1) / 2);
    return 2 * std::asin(std::sqrt(s * s + std::cos(dec1) * std::cos(dec2) * t * t)) / kArcsec;
}

double SeparationArcsec(const Coord& a, const Angle& ra, const Angle& dec)
{
    return SeparationArcsec(a.RA().Radians(), a.Dec().Radians(), ra.Radians(), dec.Radians());
}

Coord Mean2000(const Angle& ra, const Angle& dec)
{
    return Coord::Equatorial(ra, dec, Distance(), JulianDate(), 0);
}

// Meeus, Astronomical Algorithms, example 21.b and the exercise after it: theta Persei and
// Polaris carried from J2000.0 with their proper motions. The book's Polaris figures come from
// its series in zeta, z and theta, which a century out differ from the rigorous IAU 1976
// rotation by about 0.03" (mostly in right ascension, at 89 degrees declination).
TEST(CoordReduction, MeanPlaceOfAnotherEpochMatchesWorkedExamples)
{
    struct Case {
        const char* what;
        Angle ra0, dec0;
        double muRaSeconds, muDecArcsec, jd;
        Angle ra, dec;
        double tolerance;
    } cases[] = {
        {"theta Per 2028 Nov 13.19", Hms(2, 44, 11.986), Dms(1, 49, 13, 42.48), 0.03425, -0.0895, 2462088.69,
         Hms(2, 46, 11.331), Dms(1, 49, 20, 54.54), 0.01},
        {"Polaris B1900", Hms(2, 31, 48.704), Dms(1, 89, 15, 50.72), 0.19877, -0.0152, 2415020.3135,
         Hms(1, 22, 33.90), Dms(1, 88, 46, 26.18), 0.05},
        {"Polaris J2050", Hms(2, 31, 48.704), Dms(1, 89, 15, 50.72), 0.19877, -0.0152, 2469807.5,
         Hms(3, 48, 16.43), Dms(1, 89, 27, 15.38), 0.05},
        {"Polaris J2100", Hms(2, 31, 48.704), Dms(1, 89, 15, 50.72), 0.19877, -0.0152, 2488069.5,
         Hms(5, 53, 29.17), Dms(1, 89, 32, 22.18), 0.05},
    };
    for (const auto& c : cases) {
        const JulianDate target(c.jd, JulianDate::kJulianDay);
        const Coord r = Coord::Reduce(Mean2000(c.ra0, c.dec0), target, Coord::MaskMeanPlace, Angle(),
                                      Angle(c.muRaSeconds, Angle::kArcSeconds) * 15.0, Angle(c.muDecArcsec, Angle::kArcSeconds));
        EXPECT_LT(SeparationArcsec(r, c.ra, c.dec), c.tolerance) << c.what;
        EXPECT_NEAR(r.Dec().ArcSeconds(), c.dec.ArcSeconds(), 0.015) << c.what;
        EXPECT_EQ(r.Flags(), Coord::ProperMotionApplied | Coord::Precessed) << c.what;
        EXPECT_EQ(r.Epoch(), target) << c.what;
    }
}

// Meeus example 21.c: ecliptic position of Venus carried from J2000.0 back to -214 June 30.
TEST(CoordReduction, EclipticPrecessionMatchesWorkedExample)
{
    Coord c = Coord::Ecliptic(Angle(149.48194, Angle::kDegrees), Angle(1.76549, Angle::kDegrees), Distance(), JulianDate(), 0);
    c.PrecessEcliptic(JulianDate(1643074.5, JulianDate::kJulianDay));
    EXPECT_NEAR(c.Longitude().Degrees(), 118.704, 0.0005);
    EXPECT_NEAR(c.Latitude().Degrees(), 1.615, 0.0005);
    EXPECT_EQ(c.Flags(), Coord::Precessed);
    EXPECT_EQ(c.Epoch().JD(), 1643074.5);
}

// Meeus example 23.a: apparent place of theta Persei, Sun's longitude 231.328 degrees.
TEST(CoordReduction, ApparentPlaceMatchesWorkedExample)
{
    const Coord r = Coord::Reduce(Mean2000(Hms(2, 44, 11.986), Dms(1, 49, 13, 42.48)), JulianDate(2462088.69, JulianDate::kJulianDay),
                                  Coord::MaskApparentPlace, Angle(231.328, Angle::kDegrees), Angle(0.03425 * 15, Angle::kArcSeconds),
                                  Angle(-0.0895, Angle::kArcSeconds));
    EXPECT_LT(SeparationArcsec(r, Hms(2, 46, 14.390), Dms(1, 49, 21, 7.45)), 0.1);
    EXPECT_EQ(r.Flags(), 0x27u);
}

// Apparent places computed independently with ERFA (IAU 1976 precession, IAU 1980 nutation,
// full annual aberration) by tools/reference/apparent_places.py.
TEST(CoordReduction, ApparentPlacesAgreeWithIndependentTable)
{
    const std::string file = std::string(STELLUM_SOURCE_DIR) + "/astro/tests/data/apparent_places.txt";
    std::ifstream in(file);
    ASSERT_TRUE(in.is_open()) << file;
    std::string line, worstName;
    int rows = 0;
    double worst = 0, worstJd = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name;
        double jd, ra, dec, muRa, muDec, sun, appRa, appDec;
        ASSERT_TRUE(static_cast<bool>(fields >> name >> jd >> ra >> dec >> muRa >> muDec >> sun >> appRa >> appDec))
            << line;
        const Coord r = Coord::Reduce(Mean2000(Angle(ra, Angle::kDegrees), Angle(dec, Angle::kDegrees)), JulianDate(jd, JulianDate::kJulianDay),
                                      Coord::MaskApparentPlace, Angle(sun, Angle::kDegrees), Angle(muRa, Angle::kArcSeconds), Angle(muDec, Angle::kArcSeconds));
        const double sep = SeparationArcsec(r, Angle(appRa, Angle::kDegrees), Angle(appDec, Angle::kDegrees));
        EXPECT_LT(sep, 0.1) << name << " at JD " << jd;
        if (sep > worst) worst = sep, worstName = name, worstJd = jd;
        ++rows;
    }
    EXPECT_GE(rows, 100);
    std::cout << "largest difference " << worst << "\" (" << worstName << " at JD " << worstJd << ", " << rows
              << " places)\n";
}

TEST(CoordReduction, SameInstantSkipsProperMotionAndPrecession)
{
    const Coord c = Coord::Equatorial(Angle(1.2), Angle(0.4), Distance(5.0), JulianDate(), 0x200);
    const Coord r = Coord::Reduce(c, JulianDate(), Coord::MaskMeanPlace, Angle(), Angle(1, Angle::kArcSeconds), Angle(1, Angle::kArcSeconds));
    EXPECT_NEAR(r.RA().Radians(), 1.2, 1e-12);
    EXPECT_NEAR(r.Dec().Radians(), 0.4, 1e-12);
    EXPECT_EQ(r.Flags(), 0u); // the ecliptic leg strips the equatorial frame bit
    EXPECT_EQ(r.Dist().Meters(), 5.0);

    // Rates both zero: the proper-motion step does nothing and sets no bit.
    const Coord p = Coord::Reduce(c, JulianDate(2460000.5, JulianDate::kJulianDay), Coord::MaskMeanPlace, Angle(), Angle(), Angle());
    EXPECT_EQ(p.Flags(), static_cast<std::uint32_t>(Coord::Precessed));
}

TEST(CoordReduction, StepsDoNotConsultTheFlagWord)
{
    const JulianDate date(2446895.5, JulianDate::kJulianDay); // 1987 April 10
    const Coord e = Coord::Ecliptic(Angle(40, Angle::kDegrees), Angle(10, Angle::kDegrees), Distance(), date, 0);
    const Coord once = Coord::ApplyReductions(e, date, Coord::MaskNutationOnly, Angle(), Angle(), Angle());
    const Coord twice = Coord::ApplyReductions(once, date, Coord::MaskNutationOnly, Angle(), Angle(), Angle());
    const double dpsi = SharedNutation.Longitude(date).Radians();
    EXPECT_NEAR(dpsi / kArcsec, -3.788, 0.01);
    EXPECT_NEAR(twice.RawLongitude().Radians() - e.RawLongitude().Radians(), 2 * dpsi, 1e-15);
    EXPECT_EQ(twice.Flags(), static_cast<std::uint32_t>(Coord::NutationApplied));
}

TEST(CoordFrames, EclipticRoundTripUsesTrueObliquityOnlyAfterNutationOrAberration)
{
    const JulianDate date(2446895.5, JulianDate::kJulianDay);
    const Coord mean = Coord::Equatorial(Angle(5.0), Angle(0.6), Distance(), date, 0);
    const Coord back = Coord::ToEquatorial(Coord::ToEcliptic(mean));
    EXPECT_NEAR(back.RA().Radians(), 5.0, 1e-13);
    EXPECT_NEAR(back.Dec().Radians(), 0.6, 1e-13);

    const Coord nutated = Coord::Equatorial(Angle(5.0), Angle(0.6), Distance(), date, Coord::NutationApplied);
    const Coord ecl = Coord::ToEcliptic(nutated);
    const Coord trueBack = Coord::ToEquatorial(ecl);
    // Back through an obliquity larger by delta epsilon: the shift is of that order, not 0.
    const double deps = SharedNutation.Obliquity(date).Radians();
    const double shift = SeparationArcsec(trueBack, Angle(5.0), Angle(0.6)) * kArcsec;
    EXPECT_GT(shift, 0.1 * std::fabs(deps));
    EXPECT_LT(shift, 1.01 * std::fabs(deps));
    EXPECT_EQ(ecl.Flags(), static_cast<std::uint32_t>(Coord::NutationApplied));
}

TEST(CoordFrames, ReadingsWrapAndFrameMasksStripOtherFrames)
{
    const Coord c(Angle(-0.5), Angle(4.0), Distance(), JulianDate(), 0x7ff);
    EXPECT_NEAR(c.RA().Radians(), 2 * kPi - 0.5, 1e-15);
    EXPECT_NEAR(c.Dec().Radians(), 4.0 - 2 * kPi, 1e-15);
    EXPECT_EQ(Coord::AsEquatorial(c).Flags(), 0x2ffu);
    EXPECT_EQ(Coord::AsEcliptic(c).Flags(), 0x4ffu);
    EXPECT_EQ(c.Flags(), 0x7ffu);

    // Equality ignores the epoch, not the flags.
    const Coord a(Angle(1), Angle(0.5), Distance(3), JulianDate(), 4);
    EXPECT_EQ(a, Coord(Angle(1), Angle(0.5), Distance(3), JulianDate(2400000.5, JulianDate::kJulianDay), 4));
    EXPECT_NE(a, Coord(Angle(1), Angle(0.5), Distance(3), JulianDate(), 5));
}

TEST(CoordFrames, PolesGiveFiniteResults)
{
    const Coord poles[] = {
        Mean2000(Angle(0.0), Angle(kPi / 2)),
        Mean2000(Angle(18, Angle::kHours), Angle(90 - 23.4392911, Angle::kDegrees)), // the north ecliptic pole
        Mean2000(Angle(6, Angle::kHours), Angle(-(90 - 23.4392911), Angle::kDegrees)),
    };
    for (const Coord& p : poles) {
        const Coord r = Coord::Reduce(p, JulianDate(2470000.5, JulianDate::kJulianDay), Coord::MaskApparentPlace, Angle(100, Angle::kDegrees),
                                      Angle(0.01, Angle::kArcSeconds), Angle(0.01, Angle::kArcSeconds));
        EXPECT_TRUE(std::isfinite(r.RA().Radians()) && std::isfinite(r.Dec().Radians()));
        EXPECT_LT(SeparationArcsec(r, p.RA(), p.Dec()), 2 * 3600.0);
    }
    Coord e = Coord::Ecliptic(Angle(1.0), Angle(kPi / 2), Distance(), JulianDate(), 0);
    e.AberrateEcliptic(Angle(2.0));
    EXPECT_TRUE(std::isfinite(e.RawLongitude().Radians()) && std::isfinite(e.RawLatitude().Radians()));
}

TEST(RectCoord, ConvertsAndCombines)
{
    const JulianDate epoch(2451000.5, JulianDate::kJulianDay);
    const Coord c(Angle(30, Angle::kDegrees), Angle(-20, Angle::kDegrees), Distance(2.0, 2), epoch, 0x24);
    const RectCoord r = c.ToRect();
    EXPECT_NEAR(r.Z().Meters(), 2.0 * 1.4959787e11 * std::sin(-20 * kPi / 180), 1e-3);
    EXPECT_NEAR(r.Length().Meters(), 2.0 * 1.4959787e11, 1e-3);
    const Coord back = r.ToSpherical();
    EXPECT_NEAR(back.RawLongitude().Degrees(), 30, 1e-12);
    EXPECT_NEAR(back.RawLatitude().Degrees(), -20, 1e-12);
    EXPECT_EQ(back.Flags(), 0x24u);
    EXPECT_EQ(back.Epoch(), epoch);

    const RectCoord earth(Distance(1), Distance(2), Distance(3), JulianDate(), 0x4);
    const RectCoord body(Distance(10), Distance(20), Distance(30), epoch, 0x20);
    const RectCoord geo = body - earth;
    EXPECT_EQ(geo, RectCoord(Distance(9), Distance(18), Distance(27), epoch, 0x20));
    EXPECT_EQ(earth + body, RectCoord(Distance(11), Distance(22), Distance(33), JulianDate(), 0x4));
    EXPECT_EQ(earth.Negated(), RectCoord(Distance(-1), Distance(-2), Distance(-3), JulianDate(), 0x4));
    EXPECT_NE(geo, RectCoord(Distance(9), Distance(18), Distance(27), JulianDate(), 0x20));

    const Coord zero = RectCoord().ToSpherical();
    EXPECT_EQ(zero.RawLongitude().Radians(), 0.0);
    EXPECT_EQ(zero.RawLatitude().Radians(), 0.0);
    EXPECT_EQ(zero.Dist().Meters(), 0.0);
}

} // namespace
