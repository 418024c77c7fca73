// The chart's four dialogs, driven by control id: what they show, what OK takes back, their
// buttons, and bad entries that must change nothing.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/CoordEntryDlg.h"
#include "chart/EnterLabelDialog.h"
#include "chart/LabelDlg.h"
#include "chart/StarPlotDlg.h"
#include "chart/tests/chart_fixture.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/Help.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/Snapshot.h"

namespace {

using chart_testing::ChartFixture;

class ChartDialogs : public ChartFixture {};

TEST_F(ChartDialogs, CenterAndFrameTakesTheEnteredCentreAndField)
{
    PutOrionNebulaeInTheTable();
    ChartWindow& chart = OpenChart();
    chart.currentObject = ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, 1976);
    chart.SetField(40, 30);
    struct Case {
        const char* what;
        std::vector<int> buttons; // pressed before OK
        const char* ra;           // typed into the centre, null: left as shown
        double centerRA, centerDec, width, height;
    };
    const Case cases[] = {
        {"default field", {CoordEntryDlg::kDefaultField}, "7h 30m", 7.5, 0.0, 20, 20},
        {"object's centre", {CoordEntryDlg::kRecenterOnObject}, nullptr, 5.59, -5.4, 40, 30},
        {"both", {CoordEntryDlg::kRecenterOnObject, CoordEntryDlg::kDefaultField}, nullptr, 5.59, -5.4, 20, 20},
    };
    for (const Case& c : cases) {
        chart.SetChart(5.6, 0.0, chart.parallel1, chart.parallel2, ProjectionStereographic);
        chart.SetField(40, 30);
        std::vector<std::string> shown;
        fw::ScriptedDialogs dialogs([&](fw::Dialog& d) {
            EXPECT_EQ(d.GetCaption(), "Center Chart");
            for (int id : {101, 102, 110, 111}) shown.push_back(d.ControlText(id));
            for (int id : c.buttons) d.PressButton(id);
            if (c.ra) d.SetControlText(101, c.ra);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        });
        ASSERT_TRUE(chart.SendCommand(CM_CHARTCENTER));
        ASSERT_EQ(dialogs.Count(), 1);
        EXPECT_EQ(shown, (std::vector<std::string>{"5h 36m", "0\xC2\xB0", "40 deg", "30 deg"})) << c.what;
        EXPECT_NEAR(chart.centerRA, c.centerRA, 1e-5) << c.what;
        EXPECT_NEAR(chart.centerDec, c.centerDec, 1e-5) << c.what;
        EXPECT_DOUBLE_EQ(chart.fieldWidth, c.width) << c.what;
        EXPECT_DOUBLE_EQ(chart.fieldHeight, c.height) << c.what;
    }
    // Help opens its page; Cancel leaves the chart as it was.
    fw::RecordedHelp help;
    fw::ScriptedDialogs cancel([](fw::Dialog& d) {
        d.PressButton(fw::IDHELP);
        d.PressButton(CoordEntryDlg::kDefaultField);
        d.SetControlText(101, "1h");
        return fw::IDCANCEL;
    });
    chart.SendCommand(CM_CHARTCENTER);
    EXPECT_EQ(help.Contexts(), std::vector<int>{90});
    EXPECT_NEAR(chart.centerRA, 5.59, 1e-5);
    EXPECT_DOUBLE_EQ(chart.fieldWidth, 20);
}

TEST_F(ChartDialogs, WithoutAnObjectPositionRecenterOnObjectIsGreyed)
{
    NGCTable.Clear();
    ChartWindow& chart = OpenChart();
    chart.currentObject = ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, 1976); // not in the table
    bool enabled = true;
    fw::ScriptedDialogs dialogs([&](fw::Dialog& d) {
        enabled = d.IsControlEnabled(CoordEntryDlg::kRecenterOnObject);
        d.SendCommand(CoordEntryDlg::kRecenterOnObject);
        d.PressButton(fw::IDOK);
        return fw::IDCANCEL;
    });
    chart.SendCommand(CM_CHARTCENTER);
    EXPECT_FALSE(enabled);
    EXPECT_DOUBLE_EQ(chart.centerRA, 5.6);
    EXPECT_DOUBLE_EQ(chart.centerDec, 0.0);
}

TEST_F(ChartDialogs, BadCentreOrFieldGetsTheFieldsMessageAndChangesNothing)
{
    ChartWindow& chart = OpenChart();
    struct Case {
        int id;
        const char* entry;
        const char* title;
    };
    const Case cases[] = {
        {101, "25", "RA Input Error"},       {102, "91", "Declination Input Error"},
        {102, "-90.5", "Declination Input Error"}, {101, "MAX", "RA Input Error"},
        {110, "0", "Size Input Error"},      {111, "nothing", "Size Input Error"},
        {110, "200", "Size Input Error"},
    };
    for (const Case& c : cases) {
        fw::ScriptedMessageBoxes boxes;
        int result = -1;
        fw::ScriptedDialogs dialogs([&](fw::Dialog& d) {
            d.SetControlText(101, "6h");
            d.SetControlText(c.id, c.entry);
            d.PressButton(fw::IDOK);
            result = d.Result();
            return fw::IDCANCEL;
        });
        chart.SendCommand(CM_CHARTCENTER);
        EXPECT_NE(result, fw::IDOK) << c.entry;
        ASSERT_EQ(boxes.Count(), 1) << c.entry;
        EXPECT_EQ(boxes.Last().title, c.title) << c.entry;
        EXPECT_DOUBLE_EQ(chart.centerRA, 5.6) << c.entry;
        EXPECT_DOUBLE_EQ(chart.centerDec, 0.0) << c.entry;
        EXPECT_DOUBLE_EQ(chart.fieldWidth, 40) << c.entry;
        EXPECT_DOUBLE_EQ(chart.fieldHeight, 40) << c.entry;
    }
}

