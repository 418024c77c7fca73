// Data windows: the caption and value boxes, the shrinking value font, repaints, colour
// groups, the code texts and the unit, format and precision choices.
#include "astro/ObsSite.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/MessageBox.h"
#include "globals/Globals.h"
#include "framework/gui/PopupMenu.h"
#include "framework/gui/RecordingDC.h"
#include "planner/AngleLabelWindow.h"
#include "planner/ConstelLabelWindow.h"
#include "planner/CoordLabelWindow.h"
#include "planner/DistanceLabelWindow.h"
#include "planner/MagLabelWindow.h"
#include "planner/DreyerBrightLabelWindow.h"
#include "planner/DreyerShapeLabelWindow.h"
#include "planner/DreyerSizeLabelWindow.h"
#include "planner/PlannerStrings.h"
#include "planner/TextLabelWindow.h"
#include "planner/TimeDateLabelWindow.h"
#include "planner/TypeLabelWindow.h"
#include "ui/RScolor.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::vector<fw::DrawCall> RoundRects(LabelWindow& w, const fw::Rect& r)
{
    fw::RecordingDC dc(fw::Size(r.right + 10, r.bottom + 10));
    w.Draw(dc, r);
    return dc.CallsOf("RoundRect");
}

} // namespace

// Printed through a device whose resolution differs by axis, the window is drawn in square
// units mapped onto the target: its boxes keep their shape on paper.
TEST(LabelWindow, PrintingKeepsTheShapeOnADeviceOfUnequalResolution)
{
    const struct {
        int dpiX, dpiY;
        std::vector<int> box;  // left, top, right, bottom in the window's logical units
    } cases[] = {
        {300, 300, {0, 0, 200, 20}},
        {600, 300, {0, 0, 100, 20}},  // twice as many dots across: half as many square units
        {300, 600, {0, 0, 200, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpiX) + "x" + std::to_string(c.dpiY));
        TextLabelWindow w(nullptr, "Name", "Name");
        w.SetText("NGC 224");
        w.SetLabelWidth(0, false);
        fw::RecordingDC dc(fw::Size(400, 100), c.dpiX, c.dpiY);
        w.PaintToDC(dc, fw::Rect(0, 0, 200, 20));
        const std::vector<fw::DrawCall> boxes = dc.CallsOf("RoundRect");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(std::vector<int>(boxes[0].args.begin(), boxes[0].args.begin() + 4), c.box);
        EXPECT_EQ(dc.GetMapMode(), fw::MM_TEXT) << "the mapping is put back";
    }
}

// A window too large for its off-screen bitmap (memory runs out) says so once and paints
// straight into the window.
TEST(LabelWindow, WithoutMemoryForTheBitmapItSaysSoAndPaintsStraight)
{
    struct Exposed : TextLabelWindow {
        using TextLabelWindow::TextLabelWindow;
        using TextLabelWindow::Paint;
    };
    Exposed w(nullptr, "Name", "Name");
    w.SetText("NGC 224");
    w.resize(200, 40);
    // Memory runs out: no bitmap of more than a kilobyte can be had.
    const std::int64_t limit = fw::Bitmap::MaxBytes();
    fw::Bitmap::SetMaxBytes(1024);
    fw::ScriptedMessageBoxes boxes;
    for (int paint = 0; paint < 2; ++paint) {
        fw::RecordingDC dc(fw::Size(200, 40));
        w.Paint(dc, true, fw::Rect(0, 0, 200, 40));
        EXPECT_GT(dc.Count("RoundRect"), 0) << "drawn straight into the window";
        EXPECT_EQ(dc.Count("DrawBitmap"), 0);
    }
    fw::Bitmap::SetMaxBytes(limit);
    ASSERT_EQ(boxes.Count(), 1) << "told once";
    EXPECT_EQ(boxes.Last().title, "Insufficient Memory for Label Background Painting");
    EXPECT_EQ(boxes.Last().text, "");
    EXPECT_TRUE(w.MemoryReported());
}

