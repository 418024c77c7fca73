// The chart window's commands: each reaches its handler by id, its enabler follows the chart's
// state, and the pop-up menu offers them in their groups.
#include <QMenu>
#include <QPainter>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/ChartFormat.h"
#include "chart/ChartPane.h"
#include "chart/tests/chart_fixture.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/ColorChooser.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/PopupMenu.h"
#include "framework/testsupport/Snapshot.h"
#include "globals/EditCommands.h"

namespace {

using chart_testing::ChartFixture;

class ChartCommands : public ChartFixture {};

TEST_F(ChartCommands, ProjectionItemsCheckTheirTypeAndGreyWhileLinesAreEdited)
{
    struct Case {
        int id;
        int type;
        bool greyedWhileEditingLines;
    };
    const Case cases[] = {
        {CM_PROJSTEREOGRAPHIC, ProjectionStereographic, true}, {CM_PROJGNOMONIC, ProjectionGnomonic, true},
        {CM_PROJLAMBERT, ProjectionLambertAzimuthal, true},    {CM_PROJORTHOGRAPHIC, ProjectionOrthographic, true},
        {CM_PROJCYLINDRICAL, ProjectionCylindrical, false},    {CM_PROJPOLAR, ProjectionPolar, false},
        {CM_PROJAREACONIC, ProjectionAreaConic, true},         {CM_PROJCONFORMAL1, ProjectionConformalConic1, true},
        {CM_PROJCONFORMAL2, ProjectionConformalConic2, true},
    };
    ChartWindow& chart = OpenChart();
    for (const Case& c : cases) {
        chart.needsRedraw = false;
        ASSERT_TRUE(chart.SendCommand(c.id)) << c.id;
        EXPECT_EQ(chart.projection, c.type) << c.id;
        EXPECT_TRUE(chart.needsRedraw) << c.id;
        for (const Case& other : cases)
            EXPECT_EQ(chart.QueryCommand(other.id).check, other.id == c.id ? fw::BF_CHECKED : fw::BF_UNCHECKED)
                << c.id << " then " << other.id;
    }
    for (const Case& c : cases) EXPECT_TRUE(chart.CommandEnabled(c.id)) << c.id;
    chart.SendCommand(CM_MODIFYLINES);
    for (const Case& c : cases) EXPECT_EQ(chart.CommandEnabled(c.id), !c.greyedWhileEditingLines) << c.id;

    // The menu's four projections are greyed then, and a greyed one chosen does nothing.
    chart.SendCommand(CM_PROJPOLAR);
    fw::ScriptedMenus menus({CM_PROJGNOMONIC});
    chart.ShowPopupMenu(fw::Point(10, 10));
    ASSERT_EQ(menus.Shown().size(), 1u);
    for (int id : {CM_PROJSTEREOGRAPHIC, CM_PROJORTHOGRAPHIC, CM_PROJGNOMONIC, CM_PROJLAMBERT})
        EXPECT_FALSE(menus.Shown()[0].FindItem(id)->enabled) << id;
    EXPECT_EQ(chart.projection, ProjectionPolar);
}

TEST_F(ChartCommands, LayerSwitchesToggleTheirFlagAndCheckMark)
{
    struct Case {
        int id;
        bool ChartConfig::*flag;
    };
    const Case cases[] = {{CM_CHARTSOLARSYSTEM, &ChartConfig::solarSystem},
                          {CM_CHARTGRID, &ChartConfig::grid},
                          {CM_CHARTCONSTLINES, &ChartConfig::constellationLines},
                          {CM_CHARTTELRAD, &ChartConfig::telrad}};
    ChartWindow& chart = OpenChart();
    for (const Case& c : cases) {
        const bool before = chart.*c.flag;
        EXPECT_EQ(chart.QueryCommand(c.id).check, before ? fw::BF_CHECKED : fw::BF_UNCHECKED) << c.id;
        chart.needsRedraw = false;
        // Chosen from the menu, which shows the item's check mark.
        fw::ScriptedMenus menus({c.id});
        chart.ShowPopupMenu(fw::Point(5, 5));
        ASSERT_EQ(menus.Shown().size(), 1u);
        EXPECT_EQ(menus.Shown()[0].FindItem(c.id)->checked, before) << c.id;
        EXPECT_EQ(chart.*c.flag, !before) << c.id;
        EXPECT_TRUE(chart.needsRedraw) << c.id;
        EXPECT_EQ(chart.QueryCommand(c.id).check, before ? fw::BF_UNCHECKED : fw::BF_CHECKED) << c.id;
        chart.SendCommand(c.id);
        EXPECT_EQ(chart.*c.flag, before) << c.id;
    }
    // The two dialog items are checked by the flags their dialogs set.
    chart.starsShown = false;
    chart.labels = true;
    EXPECT_EQ(chart.QueryCommand(CM_CHARTSTARS).check, fw::BF_UNCHECKED);
    EXPECT_EQ(chart.QueryCommand(CM_CHARTLABELS).check, fw::BF_CHECKED);
}

TEST_F(ChartCommands, ZoomingScalesTheFieldAndMaxFieldShowsHalfTheSky)
{
    ChartWindow& chart = OpenChart();
    {
        fw::ScriptedMenus menus({CM_ZOOMIN});
        chart.ShowPopupMenu(fw::Point(5, 5));
    }
    EXPECT_NEAR(chart.fieldWidth, 40 * 2.0 / 3.0, 1e-12);
    EXPECT_NEAR(chart.fieldHeight, 40 * 2.0 / 3.0, 1e-12);
    chart.SendCommand(CM_ZOOMOUT);
    EXPECT_NEAR(chart.fieldWidth, 40, 1e-12);
    EXPECT_NEAR(chart.fieldHeight, 40, 1e-12);
    EXPECT_DOUBLE_EQ(chart.centerRA, 5.6);

    chart.scale = 3.0;
    chart.SendCommand(CM_MAXFIELD);
    EXPECT_DOUBLE_EQ(chart.fieldWidth, 180);
    EXPECT_DOUBLE_EQ(chart.fieldHeight, 135); // 180 x 300 / 400
    EXPECT_DOUBLE_EQ(chart.scale, 1.0);

    // A window of no width keeps its field.
    chart.resize(0, 300);
    for (int id : {CM_ZOOMIN, CM_ZOOMOUT, CM_MAXFIELD}) {
        chart.fieldWidth = 30;
        chart.SendCommand(id);
        EXPECT_DOUBLE_EQ(chart.fieldWidth, 30) << id;
    }
}

TEST_F(ChartCommands, MaxFieldIsStoredAsTheShownObjectsFrameAndNoOtherObjects)
{
    PutOrionNebulaeInTheTable();
    ChartWindow& chart = OpenChart();
    ASSERT_EQ(chart.Frames().WriteFrame(1, 5.6, -4.8, 3.0, 2.0), 1);
    chart.ShowObject(ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, 1976), false);
    chart.SendCommand(CM_MAXFIELD);
    EXPECT_FALSE(chart.saveFramePending);
    double ra, dec, w, h;
    ASSERT_TRUE(chart.Frames().ReadFrame(0, ra, dec, w, h));
    EXPECT_DOUBLE_EQ(w, 180);
    EXPECT_DOUBLE_EQ(h, 135);
    // The next object keeps the frame it had.
    chart.ShowObject(ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, 1977), false);
    ASSERT_TRUE(chart.Frames().ReadFrame(1, ra, dec, w, h));
    EXPECT_DOUBLE_EQ(w, 3.0);
    EXPECT_DOUBLE_EQ(h, 2.0);
    EXPECT_DOUBLE_EQ(chart.fieldWidth, 3.0);
}

