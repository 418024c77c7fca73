#include "astro/ConstellationTable.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

TEST(ConstellationTable, CodesFollowTheListedAbbreviationOrder)
{
    // Codes other tables and files rely on, Tuc/TrA/Tri in the listed (not case-folded) order.
    const struct { int code; const char* abbreviation; const char* name; } cases[] = {
        {0, "And", "Andromeda"}, {1, "Ant", "Antlia"}, {9, "Cae", "Caelum"},
        {15, "Cep", "Cepheus"}, {19, "CMa", "Canis Major"}, {20, "CMi", "Canis Minor"},
        {21, "Cnc", "Cancer"}, {29, "CVn", "Canes Venatici"}, {48, "LMi", "Leo Minor"},
        {57, "Oct", "Octans"}, {65, "PsA", "Piscis Austrinus"}, {79, "Tuc", "Tucana"},
        {80, "TrA", "Triangulum Australe"}, {81, "Tri", "Triangulum"}, {83, "UMi", "Ursa Minor"},
        {87, "Vul", "Vulpecula"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(ConstellationAbbreviation(c.code), c.abbreviation) << c.code;
        EXPECT_EQ(ConstellationName(c.code), c.name) << c.code;
        EXPECT_EQ(ConstellationCodeOf(c.abbreviation), c.code) << c.abbreviation;
    }
    EXPECT_STREQ(ConstellationNames[9], "Caelum");
    EXPECT_STREQ(ConstellationNames[1], "Antlia");
    EXPECT_STREQ(ConstellationNames[65], "Piscis Austrinus");
    EXPECT_EQ(ConstellationString(0), "And|Andromeda");
    EXPECT_EQ(ConstellationString(9), "Cae|Caelum");
    EXPECT_EQ(ConstellationString(88), "nc|(no comment)");
    EXPECT_EQ(ConstellationString(89), "");
    EXPECT_EQ(ConstellationString(-1), "");
    EXPECT_STREQ(ConstellationAbbreviation(88), "");
    EXPECT_EQ(ConstellationCodeOf("cvn"), 29);
    EXPECT_EQ(ConstellationCodeOf(" Tri "), 81);
    EXPECT_EQ(ConstellationCodeOf("Xyz"), -1);
    EXPECT_EQ(ConstellationCodeOf(""), -1);
}

TEST(ConstellationTable, EveryCodeRoundTripsAndFitsItsNameEntry)
{
    std::set<std::string> seen;
    for (int code = 0; code < ConstellationCount; ++code) {
        const std::string abbreviation = ConstellationAbbreviation(code);
        EXPECT_EQ(abbreviation.size(), 3u) << code;
        EXPECT_EQ(ConstellationCodeOf(abbreviation), code) << abbreviation;
        EXPECT_TRUE(seen.insert(abbreviation).second) << abbreviation;
        EXPECT_LT(std::string(ConstellationNames[code]).size(), size_t(ConstellationNameWidth));
        EXPECT_LE(ConstellationString(code).size(), 40u) << code;
    }
}

TEST(ConstellationTable, CoversTheAbbreviationsOfThePublishedBoundaries)
{
    const std::string raw = testsupport::RawDataDir();
    STELLUM_REQUIRE_DATA(raw);
    std::ifstream in(raw + "constellation-boundaries/constellation_names.dat");
    ASSERT_TRUE(in) << "constellation_names.dat";
    std::set<int> codes;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string abbreviation;
        fields >> abbreviation;
        const int code = ConstellationCodeOf(abbreviation);
        EXPECT_GE(code, 0) << abbreviation;
        codes.insert(code);
    }
    EXPECT_EQ(codes.size(), size_t(ConstellationCount));
}
