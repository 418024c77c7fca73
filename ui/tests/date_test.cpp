#include "framework/stream/Date.h"

#include <gtest/gtest.h>

TEST(TDate, CalendarDatesSplitBackAndCount)
{
    struct Case { unsigned d, m; int y; std::int64_t jdn; };
    const Case cases[] = {
        {1, 1, 2000, 2451545}, {22, 1, 1996, 2450105}, {29, 2, 2000, 2451604},
        {31, 12, 1899, 2415020}, {1, 3, 2100, 2488129}, {1, 1, 10000, 5373485},
    };
    for (const auto& c : cases) {
        const fw::TDate date(c.d, c.m, c.y);
        EXPECT_EQ(date.DayNumber(), c.jdn);
        EXPECT_EQ(date.Day(), c.d);
        EXPECT_EQ(date.Month(), c.m);
        EXPECT_EQ(date.Year(), c.y);
    }
    EXPECT_TRUE(fw::TDate(30u, 2u, 1996).IsNull());
    EXPECT_TRUE(fw::TDate(29u, 2u, 1900).IsNull());
    EXPECT_TRUE(fw::TDate(0u, 5u, 1996).IsNull());
    EXPECT_EQ(fw::TDate(0, 2030), fw::TDate(31u, 12u, 2029));
    EXPECT_EQ(fw::TDate(60, 1996), fw::TDate(29u, 2u, 1996));
}

TEST(TTime, SplitsIntoDateAndTimeOfDayWithCarries)
{
    const fw::TDate day(22u, 1u, 1996);
    const fw::TTime t(day, 12, 75, 61);
    EXPECT_EQ(t.Date(), day);
    EXPECT_EQ(t.Hour(), 13);
    EXPECT_EQ(t.Minute(), 16);
    EXPECT_EQ(t.Second(), 1);
    EXPECT_EQ(fw::TTime(day, 24, 0, 0).Date(), fw::TDate(23u, 1u, 1996));
    EXPECT_EQ(fw::TTime(fw::TDate(), 0, 0, 0), fw::TTime());
}
