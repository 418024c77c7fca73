// The chart window: the drawing's layers and their order, printing, framing the chart on an
// object, the solar-system cache, closing while a chart is drawn, and the chart pane.
#include "chart/ChartPane.h"
#include "chart/ChartWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/ObjectFlags.h"
#include "chart/ChartLabels.h"
#include "chart/ConstelLines.h"
#include "chart/ChartVisibleRegion.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/ControlHost.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/RecordingDC.h"
#include "framework/gui/Window.h"
#include "framework/stream/PStream.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/RScolor.h"
#include "chart/tests/sky_fixture.h"

namespace {

using chart_testing::Star;
using chart_testing::StarRecords;

// Distinct colours for the chart's slots, so that every layer's calls can be told apart.
const std::map<int, std::uint32_t> kLayerColours = {
    {SlotRaLines, 0x000001}, {SlotDecLines, 0x000002},   {SlotStarFill, 0x000003}, {SlotStarOutline, 0x000004},
    {SlotTelrad, 0x000005},  {SlotConstelLines, 0x000006}, {SlotChartLabels, 0x000007}, {SlotSkyBackground, 0x000008},
    {SlotSun, 0x000009},     {SlotLimb, 0x00000A},       {SlotShadow, 0x00000B},
};

// A chart test's own directories; the program-wide state is back at its start after every test.
class Chart : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramDirectory = dir_.path();
        UserDirectory = dir_.path() + "User/";
        QDir().mkpath(QString::fromStdString(UserDirectory));
    }

    void UseLayerColours()
    {
        RScolor& rs = RScolor::Instance();
        for (const auto& [slot, colour] : kLayerColours) rs.SetSchemeColor(slot, rs.Scheme(), colour);
        rs.BuildPalette();
    }

    // NGC 1976 (M 42) as row 0 of the catalogue table.
    static void PutOrionNebulaInRowZero()
    {
        NGCTable.Clear();
        NGCTable.catalogueNumber[0] = 1976;
        NGCTable.rowOfNumber[1976 - 1] = 0;
        NGCTable.ra[0] = 5.59f;
        NGCTable.dec[0] = -5.4f;
    }

    testsupport::TempDir dir_;
};

QColor Colour(int slot)
{
    return fw::ColorFromRef(kLayerColours.at(slot));
}

// Which layer a recorded call belongs to, by its colours and text.
std::string LayerOf(const fw::DrawCall& c)
{
    if (c.op == "TextOut") {
        if (c.textColor == Colour(SlotRaLines) || c.textColor == Colour(SlotDecLines)) return "edge labels";
        if (c.text == "Betelgeuse") return "chart labels";
        if (c.text.rfind("n1976", 0) == 0) return "list marks";
        if (c.text == "Jupiter") return "bodies";
        return "?";
    }
    if (c.op == "FillRect") return "background";
    if (c.pen.color == Colour(SlotRaLines) || c.pen.color == Colour(SlotDecLines)) return "grid";
    if (c.pen.color == Colour(SlotConstelLines)) return "constellation lines";
    if (c.pen.color == Colour(SlotTelrad)) return "telrad";
    if (c.op == "Ellipse" && c.brush.color == Colour(SlotStarFill)) return "stars";
    if (c.pen.color == Colour(SlotLimb)) return "bodies";
    if (c.pen.color == Colour(SlotChartLabels)) return "marks";
    return "?";
}

