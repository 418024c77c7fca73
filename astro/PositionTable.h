// PositionTable: a body's positions sampled at equal steps around a middle instant, from which
// its position at any instant between is interpolated (Meeus, chapter 3); or one fixed position.
#pragma once

#include "astro/Coord.h"
#include "astro/JulianDate.h"

#include <cstdint>

class PositionTable {
public:
    // 0 empty, 1 one fixed position, 2 three positions, 3 five positions, 4 read as 3.
    enum Kind { kEmpty = 0, kFixed = 1, kThree = 2, kFive = 3, kFiveAlt = 4 };

    PositionTable() = default;
    static PositionTable FromFixed(const Coord& position);
    // Samples at middle - interval, middle, middle + interval (slots 1, 3, 5).
    static PositionTable FromThree(const JulianDate& middle, double interval, const Coord& p1, const Coord& p2,
                                   const Coord& p3);
    // Samples at middle - 2 interval ... middle + 2 interval.
    static PositionTable FromFive(const JulianDate& middle, double interval, const Coord& p1, const Coord& p2,
                                  const Coord& p3, const Coord& p4, const Coord& p5);

    // Position at t: the fixed position unchanged, or the interpolated samples (the
    // highest-order differences go to Differences()); the zero equatorial position at J2000.0
    // with flag word 0x24 for an empty table.
    Coord At(const JulianDate& t);

    std::int32_t Kind() const { return kind_; }
    const JulianDate& Middle() const { return middle_; }
    double Interval() const { return interval_; }
    // Slot 1..5.
    const Coord& Slot(int i) const { return slots_[i - 1]; }
    const Coord& Differences() const { return differences_; }

private:
    Coord InterpolateCoord3(const JulianDate& t);
    Coord InterpolateCoord5(const JulianDate& t);

    std::int32_t kind_ = kEmpty;
    JulianDate middle_;
    double interval_ = 0.0;
    Coord slots_[5];
    Coord differences_;
};
