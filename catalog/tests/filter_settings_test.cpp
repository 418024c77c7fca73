// The filter and sort records with their stream blocks, the constellation set, the elevation
// window and map, and the browser cursor over the object lists.
#include "astro/SignedStreamRecord.h"
#include "catalog/Browser.h"
#include "catalog/CatalogueStrings.h"
#include "catalog/ConstellationSet.h"
#include "catalog/ElevationMap.h"
#include "catalog/ElevationWindow.h"
#include "catalog/FilterSettings.h"
#include "catalog/SortCriteria.h"
#include "framework/stream/PStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

FilterSettings Altered()
{
    FilterSettings f;
    f.passCounts[3] = 77;
    f.SetEnabledCriteria(0x3F3);
    f.typeMask = 0x7FFF;
    f.positionCriteria = 0x50;
    f.raMin = 22.5;
    f.raMax = 2.25;
    f.decMin = -12.5;
    f.decMax = 61;
    f.constellations.Clear();
    f.constellations.Add(70);
    f.elevationMode = 3;
    f.sessionStartHour = 23;
    f.sessionStartMinute = 15;
    f.sessionEndHour = 2;
    f.sessionEndMinute = 45;
    f.minAltitude = 25;
    f.maxAltitude = 80;
    f.nameCriteria = 0x21;
    f.brightnessCriteria = 7;
    f.dreyerBrightnessMask = 0x10FF;
    f.magnitudeMin = 2.5;
    f.magnitudeMax = 11.5;
    f.sizeCriteria = 0xE;
    f.dreyerSizeMask = 0x1F0;
    f.diameterMin = 0.1;
    f.diameterMax = 1.5;
    f.shapeMask = 0x4003;
    f.historyCriteria = 1;
    return f;
}

std::string Bytes(const FilterSettings& f)
{
    fw::omstream os;
    f.Write(os);
    return os.str();
}

} // namespace

TEST(ConstellationSet, AddToggleContainsAndStream)
{
    ConstellationSet s;
    EXPECT_TRUE(s.Contains(0));
    EXPECT_TRUE(s.Contains(87));
    s.Clear();
    for (int c = 0; c < 88; ++c) {
        EXPECT_FALSE(s.all) << c;
        s.Add(c);
    }
    EXPECT_TRUE(s.all);  // set again by the last code
    s.Toggle(40);
    EXPECT_FALSE(s.Contains(40));
    s.Toggle(40);
    EXPECT_FALSE(s.all);  // toggling never makes it whole again
    EXPECT_TRUE(s.Contains(40));

    ConstellationSet only70;
    only70.Clear();
    only70.Add(70);
    EXPECT_EQ(only70.masks[2], 1u << 6);
    EXPECT_EQ(only70.lastBit, 1 << 6);
    EXPECT_TRUE(only70.Contains(70));
    EXPECT_FALSE(only70.Contains(38));  // bit 6 of the second mask
    EXPECT_FALSE(only70.Contains(-1));

    ConstellationSet other = only70;
    other.lastBit = 5;
    EXPECT_EQ(other, only70);  // lastBit is scratch

    fw::omstream os;
    only70.Write(os);
    ASSERT_EQ(os.str().size(), 20u);
    std::string bytes = os.str();
    bytes[16] = 2;  // any non-zero word means "all"
    fw::imstream is(bytes);
    ConstellationSet back;
    back.Read(is);
    EXPECT_TRUE(back.all);
    EXPECT_EQ(back.masks[2], 1u << 6);
    EXPECT_EQ(back.lastBit, 1 << 6);
}

TEST(FilterSettings, BlockRoundTripsEveryFieldAltitudesIncluded)
{
    const FilterSettings f = Altered();
    const std::string bytes = Bytes(f);
    fw::imstream is(bytes);
    FilterSettings back;
    back.valid = 0;
    back.Read(is);
    EXPECT_EQ(back.valid, 1);
    EXPECT_EQ(back.minAltitude, 25);
    EXPECT_EQ(back.maxAltitude, 80);
    EXPECT_EQ(back, f);
    EXPECT_EQ(is.remaining(), 0);

    // Each field counts for equality; the window takes part too.
    FilterSettings g = f;
    g.elevationWindow.latitude = 1;
    EXPECT_NE(g, f);
    g = f;
    g.valid = 0;
    EXPECT_EQ(g, f);
    FilterSettings assigned;
    assigned.valid = 0;
    assigned.Assign(f);
    EXPECT_EQ(assigned, f);
    EXPECT_EQ(assigned.valid, 0);
}