TEST_F(ChartCommands, EditingModesExcludeEachOtherAndGateTheirCommands)
{
    ChartWindow& chart = OpenChart();
    struct Step {
        int id;
        bool lines, labels;
    };
    for (const Step& s : {Step{CM_MODIFYLINES, true, false}, Step{CM_MODIFYLABELS, false, true},
                          Step{CM_MODIFYLINES, true, false}, Step{CM_MODIFYLINES, false, false}}) {
        fw::ScriptedMenus menus({s.id});
        chart.ShowPopupMenu(fw::Point(5, 5));
        EXPECT_EQ(chart.lineEditing, s.lines) << s.id;
        EXPECT_EQ(chart.labelEditing, s.labels) << s.id;
        EXPECT_EQ(chart.QueryCommand(CM_MODIFYLINES).check, s.lines ? fw::BF_CHECKED : fw::BF_UNCHECKED);
        EXPECT_EQ(chart.QueryCommand(CM_MODIFYLABELS).check, s.labels ? fw::BF_CHECKED : fw::BF_UNCHECKED);
        // Arming the recentre belongs to line editing.
        EXPECT_EQ(chart.CommandEnabled(CM_CHARTARMRECENTER), s.lines);
    }
    chart.SendCommand(CM_MODIFYLINES);
    ASSERT_TRUE(chart.SendCommand(CM_CHARTARMRECENTER));
    EXPECT_TRUE(chart.recentreArmed);

    // Delete is offered only for a selected line.
    EXPECT_FALSE(chart.CommandEnabled(CM_EDITDELETE));
    chart.Lines().AddIfAbsent(5.919, 7.407, 5.242, -8.202);
    chart.selectedLine = ConstelLine(5.919, 7.407, 5.242, -8.202);
    chart.lineSelected = true;
    EXPECT_TRUE(chart.CommandEnabled(CM_EDITDELETE));
    ASSERT_TRUE(chart.SendCommand(CM_EDITDELETE));
    EXPECT_TRUE(Lines().empty());
    EXPECT_FALSE(chart.lineSelected);
    EXPECT_FALSE(chart.CommandEnabled(CM_EDITDELETE));

    // The idle ids are answered and change nothing.
    const double ra = chart.centerRA, width = chart.fieldWidth;
    for (int id : {CM_CHARTIDLE1, CM_CHARTIDLE2, CM_CHARTIDLE3}) {
        EXPECT_TRUE(chart.SendCommand(id)) << id;
        EXPECT_DOUBLE_EQ(chart.centerRA, ra);
        EXPECT_DOUBLE_EQ(chart.fieldWidth, width);
    }
}

