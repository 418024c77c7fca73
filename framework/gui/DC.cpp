#include "framework/gui/DC.h"

#include <algorithm>
#include <cmath>

namespace fw {

namespace {
// One axis's scale from its viewport/window ratio; the isotropic mapping takes the smaller
// magnitude of the two axes' ratios, with this axis's sign.
double AxisScale(double own, double other, bool isotropic)
{
    if (!isotropic) return own;
    double m = std::min(std::fabs(own), std::fabs(other));
    return own < 0 ? -m : m;
}
} // namespace

DC::DC(Size deviceSize, int logPixelsX, int logPixelsY)
    : deviceSize_(deviceSize), logPixelsX_(logPixelsX), logPixelsY_(logPixelsY)
{
}

DC::~DC() = default;

Pen DC::SelectPen(const Pen& pen)
{
    Pen old = s_.pen;
    s_.pen = pen;
    dirty_ |= kPen;
    return old;
}

Brush DC::SelectBrush(const Brush& brush)
{
    Brush old = s_.brush;
    s_.brush = brush;
    dirty_ |= kBrush;
    return old;
}

Font DC::SelectFont(const Font& font)
{
    Font old = s_.font;
    s_.font = font;
    dirty_ |= kFont;
    return old;
}

QColor DC::SetTextColor(const QColor& color)
{
    QColor old = s_.textColor;
    s_.textColor = color;
    return old;
}

QColor DC::SetBkColor(const QColor& color)
{
    QColor old = s_.bkColor;
    s_.bkColor = color;
    return old;
}

int DC::SetBkMode(int mode)
{
    int old = s_.bkMode;
    s_.bkMode = mode;
    return old;
}

unsigned DC::SetTextAlign(unsigned align)
{
    unsigned old = s_.textAlign;
    s_.textAlign = align;
    return old;
}

void DC::SaveDC()
{
    saved_.push_back(s_);
}

void DC::RestoreDC()
{
    if (saved_.empty()) return;
    s_ = saved_.back();
    saved_.pop_back();
    dirty_ = kAll;
}

int DC::SetMapMode(int mode)
{
    int old = s_.mapMode;
    s_.mapMode = mode;
    if (mode == MM_TEXT) {
        s_.windowExt = {1, 1};
        s_.viewportExt = {1, 1};
    }
    dirty_ |= kMapping;
    return old;
}

Point DC::SetWindowOrg(const Point& p)
{
    Point old = s_.windowOrg;
    s_.windowOrg = p;
    dirty_ |= kMapping;
    return old;
}

Size DC::SetExtent(Size& extent, const Size& s)
{
    Size old = extent;
    if (s_.mapMode != MM_TEXT && s.cx != 0 && s.cy != 0) {
        extent = s;
        dirty_ |= kMapping;
    }
    return old;
}

Size DC::SetWindowExt(const Size& s)
{
    return SetExtent(s_.windowExt, s);
}

Point DC::SetViewportOrg(const Point& p)
{
    Point old = s_.viewportOrg;
    s_.viewportOrg = p;
    dirty_ |= kMapping;
    return old;
}

Size DC::SetViewportExt(const Size& s)
{
    return SetExtent(s_.viewportExt, s);
}

double DC::ScaleX() const
{
    if (s_.mapMode == MM_TEXT) return 1.0;
    return AxisScale(double(s_.viewportExt.cx) / s_.windowExt.cx, double(s_.viewportExt.cy) / s_.windowExt.cy,
                     s_.mapMode == MM_ISOTROPIC);
}

double DC::ScaleY() const
{
    if (s_.mapMode == MM_TEXT) return 1.0;
    return AxisScale(double(s_.viewportExt.cy) / s_.windowExt.cy, double(s_.viewportExt.cx) / s_.windowExt.cx,
                     s_.mapMode == MM_ISOTROPIC);
}

Point DC::LPtoDP(const Point& p) const
{
    return {int(std::lround((p.x - s_.windowOrg.x) * ScaleX())) + s_.viewportOrg.x,
            int(std::lround((p.y - s_.windowOrg.y) * ScaleY())) + s_.viewportOrg.y};
}

Point DC::DPtoLP(const Point& p) const
{
    return {int(std::lround((p.x - s_.viewportOrg.x) / ScaleX())) + s_.windowOrg.x,
            int(std::lround((p.y - s_.viewportOrg.y) / ScaleY())) + s_.windowOrg.y};
}

Rect DC::LPtoDP(const Rect& r) const
{
    Point a = LPtoDP(r.TopLeft()), b = LPtoDP(r.BottomRight());
    return {a.x, a.y, b.x, b.y};
}

Rect DC::DPtoLP(const Rect& r) const
{
    Point a = DPtoLP(r.TopLeft()), b = DPtoLP(r.BottomRight());
    return {a.x, a.y, b.x, b.y};
}

Rect DC::MapSquareUnits(const Rect& target)
{
    if (logPixelsX_ <= 0 || logPixelsY_ <= 0 || logPixelsX_ == logPixelsY_ || target.IsEmpty()) return target;
    const Rect device = LPtoDP(target);
    Size logical(target.Width(), target.Height());
    if (logPixelsY_ < logPixelsX_)
        logical.cx = std::max(1, int(std::lround(double(logical.cx) * logPixelsY_ / logPixelsX_)));
    else
        logical.cy = std::max(1, int(std::lround(double(logical.cy) * logPixelsX_ / logPixelsY_)));
    SetMapMode(MM_ANISOTROPIC);
    SetWindowOrg(Point(0, 0));
    SetWindowExt(logical);
    SetViewportOrg(device.TopLeft());
    SetViewportExt(Size(device.Width(), device.Height()));
    return Rect(0, 0, logical.cx, logical.cy);
}

QRegion DC::ClipArea() const
{
    return s_.clip ? *s_.clip : QRegion(0, 0, deviceSize_.cx, deviceSize_.cy);
}

void DC::IntersectClipRect(const Rect& r)
{
    s_.clip = ClipArea().intersected(LPtoDP(r).Normalized().ToQt());
    dirty_ |= kClip;
}

void DC::ExcludeClipRect(const Rect& r)
{
    s_.clip = ClipArea().subtracted(LPtoDP(r).Normalized().ToQt());
    dirty_ |= kClip;
}

void DC::SelectClipRect(const Rect* deviceRect)
{
    if (deviceRect) s_.clip = QRegion(deviceRect->Normalized().ToQt());
    else s_.clip.reset();
    dirty_ |= kClip;
}

Rect DC::GetClipBox() const
{
    Rect device = s_.clip ? Rect::FromQt(s_.clip->boundingRect()) : Rect(0, 0, deviceSize_.cx, deviceSize_.cy);
    return DPtoLP(device).Normalized();
}

void DC::LineTo(const Point& p)
{
    DoLine(s_.position, p);
    s_.position = p;
}

void DC::Polyline(const std::vector<Point>& points)
{
    if (points.size() >= 2) DoPolyline(points);
}

void DC::Polygon(const std::vector<Point>& points)
{
    if (points.size() >= 2) DoPolygon(points);
}

void DC::Rectangle(const Rect& r)
{
    DoRectangle(r);
}

void DC::RoundRect(const Rect& r, const Size& corner)
{
    DoRoundRect(r, corner);
}

void DC::Ellipse(const Rect& box)
{
    DoEllipse(box);
}

void DC::Arc(const Rect& box, const Point& start, const Point& end)
{
    // Angles measured from the +x axis, counter-clockwise with y up, about the box's centre.
    double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    const double kDeg = 180.0 / M_PI;
    double a0 = std::atan2(-(start.y - cy), start.x - cx) * kDeg;
    double a1 = std::atan2(-(end.y - cy), end.x - cx) * kDeg;
    double span = a1 - a0;
    while (span <= 0) span += 360.0; // equal rays draw the whole ellipse
    while (span > 360.0) span -= 360.0;
    DoArc(box, a0, span, start, end);
}

void DC::FillRect(const Rect& r, const Brush& brush)
{
    if (!brush.hollow) DoFillRect(r, brush);
}

void DC::SetPixel(const Point& p, const QColor& color)
{
    DoSetPixel(p, color);
}

void DC::TextOut(const Point& p, const std::string& text)
{
    if (text.empty()) return;
    Size extent = MeasureText(s_.font, text);
    TextMetrics tm = FontMetrics(s_.font);
    int left = p.x;
    switch (s_.textAlign & 6) {
    case TA_RIGHT: left = p.x - extent.cx; break;
    case TA_CENTER: left = p.x - extent.cx / 2; break;
    default: break;
    }
    int top = p.y;
    switch (s_.textAlign & 24) {
    case TA_BOTTOM: top = p.y - extent.cy; break;
    case TA_BASELINE: top = p.y - tm.ascent; break;
    default: break;
    }
    DoTextOut(p, text, Rect(left, top, left + extent.cx, top + extent.cy), top + tm.ascent);
}

void DC::DrawText(const std::string& text, const Rect& r, unsigned format)
{
    DoDrawText(text, r, format);
}

void DC::DrawBitmap(const Point& dest, const Bitmap& bitmap, const Rect& src)
{
    DoDrawBitmap(dest, bitmap, src);
}

}  // namespace fw
