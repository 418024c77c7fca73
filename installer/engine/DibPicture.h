// Device-independent bitmaps as the installer screen shows them: Windows ".bmp" pictures of 1,
// 4, 8 or 24 bits per pixel without compression, from a file of the installer's machine or a
// picture of the language package, drawn at their size, stretched or tiled, optionally with one
// colour transparent. A picture that cannot be read is refused quietly (false) and stays empty.
#pragma once

#include "installer/support/BitmapRef.h"
#include "installer/support/Drawing.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QImage>

namespace kw {

class DibPalette;

class DibPicture {
public:
    // What a picture may be: larger ones are refused, whatever the file says.
    enum { kMaxSide = 32767, kMaxPixels = 1 << 24 };

    DibPicture() = default;

    // A picture from a file of the installer's machine (Windows path).
    bool LoadFile(const char* path, bool withBits = true);
    // A picture of the language package (the installer's own resources while none is loaded).
    bool LoadResource(const char* name, bool withBits = true);
    // From the file or the package picture the source names.
    bool Load(const PictureSource& source, bool withBits = true);
    // From the file of the reference, the variant for the screen's colour depth when there is one.
    bool Load(const BitmapRef& reference, bool withBits = true);
    // From the bytes of a ".bmp" file.
    bool LoadBytes(const std::string& bytes, bool withBits = true);
    void Clear();

    bool IsLoaded() const { return width_ > 0; }
    bool HasBits() const { return !rows_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bits_; }
    int ColourCount() const { return colours_; }
    int Stride() const { return stride_; }
    // The colour table: 1 << bits entries (0x00RRGGBB) below 24 bits, none at 24.
    const std::vector<uint32_t>& ColourTable() const { return table_; }
    // The colour (0x00RRGGBB) of a pixel counted from the top-left corner; 0 outside or without bits.
    uint32_t PixelAt(int x, int y) const;

    // Row length in bytes of a picture of the width and bit count: whole 32-bit words.
    static int StrideFor(int width, int bits);

    // The colour of that pixel (from the top-left corner) is left out of every later draw;
    // a point outside the picture clears it.
    void SetTransparentPixel(int x, int y);
    void ClearTransparentPixel();
    bool HasTransparentPixel() const { return keyX_ >= 0; }

    // At its own size with its top-left corner at (x, y).
    void Draw(DrawContext& dc, int x, int y) const;
    // Stretched into the rectangle (each pixel repeated or dropped, no smoothing).
    void DrawInto(DrawContext& dc, const Rect& rect) const;
    // Repeated from the area's top-left corner over every tile that meets the clip rectangle,
    // each tile clipped to it.
    void DrawTiled(DrawContext& dc, const Rect& area, const Rect& clip) const;

    // For 8-bit pictures one palette entry per colour of the table that the picture uses;
    // other pictures leave the palette empty. True unless the palette cannot be made.
    bool BuildPalette(DibPalette& palette) const;

    // The picture as an image (with the transparent colour cleared), null without bits.
    const QImage& Image() const;

    // A source of a picture's bytes (memory or an open file), read at checked offsets.
    struct Reader;

private:
    bool Parse(Reader& in, bool withBits);

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    int bits_ = 0;
    int colours_ = 0;
    std::vector<uint32_t> table_;
    std::vector<uint8_t> rows_; // bottom-up, stride_ bytes each
    int keyX_ = -1, keyY_ = -1;
    mutable QImage image_;
    mutable bool imageMade_ = false;
};

// The colours of an 8-bit picture as a logical palette. There are no palette devices here: the
// palette is kept for what it describes, and realising it does nothing.
class DibPalette {
public:
    struct Entry {
        uint8_t red = 0, green = 0, blue = 0, flags = 0;
    };
    enum { kVersion = 0x300 };

    bool IsEmpty() const { return entries_.empty(); }
    const std::vector<Entry>& Entries() const { return entries_; }
    void SetEntries(std::vector<Entry> entries) { entries_ = std::move(entries); }
    void SetBackground(bool background) { background_ = background; }
    bool Background() const { return background_; }

    // Nothing on a device without a palette, which every device here is.
    void Realize(fw::DC& dc);
    void Restore();

private:
    std::vector<Entry> entries_;
    bool background_ = false;
};

} // namespace kw
