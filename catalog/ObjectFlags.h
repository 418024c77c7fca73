// ObjectFlags: one 16-bit word per catalogue row with one bit per filter criterion the row
// passed, and the bit of the observing list. Beside it the two lists of rows the user steps
// through: the filtered list and the observing list. One of each for the whole program, next
// to the catalogue table.
#pragma once

#include "catalog/CatalogueTable.h"

#include <cstdint>

namespace ObjectFlag {
constexpr std::uint16_t kMagnitude = 0x0001;
constexpr std::uint16_t kDreyerBrightness = 0x0002;
constexpr std::uint16_t kDreyerSize = 0x0004;
constexpr std::uint16_t kDiameter = 0x0008;
constexpr std::uint16_t kRaDec = 0x0010;
constexpr std::uint16_t kElevation = 0x0020;
constexpr std::uint16_t kConstellation = 0x0040;
constexpr std::uint16_t kName = 0x0080;
constexpr std::uint16_t kShape = 0x0100;
constexpr std::uint16_t kType = 0x0200;
constexpr std::uint16_t kHistory = 0x0400;
constexpr std::uint16_t kObservingList = 0x1000;

// The three position criteria, the two brightness and the two size criteria.
constexpr std::uint16_t kPositionGroup = 0x0070;
constexpr std::uint16_t kBrightnessGroup = 0x0003;
constexpr std::uint16_t kSizeGroup = 0x000C;
// Every criterion bit.
constexpr std::uint16_t kAllCriteria = 0x07FF;
// Every bit a flag word may carry.
constexpr std::uint16_t kUsedBits = kAllCriteria | kObservingList;
} // namespace ObjectFlag

// The three arrays below are owned here; a reset clears every flag word and empties both lists
// (entries 0), as a fresh start has them. The lists' counts live with the catalogue.
void ResetObjectLists();

// Flag word of each row; rows 0 to 13225 are used.
extern std::uint16_t ObjectFlags[CatalogueCapacity];
// Rows of the filtered list, entries 0 to its count - 1.
extern std::int32_t FilteredList[CatalogueCapacity];
// Rows of the observing list in the user's order (until sorted).
extern std::int32_t ObservingList[CatalogueCapacity];
