// Every filter criterion on the delivered catalogue against objects checked by hand, the
// stage caches, and the elevation criterion against altitudes computed directly.
#include "CatalogueDatabaseFixture.h"

#include "astro/ConstellationTable.h"
#include "catalog/ElevationMap.h"
#include "catalog/SAC110.h"

#include <cmath>
#include <cstring>

namespace {

using namespace ObjectFlag;

// Settings with only the given criteria switched on.
FilterSettings Only(std::int32_t enabled)
{
    FilterSettings f;
    f.SetEnabledCriteria(enabled);
    return f;
}

int ConstellationCode(const char* abbreviation)
{
    for (int c = 0; c < 88; ++c)
        if (std::strcmp(ConstellationAbbreviation(c), abbreviation) == 0)
            return c;
    return -1;
}

constexpr double kDeg = M_PI / 180;

// Altitude in degrees of a J2000 position at a local sidereal time (hours).
double Altitude(double raHours, double decDeg, double latDeg, double lstHours)
{
    const double ha = (lstHours - raHours) * 15 * kDeg;
    return std::asin(std::sin(decDeg * kDeg) * std::sin(latDeg * kDeg) +
                     std::cos(decDeg * kDeg) * std::cos(latDeg * kDeg) * std::cos(ha)) /
           kDeg;
}

} // namespace

TEST_F(CatalogueDatabase, FirstStartListsEveryObjectSilently)
{
    EXPECT_EQ(boxes_.Count(), 0);
    EXPECT_EQ(db_->CountOf(Browser::kFilteredList), CatalogueRowCount);
    const FilterSettings f = db_->GetFilterSettings();
    EXPECT_EQ(f.passCounts[FilterSettings::kPassAll], CatalogueRowCount);
    // The elevation stage still marks and counts, although no criterion is on.
    EXPECT_GT(f.passCounts[FilterSettings::kPassElevation], 1000);
    EXPECT_LT(f.passCounts[FilterSettings::kPassElevation], CatalogueRowCount);
    EXPECT_EQ(f.passCounts[FilterSettings::kPassHistory], 0);
    EXPECT_EQ(f.passCounts[FilterSettings::kPassType],
              CountRows([](int r) { return NGCTable.type[r] <= 4; }));
    EXPECT_FALSE(std::filesystem::exists(dir_.file("indexes.rsx")));
    EXPECT_FALSE(db_->ObservingListChanged());
    Close();
    EXPECT_TRUE(std::filesystem::exists(dir_.file("indexes.rsx")));

    // A start without the file begins with an empty observing list, whatever the flag words
    // held before.
    std::filesystem::remove(dir_.file("indexes.rsx"));
    ObjectFlags[Row(Ngc(1))] |= kObservingList;
    Open();
    EXPECT_EQ(boxes_.Count(), 0);
    EXPECT_FALSE(db_->IsOnObservingList(Ngc(1)));
    EXPECT_EQ(db_->AddToObservingList(Ngc(1)), 1);
}

