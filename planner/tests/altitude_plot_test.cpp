// The altitude plot on the real ephemerides: hour positions and bands, the text and pen sizes,
// the object's curve against altitudes computed directly, and pictures of the plot.
#include "PlannerFixture.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/PainterDC.h"
#include "framework/gui/PopupMenu.h"
#include "framework/gui/RecordingDC.h"
#include "framework/gui/Window.h"
#include "planner/AltitudePlotWindow.h"
#include "planner/CoordLabelWindow.h"
#include "planner/GraphPane.h"
#include "framework/testsupport/Snapshot.h"

#include <QApplication>

#include <cmath>

namespace {

using Plot = AltitudePlotWindow;

struct Host {
    explicit Host(int width = 640, int height = 300) : pane(&window, "TimeAlt")
    {
        window.resize(width, height);
        pane.setGeometry(0, 0, width, height);
        pane.EnsureSetUp();
        window.show();
        QApplication::processEvents();
    }
    Plot& plot() { return *pane.Plot(); }
    fw::Window window;
    GraphPane pane;
};

} // namespace

TEST(AltitudePlotGeometry, HourToXAndBandsAcrossMidnight)
{
    const fw::Rect plot(40, 10, 520, 110);  // 20 pixels an hour
    const struct {
        double a, b;
        int left, right;
    } cases[] = {
        {12, 12, 520, 520},  // noon maps to the right edge
        {0, 6, 280, 400},    // midnight in the middle
        {18, 23.5, 160, 270},
        {13, 11, 60, 500},
        {23, 13, 260, 60},   // crosses the noon edge: right edge left of the left one
    };
    for (const auto& c : cases) {
        const fw::Rect r = Plot::HourToX(c.a, c.b, plot);
        EXPECT_EQ(r, fw::Rect(c.left, 10, c.right, 110)) << c.a << "-" << c.b;
    }
}

using AltitudePlot = PlannerWorld;

TEST_F(AltitudePlot, BandsOfTheNight)
{
    Host host;
    Plot& plot = host.plot();
    plot.moonOptions = 0;
    const fw::Rect area(40, 10, 520, 110);
    plot.InitSession();
    std::vector<Plot::Band> bands = plot.ComputeBands(area);
    // Washington in October: daylight, evening twilight, night, morning twilight; the
    // daylight runs from sunrise to sunset over the noon edge, so it comes in two pieces.
    std::vector<int> bandSlots;
    for (const auto& b : bands) bandSlots.push_back(b.slot);
    EXPECT_EQ(bandSlots, (std::vector<int>{Plot::DaylightSlot, Plot::DaylightSlot, Plot::TwilightSlot, Plot::NightSlot,
                                       Plot::TwilightSlot}));
    EXPECT_EQ(bands[0].rect.right, area.right);
    EXPECT_EQ(bands[1].rect.left, area.left);
    EXPECT_EQ(bands[3].rect, Plot::HourToX(plot.eveningTwilight, plot.morningTwilight, area));
    EXPECT_NEAR(plot.sunset, 17.25, 0.3);  // about 17:15 EST
    EXPECT_NEAR(plot.eveningTwilight, 18.7, 0.3);

    // The Moon's band reaches up to its lit fraction.
    plot.moonOptions = GraphConfig::kMoonPercentIllumination;
    bands = plot.ComputeBands(area);
    ASSERT_EQ(bands.back().slot, Plot::IlluminationSlot);
    EXPECT_EQ(bands.back().rect.top, area.bottom - static_cast<int>(area.Height() * plot.moonFraction));

    // Where the Sun never sets the plot is all daylight; where twilight never ends there is
    // no night.
    now_ = JulianDate::FromCalendar(2026, 6, 21, 16, 0, 0);
    MoveSite(80.0, 77.0, "Polar");
    plot.moonOptions = 0;
    plot.InitSession();
    bands = plot.ComputeBands(area);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].slot, Plot::DaylightSlot);
    EXPECT_EQ(bands[0].rect, area);
    MoveSite(60.0, 77.0, "North");
    plot.InitSession();
    for (const auto& b : plot.ComputeBands(area)) EXPECT_NE(b.slot, Plot::NightSlot);
}