TEST(LabelWindow, CaptionAndValueBoxesByLabelWidth)
{
    struct Case {
        int labelWidth;
        std::vector<std::vector<int>> boxes;  // left, top, right, bottom, corner x, corner y
    };
    const Case cases[] = {
        {30, {{0, 0, 60, 20, 10, 10}, {60, 0, 200, 20, 10, 10}}},
        {0, {{0, 0, 200, 20, 10, 10}}},  // no caption box, the value over the whole width
        {100, {{0, 0, 200, 20, 10, 10}}},  // the caption over the whole width, no value
        {200, {{0, 0, 200, 10, 5, 5}, {0, 10, 200, 20, 5, 5}}},  // stacked halves
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.labelWidth);
        TextLabelWindow w(nullptr, "Name", "Name");
        w.SetText("NGC 224");
        w.SetLabelWidth(c.labelWidth, false);
        std::vector<fw::DrawCall> boxes = RoundRects(w, fw::Rect(0, 0, 200, 20));
        ASSERT_EQ(boxes.size(), c.boxes.size());
        for (std::size_t i = 0; i < boxes.size(); ++i) EXPECT_EQ(boxes[i].args, c.boxes[i]);
    }
}

TEST(LabelWindow, CaptionAndValueTextSitInTheirBoxesInTheirColours)
{
    RScolor& rs = RScolor::Instance();
    TextLabelWindow w(nullptr, "Bright", "Brightness");
    w.SetColorGroup(105);
    w.SetText("Pretty Bright");
    fw::RecordingDC dc(fw::Size(400, 40));
    w.Draw(dc, fw::Rect(0, 0, 400, 20));
    std::vector<fw::DrawCall> texts = dc.CallsOf("TextOut");
    ASSERT_EQ(texts.size(), 2u);
    // Font 19 high: a quarter of it in from the box's left edge, centred vertically.
    EXPECT_EQ(texts[0].Describe(), "TextOut 4,0 'Brightness'");
    EXPECT_EQ(texts[0].font.height, 19);
    EXPECT_EQ(texts[0].textColor, fw::ColorFromRef(rs.GetColor(106)));
    EXPECT_EQ(texts[1].Describe(), "TextOut 124,0 'Pretty Bright'");
    EXPECT_EQ(texts[1].textColor, fw::ColorFromRef(rs.GetColor(109)));
    std::vector<fw::DrawCall> boxes = dc.CallsOf("RoundRect");
    EXPECT_EQ(boxes[0].brush.color, fw::ColorFromRef(rs.GetColor(105)));
    EXPECT_EQ(boxes[0].pen.color, fw::ColorFromRef(rs.GetColor(107)));
    EXPECT_EQ(boxes[1].brush.color, fw::ColorFromRef(rs.GetColor(108)));
    EXPECT_FALSE(w.CaptionDoesNotFit());
}

TEST(LabelWindow, WideValueShrinksItsFontButNeverBelowOnePixel)
{
    TextLabelWindow w(nullptr, "DreyerDesc", "Dreyer");
    w.SetLabelWidth(30, false);
    // 21 characters in a 140-pixel value box: at height h a character is h/2 wide and half
    // the height is kept free, so the text first fits at height 13 (126 + 6 <= 140).
    w.SetText("vF, S, R, gbM, *10 nf");
    fw::RecordingDC dc(fw::Size(300, 40));
    w.Draw(dc, fw::Rect(0, 0, 200, 20));
    EXPECT_EQ(w.ValueFontHeight(), 13);
    EXPECT_FALSE(w.ValueFontReduced());
    EXPECT_EQ(dc.CallsOf("TextOut").back().font.height, 13);

    // A window six pixels high cannot hold the text at any height: the font stops at one pixel.
    w.SetText(std::string(60, 'x'));
    fw::RecordingDC small(fw::Size(100, 20));
    w.Draw(small, fw::Rect(0, 0, 30, 6));
    EXPECT_EQ(w.ValueFontHeight(), 1);
    EXPECT_TRUE(w.ValueFontReduced());
    for (const fw::DrawCall& call : small.Calls()) EXPECT_GE(call.font.height, 1) << call.Describe();

    // A caption too wide for its box is drawn smaller too, and says that it did not fit.
    fw::RecordingDC caption(fw::Size(300, 40));
    w.Draw(caption, fw::Rect(0, 0, 120, 20));  // 36 pixels for 6 characters
    EXPECT_TRUE(w.CaptionDoesNotFit());
    const fw::DrawCall first = caption.CallsOf("TextOut").front();
    EXPECT_EQ(first.text, "Dreyer");
    EXPECT_EQ(first.font.height, 11);  // 6 x 5 + 5 <= 36
}

