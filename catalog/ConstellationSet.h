// ConstellationSet: a set of the 88 constellations (codes 0 to 87), one bit each in three
// 32-bit masks, with a flag for "every constellation" that answers membership at once.
#pragma once

#include <cstdint>

namespace fw { class ipstream; }
namespace fw { class opstream; }

class ConstellationSet {
public:
    std::uint32_t masks[3];
    std::int32_t lastBit = 0;  // single-bit mask of the constellation last added or toggled
    std::uint8_t all = 1;

    // Every constellation selected.
    ConstellationSet() { SelectAll(); }

    void SelectAll();
    // No constellation selected; lastBit stays.
    void Clear();
    // Selects the code; the set becomes "all" again once every constellation is in it.
    void Add(int code);
    // Flips the code; never makes the set "all".
    void Toggle(int code);
    bool Contains(int code) const
    {
        if (all)
            return true;
        if (code < 0 || code >= 96)
            return false;
        return (masks[code >> 5] >> (code & 31)) & 1u;
    }

    // Masks and the "all" flag; lastBit is scratch.
    bool operator==(const ConstellationSet& s) const;
    bool operator!=(const ConstellationSet& s) const { return !(*this == s); }

    // Three masks and lastBit as raw 4-byte words, then "all" as a 32-bit word.
    void Write(fw::opstream& os) const;
    void Read(fw::ipstream& is);
};
