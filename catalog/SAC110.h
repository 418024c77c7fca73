// SAC110: membership in the SAC 110 list ("Best of the NGC" of the Saguaro Astronomy Club).
#pragma once

#include <cstdint>

class SAC110 {
public:
    SAC110();
    int Count() const { return count_; }
    // Whether the catalogue number (NGC n as n) is on the list.
    bool Contains(std::int32_t catalogueNumber) const;

private:
    int count_;
};
