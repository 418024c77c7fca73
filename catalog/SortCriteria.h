// SortCriteria: up to four sort keys with their directions for each of the two sortable
// lists (0 the filtered list, 1 the observing list). The accessors address the selected list.
// Saved as a signed stream block in "indexes.rsx" and in planner documents.
#pragma once

#include <cstdint>

namespace fw { class ipstream; }
namespace fw { class opstream; }

// Sort key codes, also the string resource ids of their texts (CatalogueString).
enum SortKeyCode : std::int16_t {
    kSortOptions = 13000,
    kSortIgnore = 13001,
    kSortObservationOrder = 13002,
    kSortConstellation = 13003,
    kSortObjectType = 13004,
    kSortDreyerBrightness = 13005,
    kSortDreyerSize = 13006,
    kSortDreyerShape = 13007,
    kSortNumber = 13008,
    kSortRightAscension = 13009,
    kSortDeclination = 13010,
    kSortMagnitude = 13011,
    kSortDiameter = 13012,
    kSortMessierNumber = 13013,
    kSortHerschelNumber = 13014,
    kSortHerschelClass = 13015,
    kSortCommonName = 13016,
    kSortRiseLST = 13017,
    kSortSetLST = 13018,
    kSortRiseLMT = 13019,
    kSortSetLMT = 13020,
    kSortTransitLMT = 13021,
    kSortSkyAtlasChart = 13022,
    kSortUranometriaPage = 13023,
    kSortEndOfOptions = 13024,
};

class SortCriteria {
public:
    static constexpr std::uint32_t kVersion = 5;
    enum Direction { kDescending = 0, kAscending = 1 };

    std::int16_t list = 0;
    // Key n of list l at index (n - 1) * 2 + l; key 1 is the most significant.
    std::int16_t keys[8];
    std::int16_t directions[8];
    std::uint8_t valid = 1;

    // Filtered list by Dreyer brightness, brightest first; observing list in observation
    // order; every other key ignored.
    SortCriteria();

    bool SelectList(int l);
    int Key(int n) const;
    int Direction(int n) const;
    bool SetKey(int n, int code);
    bool SetDirection(int n, int direction);

    // Copies the keys and directions of both lists; both records end with list 1 selected.
    void Assign(SortCriteria& other);
    // The selected list numbers, then the keys and directions of the selected list.
    bool operator==(const SortCriteria& s) const;
    bool operator!=(const SortCriteria& s) const { return !(*this == s); }

    void Write(fw::opstream& os) const;
    void Read(fw::ipstream& is);
};
