// Sorting the lists by every key on the delivered catalogue, the range of every key, and the
// question before a long sort by local rise or set time.
#include "CatalogueDatabaseFixture.h"

#include "catalog/AtlasReference.h"
#include "catalog/CatalogueStrings.h"
#include "catalog/ElevationMap.h"
#include "catalog/NamedObjects.h"
#include "catalog/SessionTime.h"
#include "catalog/SortKeys.h"
#include "framework/gui/Gauge.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

#include <cmath>
#include <functional>

namespace {

// Messier objects only: a known sample of 106 entries.
FilterSettings MessierOnly()
{
    FilterSettings f;
    f.SetEnabledCriteria(ObjectFlag::kName);
    f.nameCriteria = 0x8;
    return f;
}

// A slice of the sky from pole to pole: RA 10h 00m to 10h 36m.
FilterSettings SliceFromPoleToPole()
{
    FilterSettings f;
    f.SetEnabledCriteria(ObjectFlag::kPositionGroup);
    f.positionCriteria = ObjectFlag::kRaDec;
    f.raMin = 10;
    f.raMax = 10.6;
    f.decMin = -90;
    f.decMax = 90;
    return f;
}

SortCriteria Keys(std::vector<std::pair<int, int>> keys, int list = 0)
{
    SortCriteria s;
    s.SelectList(list);
    for (int n = 1; n <= 4; ++n) {
        s.SetKey(n, n <= int(keys.size()) ? keys[n - 1].first : kSortIgnore);
        s.SetDirection(n, n <= int(keys.size()) ? keys[n - 1].second : 0);
    }
    return s;
}

double MagnitudeOf(int row)
{
    const double m = NGCTable.magnitude[row];
    return m > 500 ? m - 1000 : m;
}

} // namespace

// Every key of every row, in both directions, lies within the key's range, so that no key
// reaches into the one above it.
TEST_F(CatalogueDatabase, EveryKeyStaysWithinItsRange)
{
    SortKeys::Context c;
    c.midnightSiderealDegrees = 200;
    c.sessionSiderealHours = 22.5;
    c.latitudeDegrees = 38.9;
    c.sinLatitude = std::sin(38.9 * M_PI / 180);
    c.cosLatitude = std::cos(38.9 * M_PI / 180);
    c.map = &TheElevationMap;
    c.names = db_->Names();
    for (int code = kSortIgnore; code < kSortEndOfOptions; ++code) {
        const int range = SortKeys::Range(code);
        for (int r = 0; r < CatalogueRowCount; ++r) {
            const int v = SortKeys::Value(code, r, c);
            ASSERT_GE(v, 0) << CatalogueString(code) << " row " << r;
            ASSERT_LT(v, range) << CatalogueString(code) << " row " << r;
            for (int d : {0, 1}) {
                const int directed = SortKeys::Directed(code, d, v);
                ASSERT_GE(directed, 0) << CatalogueString(code);
                ASSERT_LT(directed, range) << CatalogueString(code);
            }
        }
    }
    // The marked shape sorts with its unmarked code.
    const int row = Row(Ngc(224));
    const int shape = SortKeys::Value(kSortDreyerShape, row, c);
    NGCTable.shape[row] |= ObservedMark;
    EXPECT_EQ(SortKeys::Value(kSortDreyerShape, row, c), shape);
    EXPECT_EQ(shape, 13);
}

