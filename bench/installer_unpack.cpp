// Expanding a packed file through the compression library, whose input arrives one byte at
// a time through a callback, against zlib reading the same gzip member from memory in one
// call (the reference).
#include "installer/support/LzpLibrary.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <random>
#include <string>

namespace {

const std::string& Content()
{
    static const std::string data = [] {
        std::mt19937 gen(1);
        std::string s(1 << 20, 0);
        for (char& c : s) c = static_cast<char>("abcdefghij \n"[gen() % 12]);
        return s;
    }();
    return data;
}

kw::LzpLibrary& Library()
{
    static kw::LzpLibrary lib;
    if (!lib.IsLoaded()) {
        if (const char* dir = std::getenv("STELLUM_PROGRAM_DIR")) fw::DynamicLibrary::AddSearchDirectory(dir);
        lib.Load();
    }
    return lib;
}

const std::string& Packed()
{
    static const std::string packed = [] {
        std::string out;
        Library().Pack(Content(), out);
        return out;
    }();
    return packed;
}

void BM_UnpackThroughLibrary(benchmark::State& state)
{
    if (!Library().IsLoaded()) {
        state.SkipWithError("liblzpunz2.so not found (set STELLUM_PROGRAM_DIR)");
        return;
    }
    std::string out;
    for (auto _ : state) {
        if (!Library().Unpack(Packed(), out)) state.SkipWithError("refused");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Content().size()));
}
BENCHMARK(BM_UnpackThroughLibrary)->Unit(benchmark::kMillisecond);

void BM_UnpackWithZlibInMemory(benchmark::State& state)
{
    if (!Library().IsLoaded()) {
        state.SkipWithError("liblzpunz2.so not found (set STELLUM_PROGRAM_DIR)");
        return;
    }
    std::string out(Content().size(), 0);
    for (auto _ : state) {
        z_stream z{};
        inflateInit2(&z, 16 + MAX_WBITS);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Packed().data()));
        z.avail_in = static_cast<uInt>(Packed().size());
        z.next_out = reinterpret_cast<Bytef*>(&out[0]);
        z.avail_out = static_cast<uInt>(out.size());
        if (inflate(&z, Z_FINISH) != Z_STREAM_END) state.SkipWithError("zlib refused");
        inflateEnd(&z);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Content().size()));
}
BENCHMARK(BM_UnpackWithZlibInMemory)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