TEST(LabelWindow, SameTextTwiceAsksForNoRepaint)
{
    TextLabelWindow w(nullptr, "Name");
    w.SetText("NGC 224");
    w.SetTitle("Name");
    const int before = w.RepaintRequests();
    w.SetText("NGC 224");
    w.SetTitle("Name");
    EXPECT_EQ(w.RepaintRequests(), before);
    w.SetText("NGC 225", false);
    EXPECT_EQ(w.RepaintRequests(), before);
    EXPECT_EQ(w.Text(), "NGC 225");
    w.SetText("NGC 226");
    EXPECT_EQ(w.RepaintRequests(), before + 1);
}

TEST(LabelWindow, ColourChangeGoesToEveryDataWindowOnlyOnYes)
{
    RScolor& rs = RScolor::Instance();
    TextLabelWindow w(nullptr, "Name");
    w.SetColorGroup(123);
    const int scheme = rs.Scheme();
    const RGBColor red = MakeRGB(255, 0, 0);
    const RGBColor before = rs.GetColor(41 + 6 * 5);
    {
        fw::ScriptedMessageBoxes boxes({fw::IDNO});
        w.ApplyColorsToAll(41, red);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Last().text, "Apply Color Changes to All Datawindows?");
        EXPECT_EQ(boxes.Last().style, fw::MB_YESNOCANCEL | fw::MB_ICONQUESTION);
        EXPECT_EQ(rs.GetColor(41 + 6 * 5), before);
    }
    fw::ScriptedMessageBoxes boxes({fw::IDYES});
    w.ApplyColorsToAll(41, red);
    for (int slot = 41; slot < 207; slot += 6) EXPECT_EQ(rs.GetSchemeColor(slot, scheme), red) << slot;
    EXPECT_NE(rs.GetColor(42), red);
}

TEST(LabelWindow, ColoursGoBetweenRecordAndSlotsForEveryScheme)
{
    RScolor& rs = RScolor::Instance();
    TextLabelWindow w(nullptr, "Name");
    w.SetColorGroup(123);
    for (int s = 0; s < 5; ++s)
        for (int r = 0; r < 5; ++r) w.SetSchemeColor(s, r, MakeRGB(s, r, 7));
    ASSERT_TRUE(w.LoadColors());
    // Roles in record order: label back, label text, data back, data text, outline.
    const int roleSlots[5] = {123, 124, 126, 127, 125};
    for (int s = 0; s < 5; ++s)
        for (int r = 0; r < 5; ++r) EXPECT_EQ(rs.GetSchemeColor(roleSlots[r], s), MakeRGB(s, r, 7));
    rs.SetSchemeColor(127, 2, MakeRGB(9, 9, 9));
    ASSERT_TRUE(w.StoreColors());
    EXPECT_EQ(w.SchemeColor(2, LabelWindow::DataText), MakeRGB(9, 9, 9));
}

