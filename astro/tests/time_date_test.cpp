#include "astro/TimeDate.h"
#include "framework/stream/PStream.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(TimeDate, LeapYearsFollowTheCalendarInForce)
{
    struct Case { int year; bool leap; } cases[] = {
        {1996, true}, {2000, true}, {2001, false},
        {1900, false}, {2100, false}, {1700, false}, {1600, true}, // Gregorian centuries
        {1500, true}, {1100, true}, {4, true}, {0, true}, {-4, true}, {-1, false}, // Julian
        {1584, true}, {1582, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeDate::IsLeapYear(c.year), c.leap) << c.year;
}

TEST(TimeDate, Validity)
{
    struct Case { TimeDate t; bool valid; } cases[] = {
        {TimeDate(2000, 2, 29, 0, 0, 0), true},
        {TimeDate(2001, 2, 29, 0, 0, 0), false},
        {TimeDate(1900, 2, 29, 0, 0, 0), false},
        {TimeDate(1500, 2, 29, 0, 0, 0), true},
        {TimeDate(2001, 4, 31, 0, 0, 0), false},
        {TimeDate(2001, 12, 31, 23, 59, 59), true},
        {TimeDate(2001, 0, 1, 0, 0, 0), false},
        {TimeDate(2001, 13, 1, 0, 0, 0), false},
        {TimeDate(2001, 1, 0, 0, 0, 0), false},
        {TimeDate(2001, 1, 1, 24, 0, 0), false},
        {TimeDate(2001, 1, 1, 0, 60, 0), false},
        {TimeDate(2001, 1, 1, 0, 0, 60), false},
        {TimeDate(2001, 1, 1, -1, 0, 0), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.t.IsValid(), c.valid) << c.t.Format(0, 12, 3);
}

TEST(TimeDate, DayOfYearAndDayOfWeek)
{
    struct Case { TimeDate t; int dayOfYear; int weekday; } cases[] = {
        {TimeDate(2001, 1, 1, 0, 0, 0), 1, 1},
        {TimeDate(2000, 3, 1, 0, 0, 0), 61, 3},
        {TimeDate(2001, 3, 1, 0, 0, 0), 60, 4},
        {TimeDate(1900, 3, 1, 0, 0, 0), 60, 4},   // 1900 is no leap year
        {TimeDate(1978, 11, 14, 0, 0, 0), 318, 2}, // Meeus 7.f
        {TimeDate(1988, 4, 22, 0, 0, 0), 113, 5},  // Meeus 7.g
        {TimeDate(1954, 6, 30, 23, 0, 0), 181, 3}, // Meeus 7.e: a Wednesday
        {TimeDate(2000, 1, 1, 0, 0, 0), 1, 6},
        {TimeDate(1582, 10, 15, 0, 0, 0), 288, 5}, // Friday follows ...
        {TimeDate(1582, 10, 4, 0, 0, 0), 277, 4},  // ... Thursday, across the calendar switch
        {TimeDate(-4712, 1, 1, 0, 0, 0), 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.t.DayOfYear(), c.dayOfYear) << c.t.Format(0, 12, 3);
        EXPECT_EQ(c.t.DayOfWeek(), c.weekday) << c.t.Format(0, 12, 3);
    }
}

TEST(TimeDate, WeekdayRules)
{
    struct Case { int year, month, ordinal, weekday; int day; } cases[] = {
        {1996, 4, 0, 0, 7},   // first Sunday of April 1996
        {1996, 10, 4, 0, 27}, // last Sunday of October 1996
        {1996, 10, 1, 2, 8},  // second Tuesday
        {1996, 10, 2, 2, 15},
        {1996, 10, 3, 2, 22},
        {1996, 10, 4, 2, 29}, // a fifth Tuesday exists
        {1996, 10, 4, 5, 25}, // no fifth Friday: the fourth
        {1996, 2, 4, 4, 29},  // last Thursday of February in a leap year: the 29th
        {1997, 2, 4, 6, 22},  // no 29th in 1997: the fourth Saturday
        {1900, 2, 4, 4, 22},  // 1900 is no leap year: the fourth Thursday
        {1996, 10, 9, 2, 1},  // unknown ordinal: the first
        {2026, 3, 1, 0, 8},   // second Sunday of March 2026
        {2026, 3, 1, 7, 8},   // weekdays beyond 0..6 count round the week
        {2026, 3, 1, -7, 8},
        {2026, 3, 0, INT_MIN, 6}, // INT_MIN is -2 mod 7: a Friday
        {2026, 3, 0, INT_MAX, 2}, // INT_MAX is 1 mod 7: a Monday
    };
    for (const auto& c : cases) {
        TimeDate t = TimeDate::FromWeekdayRule(c.year, c.month, c.ordinal, c.weekday, 2, 30, 15);
        EXPECT_EQ(t, TimeDate(c.year, c.month, c.day, 2, 30, 15))
            << c.year << "-" << c.month << " ordinal " << c.ordinal << " weekday " << c.weekday;
    }
}

TEST(TimeDate, ChronologicalComparison)
{
    TimeDate a(1996, 4, 7, 2, 0, 0);
    TimeDate b(1996, 4, 7, 2, 0, 1);
    TimeDate c(1995, 12, 31, 23, 59, 59);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b > a);
    EXPECT_TRUE(c < a);
    EXPECT_FALSE(a < a);
    EXPECT_FALSE(a > a);
    EXPECT_TRUE(a == TimeDate(1996, 4, 7, 2, 0, 0));
    EXPECT_TRUE(a != b);
}

TEST(TimeDate, FormatsTimeAndDate)
{
    const TimeDate t(1996, 1, 5, 14, 7, 9); // a Friday
    struct Case { TimeDate t; int timeStyle, dateStyle, composition; const char* text; } cases[] = {
        {t, 0, 0, 0, "14:07:09"},
        {t, 1, 0, 0, "02:07:09pm"},
        {t, 2, 0, 0, "14:07"},
        {t, 3, 0, 0, "02:07pm"},
        {TimeDate(1996, 1, 5, 12, 5, 0), 1, 0, 0, "12:05:00pm"},
        {TimeDate(1996, 1, 5, 0, 5, 0), 1, 0, 0, "00:05:00am"},
        {TimeDate(1996, 1, 5, 11, 5, 0), 3, 0, 0, "11:05am"},
        {t, 4, 0, 0, ""},
        {t, 0, 0, 1, "J1996.01"},
        {TimeDate(1997, 7, 2, 0, 0, 0), 0, 0, 1, "1997.50"},
        {TimeDate(1900, 12, 31, 0, 0, 0), 0, 0, 1, "1901.00"}, // no leap year: /365
        {t, 0, 1, 1, "Fri"},
        {t, 0, 2, 1, "Friday"},
        {t, 0, 3, 1, "Friday Jan5"},
        {t, 0, 4, 1, "5Jan96"},
        {t, 0, 5, 1, "5Jan1996"},
        {t, 0, 6, 1, "5JAN96"},
        {t, 0, 7, 1, "5JAN1996"},
        {t, 0, 8, 1, "January 5, 1996"},
        {t, 0, 9, 1, "Jan 5, 1996"},
        {t, 0, 10, 1, "JAN 5, 1996"},
        {t, 0, 11, 1, "1/5/96"},
        {t, 0, 12, 1, "1/5/1996"},
        {TimeDate(2003, 1, 5, 0, 0, 0), 0, 4, 1, "5Jan03"},
        {t, 0, 13, 1, ""},
        {t, 0, 4, 2, "14:07:09 5Jan96"},
        {t, 0, 4, 3, "5Jan96 14:07:09"},
        {t, 0, 4, 4, ""},
        {TimeDate(1996, 13, 5, 14, 7, 9), 0, 4, 0, ""}, // month out of range: nothing at all
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.t.Format(c.timeStyle, c.dateStyle, c.composition), c.text)
            << "styles " << c.timeStyle << "/" << c.dateStyle << "/" << c.composition;
}

TEST(TimeDate, DecimalHoursAndDefaults)
{
    EXPECT_NEAR(TimeDate(2000, 1, 1, 19, 30, 36).DecimalHours(), 19.51, 1e-12);
    TimeDate d;
    EXPECT_EQ(d.tag[0], 2);
    EXPECT_EQ(d.tag[1], 0);
    EXPECT_EQ(d.tag[2], 8);
    EXPECT_EQ(d.tag[3], 3);
    EXPECT_EQ(TimeDate(1, 2, 3, 4, 5, 6).tag[2], 8);
}

TEST(TimeDate, StreamRecordIsVersionAndSixWords)
{
    fw::omstream os;
    TimeDate(1996, 4, 1, 2, 3, 4).WriteTo(os);
    const std::string expected("\x05\x00\x00\x00\xCC\x07\x04\x00\x01\x00\x02\x00\x03\x00\x04\x00", 16);
    EXPECT_EQ(os.str(), expected);

    fw::imstream is(expected);
    TimeDate back(1, 1, 1, 1, 1, 1);
    back.ReadFrom(is);
    EXPECT_EQ(back, TimeDate(1996, 4, 1, 2, 3, 4));
    EXPECT_TRUE(is.good());
}

TEST(TimeDate, NowIsAValidLocalTime)
{
    TimeDate now = TimeDate::Now();
    EXPECT_TRUE(now.IsValid());
    EXPECT_GE(now.year, 2024);
}

} // namespace
