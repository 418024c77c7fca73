// The star catalogue reader: passes over small files written here, and the built "rssao.cat"
// read whole.
#include "chart/SAOdata.h"
#include "framework/stream/PStream.h"
#include "chart/tests/sky_fixture.h"
#include "framework/testsupport/TestSupport.h"

#include <cmath>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using chart_testing::Star;
using chart_testing::StarRecords;

TEST(SAOdata, EmptyOrMissingFileYieldsNoStars)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("rssao.cat"), ""));
    for (const std::string name : {"rssao.cat", "missing.cat"}) {
        SAOdata sao(dir.file(name));
        EXPECT_EQ(sao.ReadNext(sao), 0) << name;
        EXPECT_FALSE(sao.IsOpen()) << name;
    }
}

TEST(SAOdata, ReadsRecordsInOrderAndTheMagnitudeRule)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("rssao.cat"),
                                            StarRecords({{6.75, -16.7, 10.0f, 3.0f}, {12.5, 45.25, 10.01f, 9.5f}})));
    SAOdata sao(dir.file("rssao.cat"));
    EXPECT_FALSE(sao.IsOpen());
    ASSERT_EQ(sao.ReadNext(sao), 1); // a fresh object opens the file itself
    EXPECT_TRUE(sao.IsOpen());
    EXPECT_DOUBLE_EQ(sao.RA(), 6.75);
    EXPECT_DOUBLE_EQ(sao.Dec(), -16.7);
    EXPECT_FLOAT_EQ(sao.Magnitude(), 10.0f); // exactly 10: the first magnitude counts
    ASSERT_EQ(sao.ReadNext(), 1);
    EXPECT_DOUBLE_EQ(sao.RA(), 12.5);
    EXPECT_FLOAT_EQ(sao.FirstMagnitude(), 10.01f);
    EXPECT_FLOAT_EQ(sao.Magnitude(), 9.5f); // above 10: the second one
    EXPECT_EQ(sao.ReadNext(), 0);
    EXPECT_FALSE(sao.IsOpen());
    // After the end a further read starts again at the first record.
    ASSERT_EQ(sao.ReadNext(), 1);
    EXPECT_DOUBLE_EQ(sao.RA(), 6.75);
    EXPECT_EQ(sao.Close(), 1);
    EXPECT_EQ(sao.Close(), 1);
}

TEST(SAOdata, PartialLastRecordIsNeverSeen)
{
    testsupport::TempDir dir;
    const std::string whole = StarRecords({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}});
    for (std::size_t cut : {1u, 8u, 16u, 23u}) {
        ASSERT_TRUE(testsupport::WriteFileBytes(dir.file("s.cat"), whole.substr(0, 48 + cut)));
        SAOdata sao(dir.file("s.cat"));
        int n = 0;
        while (sao.ReadNext())
            ++n;
        EXPECT_EQ(n, 2) << cut;
        EXPECT_DOUBLE_EQ(sao.RA(), 5) << cut; // the fields keep the last whole record
        EXPECT_FLOAT_EQ(sao.SecondMagnitude(), 8) << cut;
    }
}

TEST(SAOdata, BuiltCatalogueReadsWholeWithKnownBrightStars)
{
    const std::string dir = testsupport::ProgramDataDir("rssao.cat");
    STELLUM_REQUIRE_DATA(dir);
    const std::string path = dir + "rssao.cat";
    const std::size_t bytes = testsupport::ReadFileBytes(path).size();
    ASSERT_EQ(bytes % SAOdata::kRecordSize, 0u);

    struct Known {
        const char* name;
        double ra, dec, mag; // J2000.0 hours, degrees; V
        bool found;
    } known[] = {
        {"Sirius", 6 + 45 / 60.0 + 8.92 / 3600, -(16 + 42 / 60.0 + 58.0 / 3600), -1.44, false},
        {"Vega", 18 + 36 / 60.0 + 56.34 / 3600, 38 + 47 / 60.0 + 1.3 / 3600, 0.03, false},
        {"Polaris", 2 + 31 / 60.0 + 49.09 / 3600, 89 + 15 / 60.0 + 50.8 / 3600, 1.97, false},
    };
    SAOdata sao(path);
    long count = 0;
    double faintest = -99, brightest = 99;
    bool inRange = true;
    while (sao.ReadNext(sao)) {
        ++count;
        faintest = std::max(faintest, sao.Magnitude());
        brightest = std::min(brightest, sao.Magnitude());
        inRange = inRange && sao.RA() >= 0 && sao.RA() < 24 && std::fabs(sao.Dec()) <= 90;
        for (auto& k : known) {
            if (std::fabs(sao.RA() - k.ra) < 1e-6 && std::fabs(sao.Dec() - k.dec) < 1e-6) {
                k.found = true;
                EXPECT_NEAR(sao.Magnitude(), k.mag, 1e-6) << k.name;
                EXPECT_FLOAT_EQ(sao.SecondMagnitude(), sao.FirstMagnitude()) << k.name;
            }
        }
    }
    sao.Close();
    EXPECT_EQ(count, long(bytes / SAOdata::kRecordSize));
    EXPECT_EQ(count, 125982);
    EXPECT_TRUE(inRange);
    EXPECT_NEAR(brightest, -1.44, 1e-6);
    EXPECT_LT(faintest, 9.0);
    for (const auto& k : known)
        EXPECT_TRUE(k.found) << k.name;
}

} // namespace
