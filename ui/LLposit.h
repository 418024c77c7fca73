// An observing site as the site dialogs and the planner document hold it: latitude and
// longitude in degrees (north and east positive) and a name.
#pragma once

#include "astro/AstroConstants.h"

#include <cstdint>
#include <string>

namespace fw { class ipstream; }
namespace fw { class opstream; }

class LLposit {
public:
    // The default site, San Diego (32° 52' N, 117° W).
    LLposit();
    // Stores and clamps: latitude to -90..90, longitude to (-180, 180] (-180 becomes 180).
    LLposit(double latitude, double longitude, const std::string& name);

    // Record: latitude and longitude as doubles, then the name; reading clamps.
    void Read(fw::ipstream& in);
    void Write(fw::opstream& out) const;

    double Latitude() const { return latitude_; }
    double Longitude() const { return longitude_; }
    double LatitudeRadians() const { return latitude_ * astro::kRadiansPerDegree; }
    double LongitudeRadians() const { return longitude_ * astro::kRadiansPerDegree; }
    int LatitudeSign() const { return latitude_ >= 0.0 ? 1 : -1; }
    int LongitudeSign() const { return longitude_ >= 0.0 ? 1 : -1; }

    void SetName(const std::string& name);
    std::string GetName() const { return name_; }

    // Store sign x (degrees + minutes/60 + seconds/3600) and give 0, or change nothing and give
    // 1 (degrees outside 0-90 or 0-180), 2 (minutes outside 0-60), 3 (seconds outside 0-60)
    // or 4 (sign neither +1 nor -1). The text forms read each part as an integer.
    int SetLatitude(int degrees, int minutes, int seconds, int sign);
    int SetLatitude(const std::string& degrees, const std::string& minutes, const std::string& seconds, int sign);
    int SetLongitude(int degrees, int minutes, int seconds, int sign);
    int SetLongitude(const std::string& degrees, const std::string& minutes, const std::string& seconds, int sign);

    // Whole degrees, minutes and seconds of the magnitude as decimal text (no sign); the
    // seconds round up from five tenths and carry into minutes and degrees.
    std::string LatitudeDegreesText() const;
    std::string LatitudeMinutesText() const;
    std::string LatitudeSecondsText() const;
    std::string LongitudeDegreesText() const;
    std::string LongitudeMinutesText() const;
    std::string LongitudeSecondsText() const;

    // Local sidereal time in hours, 0 <= t < 24, from Greenwich sidereal hours.
    double LocalSidereal(double greenwichSiderealHours) const;

    // Degrees, minutes and seconds to decimal degrees; the minutes and seconds count away from 0.
    static double DmsToDecimal(double degrees, double minutes, double seconds);
    // "hh:mm:ss" of decimal hours, each part truncated.
    static std::string ClockText(double hours);
    // The value moved by whole periods (high - low) into low..high.
    static double RangeWrap(double value, double low, double high);

private:
    void Clamp();
    static void SplitDms(double value, int& degrees, int& minutes, int& seconds);

    double latitude_;
    double longitude_;
    std::string name_;
};