TEST_F(CatalogueDatabase, ConstellationAndPositionWindow)
{
    const int scl = ConstellationCode("Scl");
    const int andromeda = ConstellationCode("And");
    FilterSettings f = Only(kPositionGroup);
    f.positionCriteria = kConstellation;
    f.constellations.Clear();
    f.constellations.Add(scl);
    f.constellations.Add(andromeda);
    const int n = Apply(f);
    EXPECT_EQ(n, CountRows([&](int r) { return NGCTable.constellation[r] == scl || NGCTable.constellation[r] == andromeda; }));
    EXPECT_TRUE(OnFilteredList(Ngc(253)));   // Sculptor Galaxy
    EXPECT_TRUE(OnFilteredList(Ngc(224)));   // Andromeda Galaxy
    EXPECT_FALSE(OnFilteredList(Ngc(1976))); // Orion Nebula
    EXPECT_EQ(db_->GetFilterSettings().passCounts[FilterSettings::kPassConstellation], n);

    // RA window through 0 h, 22 h to 2 h, bounds inclusive, and a declination band.
    f.positionCriteria = kRaDec;
    f.raMin = 22;
    f.raMax = 2;
    f.decMin = -30;
    f.decMax = 60;
    const int window = Apply(f);
    EXPECT_EQ(window, CountRows([](int r) {
                  const double ra = NGCTable.ra[r], dec = NGCTable.dec[r];
                  return (ra >= 22 || ra <= 2) && dec >= -30 && dec <= 60;
              }));
    EXPECT_TRUE(OnFilteredList(Ngc(224)));    // 0h 42.7m
    EXPECT_TRUE(OnFilteredList(Ngc(7789)));   // 23h 57m, +56 44'
    EXPECT_TRUE(OnFilteredList(Ngc(253)));    // -25 17'
    EXPECT_FALSE(OnFilteredList(Ngc(7790)));  // +61 13': north of the band
    EXPECT_FALSE(OnFilteredList(Ngc(1976)));  // 5h 35m
    const int atTwo = CountRows([](int r) { return NGCTable.ra[r] == 2.0f && NGCTable.dec[r] >= -30 && NGCTable.dec[r] <= 60; });
    f.raMax = 1.99999;
    EXPECT_EQ(Apply(f), window - atTwo);

    // Both position criteria together; then the whole sky.
    f.raMax = 2;
    f.positionCriteria = kRaDec | kConstellation;
    EXPECT_EQ(Apply(f), CountRows([&](int r) {
                  const double ra = NGCTable.ra[r], dec = NGCTable.dec[r];
                  const int c = NGCTable.constellation[r];
                  return (ra >= 22 || ra <= 2) && dec >= -30 && dec <= 60 && (c == scl || c == andromeda);
              }));
    const int both = db_->CountOf(0);
    EXPECT_EQ(db_->GetFilterSettings().passCounts[FilterSettings::kPassPosition], both);
    // Changing only which members are in force recounts the group without any stage.
    f.positionCriteria = kConstellation;
    EXPECT_EQ(Apply(f), n);
    EXPECT_EQ(db_->GetFilterSettings().passCounts[FilterSettings::kPassPosition], n);

    f.positionCriteria = kRaDec;
    f.raMin = 0;
    f.raMax = 24;
    f.decMin = -90;
    f.decMax = 90;
    EXPECT_EQ(Apply(f), CatalogueRowCount);
}

// At the current moment: the map's verdict agrees with the altitude of every object not
// within 1.5 degrees of a limit (the map works in whole degrees).
TEST_F(CatalogueDatabase, ElevationAtTheCurrentMomentMatchesAltitudes)
{
    FilterSettings f = Only(kPositionGroup);
    f.positionCriteria = kElevation;
    f.elevationMode = 1;
    f.minAltitude = 20;
    f.maxAltitude = 70;
    const int n = Apply(f);
    const double lst = std::fmod(site_.LocalSiderealTime(now_).Hours() + 48, 24);
    int checked = 0, within = 0;
    for (int r = 0; r < CatalogueRowCount; ++r) {
        const double alt = Altitude(NGCTable.ra[r], NGCTable.dec[r], 38.9, lst);
        if (std::fabs(alt - 20) < 1.5 || std::fabs(alt - 70) < 1.5 || std::fabs(NGCTable.dec[r]) > 88.5)
            continue;
        ++checked;
        within += alt > 20 && alt < 70;
        ASSERT_EQ((ObjectFlags[r] & kElevation) != 0, alt > 20 && alt < 70)
            << "row " << r << " altitude " << alt;
    }
    EXPECT_GT(checked, 12000);
    EXPECT_NEAR(n, within, 400);
    // By hand: at 03:00 UT on 16 October the local sidereal time is about 23h 27m; M31,
    // 1h 16m east of the meridian, stands about 75 degrees up (above the 70 degree limit),
    // M33 about 64 degrees, the Orion Nebula has not risen and Eta Carinae never rises.
    EXPECT_NEAR(lst, 23.45, 0.1);
    EXPECT_NEAR(Altitude(0.7117, 41.27, 38.9, lst), 75.2, 1);
    EXPECT_FALSE(OnFilteredList(Ngc(224)));
    EXPECT_TRUE(OnFilteredList(Ngc(598)));
    EXPECT_FALSE(OnFilteredList(Ngc(1976)));
    EXPECT_FALSE(OnFilteredList(Ngc(3372)));
    f.maxAltitude = 90;
    Apply(f);
    EXPECT_TRUE(OnFilteredList(Ngc(224)));
}

