// The text pane on the real catalogue, planets and Moon: its rows, the windows it shows for
// each kind of object, the values it fills in, the field texts and the export lines.
#include "PlannerFixture.h"

#include "astro/TextFormat.h"
#include "framework/gui/RecordingDC.h"
#include "framework/gui/Window.h"
#include "planner/AngleLabelWindow.h"
#include "planner/CoordLabelWindow.h"
#include "planner/LabelWindow.h"
#include "planner/PlannerStrings.h"
#include "planner/TextPane.h"
#include "ui/TheSkyLabelFile.h"
#include "framework/testsupport/Snapshot.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

namespace {

// The window that hosts the pane as the planner view would.
struct Host {
    explicit Host(int width = 380, int height = 640) : pane(&window, "TextWin", &PlannerStrings())
    {
        window.resize(width, height);
        pane.setGeometry(0, 0, width, height);
        pane.EnsureSetUp();
        window.show();
        QApplication::processEvents();
    }
    std::vector<int> Shown() const
    {
        std::vector<int> shown;
        for (int k = 0; k < TextPane::kSlots; ++k)
            if (pane.DataWindow(k) && !pane.DataWindow(k)->isHidden()) shown.push_back(k);
        return shown;
    }
    std::string Text(int k) const { return pane.DataWindow(k)->Text(); }
    std::string Title(int k) const { return pane.DataWindow(k)->Title(); }
    fw::Window window;
    TextPane pane;
};

using P = TextPane::W;

} // namespace

TEST(TextPaneLayout, RowHeightAndPlaces)
{
    const int cases[][3] = {{100, 380, 6}, {1000, 380, 20}, {380, 380, 20}, {50, 19, 1}, {0, 380, 0}};
    for (const auto& c : cases) EXPECT_EQ(TextPane::RowHeight(c[0], c[1]), c[2]) << c[0] << "x" << c[1];

    const fw::Rect area(10, 30, 1010, 410);
    EXPECT_EQ(TextPane::WindowRect(P::Name, area), fw::Rect(10, 30, 1010, 50));
    EXPECT_EQ(TextPane::WindowRect(P::SkyAt, area), fw::Rect(10, 170, 610, 190));
    EXPECT_EQ(TextPane::WindowRect(P::Diam, area), fw::Rect(611, 170, 1010, 190));
    EXPECT_EQ(TextPane::WindowRect(P::HPhi, area), fw::Rect(10, 330, 610, 350));
    EXPECT_EQ(TextPane::WindowRect(P::SET, area), fw::Rect(10, 390, 1010, 410));
    EXPECT_EQ(TextPane::WindowRect(24, area), fw::Rect());  // refraction has no window
}

TEST(TextPaneLayout, MoonPhaseWordsAndIllumination)
{
    const std::pair<double, const char*> cases[] = {
        {1.0, "Full Moon"},     {0.91, "Full Moon"},     {0.9, "Gibbous Moon"}, {0.61, "Gibbous Moon"},
        {0.6, "Quarter Moon"},  {0.41, "Quarter Moon"},  {0.4, "Crescent Moon"}, {0.11, "Crescent Moon"},
        {0.1, "New Moon"},      {0.0, "New Moon"},
    };
    for (const auto& [f, word] : cases) EXPECT_EQ(TextPane::MoonPhaseWord(f), word) << f;
    EXPECT_EQ(TextPane::IlluminationText(0.5), "50.0%");
    EXPECT_EQ(TextPane::IlluminationText(0.0314), "3.1%");
}

using TextPaneOnTheSky = PlannerWorld;

