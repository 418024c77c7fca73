// The planner's whole start-up on the real data files in a temporary program directory:
// the global objects and the start-up log, the resolution level and the clock timer, the
// desktop association and its removal, the first run without settings, closing and
// starting again with the window states and documents restored, and damaged or missing
// data files that leave the program usable and the user's files intact.
#include "app/MainToolbar.h"
#include "app/StellumMenus.h"
#include "app/StellumStatusBar.h"
#include "app/TStellumApp.h"
#include "app/TStellumMDIChild.h"
#include "app/TStellumMDIClient.h"
#include "app/tests/program_dir.h"
#include "app/tests/test_templates.h"
#include "astro/Moon.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/MDIFrame.h"
#include "framework/gui/MessageBox.h"
#include "framework/sys/DesktopAssociation.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/Configuration.h"
#include "ui/LogErrors.h"
#include "ui/StellumConfig.h"
#include "ui/TStatusDlg.h"
#include "framework/testsupport/Snapshot.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <utility>
#include <sys/stat.h>
#include <unistd.h>

using namespace apptest;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

bool Exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::vector<std::string> StatusLines()
{
    std::vector<std::string> lines;
    if (!StatusWindow) return lines;
    for (int i = 0; i < StatusWindow->LineCount(); ++i) lines.push_back(StatusWindow->Line(i));
    return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& start)
{
    for (const auto& l : lines)
        if (l.compare(0, start.size(), start) == 0) return true;
    return false;
}

// The saved state as the configuration file holds it.
StellumConfig SavedState(const ProgramDir& program)
{
    Configuration store(program.Path("User/STLMCNFG.RSX"));
    StellumConfig state("Stellum 4");
    store.Load(state);
    return state;
}

// Runs the application through its close test and its destruction, as leaving it does.
void CloseAndEnd(std::unique_ptr<TStellumApp>& app)
{
    ASSERT_TRUE(app->GetMainWindow()->close());
    app.reset();
}

TEST(Startup, WholeStartUpOnTheRealDataFirstRunWithoutSettings)
{
    ProgramDir program;
    STELLUM_REQUIRE_DATA(program.DataDir());
    TestTemplates templates;
    // No configuration file: the default window-state words open both sample documents.
    ASSERT_TRUE(WriteFileBytes(program.Path("User/Sample.log"), "log\n"));
    ASSERT_TRUE(WriteFileBytes(program.Path("User/Sample.sl4"), "plan\n"));

    auto app = program.App();
    ASSERT_TRUE(app->InitInstance());
    EXPECT_TRUE(TStellumApp::AllGlobalsInitialized());
    EXPECT_TRUE(TStellumApp::startupComplete);
    EXPECT_EQ(ProgramDirectory, program.Path(""));
    EXPECT_EQ(UserDirectory, program.Path("User/"));

    std::vector<std::string> lines = StatusLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Command Line: " + program.Program());
    EXPECT_EQ(lines[1], "FPU DETECTED");
    EXPECT_EQ(lines[2], "Speed Evaluation = " + std::to_string(app->SpeedTicks()));
    EXPECT_TRUE(HasLine(lines, "All Globals Initialized"));
    EXPECT_FALSE(HasLine(lines, "Failure during Global Initialization"));
    EXPECT_TRUE(HasLine(lines, "Calculating Solar Coordinates \u00B112hr for "));
    EXPECT_TRUE(StatusWindow->isHidden());
    EXPECT_TRUE(Exists(program.Path("status.txt")));

    // The clock runs at the level's period; the speed test picked the level.
    fw::MDIFrame* frame = app->GetMainWindow();
    EXPECT_EQ(TStellumApp::resolutionLevel, app->SpeedTicks() < 101 ? 2 : 1);
    EXPECT_EQ(frame->TimerInterval(TStellumApp::kClockTimer), TStellumApp::ClockPeriod(TStellumApp::resolutionLevel));

    // The samples were reopened, the log first; each in its own kind of child.
    ASSERT_EQ(app->GetDocManager()->GetDocuments().size(), 2u);
    EXPECT_EQ(app->GetDocManager()->GetDocuments()[0]->GetTitle(), "Sample.log");
    EXPECT_EQ(app->GetDocManager()->GetDocuments()[1]->GetTitle(), "Sample.sl4");
    ASSERT_NE(app->GetClient()->FirstChildOfKind(TStellumMDIChild::kLog), nullptr);
    ASSERT_NE(app->GetClient()->FirstChildOfKind(TStellumMDIChild::kPlanner), nullptr);
    EXPECT_TRUE(app->GetClient()->FirstChildOfKind(TStellumMDIChild::kPlanner)->isMaximized());
    // The planner is active: its menus are merged in.
    EXPECT_EQ(frame->CurrentMenu().Describe(),
              "&File|&Edit|&Search|&View|&Preferences|Pla&nner|&Window|&Help");

    // Status bar times, tool bar, recent files, the desktop association.
    EXPECT_EQ(app->GetStatusBar()->GadgetText(StellumStatusBar::kSiderealGadget).substr(0, 6), " LST  ");
    EXPECT_FALSE(app->GetStatusBar()->GadgetText(StellumStatusBar::kLocalTimeGadget).empty());
    EXPECT_EQ(AppGlobals.statusBar, app->GetStatusBar());
    EXPECT_EQ(app->GetToolbar()->Layout().size(), 18u);
    EXPECT_EQ(app->Recent().Files().front(), program.Path("User/Sample.sl4"));
    fw::DesktopAssociation association{"stellum-planner", "application/x-stellum-planner", "", "", "", ""};
    EXPECT_TRUE(Exists(association.DesktopEntryPath()));
    EXPECT_NE(ReadFileBytes(association.DesktopEntryPath()).find(program.Program() + "\" %f"), std::string::npos);

    frame->resize(1000, 700);
    testsupport::SaveSnapshot(*frame, "main_window.png");

    CloseAndEnd(app);
    EXPECT_EQ(AppGlobals.statusBar, nullptr) << "the status bar took itself out";
    EXPECT_EQ(AppGlobals.database, nullptr);
    EXPECT_TRUE(Exists(program.Path("User/STLMCNFG.RSX")));
    EXPECT_TRUE(Exists(program.Path("indexes.rsx")));
}