// During the session 21:00 to 23:30: objects that set during it pass through the crossing
// bit; objects below the minimum all session long fail.
TEST_F(CatalogueDatabase, ElevationDuringTheSessionTakesCrossings)
{
    FilterSettings f = Only(kPositionGroup);
    f.positionCriteria = kElevation;
    f.elevationMode = 2;
    f.minAltitude = 10;
    f.maxAltitude = 90;
    Apply(f);
    // Session start and end on the evening of 15 October, local time.
    const JulianDate start = site_.LocalToUT(TimeDate(2026, 10, 15, 21, 0, 0));
    const JulianDate end = site_.LocalToUT(TimeDate(2026, 10, 15, 23, 30, 0));
    const double lstStart = std::fmod(site_.LocalSiderealTime(start).Hours() + 48, 24);
    const double lstEnd = std::fmod(site_.LocalSiderealTime(end).Hours() + 48, 24);
    int setting = 0, below = 0;
    for (int r = 0; r < CatalogueRowCount; ++r) {
        const double a0 = Altitude(NGCTable.ra[r], NGCTable.dec[r], 38.9, lstStart);
        const double a1 = Altitude(NGCTable.ra[r], NGCTable.dec[r], 38.9, lstEnd);
        const double mid = Altitude(NGCTable.ra[r], NGCTable.dec[r], 38.9, std::fmod(lstStart + 1.25, 24));
        if ((a0 > 13 && a1 < 7) || (a0 < 7 && a1 > 13)) {
            ++setting;
            EXPECT_TRUE(ObjectFlags[r] & kElevation) << "row " << r << " crosses 10 degrees";
        } else if (a0 < 7 && a1 < 7 && mid < 7) {
            ++below;
            EXPECT_FALSE(ObjectFlags[r] & kElevation) << "row " << r << " stays down";
        }
    }
    EXPECT_GT(setting, 500);
    EXPECT_GT(below, 3000);
    const int withCrossings = db_->GetFilterSettings().passCounts[FilterSettings::kPassElevation];
    f.elevationMode = 0;  // the middle of the session only
    Apply(f);
    EXPECT_LT(db_->GetFilterSettings().passCounts[FilterSettings::kPassElevation], withCrossings);
}

// The elevation stage follows the clock, a new night and a new site; a forced filtering
// reruns every stage.
TEST_F(CatalogueDatabase, ElevationFollowsClockAndSiteAndForceReruns)
{
    FilterSettings f = Only(kPositionGroup);
    f.positionCriteria = kElevation;
    f.elevationMode = 1;
    f.minAltitude = 0;
    Apply(f);
    EXPECT_TRUE(OnFilteredList(Ngc(7293)));
    EXPECT_FALSE(OnFilteredList(Ngc(1976)));

    now_ = now_ + 8.0 / 24;  // 07:00 local: the Helix Nebula has set, Orion is up
    db_->Refilter();
    EXPECT_FALSE(OnFilteredList(Ngc(7293)));
    EXPECT_TRUE(OnFilteredList(Ngc(1976)));

    // Session mode: the next night shifts the sidereal time by about 4 minutes, which moves
    // at least the objects at the edges.
    f.elevationMode = 0;
    Apply(f);
    const std::uint16_t before = ObjectFlags[Row(Ngc(224))];
    const double reference = db_->GetFilterSettings().elevationWindow.width;
    now_ = now_ + 40.0;
    db_->Refilter();
    const int later = db_->GetFilterSettings().passCounts[FilterSettings::kPassElevation];
    now_ = now_ - 40.0;
    db_->Refilter();
    EXPECT_NE(db_->GetFilterSettings().passCounts[FilterSettings::kPassElevation], later);
    EXPECT_EQ(ObjectFlags[Row(Ngc(224))], before);
    EXPECT_EQ(db_->GetFilterSettings().elevationWindow.width, reference);

    // A site 90 degrees further west sees the sky of six hours earlier.
    f.elevationMode = 1;
    Apply(f);
    EXPECT_FALSE(OnFilteredList(Ngc(7293)));
    site_.SetPosition(Angle(167.0, Angle::kDegrees), Angle(38.9, Angle::kDegrees), Distance());
    db_->Refilter();
    EXPECT_TRUE(OnFilteredList(Ngc(7293)));

    // Forcing reruns a stage whose parameters did not change.
    FilterSettings b = Only(kBrightnessGroup);
    b.brightnessCriteria = 0x2;
    b.dreyerBrightnessMask = 0x1800;  // code 12 only
    EXPECT_EQ(Apply(b), 1);
    NGCTable.brightness[Row(Ngc(598))] = 12;
    EXPECT_EQ(Apply(b), 1);  // unchanged settings: the cache answers
    EXPECT_EQ(Apply(b, true), 2);
}

