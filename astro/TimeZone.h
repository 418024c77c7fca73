// TimeZone: turns the user's local clock time into universal time and back, with a standard
// offset in minutes west of Greenwich, a daylight-saving shift and the start and end of
// daylight saving as weekday rules (the last Sunday of October) or fixed dates.
#pragma once

#include <cstdint>
#include <string>

#include "astro/JulianDate.h"
#include "astro/TimeDate.h"

namespace fw { class ipstream; }
namespace fw { class opstream; }

class TimeZone {
public:
    // The largest offset or daylight-saving shift a stored zone may hold: a day, in minutes.
    static constexpr std::int32_t kMaxOffsetMinutes = 24 * 60;

    // Flag bits.
    enum : std::uint32_t {
        DstObserved = 0x001,  // daylight-saving time is observed
        StartIsRule = 0x002,  // the start is a weekday rule (else the fixed start date)
        EndIsRule = 0x004,    // the end is a weekday rule (else the fixed end date)
        DstForced = 0x008,    // dates ignored: in force all year with 0x001, never without
        DstLastFound = 0x100, // the last IsDst test found daylight-saving time
    };

    // Five hours west of Greenwich; daylight saving from the second Sunday of March to the first
    // Sunday of November at 2:00 (the United States' rules since 2007) described by rule but not
    // in force (flag word: the two rule bits only).
    TimeZone();

    int SetUtcOffset(int minutes) { offset_ = minutes; return 1; }
    int SetDstShift(int minutes) { shift_ = minutes; return 1; }
    int SetZoneNumber(int n) { zoneNumber_ = n; return 1; }
    int SetName(const std::string& text) { zoneName_ = text; return 1; }
    // OR bits in / clear them; both return the new flag word.
    std::uint32_t SetFlags(std::uint32_t bits) { return flags_ |= bits; }
    std::uint32_t ClearFlags(std::uint32_t bits) { return flags_ &= ~bits; }

    int UtcOffset() const { return offset_; }
    int DstShift() const { return shift_; }
    int ZoneNumber() const { return zoneNumber_; }
    const std::string& ZoneName() const { return zoneName_; }
    std::uint32_t Flags() const { return flags_; }
    int StartOrdinal() const { return startOrdinal_; }
    int EndOrdinal() const { return endOrdinal_; }
    int StartWeekday() const { return startWeekday_; }
    int EndWeekday() const { return endWeekday_; }
    const TimeDate& DstStartDate() const { return dstStart_; }
    const TimeDate& DstEndDate() const { return dstEnd_; }

    // Weekday rules (ordinal 0 first .. 4 last, weekday 0 Sunday .. 6 Saturday); each sets
    // 0x001 and the rule bit of its end.
    void SetDstStartRule(int ordinal, int weekday, int month, int hour, int minute);
    void SetDstEndRule(int ordinal, int weekday, int month, int hour, int minute);
    // Fixed dates; each sets 0x001 and clears the rule bit of its end.
    void SetDstStartDate(int month, int day, int hour, int minute);
    void SetDstEndDate(int month, int day, int hour, int minute);

    // The instants (local clock) at which daylight saving starts and ends in a year.
    TimeDate DstStart(int year) const;
    TimeDate DstEnd(int year) const;

    // Whether daylight-saving time is in force at a local clock time; no date gives false.
    // A start later in the year than the end (southern rules) is a period that wraps the new
    // year. A zone that does not observe daylight saving (no flag 0x001) keeps standard time.
    // Records its answer in flag 0x100.
    bool IsDst(const TimeDate* local) const;
    bool IsDst(const TimeDate& local) const { return IsDst(&local); }

    // Standard offset plus the shift while daylight saving is in force (minutes, days).
    int OffsetMinutes(const TimeDate* local) const;
    int OffsetMinutes(const TimeDate& local) const { return OffsetMinutes(&local); }
    double OffsetDays(const TimeDate* local) const;
    double OffsetDays(const TimeDate& local) const { return OffsetDays(&local); }

    // Local clock time to universal time and back.
    JulianDate LocalToUT(const TimeDate& local) const;
    JulianDate NowAsUT() const;
    TimeDate ToLocal(const JulianDate& ut) const;
    // Universal time of the local midnight inside the noon-to-noon night holding the instant.
    JulianDate MidnightOfNight(const JulianDate& ut) const;

    // Offset, shift, zone number, the whole flag word (0x100 included), the rule fields, both
    // dates (month to second) and the names.
    bool operator==(const TimeZone& z) const;
    bool operator!=(const TimeZone& z) const { return !(*this == z); }

    // Stream record: signature, version 5, offset, shift, zone number, name, flag word, the
    // four rule fields, both dates, signature again. The reader checks neither signature nor
    // version; an offset or shift beyond kMaxOffsetMinutes or a weekday outside 0..6 fails the
    // stream, and those fields keep their defaults.
    void WriteTo(fw::opstream& os) const;
    void ReadFrom(fw::ipstream& is);

private:
    std::int32_t offset_ = 300;
    std::int32_t shift_ = -60;
    std::int32_t zoneNumber_ = -5;
    std::string zoneName_;
    // Mutable: IsDst is an enquiry that records its last answer in bit 0x100.
    mutable std::uint32_t flags_;
    std::int32_t startOrdinal_;
    std::int32_t endOrdinal_;
    std::int32_t startWeekday_ = 0;
    std::int32_t endWeekday_ = 0;
    TimeDate dstStart_;
    TimeDate dstEnd_;
};
