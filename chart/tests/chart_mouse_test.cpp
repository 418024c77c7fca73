// The chart's mouse gestures, driven by synthesized events: recentring, rubber-band zoom,
// drawing and deleting constellation lines, placing, moving and deleting labels.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/SAOdata.h"
#include "chart/tests/chart_fixture.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/PStream.h"
#include "globals/EditCommands.h"

namespace {

using chart_testing::ChartFixture;
using chart_testing::OrionStars;

class ChartMouse : public ChartFixture {};

constexpr double kBetelgeuseRA = 5.919, kBetelgeuseDec = 7.407;
constexpr double kRigelRA = 5.242, kRigelDec = -8.202;

TEST_F(ChartMouse, DoubleClickRecentresOnTheSkyUnderThePointer)
{
    ChartWindow& chart = OpenChart();
    chart.recentreArmed = true;
    const fw::Point p(300, 80);
    double ra = 0, dec = 0;
    ASSERT_TRUE(chart.ScreenToSky(ra, dec, p.x, p.y, chart.chartRect));
    chart.SimulateMouse(QEvent::MouseButtonDblClick, Qt::LeftButton, p);
    EXPECT_DOUBLE_EQ(chart.centerRA, ra);
    EXPECT_DOUBLE_EQ(chart.centerDec, dec);
    EXPECT_FALSE(chart.recentreArmed);
    EXPECT_TRUE(chart.needsRedraw);
    // The sky now lies under the chart's middle as it lay under the pointer.
    Draw();
    double midRA = 0, midDec = 0;
    ASSERT_TRUE(chart.ScreenToSky(midRA, midDec, 200, 150, chart.chartRect));
    EXPECT_NEAR(midRA, ra, 1e-6);
    EXPECT_NEAR(midDec, dec, 1e-6);

    // A point beyond the orthographic disc shows no sky and changes nothing.
    chart.SendCommand(CM_PROJORTHOGRAPHIC);
    chart.SendCommand(CM_MAXFIELD);
    chart.SetField(200, 200);
    Draw();
    ASSERT_FALSE(chart.ScreenToSky(ra, dec, 2, 2, chart.chartRect));
    chart.SimulateMouse(QEvent::MouseButtonDblClick, Qt::LeftButton, fw::Point(2, 2));
    EXPECT_NEAR(chart.centerRA, midRA, 1e-6);
}

TEST_F(ChartMouse, RubberBandZoomsToItsRectangleAndASmallOneOnlyGoes)
{
    struct Case {
        fw::Point from, to;
        bool zooms;
    };
    // A tenth of the client height is 30 pixels.
    for (const Case& c : {Case{{100, 80}, {300, 230}, true}, Case{{310, 240}, {90, 60}, true},
                          Case{{100, 80}, {300, 109}, false}, Case{{100, 80}, {129, 200}, false}}) {
        ChartWindow& chart = OpenChart();
        const fw::Rect r = fw::Rect(c.from.x, c.from.y, c.to.x, c.to.y).Normalized();
        const int cx = r.left + r.Width() / 2, cy = r.top + r.Height() / 2;
        double t[2], b[2], l[2], rt[2], m[2];
        ASSERT_TRUE(chart.ScreenToSky(t[0], t[1], cx, r.top, chart.chartRect));
        ASSERT_TRUE(chart.ScreenToSky(b[0], b[1], cx, r.bottom, chart.chartRect));
        ASSERT_TRUE(chart.ScreenToSky(l[0], l[1], r.left, cy, chart.chartRect));
        ASSERT_TRUE(chart.ScreenToSky(rt[0], rt[1], r.right, cy, chart.chartRect));
        ASSERT_TRUE(chart.ScreenToSky(m[0], m[1], cx, cy, chart.chartRect));

        Press(c.from);
        Move(c.to);
        const fw::Overlay::Mark* band = chart.GetOverlay().Find(ChartWindow::MarkRubberBand);
        ASSERT_NE(band, nullptr);
        EXPECT_EQ(band->pen.style, fw::PenStyle::Dot);
        Release(c.to);
        EXPECT_FALSE(chart.GetOverlay().Has(ChartWindow::MarkRubberBand));
        if (c.zooms) {
            EXPECT_NEAR(chart.fieldWidth, ChartWindow::SkyAngle(l[0], l[1], rt[0], rt[1]), 1e-9);
            EXPECT_NEAR(chart.fieldHeight, ChartWindow::SkyAngle(t[0], t[1], b[0], b[1]), 1e-9);
            EXPECT_LT(chart.fieldWidth, 40);
            EXPECT_LT(chart.fieldHeight, 40);
            EXPECT_DOUBLE_EQ(chart.centerRA, m[0]);
            EXPECT_DOUBLE_EQ(chart.centerDec, m[1]);
        } else {
            EXPECT_DOUBLE_EQ(chart.fieldWidth, 40);
            EXPECT_DOUBLE_EQ(chart.centerRA, 5.6);
        }
        EXPECT_EQ(chart.dragStart, fw::Point(-1, -1));
    }
}

TEST_F(ChartMouse, SkyAngleOfKnownPairs)
{
    EXPECT_NEAR(ChartWindow::SkyAngle(3, 10, 3, 10), 0, 1e-5);
    EXPECT_NEAR(ChartWindow::SkyAngle(0, 0, 6, 0), 90, 1e-12);
    EXPECT_DOUBLE_EQ(ChartWindow::SkyAngle(0, 0, 12, 0), 180);
    EXPECT_NEAR(ChartWindow::SkyAngle(5, -90, 17, 90), 180, 1e-9);
    EXPECT_NEAR(ChartWindow::SkyAngle(kBetelgeuseRA, kBetelgeuseDec, kRigelRA, kRigelDec), 18.6, 0.05);
}

TEST_F(ChartMouse, PickingFindsTheNearestStarWeightedByDeclination)
{
    ChartWindow& chart = OpenChart();
    chart.starMagLimit = 7.5;
    const double none = -99;
    double ra = none, dec = none;
    EXPECT_FALSE(chart.PickStar(5.0, 0.0, false, ra, dec)); // no star file
    EXPECT_EQ(ra, none);
    EXPECT_EQ(dec, none);

    WriteStars({{5.00, 0.0, 3.0f, 3.0f},  // bright
                {5.10, 0.0, 7.5f, 7.5f},  // at the limit
                {6.00, 1.0, 2.0f, 2.0f},  // two at the same distance from 6h, 0
                {6.00, -1.0, 2.0f, 2.0f},
                {7.20, 60.0, 11.0f, 5.0f}, // its second magnitude counts
                {7.00, 61.6, 5.0f, 5.0f}});
    struct Case {
        double ra, dec;
        bool brightOnly;
        double starRA, starDec;
    };
    for (const Case& c : {Case{5.09, 0.0, false, 5.10, 0.0}, Case{5.09, 0.0, true, 5.00, 0.0},
                          Case{6.00, 0.0, true, 6.00, 1.0},
                          // 0.2 h at 60 degrees is 1.5 degrees of sky, nearer than 1.6 degrees north
                          Case{7.00, 60.0, true, 7.20, 60.0},
                          Case{7.00, 59.9, false, 7.20, 60.0}}) {
        ASSERT_TRUE(chart.PickStar(c.ra, c.dec, c.brightOnly, ra, dec)) << c.ra << " " << c.dec;
        EXPECT_DOUBLE_EQ(ra, c.starRA) << c.ra << " " << c.dec;
        EXPECT_DOUBLE_EQ(dec, c.starDec) << c.ra << " " << c.dec;
    }
    // Only the pick pass's records are read.
    std::vector<chart_testing::Star> many(SAOdata::kPickPassLimit, chart_testing::Star{20.0, -60.0, 5.0f, 5.0f});
    many.push_back({12.0, 0.0, 1.0f, 1.0f});
    WriteStars(many);
    ASSERT_TRUE(chart.PickStar(12.0, 0.0, false, ra, dec));
    EXPECT_DOUBLE_EQ(ra, 20.0);
}

TEST_F(ChartMouse, ALineDrawnFromStarToStarIsSavedAndSurvivesARestart)
{
    WriteStars(OrionStars());
    ChartWindow& chart = OpenChart();
    chart.SendCommand(CM_MODIFYLINES);
    // Near each star, not on it: the ends snap to the stars.
    const fw::Point a = ScreenOf(kBetelgeuseRA, kBetelgeuseDec), b = ScreenOf(kRigelRA, kRigelDec);
    Press(fw::Point(a.x + 3, a.y - 2), Qt::ControlModifier);
    EXPECT_EQ(chart.dragStart, a);
    Move(fw::Point(b.x - 4, b.y + 1), Qt::ControlModifier);
    const fw::Overlay::Mark* rubber = chart.GetOverlay().Find(ChartWindow::MarkRubberLine);
    ASSERT_NE(rubber, nullptr);
    EXPECT_EQ(rubber->a, a);
    EXPECT_TRUE(chart.drawingLine);
    Release(fw::Point(b.x - 4, b.y + 1), Qt::ControlModifier);
    EXPECT_FALSE(chart.drawingLine);
    EXPECT_FALSE(chart.GetOverlay().Has(ChartWindow::MarkRubberLine));
    const ConstelLine drawn(5.919, 7.407, 5.242, -8.202);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0], drawn);
    // The same line again is not added twice.
    Drag(a, b, Qt::ControlModifier);
    EXPECT_EQ(Lines().size(), 1u);

    CloseChart();
    fw::omstream expected;
    expected.writeWord16(1);
    for (double v : {5.919, 7.407, 5.242, -8.202}) expected.writeDouble(v);
    EXPECT_EQ(testsupport::ReadFileBytes(UserDirectory + "conlines.rsx"), expected.str());
    ConstelLineArray::Instance().Reset();
    OpenChart();
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0], drawn);
}

