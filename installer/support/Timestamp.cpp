#include "installer/support/Timestamp.h"

#include <ctime>

namespace kw {

int Timestamp::Compare(const Timestamp& other) const
{
    const uint16_t a[] = {year, month, day, hour, minute, second, milliseconds};
    const uint16_t b[] = {other.year, other.month, other.day, other.hour,
                          other.minute, other.second, other.milliseconds};
    for (int i = 0; i < 7; ++i) {
        if (a[i] > b[i]) return 1;
        if (a[i] < b[i]) return -1;
    }
    return 0;
}

namespace {
Timestamp FromCalendar(const struct tm& tm)
{
    Timestamp s;
    s.year = static_cast<uint16_t>(tm.tm_year + 1900);
    s.month = static_cast<uint16_t>(tm.tm_mon + 1);
    s.dayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    s.day = static_cast<uint16_t>(tm.tm_mday);
    s.hour = static_cast<uint16_t>(tm.tm_hour);
    s.minute = static_cast<uint16_t>(tm.tm_min);
    s.second = static_cast<uint16_t>(tm.tm_sec);
    return s;
}

struct tm ToCalendar(const Timestamp& s)
{
    struct tm tm {};
    tm.tm_year = s.year - 1900;
    tm.tm_mon = s.month - 1;
    tm.tm_mday = s.day;
    tm.tm_hour = s.hour;
    tm.tm_min = s.minute;
    tm.tm_sec = s.second;
    tm.tm_isdst = -1;
    return tm;
}
} // namespace

Timestamp Timestamp::FromUnixTime(int64_t seconds)
{
    time_t t = static_cast<time_t>(seconds);
    struct tm tm {};
    localtime_r(&t, &tm);
    return FromCalendar(tm);
}

Timestamp Timestamp::FromUnixTimeUtc(int64_t seconds)
{
    time_t t = static_cast<time_t>(seconds);
    struct tm tm {};
    gmtime_r(&t, &tm);
    return FromCalendar(tm);
}

int64_t Timestamp::ToUnixTime() const
{
    struct tm tm = ToCalendar(*this);
    return static_cast<int64_t>(mktime(&tm));
}

int64_t Timestamp::ToUnixTimeUtc() const
{
    struct tm tm = ToCalendar(*this);
    return static_cast<int64_t>(timegm(&tm));
}

}  // namespace kw