// Every field but valid takes part in equality and Assign, and every stored one in the block:
// one change at a time to a default record, so that a field left out of either shows.
TEST(FilterSettings, EachFieldCountsForEqualityAssignAndTheBlock)
{
    struct Change {
        const char* field;
        void (*apply)(FilterSettings&);
        bool stored;
    };
    const Change changes[] = {
        {"passCounts", [](FilterSettings& f) { f.passCounts[14] = 9; }, true},
        {"enabled", [](FilterSettings& f) { f.SetEnabledCriteria(0x10); }, true},
        {"typeMask", [](FilterSettings& f) { f.typeMask = 7; }, true},
        {"positionCriteria", [](FilterSettings& f) { f.positionCriteria = 0x40; }, true},
        {"raMin", [](FilterSettings& f) { f.raMin = 1; }, true},
        {"raMax", [](FilterSettings& f) { f.raMax = 2; }, true},
        {"decMin", [](FilterSettings& f) { f.decMin = 3; }, true},
        {"decMax", [](FilterSettings& f) { f.decMax = 4; }, true},
        {"constellations", [](FilterSettings& f) { f.constellations.Toggle(3); }, true},
        {"elevationWindow", [](FilterSettings& f) { f.elevationWindow.latitude = 5; }, false},
        {"elevationMode", [](FilterSettings& f) { f.elevationMode = 1; }, true},
        {"sessionStartHour", [](FilterSettings& f) { f.sessionStartHour = 20; }, true},
        {"sessionStartMinute", [](FilterSettings& f) { f.sessionStartMinute = 5; }, true},
        {"sessionEndHour", [](FilterSettings& f) { f.sessionEndHour = 1; }, true},
        {"sessionEndMinute", [](FilterSettings& f) { f.sessionEndMinute = 6; }, true},
        {"minAltitude", [](FilterSettings& f) { f.minAltitude = 10; }, true},
        {"maxAltitude", [](FilterSettings& f) { f.maxAltitude = 70; }, true},
        {"nameCriteria", [](FilterSettings& f) { f.nameCriteria = 0x8; }, true},
        {"brightnessCriteria", [](FilterSettings& f) { f.brightnessCriteria = 1; }, true},
        {"dreyerBrightnessMask", [](FilterSettings& f) { f.dreyerBrightnessMask = 1; }, true},
        {"magnitudeMin", [](FilterSettings& f) { f.magnitudeMin = 1; }, true},
        {"magnitudeMax", [](FilterSettings& f) { f.magnitudeMax = 12; }, true},
        {"sizeCriteria", [](FilterSettings& f) { f.sizeCriteria = 4; }, true},
        {"dreyerSizeMask", [](FilterSettings& f) { f.dreyerSizeMask = 2; }, true},
        {"diameterMin", [](FilterSettings& f) { f.diameterMin = 0.5; }, true},
        {"diameterMax", [](FilterSettings& f) { f.diameterMax = 2; }, true},
        {"shapeMask", [](FilterSettings& f) { f.shapeMask = 3; }, true},
        {"historyCriteria", [](FilterSettings& f) { f.historyCriteria = 1; }, true},
    };
    const FilterSettings plain;
    const std::string plainBytes = Bytes(plain);
    for (const Change& c : changes) {
        FilterSettings changed;
        c.apply(changed);
        EXPECT_NE(changed, plain) << c.field;
        FilterSettings assigned;
        assigned.valid = 0;
        assigned.Assign(changed);
        EXPECT_EQ(assigned, changed) << c.field;
        EXPECT_EQ(assigned.valid, 0) << c.field;
        EXPECT_EQ(Bytes(changed) != plainBytes, c.stored) << c.field;
    }
}