TEST_F(ChartMouse, AShiftClickSelectsALineThatIsDeletedOnConfirmationOrWithCtrl)
{
    WriteStars(OrionStars());
    ChartWindow& chart = OpenChart();
    chart.Lines().AddIfAbsent(kBetelgeuseRA, kBetelgeuseDec, kRigelRA, kRigelDec);
    Draw(); // the line's screen segment
    chart.SendCommand(CM_MODIFYLINES);
    const fw::Point a = ScreenOf(kBetelgeuseRA, kBetelgeuseDec), b = ScreenOf(kRigelRA, kRigelDec);
    const fw::Point mid((a.x + b.x) / 2 + 1, (a.y + b.y) / 2);
    struct Case {
        Qt::KeyboardModifiers keysAtRelease;
        int answer;
        std::size_t linesAfter;
        int boxes;
    };
    for (const Case& c : {Case{Qt::ShiftModifier, fw::IDCANCEL, 1, 1}, Case{Qt::ShiftModifier, fw::IDOK, 0, 1}}) {
        fw::ScriptedMessageBoxes boxes({c.answer});
        Press(mid, Qt::ShiftModifier);
        ASSERT_TRUE(chart.lineSelected);
        EXPECT_TRUE(chart.GetOverlay().Has(ChartWindow::MarkSelectedLine));
        EXPECT_TRUE(chart.CommandEnabled(CM_EDITDELETE));
        Release(mid, c.keysAtRelease);
        ASSERT_EQ(boxes.Count(), c.boxes);
        EXPECT_EQ(boxes.Last().text, "Delete Selected Line?");
        EXPECT_EQ(boxes.Last().title, "Error"); // the title of a box given none
        EXPECT_EQ(Lines().size(), c.linesAfter);
        EXPECT_FALSE(chart.lineSelected);
        EXPECT_FALSE(chart.GetOverlay().Has(ChartWindow::MarkSelectedLine));
    }
    // A selected line's mark follows the line when the chart is zoomed and drawn again.
    chart.Lines().AddIfAbsent(kBetelgeuseRA, kBetelgeuseDec, kRigelRA, kRigelDec);
    Draw();
    Press(mid, Qt::ShiftModifier);
    ASSERT_TRUE(chart.lineSelected);
    chart.SendCommand(CM_ZOOMIN);
    chart.RedrawBitmap();
    const fw::Overlay::Mark* mark = chart.GetOverlay().Find(ChartWindow::MarkSelectedLine);
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->a, ScreenOf(kBetelgeuseRA, kBetelgeuseDec));
    EXPECT_NE(mark->a, a);
    chart.SendCommand(CM_ZOOMOUT);
    chart.RedrawBitmap();
    {
        fw::ScriptedMessageBoxes confirm({fw::IDOK});
        Release(mid, Qt::ShiftModifier);
    }
    ASSERT_TRUE(Lines().empty());

    // With Ctrl held at the release there is no question.
    chart.Lines().AddIfAbsent(kBetelgeuseRA, kBetelgeuseDec, kRigelRA, kRigelDec);
    Draw();
    fw::ScriptedMessageBoxes boxes;
    Press(mid, Qt::ShiftModifier);
    Release(mid, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_TRUE(Lines().empty());
}