TEST_F(ChartCommands, ColourItemsEditTheirOwnSlot)
{
    struct Case {
        int id;
        int slot;
    };
    const Case cases[] = {{CM_COLORRALINES, 28},    {CM_COLORDECLINES, 29}, {CM_COLORSTARFILL, 30},
                          {CM_COLORSTAROUTLINE, 31}, {CM_COLORTELRAD, 32},   {CM_COLORCONSTLINES, 33},
                          {CM_COLORLABELS, 34},      {CM_COLORBACKGROUND, 35}, {CM_COLORSUN, 36},
                          {CM_COLORLIMB, 37},        {CM_COLORSHADOW, 38}};
    ChartWindow& chart = OpenChart();
    RScolor& rs = RScolor::Instance();
    int asked = 0;
    QColor answer;
    fw::Responder<fw::ColorChooserSeam> chooser([&](QColor& colour, fw::CustomColors&) {
        ++asked;
        colour = answer;
        return true;
    });
    for (const Case& c : cases) {
        answer = QColor(10, 20 + c.slot, 30);
        std::map<int, RGBColor> before;
        for (const Case& o : cases) before[o.slot] = rs.GetColor(o.slot);
        chart.needsRedraw = false;
        fw::ScriptedMenus menus({c.id});
        chart.ShowPopupMenu(fw::Point(5, 5));
        EXPECT_EQ(fw::ColorFromRef(rs.GetColor(c.slot)), answer) << c.id;
        for (const Case& o : cases)
            if (o.slot != c.slot) {
                EXPECT_EQ(rs.GetColor(o.slot), before[o.slot]) << c.id << " changed " << o.slot;
            }
        EXPECT_TRUE(chart.needsRedraw) << c.id;
    }
    EXPECT_EQ(asked, 11);
    // The window's own background follows the sky's colour.
    EXPECT_EQ(chart.GetBkgndColor(), QColor(10, 20 + 35, 30));
}

