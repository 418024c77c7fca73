// The chart when its drawing fails: it says so in its own message box, keeps what was drawn
// and still ends as a drawing ends, and the next drawing works again.
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "chart/tests/chart_fixture.h"
#include "framework/gui/MessageBox.h"

namespace {

using chart_testing::ChartFixture;

class ChartDrawingFailure : public ChartFixture {};

// A device that fails at its first line, after the sky's background has been painted.
class FailingDC : public fw::RecordingDC {
public:
    using Fault = void (*)();
    FailingDC(fw::Size size, Fault fault) : fw::RecordingDC(size), fault_(fault) {}

protected:
    void DoLine(const fw::Point&, const fw::Point&) override { fault_(); }

private:
    Fault fault_;
};

TEST_F(ChartDrawingFailure, AFailedDrawingSaysSoAndEndsAsADrawingEnds)
{
    struct Case {
        const char* name;
        FailingDC::Fault fault;
        const char* text;
    };
    const Case cases[] = {
        {"failure with a message", [] { throw std::runtime_error("Star catalogue unreadable"); },
         "Star catalogue unreadable"},
        {"failure without one", [] { throw 7; }, "UNKNOWN ERROR"},
    };
    WriteStars(chart_testing::OrionStars());
    ChartWindow& chart = OpenChart();
    for (const Case& c : cases) {
        fw::ScriptedMessageBoxes boxes;
        chart.needsRedraw = true;
        chart.screenMode = true;
        FailingDC dc(fw::Size(chart.width(), chart.height()), c.fault);
        chart.DrawChart(dc);
        ASSERT_EQ(boxes.Count(), 1) << c.name;
        EXPECT_EQ(boxes.Last().title, "SAOWINDOW ERROR") << c.name;
        EXPECT_EQ(boxes.Last().text, c.text) << c.name;
        // What was drawn before the failure stays, and the drawing ended: no drawing is left
        // pending and none is asked for again.
        EXPECT_GT(dc.Count("FillRect"), 0) << c.name;
        EXPECT_FALSE(chart.painting) << c.name;
        EXPECT_FALSE(chart.needsRedraw) << c.name;
        EXPECT_EQ(chart.progressText, "Chart View - " + chart.ProjectionName()) << c.name;
    }

    // The next drawing works again.
    fw::ScriptedMessageBoxes boxes;
    chart.needsRedraw = true;
    fw::RecordingDC dc(fw::Size(chart.width(), chart.height()));
    chart.DrawChart(dc);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_GT(dc.Count("Line"), 0);
    EXPECT_FALSE(chart.painting);
}

} // namespace
