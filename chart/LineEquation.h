// A line through two screen points in slope and intercept form, and where such a line meets
// a rectangle's border: the grid's edge labels sit where grid lines leave the grid's
// rectangle.
#pragma once

#include <cstdint>

#include "framework/gui/Geometry.h"

// Edge codes of a point on a rectangle's border.
enum BorderEdge { EdgeNone = 0, EdgeLeft = 1, EdgeTop = 2, EdgeRight = 3, EdgeBottom = 4 };

class LineEquation {
public:
    LineEquation(int x1, int y1, int x2, int y2);

    // x on the line at y: x1 on a vertical line; fails (0) on a horizontal one. 1 on success.
    int XAtY(double y, double& x) const;
    // y on the line at x: fails (0) on a vertical line; y1 on a horizontal one. 1 on success.
    int YAtX(double x, double& y) const;

    std::int32_t x1, y1, x2, y2;
    double slope;
    double intercept;
    std::uint8_t vertical;
};

// The first end point of the line lying strictly inside the rectangle (x1, y1 first): 1, or
// 0 when neither does.
int EndPointInside(const LineEquation& line, const fw::Rect& rect, fw::Point& point);

// The edge code of a point on the rectangle's border (left, then right, top, bottom); 0 when
// the point is not on it.
int EdgeOfPoint(const fw::Rect& rect, const fw::Point& point);

// Where the line meets the rectangle's border; the result is the edge code, 0 when it does
// not meet it.
int BorderCrossing(const LineEquation& line, const fw::Rect& rect, fw::Point& point);
