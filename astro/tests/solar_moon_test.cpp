#include "astro/Moon.h"
#include "astro/SolarReport.h"
#include "framework/stream/PStream.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using testsupport::TempDir;

namespace {

const char* const kSig = "Quillon Software - Stellum - Moon Data";

std::vector<std::string> gReports;
void Record(const std::string& line) { gReports.push_back(line); }

struct ReportCapture {
    ReportCapture()
    {
        gReports.clear();
        SolarReport.message = Record;
    }
    ~ReportCapture() { SolarReport = SolarReporter(); }
};

// A block header and count terms of series n, each multiplier 1 and the given coefficient.
void WriteBlock(fw::omstream& os, int n, int count, double coefficient, std::uint32_t version = 4)
{
    os.writeString(kSig);
    os.writeWord32(version);
    os.writeWord32(static_cast<std::uint32_t>(n));
    os.writeWord32(static_cast<std::uint32_t>(count));
    const int multipliers = n <= 3 ? 4 : (n <= 9 ? 5 : (n <= 21 ? 11 : 4));
    for (int i = 0; i < count; ++i) {
        for (int k = 0; k < multipliers; ++k)
            os.writeByte(0);
        os.writeDouble(coefficient);
        if (n >= 4)
            os.writeDouble(0.0);
    }
}

std::string MainProblem(int terms = 1, double lastCoefficient = 1.0)
{
    fw::omstream os;
    WriteBlock(os, 1, terms, lastCoefficient);
    WriteBlock(os, 2, 1, 1.0);
    WriteBlock(os, 3, 1, 385000.0);
    return os.str();
}

std::string EndBlock()
{
    fw::omstream os;
    WriteBlock(os, 0, 0, 0.0);
    return os.str();
}

TEST(Moon, LoadsSeriesBlocksUpToTheEndBlock)
{
    TempDir dir;
    fw::omstream extra;
    WriteBlock(extra, 4, 2, 0.5);
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("elplores.rsx"), MainProblem() + extra.str() + EndBlock()));
    Moon moon(dir.path());
    EXPECT_EQ(moon.State(), Moon::kNothing);
    EXPECT_EQ(moon.LoadLowRes(), Moon::kLowRes);
    EXPECT_EQ(moon.Series(4)->Count(), 2);
    EXPECT_FALSE(moon.Series(5)->IsLoaded());
    // Loading the same file again does not read it.
    std::remove(dir.file("elplores.rsx").c_str());
    EXPECT_EQ(moon.LoadLowRes(), Moon::kLowRes);
    // Distance from series 3 (cosine, all multipliers 0): 385000 km.
    EXPECT_NEAR(moon.Distance(JulianDate()).Meters(), 385000e3, 1e-6);
}

TEST(Moon, RefusesFilesThatCannotServe)
{
    ReportCapture capture;
    TempDir dir;
    struct Case { const char* what; std::string bytes; } cases[] = {
        {"version 3 first", [] { fw::omstream os; WriteBlock(os, 1, 1, 1.0, 3); return os.str(); }()},
        {"empty file", std::string()},
        {"only the end block", EndBlock()},
        {"main problem incomplete", [] { fw::omstream os; WriteBlock(os, 1, 1, 1.0); return os.str(); }()},
        {"series number 40", MainProblem() + [] { fw::omstream os; WriteBlock(os, 40, 3, 1.0); return os.str(); }()},
        {"block cut short", [] { std::string b = MainProblem(); b.resize(b.size() - 3); return b; }()},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("elplores.rsx"), c.bytes));
        Moon moon(dir.path());
        EXPECT_EQ(moon.LoadLowRes(), Moon::kNothing) << c.what;
        EXPECT_FALSE(moon.IsAvailable()) << c.what;
        EXPECT_EQ(moon.Series(1), nullptr) << c.what;
    }
    EXPECT_EQ(gReports.size(), 6u);
}

TEST(Moon, FailedReloadKeepsTheSeriesAndIsReportedOnce)
{
    ReportCapture capture;
    TempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("elplores.rsx"), MainProblem() + EndBlock()));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("elphires.rsx"), std::string("garbage")));
    Moon moon(dir.path());
    ASSERT_EQ(moon.LoadLowRes(), Moon::kLowRes);
    EXPECT_EQ(moon.LoadHighRes(), Moon::kLowRes);
    EXPECT_EQ(moon.LoadHighRes(), Moon::kLowRes);
    EXPECT_EQ(moon.LoadedFile(), "elplores.rsx");
    ASSERT_NE(moon.Series(1), nullptr);
    EXPECT_TRUE(moon.Series(1)->IsLoaded());
    ASSERT_EQ(gReports.size(), 1u);
    EXPECT_NE(gReports[0].find("elphires.rsx"), std::string::npos);
    // A missing file is reported the same way.
    Moon other(dir.path() + "nowhere/");
    EXPECT_EQ(other.LoadHighRes(), Moon::kNothing);
    EXPECT_EQ(gReports.size(), 2u);
}

