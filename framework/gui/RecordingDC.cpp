#include "framework/gui/RecordingDC.h"

#include "framework/gui/Bitmap.h"

#include <cstdlib>

namespace fw {

std::string DrawCall::Describe() const
{
    std::string out = op;
    for (std::size_t i = 0; i < args.size(); ++i) {
        out += (i % 2 == 0) ? " " : ",";
        out += std::to_string(args[i]);
    }
    if (!text.empty() || op == "TextOut" || op == "DrawText") out += " '" + text + "'";
    return out;
}

RecordingDC::RecordingDC(Size deviceSize, int logPixelsX, int logPixelsY)
    : DC(deviceSize, logPixelsX, logPixelsY)
{
}

std::vector<std::string> RecordingDC::Log() const
{
    std::vector<std::string> out;
    for (const auto& c : calls_) out.push_back(c.Describe());
    return out;
}

std::vector<DrawCall> RecordingDC::CallsOf(const std::string& op) const
{
    std::vector<DrawCall> out;
    for (const auto& c : calls_)
        if (c.op == op) out.push_back(c);
    return out;
}

int RecordingDC::Count(const std::string& op) const
{
    int n = 0;
    for (const auto& c : calls_) n += c.op == op;
    return n;
}

DrawCall& RecordingDC::Add(const std::string& op, std::vector<int> args, const std::string& text)
{
    DrawCall c;
    c.op = op;
    c.args = std::move(args);
    c.text = text;
    c.pen = GetPen();
    c.brush = GetBrush();
    c.font = GetFont();
    c.textColor = GetTextColor();
    c.textAlign = GetTextAlign();
    c.bkMode = GetBkMode();
    calls_.push_back(std::move(c));
    return calls_.back();
}

namespace {
std::vector<int> Flatten(const std::vector<Point>& points)
{
    std::vector<int> v;
    for (const auto& p : points) {
        v.push_back(p.x);
        v.push_back(p.y);
    }
    return v;
}
std::vector<int> Corners(const Rect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}
} // namespace

void RecordingDC::DoLine(const Point& from, const Point& to)
{
    Add("Line", {from.x, from.y, to.x, to.y});
}

void RecordingDC::DoPolyline(const std::vector<Point>& points)
{
    Add("Polyline", Flatten(points));
}

void RecordingDC::DoPolygon(const std::vector<Point>& points)
{
    Add("Polygon", Flatten(points));
}

void RecordingDC::DoRectangle(const Rect& r)
{
    Add("Rectangle", Corners(r));
}

void RecordingDC::DoRoundRect(const Rect& r, const Size& corner)
{
    Add("RoundRect", {r.left, r.top, r.right, r.bottom, corner.cx, corner.cy});
}

void RecordingDC::DoEllipse(const Rect& box)
{
    Add("Ellipse", Corners(box));
}

void RecordingDC::DoArc(const Rect& box, double, double, const Point& start, const Point& end)
{
    Add("Arc", {box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y});
}

void RecordingDC::DoFillRect(const Rect& r, const Brush& brush)
{
    Add("FillRect", Corners(r)).brush = brush;
}

void RecordingDC::DoSetPixel(const Point& p, const QColor& color)
{
    Add("SetPixel", {p.x, p.y}).pen = Pen(color);
}

void RecordingDC::DoTextOut(const Point& p, const std::string& text, const Rect&, int)
{
    Add("TextOut", {p.x, p.y}, text);
}

void RecordingDC::DoDrawText(const std::string& text, const Rect& r, unsigned format)
{
    Add("DrawText", Corners(r), text).textAlign = format;
}

void RecordingDC::DoDrawBitmap(const Point& dest, const Bitmap& bitmap, const Rect& src)
{
    Add("DrawBitmap", {dest.x, dest.y, src.left, src.top, src.right, src.bottom,
                       bitmap.Width(), bitmap.Height()});
}

Size RecordingDC::MeasureText(const Font& font, const std::string& text) const
{
    int h = std::abs(font.height);
    int w = h / 2 > 0 ? h / 2 : 1;
    int chars = 0; // characters, not bytes: UTF-8 continuation bytes do not count
    for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
    return {chars * w, h};
}

TextMetrics RecordingDC::FontMetrics(const Font& font) const
{
    int h = std::abs(font.height);
    int ascent = h * 4 / 5;
    const int width = h / 2 > 0 ? h / 2 : 1;
    return {h, ascent, h - ascent, width, 0, width};
}

}  // namespace fw
