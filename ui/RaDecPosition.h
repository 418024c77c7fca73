// A sky position split for display: right ascension in hours, minutes and seconds and
// declination in degrees, minutes and seconds, with the decimal values.
#pragma once

#include <cstdint>

class RaDecPosition {
public:
    // 18h 32m 21s, +23° 13' 10".
    RaDecPosition();
    // A right ascension outside 0 <= h < 24 becomes 0; the declination is held to -90..90.
    // The parts are truncated; a negative declination has negative minutes and seconds.
    RaDecPosition(double hours, double degrees);

    // 0, or 1 hours outside 0-24, 2 minutes outside 0-60, 3 seconds outside 0-60, 4 24 hours
    // with minutes or seconds; nothing changes on an error.
    int SetRA(std::int32_t hours, std::int32_t minutes, std::int32_t seconds);
    // 0, or 1 degrees outside -90..90, 2 minutes or 3 seconds outside -60..60.
    int SetDec(std::int32_t degrees, std::int32_t minutes, std::int32_t seconds);

    std::int32_t RaHours() const { return raHours_; }
    std::int32_t RaMinutes() const { return raMinutes_; }
    std::int32_t RaSeconds() const { return raSeconds_; }
    std::int32_t DecDegrees() const { return decDegrees_; }
    std::int32_t DecMinutes() const { return decMinutes_; }
    std::int32_t DecSeconds() const { return decSeconds_; }
    double RightAscension() const { return ra_; }
    double Declination() const { return dec_; }

private:
    std::int32_t raHours_ = 0, raMinutes_ = 0, raSeconds_ = 0;
    std::int32_t decDegrees_ = 0, decMinutes_ = 0, decSeconds_ = 0;
    double ra_ = 0.0;
    double dec_ = 0.0;
};