TEST_F(ChartCommands, StarAndLabelDialogsStoreTheirChoicesOnOkOnly)
{
    ChartWindow& chart = OpenChart();
    chart.starMagLimit = 7.2;
    chart.starsShown = true;
    {
        fw::ScriptedDialogs dialogs(std::vector<fw::DialogResponder>{
            [](fw::Dialog& d) {
                EXPECT_EQ(d.GetCaption(), "Star Chart Preferences");
                EXPECT_EQ(d.IsButtonChecked(102), fw::BF_CHECKED);
                d.SetControlText(101, "8.5");
                d.CheckButton(102, fw::BF_UNCHECKED);
                return fw::IDCANCEL;
            },
            [](fw::Dialog& d) {
                d.SetControlText(101, "6.5");
                d.CheckButton(102, fw::BF_UNCHECKED);
                d.PressButton(fw::IDOK);
                return fw::IDCANCEL;
            }});
        chart.SendCommand(CM_CHARTSTARS);
        EXPECT_DOUBLE_EQ(chart.starMagLimit, 7.2);
        EXPECT_TRUE(chart.starsShown);
        chart.SendCommand(CM_CHARTSTARS);
        EXPECT_DOUBLE_EQ(chart.starMagLimit, 6.5);
        EXPECT_FALSE(chart.starsShown);
        EXPECT_EQ(dialogs.Count(), 2);
    }
    // The label options: OK with any of them on sets the labels flag; none on leaves it.
    struct Case {
        bool user, numbers, order;
        bool labelsBefore, labelsAfter;
    };
    for (const Case& c : {Case{true, false, false, false, true}, Case{false, false, true, false, true},
                          Case{false, false, false, false, false}, Case{false, false, false, true, true}}) {
        chart.labels = c.labelsBefore;
        ShowChartLabels = LabelListNumbers = LabelListPositions = !c.user;
        fw::ScriptedDialogs dialogs([&](fw::Dialog& d) {
            EXPECT_EQ(d.GetCaption(), "Chart Label Options");
            EXPECT_EQ(d.IsButtonChecked(101), c.user ? fw::BF_UNCHECKED : fw::BF_CHECKED);
            d.CheckButton(101, c.user ? fw::BF_CHECKED : fw::BF_UNCHECKED);
            d.CheckButton(102, c.numbers ? fw::BF_CHECKED : fw::BF_UNCHECKED);
            d.CheckButton(103, c.order ? fw::BF_CHECKED : fw::BF_UNCHECKED);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        });
        chart.SendCommand(CM_CHARTLABELS);
        EXPECT_EQ(ShowChartLabels, c.user);
        EXPECT_EQ(LabelListNumbers, c.numbers);
        EXPECT_EQ(LabelListPositions, c.order);
        EXPECT_EQ(chart.labels, c.labelsAfter);
    }
    // Cancel keeps the options.
    ShowChartLabels = true;
    fw::ScriptedDialogs cancel([](fw::Dialog& d) {
        d.CheckButton(101, fw::BF_UNCHECKED);
        return fw::IDCANCEL;
    });
    chart.SendCommand(CM_CHARTLABELS);
    EXPECT_TRUE(ShowChartLabels);
}