TEST_F(AltitudePlot, TextAndPenSizes)
{
    Host host;
    Plot& plot = host.plot();
    plot.SetObject(Ngc(kM31), false);
    struct Case {
        int width, height, font, pen;
    };
    const Case cases[] = {{500, 100, 15, 3}, {200, 100, 7, 3}, {640, 300, 45 * 640 / 300 / 4, 5}};
    for (const Case& c : cases) {
        fw::RecordingDC dc(fw::Size(c.width, c.height));
        plot.DrawPlot(dc, fw::Rect(0, 0, c.width, c.height));
        EXPECT_EQ(plot.FontHeight(), c.font) << c.width << "x" << c.height;
        EXPECT_EQ(plot.PenWidth(), c.pen) << c.width << "x" << c.height;
        const std::vector<fw::DrawCall> lines = dc.CallsOf("Polyline");
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().pen.width, c.pen);
        EXPECT_EQ(lines.back().args.size(), 2u * Plot::kSamples);
    }
}

TEST_F(AltitudePlot, CurveOfM31AgreesWithTheSiteAndItsRiseAndSet)
{
    Host host;
    Plot& plot = host.plot();
    plot.SetObject(Ngc(kM31), false);
    ASSERT_TRUE(plot.FixedPosition());
    const Coord apparent = Coord::Reduce(db_->GetObjectData(Ngc(kM31)).position, now_, Coord::MaskApparentPlace,
                                         CoordLabelWindow::SunLongitude(now_), Angle(), Angle());
    const std::vector<double> altitudes = plot.SampleAltitudes();
    ASSERT_EQ(altitudes.size(), 97u);
    for (int i = 0; i < Plot::kSamples; ++i)
        EXPECT_NEAR(altitudes[i], site_.Altitude(plot.SampleTime(i), apparent).Degrees(), 0.01) << i;

    // Where the curve crosses the standard altitude is where the object rises and sets, and
    // it is highest at the transit.
    const RiseSetTransit& rst = plot.ObjectRiseSet();
    ASSERT_EQ(rst.Status(), RiseSetTransit::kRisesAndSets);
    auto crossing = [&](bool rising) {
        for (int i = 0; i + 1 < Plot::kSamples; ++i) {
            const double a = altitudes[i] + 0.5667, b = altitudes[i + 1] + 0.5667;
            if (rising ? (a < 0 && b >= 0) : (a >= 0 && b < 0))
                return plot.SampleTime(i).JD() + (a / (a - b)) / 96.0;
        }
        return 0.0;
    };
    const double oneMinute = 1.0 / 1440;
    EXPECT_NEAR(crossing(true), rst.Rise().JD(), 2 * oneMinute);
    EXPECT_NEAR(crossing(false), rst.Set().JD(), 2 * oneMinute);
    const int highest = int(std::max_element(altitudes.begin(), altitudes.end()) - altitudes.begin());
    EXPECT_NEAR(plot.SampleTime(highest).JD(), rst.Transit().JD(), 8 * oneMinute);

    // The drawn points are those altitudes on the plot's scale.
    fw::RecordingDC dc(fw::Size(640, 300));
    plot.DrawPlot(dc, fw::Rect(0, 0, 640, 300));
    const fw::Rect area = plot.PlotArea();
    const fw::DrawCall curve = dc.CallsOf("Polyline").back();
    for (int i = 0; i < Plot::kSamples; ++i) {
        EXPECT_EQ(curve.args[2 * i], area.left + static_cast<int>(i / 4.0 * area.Width() / 24.0));
        EXPECT_EQ(curve.args[2 * i + 1], area.bottom - static_cast<int>(area.Height() * altitudes[i] / 90.0));
    }
}

TEST_F(AltitudePlot, NeverRisingAndNeverSettingObjects)
{
    Host host;
    Plot& plot = host.plot();
    plot.SetObject(Ngc(104), false);  // 47 Tucanae, declination -72
    for (double a : plot.SampleAltitudes()) EXPECT_LT(a, 0.0);
    plot.SetObject(Ngc(869), false);  // h Persei, declination +57: circumpolar here
    for (double a : plot.SampleAltitudes()) EXPECT_GT(a, 0.0);
}

TEST_F(AltitudePlot, SunMoonAndPlanetCurvesFromTheirDayValues)
{
    Host host;
    Plot& plot = host.plot();
    plot.SetObject(ObjectId(ObjectId::kMoon), false);
    EXPECT_FALSE(plot.FixedPosition());
    std::vector<double> altitudes = plot.SampleAltitudes();
    for (int i : {0, 40, 96}) EXPECT_NEAR(altitudes[i], moonRst_.AltitudeAt(plot.SampleTime(i)).Degrees(), 1e-9);
    plot.SetObject(ObjectId(ObjectId::kSun), false);
    altitudes = plot.SampleAltitudes();
    EXPECT_GT(altitudes[0], 20.0);   // noon
    EXPECT_LT(altitudes[48], -40.0);  // midnight
    plot.SetObject(ObjectId(ObjectId::kSaturn), false);
    EXPECT_EQ(plot.SampleAltitudes().size(), 97u);
}

