#include "framework/stream/DateStream.h"

namespace fw {

namespace {

constexpr std::uint32_t kNullWord = 0xFFFFFFFDu;
constexpr std::uint32_t kMaximumWord = 0xFFFFFFFEu;
constexpr std::uint32_t kNoEntryWord = 0xFFFFFFFFu;
constexpr std::uint32_t kLastOrdinaryWord = 0xFFFFFFFCu;

std::int64_t EpochSeconds()
{
    static const std::int64_t epoch = TTime(TDate(1u, 1u, 1901), 0, 0, 0).Seconds();
    return epoch;
}

const TTime& MaximumTime()
{
    static const TTime t(TDate(2u, 1u, 10000), 23, 59, 59);
    return t;
}

const TTime& NoEntryTime()
{
    static const TTime t(TDate(1u, 1u, 10000), 0, 0, 0);
    return t;
}

} // namespace

std::uint32_t TimeToWord(const TTime& time)
{
    if (time == TTime())
        return kNullWord;
    if (time == MaximumTime())
        return kMaximumWord;
    if (time == NoEntryTime())
        return kNoEntryWord;
    const std::int64_t s = time.Seconds() - EpochSeconds();
    if (s < 0)
        return 0;
    if (s > static_cast<std::int64_t>(kLastOrdinaryWord))
        return kLastOrdinaryWord;
    return static_cast<std::uint32_t>(s);
}

TTime WordToTime(std::uint32_t word)
{
    switch (word) {
    case kNullWord: return TTime();
    case kMaximumWord: return MaximumTime();
    case kNoEntryWord: return NoEntryTime();
    default: return TTime(EpochSeconds() + static_cast<std::int64_t>(word));
    }
}

void WriteTime(opstream& out, const TTime& time) { out.writeWord32(TimeToWord(time)); }

TTime ReadTime(ipstream& in) { return WordToTime(in.readWord32()); }

void WriteDate(opstream& out, const TDate& date)
{
    const std::int64_t d = date.DayNumber();
    out.writeWord32(d < 0 || d > 0xFFFFFFFFll ? 0u : static_cast<std::uint32_t>(d));
}

TDate ReadDate(ipstream& in) { return TDate::FromDayNumber(in.readWord32()); }

void WriteBitSet(opstream& out, const BitSet256& set)
{
    unsigned char bytes[32] = {};
    for (std::size_t n = 0; n < 256; ++n)
        if (set[n])
            bytes[n / 8] = static_cast<unsigned char>(bytes[n / 8] | (1u << (n % 8)));
    out.writeBytes(bytes, sizeof bytes);
}

BitSet256 ReadBitSet(ipstream& in)
{
    unsigned char bytes[32];
    in.readBytes(bytes, sizeof bytes);
    BitSet256 set;
    for (std::size_t n = 0; n < 256; ++n)
        if (bytes[n / 8] & (1u << (n % 8)))
            set.set(n);
    return set;
}

} // namespace fw