TEST(Startup, ResolutionSwitchesSetTheLevelAndTheClockPeriod)
{
    struct Case {
        const char* argument;
        int level;
        int period;
        bool forcedLine;
    } cases[] = {{"\\L", 1, 30000, true}, {"\\H", 2, 100, false}};
    for (const Case& c : cases) {
        ProgramDir program;
        STELLUM_REQUIRE_DATA(program.DataDir());
        auto app = program.App({c.argument});
        ASSERT_TRUE(app->InitInstance());
        EXPECT_EQ(TStellumApp::resolutionLevel, c.level) << c.argument;
        EXPECT_EQ(app->GetMainWindow()->TimerInterval(TStellumApp::kClockTimer), c.period) << c.argument;
        EXPECT_EQ(HasLine(StatusLines(), "Force Low Resolution Files"), c.forcedLine) << c.argument;
        EXPECT_EQ(AppGlobals.moon->State(), c.level) << "the Moon's series of the level";
        CloseAndEnd(app);
    }
}

TEST(Startup, UnregisterOptionRemovesTheAssociationAnyOtherCommandLineWritesIt)
{
    ProgramDir program;
    TStellumApp app({program.Program()});
    fw::DesktopAssociation association{"stellum-planner", "application/x-stellum-planner", "", "", "", ""};
    struct Case {
        std::vector<std::string> tokens;
        bool registered;
    } cases[] = {
        {{"/unregister"}, false}, {{"-UNREG"}, false},       {{"/u"}, false},
        {{"plan.sl4", "/Unr"}, false}, {{"-unregisterx"}, true}, {{"/home/u/plan.sl4"}, true},
        {{"\\L"}, true},          {{}, true},
    };
    for (const Case& c : cases) {
        app.RegisterFileTypes();
        ASSERT_TRUE(Exists(association.DesktopEntryPath()));
        app.ProcessCommandLine(c.tokens);
        std::string line;
        for (const auto& t : c.tokens) line += t + " ";
        EXPECT_EQ(Exists(association.DesktopEntryPath()), c.registered) << line;
        EXPECT_EQ(Exists(association.MimePackagePath()), c.registered) << line;
    }
}

