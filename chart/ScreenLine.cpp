#include "chart/ScreenLine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

bool StrictlyBetween(int v, int a, int b)
{
    return (a < v && v < b) || (b < v && v < a);
}

} // namespace

double PointDistance(const fw::Point& p, const fw::Point& q)
{
    const double dx = double(p.x) - double(q.x);
    const double dy = double(p.y) - double(q.y);
    return std::sqrt(dx * dx + dy * dy);
}

int ScreenLine::DistanceTo(const fw::Point& q, double& distance) const
{
    distance = 0;
    if (IsEmpty() || (x1 == x2 && y1 == y2))
        return 0;
    if (y1 == y2) {
        distance = std::fabs(double(q.y) - double(y1));
        return StrictlyBetween(q.x, x1, x2) ? 1 : 0;
    }
    if (x1 == x2) {
        distance = std::fabs(double(q.x) - double(x1));
        return StrictlyBetween(q.y, y1, y2) ? 1 : 0;
    }
    // The line y = f x + h, and the perpendicular through q, y = g x + m; their meeting point
    // is the foot of the perpendicular.
    const double f = (double(y1) - double(y2)) / (double(x1) - double(x2));
    const double h = y1 - f * x1;
    const double g = -1.0 / f;
    const double m = q.y - g * q.x;
    const int fy = fw::TruncToInt((g * h - f * m) / (g - f));
    const int fx = fw::TruncToInt((fy - h) / f);
    distance = PointDistance(q, fw::Point(fx, fy));

    const long long left = std::min(x1, x2) - 3LL, right = std::max(x1, x2) + 3LL;
    const long long top = std::min(y1, y2) - 3LL, bottom = std::max(y1, y2) + 3LL;
    return (fx >= left && fx < right && fy >= top && fy < bottom) ? 1 : -1;
}
