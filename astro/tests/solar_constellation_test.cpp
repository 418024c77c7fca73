#include "astro/ConstellationLookup.h"
#include "astro/ConstellationTable.h"

#include <gtest/gtest.h>

namespace {

TEST(ConstellationLookup, TableHasThePublishedRowsAndTheEndRow)
{
    const ConstellationBoundary* rows = ConstellationBoundaries();
    EXPECT_EQ(rows[0].raLow, 0.0);
    EXPECT_EQ(rows[0].raHigh, 24.0);
    EXPECT_EQ(rows[0].decLow, 88.0);
    EXPECT_EQ(rows[0].code, ConstellationCodeOf("UMi"));
    for (int i = 0; i < ConstellationBoundaryRows; ++i)
        ASSERT_TRUE(rows[i].code >= 0 && rows[i].code < ConstellationCount) << "row " << i;
    const ConstellationBoundary& end = rows[ConstellationBoundaryRows];
    EXPECT_EQ(end.raLow, 0.0);
    EXPECT_EQ(end.raHigh, 24.0);
    EXPECT_EQ(end.decLow, -90.0);
    EXPECT_EQ(end.code, 'X');
    // The last published row is Octans down to the south pole.
    EXPECT_EQ(rows[ConstellationBoundaryRows - 1].code, ConstellationCodeOf("Oct"));
}

TEST(ConstellationLookup, FindsTheFirstMatchingRow)
{
    struct Case { double ra, dec; const char* abbreviation; } cases[] = {
        {0.0, 90.0, "UMi"},      // north celestial pole, first row
        {12.0, -90.0, "Oct"},    // south celestial pole, last published row
        {12.0, -89.0, "Oct"},
        {0.0, 89.0, "UMi"},
        {0.65, 41.0, "And"},
        {5.5, -5.0, "Ori"},
        {18.6, 38.8, "Lyr"},     // Vega, 1875
        {6.75, -16.7, "CMa"},    // Sirius
        {10.0, 86.5, "UMi"},     // exactly on a lower declination bound: not below it
        {8.0, 86.5, "UMi"},      // exactly on a lower right ascension bound
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConstellationLookup(c.ra, c.dec), ConstellationCodeOf(c.abbreviation))
            << c.ra << "h " << c.dec << " deg";
    EXPECT_EQ(ConstellationCodeOf("UMi"), 83);
    EXPECT_EQ(ConstellationCodeOf("Oct"), 57);
}

TEST(ConstellationLookup, RightAscensionOf24HoursMatchesNoRow)
{
    EXPECT_EQ(ConstellationLookup(24.0, 45.0), -1);
    EXPECT_EQ(ConstellationLookup(24.0, 89.0), -1);
    EXPECT_EQ(ConstellationLookup(-0.001, 10.0), -1);
}

} // namespace

#include "astro/Coord.h"
#include "framework/testsupport/TestSupport.h"

#include <fstream>

namespace {

// Every object of NGC 2000.0: its J2000 position, carried back to 1875, falls in the
// constellation of the catalogue's column.
TEST(ConstellationIndex, AgreesWithTheNgc2000Column)
{
    const std::string raw = testsupport::RawDataDir();
    STELLUM_REQUIRE_DATA(raw);
    std::ifstream in(raw + "ngc2000/ngc2000.dat");
    ASSERT_TRUE(in);
    int total = 0, agree = 0;
    for (std::string l; std::getline(in, l);) {
        if (l.size() < 32)
            continue;
        const std::string constellation = l.substr(29, 3);
        const int expected = ConstellationCodeOf(constellation);
        if (expected < 0)
            continue;
        const double ra = std::stod(l.substr(10, 2)) + std::stod(l.substr(13, 4)) / 60.0;
        double dec = std::stod(l.substr(20, 2)) + std::stod(l.substr(23, 2)) / 60.0;
        if (l[19] == '-')
            dec = -dec;
        const Coord c = Coord::Equatorial(Angle(ra, Angle::kHours), Angle(dec, Angle::kDegrees), Distance(), JulianDate(), 0);
        ++total;
        if (ConstellationIndex(c) == expected)
            ++agree;
    }
    ASSERT_GT(total, 13000);
    EXPECT_EQ(agree, total);
}

TEST(ConstellationIndex, PolesAndAKnownStar)
{
    const JulianDate j2000;
    EXPECT_EQ(ConstellationIndex(Coord::Equatorial(Angle(0.0), Angle(90.0, Angle::kDegrees), Distance(), j2000, 0)), 83);
    EXPECT_EQ(ConstellationIndex(Coord::Equatorial(Angle(0.0), Angle(-90.0, Angle::kDegrees), Distance(), j2000, 0)), 57);
    // Polaris (J2000 2h31m49s +89 15' 51") lies in Ursa Minor, Betelgeuse in Orion.
    EXPECT_EQ(ConstellationIndex(Coord::Equatorial(Angle(2.5303, Angle::kHours), Angle(89.264, Angle::kDegrees), Distance(), j2000, 0)),
              ConstellationCodeOf("UMi"));
    EXPECT_EQ(ConstellationIndex(Coord::Equatorial(Angle(5.9195, Angle::kHours), Angle(7.407, Angle::kDegrees), Distance(), j2000, 0)),
              ConstellationCodeOf("Ori"));
}

} // namespace
