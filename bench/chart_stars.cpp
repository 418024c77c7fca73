// Speed of the chart's star pass: the whole "rssao.cat" read record by record through SAOdata
// with the magnitude rule and the cull against a 20 x 20 degree visible region (around
// Orion), beside the reference of a plain read of the same file into memory, and the same
// cull run over records decoded from that memory.
#include "bench/BenchSupport.h"
#include "chart/SAOdata.h"
#include "chart/VisibleRegion.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

// The star catalogue in the program directory.
std::string CataloguePath() { return bench::ProgramDir() + "rssao.cat"; }

// 20 degrees square centred on 5.5 h, 0 degrees: 1 h 20 min of right ascension.
VisibleRegion OrionRegion()
{
    const double w = 20.0 / 15.0 / 2, h = 10;
    return VisibleRegion({5.5 + w, h}, {5.5 - w, h}, {5.5 + w, -h}, {5.5 - w, -h}, {5.5, -h}, {5.5, h}, false, false);
}

constexpr double kLimitingMagnitude = 9.5;

bool Available(benchmark::State& state, const std::string& path)
{
    if (std::filesystem::exists(path))
        return true;
    state.SkipWithError(("no star catalogue at " + path).c_str());
    return false;
}

void BM_StarPassThroughSAOdata(benchmark::State& state)
{
    const std::string path = CataloguePath();
    if (!Available(state, path))
        return;
    const VisibleRegion region = OrionRegion();
    long records = 0, visible = 0;
    for (auto _ : state) {
        SAOdata sao(path);
        records = visible = 0;
        while (records < SAOdata::kDrawPassLimit && sao.ReadNext(sao)) {
            ++records;
            if (sao.Magnitude() < kLimitingMagnitude && region.Contains(sao.RA(), sao.Dec()))
                ++visible;
        }
        sao.Close();
        benchmark::DoNotOptimize(visible);
    }
    state.SetItemsProcessed(state.iterations() * records);
    state.SetBytesProcessed(state.iterations() * records * SAOdata::kRecordSize);
    state.counters["stars"] = double(records);
    state.counters["visible"] = double(visible);
}
BENCHMARK(BM_StarPassThroughSAOdata)->Unit(benchmark::kMillisecond);

// Reference: the whole file into memory in one read.
void BM_PlainReadIntoMemory(benchmark::State& state)
{
    const std::string path = CataloguePath();
    if (!Available(state, path))
        return;
    std::size_t size = 0;
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) {
            state.SkipWithError("cannot open the star catalogue");
            return;
        }
        std::fseek(f, 0, SEEK_END);
        size = static_cast<std::size_t>(std::ftell(f));
        std::fseek(f, 0, SEEK_SET);
        std::string bytes(size, '\0');
        const std::size_t got = std::fread(bytes.data(), 1, size, f);
        std::fclose(f);
        benchmark::DoNotOptimize(bytes.data());
        benchmark::DoNotOptimize(got);
    }
    state.SetItemsProcessed(state.iterations() * long(size / SAOdata::kRecordSize));
    state.SetBytesProcessed(state.iterations() * long(size));
}
BENCHMARK(BM_PlainReadIntoMemory)->Unit(benchmark::kMillisecond);

// The same cull over records decoded from a copy in memory: what the pass costs without the
// stream's field-by-field reads.
void BM_CullFromMemory(benchmark::State& state)
{
    const std::string path = CataloguePath();
    if (!Available(state, path))
        return;
    std::string bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[1 << 16];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
            bytes.append(buf, n);
        std::fclose(f);
    }
    const VisibleRegion region = OrionRegion();
    const std::size_t records = bytes.size() / SAOdata::kRecordSize;
    long visible = 0;
    for (auto _ : state) {
        visible = 0;
        for (std::size_t i = 0; i < records; ++i) {
            const char* r = bytes.data() + i * SAOdata::kRecordSize;
            double ra, dec;
            float m1, m2;
            std::memcpy(&ra, r, 8); // little-endian host
            std::memcpy(&dec, r + 8, 8);
            std::memcpy(&m1, r + 16, 4);
            std::memcpy(&m2, r + 20, 4);
            const double m = m1 > 10.0f ? m2 : m1;
            if (m < kLimitingMagnitude && region.Contains(ra, dec))
                ++visible;
        }
        benchmark::DoNotOptimize(visible);
    }
    state.SetItemsProcessed(state.iterations() * long(records));
    state.counters["visible"] = double(visible);
}
BENCHMARK(BM_CullFromMemory)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
