// The edge labels of one drawing of the chart's grid, kept in order of importance. The chart
// offers every crossing of a grid line with the grid's rectangle, then walks the labels in
// that order; a label whose box overlaps an earlier visible one comes back hidden (with an
// empty text), so labels never overlap and round values win over odd ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chart/MapLabel.h"

class RaDecLabels {
public:
    RaDecLabels();
    ~RaDecLabels();

    // Labels whose box does not lie inside the rectangle (edges may touch) are refused.
    void SetClip(const fw::Rect& rect);
    // Empties the set; the clipping rectangle stays.
    void Flush();
    // Inserts a label in sort order after every label that does not come after it; 0 when
    // the clipping rectangle refuses it.
    int Add(double value, const fw::Point& anchor, const fw::Size& size, std::uint32_t flags);
    // The next label with its text, anchor, alignment and flags; restart begins at the first.
    // A label that overlaps an earlier visible one is hidden and given an empty text. 0 at
    // the end.
    int Next(std::string& text, fw::Point& anchor, unsigned& alignment, std::uint32_t& flags, bool restart);

    std::size_t Count() const { return labels_.size(); }
    const MapLabel& At(std::size_t i) const { return labels_[i]; }

private:
    std::vector<MapLabel> labels_;
    std::int32_t position_ = -1; // -1: before the first label
    fw::Rect clip_;
    bool clipSet_ = false;
};