// The fields lie where existing files have them: a round trip alone would not notice two
// fields written and read in the same wrong order.
TEST(FilterSettings, BlockByteLayout)
{
    const std::string bytes = Bytes(Altered());
    const std::string sig = SignedStreamRecord::FilterSettings;
    const size_t h = 4 + sig.size() + 4;
    ASSERT_EQ(bytes.size(), h + 200 + 4 + sig.size());
    auto u32 = [&](size_t at) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | std::uint8_t(bytes[at + size_t(i)]);
        return v;
    };
    auto u16 = [&](size_t at) { return std::uint16_t(u32(at) & 0xFFFF); };
    auto f64 = [&](size_t at) {
        double d;
        std::memcpy(&d, bytes.data() + at, 8);
        return d;
    };
    EXPECT_EQ(u32(4 + sig.size()), FilterSettings::kVersion);
    EXPECT_EQ(u32(h + 12), 77u);          // pass count 3
    EXPECT_EQ(u32(h + 60), 0x3F3u);       // enabled criteria, entry 15
    EXPECT_EQ(u32(h + 64), 0x50u);        // position criteria
    EXPECT_EQ(f64(h + 68), 22.5);         // RA window start
    EXPECT_EQ(f64(h + 76), 2.25);
    EXPECT_EQ(f64(h + 84), -12.5);        // Dec window
    EXPECT_EQ(f64(h + 92), 61);
    EXPECT_EQ(u32(h + 100), 0u);          // constellation masks, lastBit, all
    EXPECT_EQ(u32(h + 108), 1u << 6);
    EXPECT_EQ(u32(h + 112), 1u << 6);
    EXPECT_EQ(u32(h + 116), 0u);
    EXPECT_EQ(u32(h + 120), 3u);          // elevation mode
    EXPECT_EQ(u16(h + 124), 23);          // session 23:15 to 02:45
    EXPECT_EQ(u16(h + 126), 15);
    EXPECT_EQ(u16(h + 128), 2);
    EXPECT_EQ(u16(h + 130), 45);
    EXPECT_EQ(u32(h + 132), 0x21u);       // name criteria
    EXPECT_EQ(u32(h + 136), 7u);          // brightness criteria
    EXPECT_EQ(u32(h + 140), 0x10FFu);     // Dreyer brightness mask
    EXPECT_EQ(f64(h + 144), 2.5);         // magnitudes
    EXPECT_EQ(f64(h + 152), 11.5);
    EXPECT_EQ(u32(h + 160), 0xEu);        // size criteria
    EXPECT_EQ(u32(h + 164), 0x1F0u);      // Dreyer size mask
    EXPECT_EQ(f64(h + 168), 0.1);         // diameters
    EXPECT_EQ(f64(h + 176), 1.5);
    EXPECT_EQ(u32(h + 184), 0x4003u);     // shape mask
    EXPECT_EQ(u32(h + 188), 0x7FFFu);     // type mask
    EXPECT_EQ(u32(h + 192), 1u);          // history criteria
    EXPECT_EQ(u16(h + 196), 25);          // altitude limits, after the version-5 fields
    EXPECT_EQ(u16(h + 198), 80);
    EXPECT_EQ(bytes.substr(h + 204), sig);
}

// A version-5 block, as written before the altitude limits were saved: the fields up to the
// history criterion and then the signature. It leaves the altitude limits as they were.
TEST(FilterSettings, VersionFiveBlockLeavesTheAltitudesAsTheyWere)
{
    const FilterSettings f = Altered();
    std::string bytes = Bytes(f);
    const std::string sig = SignedStreamRecord::FilterSettings;
    const size_t trailer = 4 + sig.size();
    bytes.erase(bytes.size() - trailer - 4, 4);  // the two altitude words
    bytes[4 + sig.size()] = 5;                   // version word
    fw::imstream is(bytes);
    FilterSettings back;
    back.minAltitude = 33;
    back.maxAltitude = 44;
    back.Read(is);
    EXPECT_EQ(back.valid, 1);
    EXPECT_EQ(back.minAltitude, 33);
    EXPECT_EQ(back.maxAltitude, 44);
    EXPECT_EQ(back.typeMask, f.typeMask);
    EXPECT_EQ(back.historyCriteria, 1);
}

