#include "framework/stream/Date.h"

#include <ctime>

namespace fw {

namespace {

// Floor division, so that day numbers and seconds before the epoch split correctly.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Julian day number of a Gregorian date (Fliegel and Van Flandern, with floor division).
std::int64_t DayNumberOf(int year, int month, int day)
{
    const std::int64_t a = FloorDiv(14 - month, 12);
    const std::int64_t y = static_cast<std::int64_t>(year) + 4800 - a;
    const std::int64_t m = month + 12 * a - 3;
    return day + FloorDiv(153 * m + 2, 5) + 365 * y + FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400) - 32045;
}

bool IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

std::tm LocalNow()
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

} // namespace

TDate::TDate(unsigned day, unsigned month, int year)
{
    if (IsValidDate(day, month, year))
        day_ = DayNumberOf(year, static_cast<int>(month), static_cast<int>(day));
}

TDate::TDate(int dayOfYear, int year)
{
    day_ = DayNumberOf(year, 1, 1) + dayOfYear - 1;
}

TDate TDate::FromDayNumber(std::int64_t dayNumber)
{
    TDate d;
    d.day_ = dayNumber;
    return d;
}

TDate TDate::Today()
{
    const std::tm now = LocalNow();
    return TDate(static_cast<unsigned>(now.tm_mday), static_cast<unsigned>(now.tm_mon + 1), now.tm_year + 1900);
}

bool TDate::IsValidDate(unsigned day, unsigned month, int year)
{
    static const unsigned lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1)
        return false;
    const unsigned length = lengths[month - 1] + ((month == 2 && IsLeap(year)) ? 1 : 0);
    return day <= length;
}

const char* TDate::MonthName(unsigned month)
{
    return (month >= 1 && month <= 12) ? kMonthNames[month - 1] : "";
}

void TDate::Split(int& year, unsigned& month, unsigned& day) const
{
    // Inverse of DayNumberOf (Richards' algorithm for the Gregorian calendar).
    const std::int64_t f = day_ + 1401 + FloorDiv(FloorDiv(4 * day_ + 274277, 146097) * 3, 4) - 38;
    const std::int64_t e = 4 * f + 3;
    const std::int64_t g = (e - FloorDiv(e, 1461) * 1461) / 4;
    const std::int64_t h = 5 * g + 2;
    day = static_cast<unsigned>((h % 153) / 5 + 1);
    month = static_cast<unsigned>((FloorDiv(h, 153) + 2) % 12 + 1);
    year = static_cast<int>(FloorDiv(e, 1461) - 4716 + FloorDiv(12 + 2 - month, 12));
}

unsigned TDate::Day() const
{
    int y; unsigned m, d;
    Split(y, m, d);
    return d;
}

unsigned TDate::Month() const
{
    int y; unsigned m, d;
    Split(y, m, d);
    return m;
}

int TDate::Year() const
{
    int y; unsigned m, d;
    Split(y, m, d);
    return y;
}

TTime::TTime(const TDate& date, int hour, int minute, int second)
    : seconds_(date.DayNumber() * 86400 + static_cast<std::int64_t>(hour) * 3600 +
               static_cast<std::int64_t>(minute) * 60 + second)
{
}

TTime TTime::Now()
{
    const std::tm now = LocalNow();
    return TTime(TDate::Today(), now.tm_hour, now.tm_min, now.tm_sec);
}

std::int64_t TTime::SecondOfDay() const
{
    return seconds_ - FloorDiv(seconds_, 86400) * 86400;
}

TDate TTime::Date() const
{
    return TDate::FromDayNumber(FloorDiv(seconds_, 86400));
}

int TTime::Hour() const
{
    return static_cast<int>(SecondOfDay() / 3600);
}

int TTime::Minute() const
{
    return static_cast<int>(SecondOfDay() / 60 % 60);
}

int TTime::Second() const
{
    return static_cast<int>(SecondOfDay() % 60);
}

}  // namespace fw
