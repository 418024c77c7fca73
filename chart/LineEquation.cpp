#include "chart/LineEquation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

LineEquation::LineEquation(int x1_, int y1_, int x2_, int y2_)
    : x1(x1_), y1(y1_), x2(x2_), y2(y2_), slope(0), intercept(0), vertical(1)
{
    if (x1 != x2) {
        slope = (double(y1) - double(y2)) / (double(x1) - double(x2));
        intercept = y1 - x1 * slope;
        vertical = 0;
    }
}

int LineEquation::XAtY(double y, double& x) const
{
    if (vertical) {
        x = x1;
        return 1;
    }
    if (slope == 0)
        return 0;
    x = (y - intercept) / slope;
    return 1;
}

int LineEquation::YAtX(double x, double& y) const
{
    if (vertical)
        return 0;
    y = slope == 0 ? double(y1) : slope * x + intercept;
    return 1;
}

int EndPointInside(const LineEquation& line, const fw::Rect& rect, fw::Point& point)
{
    auto inside = [&](int x, int y) { return x > rect.left && x < rect.right && y > rect.top && y < rect.bottom; };
    if (inside(line.x1, line.y1)) {
        point = fw::Point(line.x1, line.y1);
        return 1;
    }
    if (inside(line.x2, line.y2)) {
        point = fw::Point(line.x2, line.y2);
        return 1;
    }
    return 0;
}

int EdgeOfPoint(const fw::Rect& rect, const fw::Point& p)
{
    const bool inY = p.y >= rect.top && p.y <= rect.bottom;
    const bool inX = p.x >= rect.left && p.x <= rect.right;
    if (p.x == rect.left && inY)
        return EdgeLeft;
    if (p.x == rect.right && inY)
        return EdgeRight;
    if (p.y == rect.top && inX)
        return EdgeTop;
    if (p.y == rect.bottom && inX)
        return EdgeBottom;
    return EdgeNone;
}

namespace {

bool Within(double v, int a, int b)
{
    return v >= std::min(a, b) && v <= std::max(a, b);
}

} // namespace

int BorderCrossing(const LineEquation& line, const fw::Rect& rect, fw::Point& point)
{
    if (line.vertical) {
        if (line.x1 < rect.left || line.x1 > rect.right)
            return EdgeNone;
        if (Within(rect.top, line.y1, line.y2)) {
            point = fw::Point(line.x1, rect.top);
            return EdgeTop;
        }
        if (Within(rect.bottom, line.y1, line.y2)) {
            point = fw::Point(line.x1, rect.bottom);
            return EdgeBottom;
        }
        return EdgeNone;
    }

    if (line.slope == 0) {
        if (line.y1 < rect.top || line.y1 > rect.bottom)
            return EdgeNone;
        const long long m = (static_cast<long long>(line.x1) + line.x2) / 2;
        if (std::abs(double(rect.left) - m) >= std::abs(double(rect.right) - m)) {
            point = fw::Point(rect.right, line.y1);
            return EdgeRight;
        }
        point = fw::Point(rect.left, line.y1);
        return EdgeLeft;
    }

    // The crossing is the first candidate that lies on the border.
    int code = EdgeNone;
    const auto onBorder = [&](const fw::Point& p) {
        code = EdgeOfPoint(rect, p);
        if (code != EdgeNone)
            point = p;
        return code != EdgeNone;
    };

    // An end point on the border is the crossing itself.
    for (const fw::Point end : {fw::Point(line.x1, line.y1), fw::Point(line.x2, line.y2)})
        if (onBorder(end))
            return code;

    double v;
    // Top, bottom, left, right: the first crossing that lies within the segment and on the
    // border.
    for (const int y : {rect.top, rect.bottom})
        if (line.XAtY(y, v) && Within(v, line.x1, line.x2) && onBorder(fw::Point(fw::TruncToInt(v), y)))
            return code;
    for (const int x : {rect.left, rect.right})
        if (line.YAtX(x, v) && Within(v, line.y1, line.y2) && onBorder(fw::Point(x, fw::TruncToInt(v))))
            return code;
    return EdgeNone;
}
