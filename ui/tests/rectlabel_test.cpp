// Framed captions: frame styles and inner areas, the caption cut to fit, the drawing through
// the recording device context, into a printer rectangle, and in every colour scheme.
#include "framework/gui/Bitmap.h"
#include "framework/gui/PainterDC.h"
#include "framework/gui/RecordingDC.h"
#include "ui/RScolor.h"
#include "ui/RectLabel.h"

#include <gtest/gtest.h>

namespace {
QColor Slot(int slot) { return fw::ColorFromRef(RScolor::Instance().GetColor(slot)); }
} // namespace

TEST(RectLabel, FrameStyleAndInnerArea)
{
    const fw::Rect parent(0, 0, 900, 600);
    EXPECT_EQ(RectLabel::FrameStyleOf(parent, fw::Rect(0, 0, 900, 600)), 3);    // fills the parent
    EXPECT_EQ(RectLabel::FrameStyleOf(parent, fw::Rect(2, 0, 300, 600)), 0);    // left
    EXPECT_EQ(RectLabel::FrameStyleOf(parent, fw::Rect(600, 0, 898, 300)), 1);  // right
    EXPECT_EQ(RectLabel::FrameStyleOf(parent, fw::Rect(300, 0, 600, 600)), 2);  // middle
    EXPECT_EQ(RectLabel::FrameStyleOf(parent, fw::Rect(0, 0, 900, 300)), 2);    // full width, top half
    EXPECT_EQ(RectLabel::FrameStyleOf(parent, fw::Rect(3, 0, 300, 600)), 2);    // 3 pixels away is apart

    // Strip 6: side margin t = 2, m = 2.
    const fw::Size client(200, 100);
    EXPECT_EQ(RectLabel::InnerRect(0, 6, client), fw::Rect(2, 8, 200 - 2 - 2 - 2, 98));
    EXPECT_EQ(RectLabel::InnerRect(1, 6, client), fw::Rect(4, 8, 198, 98));
    EXPECT_EQ(RectLabel::InnerRect(2, 6, client), fw::Rect(4, 8, 196, 98));
    EXPECT_EQ(RectLabel::InnerRect(3, 6, client), fw::Rect(4, 8, 196, 96));
}

TEST(RectLabel, CaptionIsCutToFit)
{
    auto chars = [](const std::string& s) { return int(s.size()); };
    struct Case {
        const char* caption;
        int room;
        const char* shown;
    };
    const Case cases[] = {
        {"Chart - NGC 891 = C 23", 40, "Chart - NGC 891 = C 23"},
        {"Chart - NGC 891 = C 23", 20, "Chart "},
        {"NGC 891 = C 23 - Andromeda", 20, "NGC 891 = C 23 "},
        {"A - B = C = D - E", 12, "A - B = C "},      // last '-', then last '='
        {"A - B = C = D - E", 6, "A "},               // then first '-'
        {"A = B = C", 4, "A "},                       // no '-': last '=', first '='
        {"NoSeparatorsAtAll", 3, "NoSeparatorsAtAll"},
    };
    for (const Case& c : cases) EXPECT_EQ(RectLabel::FitCaption(c.caption, c.room, chars), c.shown) << c.caption;
}

TEST(RectLabel, DrawsFrameInnerAreaAndCaptionThroughTheDC)
{
    RScolor::Instance().SetScheme(SchemeNormal);
    RectLabel label;
    fw::RecordingDC dc(fw::Size(300, 200));
    fw::Rect content;
    EXPECT_EQ(label.Paint(dc, fw::Size(300, 200), "Altitude", 3, 12, &content), 1);
    // S = 12, t = 4, m = 3
    EXPECT_EQ(content, fw::Rect(7, 15, 293, 193));
    ASSERT_EQ(dc.Count("FillRect"), 1);
    EXPECT_EQ(dc.CallsOf("FillRect")[0].args, (std::vector<int>{0, 0, 300, 200}));
    const auto rounds = dc.CallsOf("RoundRect");
    ASSERT_EQ(rounds.size(), 2u);
    EXPECT_EQ(rounds[0].args, (std::vector<int>{0, 0, 300, 200, 24, 24}));
    EXPECT_EQ(rounds[0].brush.color, Slot(1));
    EXPECT_EQ(rounds[0].pen.color, Slot(5));
    EXPECT_EQ(rounds[0].pen.width, 1);
    EXPECT_EQ(rounds[1].args, (std::vector<int>{4, 12, 296, 196, 12, 24}));
    EXPECT_EQ(rounds[1].brush.color, Slot(3));
    const auto texts = dc.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Altitude");
    EXPECT_EQ(texts[0].args, (std::vector<int>{12, 12}));
    EXPECT_EQ(texts[0].font, fw::Font("Arial", 12, 600));
    EXPECT_EQ(texts[0].textColor, Slot(2));
    EXPECT_EQ(texts[0].bkMode, fw::TRANSPARENT);
    EXPECT_EQ(texts[0].textAlign, fw::TA_LEFT | fw::TA_BOTTOM);

    // A left pane: only the top-right corner shows and the caption starts at t.
    fw::RecordingDC left(fw::Size(300, 200));
    label.Paint(left, fw::Size(300, 200), "Text", 0, 12);
    EXPECT_EQ(left.CallsOf("RoundRect")[0].args, (std::vector<int>{-300, 0, 300, 400, 24, 24}));
    EXPECT_EQ(left.CallsOf("RoundRect")[1].args, (std::vector<int>{-296, 12, 296, 388, 12, 24}));
    EXPECT_EQ(left.CallsOf("TextOut")[0].args, (std::vector<int>{4, 12}));
    // The recording DC measures half the font height a character: 6 here. Room 300 - 16 =
    // 284 holds 47 characters.
    fw::RecordingDC narrow(fw::Size(100, 60));
    label.Paint(narrow, fw::Size(100, 60), "Chart - M 31 = NGC 224", 2, 12);  // room 100 - 48
    EXPECT_EQ(narrow.CallsOf("TextOut")[0].text, "Chart ");
}

TEST(RectLabel, PrintsIntoARectangleOfThePage)
{
    RScolor::Instance().SetScheme(SchemeNormal);
    fw::Bitmap page(400, 300);
    page.Fill(QColor(10, 200, 10));
    {
        fw::PainterDC dc(page);
        RectLabel label;
        fw::Rect content;
        label.PrintPaint(dc, fw::Rect(100, 50, 300, 250), "Print", 3, 20, &content);
        // t = 6, m = 5: the content area is handed back in page units.
        EXPECT_EQ(content, fw::Rect(111, 75, 289, 239));
        EXPECT_EQ(label.rect, fw::Rect(100, 50, 300, 250));
        // The page's own state is back afterwards.
        EXPECT_EQ(dc.GetWindowOrg(), fw::Point(0, 0));
    }
    EXPECT_EQ(page.PixelAt(99, 150), QColor(10, 200, 10));   // left of the rectangle
    EXPECT_EQ(page.PixelAt(300, 150), QColor(10, 200, 10));  // right of it
    EXPECT_EQ(page.PixelAt(200, 49), QColor(10, 200, 10));
    EXPECT_EQ(page.PixelAt(200, 250), QColor(10, 200, 10));
    EXPECT_EQ(page.PixelAt(200, 150), Slot(3));  // interior
    EXPECT_EQ(page.PixelAt(102, 60), Slot(4));   // exterior, outside the rounded corner
}
