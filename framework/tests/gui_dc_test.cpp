// The device context: what a small drawing routine draws (recorded), the same routine
// rendered with QPainter, the logical-to-device mapping used for printing, and clipping.
#include "framework/gui/Bitmap.h"
#include "framework/gui/PainterDC.h"
#include "framework/gui/RecordingDC.h"
#include "framework/testsupport/Snapshot.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// A caption frame with a filled circle, a ring of arcs and a centred label: the kinds of
// calls the program's panes and charts make.
void DrawSample(fw::DC& dc, const fw::Rect& area)
{
    dc.FillRect(area, fw::Brush(QColor(0, 0, 64)));
    fw::Pen oldPen = dc.SelectPen(fw::Pen(QColor(255, 255, 0), 1));
    fw::Brush oldBrush = dc.SelectBrush(fw::Brush(QColor(0, 128, 0)));
    dc.RoundRect(fw::Rect(area.left + 4, area.top + 4, area.right - 4, area.bottom - 4), fw::Size(20, 20));
    dc.SelectBrush(fw::Brush(QColor(255, 0, 0)));
    dc.Ellipse(fw::Rect(40, 40, 60, 60));
    dc.SelectPen(fw::Pen(QColor(255, 255, 255), 2));
    dc.Arc(fw::Rect(20, 20, 80, 80), fw::Point(80, 50), fw::Point(50, 20)); // first quadrant
    dc.SelectPen(fw::Pen(QColor(0, 255, 255), 1, fw::PenStyle::Dash));
    dc.Line(fw::Point(area.left + 10, area.bottom - 20), fw::Point(area.right - 10, area.bottom - 20));
    dc.SelectFont(fw::Font("Arial", 14, 600));
    dc.SetTextColor(QColor(255, 255, 255));
    dc.SetBkMode(fw::TRANSPARENT);
    dc.SetTextAlign(fw::TA_CENTER | fw::TA_BOTTOM);
    dc.TextOut(fw::Point((area.left + area.right) / 2, area.bottom - 24), "M 31");
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}

TEST(GuiDC, RecordingShowsWhatTheRoutineDrew)
{
    fw::RecordingDC dc(fw::Size(160, 120));
    DrawSample(dc, fw::Rect(0, 0, 160, 120));
    EXPECT_EQ(dc.Log(), (std::vector<std::string>{
                            "FillRect 0,0 160,120",
                            "RoundRect 4,4 156,116 20,20",
                            "Ellipse 40,40 60,60",
                            "Arc 20,20 80,80 80,50 50,20",
                            "Line 10,100 150,100",
                            "TextOut 80,96 'M 31'",
                        }));
    auto ellipse = dc.CallsOf("Ellipse").at(0);
    EXPECT_EQ(ellipse.brush.color, QColor(255, 0, 0));
    EXPECT_EQ(ellipse.pen.color, QColor(255, 255, 0));
    auto line = dc.CallsOf("Line").at(0);
    EXPECT_EQ(line.pen.style, fw::PenStyle::Dash);
    auto text = dc.CallsOf("TextOut").at(0);
    EXPECT_EQ(text.font, fw::Font("Arial", 14, 600));
    EXPECT_EQ(text.textAlign, fw::TA_CENTER | fw::TA_BOTTOM);
    EXPECT_EQ(text.bkMode, fw::TRANSPARENT);
    // The routine put the pen and brush back.
    EXPECT_EQ(dc.GetPen(), fw::Pen());
    EXPECT_EQ(dc.GetBrush(), fw::Brush());
    // Recorded text is measured by character, whatever its bytes.
    dc.SelectFont(fw::Font("Arial", 10));
    EXPECT_EQ(dc.GetTextExtent("+88h"), fw::Size(20, 10));
    EXPECT_EQ(dc.GetTextExtent("12\xC2\xB0"), fw::Size(15, 10));
}

TEST(GuiDC, PainterRendersTheSameRoutineToPng)
{
    fw::Bitmap bitmap(160, 120);
    ASSERT_TRUE(bitmap.IsValid());
    {
        fw::PainterDC dc(bitmap);
        DrawSample(dc, fw::Rect(0, 0, 160, 120));
    }
    EXPECT_EQ(bitmap.PixelAt(1, 1), QColor(0, 0, 64));    // outside the frame's corner
    EXPECT_EQ(bitmap.PixelAt(20, 80), QColor(0, 128, 0)); // inside the frame
    EXPECT_EQ(bitmap.PixelAt(50, 50), QColor(255, 0, 0)); // the ellipse's fill
    EXPECT_EQ(bitmap.PixelAt(4, 60), QColor(255, 255, 0)); // the frame's outline
    // Arc of the first quadrant only: its top point is drawn, its bottom point is not.
    EXPECT_EQ(bitmap.PixelAt(50, 80), QColor(0, 128, 0));
    bool arcTop = false;
    for (int y = 18; y <= 22; ++y) arcTop |= bitmap.PixelAt(52, y) == QColor(255, 255, 255);
    EXPECT_TRUE(arcTop);
    testsupport::SaveSnapshot(bitmap.Image(), "dc_sample.png");
}

