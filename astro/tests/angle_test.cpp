#include "astro/Angle.h"
#include "astro/SignedDMS.h"
#include "framework/stream/PStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

const double kPi = 3.141592653589793;

TEST(Angle, ConstructsFromEachUnit)
{
    struct Case { double value; int unit; double radians; } cases[] = {
        {1.5, 0, 1.5},
        {180, 1, kPi},
        {12, 2, kPi},
        {60, 3, kPi / 180},
        {3600, 4, kPi / 180},
        {1, 5, 0.0},
        {1, -1, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(Angle(c.value, c.unit).Radians(), c.radians, 1e-15) << c.value << " unit " << c.unit;
    EXPECT_EQ(Angle().Radians(), 0.0);
}

TEST(Angle, ReadsBackInEveryUnit)
{
    Angle a(90, Angle::kDegrees);
    EXPECT_NEAR(a.Degrees(), 90.0, 1e-12);
    EXPECT_NEAR(a.Hours(), 6.0, 1e-12);
    EXPECT_NEAR(a.DayFraction(), 0.25, 1e-12);
    EXPECT_NEAR(a.ArcMinutes(), 5400.0, 1e-9);
    EXPECT_NEAR(a.ArcSeconds(), 324000.0, 1e-7);
    EXPECT_NEAR(Angle(-30, Angle::kDegrees).Degrees(), -30.0, 1e-12);
}

TEST(Angle, WrapsIntoFullAndSignedHalfTurn)
{
    EXPECT_NEAR(Angle::Wrapped(-kPi / 2).Radians(), 3 * kPi / 2, 1e-15);
    EXPECT_NEAR(Angle::Wrapped(5 * kPi).Radians(), kPi, 1e-14);
    EXPECT_EQ(Angle::Wrapped(-2 * kPi).Radians(), 2 * kPi); // the one input that lands on 2pi
    EXPECT_NEAR(Angle::WrappedSigned(3 * kPi / 2).Radians(), -kPi / 2, 1e-15);
    EXPECT_EQ(Angle::WrappedSigned(kPi).Radians(), kPi);
    EXPECT_NEAR(Angle(-370, Angle::kDegrees).Wrapped().Degrees(), 350.0, 1e-12);

    int quadrants[] = {1, 2, 3, 4};
    double degrees[] = {10, 100, 190, 280};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Angle(degrees[i], Angle::kDegrees).Quadrant(), quadrants[i]);
    EXPECT_EQ(Angle(-10, Angle::kDegrees).Quadrant(), 4);
}

// Wrapping gives exactly the remainder fmod gives, on either side of one and two turns, far
// beyond them, and for both signs.
TEST(Angle, WrappingIsTheExactRemainder)
{
    const double turn = 2 * kPi;
    std::vector<double> values = {0.0, 1e-300, 1.0, 100.0, 1e6, 1e17};
    for (double edge : {turn, 2 * turn, 3 * turn})
        for (double v : {std::nextafter(edge, 0.0), edge, std::nextafter(edge, 1e9)})
            values.push_back(v);
    for (double v : values)
        for (double r : {v, -v}) {
            const double m = std::fmod(std::fabs(r), turn);
            EXPECT_EQ(Angle::Wrapped(r).Radians(), r >= 0.0 ? m : turn - m) << r;
        }
}

TEST(Angle, ArithmeticAndComparison)
{
    Angle a(1.0);
    EXPECT_EQ((a * 2).Radians(), 2.0);
    EXPECT_EQ((2 * a).Radians(), 2.0);
    EXPECT_EQ((a / 4).Radians(), 0.25);
    EXPECT_EQ((a + 0.5).Radians(), 1.5);
    EXPECT_EQ((a - Angle(0.25)).Radians(), 0.75);
    EXPECT_EQ((-a).Radians(), -1.0);
    a += 1.0;
    a -= Angle(0.5);
    EXPECT_EQ(a.Radians(), 1.5);
    EXPECT_TRUE(a == Angle(1.5));
    EXPECT_TRUE(a != Angle(1.5000000001));
    EXPECT_NEAR(Angle(30, Angle::kDegrees).Sin(), 0.5, 1e-15);
    EXPECT_NEAR(Angle(60, Angle::kDegrees).Cos(), 0.5, 1e-15);
    EXPECT_NEAR(Angle(45, Angle::kDegrees).Tan(), 1.0, 1e-15);
}

TEST(Angle, InverseFunctionsClampAndNeverFail)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case { const char* name; Angle got; double expect; } cases[] = {
        {"asin 2/1", Angle::FromAsin(2, 1), kPi / 2},
        {"asin -3/1", Angle::FromAsin(-3, 1), -kPi / 2},
        {"asin 1/0", Angle::FromAsin(1, 0), 0.0},
        {"asin nan", Angle::FromAsin(nan, 1), -kPi / 2},
        {"asin 1/2", Angle::FromAsin(1, 2), kPi / 6},
        {"acos 2/1", Angle::FromAcos(2, 1), 0.0},
        {"acos -1/1", Angle::FromAcos(-1, 1), kPi},
        {"acos 1/0", Angle::FromAcos(1, 0), 0.0},
        {"atan2 0,0", Angle::FromAtan2(0, 0), 0.0},
        {"atan2 1,-1", Angle::FromAtan2(1, -1), 3 * kPi / 4},
        {"parallax 0", Angle::HorizontalParallax(0), 0.0},
        {"parallax -5", Angle::HorizontalParallax(-5), 0.0},
        {"parallax inside Earth", Angle::HorizontalParallax(1000), kPi / 2},
        {"parallax Moon", Angle::HorizontalParallax(384400000), std::asin(6378140.0 / 384400000)},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(c.got.Radians(), c.expect, 1e-15) << c.name;
}

TEST(Angle, FormatsDecimalAndSexagesimal)
{
    struct Case { double value; int inUnit; int unit, style, precision; const char* text; } cases[] = {
        {1.25, 0, 0, 0, 3, "1.250 rad"},
        {12.5, 1, 1, 0, 2, "12.50 deg"},
        {-12.5, 1, 1, 0, 1, "-12.5 deg"},
        {12.5, 1, 1, 1, 1, "12° 30.0'"},
        {12.5125, 1, 1, 2, 1, "12° 30' 45.0\""},
        {10.9999, 1, 1, 2, 0, "11° 00' 0\""},           // seconds round to 60 and carry
        {10.9999, 1, 1, 1, 2, "10° 59.99'"},            // decimal minutes stay with their degree
        {-5.99999, 2, 2, 1, 3, "-5h 59.999m"},
        {-10.5, 1, 1, 2, 0, "-10° 30' 0\""},
        {6.5, 2, 2, 0, 2, "6.50 hrs"},
        {6.5, 2, 2, 1, 1, "6h 30.0m"},
        {6.2525, 2, 2, 2, 1, "6h 15m 9.0s"},
        {-6.2525, 2, 2, 2, 1, "-6h 15m 9.0s"},
        {1.5, 1, 3, 0, 1, "90.0 min"},
        {1.5, 1, 4, 0, 0, "5400 sec"},
        // automatic style
        {12, 1, 1, 3, 2, "12.00 deg"},
        {-12, 1, 1, 3, 2, "-12.00 deg"},
        {12.5, 1, 1, 3, 1, "12° 30.0'"},
        {12.5125, 1, 1, 3, 1, "12° 30' 45.0\""},
        {-0.5, 1, 1, 3, 2, "-30.00 min"},               // whole degrees 0: arcminutes
        {0.0125, 1, 1, 3, 1, "45.0 sec"},               // no minutes either: arcseconds
        {-0.0125, 1, 1, 3, 1, "-45.0 sec"},
        {6, 2, 2, 3, 1, "6.0 hrs"},
        {0.5, 2, 2, 3, 1, "0h 30.0m"},                  // hours never switch unit
        {12.5, 1, 1, 9, 1, "12° 30.0'"},                // style above 3 is automatic
        {12.5, 1, 7, 0, 1, ""},
        {12.5, 1, -1, 0, 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Angle(c.value, c.inUnit).Format(c.unit, c.style, c.precision), c.text)
            << c.value << " unit " << c.unit << " style " << c.style;
}

TEST(Angle, FormatsCompassAndAltitudeWords)
{
    struct Case { double degrees; int unit, style; const char* text; } cases[] = {
        {45, 5, 5, "North"},         // boundaries fall to the next word down
        {45.01, 5, 5, "East"},
        {200, 5, 0, "South"},        // styles below 4 give the four-word form
        {300, 5, 3, "West"},
        {320, 5, 1, "North"},
        {-30, 5, 6, "NW"},
        {22.5, 5, 6, "N"},
        {100, 5, 6, "E"},
        {11.25, 5, 7, "N"},
        {11.26, 5, 7, "N-NE"},
        {350, 5, 7, "N"},
        {240, 5, 7, "W-SW"},
        {170, 5, 4, "Quadrant 2"},
        {-10, 5, 4, "Quadrant 4"},
        {170, 5, 8, ""},
        {86, 6, 0, "Overhead"},
        {85, 6, 9, "High"},
        {45, 6, 5, "Medium"},
        {0.1, 6, 5, "Low"},
        {0, 6, 5, "Below"},
        {350, 6, 5, "Below"},        // -10 degrees as a signed angle
    };
    for (const auto& c : cases)
        EXPECT_EQ(Angle(c.degrees, Angle::kDegrees).Format(c.unit, c.style, 1), c.text)
            << c.degrees << " unit " << c.unit << " style " << c.style;
}

TEST(Angle, StreamsAsEightRawBytes)
{
    fw::omstream os;
    Angle(1.25).WriteTo(os);
    std::string bytes = os.str();
    ASSERT_EQ(bytes.size(), 8u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[7]), 0x3F); // 1.25 = 0x3FF4000000000000
    EXPECT_EQ(static_cast<unsigned char>(bytes[6]), 0xF4);
    fw::imstream is(bytes);
    Angle back;
    back.ReadFrom(is);
    EXPECT_EQ(back.Radians(), 1.25);
}

TEST(SignedDMS, SplitsWithCarry)
{
    struct Case { double value; int sign, whole, minutes, rounded; } cases[] = {
        {12.5125, 1, 12, 30, 45},
        {-12.5125, -1, 12, 30, 45},
        {-0.9999999, -1, 1, 0, 0},   // seconds carry into minutes, minutes into the whole
        {10.9999, 1, 11, 0, 0},
        {0.0, 1, 0, 0, 0},
        {1.0 / 3600 * 2.5, 1, 0, 0, 3}, // a half second rounds up
    };
    for (const auto& c : cases) {
        SignedDMS d(c.value);
        EXPECT_EQ(d.sign, c.sign) << c.value;
        EXPECT_EQ(d.whole, c.whole) << c.value;
        EXPECT_EQ(d.minutes, c.minutes) << c.value;
        EXPECT_EQ(d.roundedSeconds, c.rounded) << c.value;
    }
    SignedDMS d(-12.5125);
    EXPECT_DOUBLE_EQ(d.value, 12.5125);
    EXPECT_NEAR(d.decimalMinutes, 30.75, 1e-9);
    EXPECT_NEAR(d.seconds, 45.0, 1e-9);
    EXPECT_EQ(SignedDMS(-0.9999999).seconds, 0.0);
}

TEST(SignedDMS, SurvivesValuesOutsideTheIntegerRange)
{
    SignedDMS nan(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(nan.sign, -1);
    EXPECT_EQ(nan.whole, 0);
    SignedDMS huge(1e300);
    EXPECT_EQ(huge.sign, 1);
    EXPECT_GT(huge.whole, 0);
}

TEST(NumericParts, ModfHalvesAndSafeSquareRoot)
{
    EXPECT_EQ(IntegerPart(-2.75), -2.0);
    EXPECT_EQ(FractionalPart(-2.75), -0.75);
    EXPECT_EQ(IntegerPart(3.5), 3.0);
    EXPECT_EQ(FractionalPart(3.5), 0.5);
    EXPECT_EQ(SafeSqrt(16.0), 4.0);
    EXPECT_EQ(SafeSqrt(-1.0), 0.0);
    EXPECT_EQ(SafeSqrt(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

} // namespace
