// Speed of the time and Earth-orientation values: one nutation evaluation (IAU 1980 series)
// and a million JulianDate constructions, from a Julian day and from a calendar date, with
// libnova's counterparts as the reference where it is installed.
#include "astro/JulianDate.h"
#include "astro/Nutation.h"

#include <benchmark/benchmark.h>

#ifdef STELLUM_HAVE_LIBNOVA
#include <libnova/julian_day.h>
#include <libnova/nutation.h>
#endif

namespace {

// A new date each time, so that the cache never answers.
void BM_NutationEvaluation(benchmark::State& state)
{
    Nutation nutation;
    double jd = 2446895.5;
    for (auto _ : state) {
        jd += 1.0;
        benchmark::DoNotOptimize(nutation.Longitude(JulianDate(jd, JulianDate::kJulianDay)));
    }
}
BENCHMARK(BM_NutationEvaluation);

// The series alone, without the Julian date and Delta-T around it.
void BM_NutationSeries(benchmark::State& state)
{
    double t = -0.127;
    double dpsi = 0, deps = 0;
    for (auto _ : state) {
        t += 1e-5;
        Nutation::Evaluate(t, dpsi, deps);
        benchmark::DoNotOptimize(dpsi);
        benchmark::DoNotOptimize(deps);
    }
}
BENCHMARK(BM_NutationSeries);

void BM_NutationCached(benchmark::State& state)
{
    Nutation nutation;
    JulianDate j(2446895.5, JulianDate::kJulianDay);
    for (auto _ : state)
        benchmark::DoNotOptimize(nutation.Longitude(j));
}
BENCHMARK(BM_NutationCached);

constexpr int kMillion = 1000000;

void BM_JulianDateFromDayNumber_1e6(benchmark::State& state)
{
    for (auto _ : state) {
        double jd = 2451545.0;
        for (int i = 0; i < kMillion; ++i) {
            JulianDate j(jd, JulianDate::kJulianDay);
            benchmark::DoNotOptimize(j);
            jd += 0.0137;
        }
    }
}
BENCHMARK(BM_JulianDateFromDayNumber_1e6)->Unit(benchmark::kMillisecond);

void BM_JulianDateFromCalendar_1e6(benchmark::State& state)
{
    for (auto _ : state) {
        for (int i = 0; i < kMillion; ++i) {
            JulianDate j = JulianDate::FromCalendar(1900 + i % 200, 1 + i % 12, 1 + i % 28, i % 24, i % 60, i % 59);
            benchmark::DoNotOptimize(j);
        }
    }
}
BENCHMARK(BM_JulianDateFromCalendar_1e6)->Unit(benchmark::kMillisecond);

#ifdef STELLUM_HAVE_LIBNOVA
void BM_LibnovaNutation(benchmark::State& state)
{
    double jd = 2446895.5;
    ln_nutation nutation;
    for (auto _ : state) {
        jd += 1.0;
        ln_get_nutation(jd, &nutation);
        benchmark::DoNotOptimize(nutation);
    }
}
BENCHMARK(BM_LibnovaNutation);

void BM_LibnovaDateFromDayNumber_1e6(benchmark::State& state)
{
    for (auto _ : state) {
        double jd = 2451545.0;
        for (int i = 0; i < kMillion; ++i) {
            ln_date date;
            ln_get_date(jd, &date);
            benchmark::DoNotOptimize(date);
            jd += 0.0137;
        }
    }
}
BENCHMARK(BM_LibnovaDateFromDayNumber_1e6)->Unit(benchmark::kMillisecond);

void BM_LibnovaDayNumberFromCalendar_1e6(benchmark::State& state)
{
    for (auto _ : state) {
        for (int i = 0; i < kMillion; ++i) {
            ln_date date{1900 + i % 200, 1 + i % 12, 1 + i % 28, i % 24, i % 60, double(i % 59)};
            benchmark::DoNotOptimize(ln_get_julian_day(&date));
        }
    }
}
BENCHMARK(BM_LibnovaDayNumberFromCalendar_1e6)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK_MAIN();
