// Calendar date and instant: the two value types the program uses for days and times of day.
//
// TDate is a day number (the Julian day number of a Gregorian calendar date); day number 0 is
// the null date. TTime is a count of seconds from the start of day number 0, in local time
// without a zone, so TTime(TDate(), 0, 0, 0) is the null time 0.
#pragma once

#include <cstdint>
#include <string>

namespace fw {

class TDate {
public:
    // The null date.
    TDate() = default;
    // A calendar date; an impossible one (30 February, day 0) gives the null date.
    TDate(unsigned day, unsigned month, int year);
    // Day `dayOfYear` of `year`, counted from 1 January as day 1 (day 0 is 31 December of the
    // year before; any count is allowed and simply moves the day number).
    TDate(int dayOfYear, int year);

    static TDate FromDayNumber(std::int64_t dayNumber);
    // The computer's local date.
    static TDate Today();
    // True when day, month and year name a real Gregorian date.
    static bool IsValidDate(unsigned day, unsigned month, int year);
    // "January" ... "December" for 1-12, "" otherwise.
    static const char* MonthName(unsigned month);

    std::int64_t DayNumber() const { return day_; }
    bool IsNull() const { return day_ == 0; }
    unsigned Day() const;    // day of the month, 1-31
    unsigned Month() const;  // 1-12
    int Year() const;

    friend bool operator==(const TDate& a, const TDate& b) { return a.day_ == b.day_; }
    friend bool operator!=(const TDate& a, const TDate& b) { return a.day_ != b.day_; }
    friend bool operator<(const TDate& a, const TDate& b) { return a.day_ < b.day_; }
    friend bool operator>(const TDate& a, const TDate& b) { return a.day_ > b.day_; }
    friend bool operator<=(const TDate& a, const TDate& b) { return a.day_ <= b.day_; }
    friend bool operator>=(const TDate& a, const TDate& b) { return a.day_ >= b.day_; }

private:
    void Split(int& year, unsigned& month, unsigned& day) const;
    std::int64_t day_ = 0;
};

class TTime {
public:
    // The null time (0 seconds).
    TTime() = default;
    explicit TTime(std::int64_t seconds) : seconds_(seconds) {}
    // Hour, minute and second of a date; out-of-range parts carry over (75 minutes is 1:15).
    TTime(const TDate& date, int hour, int minute, int second);

    // The computer's local time, to the second.
    static TTime Now();

    std::int64_t Seconds() const { return seconds_; }
    TDate Date() const;
    int Hour() const;    // 0-23
    int Minute() const;  // 0-59
    int Second() const;  // 0-59

    friend bool operator==(const TTime& a, const TTime& b) { return a.seconds_ == b.seconds_; }
    friend bool operator!=(const TTime& a, const TTime& b) { return a.seconds_ != b.seconds_; }
    friend bool operator<(const TTime& a, const TTime& b) { return a.seconds_ < b.seconds_; }
    friend bool operator>(const TTime& a, const TTime& b) { return a.seconds_ > b.seconds_; }
    friend bool operator<=(const TTime& a, const TTime& b) { return a.seconds_ <= b.seconds_; }
    friend bool operator>=(const TTime& a, const TTime& b) { return a.seconds_ >= b.seconds_; }

private:
    std::int64_t SecondOfDay() const;
    std::int64_t seconds_ = 0;
};

}  // namespace fw
