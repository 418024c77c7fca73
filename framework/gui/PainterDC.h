// A DC that draws with QPainter: into a window during its paint, a memory bitmap, or a printer.
#pragma once

#include <memory>

#include <QFont>
#include <QPainter>

#include "framework/gui/DC.h"

class QPaintDevice;

namespace fw {

class PainterDC : public DC {
public:
    // Draws into the bitmap (a memory DC); the bitmap must outlive the DC.
    explicit PainterDC(Bitmap& bitmap);
    // Draws on a paint device (a widget inside its paint event, a printer, an image).
    explicit PainterDC(QPaintDevice* device);
    // Draws with a painter that the caller has begun; its state is restored at the end. The
    // painter's transform at that moment stays under the DC's mapping (a preview's scale).
    PainterDC(QPainter& painter, Size deviceSize, int logPixelsX, int logPixelsY);
    ~PainterDC() override;

    QPainter& Painter() { return *painter_; }
    static QFont ToQFont(const Font& font);

protected:
    void DoLine(const Point& from, const Point& to) override;
    void DoPolyline(const std::vector<Point>& points) override;
    void DoPolygon(const std::vector<Point>& points) override;
    void DoRectangle(const Rect& r) override;
    void DoRoundRect(const Rect& r, const Size& corner) override;
    void DoEllipse(const Rect& box) override;
    void DoArc(const Rect& box, double startDegrees, double spanDegrees, const Point& start,
               const Point& end) override;
    void DoFillRect(const Rect& r, const Brush& brush) override;
    void DoSetPixel(const Point& p, const QColor& color) override;
    void DoTextOut(const Point& p, const std::string& text, const Rect& box, int baseline) override;
    void DoDrawText(const std::string& text, const Rect& r, unsigned format) override;
    void DoDrawBitmap(const Point& dest, const Bitmap& bitmap, const Rect& src) override;
    Size MeasureText(const Font& font, const std::string& text) const override;
    TextMetrics FontMetrics(const Font& font) const override;

private:
    void Prepare();
    void ApplyPen();
    QRect Box(const Rect& r) const; // outline box of a shape whose right/bottom lie outside it

    std::unique_ptr<QPainter> own_;
    QPainter* painter_;
    QTransform base_; // device units to the painter's device
    bool borrowed_;
};

}  // namespace fw
