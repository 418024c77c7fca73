// The chart without memory for its screen bitmap: it says so once, leaves the bitmap and
// draws straight into the window from then on.
#include "chart/tests/chart_fixture.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/MessageBox.h"

#include <QCoreApplication>
#include <QImage>

namespace {

using chart_testing::ChartFixture;

class ChartBitmap : public ChartFixture {};

TEST_F(ChartBitmap, WithoutMemoryTheChartSaysSoAndDrawsStraightIntoTheWindow)
{
    WriteStars(chart_testing::OrionStars());
    ChartWindow& chart = OpenChart();
    chart.needsRedraw = true;
    ASSERT_TRUE(chart.RedrawBitmap()) << "with memory the chart keeps its bitmap";
    ASSERT_NE(chart.ChartBitmap(), nullptr);

    chart.needsRedraw = true;
    const std::int64_t limit = fw::Bitmap::MaxBytes();
    fw::Bitmap::SetMaxBytes(1024);
    fw::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(chart.RedrawBitmap());
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().title, "Insufficient Memory for Background Painting");
    EXPECT_EQ(boxes.Last().text, "");
    EXPECT_FALSE(chart.screenMode);
    EXPECT_EQ(chart.ChartBitmap(), nullptr);

    // The window is now painted straight: the sky colour reaches it, no further question.
    chart.needsRedraw = true;
    QImage shown(400, 300, QImage::Format_RGB32);
    shown.fill(Qt::magenta);
    chart.render(&shown);
    QCoreApplication::processEvents();
    fw::Bitmap::SetMaxBytes(limit);
    EXPECT_NE(shown.pixelColor(200, 150), QColor(Qt::magenta)) << "the chart was drawn into the window";
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_FALSE(chart.RedrawBitmap()) << "no bitmap is tried again";
}

} // namespace