// Each key orders the Messier sample by the column or table it names, in both directions.
TEST_F(CatalogueDatabase, SortsTheMessierSampleByEveryKey)
{
    ASSERT_EQ(Apply(MessierOnly()), 106);
    const NamedObjects* names = db_->Names();
    const double midnightLst = SessionTime::SiderealHours(site_.MidnightOfNight(now_));
    auto number = [](int r) { return double(NGCTable.catalogueNumber[r]); };
    struct Case {
        int code;
        std::function<double(int)> value;
    };
    const Case cases[] = {
        {kSortConstellation, [](int r) { return double(NGCTable.constellation[r]); }},
        {kSortObjectType, [](int r) { return double(NGCTable.type[r]); }},
        {kSortDreyerBrightness, [](int r) { return double(NGCTable.brightness[r]); }},
        {kSortDreyerSize, [](int r) { return double(NGCTable.size[r]); }},
        {kSortDreyerShape, [](int r) { return double(NGCTable.shape[r] & 0x7F); }},
        {kSortNumber, number},
        {kSortRightAscension, [](int r) { return double(NGCTable.ra[r]); }},
        {kSortDeclination, [](int r) { return double(NGCTable.dec[r]); }},
        {kSortMagnitude, [](int r) { return MagnitudeOf(r); }},
        {kSortDiameter, [](int r) { return double(NGCTable.diameter[r]); }},
        {kSortMessierNumber, [&](int r) { return double(NamedObjects::MessierNumber(int(number(r)))); }},
        {kSortHerschelNumber, [&](int r) { return double(NamedObjects::HerschelNumber(int(number(r)))); }},
        {kSortHerschelClass, [&](int r) { return double(NamedObjects::HerschelClass(int(number(r)))); }},
        {kSortCommonName, [&](int r) {
             const int k = int(number(r));
             return double(names->CommonNamePosition(ObjectId::FromCatalogue(1, k > 10000 ? k - 2160 : k)));
         }},
        {kSortSkyAtlasChart, [](int r) { AtlasReference a; return double(a.SkyAtlasChart(NGCTable.ra[r], NGCTable.dec[r])); }},
        {kSortUranometriaPage, [](int r) { AtlasReference a; return double(a.UranometriaPage(NGCTable.ra[r], NGCTable.dec[r])); }},
        // Transit: hours after the noon before midnight at which the hour angle is 0.
        {kSortTransitLMT, [&](int r) {
             return std::fmod(NGCTable.ra[r] - midnightLst + 12 + 48, 24);
         }},
    };
    for (const Case& c : cases) {
        for (int direction : {1, 0}) {
            db_->SetSortCriteria(Keys({{c.code, direction}}), true);
            ASSERT_EQ(db_->CountOf(0), 106);
            for (int p = 1; p < 106; ++p) {
                const double a = c.value(FilteredList[p - 1]), b = c.value(FilteredList[p]);
                // Values that fall into one step of the key may come in either order.
                const double slack = c.code == kSortTransitLMT ? 0.011 : c.code == kSortDiameter ? 0.1
                                   : c.code == kSortMagnitude ? 0.1 : c.code == kSortRightAscension || c.code == kSortDeclination ? 0.001 : 0;
                if (direction == 1) {
                    ASSERT_LE(a, b + slack) << CatalogueString(c.code) << " ascending at " << p;
                } else {
                    ASSERT_GE(a + slack, b) << CatalogueString(c.code) << " descending at " << p;
                }
            }
        }
    }
    // By Messier number ascending the list runs M 1 (NGC 1952), M 2, ... M 110 last.
    db_->SetSortCriteria(Keys({{kSortMessierNumber, 1}}), true);
    EXPECT_EQ(db_->CurrentObject(), Ngc(1952));
    EXPECT_EQ(db_->LastObject(), Ngc(205));
}

// The whole delivered catalogue by magnitude and by diameter: both columns step in tenths,
// and a single-precision tenth (8.7 held as 8.6999998) must not share a key with the tenth
// below it, so the order is exact to the tenth in both directions.
TEST_F(CatalogueDatabase, MagnitudeAndDiameterSortExactlyOnTheRealCatalogue)
{
    ASSERT_EQ(db_->CountOf(0), CatalogueRowCount);
    const auto tenths = [](double v) { return long(std::lround(v * 10)); };
    struct Case {
        int code;
        double (*value)(int row);
    };
    const Case cases[] = {
        {kSortMagnitude, [](int r) { return MagnitudeOf(r); }},
        {kSortDiameter, [](int r) { return double(NGCTable.diameter[r]); }},
    };
    for (const Case& c : cases) {
        for (int direction : {1, 0}) {
            db_->SetSortCriteria(Keys({{c.code, direction}}), true);
            ASSERT_EQ(db_->CountOf(0), CatalogueRowCount);
            int outOfOrder = 0;
            for (int p = 1; p < CatalogueRowCount; ++p) {
                const long a = tenths(c.value(FilteredList[p - 1])), b = tenths(c.value(FilteredList[p]));
                outOfOrder += (direction == 1 ? a > b : a < b) ? 1 : 0;
            }
            EXPECT_EQ(outOfOrder, 0) << CatalogueString(c.code) << (direction ? " ascending" : " descending");
        }
    }
}