TEST_F(ChartDialogs, AMagnitudeThatCannotBeReadKeepsTheStarPreferences)
{
    ChartWindow& chart = OpenChart();
    chart.starMagLimit = 7.2;
    // A limit of 0 or less would leave the chart no star size to draw: refused like the rest.
    for (const char* entry : {"bright", "MAX", "150", "0", "-1"}) {
        fw::ScriptedMessageBoxes boxes;
        fw::ScriptedDialogs dialogs([&](fw::Dialog& d) {
            d.SetControlText(StarPlotDlg::kMagnitude, entry);
            d.CheckButton(StarPlotDlg::kDisplayStars, fw::BF_UNCHECKED);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        });
        chart.SendCommand(CM_CHARTSTARS);
        ASSERT_EQ(boxes.Count(), 1) << entry;
        EXPECT_EQ(boxes.Last().title, "Magnitude Input Error") << entry;
        if (entry[0] == '0' || entry[0] == '-') {
            EXPECT_EQ(boxes.Last().text, "Enter a Magnitude above 0, such as 9.5") << entry;
        }
        EXPECT_DOUBLE_EQ(chart.starMagLimit, 7.2) << entry;
        EXPECT_TRUE(chart.starsShown) << entry;
    }
}

TEST_F(ChartDialogs, LabelDialogShowsItsFieldsAndTakesThemOnOkOnly)
{
    ChartLabelSize = 2.0;
    EnterLabelDialog dialog(nullptr);
    dialog.text = "Orion";
    dialog.textRA = 5.5;
    dialog.textDec = -2.25;
    dialog.anchorRA = 5.6;
    dialog.anchorDec = -5.4;
    dialog.useAnchor = 1;
    dialog.EnsureSetUp();
    EXPECT_EQ(dialog.GetCaption(), "Enter Label");
    EXPECT_EQ(dialog.ControlText(EnterLabelDialog::kText), "Orion");
    EXPECT_EQ(dialog.ControlText(EnterLabelDialog::kTextRA), "5h 30m");
    EXPECT_EQ(dialog.ControlText(EnterLabelDialog::kTextDec), "-2\xC2\xB0 15'");
    EXPECT_EQ(dialog.ControlText(EnterLabelDialog::kAnchorRA), "5h 36m");
    EXPECT_EQ(dialog.ControlText(EnterLabelDialog::kSize), "2 deg");
    EXPECT_EQ(dialog.IsButtonChecked(EnterLabelDialog::kUseAnchor), fw::BF_CHECKED);

    fw::RecordedHelp help;
    dialog.PressButton(fw::IDHELP);
    EXPECT_EQ(help.Contexts(), std::vector<int>{91});

    // The field takes 79 characters; the rest of a longer text never gets in.
    dialog.SetControlText(EnterLabelDialog::kText, std::string(100, 'x'));
    dialog.SetControlText(EnterLabelDialog::kSize, "30'");
    dialog.CheckButton(EnterLabelDialog::kUseAnchor, fw::BF_UNCHECKED);
    dialog.PressButton(fw::IDCANCEL);
    EXPECT_EQ(dialog.text, "Orion"); // Cancel reads nothing
    EXPECT_DOUBLE_EQ(ChartLabelSize, 2.0);

    dialog.PressButton(fw::IDOK);
    EXPECT_EQ(dialog.Result(), fw::IDOK);
    EXPECT_EQ(dialog.text, std::string(79, 'x'));
    EXPECT_DOUBLE_EQ(ChartLabelSize, 0.5);
    EXPECT_EQ(dialog.useAnchor, 0);
    EXPECT_DOUBLE_EQ(dialog.textRA, 5.5);
}

TEST_F(ChartDialogs, Snapshots)
{
    if (testsupport::SnapshotPath("x").empty()) GTEST_SKIP() << "no snapshot directory";
    StarPlotDlg stars(nullptr);
    stars.EnsureSetUp();
    testsupport::SaveDialogSnapshot(stars, "chart_star_plot_dialog.png");
    LabelDlg labels(nullptr);
    labels.userLabels = 1;
    labels.listOrder = 1;
    labels.EnsureSetUp();
    testsupport::SaveDialogSnapshot(labels, "chart_label_options_dialog.png");
    EnterLabelDialog enter(nullptr);
    enter.text = "Betelgeuse";
    enter.textRA = 6.1;
    enter.textDec = 12.0;
    enter.anchorRA = 5.919;
    enter.anchorDec = 7.407;
    enter.useAnchor = 1;
    enter.EnsureSetUp();
    testsupport::SaveDialogSnapshot(enter, "chart_enter_label_dialog.png");
    CoordEntryDlg center(nullptr);
    center.centerRA = 5.59;
    center.centerDec = -5.4;
    center.fieldWidth = 40;
    center.fieldHeight = 30;
    center.EnsureSetUp();
    testsupport::SaveDialogSnapshot(center, "chart_center_dialog.png");
}

} // namespace
