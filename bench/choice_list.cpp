// Speed of reading a choice list's binary record, from 1,000 entries up to the reader's cap of
// 100,000: each entry is checked against the texts and ids before it, so the time should grow
// with the entry count, not with its square. The reference reads the same bytes with the
// stream alone (id and text of every entry, nothing kept).
#include "framework/stream/PStream.h"
#include "ui/CBdata.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Record(int entries)
{
    fw::omstream out;
    out.writeWord32(4);
    out.writeWord32(7);
    out.writeString("LONG");
    out.writeWord32(static_cast<std::uint32_t>(entries));
    for (int i = 1; i <= entries; ++i) {
        out.writeWord32(static_cast<std::uint32_t>(i));
        out.writeString("Eyepiece " + std::to_string(i));
    }
    out.writeWord32(4);
    return out.str();
}

void BM_ReadChoiceList(benchmark::State& state)
{
    const std::string bytes = Record(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        fw::imstream in(bytes);
        CBdata list;
        list.Read(in);
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadChoiceList)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_ReadEntriesOnly(benchmark::State& state)
{
    const std::string bytes = Record(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        fw::imstream in(bytes);
        in.readWord32();
        in.readWord32();
        in.readString();
        const std::uint32_t n = in.readWord32();
        std::size_t total = 0;
        for (std::uint32_t i = 0; i < n; ++i) {
            total += in.readWord32();
            total += in.readString().size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadEntriesOnly)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
