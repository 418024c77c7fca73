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

Timestamp Timestamp::FromUnixTime(int64_t seconds)
{
    time_t t = static_cast<time_t>(seconds);
    struct tm tm {};
    localtime_r(&t, &tm);
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

int64_t Timestamp::ToUnixTime() const
{
    struct tm tm {};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return static_cast<int64_t>(mktime(&tm));
}

}  // namespace kw
