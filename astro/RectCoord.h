// RectCoord: a rectangular position triple (x toward the equinox, z toward the pole of the
// frame) with the epoch of its frame and the same flag word as Coord.
#pragma once

#include <cstdint>

#include "astro/Distance.h"
#include "astro/JulianDate.h"

namespace fw { class ipstream; }
namespace fw { class opstream; }
class Coord;

class RectCoord {
public:
    // 0, 0, 0 m at J2000.0 with flag word 0.
    RectCoord() = default;
    RectCoord(const Distance& x, const Distance& y, const Distance& z, const JulianDate& epoch,
              std::uint32_t flags);

    const Distance& X() const { return x_; }
    const Distance& Y() const { return y_; }
    const Distance& Z() const { return z_; }
    const JulianDate& Epoch() const { return epoch_; }
    std::uint32_t Flags() const { return flags_; }

    // sqrt(x^2 + y^2 + z^2) in metres.
    Distance Length() const;
    // Longitude atan2(y, x), latitude atan2(z, sqrt(x^2 + y^2)), the length as distance;
    // epoch and flag word copied unchanged (no frame mask).
    Coord ToSpherical() const;

    // Componentwise; epoch and flag word are those of the left operand.
    RectCoord& operator+=(const RectCoord& r);
    RectCoord& operator-=(const RectCoord& r);
    RectCoord operator+(const RectCoord& r) const { RectCoord s(*this); return s += r; }
    RectCoord operator-(const RectCoord& r) const { RectCoord s(*this); return s -= r; }
    // All three components negated; epoch and flag word kept.
    RectCoord Negated() const;

    // Components, epoch (Julian day) and flag word all equal.
    bool operator==(const RectCoord& r) const;
    bool operator!=(const RectCoord& r) const { return !(*this == r); }

    // Stream record: version word 5, x, y and z as 8-byte doubles, the epoch's Julian day,
    // the flag word.
    void WriteTo(fw::opstream& os) const;
    void ReadFrom(fw::ipstream& is);

private:
    Distance x_;
    Distance y_;
    Distance z_;
    JulianDate epoch_;
    std::uint32_t flags_ = 0;
};
