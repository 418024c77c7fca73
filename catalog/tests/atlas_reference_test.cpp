#include "catalog/AtlasReference.h"

#include <gtest/gtest.h>

TEST(AtlasReference, SkyAtlasChartsByBand)
{
    const struct { double ra, dec; int chart; } cases[] = {
        {0.2, 10, 17}, {23.9, 10, 17}, {12, -60, 25}, {0, 90, 1}, {23.9, 52, 3},
        {0, -52, 24}, {23.9, -89, 26}, {0, 51.9, 4}, {23.9, 19, 9}, {0, -19, 18},
        {23.9, -51, 23}, {18.7, 18.7, 16}, {2.2, 18.7, 10}, {20, -10, 16}, {21.6, -10, 17},
    };
    AtlasReference a;
    for (const auto& c : cases)
        EXPECT_EQ(a.SkyAtlasChart(c.ra, c.dec), c.chart) << c.ra << " " << c.dec;
}

TEST(AtlasReference, UranometriaVolumesAndPages)
{
    AtlasReference a;
    EXPECT_EQ(a.UranometriaVolume(0, -6), 2);
    EXPECT_EQ(a.volume, 2);
    EXPECT_EQ(a.UranometriaVolume(0, -5.9), 1);
    EXPECT_EQ(a.UranometriaVolume(0, 45), 1);
    const struct { double ra, dec; int page; } cases[] = {
        {13, 89, 2}, {11, 89, 1}, {3, -89, 473}, {13, -85, 472},
        {0, 80, 3}, {23.5, 80, 3}, {1, 80, 3}, {2, 80, 4}, {2, -80, 461},
        {0, 65, 15}, {23.9, 65, 15}, {0, 55, 35}, {12, 55, 47}, {12, -55, 428},
        {0, 45, 59}, {0, 30, 89}, {0, 20, 125}, {23.9, 20, 125}, {12, 10, 193},
        {12, -10, 283}, {12, 0, 238}, {12, -5.9, 238}, {23.9, 2, 215},
        {0.7116, 41.27, 60},
    };
    for (const auto& c : cases)
        EXPECT_EQ(a.UranometriaPage(c.ra, c.dec), c.page) << c.ra << " " << c.dec;
}

TEST(AtlasReference, TextsFollowTheStoredOrGivenStyle)
{
    AtlasReference a;
    EXPECT_EQ(a.SkyAtlasText(0.2, 10, 0), "Chart 17");
    EXPECT_EQ(a.SkyAtlasText(-1, 0, 2), "Chart #17");  // stored position, style stored
    EXPECT_EQ(a.skyAtlasStyle, 2);
    EXPECT_EQ(a.SkyAtlasText(12, -60, 0), "Chart #25");
    EXPECT_EQ(a.SkyAtlasText(-1, 0, 3), "#25");
    EXPECT_EQ(a.SkyAtlasText(-1, 0, 4), "25");
    EXPECT_EQ(a.SkyAtlasText(-1, 0, 9), "");

    const struct { int style; const char* text; } cases[] = {
        {1, "vol 2, p 283"}, {2, "p 283, Vol 2"}, {3, "vol 2, p 283"}, {4, "p 283 v.2"},
        {5, "Vol 2 Page 283"}, {6, "Page 283 Vol 2"}, {7, ""},
    };
    AtlasReference u;
    EXPECT_EQ(u.UranometriaText(12, -10, 0), "v2 p283");
    for (const auto& c : cases)
        EXPECT_EQ(u.UranometriaText(12, -10, c.style), c.text) << c.style;
    u.SetUranometriaStyle(4);
    EXPECT_EQ(u.UranometriaText(12, 10, 0), "p 193 v.1");
}