// Near 0 h the stars either side of the seam are neighbours: each end of a new line snaps to
// the star across the seam rather than to one further off on the pointer's own side.
TEST_F(ChartMouse, ALineDrawnAcross0hSnapsToTheNearestStars)
{
    WriteStars({{23.995, 30.0, 3.0f, 3.0f},  // start star, just before 0 h
                {0.600, 30.0, 3.0f, 3.0f},   // on the pointer's side of 0 h, 7.8 degrees off
                {0.005, 40.0, 3.0f, 3.0f},   // end star, just after 0 h
                {23.400, 40.0, 3.0f, 3.0f}}); // on the pointer's side, 6.9 degrees off
    ChartWindow& chart = OpenChart();
    chart.SetChart(0.0, 35.0, chart.parallel1, chart.parallel2, ProjectionStereographic);
    chart.SetField(40, 40);
    Draw();
    chart.SendCommand(CM_MODIFYLINES);
    // The pointer lies across 0 h from each star, within a fifth of a degree of it.
    const fw::Point from = ScreenOf(0.008, 30.0), to = ScreenOf(23.992, 40.0);
    Press(from, Qt::ControlModifier);
    EXPECT_EQ(chart.dragStart, ScreenOf(23.995, 30.0));
    Move(to, Qt::ControlModifier);
    Release(to, Qt::ControlModifier);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0], ConstelLine(23.995, 30.0, 0.005, 40.0));
}

