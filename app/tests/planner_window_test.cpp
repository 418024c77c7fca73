// The planner as a user meets it: the program started on the real data files opens the
// delivered "Sample.sl4" with its three panes filled, the planner's commands reach the view by
// their ids through the main window, and the sample's observing list prints.
#include "app/TStellumApp.h"
#include "app/TStellumMDIChild.h"
#include "app/TStellumMDIClient.h"
#include "app/PrintFormatWindow.h"
#include "app/tests/print_choice.h"
#include "app/tests/program_dir.h"
#include "catalog/NGC2000Indexes.h"
#include "chart/ChartPane.h"
#include "chart/ChartWindow.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/Document.h"
#include "framework/gui/MDIFrame.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/Printer.h"
#include "framework/testsupport/Snapshot.h"
#include "globals/Globals.h"
#include "planner/AltitudePlotWindow.h"
#include "planner/GraphPane.h"
#include "planner/STLM4view.h"
#include "planner/TextPane.h"
#include "ui/RScolor.h"

#include <QApplication>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

using namespace apptest;

namespace {

void Settle()
{
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// The program started on a program directory of its own with the delivered sample.
class PlannerWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        STELLUM_REQUIRE_DATA(program_.DataDir());
        const std::string sample = testsupport::ReadFileBytes(program_.DataDir() + "User/Sample.sl4");
        ASSERT_FALSE(sample.empty()) << "the data builder writes User/Sample.sl4";
        ASSERT_TRUE(testsupport::WriteFileBytes(program_.Path("User/Sample.sl4"), sample));
        // The first start opens both samples, the log first.
        ASSERT_TRUE(testsupport::WriteFileBytes(program_.Path("User/Sample.log"),
                                                testsupport::ReadFileBytes(program_.DataDir() + "User/Sample.log")));
        app_ = program_.App();
        ASSERT_TRUE(app_->InitInstance());
        ASSERT_EQ(app_->GetDocManager()->GetDocuments().size(), 2u);
        for (fw::Document* doc : app_->GetDocManager()->GetDocuments())
            if (auto* planner = dynamic_cast<STLM4view*>(doc->FirstView())) view_ = planner;
        ASSERT_NE(view_, nullptr) << "the sample opened in a planner view";
        frame_ = app_->GetMainWindow();
        frame_->resize(1200, 800);
        Settle();
    }
    void TearDown() override
    {
        if (app_) {
            // Nothing was changed that needs saving: the planner closes without a question.
            for (const auto& call : boxes_.Calls()) ADD_FAILURE() << call.title << ": " << call.text;
            EXPECT_TRUE(frame_->close());
            app_.reset();
        }
    }

    ProgramDir program_;
    fw::ScriptedMessageBoxes boxes_;
    std::unique_ptr<TStellumApp> app_;
    STLM4view* view_ = nullptr;
    fw::MDIFrame* frame_ = nullptr;
};

TEST_F(PlannerWindow, SampleOpensWithItsPanesFilledAndCommandsReachTheView)
{
    STLM4view* view = view_;
    fw::MDIFrame* frame = frame_;

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
    // The log's form beside it, as the Window menu's Tile would place them.
    app_->GetClient()->tileSubWindows();
    Settle();
    testsupport::SaveSnapshot(*frame, "planner_and_log_tiled.png");
    for (auto* child : app_->GetClient()->subWindowList())
        if (child->widget() == view) {
            app_->GetClient()->setActiveSubWindow(child);
            child->showMaximized();
        }
    Settle();

    // Next, by its id through the main window's command chain.
    ASSERT_TRUE(frame->RouteCommand(CM_NEXT));
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

}

// The observing list of the sample (five objects) in three graphics formats and as text.
TEST_F(PlannerWindow, SampleObservingListPrints)
{
    const std::string pdf = program_.Path("list.pdf");
    app_->GetClient()->Printer().SetOutputFile(pdf);
    const struct {
        int format;
        int pages;
        const char* picture;
    } cases[] = {
        {1, 5, "print_format1.png"},  // one object per landscape page
        {2, 2, "print_format2.png"},  // four per landscape page
        {7, 1, "print_format7.png"},  // eight per portrait page
        {8, 2, "print_text.png"},     // the list as text, three objects a page
    };
    const ObjectId shown = view_->CurrentObject();
    for (const auto& c : cases) {
        std::remove(pdf.c_str());
        fw::ScriptedDialogs dialogs(ChoosePrint(PrintSourceObservingList, c.format, true));
        app_->GetClient()->CmFilePrint();
        ASSERT_EQ(dialogs.Count(), 1) << c.format;
        const std::string bytes = testsupport::ReadFileBytes(pdf);
        EXPECT_EQ(testsupport::PdfPageCount(bytes), c.pages) << c.format;
        EXPECT_EQ(PrintingCount, 0);
        EXPECT_EQ(view_->CurrentObject(), shown) << "the view shows its object again";
        // The first page as a picture, for a person to look at.
        const std::string png = testsupport::SnapshotPath(c.picture);
        if (!png.empty())
            QProcess::execute("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile",
                                           QString::fromStdString(pdf),
                                           QString::fromStdString(png.substr(0, png.size() - 4))});
    }
    EXPECT_NE(testsupport::ReadFileBytes(program_.Path("User/prntxt.txt")).find("NGC 224"), std::string::npos)
        << "the text printout keeps its copy";

    // The log window prints the log through its report.
    std::remove(pdf.c_str());
    fw::ScriptedDialogs dialogs(ChoosePrint(PrintSourceLog, 8, false));
    app_->GetClient()->CmFilePrint();
    ASSERT_EQ(dialogs.Count(), 1);
    EXPECT_GE(testsupport::PdfPageCount(testsupport::ReadFileBytes(pdf)), 2);
    EXPECT_NE(testsupport::ReadFileBytes(program_.Path("User/OBSLOG.TXT")).find("M 31 is a Galaxy"), std::string::npos);
}

} // namespace
