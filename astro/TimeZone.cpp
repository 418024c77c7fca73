#include "astro/TimeZone.h"

#include "astro/AstroConstants.h"
#include "astro/SignedStreamRecord.h"
#include "framework/stream/PStream.h"

#include <algorithm>
#include <climits>

// The United States' rules since 2007: from the second Sunday of March to the first Sunday of
// November, at 2:00 local time.
TimeZone::TimeZone()
    : flags_(StartIsRule | EndIsRule), startOrdinal_(1), endOrdinal_(0),
      dstStart_(TimeDate::FromWeekdayRule(96, 3, 1, 0, 2, 0, 0)),
      dstEnd_(TimeDate::FromWeekdayRule(96, 11, 0, 0, 2, 0, 0))
{
}

void TimeZone::SetDstStartRule(int ordinal, int weekday, int month, int hour, int minute)
{
    startOrdinal_ = ordinal;
    startWeekday_ = weekday;
    dstStart_ = TimeDate::FromWeekdayRule(96, month, ordinal, weekday, hour, minute, 0);
    flags_ |= DstObserved | StartIsRule;
}

void TimeZone::SetDstEndRule(int ordinal, int weekday, int month, int hour, int minute)
{
    endOrdinal_ = ordinal;
    endWeekday_ = weekday;
    dstEnd_ = TimeDate::FromWeekdayRule(96, month, ordinal, weekday, hour, minute, 0);
    flags_ |= DstObserved | EndIsRule;
}

void TimeZone::SetDstStartDate(int month, int day, int hour, int minute)
{
    dstStart_ = TimeDate(96, month, day, hour, minute, 0);
    flags_ = (flags_ & ~static_cast<std::uint32_t>(StartIsRule)) | DstObserved;
}

void TimeZone::SetDstEndDate(int month, int day, int hour, int minute)
{
    dstEnd_ = TimeDate(96, month, day, hour, minute, 0);
    flags_ = (flags_ & ~static_cast<std::uint32_t>(EndIsRule)) | DstObserved;
}

TimeDate TimeZone::DstStart(int year) const
{
    const TimeDate& s = dstStart_;
    if (flags_ & StartIsRule)
        return TimeDate::FromWeekdayRule(year, s.month, startOrdinal_, startWeekday_, s.hour, s.minute, s.second);
    return TimeDate(year, s.month, s.day, s.hour, s.minute, s.second);
}

TimeDate TimeZone::DstEnd(int year) const
{
    const TimeDate& e = dstEnd_;
    if (flags_ & EndIsRule)
        return TimeDate::FromWeekdayRule(year, e.month, endOrdinal_, endWeekday_, e.hour, e.minute, e.second);
    return TimeDate(year, e.month, e.day, e.hour, e.minute, e.second);
}

bool TimeZone::IsDst(const TimeDate* local) const
{
    if (!local) return false;
    if (flags_ & DstForced) return (flags_ & DstObserved) != 0;
    // Rules described but not observed give standard time all year.
    if (!(flags_ & DstObserved)) return false;
    const TimeDate start = DstStart(local->year);
    const TimeDate end = DstEnd(local->year);
    bool dst;
    if (start > end)
        // Southern rules: the period runs from the start over the new year to the end.
        dst = *local > start || *local < end;
    else
        dst = *local > start && *local < end;
    if (dst)
        flags_ |= DstLastFound;
    else
        flags_ &= ~static_cast<std::uint32_t>(DstLastFound);
    return dst;
}

int TimeZone::OffsetMinutes(const TimeDate* local) const
{
    // Summed wide: a setter takes any int, and the sum of two must not overflow.
    const long long minutes = IsDst(local) ? static_cast<long long>(offset_) + shift_ : offset_;
    return static_cast<int>(std::clamp<long long>(minutes, INT_MIN, INT_MAX));
}

double TimeZone::OffsetDays(const TimeDate* local) const
{
    return OffsetMinutes(local) * astro::kDaysPerMinute;
}

JulianDate TimeZone::LocalToUT(const TimeDate& local) const
{
    return JulianDate(local) + OffsetDays(local);
}

JulianDate TimeZone::NowAsUT() const
{
    return LocalToUT(TimeDate::Now());
}