// The chart lets waiting messages through while it draws, so the user's commands and the
// planner's updates can change it meanwhile. Each change is drawn: the drawing that was under
// way leaves the chart stale, and the chart draws once more.
TEST_F(ChartCommands, AChangeMadeWhileTheChartDrawsIsDrawnNext)
{
    PutOrionNebulaeInTheTable();
    JulianDate now = JulianDate::FromCalendar(2026, 1, 15, 3, 0, 0);
    AppGlobals.now = &now; // the fixture gives the globals back
    const bool solarSystemReady = SolarSystemReady;
    fw::Responder<fw::ColorChooserSeam> chooser([](QColor& colour, fw::CustomColors&) {
        colour = QColor(200, 10, 10);
        return true;
    });
    // The star dialog takes a new limit; the label dialog switches off the user's labels.
    fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
        if (d.GetCaption() == "Star Chart Preferences") d.SetControlText(101, "6.5");
        if (d.GetCaption() == "Chart Label Options") d.CheckButton(101, fw::BF_UNCHECKED);
        d.PressButton(fw::IDOK);
        return fw::IDCANCEL;
    });
    const auto later = [](ChartWindow& chart, std::function<void()> change) {
        QMetaObject::invokeMethod(&chart, std::move(change), Qt::QueuedConnection);
    };
    struct Case {
        const char* what;
        std::function<void(ChartWindow&)> make;
        std::function<bool(ChartWindow&)> made;
    };
    const Case cases[] = {
        {"layer switch", [](ChartWindow& c) { c.PostCommand(CM_CHARTGRID); }, [](ChartWindow& c) { return !c.grid; }},
        {"colour", [](ChartWindow& c) { c.PostCommand(CM_COLORRALINES); },
         [](ChartWindow&) { return fw::ColorFromRef(RScolor::Instance().GetColor(SlotRaLines)) == QColor(200, 10, 10); }},
        {"star dialog", [](ChartWindow& c) { c.PostCommand(CM_CHARTSTARS); },
         [](ChartWindow& c) { return c.starMagLimit == 6.5; }},
        {"label dialog", [](ChartWindow& c) { c.PostCommand(CM_CHARTLABELS); },
         [](ChartWindow&) { return !ShowChartLabels; }},
        {"moved mark",
         [&](ChartWindow& c) {
             later(c, [&c] { c.ShowObject(ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, 1977), false); });
         },
         [](ChartWindow& c) { return c.markDec == double(-4.85f); }},
        {"solar-system update", [&](ChartWindow& c) { later(c, [&c] { c.UpdateSolarSystem(); }); },
         [](ChartWindow&) { return SolarSystemReady; }},
    };
    for (const Case& c : cases) {
        ChartWindow& chart = OpenChart();
        ShowChartLabels = true;
        SolarSystemReady = false;
        c.make(chart);
        chart.needsRedraw = true;
        ASSERT_TRUE(chart.RedrawBitmap()) << c.what;
        EXPECT_TRUE(c.made(chart)) << c.what << ": the change came while the chart was drawn";
        EXPECT_TRUE(chart.needsRedraw) << c.what << ": the picture drawn does not show the change";
        EXPECT_TRUE(chart.RedrawBitmap()) << c.what << ": drawn again";
        EXPECT_FALSE(chart.needsRedraw) << c.what;
    }
    SolarSystemReady = solarSystemReady;

    // A drawing during which nothing changed leaves the chart as drawn.
    ChartWindow& chart = OpenChart();
    chart.needsRedraw = true;
    ASSERT_TRUE(chart.RedrawBitmap());
    EXPECT_FALSE(chart.needsRedraw);
    EXPECT_FALSE(chart.RedrawBitmap());
}

// The menus as Describe writes them.
const char* const kMainMenu = "Zoom In|Zoom Out|Max Field of View|Center + Frame...|-|>&Projection|>&Color|-|Stars...|"
                              "Solar System Objects|RA & DEC grid|Constellation Lines|Labels...|Telrad|-|"
                              "Modify Constel Lines|Modify Labels";
const char* const kProjectionMenu = "&Stereographic|&Orthographic|&Gnomonic|&Lambert Equal Area";
const char* const kColorMenu = "Sky &Background|&Star Fill|Star &Outline|&Telrad|&Constel Lines|Chart &Labels|"
                               "&RA Lines|&Dec Lines|&S&un|&Moon + Planet Limb|&Moon + Planet S&hadow";

const fw::PopupMenu& Submenu(const fw::PopupMenu& menu, const std::string& text)
{
    for (const auto& item : menu.Items())
        if (item.submenu && item.text == text) return *item.submenu;
    static const fw::PopupMenu none;
    ADD_FAILURE() << "no submenu " << text;
    return none;
}

