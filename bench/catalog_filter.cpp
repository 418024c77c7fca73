// Speed of the catalogue filter over the 13226 objects of "ngc2k.rsx": a full filtering with
// every criterion switched on and every stage cache cleared, a filtering whose caches are all
// warm (only the list is rebuilt and sorted), and a sort of the whole catalogue by two keys.
// Each is measured beside a plain loop over the same columns that makes the same tests (or
// builds the same keys) in one pass, as the reference.
#include "bench/BenchSupport.h"
#include "astro/Angle.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "catalog/ElevationMap.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/NamedObjects.h"
#include "catalog/ObjectFlags.h"
#include "catalog/SessionTime.h"
#include "framework/gui/MessageBox.h"
#include "globals/Globals.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

using bench::ProgramDir;

// One database for the run, in a directory of its own so that its saved state stays out of
// the program directory; at a known site and time.
struct Bench {
    ObsSite site{Angle(77.0, Angle::kDegrees), Angle(38.9, Angle::kDegrees), "Washington", -5, Distance()};
    JulianDate now = JulianDate::FromCalendar(2026, 10, 16, 3, 0, 0);
    std::string dir;
    std::unique_ptr<NGC2000Indexes> db;

    Bench()
    {
        fw::MessageBoxSeam::Set([](const fw::MessageBoxCall& c) { return fw::DefaultMessageBoxAnswer(c.style); });
        const std::string program = ProgramDir();
        dir = (fs::temp_directory_path() / ("stellum-bench-filter-" + std::to_string(::getpid()))).string() + "/";
        fs::create_directories(dir + "User");
        std::error_code ec;
        fs::create_symlink(program + "ngc2k.rsx", dir + "ngc2k.rsx", ec);
        fs::create_symlink(program + "dreyer.rsx", dir + "dreyer.rsx", ec);
        fs::create_symlink(program + "User/comname.txt", dir + "User/comname.txt", ec);
        AppGlobals.site = &site;
        AppGlobals.now = &now;
        ObservingLogOpen = true;
        db = std::make_unique<NGC2000Indexes>(dir);
    }
    ~Bench()
    {
        db.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    bool Ready() const { return fs::exists(dir + "ngc2k.rsx") && NGCTable.catalogueNumber[0] != 0; }
};

Bench& TheBench()
{
    static Bench bench;
    return bench;
}

// Every criterion on: position (constellations, RA/Dec window through 0 h, elevation during
// the session), Dreyer brightness and magnitude, Dreyer size and diameter, Herschel 400,
// shape, type and observing history.
FilterSettings AllCriteria()
{
    FilterSettings f;
    f.SetEnabledCriteria(ObjectFlag::kAllCriteria);
    f.positionCriteria = ObjectFlag::kPositionGroup;
    f.brightnessCriteria = 0x3;
    f.sizeCriteria = 0xC;
    f.constellations.Clear();
    for (int c = 0; c < 88; c += 2)
        f.constellations.Add(c);
    f.raMin = 18;
    f.raMax = 6;
    f.decMin = -40;
    f.decMax = 80;
    f.elevationMode = 2;
    f.minAltitude = 15;
    f.maxAltitude = 85;
    f.dreyerBrightnessMask = 0x0FF0;
    f.magnitudeMin = 0;
    f.magnitudeMax = 12;
    f.dreyerSizeMask = 0x0FF0;
    f.diameterMin = 0.02;
    f.diameterMax = 2;
    f.nameCriteria = 0x2;
    f.shapeMask = 0x7FFF;
    f.typeMask = 0x1F;
    f.historyCriteria = 1;
    return f;
}

bool Skip(benchmark::State& state)
{
    if (TheBench().Ready())
        return false;
    state.SkipWithError(("no catalogue at " + ProgramDir()).c_str());
    return true;
}

void BM_RefilterAllCriteriaCold(benchmark::State& state)
{
    if (Skip(state))
        return;
    NGC2000Indexes& db = *TheBench().db;
    const FilterSettings f = AllCriteria();
    for (auto _ : state)
        benchmark::DoNotOptimize(db.SetFilterSettings(f, true));
    state.counters["listed"] = db.CountOf(0);
    state.SetItemsProcessed(state.iterations() * CatalogueRowCount);
}
BENCHMARK(BM_RefilterAllCriteriaCold)->Unit(benchmark::kMicrosecond);

// The reference: one pass making the eleven tests of each row into its flag word, the counts
// of each criterion, the list of rows with every bit, sorted by Dreyer brightness.
void BM_PlainLoopAllCriteria(benchmark::State& state)
{
    if (Skip(state))
        return;
    NGC2000Indexes& db = *TheBench().db;
    const FilterSettings f = AllCriteria();
    db.SetFilterSettings(f, true);  // the map for the window
    const double reference = SessionTime::SessionMiddleSiderealHours(
        f.sessionStartHour, f.sessionStartMinute, f.sessionEndHour, f.sessionEndMinute);
    const ElevationMap& map = TheElevationMap;
    const CatalogueTable& t = NGCTable;
    std::vector<std::uint16_t> flags(CatalogueRowCount);
    std::vector<std::pair<float, std::int32_t>> list;
    list.reserve(CatalogueRowCount);
    int counts[11] = {};
    for (auto _ : state) {
        list.clear();
        std::fill(std::begin(counts), std::end(counts), 0);
        for (int r = 0; r < CatalogueRowCount; ++r) {
            std::uint16_t w = 0;
            double m = t.magnitude[r];
            if (m > 500)
                m -= 1000;
            if (m != 0 ? (f.magnitudeMin < m && m < f.magnitudeMax) : (f.brightnessCriteria & 4) == 0)
                w |= 0x1;
            const unsigned b = t.brightness[r];
            if (b ? ((f.dreyerBrightnessMask >> (b - 1)) & 1) : !(f.dreyerBrightnessMask & 0x1000))
                w |= 0x2;
            const unsigned s = t.size[r];
            if (s ? ((f.dreyerSizeMask >> (s - 1)) & 1) : !(f.dreyerSizeMask & 0x1000))
                w |= 0x4;
            const double d = t.diameter[r];
            if (d != 0 ? (f.diameterMin * 60 < d && d < f.diameterMax * 60) : (f.sizeCriteria & 2) == 0)
                w |= 0x8;
            double ra = t.ra[r];
            if (ra < f.raMin)
                ra += 24;
            if (f.decMin <= t.dec[r] && t.dec[r] <= f.decMax && f.raMin <= ra && ra <= f.raMax + 24)
                w |= 0x10;
            if (map.Lookup(t.ra[r], t.dec[r], reference) & 3)
                w |= 0x20;
            if (f.constellations.Contains(t.constellation[r]))
                w |= 0x40;
            if (NamedObjects::IsHerschel(t.catalogueNumber[r]))
                w |= 0x80;
            const unsigned shape = t.shape[r] & 0x7F;
            if (shape ? ((f.shapeMask >> (shape - 1)) & 1) : !(f.shapeMask & 0x4000))
                w |= 0x100;
            if ((f.typeMask >> (t.type[r] & 31)) & 1)
                w |= 0x200;
            if (((t.shape[r] & 0x80) != 0) != ((f.historyCriteria & 1) != 0))
                w |= 0x400;
            flags[r] = w;
            for (int bit = 0; bit < 11; ++bit)
                counts[bit] += (w >> bit) & 1;
            if ((w & 0x7FF) == 0x7FF)
                list.emplace_back(float(15 - b), r);
        }
        std::sort(list.begin(), list.end());
        benchmark::DoNotOptimize(list.data());
        benchmark::DoNotOptimize(counts);
    }
    state.counters["listed"] = double(list.size());
    state.SetItemsProcessed(state.iterations() * CatalogueRowCount);
}
BENCHMARK(BM_PlainLoopAllCriteria)->Unit(benchmark::kMicrosecond);

// Nothing changed: every stage answers from its cache; the list is rebuilt and sorted.
void BM_RefilterWarm(benchmark::State& state)
{
    if (Skip(state))
        return;
    NGC2000Indexes& db = *TheBench().db;
    db.SetFilterSettings(AllCriteria(), true);
    for (auto _ : state)
        benchmark::DoNotOptimize(db.Refilter());
    state.counters["listed"] = db.CountOf(0);
    state.SetItemsProcessed(state.iterations() * CatalogueRowCount);
}
BENCHMARK(BM_RefilterWarm)->Unit(benchmark::kMicrosecond);

// The reference: the rows whose flag words carry the mask, sorted by Dreyer brightness.
void BM_PlainListRebuild(benchmark::State& state)
{
    if (Skip(state))
        return;
    NGC2000Indexes& db = *TheBench().db;
    db.SetFilterSettings(AllCriteria(), true);
    const std::uint16_t mask = db.ActiveFilterMask();
    std::vector<std::pair<float, std::int32_t>> list;
    list.reserve(CatalogueRowCount);
    for (auto _ : state) {
        list.clear();
        for (int r = 0; r < CatalogueRowCount; ++r)
            if ((ObjectFlags[r] & mask) == mask)
                list.emplace_back(float(15 - NGCTable.brightness[r]), r);
        std::sort(list.begin(), list.end());
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["listed"] = double(list.size());
    state.SetItemsProcessed(state.iterations() * CatalogueRowCount);
}
BENCHMARK(BM_PlainListRebuild)->Unit(benchmark::kMicrosecond);

SortCriteria ConstellationThenMagnitude()
{
    SortCriteria s;
    s.SelectList(0);
    s.SetKey(1, kSortConstellation);
    s.SetDirection(1, 1);
    s.SetKey(2, kSortMagnitude);
    s.SetDirection(2, 0);
    return s;
}

// The whole catalogue by constellation, then magnitude from the faintest: the keys of every
// entry and the heap sort, from catalogue order each time.
void BM_SortTwoKeys(benchmark::State& state)
{
    if (Skip(state))
        return;
    NGC2000Indexes& db = *TheBench().db;
    db.SetSortCriteria(ConstellationThenMagnitude(), false);
    db.SetFilterSettings(FilterSettings(), true);
    db.SelectList(0);
    std::vector<std::int32_t> catalogueOrder(CatalogueRowCount);
    for (int r = 0; r < CatalogueRowCount; ++r)
        catalogueOrder[std::size_t(r)] = r;
    for (auto _ : state) {
        std::memcpy(FilteredList, catalogueOrder.data(), sizeof(std::int32_t) * CatalogueRowCount);
        benchmark::DoNotOptimize(db.Sort());
    }
    state.SetItemsProcessed(state.iterations() * db.CountOf(0));
}
BENCHMARK(BM_SortTwoKeys)->Unit(benchmark::kMicrosecond);

// The reference: the same composite key from the two columns and a library sort.
void BM_PlainSortTwoKeys(benchmark::State& state)
{
    if (Skip(state))
        return;
    std::vector<std::pair<float, std::int32_t>> list(CatalogueRowCount);
    for (auto _ : state) {
        for (int r = 0; r < CatalogueRowCount; ++r) {
            double m = NGCTable.magnitude[r];
            if (m > 500)
                m -= 1000;
            const int v = std::clamp(int((m + 30) * 10), 0, 600);
            list[std::size_t(r)] = {float(NGCTable.constellation[r] * 601 + (600 - v)), r};
        }
        std::sort(list.begin(), list.end());
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * CatalogueRowCount);
}
BENCHMARK(BM_PlainSortTwoKeys)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