TEST_F(CatalogueDatabase, DreyerBrightnessAndMagnitude)
{
    FilterSettings f = Only(kBrightnessGroup);
    f.brightnessCriteria = 0x2;
    f.dreyerBrightnessMask = 0x1000 | 0x800;  // "Most Extremely Bright" only
    EXPECT_EQ(Apply(f), 1);
    EXPECT_TRUE(OnFilteredList(Ngc(224)));
    f.dreyerBrightnessMask = 0x1000 | 0xC00;  // and "Extremely Bright"
    EXPECT_EQ(Apply(f), 5);
    EXPECT_TRUE(OnFilteredList(Ngc(598)));
    EXPECT_TRUE(OnFilteredList(Ngc(6205)));
    // Objects without a brightness code pass unless bit 0x1000 is set.
    f.dreyerBrightnessMask = 0;
    EXPECT_EQ(Apply(f), CountRows([](int r) { return NGCTable.brightness[r] == 0; }));
    EXPECT_TRUE(OnFilteredList(Ngc(1976)));
    f.dreyerBrightnessMask = 0x1FFF;
    EXPECT_EQ(Apply(f), CountRows([](int r) { return NGCTable.brightness[r] != 0; }));

    // Magnitude: photographic values count with the 1000 removed; bounds exclusive.
    f.brightnessCriteria = 0x1;
    f.magnitudeMin = 10.5;
    f.magnitudeMax = 11.5;
    Apply(f);
    EXPECT_TRUE(OnFilteredList(Ngc(40)));     // photographic 11
    EXPECT_FALSE(OnFilteredList(Ngc(224)));   // visual 3.5
    EXPECT_TRUE(OnFilteredList(Ngc(7293)));   // no magnitude: passes
    f.brightnessCriteria = 0x1 | 0x4;
    Apply(f);
    EXPECT_FALSE(OnFilteredList(Ngc(7293)));  // no magnitude: fails now
    f.magnitudeMin = 0;
    f.magnitudeMax = 3.5;
    Apply(f);
    EXPECT_FALSE(OnFilteredList(Ngc(224)));   // exactly 3.5 fails
    f.magnitudeMax = 4.5;
    Apply(f);
    EXPECT_TRUE(OnFilteredList(Ngc(224)));
    EXPECT_TRUE(OnFilteredList(Ngc(869)));    // photographic 4
    EXPECT_EQ(db_->CountOf(0), CountRows([](int r) {
                  double m = NGCTable.magnitude[r];
                  m = m > 500 ? m - 1000 : m;
                  return m != 0 && m > 0 && m < 4.5;
              }));

    // The group: both criteria must hold.
    f.brightnessCriteria = 0x1 | 0x2;
    f.dreyerBrightnessMask = 0x1800;
    f.magnitudeMax = 3.0;
    EXPECT_EQ(Apply(f), 0);
}