// A Shift-click picks the line nearest to the pointer, measured to the segment itself: here a
// nearly level line 10 pixels away rather than a level one 19 pixels away.
TEST_F(ChartMouse, AShiftClickPicksTheNearestOfNearlyLevelLines)
{
    ChartWindow& chart = OpenChart();
    const auto skyLine = [&](fw::Point a, fw::Point b) {
        double ra1 = 0, dec1 = 0, ra2 = 0, dec2 = 0;
        EXPECT_TRUE(chart.ScreenToSky(ra1, dec1, a.x, a.y, chart.chartRect));
        EXPECT_TRUE(chart.ScreenToSky(ra2, dec2, b.x, b.y, chart.chartRect));
        chart.Lines().AddIfAbsent(ra1, dec1, ra2, dec2);
        return ConstelLine(ra1, dec1, ra2, dec2);
    };
    const ConstelLine sloped = skyLine(fw::Point(60, 150), fw::Point(340, 153));
    const ConstelLine level = skyLine(fw::Point(60, 180), fw::Point(340, 180));
    Draw(); // the lines' screen segments
    ASSERT_EQ(Lines().size(), 2u);
    const ScreenLine& drawn = Lines()[0].screen;
    ASSERT_NE(drawn.y1, drawn.y2) << "the first line is not quite level";
    ASSERT_NEAR(drawn.y1, 150, 2);
    chart.SendCommand(CM_MODIFYLINES);
    Press(fw::Point(200, 161), Qt::ShiftModifier);
    ASSERT_TRUE(chart.lineSelected);
    EXPECT_EQ(chart.selectedLine, sloped);
    EXPECT_NE(chart.selectedLine, level);
}

