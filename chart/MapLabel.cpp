#include "chart/MapLabel.h"

#include <cmath>
#include <cstdio>

#include "framework/gui/DC.h"

MapLabel::MapLabel(double value_, const fw::Point& anchor, const fw::Size& size, std::uint32_t flags_)
    : x(anchor.x), y(anchor.y), width(size.cx), height(size.cy), flags(flags_ | Visible), value(value_)
{
    if (flags & LeftEdge) {
        box = fw::Rect(x - width, y - height, x, y);
    } else if (flags & RightEdge) {
        box = fw::Rect(x, y - height, x + width, y);
    } else if (flags & TopEdge) {
        const int left = x - width / 2;
        box = fw::Rect(left, y - height, left + width, y);
    } else if (flags & BottomEdge) {
        const int left = x - width / 2;
        box = fw::Rect(left, y, left + width, y + height);
    } else {
        box = fw::Rect(x, y, x + width, y + height);
    }
}

int MapLabel::Weight() const
{
    const bool dec = (flags & Declination) != 0;
    const bool side = (flags & (LeftEdge | RightEdge)) != 0;
    const bool topBottom = (flags & (TopEdge | BottomEdge)) != 0;
    int w = ((side && dec) || (topBottom && !dec)) ? 2 : 0;
    auto divides = [&](double n) { return std::fmod(value, n) == 0; };
    if (flags & RightAscension) {
        for (double n : {1.0, 2.0, 4.0, 6.0})
            w += divides(n) ? 1 : 0;
        w += divides(12) ? 2 : 0;
    } else if (dec) {
        for (double n : {10.0, 30.0, 60.0})
            w += divides(n) ? 1 : 0;
        w += divides(90) ? 2 : 0;
        w += divides(180) ? 2 : 0;
    }
    return w;
}

std::string MapLabel::Text() const
{
    char buf[64];
    if (flags & RightAscension) {
        if (value - std::floor(value) == 0.5) {
            // Half an hour: the whole hour with a raised "30" (superscript three and the
            // masculine ordinal indicator).
            std::snprintf(buf, sizeof buf, "%.0f\u00B3\u00BA", std::floor(value));
        } else {
            std::snprintf(buf, sizeof buf, "%.0fh", value);
        }
        return buf;
    }
    if (flags & Declination) {
        std::snprintf(buf, sizeof buf, "%+.0f\u00B0", value);
        return buf;
    }
    return std::string();
}

unsigned MapLabel::Alignment() const
{
    if (flags & LeftEdge)
        return fw::TA_RIGHT | fw::TA_BOTTOM;
    if (flags & RightEdge)
        return fw::TA_LEFT | fw::TA_BOTTOM;
    if (flags & TopEdge)
        return fw::TA_CENTER | fw::TA_BOTTOM;
    if (flags & BottomEdge)
        return fw::TA_CENTER | fw::TA_TOP;
    return fw::TA_LEFT | fw::TA_TOP;
}

bool MapLabel::Overlaps(const MapLabel& o) const
{
    return IsVisible() && o.IsVisible() && box.left < o.box.right && o.box.left < box.right &&
           box.top < o.box.bottom && o.box.top < box.bottom;
}

bool MapLabel::ComesBefore(const MapLabel& o) const
{
    const int w = Weight(), ow = o.Weight();
    if (w != ow)
        return w > ow;
    return value < o.value;
}
