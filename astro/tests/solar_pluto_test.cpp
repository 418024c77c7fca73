#include "astro/Pluto.h"
#include "astro/RectCoord.h"
#include "framework/stream/PStream.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

using testsupport::TempDir;

namespace {

const char* const kSig = "Quillon Software - Stellum - Pluto";

// A file whose terms have frequency 0 and Cx = i (1e-10 au), everything else 0.
std::string Series(const std::string& trailer, std::uint32_t version = 5)
{
    fw::omstream os;
    os.writeString(kSig);
    os.writeWord32(version);
    for (int i = 1; i <= 106; ++i) {
        os.writeDouble(0.0);
        os.writeDouble(static_cast<double>(i));
        for (int k = 0; k < 5; ++k)
            os.writeDouble(0.0);
    }
    os.writeString(trailer);
    return os.str();
}

// The instant whose dynamical-time Julian day is td.
JulianDate AtDynamical(double td)
{
    JulianDate jd(td, JulianDate::kJulianDay);
    return JulianDate(td - (jd.JD(JulianDate::kDynamical) - td), JulianDate::kJulianDay);
}

TEST(Pluto, MiddleOfTheIntervalIsTheSecularConstantPlusTheFirstTerms)
{
    TempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("9.rsx"), Series(kSig)));
    Pluto pluto(dir.path());
    ASSERT_TRUE(pluto.IsLoaded());
    double xyz[3];
    ASSERT_TRUE(pluto.Evaluate(AtDynamical(2415032.5), xyz));
    // Sum of Cx over terms 1 to 82 is 82 x 83 / 2.
    EXPECT_NEAR(xyz[0], (98083308510.0 + 3403.0) * 1e-10, 1e-12);
    EXPECT_NEAR(xyz[1], 101846243715.0 * 1e-10, 1e-12);
    const RectCoord r = pluto.HeliocentricPosition(AtDynamical(2415032.5));
    EXPECT_NEAR(r.X().Meters(), Distance(xyz[0], 2).Meters(), 1.0);
    EXPECT_EQ(r.Flags(), 0u);
    EXPECT_EQ(r.Epoch().JD(), 2451545.0);
}

TEST(Pluto, WrongFilesLoadNoPosition)
{
    TempDir dir;
    struct Case { const char* what; std::string bytes; } cases[] = {
        {"trailer differs", Series("Quillon Software - Stellum - Plut0")},
        {"version 4", Series(kSig, 4)},
        {"cut short", Series(kSig).substr(0, 3000)},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("9.rsx"), c.bytes));
        Pluto pluto(dir.path());
        EXPECT_FALSE(pluto.IsLoaded()) << c.what;
        const RectCoord r = pluto.HeliocentricPosition(JulianDate());
        EXPECT_EQ(r.X().Meters(), 0.0) << c.what;
        EXPECT_EQ(r.Z().Meters(), 0.0) << c.what;
    }
    // A missing file is tried again on the next request.
    TempDir empty;
    Pluto pluto(empty.path());
    EXPECT_FALSE(pluto.IsLoaded());
    ASSERT_TRUE(testsupport::WriteFileBytes(empty.file("9.rsx"), Series(kSig)));
    double xyz[3];
    EXPECT_TRUE(pluto.Evaluate(JulianDate(), xyz));
    EXPECT_TRUE(pluto.IsLoaded());
}

// The delivered file reproduces the test values of the PLUTO95 notice.
TEST(Pluto, DeliveredSeriesReproduceTheTestValues)
{
    const std::string dir = testsupport::ProgramDataDir("9.rsx");
    STELLUM_REQUIRE_DATA(dir);
    Pluto pluto(dir);
    ASSERT_TRUE(pluto.IsLoaded());
    struct Case { double jd, x, y, z; } cases[] = {
        {2341972.5, -25.48366603086599, 22.25190224179014, 14.61666566142614},
        {2378497.75, 36.33316699469712, -11.84871881208418, -14.64079073464049},
        {2415023.0, 10.29158303131287, 44.52906466047693, 10.79081191605171},
        {2451548.25, -9.86615874601937, -27.98285304568784, -5.75779357947923},
        {2488073.5, 39.67448463874504, 28.47968765660414, -3.06796133066342},
    };
    for (const auto& c : cases) {
        double xyz[3];
        ASSERT_TRUE(pluto.Evaluate(AtDynamical(c.jd), xyz));
        EXPECT_NEAR(xyz[0], c.x, 1e-9) << c.jd;
        EXPECT_NEAR(xyz[1], c.y, 1e-9) << c.jd;
        EXPECT_NEAR(xyz[2], c.z, 1e-9) << c.jd;
    }
}

} // namespace
