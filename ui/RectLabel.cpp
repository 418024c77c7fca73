#include "ui/RectLabel.h"

#include "framework/gui/DC.h"
#include "ui/RScolor.h"

#include <cstdlib>
#include <exception>
#include <fstream>

namespace {

QColor DrawColor(int slot) { return fw::ColorFromRef(RScolor::Instance().GetDrawColor(slot)); }

// Text before the last (or first) occurrence of a character; the text itself without one.
std::string CutBefore(const std::string& text, char c, bool last)
{
    const std::size_t at = last ? text.rfind(c) : text.find(c);
    return at == std::string::npos ? text : text.substr(0, at);
}

} // namespace

int RectLabel::FrameStyleOf(const fw::Rect& parent, const fw::Rect& pane)
{
    const bool left = std::abs(parent.left - pane.left) < 3;
    const bool right = std::abs(parent.right - pane.right) < 3;
    const bool top = std::abs(parent.top - pane.top) < 3;
    const bool bottom = std::abs(parent.bottom - pane.bottom) < 3;
    if (left && right && top && bottom) return 3;
    if (left && !right) return 0;
    if (right && !left) return 1;
    return 2;
}

fw::Rect RectLabel::InnerRect(int style, int s, fw::Size client)
{
    const int t = s / 3;
    const int m = s / 5 + 1;
    const int w = client.cx;
    const int h = client.cy;
    switch (style) {
    case 0: return fw::Rect(m, s + m, w - m - t - m, h - m);
    case 1: return fw::Rect(m + t, s + m, w - m, h - m);
    case 3: return fw::Rect(m + t, s + m, w - t - m, h - t - m);
    default: return fw::Rect(m + t, s + m, w - t - m, h - m);
    }
}

std::string RectLabel::FitCaption(const std::string& caption, int room,
                                  const std::function<int(const std::string&)>& width)
{
    std::string text = caption;
    const struct {
        char c;
        bool last;
    } steps[] = {{'-', true}, {'=', true}, {'-', false}, {'=', false}};
    for (const auto& step : steps)
        if (width(text) > room) text = CutBefore(text, step.c, step.last);
    return text;
}

int RectLabel::Paint(fw::DC& dc, fw::Size size, const std::string& caption, int frameStyle, int stripHeight, fw::Rect* content)
{
    try {
        Draw(dc, size, caption, frameStyle, stripHeight, content);
    } catch (const std::exception&) {
        std::ofstream("error.", std::ios::app) << "rectlabel error\n";
    }
    return 1;
}

int RectLabel::PrintPaint(fw::DC& dc, const fw::Rect& deviceRect, const std::string& caption, int frameStyle,
                          int stripHeight, fw::Rect* content)
{
    rect = deviceRect;
    const fw::Rect logical = dc.DPtoLP(deviceRect).Normalized();
    dc.SaveDC();
    dc.IntersectClipRect(logical);
    // Logical (0, 0) now falls on the rectangle's top-left corner.
    const fw::Point origin = dc.GetWindowOrg();
    dc.SetWindowOrg(fw::Point(origin.x - logical.left, origin.y - logical.top));
    Paint(dc, logical.GetSize(), caption, frameStyle, stripHeight, content);
    dc.RestoreDC();
    return 1;
}

void RectLabel::Draw(fw::DC& dc, fw::Size size, const std::string& caption, int style, int s, fw::Rect* content)
{
    const int W = size.cx;
    const int H = size.cy;
    const int t = s / 3;

    dc.FillRect(fw::Rect(0, 0, W, H), fw::Brush(DrawColor(colorSlots[Exterior])));

    const fw::Pen oldPen = dc.SelectPen(fw::Pen(DrawColor(colorSlots[Outline]), 1));
    const fw::Brush oldBrush = dc.SelectBrush(fw::Brush(DrawColor(colorSlots[Label])));
    fw::Rect outer;
    switch (style) {
    case 0: outer = fw::Rect(-W, 0, W, 2 * H); break;   // only the top-right corner shows
    case 1: outer = fw::Rect(0, 0, 2 * W, 2 * H); break; // only the top-left corner shows
    case 3: outer = fw::Rect(0, 0, W, H); break;         // all four corners show
    default: outer = fw::Rect(0, 0, W, 2 * H); break;    // both top corners show
    }
    dc.RoundRect(outer, fw::Size(2 * s, 2 * s));

    dc.SelectBrush(fw::Brush(DrawColor(colorSlots[Interior])));
    const fw::Rect inner(outer.left + t, outer.top + s, outer.right - t, outer.bottom - (style == 3 ? t : s));
    dc.RoundRect(inner, fw::Size(s, 2 * s));
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);

    if (content) *content = dc.LPtoDP(InnerRect(style, s, size));

    const fw::Font oldFont = dc.SelectFont(fw::Font("Arial", s, 600));
    const QColor oldText = dc.SetTextColor(DrawColor(colorSlots[Text]));
    const int oldMode = dc.SetBkMode(fw::TRANSPARENT);
    const unsigned oldAlign = dc.SetTextAlign(fw::TA_LEFT | fw::TA_BOTTOM);
    const int inset = style == 0 ? t : s;
    const std::string text =
        FitCaption(caption, W - 4 * inset, [&dc](const std::string& x) { return dc.GetTextExtent(x).cx; });
    dc.TextOut(fw::Point(inset, s), text);
    dc.SetTextAlign(oldAlign);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldText);
    dc.SelectFont(oldFont);
}
