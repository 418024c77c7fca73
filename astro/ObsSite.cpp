#include "astro/ObsSite.h"

#include <cmath>

#include "astro/AstroConstants.h"
#include "astro/SignedStreamRecord.h"
#include "framework/stream/PStream.h"

namespace {
// Flag word of the site's position and of the cache's default position.
constexpr std::uint32_t kPositionFlags = Coord::MaskMeanPlace;
} // namespace

ObsSite::ObsSite(const Angle& longitude, const Angle& latitude, const std::string& name, double zoneHours,
                 const Distance& elevation)
    : position_(longitude, latitude, elevation, JulianDate(), kPositionFlags),
      elevation_(elevation),
      name_(name),
      cacheCoord_(Angle(), Angle(), Distance(), JulianDate(), kPositionFlags)
{
    SetUtcOffset(static_cast<int>(-(zoneHours * 60.0)));
    SetDstShift(-60);
    // Daylight saving not in force, but the zone's weekday rules kept: without their rule bits
    // the rules' placeholder dates (set for the year 96) would be read as fixed dates.
    ClearFlags(~static_cast<std::uint32_t>(StartIsRule | EndIsRule));
}

ObsSite::ObsSite() : ObsSite(Angle(), Angle(), std::string(), -5.0, Distance())
{
}

ObsSite& ObsSite::operator=(const ObsSite& s)
{
    if (this == &s) return *this;
    TimeZone::operator=(s);
    position_ = s.position_;
    elevation_ = s.elevation_;
    name_ = s.name_;
    ResetAltitudeCache();
    return *this;
}

void ObsSite::ResetAltitudeCache() const
{
    cacheValid_ = false;
    cacheDate_ = JulianDate();
    cacheCoord_ = Coord(Angle(), Angle(), Distance(), JulianDate(), kPositionFlags);
}

int ObsSite::SetPosition(const Angle& longitude, const Angle& latitude, const Distance& distance)
{
    position_ = Coord(longitude, latitude, distance, JulianDate(), kPositionFlags);
    return 1;
}

int ObsSite::SetTimeZone(const TimeZone& zone)
{
    TimeZone::operator=(zone);
    return 1;
}

bool ObsSite::operator==(const ObsSite& s) const
{
    return name_ == s.name_ && Longitude() == s.Longitude() && Latitude() == s.Latitude()
           && elevation_ == s.elevation_ && TimeZone::operator==(s);
}

Angle ObsSite::LocalSiderealTime(const JulianDate& ut) const
{
    return ut.GreenwichApparentSiderealTime() - Longitude();
}

TimeDate ObsSite::LocalSiderealClock(const JulianDate& ut) const
{
    return (ut.StartOfDay(0) + LocalSiderealTime(ut).DayFraction()).Calendar();
}

// Refraction in arcminutes (Meeus 16.4 and 16.3): with flag 0x40 Saemundsson's formula, made
// for a true altitude, without it Bennett's, made for an apparent one; each with its small
// constant so that it gives about 0 at the zenith.
Angle ObsSite::Refraction(const Angle& altitude, std::uint32_t flags)
{
    const double h = altitude.Degrees();
    double r;
    if (flags & Coord::RefractionAdded) {
        if (!(h >= -5.1)) return Angle(0.0, Angle::kArcMinutes);
        r = 1.02 / std::tan((h + 10.3 / (h + 5.11)) * astro::kRadiansPerDegree) + 0.0019279;
    } else {
        if (h < -4.39) return Angle(0.0, Angle::kArcMinutes);
        r = 1.0 / std::tan((h + 7.31 / (h + 4.4)) * astro::kRadiansPerDegree) + 0.0013515;
    }
    return Angle(r, Angle::kArcMinutes);
}

// Equatorial to horizontal (Meeus 13.5, 13.6), azimuth turned to count from north.
Coord ObsSite::ToHorizontal(const JulianDate& ut, const Coord& c, std::uint32_t flags) const
{
    const double H = LocalSiderealTime(ut).Radians() - c.RA().Radians();
    const double phi = Latitude().Radians();
    const double delta = c.Dec().Radians();
    const Angle az = Angle::Wrapped(
        (Angle::FromAtan2(std::sin(H), std::cos(H) * std::sin(phi) - std::tan(delta) * std::cos(phi)) + astro::kPi)
            .Radians());
    Angle alt = Angle::FromAsin(
        std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(H), 1.0);
    std::uint32_t f = c.Flags();
    if (flags & Coord::RefractionAdded) {
        alt += Refraction(alt, 0x27);
        f |= Coord::RefractionAdded;
    }
    return Coord(az, alt, c.Dist(), ut, f & 0x1ff);
}

Angle ObsSite::Altitude(const JulianDate& ut, const Coord& c) const
{
    const double siteLon = Longitude().Radians();
    const double siteLat = Latitude().Radians();
    if (!cacheValid_ || ut != cacheDate_ || c.RA() != cacheCoord_.RA() || siteLon != cacheSiteLongitude_) {
        const double H = LocalSiderealTime(ut).Radians() - c.RA().Radians();
        cosHourAngle_ = std::cos(H);
        cacheDate_ = ut;
        cacheSiteLongitude_ = siteLon;
    }
    if (!cacheValid_ || c.Dec() != cacheCoord_.Dec() || siteLat != cacheSiteLatitude_) {
        const double d = c.Dec().Radians();
        sinDec_ = std::sin(d);
        cosDec_ = std::cos(d);
        sinLat_ = std::sin(siteLat);
        cosLat_ = std::cos(siteLat);
        cacheSiteLatitude_ = siteLat;
    }
    cacheCoord_ = c;
    cacheValid_ = true;
    return Angle::FromAsin(sinLat_ * sinDec_ + cosLat_ * cosDec_ * cosHourAngle_, 1.0);
}

void ObsSite::WriteTo(fw::opstream& os) const
{
    TimeZone::WriteTo(os);
    SignedStreamRecord::WriteHeader(os, SignedStreamRecord::ObsSite);
    position_.WriteTo(os);
    SignedStreamRecord::WriteRawDouble(os, elevation_.Meters());
    os.writeString(name_);
    for (std::uint32_t w : reserved) SignedStreamRecord::WriteRaw32(os, w);
    SignedStreamRecord::WriteSignature(os, SignedStreamRecord::ObsSite);
}

void ObsSite::ReadFrom(fw::ipstream& is)
{
    TimeZone::ReadFrom(is);
    SignedStreamRecord::ReadHeader(is); // neither signature nor version is checked
    position_.ReadFrom(is);
    elevation_ = Distance(SignedStreamRecord::ReadRawDouble(is));
    name_ = SignedStreamRecord::ReadName(is);
    for (std::uint32_t& w : reserved) w = SignedStreamRecord::ReadRaw32(is);
    SignedStreamRecord::ReadSignature(is);
    ResetAltitudeCache();
}
