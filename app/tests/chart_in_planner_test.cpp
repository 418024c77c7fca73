// The star chart inside the planner, started on the real data with the delivered sample:
// colours chosen through the chart's own menu are written to the settings file when the
// program ends and are the chart's colours again at the next start, and a chart frame that
// cannot be read while the planner moves on says so and leaves the planner moving on.
#include "app/StellumMenus.h"
#include "app/TStellumApp.h"
#include "app/TStellumMDIClient.h"
#include "app/tests/program_dir.h"
#include "catalog/NGC2000Indexes.h"
#include "chart/ChartFormat.h"
#include "chart/ChartPane.h"
#include "chart/ChartWindow.h"
#include "framework/gui/ColorChooser.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/Document.h"
#include "framework/gui/MDIFrame.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/PopupMenu.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "planner/STLM4view.h"
#include "ui/Configuration.h"
#include "ui/RScolor.h"

#include <QApplication>
#include <QColor>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

using namespace apptest;

namespace {

STLM4view* Planner(TStellumApp& app)
{
    for (fw::Document* doc : app.GetDocManager()->GetDocuments())
        if (auto* planner = dynamic_cast<STLM4view*>(doc->FirstView())) return planner;
    return nullptr;
}

ChartWindow* PlannerChart(TStellumApp& app)
{
    STLM4view* planner = Planner(app);
    return planner && planner->GetChartPane() ? planner->GetChartPane()->Chart() : nullptr;
}

class ChartInPlanner : public ::testing::Test {
protected:
    void SetUp() override
    {
        STELLUM_REQUIRE_DATA(program_.DataDir());
        for (const char* name : {"User/Sample.sl4", "User/Sample.log"}) {
            const std::string bytes = testsupport::ReadFileBytes(program_.DataDir() + name);
            ASSERT_FALSE(bytes.empty()) << "the data builder writes " << name;
            ASSERT_TRUE(testsupport::WriteFileBytes(program_.Path(name), bytes));
        }
    }
    void TearDown() override { RScolor::Instance() = colours_; }

    ProgramDir program_;
    const RScolor colours_ = RScolor::Instance();
};

TEST_F(ChartInPlanner, ColoursChosenInTheChartAreBackAfterARestart)
{
    struct Choice {
        int command;
        int slot;
        QColor colour;
    };
    const Choice choices[] = {{CM_COLORSTARFILL, SlotStarFill, QColor(12, 200, 34)},
                              {CM_COLORBACKGROUND, SlotSkyBackground, QColor(3, 4, 90)},
                              {CM_COLORSHADOW, SlotShadow, QColor(70, 71, 72)}};
    RScolor& rs = RScolor::Instance();
    {
        fw::ScriptedMessageBoxes boxes;
        auto app = program_.App();
        ASSERT_TRUE(app->InitInstance());
        ChartWindow* chart = PlannerChart(*app);
        ASSERT_NE(chart, nullptr) << "the sample opened in a planner with its chart";
        for (const Choice& c : choices) {
            fw::Responder<fw::ColorChooserSeam> chooser([&c](QColor& colour, fw::CustomColors&) {
                colour = c.colour;
                return true;
            });
            fw::ScriptedMenus menus({c.command});
            chart->ShowPopupMenu(fw::Point(5, 5));
            ASSERT_EQ(fw::ColorFromRef(rs.GetColor(c.slot)), c.colour) << c.command;
        }
        // Leaving the program as the user does: the main window closes, then the program ends.
        ASSERT_TRUE(app->GetMainWindow()->close());
        app.reset();
        for (const auto& call : boxes.Calls()) ADD_FAILURE() << call.title << ": " << call.text;
    }
    ASSERT_FALSE(testsupport::ReadFileBytes(program_.Path("User/") + Configuration::kFileName).empty());

    // A new process begins with the program's own colours.
    rs = RScolor();
    for (const Choice& c : choices) ASSERT_NE(fw::ColorFromRef(rs.GetColor(c.slot)), c.colour) << c.command;

    fw::ScriptedMessageBoxes boxes;
    auto app = program_.App();
    ASSERT_TRUE(app->InitInstance());
    ChartWindow* chart = PlannerChart(*app);
    ASSERT_NE(chart, nullptr);
    for (const Choice& c : choices) EXPECT_EQ(fw::ColorFromRef(rs.GetColor(c.slot)), c.colour) << c.command;
    // The window's own background is the sky's kept colour too.
    EXPECT_EQ(chart->GetBkgndColor(), QColor(3, 4, 90));
    ASSERT_TRUE(app->GetMainWindow()->close());
    app.reset();
    for (const auto& call : boxes.Calls()) ADD_FAILURE() << call.title << ": " << call.text;
}

TEST_F(ChartInPlanner, AnUnreadableFrameSaysSoAndThePlannerStillMovesOn)
{
    fw::ScriptedMessageBoxes boxes;
    auto app = program_.App();
    ASSERT_TRUE(app->InitInstance());
    STLM4view* view = Planner(*app);
    ASSERT_NE(view, nullptr);
    ChartWindow* chart = view->GetChartPane()->Chart();
    for (auto* child : app->GetClient()->subWindowList())
        if (child->widget() == view) app->GetClient()->setActiveSubWindow(child);
    QApplication::processEvents();
    const ObjectId first = view->CurrentObject();
    const double ra = chart->centerRA, dec = chart->centerDec, width = chart->fieldWidth;
    {
        fw::Responder<ChartFrameReadSeam> unreadable([](int) { throw std::runtime_error("read error"); });
        ASSERT_TRUE(app->GetMainWindow()->RouteCommand(CM_NEXT));
        QApplication::processEvents();
    }
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Critical Error in Chart->ShowObject");
    // The planner and its chart went on to the next object; the chart's frame stayed.
    EXPECT_EQ(AppGlobals.database->Index(), 1);
    EXPECT_NE(view->CurrentObject(), first);
    EXPECT_EQ(chart->currentObject, view->CurrentObject());
    EXPECT_DOUBLE_EQ(chart->centerRA, ra);
    EXPECT_DOUBLE_EQ(chart->centerDec, dec);
    EXPECT_DOUBLE_EQ(chart->fieldWidth, width);

    // The next move frames its object again, without a word.
    ASSERT_TRUE(app->GetMainWindow()->RouteCommand(CM_NEXT));
    QApplication::processEvents();
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(chart->currentObject, view->CurrentObject());
    EXPECT_NE(chart->centerRA, ra);
    ASSERT_TRUE(app->GetMainWindow()->close());
    app.reset();
    EXPECT_EQ(boxes.Count(), 1) << boxes.Last().title << ": " << boxes.Last().text;
}

} // namespace
