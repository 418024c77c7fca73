// Fixed cross-reference tables of the catalogue objects, program data that follows the
// published lists they are named after. Numbers are catalogue numbers: NGC n as n, IC n as
// 10000 + n.
#pragma once

#include <cstdint>

// Catalogue number of Messier 1 to 110 (entry n - 1); 0 for the Messier objects without an
// NGC/IC object (M24, M40, M45, M102).
constexpr int MessierCount = 110;
extern const std::int32_t MessierTable[MessierCount];

// The Messier objects that have a catalogue number, sorted by catalogue number.
struct MessierCross {
    std::int32_t messier;
    std::int32_t catalogueNumber;
};
constexpr int MessierCrossCount = 106;
extern const MessierCross MessierCrossTable[MessierCrossCount];

// The Herschel 400 list (in its form before 2008), sorted by NGC number: class 1 to 8 (I to
// VIII) and the number within the class.
struct HerschelEntry {
    std::int32_t ngc;
    std::int32_t herschelClass;
    std::int32_t number;
};
constexpr int HerschelCount = 400;
extern const HerschelEntry HerschelTable[HerschelCount];

// The NGC numbers of the SAC 110 list ("Best of the NGC"), sorted.
constexpr int SacCount = 111;
extern const std::int32_t SacTable[SacCount];