TEST_F(CatalogueDatabase, DreyerSizeAndDiameter)
{
    FilterSettings f = Only(kSizeGroup);
    f.sizeCriteria = 0x4;
    f.dreyerSizeMask = 0x1000 | 0x800;  // "Most Extremely Large"
    EXPECT_EQ(Apply(f), 17);
    EXPECT_TRUE(OnFilteredList(Ngc(7000)));   // North America Nebula
    EXPECT_FALSE(OnFilteredList(Ngc(224)));   // "Extremely Large"

    // Diameter in degrees, bounds exclusive; M31 is 178'.
    f.sizeCriteria = 0x8;
    f.diameterMin = 2.9;
    f.diameterMax = 3.0;
    Apply(f);
    EXPECT_TRUE(OnFilteredList(Ngc(224)));
    EXPECT_FALSE(OnFilteredList(Ngc(7000)));  // 120'
    f.diameterMin = 1.0;
    EXPECT_EQ(Apply(f), CountRows([](int r) { return NGCTable.diameter[r] == 0 || (NGCTable.diameter[r] > 60 && NGCTable.diameter[r] < 180); }));
    f.sizeCriteria = 0x8 | 0x2;  // objects without a diameter fail
    EXPECT_EQ(Apply(f), CountRows([](int r) { return NGCTable.diameter[r] > 60 && NGCTable.diameter[r] < 180; }));
    EXPECT_TRUE(OnFilteredList(Ngc(7000)));

    // Switching the diameter criterion off and the Dreyer size criterion on again only
    // rebuilds the list: a change to the table behind the cache's back is not seen.
    NGCTable.diameter[Row(Ngc(7000))] = 5;
    f.sizeCriteria = 0x4 | 0x2;
    Apply(f);
    f.sizeCriteria = 0x8 | 0x2;
    Apply(f);
    EXPECT_TRUE(OnFilteredList(Ngc(7000)));
}

TEST_F(CatalogueDatabase, NameAndListCriteria)
{
    FilterSettings f = Only(kName);
    struct Case { std::int32_t criteria; int count; std::vector<ObjectId> in, out; };
    const Case cases[] = {
        {0x8, 106, {Ngc(224), Ngc(205), Ic(4725), Ngc(7654)}, {Ngc(1), Ic(4726)}},
        {0x2, 400, {Ngc(40), Ngc(7790), Ngc(253), Ngc(7789)}, {Ngc(224), Ngc(1)}},
        {0x20, SAC110().Count(), {Ngc(40), Ngc(7789)}, {Ngc(7790), Ngc(224)}},
        {0x2 | 0x20, -1, {Ngc(40), Ngc(7789)}, {Ngc(7790), Ngc(224)}},
        {0x1, -1, {Ngc(224), Ngc(104), Ngc(4038), Ngc(6822)}, {Ngc(1), Ngc(40)}},
        {0x4, 5386, {Ic(434)}, {Ngc(224)}},
        {0x10, 7840, {Ngc(224)}, {Ic(434)}},
        {0x4 | 0x10, 0, {}, {Ngc(224), Ic(434)}},
        {0, CatalogueRowCount, {Ngc(1)}, {}},
    };
    for (const Case& c : cases) {
        f.nameCriteria = c.criteria;
        const int n = Apply(f);
        if (c.count >= 0) {
            EXPECT_EQ(n, c.count) << std::hex << c.criteria;
        }
        EXPECT_EQ(db_->GetFilterSettings().passCounts[FilterSettings::kPassName], n);
        for (ObjectId id : c.in)
            EXPECT_TRUE(OnFilteredList(id)) << std::hex << c.criteria << " " << id.Name();
        for (ObjectId id : c.out)
            EXPECT_FALSE(OnFilteredList(id)) << std::hex << c.criteria << " " << id.Name();
    }
}

TEST_F(CatalogueDatabase, ShapeAndType)
{
    // Shape 13 "Very Much Extended": M31 among 119 objects; the observed mark does not
    // change an object's shape, and a marked object without a shape code is still one
    // without a code.
    FilterSettings f = Only(kShape);
    f.shapeMask = 0x4000 | 1 << 12;
    EXPECT_EQ(Apply(f), 119);
    NGCTable.shape[Row(Ngc(224))] |= ObservedMark;
    NGCTable.shape[Row(Ngc(7000))] |= ObservedMark;  // no shape code
    EXPECT_EQ(Apply(f, true), 119);
    EXPECT_TRUE(OnFilteredList(Ngc(224)));
    f.shapeMask = 0x4000 | 0x3FFF;
    Apply(f);
    EXPECT_FALSE(OnFilteredList(Ngc(7000)));
    EXPECT_TRUE(OnFilteredList(Ngc(224)));
    f.shapeMask = 0;
    Apply(f);
    EXPECT_TRUE(OnFilteredList(Ngc(7000)));
    EXPECT_FALSE(OnFilteredList(Ngc(224)));
    f.shapeMask = -1;  // every bit, the high ones too: no undefined shift
    EXPECT_EQ(Apply(f), CountRows([](int r) { return (NGCTable.shape[r] & 0x7F) != 0; }));

    // Type: planetary nebulae (4) only.
    f = Only(kType);
    f.typeMask = 1 << 4;
    EXPECT_EQ(Apply(f), 134);
    EXPECT_TRUE(OnFilteredList(Ngc(40)));
    EXPECT_TRUE(OnFilteredList(Ngc(7293)));
    EXPECT_FALSE(OnFilteredList(Ngc(224)));
    f.typeMask = 31;  // the defaults, types 0 to 4
    EXPECT_EQ(Apply(f), CountRows([](int r) { return NGCTable.type[r] <= 4; }));
}