TEST_F(Chart, DrawsEveryLayerInItsOrder)
{
    fw::ScriptedMessageBoxes boxes;
    UseLayerColours();
    // Stars: bright Betelgeuse and Rigel; one judged by its second magnitude; one exactly at the
    // limit; one too faint by its second magnitude; one far off the field.
    ASSERT_TRUE(testsupport::WriteFileBytes(dir_.file("rssao.cat"),
                                            StarRecords({{5.919, 7.407, 0.5f, 0.6f},
                                                         {5.242, -8.202, 0.1f, 0.2f},
                                                         {5.50, 2.0, 10.5f, 4.0f},
                                                         {5.60, -2.0, 6.0f, 6.0f},
                                                         {5.40, 1.0, 10.5f, 6.5f},
                                                         {17.0, 30.0, 1.0f, 1.0f}})));
    {
        ConstelLines lines(UserDirectory + "conlines.rsx");
        lines.AddIfAbsent(5.919, 7.407, 5.242, -8.202);
        lines.AddIfAbsent(17.0, 30.0, 17.5, 35.0); // far away: not drawn
        ASSERT_EQ(lines.Write(), 1);
        ChartLabels labels(UserDirectory + "chtlabel.rsx");
        labels.AddLabel(ChartLabel(5.919, 7.407, 6.3, 12.0, "Betelgeuse", 1.5));
        ASSERT_EQ(labels.Write(), 1);
    }
    PutOrionNebulaInRowZero();
    NGC2000Indexes database(dir_.path()); // reads nothing here: the table is set below
    boxes.Clear();                        // (it reports the missing common names)
    PutOrionNebulaInRowZero();
    ASSERT_EQ(database.AddRowToObservingList(0), 1);
    AppGlobalsBlock savedGlobals = AppGlobals;
    AppGlobals.database = &database;

    ChartWindow chart(nullptr);
    chart.resize(640, 480);
    chart.starMagLimit = 6.0;
    chart.SetCenter(5.6, 0.0);
    chart.SetField(30, 30);
    chart.SetMark(6.2, -3.0); // the list object stays clear of the rings
    chart.bodies[BodyJupiter].position =
        Coord::Equatorial(Angle(5.3, Angle::kHours), Angle(3.0, Angle::kDegrees), Distance(5.0, 2), JulianDate(), Coord::EquatorialFrame);
    chart.bodies[BodyJupiter].semiDiameter = Angle(20.0, Angle::kArcSeconds);
    SolarSystemReady = true;

    fw::RecordingDC dc(fw::Size(640, 480), 96, 96);
    chart.DrawChart(dc);
    AppGlobals = savedGlobals;

    const std::vector<std::string> order = {"background", "grid", "constellation lines", "telrad", "chart labels",
                                            "list marks", "stars", "bodies", "edge labels"};
    std::map<std::string, std::vector<int>> at;
    const auto& calls = dc.Calls();
    for (int i = 0; i < int(calls.size()); ++i) at[LayerOf(calls[i])].push_back(i);
    for (const std::string& layer : order) ASSERT_FALSE(at[layer].empty()) << layer;
    for (std::size_t k = 1; k < order.size(); ++k)
        EXPECT_LT(at[order[k - 1]].back(), at[order[k]].front()) << order[k - 1] << " before " << order[k];

    // Telrad: the quarter-degree circle and four arcs each of the 1- and 2-degree rings.
    EXPECT_EQ(std::count_if(at["telrad"].begin(), at["telrad"].end(), [&](int i) { return calls[i].op == "Arc"; }), 8);
    EXPECT_EQ(std::count_if(at["telrad"].begin(), at["telrad"].end(), [&](int i) { return calls[i].op == "Ellipse"; }),
              1);
    // One constellation line; three stars (the one at the limit and the faint one are not drawn).
    EXPECT_EQ(at["constellation lines"].size(), 1u);
    ASSERT_EQ(at["stars"].size(), 3u);
    auto width = [&](int i) { return calls[i].args[2] - calls[i].args[0]; };
    EXPECT_GT(width(at["stars"][1]), width(at["stars"][2])); // Rigel (0.1) larger than the 4.0 star
    // The mark of the list object carries its number and its place in the list.
    EXPECT_EQ(calls[at["list marks"].front()].text, "n1976 (1)");
    // Edge labels on both kinds of grid line.
    bool raLabel = false, decLabel = false;
    for (int i : at["edge labels"]) {
        raLabel = raLabel || calls[i].text.find('h') != std::string::npos;
        decLabel = decLabel || calls[i].text.find("\u00b0") != std::string::npos;
    }
    EXPECT_TRUE(raLabel);
    EXPECT_TRUE(decLabel);
    EXPECT_FALSE(chart.painting);
    EXPECT_FALSE(chart.needsRedraw);
    EXPECT_GT(chart.pixelsPerDegree, 5);
    for (const auto& call : boxes.Calls()) ADD_FAILURE() << call.title << ": " << call.text;
}