TEST(Startup, CloseAndRestartRestoresWindowStatesAndReopensTheDocuments)
{
    ProgramDir program;
    STELLUM_REQUIRE_DATA(program.DataDir());
    TestTemplates templates;
    ASSERT_TRUE(WriteFileBytes(program.Path("night.log"), "log\n"));
    ASSERT_TRUE(WriteFileBytes(program.Path("m31.sl4"), "plan\n"));
    {
        auto app = program.App();
        ASSERT_TRUE(app->InitInstance());
        EXPECT_TRUE(app->GetDocManager()->GetDocuments().empty()) << "no samples to open";
        EXPECT_TRUE(HasLine(StatusLines(), "Unable to find " + program.Path("User/Sample.log")));
        app->OpenFiles({program.Path("night.log"), program.Path("m31.sl4")});
        TStellumMDIChild* log = app->GetClient()->FirstChildOfKind(TStellumMDIChild::kLog);
        TStellumMDIChild* planner = app->GetClient()->FirstChildOfKind(TStellumMDIChild::kPlanner);
        ASSERT_TRUE(log && planner);
        planner->showNormal();
        log->showMinimized();
        app->GetMainWindow()->showMaximized();
        CloseAndEnd(app);
    }
    StellumConfig saved = SavedState(program);
    EXPECT_EQ(saved.mainWindowState, 9);
    EXPECT_EQ(saved.logWindowState, 3);
    EXPECT_EQ(saved.plannerWindowState, 5);
    EXPECT_EQ(saved.lastLogFile, program.Path("night.log"));
    EXPECT_EQ(saved.lastPlannerFile, program.Path("m31.sl4"));

    auto app = program.App();
    ASSERT_TRUE(app->InitInstance());
    EXPECT_EQ(app->GetCmdShow(), fw::SW_SHOWMAXIMIZED);
    ASSERT_EQ(app->GetDocManager()->GetDocuments().size(), 2u);
    EXPECT_EQ(app->GetDocManager()->GetDocuments()[0]->GetDocPath(), program.Path("night.log"));
    EXPECT_TRUE(app->GetClient()->FirstChildOfKind(TStellumMDIChild::kLog)->isMinimized());
    EXPECT_FALSE(app->GetClient()->FirstChildOfKind(TStellumMDIChild::kPlanner)->isMaximized());
    // The recent files kept both, newest first, in the working directory's Stellum.ini.
    EXPECT_EQ(app->Recent().Files(),
              (std::vector<std::string>{program.Path("m31.sl4"), program.Path("night.log")}));
    EXPECT_TRUE(Exists(program.Path("Stellum.ini")));

    // With only the log open, the planner's list commands are disabled and unchecked.
    app->GetDocManager()->DeleteDoc(app->GetDocManager()->GetDocuments()[1]);
    QCoreApplication::processEvents();
    for (int id : {CM_OBSERVINGLIST, CM_FILTEREDLIST}) {
        fw::CommandEnabler ce = app->GetMainWindow()->QueryRoute(id);
        EXPECT_FALSE(ce.enabled) << id;
        EXPECT_EQ(ce.check, fw::BF_UNCHECKED) << id;
    }
    EXPECT_TRUE(app->GetMainWindow()->QueryRoute(CM_OBSERVINGLOG).enabled);
    CloseAndEnd(app);
}

TEST(Startup, DamagedOrMissingDataShowsItsLineAndLosesNothingTheUserSaved)
{
    const std::string garbage = "not a file of this program\n";
    struct Case {
        const char* what;
        const char* file;    // replaced by garbage (or removed)
        bool remove;
        const char* line;    // the status line that says so
        bool keptAside;      // the user's file is kept as file + ".bad", said in the debug log too
        int boxes;           // message boxes (the database reports a damaged state itself)
    } cases[] = {
        {"missing catalogue", "ngc2k.rsx", true, "Unable to open ", false, 0},
        {"damaged Moon series", "elplores.rsx", false, "Moon series not loaded", false, 0},
        {"damaged configuration", "User/STLMCNFG.RSX", false, "Configuration file damaged", true, 0},
        {"damaged catalogue state", "indexes.rsx", false, "Saved catalogue state unreadable", true, 1},
    };
    for (const Case& c : cases) {
        ProgramDir program;
        STELLUM_REQUIRE_DATA(program.DataDir());
        program.Replace(c.file, c.remove ? nullptr : &garbage);
        fw::ScriptedMessageBoxes boxes;
        DebugLog().Reset(program.Path("debug.txt"));
        auto app = program.App({"\\L"});
        ASSERT_TRUE(app->InitInstance()) << c.what;
        EXPECT_TRUE(HasLine(StatusLines(), c.line)) << c.what;
        EXPECT_NE(app->GetMainWindow(), nullptr);
        CloseAndEnd(app);
        if (c.keptAside) {
            EXPECT_EQ(ReadFileBytes(program.Path(std::string(c.file) + ".bad")), garbage) << c.what;
            std::vector<std::string> logged;
            std::istringstream log(ReadFileBytes(program.Path("debug.txt")));
            for (std::string l; std::getline(log, l);) logged.push_back(l);
            EXPECT_TRUE(HasLine(logged, c.line)) << c.what;
        }
        DebugLog().Reset();
        EXPECT_EQ(boxes.Count(), c.boxes) << c.what;
    }
}

TEST(Startup, MissingCatalogueLeavesTheSavedCatalogueStateAsItWas)
{
    ProgramDir program;
    STELLUM_REQUIRE_DATA(program.DataDir());
    {
        auto app = program.App({"\\L"});
        ASSERT_TRUE(app->InitInstance());
        AppGlobals.database->AddRowToObservingList(31);
        CloseAndEnd(app);
    }
    const std::string saved = ReadFileBytes(program.Path("indexes.rsx"));
    ASSERT_FALSE(saved.empty());
    program.Replace("ngc2k.rsx", nullptr);
    auto app = program.App({"\\L"});
    ASSERT_TRUE(app->InitInstance());
    CloseAndEnd(app);
    EXPECT_EQ(ReadFileBytes(program.Path("indexes.rsx")), saved);
}

} // namespace