TEST_F(ChartMouse, ALineWithoutAStarFoundAtAnEndIsRefused)
{
    // Without a star the search would leave 0 h, 0 degrees, which lies on this chart.
    struct Case {
        const char* what;
        std::vector<chart_testing::Star> stars; // empty: no star file
        bool fileGoesBeforeTheRelease;
        const char* status;
    };
    const std::vector<Case> cases = {
        {"no star file", {}, false, "No Star Found Near the Pointer: No Line Added"},
        {"only faint stars", {{5.919, 7.407, 9.0f, 9.0f}, {5.242, -8.202, 8.0f, 8.0f}}, false,
         "No Star Found Near the Pointer: No Line Added"},
        {"file gone at the end", OrionStars(), true, "No Star Found at the Line's End: No Line Added"},
    };
    for (const Case& c : cases) {
        if (c.stars.empty())
            std::remove(dir_.file("rssao.cat").c_str());
        else
            WriteStars(c.stars);
        ChartWindow& chart = OpenChart();
        chart.SetChart(3.0, 0.0, chart.parallel1, chart.parallel2, ProjectionStereographic);
        chart.SetField(90, 90);
        Draw();
        chart.SendCommand(CM_MODIFYLINES);
        statusBar_.SetText("");
        const fw::Point a = ScreenOf(kBetelgeuseRA, kBetelgeuseDec), b = ScreenOf(kRigelRA, kRigelDec);
        Press(a, Qt::ControlModifier);
        if (c.fileGoesBeforeTheRelease) std::remove(dir_.file("rssao.cat").c_str());
        Move(b, Qt::ControlModifier);
        Release(b, Qt::ControlModifier);
        EXPECT_TRUE(Lines().empty()) << c.what;
        EXPECT_EQ(statusBar_.GetText(), c.status) << c.what;
        EXPECT_FALSE(chart.drawingLine) << c.what;
        EXPECT_FALSE(chart.GetOverlay().Has(ChartWindow::MarkRubberLine)) << c.what;
        CloseChart();
        EXPECT_TRUE(testsupport::ReadFileBytes(UserDirectory + "conlines.rsx").empty()) << c.what;
    }
}

// Answers the label dialog: checks what it was seeded with, then enters text and presses OK.
struct LabelSeen {
    std::string text, textRA, textDec, anchorRA, anchorDec;
    int useAnchor = -1;
};

fw::DialogResponder EnterLabel(LabelSeen& seen, const std::string& text)
{
    return [&seen, text](fw::Dialog& d) {
        EXPECT_EQ(d.GetCaption(), "Enter Label");
        seen = {d.ControlText(101), d.ControlText(102), d.ControlText(105), d.ControlText(103), d.ControlText(104),
                d.IsButtonChecked(107)};
        d.SetControlText(101, text);
        d.PressButton(fw::IDOK);
        return fw::IDCANCEL;
    };
}

TEST_F(ChartMouse, ALabelDraggedWithoutAStarFoundIsAnchoredWhereTheDragStarted)
{
    ChartWindow& chart = OpenChart(); // no star file
    chart.SendCommand(CM_MODIFYLABELS);
    const fw::Point from(150, 120), to(220, 90);
    double fromRA = 0, fromDec = 0;
    ASSERT_TRUE(chart.ScreenToSky(fromRA, fromDec, from.x, from.y, chart.chartRect));
    LabelSeen seen;
    fw::ScriptedDialogs dialogs(EnterLabel(seen, "here"));
    Drag(from, to, Qt::ControlModifier);
    ASSERT_EQ(dialogs.Count(), 1);
    EXPECT_EQ(statusBar_.GetText(), "No Star Found Near the Pointer");
    EXPECT_EQ(seen.useAnchor, fw::BF_CHECKED);
    ASSERT_EQ(Labels().size(), 1u);
    EXPECT_NEAR(Labels()[0].ra1, fromRA, 1.0 / 3600);
    EXPECT_NEAR(Labels()[0].dec1, fromDec, 1.0 / 60);
}