TEST(LabelWindow, CodeTexts)
{
    DreyerBrightLabelWindow bright(nullptr, "Bright");
    DreyerSizeLabelWindow size(nullptr, "Size");
    DreyerShapeLabelWindow shape(nullptr, "Shape");
    struct Case {
        int code;
        const char* bright;
        const char* size;
        const char* shape;
    };
    const Case cases[] = {
        {0, "No Dreyer Description", "No Dreyer Description", "No Dreyer Description"},
        {1, "Most Extremely Faint", "Most Extremely Small", "Round"},
        {12, "Most Extremely Bright", "Most Extremely Large", "Very Extended"},
        {13, "No Dreyer Description", "No Dreyer Description", "Very Much Extended"},
        {15, "No Dreyer Description", "No Dreyer Description", "No Dreyer Description"},
    };
    for (const Case& c : cases) {
        bright.SetCode(c.code);
        size.SetCode(c.code);
        shape.SetCode(c.code);
        EXPECT_EQ(bright.Text(), c.bright) << c.code;
        EXPECT_EQ(size.Text(), c.size) << c.code;
        EXPECT_EQ(shape.Text(), c.shape) << c.code;
    }
    EXPECT_EQ(bright.Title(), "Brightness");

    ConstelLabelWindow constel(nullptr, "Constel");
    EXPECT_TRUE(constel.SetConstellation(0));
    EXPECT_EQ(constel.Text(), "Andromeda (And)");
    EXPECT_FALSE(constel.SetConstellation(88));
    EXPECT_FALSE(constel.SetConstellation(-1));
    EXPECT_EQ(constel.Text(), "Andromeda (And)");

    TypeLabelWindow type(nullptr, "Type");
    const std::pair<int, const char*> types[] = {{0, "Galaxy"}, {10, "Star"}, {29, "Planet"}, {30, "Satellite of Earth"}};
    for (const auto& [code, text] : types) {
        type.SetType(code);
        EXPECT_EQ(type.Text(), text);
    }
}

TEST(LabelWindow, AngleChoicesKeepUnitAndFormatTogether)
{
    AngleLabelWindow w(nullptr, "HTheta", "Az", 0x3F0E7BB);
    w.SetAngle(Angle(135.0, Angle::kDegrees));
    struct Step {
        int command;
        int units, format, precision;
    };
    const Step steps[] = {
        {17401, 1, 3, 2},  // degrees, automatic
        {17405, 5, 5, 2},  // a sector takes the four-word format
        {17412, 5, 6, 2},  // eight compass points
        {17401, 1, 3, 2},  // back to degrees: a numeric format again
        {17408, 1, 1, 2},
        {17417, 1, 1, 2 + 0},  // precision 2
        {17406, 6, 5, 2},  // the elevation word takes a compass-style format
    };
    for (const Step& s : steps) {
        w.Choose(s.command);
        EXPECT_EQ(w.units, s.units) << s.command;
        EXPECT_EQ(w.format, s.format) << s.command;
        EXPECT_EQ(w.precision, s.precision) << s.command;
        EXPECT_EQ(w.Text(), Angle::Format(Angle(135.0, Angle::kDegrees), w.units, w.format, w.precision));
    }
}

TEST(LabelWindow, AngleMenuOffersWhatItsMaskAllows)
{
    AngleLabelWindow diam(nullptr, "Diam", "Dia", 0x3F0079B);
    diam.SetModule(&PlannerStrings());
    diam.SetAngle(Angle(0.5, Angle::kDegrees));
    fw::ScriptedMenus menus({0});
    diam.SimulateMouse(QEvent::MouseButtonPress, Qt::RightButton, fw::Point(3, 3));
    ASSERT_EQ(menus.Shown().size(), 1u);
    const fw::PopupMenu& menu = menus.Shown()[0];
    EXPECT_EQ(menu.Describe(), ">&Units|>&Format|>&Precision|>&Colors...");
    EXPECT_EQ(menu.Items()[0].submenu->Describe(), "Radians|Degrees|Arcminutes|Arcseconds");
    EXPECT_TRUE(menu.FindItem(17414) != nullptr);
    EXPECT_NE(menu.FindItem(17414)->text.find(" (AUTO UNITS)"), std::string::npos);
    EXPECT_EQ(menu.Items()[3].submenu->Describe(),
              "Outline Color|Label Text Color|Label Back Color|Data Text Color|Data Back Color");

    AngleLabelWindow az(nullptr, "HTheta", "Az", 0x3F0E7BB);
    az.Choose(17405);
    fw::ScriptedMenus sectorMenus({17413});
    az.SimulateMouse(QEvent::MouseButtonPress, Qt::RightButton, fw::Point(3, 3));
    EXPECT_EQ(sectorMenus.Shown()[0].Describe(), ">&Units|>&Format|>&Colors...");
    EXPECT_EQ(az.format, 7);
}