// The star sizes are scaled by the limiting magnitude: a limit of 0 (an older settings file
// holds it) would give the stars brighter than 0 a size without bound. None is drawn.
TEST_F(Chart, AStarLimitOfZeroDrawsNoStar)
{
    fw::ScriptedMessageBoxes boxes;
    UseLayerColours();
    ASSERT_TRUE(testsupport::WriteFileBytes(dir_.file("rssao.cat"),
                                            StarRecords({{5.6, 1.0, -1.0f, -1.0f}, {5.5, -1.0, 0.5f, 0.5f}})));
    ChartWindow chart(nullptr);
    chart.resize(640, 480);
    chart.SetCenter(5.6, 0.0);
    chart.SetField(30, 30);
    for (double limit : {0.0, 1.0}) {
        chart.starMagLimit = limit;
        fw::RecordingDC dc(fw::Size(640, 480), 96, 96);
        chart.DrawChart(dc);
        std::vector<fw::DrawCall> stars;
        for (const fw::DrawCall& c : dc.Calls())
            if (LayerOf(c) == "stars") stars.push_back(c);
        if (limit == 0.0) {
            EXPECT_TRUE(stars.empty()) << stars.front().args[0] << " " << stars.front().args[2];
        } else {
            ASSERT_EQ(stars.size(), 2u); // both are brighter than 1
            for (const fw::DrawCall& c : stars) EXPECT_LT(c.args[2] - c.args[0], 100);
        }
    }
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(Chart, PolarChartsShowTheirStarsAndRingsWhicheverWayTheMeridianRuns)
{
    fw::ScriptedMessageBoxes boxes;
    UseLayerColours();
    ASSERT_TRUE(testsupport::WriteFileBytes(dir_.file("rssao.cat"),
                                            StarRecords({{2.53, 89.26, 2.0f, 2.0f}, {21.15, -88.96, 5.4f, 5.4f}})));
    struct Case {
        double ra, dec;
    };
    for (const Case& c : {Case{0.0, 70.0}, Case{0.0, -70.0}, Case{6.0, 70.0}, Case{12.0, -70.0}}) {
        ChartWindow chart(nullptr);
        chart.resize(640, 480);
        chart.SetChart(c.ra, c.dec, 60, 80, ProjectionPolar);
        chart.SetField(60, 60);
        chart.SetMark(c.ra, c.dec > 0 ? 85.0 : -85.0);
        fw::RecordingDC dc(fw::Size(640, 480));
        chart.DrawChart(dc);
        int stars = 0, arcs = 0;
        for (const fw::DrawCall& call : dc.Calls()) {
            stars += call.op == "Ellipse" && call.brush.color == Colour(SlotStarFill);
            arcs += call.op == "Arc" && call.pen.color == Colour(SlotTelrad);
        }
        EXPECT_EQ(stars, 1) << c.ra << " " << c.dec;
        EXPECT_EQ(arcs, 8) << c.ra << " " << c.dec;
        EXPECT_GT(chart.pixelsPerDegree, 3) << c.ra << " " << c.dec;
    }
}

TEST_F(Chart, PrintedLabelFontHoldsWhenALogicalUnitIsSmallerThanADeviceUnit)
{
    fw::ScriptedMessageBoxes boxes;
    UseLayerColours();
    ChartWindow chart(nullptr);
    chart.resize(400, 300);
    chart.SetCenter(5.6, 0.0);
    chart.SetField(40, 40);
    chart.starsShown = false;
    // A 600-dpi device whose logical unit is half a device unit.
    fw::RecordingDC dc(fw::Size(4000, 4000), 600, 600);
    dc.SetMapMode(fw::MM_ANISOTROPIC);
    dc.SetWindowExt(fw::Size(2, 2));
    dc.SetViewportExt(fw::Size(1, 1));
    chart.printRect = fw::Rect(0, 0, 8000, 8000);
    chart.printing = true;
    chart.screenMode = false;
    chart.DrawChart(dc);
    const auto texts = dc.CallsOf("TextOut");
    ASSERT_FALSE(texts.empty());
    for (const fw::DrawCall& c : texts) EXPECT_EQ(c.font.height, 72) << c.text; // 0.12 x 600
    EXPECT_EQ(chart.chartRect, chart.printRect);
}

TEST_F(Chart, PrintToDrawsInsideTheRectangleAndKeepsTheScreenGeometry)
{
    fw::ScriptedMessageBoxes boxes;
    UseLayerColours();
    ChartWindow chart(nullptr);
    chart.resize(400, 300);
    chart.SetCenter(5.6, 0.0);
    chart.SetField(40, 40);
    fw::RecordingDC screen(fw::Size(400, 300));
    chart.DrawChart(screen);
    const double screenScale = chart.scale;
    const fw::Rect screenRect = chart.chartRect;

    fw::RecordingDC printer(fw::Size(5000, 7000), 600, 600);
    printer.SetDeviceFacts(true, 2);
    const fw::Rect area(500, 1000, 4500, 4000);
    chart.PrintTo(printer, area);
    ASSERT_GT(printer.Count("Line"), 0);
    for (const fw::DrawCall& c : printer.CallsOf("Line")) {
        // Recorded in the chart's logical units, which start at the rectangle's corner.
        EXPECT_GE(c.args[0], 0);
        EXPECT_LE(c.args[0], area.Width());
        EXPECT_LE(c.args[1], area.Height());
    }
    EXPECT_EQ(printer.GetMapMode(), fw::MM_TEXT); // the DC's own state comes back
    EXPECT_EQ(chart.chartRect, screenRect);
    EXPECT_DOUBLE_EQ(chart.scale, screenScale);
    EXPECT_TRUE(chart.screenMode);
    EXPECT_FALSE(chart.printing);
}

TEST_F(Chart, ShowObjectTakesOnlyCatalogueObjectsThatExist)
{
    PutOrionNebulaInRowZero();
    ChartWindow chart(nullptr);
    chart.SetMark(1.0, 1.0);
    // Numbers past the last row of the table once reached row 0 and showed its object.
    for (std::uint32_t number : {0u, 13227u, 13400u, 13501u, 20000u}) {
        EXPECT_FALSE(chart.ShowObject(ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, number), false)) << number;
        EXPECT_DOUBLE_EQ(chart.markRA, 1.0) << number;
        EXPECT_EQ(chart.frameIndex, -1) << number;
    }
    EXPECT_TRUE(chart.ShowObject(ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, 1976), false));
    EXPECT_EQ(chart.frameIndex, 0);
    EXPECT_NEAR(chart.markRA, 5.59, 1e-5);
    EXPECT_NEAR(chart.markDec, -5.4, 1e-5);
}

