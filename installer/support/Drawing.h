// The installer's drawing: a drawing context over the platform's device context, inclusive
// rectangles, small numeric helpers and the four-corner gradient fill.
#pragma once

#include "framework/gui/DC.h"
#include "framework/gui/PainterDC.h"

#include <cstdint>
#include <memory>

namespace fw { class Bitmap; }
class QWidget;

namespace kw {

// ---- numbers
inline int Min(int a, int b) { return a < b ? a : b; }
inline int Max(int a, int b) { return a > b ? a : b; }
inline double Min(double a, double b) { return a < b ? a : b; }
inline double Max(double a, double b) { return a > b ? a : b; }
inline bool InRange(int v, int lo, int hi) { return lo <= v && v <= hi; }
inline bool InRange(double v, double lo, double hi) { return lo <= v && v <= hi; }
inline int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }
inline double Clamp(double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; }
// x + 0.5 truncated toward zero.
int RoundToInt(double x);
// The remainder of a by b, never negative; 0 for b = 0.
int Modulo(int a, int b);
// Distance of two points rounded to the nearest integer.
int Distance(int x1, int y1, int x2, int y2);
double DegreesToRadians(double degrees);
template <typename T>
void Swap(T& a, T& b)
{
    T t = a;
    a = b;
    b = t;
}
// a × b / c rounded to the nearest integer (halves away from zero), computed in 64 bits;
// -1 for c = 0.
int MulDiv(int a, int b, int c);

// A rectangle with inclusive edges.
struct Rect {
    int left = 0, top = 0, right = -1, bottom = -1;
    Rect() = default;
    Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    // From and to the platform's rectangles, whose right and bottom lie outside.
    static Rect FromDevice(const fw::Rect& r) { return {r.left, r.top, r.right - 1, r.bottom - 1}; }
    fw::Rect ToDevice() const { return {left, top, right + 1, bottom + 1}; }
    void Normalise();
    static bool Intersect(const Rect& a, const Rect& b, Rect& out);
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Colours as 0x00BBGGRR.
inline uint32_t Rgb(int r, int g, int b) { return uint32_t(r & 255) | uint32_t(g & 255) << 8 | uint32_t(b & 255) << 16; }
inline QColor ToQColor(uint32_t c) { return QColor(c & 255, (c >> 8) & 255, (c >> 16) & 255); }

class DrawContext {
public:
    enum Kind { kBorrowed = 0, kWindow = 1, kMemory = 3 };
    // Over a context the caller keeps (not released here).
    DrawContext(fw::DC& dc, int width, int height);
    // Over a window's surface: draws into a memory bitmap of the window's client size that
    // is shown on the window when the context is destroyed.
    explicit DrawContext(QWidget* window);
    // A memory context of the given size (compatible with another context).
    DrawContext(const DrawContext& compatible, int width, int height);
    ~DrawContext();
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

    int KindOf() const { return kind_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    fw::DC& Dc() { return *dc_; }
    fw::Bitmap* MemoryBitmap() const { return bitmap_.get(); }

    void FillRect(const Rect& r, const fw::Brush& brush) { dc_->FillRect(r.ToDevice(), brush); }
    void FillRectColour(const Rect& r, uint32_t colour) { FillRect(r, fw::Brush(ToQColor(colour))); }
    int TextWidth(const std::string& text) const { return dc_->GetTextExtent(text).cx; }
    int TextHeight(const std::string& text) const { return dc_->GetTextExtent(text).cy; }
    double PixelsPerPoint() const { return dc_->LogPixelsY() / 72.0; }
    // A font of the size in points: height minus the nearest integer to points × pixels per point.
    fw::Font CreateFont(const std::string& face, double points, int weight, bool italic) const;
    // Copies a memory context's bitmap here at (x, y).
    void BitBlt(int x, int y, const DrawContext& from);

private:
    int kind_;
    int width_;
    int height_;
    QWidget* window_ = nullptr;
    std::unique_ptr<fw::Bitmap> bitmap_;
    std::unique_ptr<fw::DC> own_;
    fw::DC* dc_ = nullptr;
};

// The gradient's value of one channel at (x, y) from the rectangle's top-left corner, for a
// rectangle of w × h and the corner values a (top left), b (top right), c (bottom left) and
// d (bottom right); clamped to 0-255. Evaluated in this order, each division a MulDiv:
//   MulDiv(b - a, x, w) + MulDiv(c - a, y, h) + a + MulDiv(MulDiv(a + d - b - c, x, w), y, h)
int GradientValue(int a, int b, int c, int d, int x, int y, int w, int h);
// The colour (0x00BBGGRR) at (x, y) for the four corner colours.
uint32_t GradientColour(const uint32_t corners[4], int x, int y, int w, int h);
// Fills the rectangle with the four-corner gradient in cells of cellWidth × cellHeight on a
// grid anchored at the context's origin, each cell in the colour at its centre.
void FillGradient(DrawContext& dc, const Rect& rect, const uint32_t corners[4], int cellWidth, int cellHeight);

} // namespace kw