TEST(FilterSettings, ForeignOrCutBlocksAreNotValid)
{
    // Another block's signature: nothing more is read and the record stays.
    fw::omstream os;
    SortCriteria().Write(os);
    fw::imstream is(os.str());
    FilterSettings f = Altered();
    f.Read(is);
    EXPECT_EQ(f.valid, 0);
    EXPECT_EQ(f, Altered());
    EXPECT_EQ(is.tellg(), std::streamoff(4 + std::string(SignedStreamRecord::SortCriteria).size()));

    // Cut short or with a wrong trailer.
    const std::string bytes = Bytes(Altered());
    for (size_t cut : {bytes.size() - 1, bytes.size() / 2, size_t(60)}) {
        fw::imstream part(bytes.substr(0, cut));
        FilterSettings g;
        g.Read(part);
        EXPECT_EQ(g.valid, 0) << cut;
    }
    std::string wrong = bytes;
    wrong[wrong.size() - 1] ^= 1;
    fw::imstream w(wrong);
    FilterSettings g;
    g.Read(w);
    EXPECT_EQ(g.valid, 0);
}

TEST(SortCriteria, DefaultsAccessorsAndEquality)
{
    SortCriteria s;
    EXPECT_EQ(s.Key(1), kSortDreyerBrightness);
    EXPECT_EQ(s.Direction(1), 0);
    EXPECT_EQ(s.Key(2), kSortIgnore);
    EXPECT_EQ(s.Key(0), kSortIgnore);
    EXPECT_EQ(s.Direction(5), 0);
    ASSERT_TRUE(s.SelectList(1));
    EXPECT_EQ(s.Key(1), kSortObservationOrder);
    EXPECT_EQ(s.Direction(1), 1);
    EXPECT_FALSE(s.SelectList(2));
    EXPECT_EQ(s.list, 1);

    EXPECT_FALSE(s.SetKey(1, 13024));
    EXPECT_FALSE(s.SetKey(1, 13000));
    EXPECT_FALSE(s.SetKey(5, 13002));
    EXPECT_FALSE(s.SetDirection(1, 2));
    EXPECT_TRUE(s.SetKey(4, kSortUranometriaPage));
    EXPECT_EQ(s.keys[7], kSortUranometriaPage);

    // Only the selected list is compared.
    SortCriteria a, b;
    a.SelectList(0);
    a.SetKey(2, kSortMagnitude);
    a.SelectList(1);
    b.SelectList(1);
    EXPECT_EQ(a, b);
    b.SelectList(0);
    EXPECT_NE(a, b);

    SortCriteria c;
    c.Assign(a);
    EXPECT_EQ(c.list, 1);
    EXPECT_EQ(a.list, 1);
    c.SelectList(0);
    EXPECT_EQ(c.Key(2), kSortMagnitude);
    EXPECT_EQ(CatalogueString(kSortHerschelClass), "Herschel Class (400) ");
}

TEST(SortCriteria, BlockRoundTripAndDamage)
{
    SortCriteria s;
    s.SelectList(1);
    s.SetKey(3, kSortDiameter);
    s.SetDirection(3, 1);
    fw::omstream os;
    s.Write(os);
    ASSERT_EQ(os.str().size(), 2 * (4 + std::string(SignedStreamRecord::SortCriteria).size()) + 4 + 2 + 32);
    fw::imstream is(os.str());
    SortCriteria back;
    back.valid = 0;
    back.Read(is);
    EXPECT_EQ(back.valid, 1);
    EXPECT_EQ(back, s);
    back.SelectList(0);
    s.SelectList(0);
    EXPECT_EQ(back, s);

    fw::imstream cut(os.str().substr(0, 50));
    SortCriteria c;
    c.Read(cut);
    EXPECT_EQ(c.valid, 0);
}

TEST(ElevationWindow, SessionWidth)
{
    ElevationWindow w;
    EXPECT_EQ(w, ElevationWindow());
    w.Set(21, 0, 23, 30, 0, 90, 38);
    EXPECT_DOUBLE_EQ(w.width, 37.5);
    EXPECT_EQ(int(w.width / 2), 18);
    w.Set(23, 0, 1, 0, 10, 80, -33);
    EXPECT_DOUBLE_EQ(w.width, 30);
    EXPECT_EQ(w.minAltitude, 10);
    EXPECT_EQ(w.latitude, -33);
}