TEST(Moon, TruncationErrorFromTheLastTermOfSeries1)
{
    TempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("elplores.rsx"), MainProblem(400, 0.01)));
    Moon moon(dir.path());
    EXPECT_EQ(moon.TruncationError().Radians(), 0.0);
    ASSERT_EQ(moon.LoadLowRes(), Moon::kLowRes);
    EXPECT_NEAR(moon.TruncationError().ArcSeconds(), 0.4, 1e-12);
}

TEST(Moon, PhaseFromTheMoonAndSunPlaces)
{
    // Meeus, example 48.a: 1992 April 12, 0h TD.
    const Coord moon = Coord::Equatorial(Angle(134.6885, Angle::kDegrees), Angle(13.7684, Angle::kDegrees), Distance(368410, 1), JulianDate(), 0);
    const Coord sun = Coord::Equatorial(Angle(20.6579, Angle::kDegrees), Angle(8.6964, Angle::kDegrees), Distance(149971520, 1), JulianDate(), 0);
    EXPECT_NEAR(Moon::ComputePhaseAngle(moon, sun).Degrees(), 69.0756, 1e-3);
    EXPECT_NEAR(Moon::ComputeBrightLimbAngle(moon, sun).Degrees(), 285.0 - 360.0, 0.1);
    // Full and new Moon.
    const Coord opposite = Coord::Equatorial(Angle(200.6579, Angle::kDegrees), Angle(-8.6964, Angle::kDegrees), Distance(384400, 1), JulianDate(), 0);
    const Coord conjunct = Coord::Equatorial(Angle(20.6579, Angle::kDegrees), Angle(8.6964, Angle::kDegrees), Distance(384400, 1), JulianDate(), 0);
    EXPECT_GT((1 + std::cos(Moon::ComputePhaseAngle(opposite, sun).Radians())) / 2, 0.9999);
    EXPECT_LT((1 + std::cos(Moon::ComputePhaseAngle(conjunct, sun).Radians())) / 2, 1e-4);
}

// Meeus, example 47.a: 1992 April 12, 0h TD, with both delivered files.
TEST(Moon, DeliveredSeriesGiveMeeusExample47a)
{
    const std::string dir = testsupport::ProgramDataDir("elphires.rsx");
    STELLUM_REQUIRE_DATA(dir);
    for (int high = 0; high <= 1; ++high) {
        Moon moon(dir);
        ASSERT_EQ(high ? moon.LoadHighRes() : moon.LoadLowRes(), high ? Moon::kHighRes : Moon::kLowRes);
        const double td = 2448724.5;
        JulianDate jd(td, JulianDate::kJulianDay);
        jd = JulianDate(td - (jd.JD(JulianDate::kDynamical) - td), JulianDate::kJulianDay); // the instant whose TD is 0h
        const Coord ecl = moon.EclipticPosition(jd);
        const Coord app = moon.ApparentPosition(jd);
        EXPECT_NEAR(ecl.Longitude().Degrees(), 133.162655, 10.0 / 3600) << high;
        EXPECT_NEAR(ecl.Latitude().Degrees(), -3.229126, 10.0 / 3600) << high;
        // Meeus's abridged series give 368409.7 km; the complete theory 368405.5 km.
        EXPECT_NEAR(moon.Distance(jd).Meters() / 1000, 368405.5, 0.5) << high;
        EXPECT_NEAR(app.RA().Degrees(), 134.688470, 10.0 / 3600) << high;
        EXPECT_NEAR(app.Dec().Degrees(), 13.768368, 10.0 / 3600) << high;
        // Horizontal parallax 0.991990 degrees.
        EXPECT_NEAR(moon.HorizontalParallax(jd).Degrees(), 0.991990, 1e-4) << high;
        EXPECT_NEAR(moon.RiseSetAltitude(jd).Degrees(), 0.7275 * 0.991990 - 34.0 / 60, 1e-4) << high;
    }
}

} // namespace
