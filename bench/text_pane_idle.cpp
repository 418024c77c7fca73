// Cost of the planner's object data pane going idle with the Moon, the Sun and Jupiter shown:
// one idle refill at an unchanged time (what every pause of the event loop between two clock
// ticks costs), beside the reference of one fill at a new time each pass (what a clock tick
// costs), on the delivered series files at Washington, DC.
#include "bench/BenchSupport.h"
#include "astro/Angle.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"
#include "astro/Moon.h"
#include "astro/ObsSite.h"
#include "astro/Planets.h"
#include "astro/RiseSetTransit.h"
#include "catalog/ObjectId.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/Window.h"
#include "globals/Globals.h"
#include "planner/PlannerStrings.h"
#include "planner/TextPane.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace {

using bench::ProgramDir;

// The site, the time, the series and the night's Moon, Sun and twilight values as the clock
// computes them, made program-wide for the run.
struct Sky {
    ObsSite site{Angle(77.0, Angle::kDegrees), Angle(38.9, Angle::kDegrees), "Washington", -5, Distance()};
    JulianDate now = JulianDate::FromCalendar(2026, 10, 25, 2, 0, 0);
    std::unique_ptr<Planets> planets;
    std::unique_ptr<Moon> moon;
    RiseSetTransit moonRst, sunRst, twilightRst;

    Sky()
    {
        planets = std::make_unique<Planets>(ProgramDir());
        moon = std::make_unique<Moon>(ProgramDir());
        moon->LoadLowRes();
        AppGlobals.site = &site;
        AppGlobals.now = &now;
        AppGlobals.planets = planets.get();
        AppGlobals.moon = moon.get();
        const JulianDate m = site.MidnightOfNight(now);
        Coord moonAt[5], sunAt[5];
        for (int i = 0; i < 5; ++i) {
            moonAt[i] = moon->ApparentPosition(m + (i - 2) * 0.5);
            sunAt[i] = planets->ApparentPosition(m + (i - 2) * 0.5, 0);
        }
        moonRst = RiseSetTransit::FromPositions(moonAt[0], moonAt[1], moonAt[2], moonAt[3], moonAt[4], m, site,
                                                moon->RiseSetAltitude(m));
        sunRst = RiseSetTransit::FromPositions(sunAt[0], sunAt[1], sunAt[2], sunAt[3], sunAt[4], m, site,
                                               Angle(-0.833, Angle::kDegrees));
        twilightRst = RiseSetTransit::FromPositions(sunAt[0], sunAt[1], sunAt[2], sunAt[3], sunAt[4], m, site,
                                                    Angle(-18.833, Angle::kDegrees));
        AppGlobals.moonRst = &moonRst;
        AppGlobals.sunRst = &sunRst;
        AppGlobals.twilightRst = &twilightRst;
    }
    ~Sky()
    {
        AppGlobals.moonRst = AppGlobals.sunRst = AppGlobals.twilightRst = nullptr;
        AppGlobals.planets = nullptr;
        AppGlobals.moon = nullptr;
        AppGlobals.site = nullptr;
        AppGlobals.now = nullptr;
    }
    bool Ready() const { return moon->IsAvailable() && planets->IsAvailable(5); }
};

// The pane in a window of the planner view's size, showing one object.
struct Pane {
    fw::Window window;
    TextPane pane{&window, "TextWin", &PlannerStrings()};
    explicit Pane(ObjectId id)
    {
        window.resize(380, 640);
        pane.setGeometry(0, 0, 380, 640);
        pane.EnsureSetUp();
        pane.ShowObject(id);
    }
};

ObjectId Body(int index)
{
    static const std::uint32_t kBodies[] = {ObjectId::kMoon, ObjectId::kSun, ObjectId::kJupiter};
    return ObjectId(kBodies[index]);
}

void BM_TextPaneIdle(benchmark::State& state)
{
    fw::ScriptedMessageBoxes boxes;
    Sky sky;
    if (!sky.Ready()) {
        state.SkipWithError(("series files missing at " + ProgramDir()).c_str());
        return;
    }
    Pane host(Body(static_cast<int>(state.range(0))));
    state.SetLabel(host.pane.GetCaption());
    for (auto _ : state) benchmark::DoNotOptimize(host.pane.IdleAction(0));
}
BENCHMARK(BM_TextPaneIdle)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Reference: the fill of a clock tick, a second later each pass.
void BM_TextPaneNewTime(benchmark::State& state)
{
    fw::ScriptedMessageBoxes boxes;
    Sky sky;
    if (!sky.Ready()) {
        state.SkipWithError(("series files missing at " + ProgramDir()).c_str());
        return;
    }
    const ObjectId id = Body(static_cast<int>(state.range(0)));
    Pane host(id);
    state.SetLabel(host.pane.GetCaption());
    for (auto _ : state) {
        sky.now = sky.now + 1.0 / 86400.0;
        host.pane.ShowObject(id);
    }
}
BENCHMARK(BM_TextPaneNewTime)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return bench::RunWithQt(argc, argv); }