TEST(ElevationMap, CellsAgainstTheAltitudeFormula)
{
    ElevationMap map;
    ElevationWindow w;
    w.Set(21, 0, 23, 30, 0, 90, 38);
    EXPECT_EQ(map.Generate(w), 1);
    EXPECT_EQ(map.Generate(w), 0);  // unchanged window

    // Declination -60 never rises at latitude 38; +60 is circumpolar and never above 90.
    for (int c = 0; c < ElevationMap::kColumns; ++c) {
        EXPECT_EQ(map.Cell(c, 150), 0) << c;
        EXPECT_EQ(map.Cell(c, 30), 1) << c;
        EXPECT_EQ(map.Cell(c, 0), 0) << c;    // the poles' rows never pass
        EXPECT_EQ(map.Cell(c, 180), 0) << c;
    }
    EXPECT_EQ(map.Horizon(30), ElevationMap::kAlwaysAbove);
    EXPECT_EQ(map.Horizon(150), ElevationMap::kNeverRises);
    EXPECT_EQ(map.Horizon(90), 90);  // the equator sets 6 h from the meridian
    EXPECT_EQ(map.Horizon(0), ElevationMap::kAlwaysAbove);

    // Altitude limits 20..60: each cell's bit 1 agrees with the altitude at its hour angle,
    // away from the limits, and the session bit lies near the crossings.
    w.Set(21, 0, 23, 0, 20, 60, 38);
    EXPECT_EQ(map.Generate(w), 1);
    const double k = M_PI / 180;
    int checked = 0;
    for (int row = 1; row < 180; ++row) {
        const double dec = 90 - row;
        for (int c = 0; c < 361; ++c) {
            const double ha = c - 180;
            const double alt = std::asin(std::sin(dec * k) * std::sin(38 * k) +
                                         std::cos(dec * k) * std::cos(38 * k) * std::cos(ha * k)) / k;
            if (std::fabs(alt - 20) < 1.5 || std::fabs(alt - 60) < 1.5)
                continue;
            const bool inside = alt > 20 && alt < 60;
            ASSERT_EQ((map.Cell(c, row) & 1) != 0, inside) << "dec " << dec << " ha " << ha;
            ++checked;
        }
    }
    EXPECT_GT(checked, 50000);
    // Declination 0 crosses 20 degrees near hour angle 74: the crossing bit there and the
    // session bit within 15 degrees of it.
    int minimumCrossings = 0;
    for (int c = 0; c < 361; ++c)
        minimumCrossings += (map.Cell(c, 90) & ElevationMap::kCrossesMinimum) != 0;
    EXPECT_EQ(minimumCrossings, 2);
    EXPECT_NE(map.Cell(180 + 74 - 14, 90) & ElevationMap::kCrossedInSession, 0);
    EXPECT_EQ(map.Cell(180, 90) & ElevationMap::kCrossedInSession, 0);

    // Changing only the latitude regenerates.
    w.latitude = 40;
    EXPECT_EQ(map.Generate(w), 1);
}

TEST(ElevationMap, LookupEdgesAndPoles)
{
    ElevationMap map;
    ElevationWindow w;
    w.Set(21, 0, 23, 30, 0, 90, 38);
    map.Generate(w);
    // Reference - RA = 12 h gives column 360 (off the grid), -12 h column 0.
    EXPECT_EQ(map.Lookup(0, 60, 12), 0);
    EXPECT_EQ(map.Lookup(0, 60, 24), 1);  // column 540, taken as 180
    EXPECT_EQ(map.Lookup(12, 60, 0), 1);
    EXPECT_EQ(map.Lookup(5, 60, 5), 1);  // on the meridian
    EXPECT_EQ(map.Lookup(5, -90, 5), 0);

    // At the north pole every declination keeps its altitude.
    ElevationWindow pole;
    pole.Set(21, 0, 23, 30, 10, 50, 90);
    map.Generate(pole);
    EXPECT_EQ(map.Lookup(3, 30, 7), 1);
    EXPECT_EQ(map.Lookup(3, 5, 7), 0);
    EXPECT_EQ(map.Lookup(3, 70, 7), 0);
    // Limits far outside any altitude (a damaged record) stay inside the grid.
    ElevationWindow wild;
    wild.Set(21, 0, 23, 30, -3000, 3000, -90);
    map.Generate(wild);
    map.Reset();
    EXPECT_TRUE(map.Forced());
    EXPECT_EQ(map.Cell(100, 100), 1);
}