TEST_F(CatalogueDatabase, ObservingHistoryWhileTheLogIsOpen)
{
    NGCTable.shape[Row(Ngc(224))] |= ObservedMark;
    NGCTable.shape[Row(Ngc(598))] |= ObservedMark;
    FilterSettings f = Only(kHistory);
    // No log open: the criterion has no effect and no count.
    EXPECT_EQ(Apply(f), CatalogueRowCount);
    EXPECT_EQ(db_->GetFilterSettings().passCounts[FilterSettings::kPassHistory], 0);

    ObservingLogOpen = true;
    EXPECT_EQ(Apply(f, true), 2);
    EXPECT_TRUE(OnFilteredList(Ngc(224)));
    EXPECT_EQ(db_->GetFilterSettings().passCounts[FilterSettings::kPassHistory], 2);
    f.historyCriteria = 1;  // never recorded
    EXPECT_EQ(Apply(f), CatalogueRowCount - 2);
    EXPECT_FALSE(OnFilteredList(Ngc(598)));

    // The log marks another object and drops the stage's cache bit.
    NGCTable.shape[Row(Ngc(1))] |= ObservedMark;
    db_->ClearStageCacheBits(NGC2000Indexes::kHistoryStage);
    EXPECT_EQ(db_->Refilter(), CatalogueRowCount - 3);

    // The log closes and opens again: the count is the objects that pass, not the 0 shown
    // while no log was open.
    ObservingLogOpen = false;
    EXPECT_EQ(db_->Refilter(), CatalogueRowCount);
    EXPECT_EQ(db_->GetFilterSettings().passCounts[FilterSettings::kPassHistory], 0);
    ObservingLogOpen = true;
    EXPECT_EQ(db_->Refilter(), CatalogueRowCount - 3);
    EXPECT_EQ(db_->GetFilterSettings().passCounts[FilterSettings::kPassHistory], CatalogueRowCount - 3);
}

TEST_F(CatalogueDatabase, EveryCriterionAtOnce)
{
    ObservingLogOpen = true;
    FilterSettings f = Only(kAllCriteria);
    f.positionCriteria = kPositionGroup;
    f.brightnessCriteria = 0x3;
    f.sizeCriteria = 0xC;
    f.raMin = 22;
    f.raMax = 2;
    f.decMin = 0;
    f.decMax = 50;
    f.elevationMode = 1;
    f.dreyerBrightnessMask = 0xFFF;
    f.magnitudeMin = 0;
    f.magnitudeMax = 9;
    f.dreyerSizeMask = 0xFFF;
    f.diameterMin = 0.15;
    f.diameterMax = 3;
    f.nameCriteria = 0x8;
    f.shapeMask = 0x7FFF;
    f.historyCriteria = 1;
    f.typeMask = 1;  // galaxies
    Apply(f);
    // M31, M33 and M110 (17.4') are the Messier galaxies of that window that are up,
    // brighter than 9 and larger than 9'; M32 (7.6') is too small, M74 (9.2) too faint.
    EXPECT_EQ(db_->CountOf(0), 3);
    EXPECT_TRUE(OnFilteredList(Ngc(224)));
    EXPECT_TRUE(OnFilteredList(Ngc(598)));
    EXPECT_TRUE(OnFilteredList(Ngc(205)));
    EXPECT_FALSE(OnFilteredList(Ngc(221)));
    const FilterSettings applied = db_->GetFilterSettings();
    EXPECT_EQ(applied.passCounts[FilterSettings::kPassAll], db_->CountOf(0));
    for (int p = 0; p < db_->CountOf(0); ++p)
        EXPECT_EQ(ObjectFlags[FilteredList[p]] & kAllCriteria, kAllCriteria);
}
