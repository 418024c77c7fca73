// Persistent forms of the date, the instant and the 256-bit choice set, as the observing log's
// files carry them.
//
// A TDate is its 32-bit day number. A TTime is a 32-bit count of seconds from 1 January 1901
// 00:00:00; the three reserved instants the program uses for open and empty bounds (the null
// time, and 2 January 10000 23:59:59 and 1 January 10000 00:00:00 for "maximum" and "no
// entry") take the three highest words, and any other instant outside the span of the count
// is clamped to its nearest end. A 256-bit set
// is 32 raw bytes, bit n in byte n / 8 at value 1 << (n % 8).
#pragma once

#include "framework/stream/Date.h"
#include "framework/stream/PStream.h"

#include <bitset>
#include <cstdint>

namespace fw {

using BitSet256 = std::bitset<256>;

// Seconds from 1 January 1901 that a TTime is written as, reserved words included.
std::uint32_t TimeToWord(const TTime& time);
TTime WordToTime(std::uint32_t word);

void WriteTime(opstream& out, const TTime& time);
TTime ReadTime(ipstream& in);
void WriteDate(opstream& out, const TDate& date);
TDate ReadDate(ipstream& in);
void WriteBitSet(opstream& out, const BitSet256& set);
BitSet256 ReadBitSet(ipstream& in);

} // namespace fw