TEST(GuiDC, AnisotropicMappingForPrinting)
{
    fw::RecordingDC dc(fw::Size(2400, 3300), 300, 600);
    dc.SetMapMode(fw::MM_ANISOTROPIC);
    dc.SetWindowExt(fw::Size(100, 100));
    dc.SetViewportExt(fw::Size(400, 200));
    dc.SetWindowOrg(fw::Point(10, 20));
    dc.SetViewportOrg(fw::Point(5, 7));
    EXPECT_EQ(dc.LPtoDP(fw::Point(10, 20)), fw::Point(5, 7));
    EXPECT_EQ(dc.LPtoDP(fw::Point(20, 30)), fw::Point(45, 27));
    EXPECT_EQ(dc.DPtoLP(fw::Point(45, 27)), fw::Point(20, 30));
    EXPECT_EQ(dc.LogPixelsX(), 300);
    EXPECT_EQ(dc.LogPixelsY(), 600);
    EXPECT_FALSE(dc.IsPrinter());
    dc.SetDeviceFacts(true, 2); // a grey-scale printout
    EXPECT_TRUE(dc.IsPrinter());
    EXPECT_EQ(dc.DeviceColors(), 2);

    // Clipping set in logical units reads back in logical units; SaveDC/RestoreDC bring back
    // mapping and clipping together.
    dc.SaveDC();
    dc.IntersectClipRect(fw::Rect(20, 30, 40, 50));
    EXPECT_EQ(dc.GetClipBox(), fw::Rect(20, 30, 40, 50));
    dc.SetMapMode(fw::MM_TEXT);
    EXPECT_EQ(dc.LPtoDP(fw::Point(20, 30)), fw::Point(15, 17));
    dc.RestoreDC();
    EXPECT_EQ(dc.GetMapMode(), fw::MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetClipBox(), dc.DPtoLP(fw::Rect(0, 0, 2400, 3300)).Normalized());
    dc.RestoreDC(); // nothing saved: no change
    EXPECT_EQ(dc.GetMapMode(), fw::MM_ANISOTROPIC);
}

TEST(GuiDC, SquareUnitsOnADeviceOfUnequalResolution)
{
    const struct {
        int dpiX, dpiY;
        fw::Rect area;  // the logical drawing area given back
    } cases[] = {
        {600, 300, {0, 0, 300, 300}},  // a target of 600 by 300 dots is an inch square
        {300, 600, {0, 0, 600, 150}},
        {300, 300, {100, 50, 700, 350}},  // equal resolutions: the target itself, no mapping
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpiX) + "x" + std::to_string(c.dpiY));
        fw::RecordingDC dc(fw::Size(2000, 2000), c.dpiX, c.dpiY);
        const fw::Rect target(100, 50, 700, 350);
        const fw::Rect area = dc.MapSquareUnits(target);
        EXPECT_EQ(area, c.area);
        // The area's corners land on the target's.
        EXPECT_EQ(dc.LPtoDP(area.TopLeft()), target.TopLeft());
        EXPECT_EQ(dc.LPtoDP(area.BottomRight()), target.BottomRight());
    }
}

TEST(GuiDC, PainterHonoursClippingAndMapping)
{
    fw::Bitmap bitmap(100, 100);
    bitmap.Fill(QColor(0, 0, 0));
    {
        fw::PainterDC dc(bitmap);
        dc.IntersectClipRect(fw::Rect(0, 0, 50, 100));
        dc.FillRect(fw::Rect(0, 0, 100, 100), fw::Brush(QColor(255, 255, 255))); // left half only
        dc.SelectClipRect(nullptr);
        dc.SetMapMode(fw::MM_ANISOTROPIC);
        dc.SetWindowExt(fw::Size(10, 10));
        dc.SetViewportExt(fw::Size(100, 100));
        dc.FillRect(fw::Rect(8, 8, 10, 10), fw::Brush(QColor(255, 0, 0))); // device 80..100
    }
    EXPECT_EQ(bitmap.PixelAt(10, 10), QColor(255, 255, 255));
    EXPECT_EQ(bitmap.PixelAt(70, 10), QColor(0, 0, 0));
    EXPECT_EQ(bitmap.PixelAt(90, 90), QColor(255, 0, 0));
    EXPECT_EQ(bitmap.PixelAt(75, 75), QColor(0, 0, 0));
}

TEST(GuiDC, TextAlignmentPlacesTheBox)
{
    // The text's box relative to the reference point (100, 50), for width w, height h and
    // ascent a of the text.
    struct Case { unsigned align; int dx; int dy; } cases[] = {
        {fw::TA_LEFT | fw::TA_TOP, 0, 0},         // box at (0, 0)
        {fw::TA_RIGHT | fw::TA_TOP, -2, 0},       // box left at -w (dx in units of w/2)
        {fw::TA_CENTER | fw::TA_BOTTOM, -1, -2},  // left at -w/2, top at -h (dy: -2 means -h)
        {fw::TA_LEFT | fw::TA_BASELINE, 0, -1},   // top at -a (dy: -1 means -a)
    };
    for (const auto& c : cases) {
        fw::Bitmap bitmap(200, 100);
        bitmap.Fill(QColor(0, 0, 0));
        fw::PainterDC dc(bitmap);
        dc.SelectFont(fw::Font("Arial", 10));
        dc.SetTextAlign(c.align);
        dc.SetBkColor(QColor(0, 0, 255)); // opaque mode fills the box
        fw::Size ext = dc.GetTextExtent("abcd");
        fw::TextMetrics tm = dc.GetTextMetrics();
        dc.TextOut(fw::Point(100, 50), "abcd");
        dc.Painter().end();
        int left = 100 + c.dx * ext.cx / 2;
        int top = 50 + (c.dy == -2 ? -ext.cy : c.dy == -1 ? -tm.ascent : 0);
        EXPECT_EQ(bitmap.PixelAt(left, top).blue(), 255) << c.align;
        EXPECT_EQ(bitmap.PixelAt(left + ext.cx - 1, top + ext.cy - 1).blue(), 255) << c.align;
        EXPECT_EQ(bitmap.PixelAt(left - 1, top), QColor(0, 0, 0)) << c.align;
        EXPECT_EQ(bitmap.PixelAt(left, top - 1), QColor(0, 0, 0)) << c.align;
    }
}

} // namespace
