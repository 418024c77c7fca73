// What the benchmarks share: the program directory they read the delivered data files from,
// and the main of a benchmark that draws widgets.
#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace bench {

// $STELLUM_PROGRAM_DIR, else delivered/ beside the folder of the running benchmark.
inline std::string ProgramDir()
{
    if (const char* dir = std::getenv("STELLUM_PROGRAM_DIR")) return std::string(dir) + "/";
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (exe.parent_path().parent_path() / "delivered").string() + "/";
}

// Runs the benchmarks inside a Qt application, on the offscreen platform unless another is
// asked for.
inline int RunWithQt(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
