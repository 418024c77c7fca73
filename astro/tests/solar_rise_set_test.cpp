#include "astro/RiseSetTransit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Coord Eq(double raDeg, double decDeg)
{
    return Coord::Equatorial(Angle(raDeg, Angle::kDegrees), Angle(decDeg, Angle::kDegrees), Distance(), JulianDate(), Coord::Precessed);
}

// A site at the latitude given, longitude in degrees west.
ObsSite Site(double latitude, double longitudeWest = 0.0)
{
    return ObsSite(Angle(longitudeWest, Angle::kDegrees), Angle(latitude, Angle::kDegrees), "test", 0.0, Distance());
}

double HoursOfDay(const JulianDate& jd, const JulianDate& day)
{
    return (jd.JD() - day.JD()) * 24.0;
}

TEST(RiseSetTransit, DefaultObjectIsNotComputed)
{
    RiseSetTransit r;
    EXPECT_EQ(r.Status(), RiseSetTransit::kNotComputed);
    const Coord p = r.PositionAt(JulianDate(2460000.5, JulianDate::kJulianDay));
    EXPECT_EQ(p.RA().Radians(), 0.0);
    EXPECT_EQ(p.Dist().Meters(), 0.0);
    EXPECT_EQ(p.Flags(), 0x24u);
    EXPECT_EQ(r.RisePosition().Flags(), 0x24u);
}

TEST(RiseSetTransit, StatusOfAFixedPosition)
{
    const JulianDate date(2460000.5, JulianDate::kJulianDay);
    struct Case { double dec, latitude, h0; int status; } cases[] = {
        {90, 30, -0.5667, RiseSetTransit::kAlwaysAbove},
        {90, -30, -0.5667, RiseSetTransit::kAlwaysBelow},
        {0, 0, 90, RiseSetTransit::kAlwaysBelow},   // (sin h0 - s) / c exactly 1
        {0, 0, -90, RiseSetTransit::kAlwaysAbove},  // exactly -1
        {20, 40, -0.5667, RiseSetTransit::kRisesAndSets},
        {-60, 40, -0.5667, RiseSetTransit::kAlwaysBelow},
        {0, 90, -0.5667, RiseSetTransit::kAlwaysAbove}, // site at the pole
        {-10, 90, -0.5667, RiseSetTransit::kAlwaysBelow},
    };
    for (const auto& c : cases) {
        const RiseSetTransit r = RiseSetTransit::FromFixedPosition(Eq(100, c.dec), date, Site(c.latitude), Angle(c.h0, Angle::kDegrees));
        EXPECT_EQ(r.Status(), c.status) << c.dec << " " << c.latitude << " " << c.h0;
        EXPECT_TRUE(std::isfinite(r.Transit().JD()));
    }
}

TEST(RiseSetTransit, FixedPositionEventsLieWithinHalfADay)
{
    const JulianDate date(2460000.5, JulianDate::kJulianDay);
    for (double ra = 0; ra < 360; ra += 30) {
        const RiseSetTransit r = RiseSetTransit::FromFixedPosition(Eq(ra, 10), date, Site(45, 100), Angle(-0.5667, Angle::kDegrees));
        ASSERT_EQ(r.Status(), RiseSetTransit::kRisesAndSets);
        for (const JulianDate* e : {&r.Rise(), &r.Transit(), &r.Set()})
            EXPECT_LE(std::fabs(e->JD() - date.JD()), 0.5 + 1e-3) << ra;
        // The body is at the standard altitude at rise and set, highest at transit.
        RiseSetTransit copy = r;
        EXPECT_NEAR(copy.AltitudeAt(r.Rise()).Degrees(), -0.5667, 0.02) << ra;
        EXPECT_NEAR(copy.AltitudeAt(r.Set()).Degrees(), -0.5667, 0.02) << ra;
        EXPECT_NEAR(copy.AltitudeAt(r.Transit()).Degrees(), 90 - 45 + 10, 0.01) << ra;
    }
}

