// ObsSite: the observing site (longitude west positive, latitude, elevation, name) on its
// time zone. It gives local sidereal time, atmospheric refraction, horizontal coordinates and
// a cached altitude for rise/set searches.
#pragma once

#include <cstdint>
#include <string>

#include "astro/Angle.h"
#include "astro/Coord.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"
#include "astro/TimeZone.h"

namespace fw { class ipstream; }
namespace fw { class opstream; }

class ObsSite : public TimeZone {
public:
    // Longitude positive west, latitude, site name, zone in hours east of Greenwich (-5 for
    // five hours west), elevation. The standard offset becomes -(zone x 60) minutes, the
    // daylight-saving shift -60 and the flag word 0.
    ObsSite(const Angle& longitude, const Angle& latitude, const std::string& name, double zoneHours,
            const Distance& elevation);
    // Greenwich, at sea level, no name, on the default time zone.
    ObsSite();
    ObsSite(const ObsSite&) = default;
    // Position, elevation, name and time-zone part; the altitude cache starts afresh.
    ObsSite& operator=(const ObsSite& s);

    int SetPosition(const Angle& longitude, const Angle& latitude, const Distance& distance);
    int SetName(const std::string& text) { name_ = text; return 1; }
    int SetTimeZone(const TimeZone& zone);
    int SetElevation(const Distance& elevation) { elevation_ = elevation; return 1; }

    const Coord& Position() const { return position_; }
    // Longitude positive west, as stored.
    Angle Longitude() const { return position_.RawLongitude(); }
    Angle Latitude() const { return position_.RawLatitude(); }
    const Distance& Elevation() const { return elevation_; }
    const std::string& Name() const { return name_; }
    const TimeZone& Zone() const { return *this; }

    // Same name, longitude, latitude, elevation and time-zone part.
    bool operator==(const ObsSite& s) const;
    bool operator!=(const ObsSite& s) const { return !(*this == s); }

    // Greenwich apparent sidereal time minus the west longitude; not wrapped (-2pi .. 2pi).
    Angle LocalSiderealTime(const JulianDate& ut) const;
    // The local sidereal time as a clock reading on the instant's date.
    TimeDate LocalSiderealClock(const JulianDate& ut) const;
    // Refraction for an altitude, in arcminutes: with flag 0x40 Saemundsson's formula, without
    // it Bennett's (Meeus 16.4, 16.3, each corrected to about 0 at the zenith).
    static Angle Refraction(const Angle& altitude, std::uint32_t flags);
    // Horizontal position (azimuth from north through east, altitude) of an equatorial
    // position; flag 0x40 adds refraction.
    Coord ToHorizontal(const JulianDate& ut, const Coord& equatorial, std::uint32_t flags) const;
    // Altitude of an equatorial position, caching the hour angle and the sines and cosines
    // between calls with the same instant, position and site.
    Angle Altitude(const JulianDate& ut, const Coord& equatorial) const;

    // Stream record: the time-zone record, then signature, version 5, position record,
    // elevation, name, the three reserved words, signature again. The cache is not written.
    void WriteTo(fw::opstream& os) const;
    void ReadFrom(fw::ipstream& is);

    // Three words carried by the site record only; nothing else reads or sets them.
    std::uint32_t reserved[3] = {0, 0, 0};

private:
    void ResetAltitudeCache() const;

    Coord position_;
    Distance elevation_;
    std::string name_;

    // Altitude cache, keyed by instant, position and the site's own longitude and latitude.
    mutable bool cacheValid_ = false;
    mutable JulianDate cacheDate_;
    mutable Coord cacheCoord_;
    mutable double cacheSiteLongitude_ = 0.0;
    mutable double cacheSiteLatitude_ = 0.0;
    mutable double cosHourAngle_ = 1.0;
    mutable double sinDec_ = 0.0;
    mutable double cosDec_ = 1.0;
    mutable double sinLat_ = 0.0;
    mutable double cosLat_ = 1.0;
};
