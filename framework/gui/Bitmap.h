// A memory bitmap to draw into (through a PainterDC) and copy to a window or save as PNG.
#pragma once

#include <cstdint>
#include <string>

#include <QColor>
#include <QImage>

#include "framework/gui/Geometry.h"

namespace fw {

class Bitmap {
public:
    Bitmap() = default;
    // A bitmap of the size; IsValid() is false when it could not be allocated.
    Bitmap(int width, int height);

    // The most memory one bitmap may take, in bytes (1 GiB): a larger one is not made, as when
    // memory runs out. Tests lower it to see what a window does without its bitmap.
    static std::int64_t MaxBytes();
    static void SetMaxBytes(std::int64_t bytes);

    bool IsValid() const { return !image_.isNull(); }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    Size GetSize() const { return {Width(), Height()}; }
    void Fill(const QColor& color);
    QColor PixelAt(int x, int y) const { return image_.pixelColor(x, y); }
    bool SavePng(const std::string& path) const;

    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }

private:
    QImage image_;
};

}  // namespace fw