// The local reading of an instant. Daylight saving begins when the standard clock reaches the
// start and ends when the daylight clock reaches the end: the clock times at which the change
// happens, the same readings by which LocalToUT decides, so that the two invert each other.
TimeDate TimeZone::ToLocal(const JulianDate& ut) const
{
    const JulianDate standard = ut - offset_ * astro::kDaysPerMinute;
    const JulianDate summer = standard - shift_ * astro::kDaysPerMinute;
    const bool dst = IsDst(standard.Calendar()) && IsDst(summer.Calendar());
    return dst ? summer.Calendar() : standard.Calendar();
}

// From noon on, the coming midnight; before noon, the midnight just past (noon belongs to the
// night that follows). The midnight is converted as a local clock reading of its own, so that
// a daylight-saving change between it and the instant does not move it by the shift.
JulianDate TimeZone::MidnightOfNight(const JulianDate& ut) const
{
    const TimeDate local = ToLocal(ut);
    TimeDate midnight(local.year, local.month, local.day, 0, 0, 0);
    if (local.DecimalHours() >= 12.0) midnight = (JulianDate(midnight) + 1.0).Calendar();
    return LocalToUT(TimeDate(midnight.year, midnight.month, midnight.day, 0, 0, 0));
}

bool TimeZone::operator==(const TimeZone& z) const
{
    auto sameDate = [](const TimeDate& a, const TimeDate& b) {
        return a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute
               && a.second == b.second;
    };
    return offset_ == z.offset_ && shift_ == z.shift_ && zoneNumber_ == z.zoneNumber_ && flags_ == z.flags_
           && startOrdinal_ == z.startOrdinal_ && endOrdinal_ == z.endOrdinal_
           && startWeekday_ == z.startWeekday_ && endWeekday_ == z.endWeekday_
           && sameDate(dstStart_, z.dstStart_) && sameDate(dstEnd_, z.dstEnd_) && zoneName_ == z.zoneName_;
}

void TimeZone::WriteTo(fw::opstream& os) const
{
    SignedStreamRecord::WriteHeader(os, SignedStreamRecord::ObsSite);
    os.writeWord32(static_cast<std::uint32_t>(offset_));
    os.writeWord32(static_cast<std::uint32_t>(shift_));
    os.writeWord32(static_cast<std::uint32_t>(zoneNumber_));
    os.writeString(zoneName_);
    SignedStreamRecord::WriteRaw32(os, flags_);
    os.writeWord32(static_cast<std::uint32_t>(startOrdinal_));
    os.writeWord32(static_cast<std::uint32_t>(endOrdinal_));
    os.writeWord32(static_cast<std::uint32_t>(startWeekday_));
    os.writeWord32(static_cast<std::uint32_t>(endWeekday_));
    dstStart_.WriteTo(os);
    dstEnd_.WriteTo(os);
    SignedStreamRecord::WriteSignature(os, SignedStreamRecord::ObsSite);
}

void TimeZone::ReadFrom(fw::ipstream& is)
{
    SignedStreamRecord::ReadHeader(is); // neither signature nor version is checked
    offset_ = is.readInt32();
    shift_ = is.readInt32();
    zoneNumber_ = is.readInt32();
    zoneName_ = SignedStreamRecord::ReadName(is);
    flags_ = SignedStreamRecord::ReadRaw32(is);
    startOrdinal_ = is.readInt32();
    endOrdinal_ = is.readInt32();
    startWeekday_ = is.readInt32();
    endWeekday_ = is.readInt32();
    dstStart_.ReadFrom(is);
    dstEnd_.ReadFrom(is);
    SignedStreamRecord::ReadSignature(is);
    // An offset or shift beyond a day, or a weekday that is none, is damage: the record
    // fails and the zone keeps nothing out of range.
    const auto within = [](std::int32_t v, std::int32_t lo, std::int32_t hi) { return v >= lo && v <= hi; };
    const bool inRange = within(offset_, -kMaxOffsetMinutes, kMaxOffsetMinutes) &&
                         within(shift_, -kMaxOffsetMinutes, kMaxOffsetMinutes) &&
                         within(startWeekday_, 0, 6) && within(endWeekday_, 0, 6);
    if (!inRange) {
        const TimeZone defaults;
        offset_ = defaults.offset_;
        shift_ = defaults.shift_;
        startWeekday_ = defaults.startWeekday_;
        endWeekday_ = defaults.endWeekday_;
        is.setstate(fw::ipstream::failbit);
    }
}
