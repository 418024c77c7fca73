#include "astro/RectCoord.h"

#include <cmath>

#include "astro/Coord.h"
#include "astro/SignedStreamRecord.h"
#include "framework/stream/PStream.h"

RectCoord::RectCoord(const Distance& x, const Distance& y, const Distance& z, const JulianDate& epoch,
                     std::uint32_t flags)
    : x_(x), y_(y), z_(z), epoch_(epoch), flags_(flags)
{
}

Distance RectCoord::Length() const
{
    const double x = x_.Meters(), y = y_.Meters(), z = z_.Meters();
    return Distance(std::sqrt(x * x + y * y + z * z));
}

Coord RectCoord::ToSpherical() const
{
    const double x = x_.Meters(), y = y_.Meters(), z = z_.Meters();
    return Coord(Angle::FromAtan2(y, x), Angle::FromAtan2(z, std::sqrt(x * x + y * y)), Length(), epoch_,
                 flags_);
}

RectCoord& RectCoord::operator+=(const RectCoord& r)
{
    x_ += r.x_;
    y_ += r.y_;
    z_ += r.z_;
    return *this;
}

RectCoord& RectCoord::operator-=(const RectCoord& r)
{
    x_ -= r.x_;
    y_ -= r.y_;
    z_ -= r.z_;
    return *this;
}

RectCoord RectCoord::Negated() const
{
    return RectCoord(-x_, -y_, -z_, epoch_, flags_);
}

bool RectCoord::operator==(const RectCoord& r) const
{
    return x_ == r.x_ && y_ == r.y_ && z_ == r.z_ && epoch_ == r.epoch_ && flags_ == r.flags_;
}

void RectCoord::WriteTo(fw::opstream& os) const
{
    os.writeWord32(SignedStreamRecord::CurrentVersion);
    SignedStreamRecord::WriteRawDouble(os, x_.Meters());
    SignedStreamRecord::WriteRawDouble(os, y_.Meters());
    SignedStreamRecord::WriteRawDouble(os, z_.Meters());
    SignedStreamRecord::WriteRawDouble(os, epoch_.JD(2));
    os.writeWord32(flags_);
}

void RectCoord::ReadFrom(fw::ipstream& is)
{
    is.readWord(); // version, not checked
    x_ = Distance(SignedStreamRecord::ReadRawDouble(is));
    y_ = Distance(SignedStreamRecord::ReadRawDouble(is));
    z_ = Distance(SignedStreamRecord::ReadRawDouble(is));
    epoch_ = JulianDate(SignedStreamRecord::ReadJulianDay(is), JulianDate::kJulianDay);
    flags_ = is.readWord();
}
