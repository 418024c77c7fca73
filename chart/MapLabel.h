// A label of the chart's grid at the point where a grid line leaves the grid's rectangle:
// the value, the anchor on the border, the text's size and flags for the edge and the kind of
// value, and the box the text covers.
#pragma once

#include <cstdint>
#include <string>

#include "framework/gui/Geometry.h"

class MapLabel {
public:
    // Flags: the border edge (where the text goes), the kind of value, and visibility.
    enum : std::uint32_t {
        LeftEdge = 0x01,   // the text ends at the anchor
        RightEdge = 0x02,  // the text starts at the anchor
        TopEdge = 0x04,    // the text is centred above the anchor
        BottomEdge = 0x08, // the text is centred below the anchor
        RightAscension = 0x10,
        Declination = 0x20,
        Visible = 0x40,
    };

    MapLabel() = default;
    // A visible label; value in hours for right ascension, degrees for declination.
    MapLabel(double value, const fw::Point& anchor, const fw::Size& size, std::uint32_t flags);

    // Importance: round values and the labels on the edges across their lines weigh more.
    int Weight() const;
    // "13h", "12" with a raised 30 for half hours, "+30°"; empty without a kind bit.
    std::string Text() const;
    // The text alignment (TA_ flags of the drawing layer) for the edge.
    unsigned Alignment() const;
    // Both visible and their boxes overlap with positive area.
    bool Overlaps(const MapLabel& other) const;
    // Sort order: greater weight first, then the smaller value.
    bool ComesBefore(const MapLabel& other) const;

    bool IsVisible() const { return (flags & Visible) != 0; }
    void Hide() { flags &= ~std::uint32_t(Visible); }

    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t flags = 0;
    double value = 0;
    fw::Rect box;
};