TEST_F(ChartCommands, RightButtonShowsEveryGroupOfThePopUpMenu)
{
    ChartWindow& chart = OpenChart();
    chart.grid = false;
    chart.SendCommand(CM_MODIFYLABELS);
    fw::ScriptedMenus menus({CM_ZOOMIN});
    chart.SimulateMouse(QEvent::MouseButtonPress, Qt::RightButton, fw::Point(120, 90));
    ASSERT_EQ(menus.Shown().size(), 1u);
    const fw::PopupMenu& menu = menus.Shown()[0];
    EXPECT_EQ(menu.Describe(), kMainMenu);
    EXPECT_EQ(Submenu(menu, "&Projection").Describe(), kProjectionMenu);
    EXPECT_EQ(Submenu(menu, "&Color").Describe(), kColorMenu);
    // Check marks as the chart's state has them when the menu opens.
    struct Mark {
        int id;
        bool checked;
    };
    for (const Mark& m : {Mark{CM_PROJSTEREOGRAPHIC, true}, Mark{CM_PROJGNOMONIC, false}, Mark{CM_CHARTGRID, false},
                          Mark{CM_CHARTSTARS, true}, Mark{CM_CHARTTELRAD, true}, Mark{CM_MODIFYLABELS, true},
                          Mark{CM_MODIFYLINES, false}})
        EXPECT_EQ(menu.FindItem(m.id)->checked, m.checked) << m.id;
    // The chosen item reached its handler.
    EXPECT_NEAR(chart.fieldWidth, 40 * 2.0 / 3.0, 1e-12);

    // The picture of the chart with its menu open at the click, and its two submenus beside it.
    if (!testsupport::SnapshotPath("chart_popup_menu.png").empty()) {
        WriteStars(chart_testing::OrionStars());
        chart.Lines().AddIfAbsent(5.919, 7.407, 5.242, -8.202);
        chart.Labels().AddLabel(ChartLabel(5.919, 7.407, 6.2, 10.0, "Betelgeuse", 1.0));
        chart.grid = true;
        chart.resize(640, 480);
        chart.needsRedraw = true;
        chart.RedrawBitmap();
        fw::Bitmap picture(chart.width(), chart.height());
        chart.RenderTo(picture);
        std::vector<QPixmap> pixmaps;
        for (const fw::PopupMenu* m : {&menu, &Submenu(menu, "&Projection"), &Submenu(menu, "&Color")}) {
            QMenu qmenu;
            m->FillQtMenu(qmenu);
            qmenu.adjustSize();
            pixmaps.push_back(qmenu.grab());
        }
        QImage image(chart.width(), chart.height(), QImage::Format_RGB32);
        QPainter painter(&image);
        painter.drawImage(0, 0, picture.Image());
        painter.drawPixmap(120, 40, pixmaps[0]);
        painter.drawPixmap(124 + pixmaps[0].width(), 40, pixmaps[1]);
        painter.drawPixmap(124 + pixmaps[0].width(), 44 + pixmaps[1].height(), pixmaps[2]);
        painter.end();
        testsupport::SaveSnapshot(image, "chart_popup_menu.png");
    }
}

TEST_F(ChartCommands, ThePaneShowsTheChartMenuAsItsSettings)
{
    struct Owner : fw::Window {
        Owner() : fw::Window(nullptr, "planner") {}
    } owner;
    owner.resize(700, 500);
    ChartPane pane(&owner, "Chart Pane");
    pane.setGeometry(10, 10, 500, 400);
    pane.EnsureSetUp();
    fw::ScriptedMenus menus({CM_CHARTGRID});
    const bool grid = pane.Chart()->grid;
    pane.ShowSettings();
    ASSERT_EQ(menus.Shown().size(), 1u);
    EXPECT_EQ(menus.Shown()[0].Describe(), kMainMenu);
    EXPECT_EQ(pane.Chart()->grid, !grid);
}

} // namespace
