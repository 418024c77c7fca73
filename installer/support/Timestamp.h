// A calendar time stamp in local time, fields in the system's order. A new one is year 0,
// month 1, day 1, 00:00:00.000.
#pragma once

#include <cstdint>

namespace kw {

struct Timestamp {
    uint16_t year = 0;
    uint16_t month = 1;
    uint16_t dayOfWeek = 0;
    uint16_t day = 1;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;

    // 1, 0 or -1 comparing year, month, day, hour, minute, second, milliseconds in turn
    // (the day of week is ignored).
    int Compare(const Timestamp& other) const;

    // Conversions to and from seconds since 1970 (UTC) through the local time zone.
    static Timestamp FromUnixTime(int64_t seconds);
    int64_t ToUnixTime() const;
    // The same in universal time: a package's file times are kept this way, so that no time
    // zone or daylight-saving change moves them.
    static Timestamp FromUnixTimeUtc(int64_t seconds);
    int64_t ToUnixTimeUtc() const;
};

}  // namespace kw
