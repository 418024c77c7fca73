#include "astro/JulianDate.h"
#include "astro/TimeDate.h"
#include "framework/stream/PStream.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct CalendarCase {
    int year, month, day, hour, minute, second;
    double jd;
};

// Worked examples and the table of Julian days in Meeus, Astronomical Algorithms, chapter 7.
const CalendarCase kMeeusDays[] = {
    {1957, 10, 4, 19, 26, 24, 2436116.31}, // 7.a, launch of Sputnik 1
    {333, 1, 27, 12, 0, 0, 1842713.0},     // 7.b, Julian calendar
    {2000, 1, 1, 12, 0, 0, 2451545.0},
    {1999, 1, 1, 0, 0, 0, 2451179.5},
    {1987, 1, 27, 0, 0, 0, 2446822.5},
    {1987, 6, 19, 12, 0, 0, 2446966.0},
    {1988, 1, 27, 0, 0, 0, 2447187.5},
    {1988, 6, 19, 12, 0, 0, 2447332.0},
    {1900, 1, 1, 0, 0, 0, 2415020.5},
    {1600, 1, 1, 0, 0, 0, 2305447.5},
    {1600, 12, 31, 0, 0, 0, 2305812.5},
    {837, 4, 10, 7, 12, 0, 2026871.8},
    {-123, 12, 31, 0, 0, 0, 1676496.5},
    {-122, 1, 1, 0, 0, 0, 1676497.5},
    {-1000, 7, 12, 12, 0, 0, 1356001.0},
    {-1000, 2, 29, 0, 0, 0, 1355866.5},
    {-1001, 8, 17, 21, 36, 0, 1355671.4},
    {-4712, 1, 1, 12, 0, 0, 0.0},
    {1582, 10, 15, 0, 0, 0, 2299160.5},    // first day of the Gregorian calendar
    {1582, 10, 4, 0, 0, 0, 2299159.5},     // last day of the Julian calendar
    {-584, 5, 28, 15, 7, 12, 1507900.13},  // 7.d
};

