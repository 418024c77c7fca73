// Cost of the solar-system places and of rise/transit/set: one apparent place of each body
// with the light and the full series, and rise/transit/set of every NGC 2000.0 object for one
// night, each beside libnova computing the same where it is installed.
//
// The series files come from the program directory ($STELLUM_PROGRAM_DIR, else delivered/ beside
// this program's folder), the catalogue positions from the raw NGC 2000.0 file
// ($STELLUM_RAW_DATA, else ../shared/data beside the checkout).
#include "bench/BenchSupport.h"
#include "astro/Coord.h"
#include "astro/JulianDate.h"
#include "astro/Moon.h"
#include "astro/ObsSite.h"
#include "astro/Planets.h"
#include "astro/RiseSetTransit.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#ifdef STELLUM_HAVE_LIBNOVA
#include <libnova/jupiter.h>
#include <libnova/lunar.h>
#include <libnova/mars.h>
#include <libnova/mercury.h>
#include <libnova/neptune.h>
#include <libnova/pluto.h>
#include <libnova/rise_set.h>
#include <libnova/saturn.h>
#include <libnova/solar.h>
#include <libnova/uranus.h>
#include <libnova/venus.h>
#endif

namespace {

using bench::ProgramDir;

std::string RawDir()
{
    if (const char* env = std::getenv("STELLUM_RAW_DATA"))
        return std::string(env) + "/";
    return std::string(STELLUM_SOURCE_DIR) + "/../shared/data/";
}

// Planets with every body at one resolution (mode 1 light, 2 full).
Planets& PlanetsAt(int mode)
{
    static std::unique_ptr<Planets> light, full;
    std::unique_ptr<Planets>& p = mode == 2 ? full : light;
    if (!p) {
        p.reset(new Planets(ProgramDir()));
        for (int b = 1; b <= 8; ++b)
            p->LoadPlanet(b, mode);
    }
    return *p;
}

void BM_ApparentPlace(benchmark::State& state)
{
    const int body = static_cast<int>(state.range(0));
    const int mode = static_cast<int>(state.range(1));
    Planets& planets = PlanetsAt(mode);
    if (!planets.IsAvailable(body)) {
        state.SkipWithError("series files missing");
        return;
    }
    state.SetLabel(std::string(Planets::BodyName(body)) + (mode == 2 ? " full" : " light"));
    double jd = 2460000.5;
    for (auto _ : state) {
        jd += 0.01;
        benchmark::DoNotOptimize(planets.ApparentPosition(JulianDate(jd, JulianDate::kJulianDay), body));
    }
}
BENCHMARK(BM_ApparentPlace)->ArgsProduct({{0, 1, 2, 4, 5, 6, 7, 8, 9}, {1, 2}});

void BM_MoonApparentPlace(benchmark::State& state)
{
    const bool high = state.range(0) == 2;
    Moon moon(ProgramDir());
    if ((high ? moon.LoadHighRes() : moon.LoadLowRes()) == Moon::kNothing) {
        state.SkipWithError("series files missing");
        return;
    }
    state.SetLabel(high ? "Moon full" : "Moon light");
    double jd = 2460000.5;
    for (auto _ : state) {
        jd += 0.01; // a new date each time, so that the cache never answers
        benchmark::DoNotOptimize(moon.ApparentPosition(JulianDate(jd, JulianDate::kJulianDay)));
    }
}
BENCHMARK(BM_MoonApparentPlace)->Arg(1)->Arg(2);

#ifdef STELLUM_HAVE_LIBNOVA
void BM_LibnovaApparentPlace(benchmark::State& state)
{
    using Fn = void (*)(double, ln_equ_posn*);
    static const Fn kFns[10] = {ln_get_solar_equ_coords,   ln_get_mercury_equ_coords, ln_get_venus_equ_coords,
                                ln_get_lunar_equ_coords,   ln_get_mars_equ_coords,    ln_get_jupiter_equ_coords,
                                ln_get_saturn_equ_coords,  ln_get_uranus_equ_coords,  ln_get_neptune_equ_coords,
                                ln_get_pluto_equ_coords};
    const int body = static_cast<int>(state.range(0));
    state.SetLabel(std::string("libnova ") + Planets::BodyName(body == 3 ? 3 : body));
    double jd = 2460000.5;
    ln_equ_posn p{};
    for (auto _ : state) {
        jd += 0.01;
        kFns[body](jd, &p);
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_LibnovaApparentPlace)->DenseRange(0, 9);
#endif

struct CatalogueObject {
    double raHours, decDegrees;
};

const std::vector<CatalogueObject>& Catalogue()
{
    static std::vector<CatalogueObject> objects;
    if (objects.empty()) {
        std::ifstream in(RawDir() + "ngc2000/ngc2000.dat");
        for (std::string l; std::getline(in, l);) {
            if (l.size() < 26)
                continue;
            const double ra = std::atof(l.substr(10, 2).c_str()) + std::atof(l.substr(13, 4).c_str()) / 60.0;
            double dec = std::atof(l.substr(20, 2).c_str()) + std::atof(l.substr(23, 2).c_str()) / 60.0;
            if (l[19] == '-')
                dec = -dec;
            objects.push_back({ra, dec});
        }
    }
    return objects;
}

// The catalogue's J2000 positions as they stand (libnova takes them the same way), and the
// night at Boston they rise and set in.
struct CatalogueNight {
    std::vector<Coord> positions;
    ObsSite site{Angle(71.0833, Angle::kDegrees), Angle(42.3333, Angle::kDegrees), "Boston", -5.0, Distance()};
    JulianDate midnight{2460676.7083, JulianDate::kJulianDay};
    Angle h0{RiseSetTransit::kStarStandardAltitudeDegrees, Angle::kDegrees};

    CatalogueNight()
    {
        for (const auto& o : Catalogue())
            positions.push_back(Coord::Equatorial(Angle(o.raHours, Angle::kHours), Angle(o.decDegrees, Angle::kDegrees),
                                                  Distance(), JulianDate(), 0));
    }
};

// Rise, transit and set of every catalogue object for one night at Boston, from the J2000
// positions as they stand (libnova takes them the same way); the night's sidereal time and the
// site's trigonometry are worked out once for the whole catalogue.
void BM_CatalogueRiseSetTransit(benchmark::State& state)
{
    const CatalogueNight c;
    if (c.positions.empty()) {
        state.SkipWithError("NGC 2000.0 missing");
        return;
    }
    for (auto _ : state) {
        const RiseSetTransit::Night night(c.midnight, c.site, c.h0);
        for (const auto& p : c.positions)
            benchmark::DoNotOptimize(night.FixedPosition(p));
    }
    state.SetLabel(std::to_string(c.positions.size()) + " objects");
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(c.positions.size()));
}
BENCHMARK(BM_CatalogueRiseSetTransit)->Unit(benchmark::kMillisecond);

// The same one object at a time, each with a night of its own (as a single object's pane asks
// for it): what sharing the night saves.
void BM_CatalogueRiseSetTransitOneByOne(benchmark::State& state)
{
    const CatalogueNight c;
    if (c.positions.empty()) {
        state.SkipWithError("NGC 2000.0 missing");
        return;
    }
    for (auto _ : state) {
        for (const auto& p : c.positions)
            benchmark::DoNotOptimize(RiseSetTransit::FromFixedPosition(p, c.midnight, c.site, c.h0));
    }
    state.SetLabel(std::to_string(c.positions.size()) + " objects");
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(c.positions.size()));
}
BENCHMARK(BM_CatalogueRiseSetTransitOneByOne)->Unit(benchmark::kMillisecond);

#ifdef STELLUM_HAVE_LIBNOVA
void BM_LibnovaCatalogueRiseSetTransit(benchmark::State& state)
{
    const auto& objects = Catalogue();
    if (objects.empty()) {
        state.SkipWithError("NGC 2000.0 missing");
        return;
    }
    ln_lnlat_posn observer{-71.0833, 42.3333};
    std::vector<ln_equ_posn> positions;
    for (const auto& o : objects)
        positions.push_back({o.raHours * 15.0, o.decDegrees});
    ln_rst_time rst{};
    for (auto _ : state) {
        for (auto& p : positions) {
            benchmark::DoNotOptimize(ln_get_object_rst(2460676.7083, &observer, &p, &rst));
            benchmark::DoNotOptimize(rst);
        }
    }
    state.SetLabel(std::to_string(objects.size()) + " objects");
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(objects.size()));
}
BENCHMARK(BM_LibnovaCatalogueRiseSetTransit)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK_MAIN();
