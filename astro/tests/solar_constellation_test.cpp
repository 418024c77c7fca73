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