TEST(JulianDate, FromCalendarGivesMeeusJulianDays)
{
    for (const auto& c : kMeeusDays) {
        JulianDate j = JulianDate::FromCalendar(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_NEAR(j.JD(), c.jd, 1e-6) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(j.Calendar(), TimeDate(c.year, c.month, c.day, c.hour, c.minute, c.second));
    }
}

TEST(JulianDate, CalendarFromJulianDayGivesMeeusDatesBack)
{
    for (const auto& c : kMeeusDays) {
        JulianDate j(c.jd, JulianDate::kJulianDay);
        EXPECT_EQ(j.Calendar(), TimeDate(c.year, c.month, c.day, c.hour, c.minute, c.second))
            << "JD " << c.jd << " gave " << j.Calendar().Format(0, 12, 3);
        EXPECT_EQ(j.JD(), c.jd);
    }
}

TEST(JulianDate, KindsOfValue)
{
    struct Case { double value; int kind; double jd; } cases[] = {
        {2446895.5, 2, 2446895.5},
        {0.5, 3, 18262.5},          // centuries, no J2000.0 offset
        {0.5, 4, 182625.0},         // millennia
        {51544.5, 5, 2451545.0},    // modified Julian day
        {12345.0, 0, 2451545.0},
        {12345.0, 1, 2451545.0},
        {12345.0, 9, 2451545.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JulianDate(c.value, c.kind).JD(), c.jd) << c.value << " kind " << c.kind;

    JulianDate j2000(0, 0);
    EXPECT_EQ(j2000.Calendar(), TimeDate(2000, 1, 1, 12, 0, 0));
    EXPECT_EQ(JulianDate().JD(), 2451545.0);
    EXPECT_EQ(JulianDate().Calendar(), TimeDate(2000, 1, 1, 12, 0, 0));
}

TEST(JulianDate, InstantsNearMidnightNeverReadHour24)
{
    // 0.3 s before midnight becomes 00:00:00 of the next day.
    JulianDate j(2451544.5 - 0.3 / 86400.0, JulianDate::kJulianDay);
    EXPECT_EQ(j.Calendar(), TimeDate(2000, 1, 1, 0, 0, 0));
    // 0.7 s before midnight rounds to the last second of the day.
    JulianDate k(2451544.5 - 0.7 / 86400.0, JulianDate::kJulianDay);
    EXPECT_EQ(k.Calendar(), TimeDate(1999, 12, 31, 23, 59, 59));
    // 59.6 s past a minute carries into the minute and the hour.
    JulianDate m(2451545.0 - 0.4 / 86400.0, JulianDate::kJulianDay);
    EXPECT_EQ(m.Calendar(), TimeDate(2000, 1, 1, 12, 0, 0));
}

TEST(JulianDate, DayNumbersThatAreNotNumbersStillGiveACalendar)
{
    JulianDate j(std::nan(""), JulianDate::kJulianDay);
    EXPECT_TRUE(j.Calendar().IsValid());
    JulianDate far(1e300, JulianDate::kJulianDay);
    EXPECT_GE(far.Calendar().month, 1);
}

TEST(JulianDate, StartOfDayAndDayArithmetic)
{
    JulianDate j = JulianDate::FromCalendar(1987, 4, 10, 19, 21, 0);
    EXPECT_EQ(j.StartOfDay(0).JD(), 2446895.5);
    EXPECT_EQ(j.StartOfDay(1).JD(), 2446894.5);
    EXPECT_EQ(j.StartOfDay(2).JD(), 2446896.5);
    EXPECT_EQ(j.StartOfDay(2).Calendar(), TimeDate(1987, 4, 11, 0, 0, 0));
    EXPECT_EQ(JulianDate::FromCalendar(1987, 4, 10, 0, 0, 0).StartOfDay(0).JD(), 2446895.5);

    JulianDate later = j + 1.5;
    EXPECT_EQ(later.Calendar(), TimeDate(1987, 4, 12, 7, 21, 0));
    EXPECT_EQ((later - 1.5).JD(), j.JD());
    j += 0.25;
    EXPECT_EQ(j.Calendar(), TimeDate(1987, 4, 11, 1, 21, 0));
}

// An instant made from a day number reads its calendar when first asked: a copy taken before
// that, an instant assigned over one whose reading was known, and one moved by days all read
// their own instant.
TEST(JulianDate, CalendarReadingFollowsCopiesAndAssignments)
{
    const TimeDate expected(1987, 4, 10, 19, 21, 0);
    const JulianDate j(2446896.30625, JulianDate::kJulianDay);
    const JulianDate copy = j;
    EXPECT_EQ(copy.Calendar(), expected);
    EXPECT_EQ(j.Calendar(), expected);
    JulianDate k = JulianDate::FromCalendar(2000, 1, 1, 0, 0, 0);
    EXPECT_EQ(k.Calendar(), TimeDate(2000, 1, 1, 0, 0, 0));
    k = j;
    EXPECT_EQ(k.Calendar(), expected);
    k = JulianDate(2446896.30625 + 1.0, JulianDate::kJulianDay);
    EXPECT_EQ(k.Calendar(), TimeDate(1987, 4, 11, 19, 21, 0));
    k += -2.0;
    EXPECT_EQ(k.StartOfDay(0).Calendar(), TimeDate(1987, 4, 9, 0, 0, 0));
    EXPECT_EQ(k.GreenwichMeanSiderealTime(), JulianDate::FromCalendar(1987, 4, 9, 19, 21, 0).GreenwichMeanSiderealTime());
}

TEST(JulianDate, EqualityComparesOnlyTheDayNumber)
{
    JulianDate a(2451545.0, JulianDate::kJulianDay);
    JulianDate b(TimeDate(2000, 1, 1, 12, 0, 0));
    JulianDate c(TimeDate(1999, 12, 31, 36, 0, 0)); // same instant, other calendar fields
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a == c);
    EXPECT_FALSE(a != c);
    EXPECT_EQ(c.Calendar().hour, 36);
    EXPECT_TRUE(a != a + 1e-6);
}

// Meeus, chapter 12.
TEST(JulianDate, GreenwichSiderealTimeOfMeeusExamples)
{
    struct Case { TimeDate ut; double meanSeconds; double apparentSeconds; } cases[] = {
        // 12.a: 13h10m46.3668s mean, 13h10m46.1351s apparent
        {TimeDate(1987, 4, 10, 0, 0, 0), 13 * 3600 + 10 * 60 + 46.3668, 13 * 3600 + 10 * 60 + 46.1351},
        // 12.b: 8h34m57.0896s mean
        {TimeDate(1987, 4, 10, 19, 21, 0), 8 * 3600 + 34 * 60 + 57.0896, -1},
    };
    for (const auto& c : cases) {
        JulianDate j(c.ut);
        EXPECT_NEAR(j.GreenwichMeanSiderealTime().Hours() * 3600.0, c.meanSeconds, 1e-3);
        if (c.apparentSeconds >= 0) {
            EXPECT_NEAR(j.GreenwichApparentSiderealTime().Hours() * 3600.0, c.apparentSeconds, 2e-3);
        }
    }
    EXPECT_EQ(JulianDate(TimeDate(1987, 4, 10, 19, 21, 0)).GreenwichSiderealClock(),
              TimeDate(1987, 4, 10, 8, 34, 57));
}

TEST(JulianDate, SiderealTimeStaysInOneTurn)
{
    for (double jd = 2400000.5; jd < 2500000.0; jd += 12345.678) {
        double g = JulianDate(jd, JulianDate::kJulianDay).GreenwichApparentSiderealTime().Radians();
        EXPECT_GE(g, 0.0);
        EXPECT_LT(g, 2 * 3.141592653589793);
    }
}

TEST(JulianDate, DynamicalTimeAddsDeltaT)
{
    JulianDate j(TimeDate(1987, 4, 10, 0, 0, 0));
    double dt = (j.JD(8) - j.JD(2)) * 86400.0;
    EXPECT_NEAR(dt, 55.5, 0.5);
    EXPECT_EQ(j.JD(16), j.JD(8));
    EXPECT_EQ(j.JD(3), j.JD(2));
    EXPECT_EQ(j.DynamicalTimeDate(), TimeDate(1987, 4, 10, 0, 0, static_cast<int>(std::lround(dt))));
    EXPECT_NEAR(JulianDate(0, 0).CenturiesSinceJ2000(2), 0.0, 0.0);
    EXPECT_NEAR(JulianDate(2451545.0 + 36525.0, JulianDate::kJulianDay).CenturiesSinceJ2000(), 1.0, 1e-15);
}

TEST(JulianDate, StreamRecordIsTheDayNumber)
{
    fw::omstream os;
    JulianDate::FromCalendar(1957, 10, 4, 19, 26, 24).WriteTo(os);
    ASSERT_EQ(os.str().size(), 8u);
    fw::imstream is(os.str());
    JulianDate back;
    back.ReadFrom(is);
    EXPECT_NEAR(back.JD(), 2436116.31, 1e-6);
    EXPECT_EQ(back.Calendar(), TimeDate(1957, 10, 4, 19, 26, 24));
}

} // namespace
