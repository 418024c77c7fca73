#include "installer/support/Drawing.h"

#include "framework/gui/Bitmap.h"

#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

#include <cmath>
#include <cstdlib>

namespace kw {

int RoundToInt(double x) { return static_cast<int>(x + 0.5); }

int Modulo(int a, int b)
{
    if (b == 0) return 0;
    int r = a % b;
    if (r < 0) r += b < 0 ? -b : b;
    return r;
}

int Distance(int x1, int y1, int x2, int y2)
{
    double dx = double(x2) - x1, dy = double(y2) - y1;
    return static_cast<int>(std::lround(std::sqrt(dx * dx + dy * dy)));
}

double DegreesToRadians(double degrees) { return degrees * 3.14159265358979323846 / 180.0; }

int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    long long p = static_cast<long long>(a) * b;
    long long q = c;
    if ((p < 0) != (q < 0)) return static_cast<int>((p - q / 2) / q);
    return static_cast<int>((p + q / 2) / q);
}

void Rect::Normalise()
{
    if (left > right) Swap(left, right);
    if (top > bottom) Swap(top, bottom);
}

bool Rect::Intersect(const Rect& a, const Rect& b, Rect& out)
{
    Rect r(Max(a.left, b.left), Max(a.top, b.top), Min(a.right, b.right), Min(a.bottom, b.bottom));
    if (r.left > r.right || r.top > r.bottom) return false;
    out = r;
    return true;
}

// ---- drawing context

DrawContext::DrawContext(fw::DC& dc, int width, int height)
    : kind_(kBorrowed), width_(width), height_(height), dc_(&dc) {}

DrawContext::DrawContext(QWidget* window)
    : kind_(kWindow), width_(window ? window->width() : 0), height_(window ? window->height() : 0), window_(window)
{
    bitmap_ = std::make_unique<fw::Bitmap>(Max(width_, 1), Max(height_, 1));
    bitmap_->Fill(window ? window->palette().color(QPalette::Window) : QColor(255, 255, 255));
    own_ = std::make_unique<fw::PainterDC>(*bitmap_);
    dc_ = own_.get();
}

DrawContext::DrawContext(const DrawContext&, int width, int height)
    : kind_(kMemory), width_(width), height_(height)
{
    bitmap_ = std::make_unique<fw::Bitmap>(Max(width, 1), Max(height, 1));
    own_ = std::make_unique<fw::PainterDC>(*bitmap_);
    dc_ = own_.get();
}

DrawContext::~DrawContext()
{
    own_.reset(); // ends the painting
    if (kind_ == kWindow && window_ && bitmap_ && bitmap_->IsValid()) {
        QPixmap pm = QPixmap::fromImage(bitmap_->Image());
        if (auto* label = qobject_cast<QLabel*>(window_)) {
            label->setPixmap(pm);
        } else {
            QPalette p = window_->palette();
            p.setBrush(QPalette::Window, QBrush(pm));
            window_->setPalette(p);
            window_->setAutoFillBackground(true);
            window_->update();
        }
    }
}

fw::Font DrawContext::CreateFont(const std::string& face, double points, int weight, bool italic) const
{
    return fw::Font(face, -RoundToInt(points * PixelsPerPoint()), weight, italic);
}

void DrawContext::BitBlt(int x, int y, const DrawContext& from)
{
    if (!from.bitmap_) return;
    dc_->DrawBitmap(fw::Point(x, y), *from.bitmap_, fw::Rect(0, 0, from.bitmap_->Width(), from.bitmap_->Height()));
}

// ---- gradient

int GradientValue(int a, int b, int c, int d, int x, int y, int w, int h)
{
    if (w <= 0 || h <= 0) return Clamp(a, 0, 255);
    int v = MulDiv(b - a, x, w) + MulDiv(c - a, y, h) + a + MulDiv(MulDiv(a + d - b - c, x, w), y, h);
    return Clamp(v, 0, 255);
}

uint32_t GradientColour(const uint32_t corners[4], int x, int y, int w, int h)
{
    uint32_t colour = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        auto ch = [&](int i) { return int((corners[i] >> shift) & 255); };
        colour |= uint32_t(GradientValue(ch(0), ch(1), ch(2), ch(3), x, y, w, h)) << shift;
    }
    return colour;
}

namespace {
// Start of the grid cell holding v (the grid anchored at 0).
int CellStart(int v, int cell) { return v - Modulo(v, cell); }

void FillCells(DrawContext& target, const Rect& rect, const uint32_t corners[4], int cw, int ch, int originX,
               int originY)
{
    int w = rect.Width(), h = rect.Height();
    bool vertical = corners[0] == corners[1] && corners[2] == corners[3];
    for (int top = CellStart(rect.top, ch); top <= rect.bottom; top += ch) {
        int cy = top + ch / 2 - rect.top;
        if (vertical) {
            Rect band(rect.left, Max(top, rect.top), rect.right, Min(top + ch - 1, rect.bottom));
            band.left -= originX, band.right -= originX, band.top -= originY, band.bottom -= originY;
            target.FillRectColour(band, GradientColour(corners, 0, cy, w, h));
            continue;
        }
        for (int left = CellStart(rect.left, cw); left <= rect.right; left += cw) {
            int cx = left + cw / 2 - rect.left;
            Rect cell(Max(left, rect.left), Max(top, rect.top), Min(left + cw - 1, rect.right),
                      Min(top + ch - 1, rect.bottom));
            cell.left -= originX, cell.right -= originX, cell.top -= originY, cell.bottom -= originY;
            target.FillRectColour(cell, GradientColour(corners, cx, cy, w, h));
        }
    }
}
} // namespace

void FillGradient(DrawContext& dc, const Rect& rect, const uint32_t corners[4], int cellWidth, int cellHeight)
{
    if (cellWidth < 1) cellWidth = 1;
    if (cellHeight < 1) cellHeight = 1;
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    if (dc.KindOf() == DrawContext::kMemory) {
        FillCells(dc, rect, corners, cellWidth, cellHeight, 0, 0);
        return;
    }
    // Drawn into a memory bitmap first and copied in one step, so the window never shows a
    // half-drawn background.
    DrawContext memory(dc, rect.Width(), rect.Height());
    FillCells(memory, rect, corners, cellWidth, cellHeight, rect.left, rect.top);
    dc.BitBlt(rect.left, rect.top, memory);
}

} // namespace kw