TEST_F(Chart, ACatalogueFrameIsStoredAndComesBackForItsObject)
{
    fw::ScriptedMessageBoxes boxes;
    PutOrionNebulaInRowZero();
    {
        ChartWindow chart(nullptr);
        chart.ShowObject(ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, 1976), false);
        chart.SetField(12, 8);
        chart.saveFramePending = true;
        chart.SetCenter(5.5, -4.0);
        EXPECT_FALSE(chart.saveFramePending);
        chart.SetCenter(10.0, 10.0); // no frame change asked for: not stored
    }
    ChartWindow chart(nullptr);
    chart.ShowObject(ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, 1976), false);
    EXPECT_NEAR(chart.centerRA, 5.5, 1e-5);
    EXPECT_NEAR(chart.centerDec, -4.0, 1e-5);
    EXPECT_DOUBLE_EQ(chart.fieldWidth, 12);
    EXPECT_DOUBLE_EQ(chart.fieldHeight, 8);
}

// A top-level window standing for the planner's main window.
class MainWindow : public fw::Window {
public:
    MainWindow() : fw::Window(nullptr, "main") {}
};

TEST_F(Chart, ClosingThePaneOrTheProgramWaitsForTheDrawingToEnd)
{
    fw::ScriptedMessageBoxes boxes;
    std::vector<Star> stars;
    for (int i = 0; i < 3000; ++i) stars.push_back({5.0 + (i % 60) * 0.02, -10.0 + (i / 60) * 0.4, 5.0f, 5.0f});
    ASSERT_TRUE(testsupport::WriteFileBytes(dir_.file("rssao.cat"), StarRecords(stars)));
    for (const char* closing : {"pane", "main window"}) {
        auto* main = new MainWindow();
        main->setAttribute(Qt::WA_DeleteOnClose);
        main->resize(800, 600);
        auto* pane = new ChartPane(main, "Chart Pane");
        pane->setAttribute(Qt::WA_DeleteOnClose);
        pane->setGeometry(0, 0, 600, 500);
        pane->EnsureSetUp();
        ChartWindow* chart = pane->Chart();
        ASSERT_NE(chart, nullptr);
        chart->SetField(30, 30);
        chart->SetCenter(5.5, 0);
        QWidget* target = std::string(closing) == "pane" ? static_cast<QWidget*>(pane) : main;
        QPointer<QWidget> watched(target);
        QPointer<ChartWindow> chartAlive(chart);
        bool closedDuringDrawing = false;
        // The close arrives while the drawing lets messages through.
        QMetaObject::invokeMethod(
            target,
            [&] {
                closedDuringDrawing = chart->painting;
                target->close();
            },
            Qt::QueuedConnection);
        chart->needsRedraw = true;
        ASSERT_TRUE(chart->RedrawBitmap()) << closing;
        EXPECT_TRUE(closedDuringDrawing) << closing;
        ASSERT_TRUE(chartAlive) << closing;
        EXPECT_FALSE(chart->painting);
        EXPECT_NE(chart->ChartBitmap(), nullptr);
        // The close was carried out when the drawing ended.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(watched.isNull()) << closing;
        if (std::string(closing) == "pane") {
            delete main;
        }
    }
}

