#include "ui/LLposit.h"
#include "ui/LocationData.h"
#include "ui/RaDecPosition.h"

#include "framework/stream/PStream.h"

#include <gtest/gtest.h>

namespace {

TEST(LLposit, ClampsOnEveryWayIn)
{
    const LLposit home;
    EXPECT_EQ(home.GetName(), "San Diego");
    EXPECT_NEAR(home.Latitude(), 32.866666666, 1e-8);
    EXPECT_EQ(home.Longitude(), -117.0);

    struct Case { double lat, lon, wantLat, wantLon; };
    const Case cases[] = {
        {-95, -180, -90, 180}, {95, 181, 90, 180}, {45, -179.5, 45, -179.5}, {0, 180, 0, 180},
    };
    for (const auto& c : cases) {
        const LLposit p(c.lat, c.lon, "  Somewhere  ");
        EXPECT_EQ(p.Latitude(), c.wantLat);
        EXPECT_EQ(p.Longitude(), c.wantLon);
        EXPECT_EQ(p.GetName(), "Somewhere");

        // The same record with the raw values, as a damaged or foreign file could hold them.
        fw::omstream raw;
        raw.writeDouble(c.lat);
        raw.writeDouble(c.lon);
        raw.writeString(" Read ");
        fw::imstream in(raw.str());
        LLposit back;
        back.Read(in);
        EXPECT_EQ(back.Latitude(), c.wantLat);
        EXPECT_EQ(back.Longitude(), c.wantLon);
        EXPECT_EQ(back.GetName(), "Read");
    }
}

TEST(LLposit, SetsDegreesMinutesSecondsOrSaysWhichPartIsWrong)
{
    LLposit p(10, 20, "x");
    EXPECT_EQ(p.SetLatitude(45, 60, 60, 1), 0);
    EXPECT_NEAR(p.Latitude(), 46.016666666666, 1e-9);
    EXPECT_EQ(p.SetLatitude(91, 0, 0, 1), 1);
    EXPECT_EQ(p.SetLatitude(10, 61, 0, 1), 2);
    EXPECT_EQ(p.SetLatitude(10, 0, -1, 1), 3);
    EXPECT_EQ(p.SetLatitude(10, 0, 0, 0), 4);
    EXPECT_NEAR(p.Latitude(), 46.016666666666, 1e-9);
    EXPECT_EQ(p.SetLongitude("117", "15", "30", -1), 0);
    EXPECT_NEAR(p.Longitude(), -117.258333333, 1e-8);
    EXPECT_EQ(p.SetLongitude("181", "0", "0", 1), 1);
    EXPECT_EQ(p.SetLatitude("90", "30", "0", 1), 0);
    EXPECT_EQ(p.Latitude(), 90.0) << "the invariant holds after a set";
}

TEST(LLposit, TextsSiderealTimeAndWraps)
{
    const LLposit p(32.0 + 52.0 / 60 + 59.6 / 3600, -(117.0 + 59.0 / 60 + 59.5 / 3600), "x");
    EXPECT_EQ(p.LatitudeDegreesText() + " " + p.LatitudeMinutesText() + " " + p.LatitudeSecondsText(), "32 53 0");
    EXPECT_EQ(p.LongitudeDegreesText() + " " + p.LongitudeMinutesText() + " " + p.LongitudeSecondsText(), "118 0 0");
    EXPECT_NEAR(p.LocalSidereal(2.0), 2.0 - 118.0 / 15 + 24, 1e-3);
    EXPECT_NEAR(LLposit(0, 90, "x").LocalSidereal(23.0), 5.0, 1e-12);
    EXPECT_EQ(LLposit::DmsToDecimal(-10, 30, 0), -10.5);
    EXPECT_EQ(LLposit::DmsToDecimal(10, -30, 0), 10.5);
    EXPECT_EQ(LLposit::ClockText(13.999), "13:59:56");
    EXPECT_EQ(LLposit::RangeWrap(370, 0, 360), 10);
    EXPECT_EQ(LLposit::RangeWrap(-730, 0, 360), 350);
    EXPECT_EQ(LLposit::RangeWrap(360, 0, 360), 360);
}

TEST(RaDecPosition, SplitsAndChecksParts)
{
    const RaDecPosition def;
    EXPECT_EQ(def.RaHours(), 18);
    EXPECT_EQ(def.DecSeconds(), 10);
    EXPECT_NEAR(def.RightAscension(), 18 + 32 / 60.0 + 21 / 3600.0, 1e-12);

    const RaDecPosition south(24.0, -12.515625);
    EXPECT_EQ(south.RightAscension(), 0.0);
    EXPECT_EQ(south.DecDegrees(), -12);
    EXPECT_EQ(south.DecMinutes(), -30);
    EXPECT_EQ(south.DecSeconds(), -56);
    EXPECT_EQ(RaDecPosition(1, 95).Declination(), 90.0);

    RaDecPosition p;
    EXPECT_EQ(p.SetRA(24, 0, 0), 0);
    EXPECT_EQ(p.SetRA(24, 1, 0), 4);
    EXPECT_EQ(p.SetRA(25, 0, 0), 1);
    EXPECT_EQ(p.SetRA(1, 61, 0), 2);
    EXPECT_EQ(p.SetDec(-91, 0, 0), 1);
    EXPECT_EQ(p.SetDec(-10, -61, 0), 2);
    EXPECT_EQ(p.SetDec(-10, -30, 0), 0);
    EXPECT_EQ(p.Declination(), -10.5);
}

TEST(LocationData, RecordRoundTrips)
{
    LocationData site;
    site.country = 3;
    site.region = LocationData::kNoRegion;
    site.name = "Tucson";
    site.latitude = 32.22f;
    site.longitude = -110.97f;
    fw::omstream out;
    site.Write(out);
    EXPECT_EQ(out.str().size(), 1u + 1u + 4u + 6u + 4u + 4u + 4u);
    fw::imstream in(out.str());
    LocationData back;
    back.Read(in);
    EXPECT_EQ(back.name, "Tucson");
    EXPECT_EQ(back.region, 255);
    EXPECT_EQ(back.longitude, -110.97f);
}

} // namespace