TEST_F(TextPaneOnTheSky, ShowsTheWindowsOfEachKindOfObject)
{
    Host host;
    struct Case {
        ObjectId id;
        std::uint32_t mask;
        std::vector<int> shown;
    };
    const Case cases[] = {
        {Ngc(kM31), 0x0FEFF83F,
         {P::Name, P::Database, P::Bright, P::Size, P::Shape, P::Type, P::Diam, P::Mag, P::SkyAt, P::Urano,
          P::DreyerDesc, P::Constel, P::CCORD, P::ThetaWin, P::PhiWin, P::HCORD, P::HTheta, P::HPhi, P::RISE,
          P::SET, P::TRANSIT}},
        {ObjectId(ObjectId::kSun), 0x3FFF7823,
         {P::Name, P::Database, P::Type, P::Diam, P::Mag, P::SkyAt, P::Urano, P::Constel, P::CCORD, P::ThetaWin,
          P::PhiWin, P::Distance, P::HCORD, P::HTheta, P::HPhi, P::RISE, P::SET, P::TRANSIT, P::ETWIL, P::MTWIL}},
        {ObjectId(ObjectId::kMoon), 0x0FFF69E3,
         {P::Name, P::Database, P::Type, P::Phase, P::PositAngle, P::PercentIllum, P::Diam, P::SkyAt, P::Urano,
          P::Constel, P::CCORD, P::ThetaWin, P::PhiWin, P::Distance, P::HCORD, P::HTheta, P::HPhi, P::RISE, P::SET,
          P::TRANSIT}},
        {ObjectId(ObjectId::kJupiter), 0x0FFF79E3,
         {P::Name, P::Database, P::Type, P::Phase, P::PositAngle, P::PercentIllum, P::Diam, P::Mag, P::SkyAt,
          P::Urano, P::Constel, P::CCORD, P::ThetaWin, P::PhiWin, P::Distance, P::HCORD, P::HTheta, P::HPhi,
          P::RISE, P::SET, P::TRANSIT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id.Name());
        host.pane.ShowObject(c.id);
        EXPECT_EQ(host.pane.VisibilityMask(), c.mask);
        std::vector<int> expected = c.shown;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(host.Shown(), expected);
        // No two shown windows share a place.
        for (int a : expected) {
            for (int b : expected) {
                if (a >= b) continue;
                EXPECT_FALSE(host.pane.DataWindow(a)->GetRectInParent().Touches(host.pane.DataWindow(b)->GetRectInParent()))
                    << a << " " << b;
            }
        }
    }
}

TEST_F(TextPaneOnTheSky, CatalogueObjectValues)
{
    Host host;
    host.pane.ShowObject(Ngc(kM31));
    EXPECT_EQ(host.pane.GetCaption(), "NGC 224");
    EXPECT_NE(host.Text(P::Name).find("M 31"), std::string::npos) << host.Text(P::Name);
    EXPECT_EQ(host.Text(P::Constel), "Andromeda (And)");
    EXPECT_EQ(host.Title(P::ThetaWin), "Right Ascension");
    EXPECT_EQ(host.Title(P::HTheta), "Az");
    EXPECT_EQ(host.Title(P::HPhi), "Alt");

    // Horizon coordinates: the apparent place of date at the site, without refraction.
    const Coord j2000 = db_->GetObjectData(Ngc(kM31)).position;
    const Coord apparent = Coord::Reduce(j2000, now_, Coord::MaskApparentPlace,
                                         CoordLabelWindow::SunLongitude(now_), Angle(), Angle());
    const Coord horizontal = site_.ToHorizontal(now_, apparent, 0);
    auto* alt = dynamic_cast<AngleLabelWindow*>(host.pane.DataWindow(P::HPhi));
    ASSERT_TRUE(alt);
    EXPECT_EQ(host.Text(P::HPhi), Angle::Format(horizontal.Latitude(), alt->units, alt->format, alt->precision));
    EXPECT_GT(horizontal.Latitude().Degrees(), 40.0);  // high in the east at 21:00

    // Rise, transit and set of the night, in local civil time.
    const RiseSetTransit& rst = host.pane.ObjectRiseSet();
    ASSERT_EQ(rst.Status(), RiseSetTransit::kRisesAndSets);
    EXPECT_LT(rst.Rise().JD(), rst.Transit().JD());
    EXPECT_LT(std::fabs(rst.Transit().JD() - site_.MidnightOfNight(now_).JD()), 0.5);
    EXPECT_EQ(host.Text(P::RISE), site_.ToLocal(rst.Rise()).Format(0, 9, 3));
    EXPECT_EQ(host.Text(P::TRANSIT), site_.ToLocal(rst.Transit()).Format(0, 9, 3));
}

TEST_F(TextPaneOnTheSky, SameObjectAgainRecomputesOnlyWhatChanged)
{
    Host host;
    host.pane.ShowObject(Ngc(kM31));
    const int runs = host.pane.RiseSetComputations();
    const int nameRepaints = host.pane.DataWindow(P::Name)->RepaintRequests();
    const int altRepaints = host.pane.DataWindow(P::HPhi)->RepaintRequests();

    host.pane.ShowObject(Ngc(kM31));
    EXPECT_EQ(host.pane.RiseSetComputations(), runs);
    EXPECT_EQ(host.pane.DataWindow(P::Name)->RepaintRequests(), nameRepaints);
    EXPECT_EQ(host.pane.DataWindow(P::HPhi)->RepaintRequests(), altRepaints);

    // A new time: rise and set again and a new altitude, but the names are not reloaded.
    now_ = now_ + 1.0 / 24;
    host.pane.ShowObject(Ngc(kM31));
    EXPECT_EQ(host.pane.RiseSetComputations(), runs + 1);
    EXPECT_EQ(host.pane.DataWindow(P::Name)->RepaintRequests(), nameRepaints);
    EXPECT_GT(host.pane.DataWindow(P::HPhi)->RepaintRequests(), altRepaints);
    // So does a new site.
    site_.SetName("Elsewhere");
    host.pane.ShowObject(Ngc(kM31));
    EXPECT_EQ(host.pane.RiseSetComputations(), runs + 2);
}

// The recompute flag refills the coordinate windows of an unchanged object (a new night's
// twilight, here), and the pane does so by itself whenever the program goes idle.
TEST_F(TextPaneOnTheSky, RecomputeAndIdleRefillTheCoordinateWindows)
{
    Host host;
    host.pane.ShowObject(Ngc(kM31));
    const std::string evening = host.Text(P::ETWIL);
    ASSERT_FALSE(evening.empty());
    // The twilight of the night moves (the Sun's times stand in for a recomputed night).
    const RiseSetTransit night = twilightRst_;
    twilightRst_ = sunRst_;
    host.pane.ShowObject(Ngc(kM31), true, false);
    EXPECT_EQ(host.Text(P::ETWIL), evening) << "nothing changed and no recompute asked";
    host.pane.ShowObject(Ngc(kM31), true, true);
    const std::string sunset = host.Text(P::ETWIL);
    EXPECT_NE(sunset, evening);

    // Back to the night's twilight: the next idle time shows it without a call.
    twilightRst_ = night;
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(host.Text(P::ETWIL), evening) << "the idle action refilled the pane";
}

TEST_F(TextPaneOnTheSky, MoonSunAndPlanetValues)
{
    Host host;
    host.pane.ShowObject(Ngc(kM31));
    host.pane.ShowObject(ObjectId(ObjectId::kMoon));
    EXPECT_EQ(host.pane.GetCaption(), "Moon");
    EXPECT_EQ(host.Text(P::Name), "The Moon");
    EXPECT_EQ(host.Text(P::Type), "Satellite of Earth");
    EXPECT_EQ(host.Title(P::Phase), "Phase");
    const Coord sun = sunRst_.PositionAt(now_);
    const double f = moon_->IlluminatedFraction(now_, sun);
    EXPECT_EQ(host.Text(P::Phase), TextPane::MoonPhaseWord(f));
    EXPECT_EQ(host.Text(P::PercentIllum), TextPane::IlluminationText(f));
    EXPECT_GT(f, 0.8);  // two days before full
    EXPECT_EQ(host.Title(P::Database).rfind("ELP-2000/82 truncated at ", 0), 0u);
    EXPECT_NE(host.Text(P::Distance).find("km"), std::string::npos) << host.Text(P::Distance);

    host.pane.ShowObject(ObjectId(ObjectId::kSun));
    EXPECT_EQ(host.Text(P::Name), "The Sun");
    EXPECT_EQ(host.Text(P::Type), "Star");
    EXPECT_EQ(host.Title(P::Database).rfind("VSOP87 truncated at ", 0), 0u);
    EXPECT_EQ(host.Title(P::ETWIL), "Twilight Set");
    EXPECT_EQ(host.Text(P::ETWIL), site_.ToLocal(twilightRst_.Set()).Format(0, 9, 3));
    EXPECT_EQ(host.Text(P::MTWIL), site_.ToLocal(twilightRst_.Rise()).Format(0, 9, 3));
    EXPECT_EQ(host.pane.FieldText(4), TheSkyLabelFile::PadTo("    Twilight Set", 20) + "\t" + host.Text(P::ETWIL));
    EXPECT_EQ(host.pane.FieldText(6), "");

    host.pane.ShowObject(ObjectId(ObjectId::kJupiter));
    EXPECT_EQ(host.pane.GetCaption(), "Jupiter");
    EXPECT_EQ(host.Text(P::Type), "Planet");
    EXPECT_EQ(host.Title(P::Phase), "Elongation");
    EXPECT_NE(host.Text(P::Mag).find("Visual"), std::string::npos);
    EXPECT_EQ(host.Title(P::Database).rfind("VSOP-87 Xaxis error < ", 0), 0u);
    EXPECT_EQ(host.pane.FieldText(4), TheSkyLabelFile::PadTo("    Elongation", 20) + "\t" + host.Text(P::Phase));
}

// The Moon, the Sun and a planet keep their place while the time stands and take a new one
// when it moves; at a standing time the coordinate windows still follow a recomputed night.
TEST_F(TextPaneOnTheSky, BodiesKeepTheirPlaceUntilTheTimeMoves)
{
    Host host;
    const JulianDate start = now_;
    struct Case {
        ObjectId id;
        int body;  // in the planets' numbering; -1 the Moon
    };
    const Case cases[] = {{ObjectId(ObjectId::kMoon), -1}, {ObjectId(ObjectId::kSun), 0}, {ObjectId(ObjectId::kJupiter), 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id.Name());
        SetNow(start);
        host.pane.ShowObject(c.id);
        host.pane.IdleAction(0);
        for (int hour = 0; hour < 2; ++hour) {
            const Coord expected = c.body < 0 ? moon_->EquatorialPosition(now_) : planets_->GeocentricPosition(now_, c.body);
            EXPECT_EQ(host.pane.Position().RA().Radians(), expected.RA().Radians()) << hour;
            EXPECT_EQ(host.pane.Position().Dec().Radians(), expected.Dec().Radians()) << hour;
            SetNow(now_ + 1.0 / 24);
            host.pane.IdleAction(0);
        }
    }

    SetNow(start);
    host.pane.ShowObject(ObjectId(ObjectId::kSun));
    const std::string evening = host.Text(P::ETWIL);
    const RiseSetTransit night = twilightRst_;
    twilightRst_ = sunRst_;
    host.pane.IdleAction(0);
    EXPECT_EQ(host.Text(P::ETWIL), site_.ToLocal(sunRst_.Set()).Format(0, 9, 3));
    EXPECT_NE(host.Text(P::ETWIL), evening);
    twilightRst_ = night;
}

TEST_F(TextPaneOnTheSky, TwilightWordsWhereTheNightNeverGetsDark)
{
    Host host;
    struct Case {
        double latitude;
        int month;
        const char* words;
    };
    const Case cases[] = {{80.0, 6, "Perpetual Daylight"}, {88.0, 12, "Perpetual Night"}, {60.0, 6, "Never Night"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        now_ = JulianDate::FromCalendar(2026, c.month, 21, 6, 0, 0);
        MoveSite(c.latitude, 77.0, "North");
        host.pane.ShowObject(ObjectId(ObjectId::kSun));
        EXPECT_EQ(host.Text(P::ETWIL), c.words);
        EXPECT_EQ(host.Text(P::MTWIL), c.words);
    }
}

TEST_F(TextPaneOnTheSky, FieldTextsAndExportLines)
{
    Host host;
    host.pane.ShowObject(Ngc(kM31));
    auto pad = TheSkyLabelFile::PadTo;
    const std::pair<int, std::string> fields[] = {
        {3, "  " + host.Text(P::Type) + " in Andromeda (And)"},
        {4, pad("    Brightness", 20) + "\t" + host.Text(P::Bright)},
        {5, pad("    Size", 20) + "\t" + host.Text(P::Size)},
        {6, pad("    Shape", 20) + "\t" + host.Text(P::Shape)},
        {7, pad("    Dreyer Desc.", 20) + "\t" + host.Text(P::DreyerDesc)},
        {8, pad(pad(pad("    SkyAtlas", 16) + "\t" + host.Text(P::SkyAt), 28) + "\tDia", 33) + "\t" + host.Text(P::Diam)},
        {9, pad(pad(pad("    Uranometria", 16) + "\t" + host.Text(P::Urano), 28) + "\tMag", 33) + "\t" + host.Text(P::Mag)},
        {10, "  -----" + host.Title(P::CCORD)},
        {11, pad("       Right Ascension", 30) + "\t" + host.Text(P::ThetaWin)},
        {12, pad("       Declination", 30) + "\t" + host.Text(P::PhiWin)},
        {13, "  -----" + host.Title(P::HCORD)},
        {14, pad("       Az", 30) + "\t" + host.Text(P::HTheta)},
        {15, pad("       Alt", 30) + "\t" + host.Text(P::HPhi)},
        {16, pad("  Rise Time", 20) + "\t" + host.Text(P::RISE)},
        {17, pad("  Transit Time", 20) + "\t" + host.Text(P::TRANSIT)},
        {18, pad("  Set Time", 20) + "\t" + host.Text(P::SET)},
        {1, ""},
        {19, ""},
    };
    for (const auto& [code, text] : fields) EXPECT_EQ(host.pane.FieldText(code), text) << code;
    EXPECT_EQ(host.pane.FieldText(8).size(), 34 + host.Text(P::Diam).size());

    EXPECT_EQ(host.pane.FormatTabLine(), host.Text(P::Type) + "\tAndromeda (And)\t" + host.Text(P::ThetaWin) + "\t" +
                                             host.Text(P::PhiWin) + "\t" + host.Text(P::Name));

    auto* ccord = dynamic_cast<CoordLabelWindow*>(host.pane.DataWindow(P::CCORD));
    const Coord held = ccord->ReducedPosition();
    const std::string line = host.pane.FormatTheSkyLine("V1");
    ASSERT_EQ(line.size(), 71u);
    EXPECT_EQ(line.substr(0, 31), pad("V1", 31));
    EXPECT_EQ(line.substr(31, 13), pad("NGC 224", 13));
    EXPECT_EQ(line.substr(44, 14), pad(FormatText("%.6f", held.RA().Hours()), 14));
    EXPECT_EQ(line.substr(58, 12), pad(FormatText("%.6f", held.Dec().Degrees()), 12));
    EXPECT_EQ(line.back(), '\n');
    const std::string longLabel = host.pane.FormatTheSkyLine(std::string(40, 'L'));
    EXPECT_EQ(longLabel.size(), 71u);
    EXPECT_EQ(longLabel.substr(0, 32), std::string(31, 'L') + "N");
}

TEST_F(TextPaneOnTheSky, PrintsTheShownWindowsIntoThePage)
{
    Host host;
    host.pane.ShowObject(Ngc(kM31));
    fw::RecordingDC dc(fw::Size(2400, 3200), 300, 300);
    host.pane.printStripHeight = 60;
    host.pane.PrintPane(dc, fw::Rect(100, 100, 1300, 2100));
    std::vector<std::string> texts;
    for (const fw::DrawCall& call : dc.CallsOf("TextOut")) texts.push_back(call.text);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Andromeda (And)"), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "Phase"), texts.end());  // hidden for M 31
    // Past the frame's own drawing, every box lies inside the page cell.
    fw::RecordingDC frameOnly(fw::Size(2400, 3200), 300, 300);
    host.pane.PrintFrame(frameOnly, fw::Rect(100, 100, 1300, 2100));
    ASSERT_LT(frameOnly.Calls().size(), dc.Calls().size());
    for (std::size_t i = frameOnly.Calls().size(); i < dc.Calls().size(); ++i) {
        const fw::DrawCall& call = dc.Calls()[i];
        if (call.op != "RoundRect") continue;
        EXPECT_GE(call.args[0], 100);
        EXPECT_LE(call.args[2], 1300);
        EXPECT_LE(call.args[3], 2100);
    }
    EXPECT_FALSE(host.pane.IsPrinting());
}

TEST_F(TextPaneOnTheSky, WithoutStringsThePaneSaysSoAndStaysEmpty)
{
    fw::Window window;
    TextPane pane(&window, "TextWin", nullptr);
    pane.EnsureSetUp();
    ASSERT_GE(boxes_.Count(), 1);
    EXPECT_EQ(boxes_.Last().text, "Could Not Load String Resource");
    EXPECT_EQ(pane.DataWindow(P::Name), nullptr);
    pane.ShowObject(Ngc(kM31));  // nothing to fill, nothing breaks
}

TEST_F(TextPaneOnTheSky, Snapshots)
{
    // Pictures for a person to look at, asserting nothing: made only for a snapshot directory.
    if (testsupport::SnapshotPath("x").empty()) GTEST_SKIP() << "STELLUM_SNAPSHOT_DIR is not set";
    const std::pair<ObjectId, const char*> objects[] = {{Ngc(kM31), "text-pane-m31"},
                                                        {ObjectId(ObjectId::kSun), "text-pane-sun"},
                                                        {ObjectId(ObjectId::kMoon), "text-pane-moon"},
                                                        {ObjectId(ObjectId::kJupiter), "text-pane-jupiter"}};
    for (const auto& [id, name] : objects) {
        Host host(380, 640);
        host.pane.ShowObject(id);
        QApplication::processEvents();
        testsupport::SaveSnapshot(host.window, std::string(name) + ".png");
    }
}
