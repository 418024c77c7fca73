// The device context: what a small drawing routine draws (recorded), the same routine
// rendered with QPainter, the logical-to-device mapping used for printing, and clipping.
#include "framework/gui/Bitmap.h"
#include "framework/gui/PainterDC.h"
#include "framework/gui/RecordingDC.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// A caption frame with a filled circle, a ring of arcs and a centred label: the kinds of
// calls the program's panes and charts make.
void DrawSample(DC& dc, const Rect& area)
{
    dc.FillRect(area, Brush(QColor(0, 0, 64)));
    Pen oldPen = dc.SelectPen(Pen(QColor(255, 255, 0), 1));
    Brush oldBrush = dc.SelectBrush(Brush(QColor(0, 128, 0)));
    dc.RoundRect(Rect(area.left + 4, area.top + 4, area.right - 4, area.bottom - 4), Size(20, 20));
    dc.SelectBrush(Brush(QColor(255, 0, 0)));
    dc.Ellipse(Rect(40, 40, 60, 60));
    dc.SelectPen(Pen(QColor(255, 255, 255), 2));
    dc.Arc(Rect(20, 20, 80, 80), Point(80, 50), Point(50, 20)); // first quadrant
    dc.SelectPen(Pen(QColor(0, 255, 255), 1, PenStyle::Dash));
    dc.Line(Point(area.left + 10, area.bottom - 20), Point(area.right - 10, area.bottom - 20));
    dc.SelectFont(Font("Arial", 14, 600));
    dc.SetTextColor(QColor(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    dc.TextOut(Point((area.left + area.right) / 2, area.bottom - 24), "M 31");
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}

TEST(GuiDC, RecordingShowsWhatTheRoutineDrew)
{
    RecordingDC dc(Size(160, 120));
    DrawSample(dc, Rect(0, 0, 160, 120));
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
    EXPECT_EQ(line.pen.style, PenStyle::Dash);
    auto text = dc.CallsOf("TextOut").at(0);
    EXPECT_EQ(text.font, Font("Arial", 14, 600));
    EXPECT_EQ(text.textAlign, TA_CENTER | TA_BOTTOM);
    EXPECT_EQ(text.bkMode, TRANSPARENT);
    // The routine put the pen and brush back.
    EXPECT_EQ(dc.GetPen(), Pen());
    EXPECT_EQ(dc.GetBrush(), Brush());
    // Recorded text is measured by character, whatever its bytes.
    dc.SelectFont(Font("Arial", 10));
    EXPECT_EQ(dc.GetTextExtent("+88h"), Size(20, 10));
    EXPECT_EQ(dc.GetTextExtent("12\xC2\xB0"), Size(15, 10));
}

TEST(GuiDC, PainterRendersTheSameRoutineToPng)
{
    Bitmap bitmap(160, 120);
    ASSERT_TRUE(bitmap.IsValid());
    {
        PainterDC dc(bitmap);
        DrawSample(dc, Rect(0, 0, 160, 120));
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
    std::string path = QDir::tempPath().toStdString() + "/stellum-dc-sample.png";
    EXPECT_TRUE(bitmap.SavePng(path));
}

TEST(GuiDC, AnisotropicMappingForPrinting)
{
    RecordingDC dc(Size(2400, 3300), 300, 600);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(Size(100, 100));
    dc.SetViewportExt(Size(400, 200));
    dc.SetWindowOrg(Point(10, 20));
    dc.SetViewportOrg(Point(5, 7));
    EXPECT_EQ(dc.LPtoDP(Point(10, 20)), Point(5, 7));
    EXPECT_EQ(dc.LPtoDP(Point(20, 30)), Point(45, 27));
    EXPECT_EQ(dc.DPtoLP(Point(45, 27)), Point(20, 30));
    EXPECT_EQ(dc.LogPixelsX(), 300);
    EXPECT_EQ(dc.LogPixelsY(), 600);
    EXPECT_FALSE(dc.IsPrinter());
    dc.SetDeviceFacts(true, 2); // a grey-scale printout
    EXPECT_TRUE(dc.IsPrinter());
    EXPECT_EQ(dc.DeviceColors(), 2);

    // Clipping set in logical units reads back in logical units; SaveDC/RestoreDC bring back
    // mapping and clipping together.
    dc.SaveDC();
    dc.IntersectClipRect(Rect(20, 30, 40, 50));
    EXPECT_EQ(dc.GetClipBox(), Rect(20, 30, 40, 50));
    dc.SetMapMode(MM_TEXT);
    EXPECT_EQ(dc.LPtoDP(Point(20, 30)), Point(15, 17));
    dc.RestoreDC();
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetClipBox(), dc.DPtoLP(Rect(0, 0, 2400, 3300)).Normalized());
    dc.RestoreDC(); // nothing saved: no change
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
}

TEST(GuiDC, PainterHonoursClippingAndMapping)
{
    Bitmap bitmap(100, 100);
    bitmap.Fill(QColor(0, 0, 0));
    {
        PainterDC dc(bitmap);
        dc.IntersectClipRect(Rect(0, 0, 50, 100));
        dc.FillRect(Rect(0, 0, 100, 100), Brush(QColor(255, 255, 255))); // left half only
        dc.SelectClipRect(nullptr);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(Size(10, 10));
        dc.SetViewportExt(Size(100, 100));
        dc.FillRect(Rect(8, 8, 10, 10), Brush(QColor(255, 0, 0))); // device 80..100
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
        {TA_LEFT | TA_TOP, 0, 0},         // box at (0, 0)
        {TA_RIGHT | TA_TOP, -2, 0},       // box left at -w (dx in units of w/2)
        {TA_CENTER | TA_BOTTOM, -1, -2},  // left at -w/2, top at -h (dy: -2 means -h)
        {TA_LEFT | TA_BASELINE, 0, -1},   // top at -a (dy: -1 means -a)
    };
    for (const auto& c : cases) {
        Bitmap bitmap(200, 100);
        bitmap.Fill(QColor(0, 0, 0));
        PainterDC dc(bitmap);
        dc.SelectFont(Font("Arial", 10));
        dc.SetTextAlign(c.align);
        dc.SetBkColor(QColor(0, 0, 255)); // opaque mode fills the box
        Size ext = dc.GetTextExtent("abcd");
        TextMetrics tm = dc.GetTextMetrics();
        dc.TextOut(Point(100, 50), "abcd");
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
