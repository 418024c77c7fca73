// TimeDate: a calendar date and clock time (year, month, day, hour, minute, second).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace fw { class ipstream; }
namespace fw { class opstream; }

class TimeDate {
public:
    // 2000 January 1, 12:00:00 (the calendar reading of J2000.0).
    TimeDate() = default;
    TimeDate(int year, int month, int day, int hour, int minute, int second);

    // The computer's local clock (or the clock a test set in its place).
    static TimeDate Now();
    // Puts a clock in place of the computer's (empty: the computer's again) and returns the one
    // it replaces; tests drive the program's time with it.
    using Clock = std::function<TimeDate()>;
    static Clock SetClock(Clock clock);

    // The ordinal-th (0 first, 1 second, 2 third, 3 fourth, 4 last) weekday (0 Sunday ..
    // 6 Saturday; any other number counts round the week) of the month, at the given time.
    static TimeDate FromWeekdayRule(int year, int month, int ordinal, int weekday,
                                    int hour, int minute, int second);

    // Gregorian rule for years after 1582, Julian rule (every fourth year) up to 1582.
    static bool IsLeapYear(int year);
    bool IsLeapYear() const { return IsLeapYear(year); }
    // Length of a month (1-12) in a given year, February 29 days in a leap year.
    static int MonthLength(int year, int month);

    bool IsValid() const;
    int DayOfYear() const;
    // 0 Sunday .. 6 Saturday.
    int DayOfWeek() const;
    double DecimalHours() const;

    // Chronological order, field by field.
    bool operator>(const TimeDate& t) const;
    bool operator<(const TimeDate& t) const;
    bool operator==(const TimeDate& t) const;
    bool operator!=(const TimeDate& t) const { return !(*this == t); }

    // Time style 0 "hh:mm:ss", 1 "hh:mm:ssam/pm", 2 "hh:mm", 3 "hh:mmam/pm".
    // Date style 0 decimal year, 1 short weekday, 2 weekday, 3 weekday + month + day,
    // 4-7 day + month name + year, 8-10 month name day, year, 11-12 month/day/year.
    // Composition 0 time, 1 date, 2 time date, 3 date time.
    std::string Format(int timeStyle, int dateStyle, int composition) const;

    // Stream record: version word 5, then the six fields as 16-bit words.
    void WriteTo(fw::opstream& os) const;
    void ReadFrom(fw::ipstream& is);

    static const char* const kMonthNames[12];
    static const char* const kMonthShortNames[12];
    static const char* const kMonthUpperNames[12];
    static const char* const kWeekdayNames[7];
    static const char* const kWeekdayShortNames[7];

    // Four words that every constructor sets to 2, 0, 8 and 3; kept for code outside the
    // calendar that reads them, never streamed.
    std::int32_t tag[4] = {2, 0, 8, 3};
    std::int16_t year = 2000;
    std::int16_t month = 1;
    std::int16_t day = 1;
    std::int16_t hour = 12;
    std::int16_t minute = 0;
    std::int16_t second = 0;
};
