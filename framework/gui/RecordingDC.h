// A DC that records what is drawn, for tests: each drawing call with its arguments and the
// pen, brush, font and text attributes in force. Text is measured by a fixed rule (each
// character half the font height wide, lines as high as the font) so that results do not
// depend on the fonts installed.
#pragma once

#include <string>
#include <vector>

#include "framework/gui/DC.h"

namespace fw {

struct DrawCall {
    std::string op; // "Line", "Polyline", "Polygon", "Rectangle", "RoundRect", "Ellipse", "Arc",
                    // "FillRect", "SetPixel", "TextOut", "DrawText", "DrawBitmap"
    std::vector<int> args; // coordinates in the order of the call's parameters (logical units)
    std::string text;
    Pen pen;
    Brush brush;
    Font font;
    QColor textColor;
    unsigned textAlign = 0;
    int bkMode = OPAQUE;
    // "Line 0,0 10,10", "TextOut 5,5 'abc'" ...: the operation and its arguments, in pairs.
    std::string Describe() const;
};

class RecordingDC : public DC {
public:
    explicit RecordingDC(Size deviceSize = Size(640, 480), int logPixelsX = 96, int logPixelsY = 96);

    const std::vector<DrawCall>& Calls() const { return calls_; }
    // Describe() of every call, in order.
    std::vector<std::string> Log() const;
    // Calls of one operation.
    std::vector<DrawCall> CallsOf(const std::string& op) const;
    int Count(const std::string& op) const;
    void Clear() { calls_.clear(); }

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
    DrawCall& Add(const std::string& op, std::vector<int> args, const std::string& text = {});
    std::vector<DrawCall> calls_;
};

}  // namespace fw