TEST_F(AltitudePlot, SettingsMenuFlipsTheMoonOptions)
{
    Host host;
    Plot& plot = host.plot();
    plot.moonOptions = 7;
    fw::ScriptedMenus menus({Plot::CM_DRAWMOONGRAPHIC, Plot::CM_PLOTMOONALTITUDE});
    plot.SimulateMouse(QEvent::MouseButtonPress, Qt::RightButton, fw::Point(5, 5));
    plot.SimulateMouse(QEvent::MouseButtonPress, Qt::RightButton, fw::Point(5, 5));
    EXPECT_EQ(plot.moonOptions, GraphConfig::kMoonPercentIllumination);
    EXPECT_EQ(menus.Shown()[0].Describe(),
              "Draw Moon Graphic|Moon PercentIllumination|Plot Moon Altitude|-|>&Colors...");
    EXPECT_TRUE(menus.Shown()[0].Items()[0].checked);
    EXPECT_FALSE(menus.Shown()[1].Items()[0].checked);
}

TEST_F(AltitudePlot, CaptionAndPrinting)
{
    Host host;
    EXPECT_EQ(host.pane.GetCaption(), "Altitude - Washington");
    host.plot().SetObject(Ngc(kM31), false);
    fw::RecordingDC dc(fw::Size(2400, 3200), 300, 300);
    dc.SetDeviceFacts(true, 2);
    host.pane.printStripHeight = 60;
    host.pane.PrintPane(dc, fw::Rect(200, 200, 2200, 1200));
    const std::vector<fw::DrawCall> curves = dc.CallsOf("Polyline");
    ASSERT_FALSE(curves.empty());
    // Scaled to the page: text 15% of the plot's height and pens to match.
    EXPECT_GT(host.plot().FontHeight(), 60);
    EXPECT_EQ(curves.back().pen.width, host.plot().PenWidth());
    // Past the frame's own drawing, all text lies inside the page cell.
    fw::RecordingDC frameOnly(fw::Size(2400, 3200), 300, 300);
    host.pane.PrintFrame(frameOnly, fw::Rect(200, 200, 2200, 1200));
    for (std::size_t i = frameOnly.Calls().size(); i < dc.Calls().size(); ++i) {
        const fw::DrawCall& call = dc.Calls()[i];
        if (call.op != "TextOut") continue;
        EXPECT_GE(call.args[0], 200) << call.Describe();
        EXPECT_LE(call.args[1], 1200) << call.Describe();
    }
    EXPECT_FALSE(GraphPane::PanePrinting());
}

TEST_F(AltitudePlot, Snapshots)
{
    // Pictures for a person to look at, asserting nothing: made only for a snapshot directory.
    if (testsupport::SnapshotPath("x").empty()) GTEST_SKIP() << "STELLUM_SNAPSHOT_DIR is not set";
    const std::pair<ObjectId, const char*> objects[] = {{Ngc(kM31), "altitude-m31"},
                                                        {ObjectId(ObjectId::kSun), "altitude-sun"},
                                                        {ObjectId(ObjectId::kMoon), "altitude-moon"},
                                                        {ObjectId(ObjectId::kJupiter), "altitude-jupiter"}};
    for (const auto& [id, name] : objects) {
        Host host(640, 300);
        host.plot().SetObject(id, true);
        QApplication::processEvents();
        testsupport::SaveSnapshot(host.window, std::string(name) + ".png");
    }
    // The printer scheme, as a printout draws it.
    RScolor::Instance().SetScheme(SchemeMonoPrinter);
    Host host(640, 300);
    host.plot().SetObject(Ngc(kM31), true);
    fw::Bitmap page(640, 300);
    {
        fw::PainterDC dc(page);
        dc.SetDeviceFacts(true, 2);
        host.pane.printStripHeight = 18;
        host.pane.PrintPane(dc, fw::Rect(0, 0, 640, 300));
    }
    testsupport::SaveSnapshot(page.Image(), "altitude-m31-printer.png");
}