TEST_F(CatalogueDatabase, TheSortMovesTheStatusBarFromEmptyToFull)
{
    testsupport::TempDir dir;
    TStatusDlg window(nullptr, dir.file("status.txt"));
    TStatusDlg* const previous = StatusWindow;
    StatusWindow = &window;
    Apply(MessierOnly());
    // A bar left full by the filter: the sort starts it again from empty and ends it full,
    // where it used to leave it empty.
    window.SetProgress(100);
    db_->SetSortCriteria(Keys({{kSortConstellation, 1}, {kSortMagnitude, 0}}), true);
    EXPECT_EQ(window.LastPercentage(), 100u);
    EXPECT_EQ(window.GetGaugeControl()->GetValue(), 100);
    StatusWindow = previous;
}

TEST_F(CatalogueDatabase, TwoKeysAndTheDefaultOrder)
{
    // Default criteria: brightest Dreyer code first, objects without a code last.
    Apply(MessierOnly());
    EXPECT_EQ(db_->CurrentObject(), Ngc(224));
    for (int p = 1; p < 106; ++p) {
        const int a = NGCTable.brightness[FilteredList[p - 1]], b = NGCTable.brightness[FilteredList[p]];
        ASSERT_TRUE(b == 0 || (a != 0 && a >= b)) << p;
    }

    // Constellation ascending, then magnitude descending within each constellation.
    db_->SetSortCriteria(Keys({{kSortConstellation, 1}, {kSortMagnitude, 0}}), true);
    for (int p = 1; p < 106; ++p) {
        const int ra = FilteredList[p - 1], rb = FilteredList[p];
        ASSERT_LE(NGCTable.constellation[ra], NGCTable.constellation[rb]) << p;
        if (NGCTable.constellation[ra] == NGCTable.constellation[rb]) {
            ASSERT_GE(MagnitudeOf(ra) + 0.1, MagnitudeOf(rb)) << p;
        }
    }
    // Object type descending, then NGC/IC number ascending: galaxies (type 0) are the last
    // group and stay in number order, not spilling into the group above.
    db_->SetSortCriteria(Keys({{kSortObjectType, 0}, {kSortNumber, 1}}), true);
    int firstGalaxy = -1;
    for (int p = 0; p < 106; ++p)
        if (NGCTable.type[FilteredList[p]] == 0 && firstGalaxy < 0)
            firstGalaxy = p;
    ASSERT_GT(firstGalaxy, 0);
    for (int p = firstGalaxy; p < 106; ++p) {
        ASSERT_EQ(NGCTable.type[FilteredList[p]], 0) << p;
        if (p > firstGalaxy) {
            ASSERT_LT(NGCTable.catalogueNumber[FilteredList[p - 1]], NGCTable.catalogueNumber[FilteredList[p]]);
        }
    }

    // An empty or one-entry list is left alone.
    FilterSettings one = MessierOnly();
    one.nameCriteria = 0x8 | 0x4;  // M 25 is the one IC Messier object
    EXPECT_EQ(Apply(one), 1);
    EXPECT_EQ(db_->Sort(), 0);
    one.nameCriteria = 0x4 | 0x10;
    EXPECT_EQ(Apply(one), 0);
    EXPECT_EQ(db_->Sort(), 0);
}