// The magnitude and distance windows' menus as a right click shows them, each choice taken;
// a partner's choice reaches its coordinate window through the partner notice.
TEST(LabelWindow, MagnitudeAndDistanceMenusAndThePartnerNotice)
{
    MagLabelWindow mag(nullptr, "Mag", "Mag");
    mag.SetMagnitude(Magnitude(3.44, 4.36));
    const struct {
        int choice;
        int precision;
    } magChoices[] = {{17220, 0}, {17222, 2}, {17221, 1}};
    for (const auto& c : magChoices) {
        fw::ScriptedMenus menus({c.choice});
        mag.SimulateMouse(QEvent::MouseButtonPress, Qt::RightButton, fw::Point(3, 3));
        ASSERT_EQ(menus.Shown().size(), 1u);
        EXPECT_EQ(menus.Shown()[0].Describe(), ">&Precision|>&Colors...");
        EXPECT_EQ(menus.Shown()[0].Items()[0].submenu->Describe(), "X|X.Y|X.YY");
        EXPECT_EQ(mag.precision, c.precision) << c.choice;
        EXPECT_EQ(mag.Text(), Magnitude(3.44, 4.36).Format(c.precision, 0));
    }

    DistanceLabelWindow distance(nullptr, "Distance", "Distance");
    const ::Distance d(5.2, 2);  // astronomical units
    distance.SetDistance(d);
    const struct {
        int choice;
        int units1, units2;
    } distanceChoices[] = {{17301, 1, -1}, {17302, 2, -1}, {17311, 2, 6}, {17307, 7, 6}, {17308, 7, 0}};
    for (const auto& c : distanceChoices) {
        fw::ScriptedMenus menus({c.choice});
        distance.SimulateMouse(QEvent::MouseButtonPress, Qt::RightButton, fw::Point(3, 3));
        ASSERT_EQ(menus.Shown().size(), 1u);
        EXPECT_EQ(menus.Shown()[0].Describe(), ">&Units...|>&Precision...|>&Colors...");
        EXPECT_EQ(distance.units1, c.units1) << c.choice;
        if (c.units2 >= 0) {
            EXPECT_EQ(distance.units2, c.units2) << c.choice;
        }
        EXPECT_EQ(distance.Text(), d.Format(distance.units1, distance.units2));
    }

    // Theta's unit chosen in its own menu is taken into the coordinate window's settings.
    CoordLabelWindow coords(nullptr, "CCORD", "Celestial Coordinates");
    AngleLabelWindow theta(nullptr, "ThetaWin", "Theta", 0x3F0079F);
    AngleLabelWindow phi(nullptr, "PhiWin", "Phi", 0x3F0079B);
    coords.SetPartners(&theta, &phi, nullptr);
    fw::ScriptedMenus menus({17402});
    theta.SimulateMouse(QEvent::MouseButtonPress, Qt::RightButton, fw::Point(3, 3));
    EXPECT_EQ(theta.units, 2);
    EXPECT_EQ(coords.settings[CoordLabelWindow::kThetaChoices], 2) << "the notice took the partner's choice";
}

TEST(LabelWindow, TimeWindowShowsTheChosenScaleAndForm)
{
    ObsSite site(Angle(77.0, Angle::kDegrees), Angle(38.9, Angle::kDegrees), "Washington", -5, Distance());
    AppGlobals.site = &site;
    TimeDateLabelWindow w(nullptr, "RISE", "Rise Time");
    const JulianDate t = JulianDate::FromCalendar(2026, 10, 25, 2, 5, 9);
    w.SetDate(t);
    EXPECT_EQ(w.Text(), "Oct 24, 2026 21:05:09");  // local civil time, date then time
    w.Choose(17600);                                // time only
    EXPECT_EQ(w.Text(), "21:05:09");
    w.Choose(17623);                                // universal time
    EXPECT_EQ(w.Text(), "02:05:09");
    w.Choose(17621);                                // hh:mm am/pm
    EXPECT_EQ(w.Text(), "02:05am");
    w.Choose(17603);
    w.Choose(17608);                                // date style 7
    EXPECT_EQ(w.Text(), t.Calendar().Format(3, 7, 3));
    w.SetMessage("Always Above Horizon");
    w.Choose(17622);
    EXPECT_EQ(w.Text(), "Always Above Horizon");
    AppGlobals.site = nullptr;
}