TEST_F(Chart, PaneHostsTheChartAndForwardsItsNotices)
{
    fw::ScriptedMessageBoxes boxes;
    struct Owner : fw::Window {
        Owner() : fw::Window(nullptr, "planner") { OnCommand(CM_CHARTFRAMESAVED, [this] { ++saved; }); OnCommand(CM_CHARTFULLPANE, [this] { ++full; }); }
        int saved = 0;
        int full = 0;
    } owner;
    owner.resize(900, 700);
    owner.show();
    ChartPane pane(&owner, "Chart Pane");
    pane.ShowObject(ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, 1976), true); // before set-up: nothing
    EXPECT_EQ(pane.Chart(), nullptr);
    pane.setGeometry(10, 10, 500, 400);
    pane.EnsureSetUp();
    ASSERT_NE(pane.Chart(), nullptr);
    EXPECT_EQ(pane.GetCaption(), "Chart View - Stereographic");
    EXPECT_EQ(pane.SettingsText(), "Chart Settings...");
    pane.resize(520, 430);
    EXPECT_EQ(pane.Chart()->GetRectInParent(), pane.InnerRect());
    pane.Chart()->SetProjection(ProjectionGnomonic);
    EXPECT_EQ(pane.GetCaption(), "Chart View - Gnomonic");

    pane.SendCommand(CM_CHARTFRAMESAVED);
    pane.ToggleFullPane();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.saved, 1);
    EXPECT_EQ(owner.full, 1);
}

// ---- with the built data files -----------------------------------------------------------

class ChartSky : public Chart {
protected:
    void SetUp() override
    {
        Chart::SetUp();
        dataDir_ = testsupport::ProgramDataDir("rssao.cat");
    }
    std::string dataDir_;
};

double Separation(const Coord& a, const Coord& b)
{
    const double c = a.Dec().Sin() * b.Dec().Sin() + a.Dec().Cos() * b.Dec().Cos() * std::cos(a.RA().Radians() - b.RA().Radians());
    return std::acos(std::clamp(c, -1.0, 1.0)) * 180.0 / 3.141592653589793;
}

