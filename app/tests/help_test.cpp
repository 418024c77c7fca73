// The planner's help: the help commands open the page at their contexts, the help cursor shows
// the next command's help instead of running it, its keys, and a section of the delivered page
// for every help context the dialogs and commands use.
#include "app/PrintOptionsDlg.h"
#include "app/StellumMenus.h"
#include "app/TStellumApp.h"
#include "app/tests/program_dir.h"
#include "catalog/BrightFltDlg.h"
#include "catalog/CommonNameDlg.h"
#include "catalog/HistoryFltDlg.h"
#include "catalog/MainFilterDialog.h"
#include "catalog/NameFltDlg.h"
#include "catalog/PositFltDlg.h"
#include "catalog/RaDecFltDlg.h"
#include "catalog/SizeFltDlg.h"
#include "catalog/SortNGCdlg.h"
#include "catalog/TFind.h"
#include "catalog/TypeFilterDialog.h"
#include "catalog/brightDlg.h"
#include "catalog/constFilter.h"
#include "catalog/shapeDlg.h"
#include "catalog/sizeDlg.h"
#include "catalog/visible.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/Help.h"
#include "framework/gui/MDIFrame.h"
#include "framework/gui/MessageBox.h"
#include "ui/Clocks.h"
#include "ui/ListChooser.h"
#include "ui/Locate.h"
#include "ui/ObsSessionDlg.h"
#include "ui/timedate.h"
#include "ui/tZoneDlg.h"

#include <gtest/gtest.h>

using namespace apptest;

namespace {

TEST(Help, CommandsAndTheHelpCursor)
{
    ProgramDir program;
    STELLUM_REQUIRE_DATA(program.DataDir());
    fw::ScriptedMessageBoxes boxes;
    auto app = program.App();
    ASSERT_TRUE(app->InitInstance());
    fw::MDIFrame* frame = app->GetMainWindow();
    fw::RecordedHelp help;
    for (int command : {CM_HELPCONTENTS, CM_HELPHINTS, CM_HELPUSING, CM_HELPTOPIC7, CM_CUSTOMERSERVICE})
        ASSERT_TRUE(frame->RouteCommand(command)) << command;
    EXPECT_EQ(help.Contexts(), (std::vector<int>{0, 2003, 2002, 7, 58}));
    EXPECT_TRUE(TStellumApp::helpOpen);

    // The help cursor: the next command shows its help and does not run.
    ASSERT_TRUE(frame->RouteCommand(CM_HELPCURSOR));
    EXPECT_TRUE(app->HelpCursorOn());
    EXPECT_EQ(frame->QueryRoute(CM_HELPCURSOR).check, fw::BF_CHECKED);
    fw::ScriptedDialogs dialogs([](fw::Dialog&) { return fw::IDCANCEL; });
    ASSERT_TRUE(frame->RouteCommand(CM_CLOCKS));
    EXPECT_EQ(dialogs.Count(), 0) << "the command did not run";
    EXPECT_EQ(help.Contexts().back(), CM_CLOCKS);
    EXPECT_FALSE(app->HelpCursorOn());
    ASSERT_TRUE(frame->RouteCommand(CM_CLOCKS));
    EXPECT_EQ(dialogs.Count(), 1) << "with the cursor off it runs";

    // Its keys: Shift+F1 on, Escape off (and only then taken), F1 alone left to the accelerator.
    EXPECT_TRUE(app->HelpKey(Qt::Key_F1, Qt::ShiftModifier));
    EXPECT_TRUE(app->HelpCursorOn());
    EXPECT_TRUE(app->HelpKey(Qt::Key_Escape, Qt::NoModifier));
    EXPECT_FALSE(app->HelpCursorOn());
    EXPECT_FALSE(app->HelpKey(Qt::Key_Escape, Qt::NoModifier));
    EXPECT_FALSE(app->HelpKey(Qt::Key_F1, Qt::NoModifier));
    ASSERT_TRUE(frame->close());
}

TEST(Help, WithoutABrowserTheUserIsToldWhereThePageIs)
{
    ProgramDir program;
    STELLUM_REQUIRE_DATA(program.DataDir());
    const std::string page = program.Path("stellum.html");
    ASSERT_TRUE(testsupport::WriteFileBytes(page, "<html></html>"));
    fw::ScriptedMessageBoxes boxes;
    auto app = program.App();
    ASSERT_TRUE(app->InitInstance());
    fw::MDIFrame* frame = app->GetMainWindow();
    fw::Responder<fw::HelpSeam> noBrowser([](int) { return false; });

    ASSERT_TRUE(frame->RouteCommand(CM_HELPCONTENTS));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_NE(boxes.Calls()[0].text.find("No web browser"), std::string::npos) << boxes.Calls()[0].text;
    EXPECT_NE(boxes.Calls()[0].text.find(page), std::string::npos) << "names the page";
    EXPECT_FALSE(TStellumApp::helpOpen);

    // Without the page, the user learns that it is missing.
    std::remove(page.c_str());
    ASSERT_TRUE(frame->RouteCommand(CM_HELPHINTS));
    ASSERT_EQ(boxes.Calls().size(), 2u);
    EXPECT_NE(boxes.Calls()[1].text.find("is missing"), std::string::npos) << boxes.Calls()[1].text;
    ASSERT_TRUE(frame->close());
}

TEST(Help, DeliveredPageHasASectionForEveryContext)
{
    const std::string dir = testsupport::ProgramDataDir("stellum.html");
    STELLUM_REQUIRE_DATA(dir);
    const std::string page = testsupport::ReadFileBytes(dir + "stellum.html");
    const int contexts[] = {
        0, 7, 58, 2002, 2003, PrintOptionsDlg::kHelpContext, BrightFltDlg::kHelpContext,
        CommonNameDlg::kHelpContext, HistoryFltDlg::kHelpContext, MainFilterDialog::kHelpContext,
        NameFltDlg::kHelpContext, PositFltDlg::kHelpContext, RaDecFltDlg::kHelpContext, SizeFltDlg::kHelpContext,
        SortNGCdlg::kHelpContext, TFind::kHelpContext, TypeFilterDialog::kHelpContext, brightDlg::kHelpContext,
        constFilter::kHelpContext, shapeDlg::kHelpContext, sizeDlg::kHelpContext, visible::kHelpContext,
        Clocks::kHelpContext, ListChooser::kHelpContext, Locate::kHelpContext, ObsSessionDlg::kHelpContext,
        tZoneDlg::kHelpContext, timedate::kHelpContext,
        // The planner's commands, for the help cursor.
        CM_FIRST, CM_NEXT, CM_FILTER, CM_SORT, CM_EDITFIND, CM_ADDTOOBSLIST, CM_TRANSFERTOLOG, CM_MANUALTIME,
        CM_SITELOCATION, CM_TIMEZONE, CM_OBSERVINGSESSION, CM_CLOCKS, CM_FILEPRINT,
    };
    for (int context : contexts)
        EXPECT_NE(page.find("id=\"context-" + std::to_string(context) + "\""), std::string::npos) << context;
}

} // namespace
