// A segment of the chart in screen pixels (integer device coordinates, y growing downwards),
// with the distance from a point to it: the mouse picks the constellation line nearest to it.
#pragma once

#include <cstdint>

#include "framework/gui/Geometry.h"

// Euclidean distance between two screen points, in pixels.
double PointDistance(const fw::Point& p, const fw::Point& q);

struct ScreenLine {
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;

    ScreenLine() = default;
    ScreenLine(const fw::Point& p1, const fw::Point& p2) : x1(p1.x), y1(p1.y), x2(p2.x), y2(p2.y) {}

    // All four values zero: a segment that was never drawn.
    bool IsEmpty() const { return x1 == 0 && y1 == 0 && x2 == 0 && y2 == 0; }
    bool operator==(const ScreenLine& o) const { return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2; }
    bool operator!=(const ScreenLine& o) const { return !(*this == o); }

    // Distance from q to the segment (0 when there is none). Result 1: q lies beside the
    // segment (horizontal or vertical: strictly between its ends; sloped: the foot of the
    // perpendicular within the segment's box grown by 3 pixels); -1: a sloped segment whose
    // foot lies outside that box; 0: an empty or degenerate segment, or q beyond the ends of a
    // horizontal or vertical one. A sloped segment's distance is to the segment itself.
    int DistanceTo(const fw::Point& q, double& distance) const;
};
