// Windows metafiles (".wmf"), plain or placeable (a 22-byte header with a bounding box before
// the metafile), played into a rectangle of a drawing context. The player draws the records a
// screen picture uses: the window origin and extent; pens, brushes and fonts made, selected and
// deleted; the current position, lines, polylines, polygons, rectangles, rounded rectangles,
// ellipses, arcs and single pixels; text colour, background colour and mode, text alignment
// and text; saving and restoring the context and clipping rectangles. Every other record
// (bitmaps, palettes, regions, escapes, mapping and viewport changes) is stepped over, and a
// record that does not fit its file ends the picture.
#pragma once

#include "installer/support/Drawing.h"

#include <cstdint>
#include <string>

namespace kw {

class Metafile {
public:
    enum { kMaxBytes = 16 << 20 }; // a larger file is not read
    enum : uint32_t { kPlaceableKey = 0x9AC6CDD7 };

    // From a file of the installer's machine; false (and empty) when it is missing, too short,
    // too large or not a metafile.
    bool Load(const char* path);
    bool LoadBytes(const std::string& bytes);
    void Clear();

    bool IsLoaded() const { return !bits_.empty(); }
    bool IsPlaceable() const { return placeable_; }
    // A placeable metafile's bounding box (right and bottom outside), in its own units.
    const fw::Rect& Box() const { return box_; }
    int ObjectCount() const { return objects_; }

    // What one play did: records drawn or applied, records stepped over.
    struct PlayCount {
        int played = 0;
        int skipped = 0;
    };
    // Plays the picture into the rectangle: its window (the placeable box, else one unit per
    // pixel until the picture sets its own) mapped onto the rectangle. The context's state is
    // the same afterwards.
    PlayCount Play(DrawContext& dc, int x, int y, int width, int height) const;

private:
    std::string bits_; // from the metafile header on
    bool placeable_ = false;
    fw::Rect box_;
    int objects_ = 0;
};

} // namespace kw
