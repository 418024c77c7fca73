#include "astro/PositionTable.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Coord At(double raHours, double decDeg, double km)
{
    return Coord::Equatorial(Angle(raHours, Angle::kHours), Angle(decDeg, Angle::kDegrees), Distance(km, 1), JulianDate(), Coord::Precessed);
}

TEST(PositionTable, EmptyAndFixedTables)
{
    PositionTable empty;
    const Coord z = empty.At(JulianDate());
    EXPECT_EQ(z.RA().Radians(), 0.0);
    EXPECT_EQ(z.Dec().Radians(), 0.0);
    EXPECT_EQ(z.Dist().Meters(), 0.0);
    EXPECT_EQ(z.Flags(), 0x24u);
    EXPECT_EQ(z.Epoch().JD(), 2451545.0);

    PositionTable fixed = PositionTable::FromFixed(At(5.5, -5.0, 0));
    const Coord f = fixed.At(JulianDate(2460000.5, JulianDate::kJulianDay));
    EXPECT_NEAR(f.RA().Hours(), 5.5, 1e-12);
    EXPECT_NEAR(f.Dec().Degrees(), -5.0, 1e-12);
}

TEST(PositionTable, InterpolatesLinearMotionExactly)
{
    const JulianDate mid(2460000.5, JulianDate::kJulianDay);
    PositionTable t = PositionTable::FromFive(mid, 0.5, At(10.0, 1.0, 380000), At(10.1, 1.5, 381000),
                                              At(10.2, 2.0, 382000), At(10.3, 2.5, 383000), At(10.4, 3.0, 384000));
    const Coord c = t.At(mid + 0.25);
    EXPECT_NEAR(c.RA().Hours(), 10.25, 1e-9);
    EXPECT_NEAR(c.Dec().Degrees(), 2.25, 1e-9);
    EXPECT_NEAR(c.Dist().Meters(), 382500e3, 1e-3);
    EXPECT_NEAR(t.Differences().RawLongitude().Radians(), 0.0, 1e-12);
    EXPECT_EQ(c.Flags(), Coord::Precessed);

    PositionTable three = PositionTable::FromThree(mid, 1.0, At(10.0, 1.0, 1), At(10.2, 2.0, 1), At(10.4, 3.0, 1));
    EXPECT_NEAR(three.At(mid - 0.5).RA().Hours(), 10.1, 1e-9);
}

TEST(PositionTable, RightAscensionCrossingZeroInterpolatesThroughZero)
{
    const JulianDate mid(2460000.5, JulianDate::kJulianDay);
    // 23h58m, 23h59m, 0h00m, 0h01m, 0h02m.
    PositionTable t = PositionTable::FromFive(mid, 0.5, At(23 + 58 / 60.0, 0, 1), At(23 + 59 / 60.0, 0, 1),
                                              At(0.0, 0, 1), At(1 / 60.0, 0, 1), At(2 / 60.0, 0, 1));
    const double ra = t.At(mid + 0.25).RA().Hours();
    EXPECT_NEAR(ra, 0.5 / 60.0, 1e-9);
    const double before = t.At(mid - 0.25).RA().Hours();
    EXPECT_NEAR(before, 24.0 - 0.5 / 60.0, 1e-9);
}

} // namespace