// One night serves a whole catalogue: nothing of one position carries over to the next, so each
// comes out as it would from a night of its own, whatever came before it.
TEST(RiseSetTransit, OneNightServesManyPositions)
{
    const JulianDate date(2460676.7083, JulianDate::kJulianDay);
    const ObsSite site = Site(42.3333, 71.0833);
    const Angle h0(RiseSetTransit::kStarStandardAltitudeDegrees, Angle::kDegrees);
    const RiseSetTransit::Night night(date, site, h0);
    const double positions[][2] = {{10, 80}, {100, 20}, {250, -60}, {330, -10}, {10, 80}, {45, 47.6}, {200, 0}};
    int statuses[3] = {};
    for (const auto& p : positions) {
        const RiseSetTransit shared = night.FixedPosition(Eq(p[0], p[1]));
        const RiseSetTransit own = RiseSetTransit::FromFixedPosition(Eq(p[0], p[1]), date, site, h0);
        EXPECT_EQ(shared.Status(), own.Status()) << p[0] << " " << p[1];
        EXPECT_EQ(shared.Rise().JD(), own.Rise().JD()) << p[0] << " " << p[1];
        EXPECT_EQ(shared.Transit().JD(), own.Transit().JD()) << p[0] << " " << p[1];
        EXPECT_EQ(shared.Set().JD(), own.Set().JD()) << p[0] << " " << p[1];
        EXPECT_EQ(shared.Site(), site);
        EXPECT_EQ(shared.Date(), date);
        ++statuses[shared.Status()];
    }
    // Circumpolar, never rising and rising and setting all met.
    EXPECT_GT(statuses[RiseSetTransit::kRisesAndSets], 0);
    EXPECT_GT(statuses[RiseSetTransit::kAlwaysAbove], 0);
    EXPECT_GT(statuses[RiseSetTransit::kAlwaysBelow], 0);
}

TEST(RiseSetTransit, IsForDateWithinOneDay)
{
    const JulianDate date(2460000.5, JulianDate::kJulianDay);
    const RiseSetTransit r = RiseSetTransit::FromFixedPosition(Eq(10, 10), date, Site(45), Angle(-0.5667, Angle::kDegrees));
    EXPECT_TRUE(r.IsForDate(date + 0.99));
    EXPECT_TRUE(r.IsForDate(date - 0.99));
    EXPECT_FALSE(r.IsForDate(date + 1.0));
}

// Meeus, example 15.a: Venus at Boston, 1988 March 20, from its places at 0h TD on March 19,
// 20 and 21 (rise 12h25m, transit 19h41m, set 2h55m UT). The events are looked for within half
// a day of the date, so the date is the noon of March 20 and the samples are interpolated to it.
TEST(RiseSetTransit, MeeusExample15a)
{
    const JulianDate day = JulianDate::FromCalendar(1988, 3, 20, 0, 0, 0);
    const JulianDate noon = day + 0.5;
    const ObsSite boston = Site(42.3333, 71.0833);
    PositionTable t = PositionTable::FromThree(day, 1.0, Eq(40.68021, 18.04761), Eq(41.73129, 18.44092),
                                               Eq(42.78204, 18.82742));
    RiseSetTransit r = RiseSetTransit::FromThreePositions(t.At(noon - 1.0), t.At(noon), t.At(noon + 1.0), noon, boston,
                                                          Angle(-0.5667, Angle::kDegrees));
    ASSERT_EQ(r.Status(), RiseSetTransit::kRisesAndSets);
    EXPECT_NEAR(HoursOfDay(r.Rise(), day), 12 + 25.4 / 60, 1.0 / 60);
    EXPECT_NEAR(HoursOfDay(r.Transit(), day), 19 + 40.5 / 60, 1.0 / 60);
    EXPECT_NEAR(HoursOfDay(r.Set(), day), 2 + 54.7 / 60, 1.0 / 60);
    EXPECT_EQ(r.Positions().Kind(), PositionTable::kThree);

    RiseSetTransit five = RiseSetTransit::FromPositions(t.At(noon - 1.0), t.At(noon - 0.5), t.At(noon), t.At(noon + 0.5),
                                                        t.At(noon + 1.0), noon, boston, Angle(-0.5667, Angle::kDegrees));
    EXPECT_NEAR(five.Rise().JD(), r.Rise().JD(), 1.0 / 1440);
    EXPECT_NEAR(five.Set().JD(), r.Set().JD(), 1.0 / 1440);
    EXPECT_NEAR(five.Transit().JD(), r.Transit().JD(), 1.0 / 1440);
    EXPECT_NEAR(five.AltitudeAt(five.Rise()).Degrees(), -0.5667, 0.01);
    EXPECT_NEAR(five.RisePosition().RA().Degrees(), 42.27, 0.05); // interpolated at the rise
}

// Positions straddling the pole of a site keep every result finite.
TEST(RiseSetTransit, ResultsStayFiniteNearThePole)
{
    const JulianDate date(2460000.5, JulianDate::kJulianDay);
    const ObsSite site = Site(89.9999);
    const Coord p = Eq(10, 0.1);
    const RiseSetTransit r = RiseSetTransit::FromPositions(p, p, p, p, p, date, site, Angle(0.0));
    EXPECT_TRUE(std::isfinite(r.Rise().JD()));
    EXPECT_TRUE(std::isfinite(r.Set().JD()));
    EXPECT_TRUE(std::isfinite(r.Transit().JD()));
}

} // namespace