TEST_F(ChartSky, BodiesSitAmongTheStarsOfJ2000)
{
    STELLUM_REQUIRE_DATA(dataDir_);
    fw::ScriptedMessageBoxes boxes;
    const JulianDate when(2461020.5, JulianDate::kJulianDay); // 2025 December 11
    chart_testing::SkyObjects sky(dataDir_, when);
    ChartWindow chart(nullptr);
    chart.UpdateSolarSystem();
    EXPECT_TRUE(SolarSystemReady);
    for (int body : {BodySun, BodyMars, BodyJupiter, BodySaturn}) {
        // The geometric place referred to J2000.0 differs from the chart's only by light time,
        // aberration and nutation: well under a minute of arc. The place of date is off by
        // the precession since 2000 (about a third of a degree).
        const Coord j2000 = sky.planets->GeocentricPosition(when, body);
        const Coord ofDate = sky.planets->ApparentPosition(when, body);
        EXPECT_LT(Separation(chart.Body(body).position, j2000), 0.02) << body;
        EXPECT_GT(Separation(ofDate, j2000), 0.3) << body;
    }
    EXPECT_TRUE(chart.Body(BodyMoon).HasPosition());
    EXPECT_GT(chart.Body(BodyMoon).semiDiameter.Degrees(), 0.2);
}

TEST_F(ChartSky, PlanetsKeepTheSeriesStartUpLoaded)
{
    STELLUM_REQUIRE_DATA(dataDir_);
    fw::ScriptedMessageBoxes boxes;
    const JulianDate when(2461020.5, JulianDate::kJulianDay);
    chart_testing::SkyObjects sky(dataDir_, when);
    for (int b = 1; b <= 8; ++b) sky.planets->GetRiseSetTransit(b, when, sky.site, Planets::kFullLevel);
    ChartWindow chart(nullptr);
    sky.SetTime(when + 3.0); // another night: the planets' rise and set are made again
    chart.UpdateSolarSystem();
    for (int b : {1, 2, 4, 5, 6, 7, 8}) EXPECT_EQ(sky.planets->Status(b) & 0x0f, 2) << b;
}

TEST_F(ChartSky, BodyFramesFollowTheirBodyAfterTwoDays)
{
    STELLUM_REQUIRE_DATA(dataDir_);
    fw::ScriptedMessageBoxes boxes;
    const JulianDate when(2461020.5, JulianDate::kJulianDay);
    chart_testing::SkyObjects sky(dataDir_, when);
    ChartWindow chart(nullptr);
    chart.UpdateSolarSystem();
    const ObjectId mars(ObjectId::kMars);
    ASSERT_TRUE(chart.ShowObject(mars, false));
    const Coord marsThen = chart.Body(BodyMars).position;
    EXPECT_NEAR(chart.centerRA, marsThen.RA().Hours(), 1e-9);
    EXPECT_DOUBLE_EQ(chart.fieldWidth, 20);
    // The user frames Mars differently.
    chart.SetField(30, 25);
    chart.saveFramePending = true;
    chart.SetCenter(marsThen.RA().Hours() + 0.5, marsThen.Dec().Degrees() + 3);
    // A day later the frame holds; three days later the chart is centred on Mars again.
    sky.SetTime(when + 1.0);
    chart.UpdateSolarSystem();
    chart.ShowObject(mars, false);
    EXPECT_NEAR(chart.centerRA, marsThen.RA().Hours() + 0.5, 1e-6);
    EXPECT_DOUBLE_EQ(chart.fieldWidth, 30);
    sky.SetTime(when + 3.0);
    chart.UpdateSolarSystem();
    chart.ShowObject(mars, false);
    EXPECT_NEAR(chart.centerRA, chart.Body(BodyMars).position.RA().Hours(), 1e-9);
    EXPECT_NEAR(chart.markDec, chart.Body(BodyMars).position.Dec().Degrees(), 1e-9);
    EXPECT_DOUBLE_EQ(chart.fieldWidth, 30);
    EXPECT_DOUBLE_EQ(chart.fieldHeight, 25);
}

} // namespace
