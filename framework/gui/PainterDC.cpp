#include "framework/gui/PainterDC.h"

#include "framework/gui/Bitmap.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPolygon>

namespace fw {

namespace {
// Bits beyond 24 (alpha) add no colours: a true-colour device shows 2^24 of them.
constexpr int kTrueColorBits = 24;

// How many colours a device shows. A widget answers from its depth: Qt has no colour count
// for widgets and warns when asked for one.
int ColorCount(const QPaintDevice& device)
{
    if (device.devType() != QInternal::Widget) return device.colorCount();
    return 1 << std::clamp(device.depth(), 1, kTrueColorBits);
}

QPolygon ToPolygon(const std::vector<Point>& points)
{
    QPolygon poly;
    poly.reserve(int(points.size()));
    for (const auto& p : points) poly << p.ToQt();
    return poly;
}
} // namespace

PainterDC::PainterDC(Bitmap& bitmap)
    : DC(bitmap.GetSize(), 96, 96), own_(std::make_unique<QPainter>(&bitmap.Image())),
      painter_(own_.get()), borrowed_(false)
{
}

PainterDC::PainterDC(QPaintDevice* device)
    : DC(Size(device->width(), device->height()), device->logicalDpiX(), device->logicalDpiY()),
      own_(std::make_unique<QPainter>(device)), painter_(own_.get()), borrowed_(false)
{
    SetDeviceFacts(device->devType() == QInternal::Printer, ColorCount(*device));
}

PainterDC::PainterDC(QPainter& painter, Size deviceSize, int logPixelsX, int logPixelsY)
    : DC(deviceSize, logPixelsX, logPixelsY), painter_(&painter), base_(painter.worldTransform()), borrowed_(true)
{
    painter_->save();
}

PainterDC::~PainterDC()
{
    if (borrowed_) painter_->restore();
}

QFont PainterDC::ToQFont(const Font& font)
{
    QFont f(QString::fromStdString(font.face));
    // A positive height is the character cell (ascent plus descent), a negative one the
    // character height alone, as the program's drawing code gives its fonts.
    int h = font.height < 0 ? -font.height : font.height;
    f.setPixelSize(h > 0 ? h : 1);
    if (font.height > 0) {
        const int cell = QFontMetrics(f).height();
        if (cell > h)
            f.setPixelSize(std::max(1, h * h / cell));
    }
    int w = font.weight < 100 ? 400 : (font.weight > 900 ? 900 : font.weight);
    f.setWeight(QFont::Weight(w));
    f.setItalic(font.italic);
    return f;
}

void PainterDC::Prepare()
{
    unsigned dirty = TakeDirty();
    if (dirty & (kMapping | kClip)) {
        // The clipping is kept in device units, so it is set with no transform in force.
        painter_->setWorldTransform(base_);
        if (DeviceClip()) painter_->setClipRegion(*DeviceClip());
        else painter_->setClipping(false);
        double sx = ScaleX(), sy = ScaleY();
        Point wo = GetWindowOrg(), vo = GetViewportOrg();
        painter_->setWorldTransform(QTransform(sx, 0, 0, sy, vo.x - wo.x * sx, vo.y - wo.y * sy) * base_);
    }
    if (dirty & kPen) ApplyPen();
    if (dirty & kBrush) {
        const Brush& b = GetBrush();
        painter_->setBrush(b.hollow ? QBrush(Qt::NoBrush) : QBrush(b.color));
    }
    if (dirty & kFont) painter_->setFont(ToQFont(GetFont()));
}

void PainterDC::ApplyPen()
{
    const Pen& p = GetPen();
    if (p.style == PenStyle::Null) {
        painter_->setPen(Qt::NoPen);
        return;
    }
    QPen pen(p.color);
    pen.setWidth(p.width <= 1 ? 0 : p.width); // 0 and 1: one device pixel
    pen.setCapStyle(p.width <= 1 ? Qt::SquareCap : Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    switch (p.style) {
    case PenStyle::Dash: pen.setStyle(Qt::DashLine); break;
    case PenStyle::Dot: pen.setStyle(Qt::DotLine); break;
    case PenStyle::DashDot: pen.setStyle(Qt::DashDotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    painter_->setPen(pen);
}

QRect PainterDC::Box(const Rect& r) const
{
    Rect n = r.Normalized();
    return QRect(n.left, n.top, n.Width() - 1, n.Height() - 1);
}

void PainterDC::DoLine(const Point& from, const Point& to)
{
    Prepare();
    painter_->drawLine(from.ToQt(), to.ToQt());
}

void PainterDC::DoPolyline(const std::vector<Point>& points)
{
    Prepare();
    painter_->drawPolyline(ToPolygon(points));
}

void PainterDC::DoPolygon(const std::vector<Point>& points)
{
    Prepare();
    painter_->drawPolygon(ToPolygon(points), Qt::OddEvenFill);
}

void PainterDC::DoRectangle(const Rect& r)
{
    Prepare();
    painter_->drawRect(Box(r));
}

void PainterDC::DoRoundRect(const Rect& r, const Size& corner)
{
    Prepare();
    painter_->drawRoundedRect(Box(r), corner.cx / 2.0, corner.cy / 2.0, Qt::AbsoluteSize);
}

void PainterDC::DoEllipse(const Rect& box)
{
    Prepare();
    painter_->drawEllipse(Box(box));
}

void PainterDC::DoArc(const Rect& box, double startDegrees, double spanDegrees, const Point&, const Point&)
{
    Prepare();
    painter_->drawArc(Box(box), int(std::lround(startDegrees * 16)), int(std::lround(spanDegrees * 16)));
}

void PainterDC::DoFillRect(const Rect& r, const Brush& brush)
{
    Prepare();
    painter_->fillRect(r.Normalized().ToQt(), brush.color);
}

void PainterDC::DoSetPixel(const Point& p, const QColor& color)
{
    Prepare();
    painter_->save();
    painter_->setPen(QPen(color, 0));
    painter_->drawPoint(p.ToQt());
    painter_->restore();
}

void PainterDC::DoTextOut(const Point&, const std::string& text, const Rect& box, int baseline)
{
    Prepare();
    if (GetBkMode() == OPAQUE) painter_->fillRect(box.ToQt(), GetBkColor());
    painter_->save();
    painter_->setPen(GetTextColor());
    painter_->drawText(QPoint(box.left, baseline), QString::fromStdString(text));
    painter_->restore();
}

void PainterDC::DoDrawText(const std::string& text, const Rect& r, unsigned format)
{
    Prepare();
    int flags = 0;
    flags |= (format & DT_CENTER) ? Qt::AlignHCenter : (format & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    flags |= (format & DT_VCENTER) ? Qt::AlignVCenter : (format & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop;
    if (format & DT_WORDBREAK) flags |= Qt::TextWordWrap;
    if (format & DT_SINGLELINE) flags |= Qt::TextSingleLine;
    QString t = QString::fromStdString(text);
    QRect box = r.Normalized().ToQt();
    painter_->save();
    if (!(format & DT_NOCLIP)) painter_->setClipRect(box, Qt::IntersectClip);
    if (GetBkMode() == OPAQUE)
        painter_->fillRect(painter_->boundingRect(box, flags, t), GetBkColor());
    painter_->setPen(GetTextColor());
    painter_->drawText(box, flags, t);
    painter_->restore();
}

void PainterDC::DoDrawBitmap(const Point& dest, const Bitmap& bitmap, const Rect& src)
{
    Prepare();
    if (bitmap.IsValid()) painter_->drawImage(dest.ToQt(), bitmap.Image(), src.Normalized().ToQt());
}

Size PainterDC::MeasureText(const Font& font, const std::string& text) const
{
    QFontMetrics m(ToQFont(font));
    return {m.horizontalAdvance(QString::fromStdString(text)), m.height()};
}

TextMetrics PainterDC::FontMetrics(const Font& font) const
{
    const QFont f = ToQFont(font);
    QFontMetrics m(f);
    return {m.height(), m.ascent(), m.descent(), m.averageCharWidth(), std::max(0, m.height() - f.pixelSize()),
            m.maxWidth()};
}

}  // namespace fw
