// Charts of the real catalogues drawn offscreen, for a person to look at: the default chart,
// M 42 in Orion, the north pole in a conic, a night with the Moon beside Jupiter and Saturn,
// and that chart printed in the printer scheme. The pictures go to $STELLUM_SNAPSHOT_DIR when
// it is set; the drawing runs in every case.
#include "chart/ChartPane.h"
#include "chart/ChartWindow.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "chart/ChartLabels.h"
#include "chart/ConstelLines.h"
#include "chart/ChartVisibleRegion.h"
#include "chart/tests/sky_fixture.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/PainterDC.h"
#include "framework/gui/Window.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/RScolor.h"
#include "framework/testsupport/Snapshot.h"

namespace {

class PlannerStandIn : public fw::Window {
public:
    PlannerStandIn() : fw::Window(nullptr, "planner") {}
};

class ChartSnapshots : public ::testing::Test {
protected:
    void SetUp() override
    {
        data_ = testsupport::ProgramDataDir("rssao.cat");
        if (data_.empty()) return;
        ProgramDirectory = data_;
        UserDirectory = dir_.path() + "User/";
        QDir().mkpath(QString::fromStdString(UserDirectory));
        QFile::copy(QString::fromStdString(data_ + "User/conlines.rsx"),
                    QString::fromStdString(UserDirectory + "conlines.rsx"));
        NGC2000Indexes::ReadDatabase(data_ + "ngc2k.rsx");
    }

    // The planner's pane area with the chart pane filling it, drawn and grabbed.
    void Snap(ChartPane& pane, const std::string& name)
    {
        ChartWindow* chart = pane.Chart();
        chart->needsRedraw = true;
        ASSERT_TRUE(chart->RedrawBitmap()) << name;
        const QImage image = pane.window()->grab().toImage();
        EXPECT_FALSE(image.isNull());
        testsupport::SaveSnapshot(image, name);
    }

    std::string data_;
    testsupport::TempDir dir_;
};

TEST_F(ChartSnapshots, RealSky)
{
    STELLUM_REQUIRE_DATA(data_);
    fw::ScriptedMessageBoxes boxes;
    RScolor::Instance().SetScheme(SchemeNormal);
    // The evening of 2020 December 16 in Virginia: the Moon's crescent beside Jupiter and
    // Saturn four days before their great conjunction.
    chart_testing::SkyObjects sky(data_, JulianDate(2459200.5, JulianDate::kJulianDay));

    PlannerStandIn planner;
    planner.resize(1024, 768);
    auto* pane = new ChartPane(&planner, "Chart Pane");
    pane->setGeometry(0, 0, 1024, 768);
    planner.show();
    pane->EnsureSetUp();
    pane->show();
    ChartWindow* chart = pane->Chart();
    ASSERT_NE(chart, nullptr);
    chart->starMagLimit = 9.0;

    Snap(*pane, "chart_default.png");

    ASSERT_TRUE(chart->ShowObject(ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, 1976), false));
    EXPECT_DOUBLE_EQ(chart->fieldWidth, 20);
    Snap(*pane, "chart_m42.png");

    chart->SetChart(0.0, 90.0, 60.0, 80.0, ProjectionConformalConic2);
    chart->SetField(30, 30);
    chart->SetMark(2.53, 89.26); // Polaris
    Snap(*pane, "chart_pole_conic.png");

    // The default frame in the equal-area conic on its standard parallels.
    chart->SetChart(18.0, -35.0, -25.0, -47.0, ProjectionAreaConic);
    chart->SetField(90, 90);
    chart->SetMark(18.0, -35.0);
    Snap(*pane, "chart_area_conic.png");

    chart->SetChart(0.0, 90.0, 60.0, 80.0, ProjectionStereographic);
    ASSERT_TRUE(chart->ShowObject(ObjectId(ObjectId::kMoon), false));
    chart->SetField(40, 30);
    Snap(*pane, "chart_moon_planets.png");

    // The same chart through the printer: the printer scheme, into a PDF and a picture.
    const std::string shot = testsupport::SnapshotPath("chart_print.pdf");
    const std::string pdf = shot.empty() ? dir_.file("chart.pdf") : shot;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        fw::PainterDC dc(&printer);
        dc.SetDeviceFacts(true, 2);
        pane->printStripHeight = printer.resolution() / 3;
        const fw::Size page = dc.DeviceSize();
        pane->PrintTo(dc, 0, fw::Rect(page.cx / 20, page.cy / 20, page.cx - page.cx / 20, page.cy - page.cy / 20));
    }
    EXPECT_GT(QFile(QString::fromStdString(pdf)).size(), 1000);
    fw::Bitmap paper(1600, 1130);
    paper.Fill(QColor(255, 255, 255));
    {
        fw::PainterDC dc(paper);
        dc.SetDeviceFacts(true, 2);
        pane->printStripHeight = 40;
        pane->PrintTo(dc, 0, fw::Rect(40, 40, 1560, 1090));
    }
    testsupport::SaveSnapshot(paper.Image(), "chart_print.png");
    EXPECT_TRUE(boxes.Calls().empty());
}

} // namespace