TEST_F(ChartMouse, ALabelPlacedAndThenDeletedLeavesTheLabelFileAsItWas)
{
    WriteStars(OrionStars());
    {
        ChartLabels labels(UserDirectory + "chtlabel.rsx");
        labels.AddLabel(ChartLabel(5.6, -5.4, 5.7, -3.0, "M 42", 1.0));
        ASSERT_EQ(labels.Write(), 1);
    }
    ChartLabelArray::Instance().Reset();
    const std::string before = testsupport::ReadFileBytes(UserDirectory + "chtlabel.rsx");
    ChartWindow& chart = OpenChart();
    chart.SendCommand(CM_MODIFYLABELS);
    ChartLabelSize = 1.5;
    // Ctrl-drag from near Betelgeuse: the anchor is the star, the text goes where the drag ends.
    const fw::Point star = ScreenOf(kBetelgeuseRA, kBetelgeuseDec);
    const fw::Point end(star.x + 60, star.y - 40);
    double endRA = 0, endDec = 0;
    ASSERT_TRUE(chart.ScreenToSky(endRA, endDec, end.x, end.y, chart.chartRect));
    LabelSeen seen;
    {
        fw::ScriptedDialogs dialogs(EnterLabel(seen, "Betelgeuse"));
        Drag(fw::Point(star.x + 2, star.y + 2), end, Qt::ControlModifier);
        ASSERT_EQ(dialogs.Count(), 1);
    }
    EXPECT_EQ(seen.text, "");
    EXPECT_EQ(seen.useAnchor, fw::BF_CHECKED);
    EXPECT_EQ(seen.anchorRA, "5h 55m 8.4s");
    EXPECT_EQ(seen.anchorDec, "7\xC2\xB0 24' 25.2\"");
    ASSERT_EQ(Labels().size(), 2u);
    const ChartLabel& placed = Labels()[1];
    EXPECT_EQ(placed.text, "Betelgeuse");
    EXPECT_NEAR(placed.ra1, kBetelgeuseRA, 1.0 / 3600);
    EXPECT_NEAR(placed.dec1, kBetelgeuseDec, 1.0 / 3600);
    EXPECT_NEAR(placed.ra2, endRA, 1.0 / 3600);
    EXPECT_NEAR(placed.dec2, endDec, 1.0 / 60);
    EXPECT_DOUBLE_EQ(placed.sizeFactor, 1.5);

    // Shift+Ctrl on the label's text deletes it without a dialog.
    Draw();
    fw::Rect box;
    ASSERT_TRUE(chart.LabelHitBox(placed, box));
    const fw::Point inside(box.left + 2, box.top + 2);
    fw::ScriptedDialogs none([](fw::Dialog&) { return fw::IDCANCEL; });
    Press(inside, Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_TRUE(chart.labelSelected);
    EXPECT_EQ(chart.selectedLabel.text, "Betelgeuse");
    Release(inside, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(none.Count(), 0);
    ASSERT_EQ(Labels().size(), 1u);
    EXPECT_EQ(Labels()[0].text, "M 42");
    CloseChart();
    EXPECT_EQ(testsupport::ReadFileBytes(UserDirectory + "chtlabel.rsx"), before);
}

TEST_F(ChartMouse, AShiftDragMovesALabelAndAnEmptyTextDeletesIt)
{
    ChartWindow& chart = OpenChart();
    chart.Labels().AddLabel(ChartLabel(5.6, -5.4, 5.7, -3.0, "M 42", 2.0));
    chart.SendCommand(CM_MODIFYLABELS);
    Draw();
    fw::Rect box;
    ASSERT_TRUE(chart.LabelHitBox(Labels()[0], box));
    // A Shift-click beside the text selects nothing; left and top edges belong to the box.
    Press(fw::Point(box.right + 1, box.bottom + 1), Qt::ShiftModifier);
    EXPECT_FALSE(chart.labelSelected);
    Release(fw::Point(box.right + 1, box.bottom + 1), Qt::ShiftModifier);
    const fw::Point grip(box.left, box.top);
    const fw::Point to(grip.x + 50, grip.y + 30);
    double toRA = 0, toDec = 0;
    ASSERT_TRUE(chart.ScreenToSky(toRA, toDec, to.x, to.y, chart.chartRect));
    LabelSeen seen;
    {
        fw::ScriptedDialogs dialogs(EnterLabel(seen, "Orion Nebula"));
        Press(grip, Qt::ShiftModifier);
        ASSERT_TRUE(chart.labelSelected);
        EXPECT_TRUE(chart.GetOverlay().Has(ChartWindow::MarkSelectedLabel));
        Move(to, Qt::ShiftModifier);
        EXPECT_TRUE(chart.GetOverlay().Has(ChartWindow::MarkMovingLabel));
        Release(to, Qt::ShiftModifier);
        ASSERT_EQ(dialogs.Count(), 1);
    }
    EXPECT_EQ(seen.text, "M 42");
    EXPECT_EQ(seen.useAnchor, fw::BF_CHECKED);
    ASSERT_EQ(Labels().size(), 1u);
    EXPECT_EQ(Labels()[0].text, "Orion Nebula");
    EXPECT_DOUBLE_EQ(Labels()[0].ra1, 5.6);
    EXPECT_DOUBLE_EQ(Labels()[0].dec1, -5.4);
    EXPECT_NEAR(Labels()[0].ra2, toRA, 1.0 / 3600);
    EXPECT_NEAR(Labels()[0].dec2, toDec, 1.0 / 60);
    EXPECT_DOUBLE_EQ(Labels()[0].sizeFactor, 2.0);
    EXPECT_FALSE(chart.GetOverlay().Has(ChartWindow::MarkMovingLabel));

    // OK with an empty text removes the label and adds none.
    Draw();
    ASSERT_TRUE(chart.LabelHitBox(Labels()[0], box));
    fw::ScriptedDialogs dialogs(EnterLabel(seen, ""));
    Press(fw::Point(box.left + 1, box.top + 1), Qt::ShiftModifier);
    Release(fw::Point(box.left + 1, box.top + 1), Qt::ShiftModifier);
    EXPECT_EQ(dialogs.Count(), 1);
    EXPECT_EQ(seen.text, "Orion Nebula");
    EXPECT_TRUE(Labels().empty());
}

TEST_F(ChartMouse, BadEntriesInTheLabelDialogChangeNothing)
{
    WriteStars(OrionStars());
    ChartWindow& chart = OpenChart();
    chart.SendCommand(CM_MODIFYLABELS);
    ChartLabelSize = 1.25;
    struct Case {
        int id;
        std::string entry;
        const char* title;
    };
    std::string longText;
    for (int i = 0; i < 79; ++i) longText += "\xC2\xB0"; // 79 characters, 158 bytes
    const Case cases[] = {
        {101, longText, "Label Input Error"},
        {102, "25", "RA Input Error"},
        {104, "91", "Declination Input Error"},
        {106, "0", "Size Input Error"},
        {103, "MAX", "RA Input Error"},
    };
    for (const Case& c : cases) {
        fw::ScriptedMessageBoxes boxes;
        bool stayedOpen = false;
        fw::ScriptedDialogs dialogs([&](fw::Dialog& d) {
            d.SetControlText(101, "Nebula");
            d.SetControlText(c.id, c.entry);
            d.PressButton(fw::IDOK);
            stayedOpen = d.isVisible() || d.Result() != fw::IDOK;
            return fw::IDCANCEL;
        });
        Press(fw::Point(200, 150), Qt::ControlModifier);
        Release(fw::Point(200, 150), Qt::ControlModifier);
        ASSERT_EQ(dialogs.Count(), 1) << c.entry;
        EXPECT_TRUE(stayedOpen) << c.entry;
        ASSERT_GE(boxes.Count(), 1) << c.entry;
        EXPECT_EQ(boxes.Calls()[0].title, c.title) << c.entry;
        EXPECT_TRUE(Labels().empty()) << c.entry;
        EXPECT_DOUBLE_EQ(ChartLabelSize, 1.25) << c.entry;
    }
}

} // namespace
