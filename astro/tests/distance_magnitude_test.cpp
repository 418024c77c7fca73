#include "astro/Distance.h"
#include "astro/Magnitude.h"
#include "framework/stream/PStream.h"

#include <gtest/gtest.h>

namespace {

TEST(Distance, ConstructsFromUnitCodes)
{
    struct Case { double value; int unit; double metres; } cases[] = {
        {2, 0, 2},
        {2, 1, 2000},
        {1, 2, 1.4959787e11},
        {1, 3, 0},            // light years are a formatter unit only
        {1, 4, 3.085678e16},
        {1, 5, 0},
        {1, 6, 3.085678e22},
        {1, 7, 0},
        {1, 8, 0},
        {1, -1, 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Distance(c.value, c.unit).Meters(), c.metres) << "unit " << c.unit;
}

TEST(Distance, Arithmetic)
{
    Distance d(10.0);
    EXPECT_EQ((d * 3).Meters(), 30.0);
    EXPECT_EQ((3 * d).Meters(), 30.0);
    EXPECT_EQ((d + 5.0).Meters(), 15.0);
    EXPECT_EQ((d - 5.0).Meters(), 5.0);
    EXPECT_EQ((-d).Meters(), -10.0);
    d += 2.0;
    d -= 1.0;
    EXPECT_TRUE(d == Distance(11.0));
    EXPECT_TRUE(d != Distance(11.5));
    d.SetMeters(4.0);
    EXPECT_EQ(d.Meters(), 4.0);
}

TEST(Distance, FormatsInFixedAndAutomaticUnits)
{
    struct Case { double metres; int unit, precision; const char* text; } cases[] = {
        {1234.5, 0, 5, "1234.5 meters"},
        {384400000, 1, 4, "3.844e+05 km"},
        {1.4959787e11, 2, 3, "1 AU"},
        {9.43053e15, 3, 3, "1 ly"},
        {3.085678e16, 4, 3, "1 pc"},
        {3.085678e19, 5, 3, "1 kpc"},
        {3.085678e22, 6, 3, "1 Mpc"},
        {5, 8, 3, "UNKNOWN DISTANCE UNITS"},
        {5, -1, 3, "UNKNOWN DISTANCE UNITS"},
        // automatic choice by size
        {999999, 7, 3, "1e+06 meters"},
        {384400000, 7, 3, "3.84e+05 km"},
        {1.5e11, 7, 3, "1 AU"},
        {5e15, 7, 3, "0.53 ly"},
        {1e16, 7, 3, "0.324 pc"},     // one light year up to one parsec prints in parsecs
        {1e17, 7, 3, "0.00324 kpc"},
        {3.085678e19, 7, 3, "0.001 Mpc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Distance(c.metres).Format(c.unit, c.precision), c.text) << c.metres << " unit " << c.unit;
}

TEST(Distance, StreamsAsEightRawBytes)
{
    fw::omstream os;
    Distance(384400000.0).WriteTo(os);
    ASSERT_EQ(os.str().size(), 8u);
    fw::imstream is(os.str());
    Distance back;
    back.ReadFrom(is);
    EXPECT_EQ(back.Meters(), 384400000.0);
}

TEST(Magnitude, ValueByKind)
{
    struct Case { double v, p; int kind; double value; } cases[] = {
        {8.5, 9.1, 0, 8.5},
        {20000, 9.1, 0, 9.1},
        {20000, 20000, 0, 20000},
        {8.5, 9.1, 1, 8.5},
        {8.5, 9.1, 2, 9.1},
        {8.5, 9.1, 3, 20000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Magnitude(c.v, c.p).Value(c.kind), c.value) << c.v << "/" << c.p << " kind " << c.kind;
    EXPECT_EQ(Magnitude().Value(0), Magnitude::kNoValue);
}

TEST(Magnitude, FormatsValuesAndReservedWords)
{
    struct Case { double v, p; int precision, kind; const char* text; } cases[] = {
        {8.46, 9.1, 1, 0, "8.5 Visual"},
        {20000, 12.3, 1, 0, "12.3 Photo"},
        {20000, 20000, 1, 0, "No Entry"},
        {20001, 20002, 1, 0, "No Entry"},
        {20000, 12.3, 1, 1, "INVALID"},
        {20001, 12.3, 1, 1, "MIN"},
        {8.5, 20002, 2, 2, "MAX"},
        {8.5, 12.3, 2, 2, "12.30 Photo"},
        {8.5, 12.3, 2, 5, "INVALID"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Magnitude(c.v, c.p).Format(c.precision, c.kind), c.text) << c.v << "/" << c.p << " kind " << c.kind;
}

} // namespace