TEST_F(CatalogueDatabase, RiseAndSetKeys)
{
    const int n = Apply(SliceFromPoleToPole());
    ASSERT_GT(n, 100);
    ASSERT_LE(n, 500);
    const auto dec = [](int p) { return NGCTable.dec[FilteredList[p]]; };
    // Local rise time ascending: objects that never rise first, circumpolar ones last.
    db_->SetSortCriteria(Keys({{kSortRiseLMT, 1}}), true);
    EXPECT_LT(dec(0), -51.1);     // never rises at 38.9 N
    EXPECT_GT(dec(n - 1), 51.1);  // circumpolar
    // Set time ascending: circumpolar first (set at 0), never rising last (26).
    db_->SetSortCriteria(Keys({{kSortSetLMT, 1}}), true);
    EXPECT_GT(dec(0), 51.1);
    EXPECT_LT(dec(n - 1), -51.1);
    // Sidereal rise ascending: the always-up objects at the top of the range, last.
    db_->SetSortCriteria(Keys({{kSortRiseLST, 1}}), true);
    EXPECT_GT(dec(n - 1), 51.1);
    db_->SetSortCriteria(Keys({{kSortSetLST, 1}}), true);
    EXPECT_LT(dec(n - 1), -51.1);
    // For the objects that rise and set, the order agrees with rise times found by
    // stepping the altitude through the day from the noon before midnight.
    db_->SetSortCriteria(Keys({{kSortRiseLMT, 1}}), true);
    const double midnightLst = SessionTime::SiderealHours(site_.MidnightOfNight(now_));
    const double k = M_PI / 180;
    auto riseTime = [&](int row) {
        const double ra = NGCTable.ra[row], d = NGCTable.dec[row] * k, lat = 38.9 * k;
        double previous = -1;
        for (double t = 0; t <= 24; t += 0.01) {
            const double ha = (midnightLst + (t - 12) * 1.0027379 - ra) * 15 * k;
            const double alt = std::sin(d) * std::sin(lat) + std::cos(d) * std::cos(lat) * std::cos(ha);
            if (t > 0 && previous < 0 && alt >= 0)
                return t;
            previous = alt;
        }
        return -1.0;
    };
    double last = -1;
    int compared = 0;
    for (int p = 0; p < n; ++p) {
        if (std::fabs(dec(p)) > 48)
            continue;
        const double t = riseTime(FilteredList[p]);
        ASSERT_GE(t, 0) << p;
        ASSERT_GE(t + 0.1, last) << p;
        last = t;
        ++compared;
    }
    EXPECT_GT(compared, 50);

    // Observation order ascending: objects that never rise come last; among the others the
    // first ones set soonest.
    db_->SetSortCriteria(Keys({{kSortObservationOrder, 1}}), true);
    EXPECT_LT(dec(n - 1), -51.1);
    db_->SetSortCriteria(Keys({{kSortObservationOrder, 0}}), true);
    EXPECT_LT(dec(0), -51.1);
}

// A moved site sorts with its own horizon: the elevation table made for the old latitude is
// never used for the new one, refiltered or not.
TEST_F(CatalogueDatabase, ASortAfterTheSiteMovedUsesTheNewSitesHorizon)
{
    const int n = Apply(SliceFromPoleToPole());
    ASSERT_GT(n, 100);
    const auto dec = [](int p) { return NGCTable.dec[FilteredList[p]]; };
    db_->SetSortCriteria(Keys({{kSortRiseLST, 1}}), true);
    ASSERT_LT(dec(0), -51.1) << "never rises at 38.9 N";
    // Sidereal rise reads the elevation table. The same latitude south: the northern sky
    // never rises, the southern is circumpolar.
    site_.SetPosition(site_.Longitude(), Angle(-38.9, Angle::kDegrees), Distance());
    db_->SetSortCriteria(Keys({{kSortRiseLST, 1}}), true);
    EXPECT_GT(dec(0), 51.1) << "never rises at 38.9 S";
    EXPECT_LT(dec(n - 1), -51.1) << "circumpolar at 38.9 S";
}

TEST_F(CatalogueDatabase, AnsweringNoToTheLongSortCancelsIt)
{
    ASSERT_EQ(db_->CountOf(0), CatalogueRowCount);
    SortCriteria rise = Keys({{kSortNumber, 1}});
    db_->SetSortCriteria(rise, true);
    ASSERT_EQ(FilteredList[0], Row(Ngc(1)));
    boxes_.Clear();
    boxes_.Answer(fw::IDNO);
    db_->SetSortCriteria(Keys({{kSortRiseLMT, 1}}), true);
    ASSERT_EQ(boxes_.Count(), 2);
    EXPECT_EQ(boxes_.Calls()[0].title, "Excessive Processing Time Possible");
    EXPECT_EQ(boxes_.Calls()[0].text,
              "Sorting many objects by LMT rise/set may take some time. Do you wish to continue?");
    EXPECT_EQ(boxes_.Calls()[0].style, fw::MB_YESNO | fw::MB_ICONQUESTION);
    EXPECT_EQ(boxes_.Calls()[1].title, "Recommendation...");
    EXPECT_EQ(boxes_.Calls()[1].text, "Reduce the number of objects by refiltering or select faster sort options");
    EXPECT_EQ(FilteredList[0], Row(Ngc(1)));  // still in number order
    EXPECT_EQ(FilteredList[1], Row(Ngc(2)));

    boxes_.Clear();
    boxes_.Answer(fw::IDYES);
    EXPECT_EQ(db_->Sort(), 1);
    EXPECT_EQ(boxes_.Count(), 1);
    EXPECT_LT(NGCTable.dec[FilteredList[0]], -51.1);
}
