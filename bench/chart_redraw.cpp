// Speed of a full chart redraw into a 1024 x 768 bitmap at the faintest star limit: M 42 in
// Orion at 20 x 20 degrees and the default 90 x 90 degree chart, each beside the reference of
// a plain loop that reads the same stars, projects them and draws one ellipse each with
// QPainter into a bitmap of the same size.
#include "bench/BenchSupport.h"
#include "chart/ChartWindow.h"
#include "chart/ConstelLines.h"
#include "chart/SAOdata.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "framework/gui/Bitmap.h"
#include "framework/gui/MessageBox.h"
#include "globals/Globals.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr double kFaintestLimit = 99.0;

using bench::ProgramDir;

struct Frame {
    double ra, dec, width, height;
};
const Frame kOrion{5.588, -5.39, 20, 20};
const Frame kDefault{18.0, -35.0, 90, 90};

std::unique_ptr<ChartWindow> MakeChart(const Frame& f)
{
    ProgramDirectory = ProgramDir();
    UserDirectory = ProgramDirectory + "User/";
    auto chart = std::make_unique<ChartWindow>(nullptr);
    chart->resize(kWidth, kHeight);
    chart->starMagLimit = kFaintestLimit;
    chart->SetCenter(f.ra, f.dec);
    chart->SetField(f.width, f.height);
    chart->SetMark(f.ra, f.dec);
    return chart;
}

void Redraw(benchmark::State& state, const Frame& f)
{
    if (!std::filesystem::exists(ProgramDir() + "rssao.cat")) {
        state.SkipWithError("no star catalogue");
        return;
    }
    fw::ScriptedMessageBoxes boxes;
    auto chart = MakeChart(f);
    for (auto _ : state) {
        chart->needsRedraw = true;
        if (!chart->RedrawBitmap()) state.SkipWithError("the chart was not drawn");
    }
    state.counters["mag_limit"] = chart->plottedMagLimit;
}

// Reference: the same stars read, projected and drawn one plain ellipse each.
void PlainLoop(benchmark::State& state, const Frame& f)
{
    if (!std::filesystem::exists(ProgramDir() + "rssao.cat")) {
        state.SkipWithError("no star catalogue");
        return;
    }
    fw::ScriptedMessageBoxes boxes;
    auto chart = MakeChart(f);
    chart->needsRedraw = true;
    chart->RedrawBitmap(); // for the projection's scale and the field's magnitude limit
    const double limit = chart->plottedMagLimit;
    const fw::Rect rect(0, 0, kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    long drawn = 0;
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setPen(Qt::white);
        painter.setBrush(Qt::white);
        SAOdata sao(ProgramDir() + "rssao.cat");
        drawn = 0;
        long records = 0;
        while (records < SAOdata::kDrawPassLimit && sao.ReadNext(sao)) {
            ++records;
            if (!(sao.Magnitude() < limit)) continue;
            fw::Point p;
            if (chart->SkyToScreen(sao.RA(), sao.Dec(), p, rect) != MapInside) continue;
            painter.drawEllipse(QRect(p.x - 2, p.y - 2, 5, 5));
            ++drawn;
        }
        sao.Close();
    }
    state.counters["stars"] = double(drawn);
}

void BM_ChartRedrawM42(benchmark::State& state) { Redraw(state, kOrion); }
void BM_PlainStarLoopM42(benchmark::State& state) { PlainLoop(state, kOrion); }
void BM_ChartRedrawDefault(benchmark::State& state) { Redraw(state, kDefault); }
void BM_PlainStarLoopDefault(benchmark::State& state) { PlainLoop(state, kDefault); }
BENCHMARK(BM_ChartRedrawM42)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainStarLoopM42)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartRedrawDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainStarLoopDefault)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return bench::RunWithQt(argc, argv); }
