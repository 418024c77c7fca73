#include "chart/RaDecLabels.h"

#include <algorithm>

RaDecLabels::RaDecLabels()
{
    labels_.reserve(11);
}

RaDecLabels::~RaDecLabels()
{
    Flush();
}

void RaDecLabels::SetClip(const fw::Rect& rect)
{
    clip_ = rect;
    clipSet_ = true;
}

void RaDecLabels::Flush()
{
    labels_.clear();
    position_ = -1;
}

int RaDecLabels::Add(double value, const fw::Point& anchor, const fw::Size& size, std::uint32_t flags)
{
    const MapLabel label(value, anchor, size, flags);
    if (clipSet_) {
        const fw::Rect& b = label.box;
        if (b.left < clip_.left || b.right > clip_.right || b.top < clip_.top || b.bottom > clip_.bottom)
            return 0;
    }
    const auto at = std::upper_bound(labels_.begin(), labels_.end(), label,
                                     [](const MapLabel& a, const MapLabel& b) { return a.ComesBefore(b); });
    labels_.insert(at, label);
    return 1;
}

int RaDecLabels::Next(std::string& text, fw::Point& anchor, unsigned& alignment, std::uint32_t& flags, bool restart)
{
    if (restart)
        position_ = 0;
    else
        ++position_;
    if (position_ < 0 || static_cast<std::size_t>(position_) >= labels_.size()) {
        position_ = -1;
        return 0;
    }
    MapLabel& label = labels_[position_];
    for (int i = 0; i < position_ && label.IsVisible(); ++i) {
        if (label.Overlaps(labels_[i]))
            label.Hide();
    }
    text = label.IsVisible() ? label.Text() : std::string();
    anchor = fw::Point(label.x, label.y);
    alignment = label.Alignment();
    flags = label.flags;
    return 1;
}
