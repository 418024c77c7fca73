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
    // The foot of the perpendicular from q, as the share t of the way from the first end to
    // the second, worked in doubles: a slope through integer pixels loses the foot on a nearly
    // horizontal segment. The distance is to the segment itself, its nearer end when the foot
    // lies beyond one.
    const double dx = double(x2) - double(x1), dy = double(y2) - double(y1);
    const double t = ((double(q.x) - x1) * dx + (double(q.y) - y1) * dy) / (dx * dx + dy * dy);
    const double footX = x1 + t * dx, footY = y1 + t * dy;
    const double nearest = std::clamp(t, 0.0, 1.0);
    distance = std::hypot(double(q.x) - (x1 + nearest * dx), double(q.y) - (y1 + nearest * dy));

    const double left = std::min(x1, x2) - 3.0, right = std::max(x1, x2) + 3.0;
    const double top = std::min(y1, y2) - 3.0, bottom = std::max(y1, y2) + 3.0;
    return (footX >= left && footX < right && footY >= top && footY < bottom) ? 1 : -1;
}