TEST(Browser, MovesClampAndWrap)
{
    Browser b;
    EXPECT_EQ(b.First(), 0);
    EXPECT_EQ(b.StateOf(0), Browser::kEmpty);
    EXPECT_EQ(b.Previous(), 0);
    EXPECT_EQ(b.Last(), 0);
    EXPECT_EQ(b.StateOf(0), Browser::kEmpty);

    b.SetCount(1);
    for (int i : {b.First(), b.Next(), b.Previous(), b.Last(), b.GoTo(3)})
        EXPECT_EQ(i, 0);
    EXPECT_EQ(b.StateOf(0), Browser::kSingle);

    b.SetCount(5);
    EXPECT_EQ(b.GoTo(4), 4);
    EXPECT_EQ(b.Next(), 4);
    EXPECT_EQ(b.StateOf(0), Browser::kAtLast);
    EXPECT_EQ(b.First(), 0);
    EXPECT_EQ(b.StateOf(0), Browser::kAtFirst);
    EXPECT_EQ(b.Previous(), 4);  // wraps to the last entry
    EXPECT_EQ(b.GoTo(7), 4);
    EXPECT_EQ(b.GoTo(2), 2);
    EXPECT_EQ(b.StateOf(0), Browser::kInMiddle);
    b.SetCount(2);
    EXPECT_EQ(b.Index(), 1);

    EXPECT_FALSE(b.SelectList(3));
    EXPECT_EQ(b.Selected(), 0);
    ASSERT_TRUE(b.SelectList(2));
    EXPECT_EQ(b.Count(), 0);
    EXPECT_EQ(b.CountOf(0), 2);
}

TEST(Browser, AssignCopiesListsOneAndTwo)
{
    Browser a, b;
    a.SetCount(9);
    a.GoTo(3);
    a.SelectList(1);
    a.SetCount(6);
    a.GoTo(5);
    a.SelectList(2);
    a.SetCount(4);
    a.GoTo(2);
    b.Assign(a);
    EXPECT_EQ(b.CountOf(0), 0);
    EXPECT_EQ(b.CountOf(1), 6);
    EXPECT_EQ(b.IndexOf(1), 5);
    EXPECT_EQ(b.IndexOf(2), 2);
    EXPECT_EQ(b.Selected(), 2);
}

TEST(Browser, BlockIsTakenOnlyWhenWhole)
{
    Browser a;
    a.SetCount(12);
    a.GoTo(7);
    a.SelectList(1);
    a.SetCount(3);
    a.GoTo(1);
    fw::omstream os;
    a.Write(os);
    const std::string bytes = os.str();
    {
        fw::imstream is(bytes);
        Browser b;
        ASSERT_TRUE(b.Read(is, 13226));
        EXPECT_EQ(b.Selected(), 1);
        EXPECT_EQ(b.CountOf(0), 12);
        EXPECT_EQ(b.IndexOf(0), 7);
        EXPECT_EQ(b.StateOf(0), Browser::kInMiddle);
        EXPECT_EQ(b.IndexOf(1), 1);
    }
    // The selection, a count and an index, each out of range, and a cut block.
    const size_t head = 4 + std::string(SignedStreamRecord::BrowserClass).size() + 4;
    struct Case { size_t offset; std::uint32_t value; };
    for (const Case& c : {Case{head, 3}, Case{head + 4 + 8, 13227}, Case{head + 4 + 8, 0xFFFFFFFF},
                          Case{head + 4, 12}, Case{head + 4 + 12, 0xFFFFFFFF}, Case{head + 4 + 24, 5}}) {
        std::string damaged = bytes;
        for (int i = 0; i < 4; ++i)
            damaged[c.offset + i] = char((c.value >> (8 * i)) & 0xFF);
        fw::imstream is(damaged);
        Browser b;
        b.SetCount(2);
        EXPECT_FALSE(b.Read(is, 13226)) << c.offset;
        EXPECT_EQ(b.CountOf(0), 2);
        EXPECT_EQ(b.Selected(), 0);
    }
    fw::imstream cut(bytes.substr(0, head + 20));
    Browser b;
    EXPECT_FALSE(b.Read(cut, 13226));

    // The observing log may hold more entries than the catalogue has rows.
    a.SelectList(2);
    a.SetCount(20000);
    a.GoTo(15000);
    fw::omstream longLog;
    a.Write(longLog);
    fw::imstream is(longLog.str());
    ASSERT_TRUE(b.Read(is, 13226));
    EXPECT_EQ(b.CountOf(2), 20000);
    EXPECT_EQ(b.IndexOf(2), 15000);
}
