// ElevationWindow: the parameters an elevation map was made for: the observing session's
// length as an hour angle, the site latitude and the altitude limits.
#pragma once

#include <cstdint>

class ElevationWindow {
public:
    double width = 0;          // session length as an hour angle, degrees
    double latitude = 0;       // site latitude, degrees
    std::int32_t minAltitude = 0;   // degrees
    std::int32_t maxAltitude = 90;  // degrees

    ElevationWindow() = default;

    // Session from start to end (local clock), crossing midnight when the end hour is
    // before the start hour; the limits and the latitude are stored as given.
    bool Set(int startHour, int startMinute, int endHour, int endMinute, int minimumAltitude,
             int maximumAltitude, double latitudeDegrees);

    bool operator==(const ElevationWindow& w) const
    {
        return width == w.width && latitude == w.latitude && minAltitude == w.minAltitude &&
               maxAltitude == w.maxAltitude;
    }
    bool operator!=(const ElevationWindow& w) const { return !(*this == w); }
};
