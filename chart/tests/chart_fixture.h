// A chart window for command, mouse and dialog tests: the program and user directories in a
// temporary directory, a chart of Orion drawn once so that its scale is set, and the
// program-wide chart state (labels, lines, label options, colours, status bar) given back
// afterwards.
#pragma once

#include <QDir>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/CatalogueTable.h"
#include "chart/ChartLabels.h"
#include "chart/ChartWindow.h"
#include "chart/ConstelLines.h"
#include "chart/EnterLabelDialog.h"
#include "chart/ChartVisibleRegion.h"
#include "chart/tests/sky_fixture.h"
#include "framework/gui/RecordingDC.h"
#include "framework/gui/StatusBar.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/RScolor.h"

namespace chart_testing {

// Stars around Orion: Betelgeuse, Rigel, a faint one between them.
inline const std::vector<Star>& OrionStars()
{
    static const std::vector<Star> stars = {
        {5.919, 7.407, 0.5f, 0.6f}, {5.242, -8.202, 0.1f, 0.2f}, {5.600, -1.000, 6.0f, 6.0f}};
    return stars;
}

class ChartFixture : public ::testing::Test {
protected:
    // The program-wide state (directories, colours, labels, lines, the catalogue table) is
    // back at its start after every test; the window goes before the rest of the fixture.
    void SetUp() override
    {
        ProgramDirectory = dir_.path();
        UserDirectory = dir_.path() + "User/";
        QDir().mkpath(QString::fromStdString(UserDirectory));
        AppGlobals.statusBar = &statusBar_;
    }
    void TearDown() override { chart_.reset(); }

    // The labels and lines every chart window shares.
    static std::vector<ChartLabel>& Labels() { return ChartLabelArray::Instance().Labels(); }
    static std::vector<ConstelLine>& Lines() { return ConstelLineArray::Instance().Lines(); }

    // NGC 1976 (M 42) and NGC 1977 as rows 0 and 1 of the catalogue table.
    static void PutOrionNebulaeInTheTable()
    {
        NGCTable.Clear();
        NGCTable.catalogueNumber[0] = 1976;
        NGCTable.rowOfNumber[1976 - 1] = 0;
        NGCTable.ra[0] = 5.59f;
        NGCTable.dec[0] = -5.4f;
        NGCTable.catalogueNumber[1] = 1977;
        NGCTable.rowOfNumber[1977 - 1] = 1;
        NGCTable.ra[1] = 5.59f;
        NGCTable.dec[1] = -4.85f;
    }

    void WriteStars(const std::vector<Star>& stars) const
    {
        ASSERT_TRUE(testsupport::WriteFileBytes(dir_.file("rssao.cat"), StarRecords(stars)));
    }

    // A 400 x 300 chart of Orion, 40 degrees wide, drawn once.
    ChartWindow& OpenChart(int projection = ProjectionStereographic)
    {
        chart_ = std::make_unique<ChartWindow>(nullptr);
        chart_->resize(400, 300);
        chart_->SetChart(5.6, 0.0, chart_->parallel1, chart_->parallel2, projection);
        chart_->SetField(40, 40);
        Draw();
        return *chart_;
    }
    // Draws the chart as the screen would, which fixes its scale for the mouse.
    void Draw()
    {
        fw::RecordingDC dc(fw::Size(chart_->width(), chart_->height()));
        chart_->DrawChart(dc);
    }
    // Ends the chart window as closing it does: its labels and lines go to their files.
    void CloseChart() { chart_.reset(); }

    fw::Point ScreenOf(double ra, double dec) const
    {
        fw::Point p;
        chart_->SkyToScreen(ra, dec, p, chart_->chartRect);
        return p;
    }
    void Press(const fw::Point& p, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        chart_->SimulateMouse(QEvent::MouseButtonPress, Qt::LeftButton, p, keys);
    }
    void Move(const fw::Point& p, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        chart_->SimulateMouse(QEvent::MouseMove, Qt::LeftButton, p, keys);
    }
    void Release(const fw::Point& p, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        chart_->SimulateMouse(QEvent::MouseButtonRelease, Qt::LeftButton, p, keys);
    }
    void Drag(const fw::Point& from, const fw::Point& to, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        Press(from, keys);
        Move(fw::Point((from.x + to.x) / 2, (from.y + to.y) / 2), keys);
        Move(to, keys);
        Release(to, keys);
    }

    testsupport::TempDir dir_;
    std::unique_ptr<ChartWindow> chart_;
    fw::StatusBar statusBar_;
};

} // namespace chart_testing
