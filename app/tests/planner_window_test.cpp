// The planner as a user meets it: the program started on the real data files opens the
// delivered "Sample.sl4" with its three panes filled, and the planner's commands reach the
// view by their ids through the main window.
#include "app/TStellumApp.h"
#include "app/TStellumMDIChild.h"
#include "app/TStellumMDIClient.h"
#include "app/tests/program_dir.h"
#include "catalog/NGC2000Indexes.h"
#include "chart/ChartPane.h"
#include "chart/ChartWindow.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/Document.h"
#include "framework/gui/MDIFrame.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/Snapshot.h"
#include "globals/Globals.h"
#include "planner/AltitudePlotWindow.h"
#include "planner/GraphPane.h"
#include "planner/STLM4view.h"
#include "planner/TextPane.h"
#include "ui/RScolor.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace apptest;

namespace {

void Settle()
{
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

TEST(PlannerWindow, SampleOpensWithItsPanesFilledAndCommandsReachTheView)
{
    ProgramDir program;
    STELLUM_REQUIRE_DATA(program.DataDir());
    const std::string sample = testsupport::ReadFileBytes(program.DataDir() + "User/Sample.sl4");
    ASSERT_FALSE(sample.empty()) << "the data builder writes User/Sample.sl4";
    ASSERT_TRUE(testsupport::WriteFileBytes(program.Path("User/Sample.sl4"), sample));
    fw::ScriptedMessageBoxes boxes;
    const RScolor colors = RScolor::Instance();

    auto app = program.App();
    ASSERT_TRUE(app->InitInstance());
    ASSERT_EQ(app->GetDocManager()->GetDocuments().size(), 1u);
    auto* view = dynamic_cast<STLM4view*>(app->GetDocManager()->GetDocuments()[0]->FirstView());
    ASSERT_NE(view, nullptr) << "the sample opened in a planner view";
    fw::MDIFrame* frame = app->GetMainWindow();
    frame->resize(1200, 800);
    Settle();

    // The first object of the filtered list fills every pane.
    NGC2000Indexes& db = *AppGlobals.database;
    EXPECT_EQ(db.Selected(), Browser::kFilteredList);
    const ObjectId first = db.CurrentObject();
    EXPECT_EQ(view->CurrentObject(), first);
    EXPECT_EQ(view->GetTextPane()->StoredObject(), first);
    EXPECT_EQ(view->GetChartPane()->Chart()->currentObject, first);
    EXPECT_EQ(view->GetGraphPane()->GetCaption(), "Altitude - Flagstaff, Arizona");
    EXPECT_EQ(view->windowTitle().toStdString(), "Sample.sl4 - " + first.Name());
    EXPECT_EQ(AppGlobals.site->Name(), "Flagstaff, Arizona");
    testsupport::SaveSnapshot(*frame, "planner_start.png");

    // Next, by its id through the main window's command chain.
    ASSERT_TRUE(frame->RouteCommand(STLM4view::CM_NEXT));
    Settle();
    EXPECT_EQ(db.Index(), 1);
    EXPECT_NE(view->CurrentObject(), first);
    EXPECT_EQ(view->GetTextPane()->StoredObject(), view->CurrentObject());
    testsupport::SaveSnapshot(*frame, "planner_next.png");

    // Night vision: the scheme and its check mark follow.
    ASSERT_TRUE(frame->RouteCommand(18412));
    Settle();
    EXPECT_EQ(RScolor::Instance().Scheme(), 1);
    EXPECT_EQ(frame->QueryRoute(18412).check, fw::BF_CHECKED);
    EXPECT_EQ(frame->QueryRoute(18411).check, fw::BF_UNCHECKED);
    testsupport::SaveSnapshot(*frame, "planner_night_vision.png");
    ASSERT_TRUE(frame->RouteCommand(18411));

    // Nothing was changed that needs saving: the planner closes without a question.
    for (const auto& call : boxes.Calls()) ADD_FAILURE() << call.title << ": " << call.text;
    ASSERT_TRUE(frame->close());
    app.reset();
    RScolor::Instance() = colors;
}

} // namespace
