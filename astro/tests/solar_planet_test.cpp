#include "astro/Planet.h"
#include "framework/stream/PStream.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

using testsupport::TempDir;

namespace {

const char* const kSig = "Quillon Software - Stellum - Planet Data";

// One block: coordinate, power and terms of (amplitude, phase, frequency).
void WriteBlock(fw::omstream& os, int coordinate, int power, std::initializer_list<std::array<double, 3>> terms)
{
    os.writeWord32(static_cast<std::uint32_t>(coordinate));
    os.writeWord32(static_cast<std::uint32_t>(power));
    os.writeWord32(static_cast<std::uint32_t>(terms.size()));
    for (const auto& t : terms)
        for (double v : t)
            os.writeDouble(v);
}

std::string SmallSeries(bool terminator, std::uint32_t version = 4)
{
    fw::omstream os;
    os.writeString(kSig);
    os.writeWord32(version);
    WriteBlock(os, 1, 0, {{{2.0, 0.0, 0.0}}, {{0.5, 0.0, 10.0}}});
    WriteBlock(os, 2, 1, {{{3.0, 0.0, 0.0}}});
    WriteBlock(os, 3, 0, {{{1.0, 0.5, 0.0}}});
    if (terminator) {
        os.writeWord32(0);
        os.writeWord32(0);
        os.writeWord32(0);
        os.writeString("END OF FILE");
    }
    return os.str();
}

TEST(Planet, ReadsAndSumsItsSeries)
{
    TempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("1.rsx"), SmallSeries(true)));
    Planet p(dir.file("1.rsx"));
    ASSERT_TRUE(p.IsLoaded());
    EXPECT_EQ(p.TermCount(1, 0), 2);
    EXPECT_EQ(p.TermCount(2, 1), 1);
    EXPECT_EQ(p.TermCount(2, 0), 0);
    EXPECT_EQ(p.Amplitude(1, 0, 2), 0.5);
    double xyz[3];
    p.Evaluate(0.1, xyz);
    EXPECT_NEAR(xyz[0], 2.0 + 0.5 * std::cos(1.0), 1e-15);
    EXPECT_NEAR(xyz[1], 0.1 * 3.0, 1e-15);
    EXPECT_NEAR(xyz[2], std::cos(0.5), 1e-15);
    p.Unload();
    EXPECT_FALSE(p.IsLoaded());
    p.Evaluate(0.1, xyz);
    EXPECT_EQ(xyz[0], 0.0);
}

TEST(Planet, RejectsMissingForeignAndDamagedFiles)
{
    TempDir dir;
    {
        Planet p(dir.file("none.rsx"));
        EXPECT_FALSE(p.IsLoaded());
        EXPECT_EQ(p.LastRead(), Planet::kMissing);
    }
    {
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("v5.rsx"), SmallSeries(true, 5)));
        Planet p(dir.file("v5.rsx"));
        EXPECT_FALSE(p.IsLoaded());
        EXPECT_EQ(p.LastRead(), Planet::kForeign);
    }
    {
        // Blocks that end without the terminator stay loaded.
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("open.rsx"), SmallSeries(false)));
        Planet p(dir.file("open.rsx"));
        EXPECT_TRUE(p.IsLoaded());
        EXPECT_EQ(p.TermCount(3, 0), 1);
    }
    {
        // A block cut short is a damaged file: nothing of it is used.
        std::string bytes = SmallSeries(false);
        bytes.resize(bytes.size() - 5);
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("cut.rsx"), bytes));
        Planet p(dir.file("cut.rsx"));
        EXPECT_FALSE(p.IsLoaded());
        EXPECT_EQ(p.LastRead(), Planet::kDamaged);
        EXPECT_EQ(p.TermCount(1, 0), 0);
    }
    {
        // An absurd term count does not make the reader allocate without bound.
        fw::omstream os;
        os.writeString(kSig);
        os.writeWord32(4);
        os.writeWord32(1);
        os.writeWord32(0);
        os.writeWord32(0xFFFFFFF0u);
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("huge.rsx"), os.str()));
        Planet p(dir.file("huge.rsx"));
        EXPECT_FALSE(p.IsLoaded());
        EXPECT_EQ(p.LastRead(), Planet::kDamaged);
    }
}

// The delivered files reproduce the check values of VSOP87A (vsop87.chk).
TEST(Planet, DeliveredSeriesReproduceTheCheckValues)
{
    const std::string dir = testsupport::ProgramDataDir("3.rsx");
    STELLUM_REQUIRE_DATA(dir);
    struct Case { const char* file; double jd, x, y, z; } cases[] = {
        {"3.rsx", 2451545.0, -0.1771354586, 0.9672416237, -0.0000039000},
        {"5.rsx", 2451545.0, 4.0011740268, 2.9385810077, -0.1017837501},
        {"8.rsx", 2451545.0, 16.8121116576, -24.9916630908, 0.1272190171},
        {"1.rsx", 2415020.0, -0.3897246931, -0.1502242199, 0.0236199373},
    };
    for (const auto& c : cases) {
        Planet p(dir + c.file);
        ASSERT_TRUE(p.IsLoaded()) << c.file;
        double xyz[3];
        p.Evaluate((c.jd - 2451545.0) / 365250.0, xyz);
        EXPECT_NEAR(xyz[0], c.x, 1e-10) << c.file;
        EXPECT_NEAR(xyz[1], c.y, 1e-10) << c.file;
        EXPECT_NEAR(xyz[2], c.z, 1e-10) << c.file;
    }
    // The light Earth series stays within a few 1e-7 au of the full one.
    Planet full(dir + "3.rsx"), light(dir + "3l.rsx");
    ASSERT_TRUE(light.IsLoaded());
    EXPECT_LT(light.TermCount(1, 0), full.TermCount(1, 0));
    double a[3], b[3];
    full.Evaluate(0.02, a);
    light.Evaluate(0.02, b);
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(a[k], b[k], 2e-6);
}

} // namespace
