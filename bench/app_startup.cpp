// Speed of the planner's start-up on the real data files at resolution level 2: from the
// application object's construction to the start-up-complete flag (settings read, main
// window, status window, planets and Moon with their full series, the catalogue read and
// filtered, the night's rise and set), beside reading the same data files plainly into
// memory, as the reference.
#include "bench/BenchSupport.h"
#include "app/TStellumApp.h"
#include "framework/gui/MessageBox.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The data files the start-up reads at level 2 (the planets' light and full series, Pluto,
// both Moon series, the catalogue, its descriptions, the common names).
const char* const kDataFiles[] = {"1l.rsx", "2l.rsx", "3l.rsx", "4l.rsx", "5l.rsx", "6l.rsx", "7l.rsx",
                                  "8l.rsx", "3.rsx", "9.rsx", "elplores.rsx", "elphires.rsx", "ngc2k.rsx",
                                  "dreyer.rsx", "User/comname.txt"};

using bench::ProgramDir;

// A program directory of its own with the data files linked in, and $HOME, $XDG_DATA_HOME
// and the working directory inside it, so that the run writes nothing outside.
struct Sandbox {
    std::string dir;
    std::string oldCwd;
    Sandbox()
    {
        const std::string program = ProgramDir();
        dir = (fs::temp_directory_path() / ("stellum-bench-startup-" + std::to_string(::getpid()))).string() + "/";
        fs::create_directories(dir + "User");
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(program, ec))
            if (entry.is_regular_file()) fs::create_symlink(entry.path(), dir + entry.path().filename().string(), ec);
        for (const char* f : {"User/comname.txt", "User/conlines.rsx"}) fs::create_symlink(program + f, dir + f, ec);
        fs::remove(dir + "indexes.rsx", ec);
        fs::remove(dir + "status.txt", ec);
        oldCwd = fs::current_path().string();
        fs::current_path(dir);
        setenv("HOME", dir.c_str(), 1);
        setenv("XDG_DATA_HOME", (dir + "share").c_str(), 1);
        fw::MessageBoxSeam::Set([](const fw::MessageBoxCall& c) { return fw::DefaultMessageBoxAnswer(c.style); });
    }
    ~Sandbox()
    {
        std::error_code ec;
        fs::current_path(oldCwd, ec);
        fs::remove_all(dir, ec);
    }
};

Sandbox& TheSandbox()
{
    static Sandbox sandbox;
    return sandbox;
}

// Only the main window's set-up is of interest; InitInstance would also show the window and
// record the desktop association.
class BenchApp : public TStellumApp {
public:
    using TStellumApp::TStellumApp;
    using TStellumApp::InitMainWindow;
};

void BM_StartupToCompleteLevel2(benchmark::State& state)
{
    Sandbox& sandbox = TheSandbox();
    for (auto _ : state) {
        auto app = std::make_unique<BenchApp>(std::vector<std::string>{sandbox.dir + "stlm32", "\\H"});
        app->InitMainWindow();
        if (!TStellumApp::startupComplete || TStellumApp::resolutionLevel != 2) {
            state.SkipWithError("start-up did not complete at level 2");
            break;
        }
        state.PauseTiming();
        app.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToCompleteLevel2)->Unit(benchmark::kMillisecond);

// The reference: the same data files read whole into memory.
void BM_PlainReadOfTheDataFiles(benchmark::State& state)
{
    Sandbox& sandbox = TheSandbox();
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const char* f : kDataFiles) {
            std::ifstream in(sandbox.dir + f, std::ios::binary);
            std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            bytes += data.size();
        }
        benchmark::DoNotOptimize(bytes);
        state.counters["bytes"] = static_cast<double>(bytes);
    }
}
BENCHMARK(BM_PlainReadOfTheDataFiles)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
