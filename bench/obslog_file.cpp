// Speed of opening and saving an observing log of 10,000 records, each beside the plain
// reference of the same bytes in the same run: reading the file whole, and replacing it whole
// through a temporary file (written, flushed to the disk and renamed), as every save does.
// Opening also writes the backup copy and the recovery header; saving also writes the default
// header and filter, the backup copy and the recovery header.
#include "framework/stream/AppendFile.h"
#include "framework/stream/AtomicFile.h"
#include "obslog/LogDocument.h"
#include "obslog/LogFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Fixture {
    std::string dir;
    std::string log;
    std::string bytes;
    Fixture()
    {
        char name[] = "/tmp/stellum-bench-XXXXXX";
        dir = std::string(::mkdtemp(name)) + "/";
        fs::create_directories(dir + "User");
        std::vector<ObsRecord> records;
        for (int i = 1; i <= 10000; ++i) {
            ObsRecord r;
            r.number = i;
            r.crossRef = i % 13000;
            r.name = "NGC " + std::to_string(i % 7840 + 1);
            r.notes = "Seen at 120x; averted vision shows a faint halo and a brighter core.";
            r.telescope = 1 + i % 3;
            r.eyepiece = 1 + i % 5;
            r.magnitude = 8.0 + (i % 70) / 10.0;
            r.rightAscension = (i % 240) / 10.0;
            r.declination = (i % 160) - 80.0;
            records.push_back(r);
        }
        bytes = LogFile::Encode(ObsRecordHeader(), RuravAvaviv(), records, false);
        log = dir + "Bench.log";
        fw::WriteFileReplacing(log, bytes);
    }
    ~Fixture() { fs::remove_all(dir); }
};

Fixture& Shared()
{
    static Fixture f;
    return f;
}

void BM_PlainRead(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        std::string bytes;
        fw::ReadWholeFile(f.log, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

void BM_PlainReplace(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state)
        fw::WriteFileReplacing(f.dir + "Plain.log", f.bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_PlainReplace)->Unit(benchmark::kMillisecond);

void BM_PlainReadAndReplace(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        std::string bytes;
        fw::ReadWholeFile(f.log, bytes);
        fw::WriteFileReplacing(f.dir + "Plain.log", bytes);
    }
}
BENCHMARK(BM_PlainReadAndReplace)->Unit(benchmark::kMillisecond);

void BM_OpenLog(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        LogDocument doc(f.dir, f.dir + "User/");
        if (!doc.Open(0, f.log))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(doc.RecordCount());
    }
}
BENCHMARK(BM_OpenLog)->Unit(benchmark::kMillisecond);

void BM_SaveLog(benchmark::State& state)
{
    Fixture& f = Shared();
    LogDocument doc(f.dir, f.dir + "User/");
    doc.Open(0, f.log);
    doc.SetDocPath(f.dir + "Saved.log");
    for (auto _ : state)
        if (!doc.Commit(true))
            state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveLog)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
