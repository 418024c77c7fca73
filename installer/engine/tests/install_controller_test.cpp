// The install controller: its parameters from "kwmain.ini", the end modes, the numbered logs
// that the end of a run keeps or joins, the run's result written back, and whole installs of
// small packages made by the project's packer, answered headless.
#include "framework/gui/FileDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/Responder.h"
#include "framework/sys/DynamicLibrary.h"
#include "framework/sys/RegistryStore.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "framework/testsupport/RootFixture.h"
#include "framework/testsupport/Snapshot.h"
#include "framework/testsupport/TestSupport.h"
#include "installer/engine/InstallController.h"
#include "installer/engine/InstallScreen.h"
#include "installer/engine/OpLog.h"
#include "installer/engine/PackageSetup.h"
#include "installer/engine/MoveRequest.h"
#include "installer/engine/UndoDialog.h"
#include "installer/engine/WinMain.h"
#include "installer/support/DialogBox.h"
#include "installer/engine/packer/PackDescription.h"
#include "installer/engine/packer/Packer.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/RegKey.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;
using namespace kw;

namespace {

std::string ProgramDir()
{
    const char* dir = std::getenv("STELLUM_PROGRAM_DIR");
    return dir ? dir : "";
}

class InstallRun : public RootFixture {
protected:
    fw::ScriptedMessageBoxes boxes;
    std::vector<MessageBoxRequest> questions;
    std::vector<int> answers; // button indexes for the installer's own boxes, in order
    bool enterWhenUnscripted = false; // else the first button
    std::function<void(const MessageBoxRequest&)> answerHook;
    fw::Responder<MessageBoxSeam> answer{[this](const MessageBoxRequest& r) {
        questions.push_back(r);
        if (answerHook) answerHook(r);
        // Unscripted: Cancel a retry question (a retry would loop), else the first button, or
        // the default one (Enter).
        if (answers.empty() && enterWhenUnscripted) return r.defaultButton;
        if (answers.empty()) return !r.buttons.empty() && r.buttons[0] == "&Retry" ? 1 : 0;
        const int a = answers.front();
        answers.erase(answers.begin());
        return a;
    }};

    void SetUp() override
    {
        RootFixture::SetUp();
        // The compression library lies beside the programs.
        if (!ProgramDir().empty()) fw::DynamicLibrary::AddSearchDirectory(ProgramDir());
    }

    // The uninstaller from its back directory: stage 1 hands log 000 to a copy at the drive
    // root, stage 2 undoes it and the copy goes. With the mover in the Windows directory the
    // mover does the moving (run here, in-process); without it the uninstaller does it itself.
    void UninstallBothStages(const std::string& back)
    {
        const bool withMover = fs::exists(C("WINDOWS/movexe"));
        std::vector<std::string> started;
        MoveRunOptions mover;
        mover.waitMilliseconds = 0;
        mover.requesterRunning = [](long) { return false; };
        mover.start = [&](const std::string& program) {
            started.push_back(program);
            return true;
        };
        fw::Responder<MoverStartSeam> launch{[&](const std::string& program) {
            if (!withMover) started.push_back(program);
            return true;
        }};
        fw::Responder<DialogSeam> user{[this](Dialog& d, const std::string& name) {
            if (name == "DLGUNDOASKQUIT") return static_cast<int>(UndoDialog::kQuitFinished);
            d.Command(UndoDialog::kStart);
            if (afterUndo) afterUndo(d);
            d.Command(UndoDialog::kClose);
            return 0;
        }};
        EXPECT_EQ(WinMain(back), 1) << "stage 1 ends once the copy is handed over";
        if (withMover) {
            EXPECT_EQ(RunMoveRequest(mover), kMoveDone);
        }
        EXPECT_EQ(started, std::vector<std::string>{"C:\\kwmain"});
        EXPECT_TRUE(fs::exists(C("kwmain")));
        EXPECT_EQ(WinMain("C:\\"), 0);
        if (withMover) {
            EXPECT_EQ(RunMoveRequest(mover), kMoveDone);
        }
        EXPECT_FALSE(fs::exists(C("kwmain")));
        EXPECT_FALSE(fs::exists(C("WINDOWS/movexe.ini"))) << "no request left";
    }

    // Looks at the uninstaller's dialog once the undo ran.
    std::function<void(Dialog&)> afterUndo;

    void WriteIni(const std::map<std::string, std::string>& keys)
    {
        fw::WinFileSystem::CreateDirectory("C:\\SETUP");
        for (const auto& [k, v] : keys) fw::WinProfile::WriteString("C:\\SETUP\\kwmain.ini", "x", k.c_str(), v.c_str());
    }
    std::vector<std::string> Reports() const
    {
        std::vector<std::string> texts;
        for (const auto& c : boxes.Calls()) texts.push_back(c.text);
        return texts;
    }
    // What one run of the built installer on a package came to: its exit code, the install's
    // result ("r" of kwmain.ini), the error text and the boxes shown during the run.
    struct Run {
        int code = -1;
        int result = -1;
        std::string error;
        std::vector<std::string> reports;
    };
    Run InstallPackage(const std::string& package)
    {
        Run run;
        fw::ScriptedMessageBoxes shown;
        run.code = InstallFromPackage(root, ProgramDir() + "/kwmain", package, run.error, &run.result);
        for (const auto& call : shown.Calls()) run.reports.push_back(call.text);
        return run;
    }
    // Packs a description (with @{BIN} the program directory) into a host directory.
    std::string Pack(const std::string& description, const std::string& name)
    {
        PackDescription d;
        EXPECT_TRUE(d.Parse(description, {{"BIN", ProgramDir()}})) << d.Error();
        const std::string out = tmp.file(name);
        Packer packer;
        EXPECT_TRUE(packer.Pack(d, out)) << packer.Error();
        return out;
    }
};

// Every file of a host tree with its bytes, and every directory, by relative path.
std::map<std::string, std::string> Tree(const std::string& dir)
{
    std::map<std::string, std::string> tree;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        const std::string rel = fs::relative(e.path(), dir).string();
        tree[rel] = e.is_directory() ? "<dir>" : testsupport::ReadFileBytes(e.path().string());
    }
    return tree;
}

// Every difference between a machine's tree before and after, as a failure naming the path.
void ExpectSameTree(const std::map<std::string, std::string>& before, const std::map<std::string, std::string>& after)
{
    for (const auto& [rel, bytes] : after)
        if (!before.count(rel) || before.at(rel) != bytes)
            ADD_FAILURE() << "changed or left: " << rel << " [" << bytes.substr(0, 300) << "] was ["
                          << (before.count(rel) ? before.at(rel).substr(0, 300) : "absent") << "]";
    for (const auto& [rel, bytes] : before)
        if (!after.count(rel)) ADD_FAILURE() << "removed: " << rel;
}

// Starts a planner program offscreen with its own home and waits (at most two minutes) for its
// start-up log "status.txt" beside it to say that every global object was made, and for the
// host file named (if any) to appear.
bool PlannerStarts(const std::string& program, const std::string& home, const std::string& alsoFile = "")
{
    fs::create_directories(home);
    const pid_t pid = fork();
    if (pid == 0) {
        // The planner keeps its settings in the working directory: the home, like the user's.
        if (::chdir(home.c_str()) != 0) _exit(126);
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid < 0) return false;
    const std::string status = (fs::path(program).parent_path() / "status.txt").string();
    bool started = false;
    for (int i = 0; i < 1200 && !started; ++i) {
        int rc = 0;
        if (waitpid(pid, &rc, WNOHANG) == pid) return false; // it ended on its own: a failure
        started = testsupport::ReadFileBytes(status).find("All Globals Initialized") != std::string::npos &&
                  (alsoFile.empty() || fs::exists(alsoFile));
        if (!started) usleep(100 * 1000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return started;
}

// For a person to look at: the install screen with every window over it (and a dialog that
// is about to be shown), as one picture.
void ScreenSnapshot(QWidget* dialog, const std::string& name)
{
    if (testsupport::SnapshotPath(name).empty()) return;
    QWidget* screen = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && dynamic_cast<InstallScreen*>(w)) screen = w;
    if (!screen) return;
    if (dialog) {
        dialog->adjustSize();
        dialog->move(screen->geometry().center() - dialog->rect().center());
        dialog->show();
    }
    QImage image = screen->grab().toImage();
    QPainter painter(&image);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == screen || !w->isVisible()) continue;
        painter.drawPixmap(w->frameGeometry().topLeft() - screen->geometry().topLeft(), w->grab());
    }
    painter.end();
    testsupport::SaveSnapshot(image, name);
    if (dialog) dialog->hide();
}

// The log "kwlog3.nnn" of a run with one record, in a directory of the machine.
void WriteOneRecordLog(const char* directory)
{
    OpLog log;
    OpLogHeader header;
    header.productName.Assign("Stellum");
    ASSERT_TRUE(log.Create(header, directory));
    log.DirectoryCreated("C:\\Stellum");
    log.Close();
}

} // namespace

TEST_F(InstallRun, ParametersFromKwmainIni)
{
    root.AddDrive('A', fw::DriveType::Removable, "Stellum");
    struct Case {
        std::map<std::string, std::string> keys;
        bool ok;
        int mediaMode;
        const char* report;
    } cases[] = {
        {{}, false, 0, "p or sz undefined in kwmain.ini"},
        {{{"p", "C:\\PKG"}}, false, 0, "p or sz undefined in kwmain.ini"},
        {{{"p", "C:\\PKG"}, {"sz", "0"}}, false, 0, "p or sz undefined in kwmain.ini"},
        {{{"p", "A:\\disk001"}, {"sz", "10"}}, false, 0, "Invalid packaging-media combination"},
        {{{"p", "A:\\"}, {"sz", "10"}}, true, 1, nullptr},
        {{{"p", "C:\\PKG\\DISK001"}, {"sz", "10"}}, true, 2, nullptr},
        {{{"p", "C:\\PKG"}, {"sz", "10"}}, true, 0, nullptr},
        {{{"p", "C:\\PKG"}, {"sz", "10"}, {"cmdl", std::string(513, 'a')}}, false, 0,
         "The command line in kwmain.ini is longer than 512 characters"},
    };
    // A script to load: any valid package's "install.inf".
    const std::string package = Pack("[package]\nproduct = Tiny\n[end]\nkind = 1\n", "tiny");
    for (const Case& c : cases) {
        fw::WinFileSystem::DeleteFile("C:\\SETUP\\kwmain.ini");
        WriteIni(c.keys);
        ASSERT_TRUE(testsupport::WriteFileBytes(C("SETUP/install.inf"), testsupport::ReadFileBytes(package + "/install.inf")));
        const std::string before = Read("SETUP/kwmain.ini");
        fw::ScriptedMessageBoxes reports;
        InstallController controller("C:\\SETUP");
        SCOPED_TRACE(c.keys.count("p") ? c.keys.at("p") : "no p");
        EXPECT_EQ(controller.Init(), c.ok);
        if (c.ok) {
            EXPECT_EQ(controller.MediaMode(), c.mediaMode);
            EXPECT_EQ(reports.Count(), 0);
        } else {
            ASSERT_EQ(reports.Count(), 1);
            EXPECT_EQ(reports.Calls()[0].text, c.report);
            EXPECT_EQ(Read("SETUP/kwmain.ini"), before) << "a failed start leaves kwmain.ini as it was";
        }
    }
    // The program's entry: a failed start is exit code 1 and writes no result.
    fw::WinFileSystem::DeleteFile("C:\\SETUP\\kwmain.ini");
    WriteIni({{"p", "C:\\PKG"}});
    fw::ScriptedMessageBoxes reports;
    EXPECT_EQ(WinMain("C:\\SETUP"), 1);
    EXPECT_EQ(fw::WinProfile::GetString("C:\\SETUP\\kwmain.ini", "x", "r", "none"), "none");
}

TEST_F(InstallRun, TheProgramFindsItsDirectoryInTheMachine)
{
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\Stellum"));
    EXPECT_EQ(WindowsPathOfHost(root, rootDir + "/drive_c/Stellum"), "C:\\Stellum");
    EXPECT_EQ(WindowsPathOfHost(root, rootDir + "/drive_c/Stellum/"), "C:\\Stellum");
    EXPECT_EQ(WindowsPathOfHost(root, rootDir + "/drive_c"), "C:\\") << "the uninstaller's copy at the drive root";
    EXPECT_EQ(WindowsPathOfHost(root, rootDir), "");
    EXPECT_EQ(WindowsPathOfHost(root, rootDir + "/drive_cc"), "");
}

TEST(MachineFiles, ADamagedRegistryIsReportedOnceAndKeptAside)
{
    testsupport::TempDir tmp;
    const std::string dir = tmp.file("machine");
    { fw::WinRoot fresh(dir); }
    ASSERT_TRUE(testsupport::WriteFileBytes(dir + "/system.reg", "not a registry"));
    fw::WinRoot root(dir);
    fw::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(ReportDamagedRegistry(root));
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_NE(boxes.Calls()[0].text.find("could not be read"), std::string::npos);
    EXPECT_TRUE(root.Registry().Save());
    EXPECT_EQ(testsupport::ReadFileBytes(dir + "/system.reg.bad"), "not a registry");
    EXPECT_FALSE(ReportDamagedRegistry(root)) << "said once";
    EXPECT_EQ(boxes.Count(), 1);
}

TEST(InstallFiles, PolicyOutcomesSelectTheirAnswerCodes)
{
    const int expected[] = {2, 3, 4, 5, 0, 1};
    for (int outcome = 0; outcome < 6; ++outcome) EXPECT_EQ(PolicyAnswerCode(outcome), expected[outcome]) << outcome;
    EXPECT_EQ(PolicyAnswerCode(6), 2);
    EXPECT_EQ(PolicyAnswerCode(-1), 2);
}

TEST_F(InstallRun, DisksInDirectoriesSideBySide)
{
    WriteIni({{"p", "C:\\PKG\\disk001"}, {"sz", "10"}});
    const std::string package = Pack("[package]\nproduct = Tiny\n[end]\nkind = 1\n", "tiny");
    ASSERT_TRUE(testsupport::WriteFileBytes(C("SETUP/install.inf"), testsupport::ReadFileBytes(package + "/install.inf")));
    InstallController controller("C:\\SETUP");
    ASSERT_TRUE(controller.Init());
    EXPECT_EQ(controller.MediaMode(), InstallController::kDiskDirectories);
    EXPECT_TRUE(controller.PromptForDisk(0, false)) << "the disk in use";
    EXPECT_EQ(controller.SourcePath(), "C:\\PKG\\disk001");
    EXPECT_TRUE(controller.PromptForDisk(2, false));
    EXPECT_EQ(controller.SourcePath(), "C:\\PKG\\disk003");
    EXPECT_EQ(std::string(controller.Script().FindString("s")), "C:\\PKG\\disk003") << "$s follows the disk";
    EXPECT_TRUE(questions.empty()) << "no disk to insert";
}

TEST_F(InstallRun, EndModesAndTheCompletionBox)
{
    struct Case {
        int kind;
        bool startFiles, dosRestart;
        int value;
    } cases[] = {
        {0, false, false, 0}, {0, true, false, 2}, {0, false, true, 4}, {0, true, true, 2},
        {1, true, true, 0},   {2, false, false, 2}, {3, false, false, 4}, {4, false, false, 1},
    };
    for (const Case& c : cases) {
        InstallController controller("C:\\SETUP");
        if (c.startFiles) controller.SetStartFilesChanged();
        controller.SetDosRestart(c.dosRestart);
        int result = -1;
        SCOPED_TRACE(c.kind);
        EXPECT_TRUE(controller.EndMode(c.kind, false, false, result));
        EXPECT_EQ(controller.EndCode(), c.value);
        EXPECT_EQ(result, -1);
        EXPECT_FALSE(controller.EndMode(c.kind, true, false, result)) << "the stop flag ends the sequence";
        EXPECT_EQ(result, c.value);
    }
    // Shown now: "&Stay here" (the second button) turns a restart into 0.
    InstallController controller("C:\\SETUP");
    int result = 0;
    answers = {1};
    controller.EndMode(2, false, true, result);
    EXPECT_EQ(controller.EndCode(), 0);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].caption, "Installation Completed");
    EXPECT_EQ(questions[0].buttons, (std::vector<std::string>{"&Restart", "&Stay here"}));
    answers = {0};
    controller.EndMode(3, false, true, result);
    EXPECT_EQ(controller.EndCode(), 4);
    EXPECT_NE(questions.back().text.find("restart\nDOS"), std::string::npos);
    EXPECT_EQ(controller.ShowCompletion(5), 5);
    EXPECT_EQ(questions.back().buttons, (std::vector<std::string>{"&Restart"}));
}

TEST_F(InstallRun, TheEndOfARunKeepsTheLogUnderItsFirstFreeNumber)
{
    fw::WinFileSystem::CreateDirectory("C:\\SETUP");
    fw::WinFileSystem::CreateDirectory("C:\\BACK");
    // No back directory (no uninstaller event ran): nothing is kept.
    InstallController controller("C:\\SETUP");
    WriteOneRecordLog("C:\\SETUP");
    EXPECT_FALSE(controller.WrapUp(false));
    EXPECT_TRUE(controller.KeptLog().empty());
    // With every number from 000 to 999 taken the log is not kept, and the install still
    // reports its result.
    if (ProgramDir().empty()) GTEST_SKIP() << "STELLUM_PROGRAM_DIR not set";
    for (int n = 0; n < 1000; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "BACK/kwlog3.%03d", n);
        ASSERT_TRUE(Write(name, "x"));
    }
    const std::string package = Pack(
        "[package]\nproduct = Tiny\nauxiliary = @{BIN}/kwenu.dll\n[uninstaller]\ndirectory = C:\\BACK\n[end]\nkind = 1\n",
        "tiny");
    const Run run = InstallPackage(package);
    for (const auto& text : run.reports) ADD_FAILURE() << text;
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(Read("BACK/kwlog3.999"), "x");
}

TEST_F(InstallRun, ResultsWrittenBackAndLogsKeptOrJoined)
{
    if (ProgramDir().empty()) GTEST_SKIP() << "STELLUM_PROGRAM_DIR not set";
    struct Case {
        const char* name;
        const char* events;
        int result;       // "r" of kwmain.ini
        const char* log;  // the numbered log after the run
    } cases[] = {
        // A finished run keeps its log under the first free number.
        {"done", "[end]\nkind = 1\n", 0, "BACK/kwlog3.000"},
        // An aborted run (end mode 4 stops with 1) keeps its log too, and asks for the
        // installer's removal: 6.
        {"aborted", "[end]\nkind = 4\nstop = 1\n", 6, "BACK/kwlog3.000"},
        // A restart end with the join flag: the records join the last numbered log.
        {"joined", "[end]\nkind = 2\n", 2, "BACK/kwlog3.000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fw::WinFileSystem::DeleteFile("C:\\BACK\\kwlog3.000");
        fw::WinFileSystem::DeleteFile("C:\\BACK\\kwlog3.001");
        const bool join = std::string(c.name) == "joined";
        if (join) WriteOneRecordLog("C:\\BACK"), fw::WinFileSystem::MoveFile("C:\\BACK\\kwlog3.nnn", "C:\\BACK\\kwlog3.000");
        const std::string before = join ? Read("BACK/kwlog3.000") : "";
        std::string text = std::string("[package]\nproduct = Tiny\nauxiliary = @{BIN}/kwenu.dll\n[make-directory]\npath = C:\\Tiny\n") +
                           "[uninstaller]\ndirectory = C:\\BACK\njoin = " + (join ? "1" : "0") + "\n" + c.events;
        const std::string package = Pack(text, c.name);
        const Run run = InstallPackage(package);
        for (const auto& report : run.reports) ADD_FAILURE() << report;
        EXPECT_EQ(run.error, "");
        EXPECT_EQ(run.result, c.result);
        ASSERT_TRUE(fs::exists(C(c.log)));
        OpLogContents log;
        ASSERT_EQ(ReadOpLogFile("C:\\BACK\\kwlog3.000", log), OpLogReadResult::kOk);
        EXPECT_EQ(fs::exists(C("BACK/kwlog3.001")), false);
        if (join) {
            const std::string after = Read("BACK/kwlog3.000");
            EXPECT_EQ(after.compare(0, before.size(), before), 0) << "the old records stay first";
            EXPECT_GT(log.records.size(), 1u);
        }
        fw::WinFileSystem::RemoveDirectory("C:\\Tiny");
        EXPECT_FALSE(fs::exists(C("WINDOWS/TEMP/KWSETUP"))) << "the installer's temporary directory goes";
    }
}

TEST_F(InstallRun, InstallsStellumFromTheBuiltPackage)
{
    const std::string program = ProgramDir();
    const std::string package = program.empty() ? "" : (fs::path(program).parent_path() / "package").string();
    if (package.empty() || !fs::exists(package + "/install.inf")) GTEST_SKIP() << "no package built";
    const auto fresh = Tree(rootDir);
    std::vector<std::string> dialogs;
    fw::Responder<DialogSeam> user{[&](Dialog& d, const std::string& name) {
        dialogs.push_back(name);
        if (name == "DLGSELCOMPS") ScreenSnapshot(d.Window(), "kw_install_select.png");
        return 0; // OK: every part as it is offered
    }};
    answerHook = [](const MessageBoxRequest& r) {
        if (r.caption == "Installation Completed") ScreenSnapshot(nullptr, "kw_install_done.png");
    };
    const Run run = InstallPackage(package);
    EXPECT_EQ(run.reports, std::vector<std::string>{});
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.result, 0);
    ASSERT_FALSE(questions.empty());
    EXPECT_EQ(questions.back().caption, "Installation Completed");
    EXPECT_EQ(dialogs, std::vector<std::string>{"DLGSELCOMPS"});
    EXPECT_NE(questions.back().text.find("Stellum has been installed successfully"), std::string::npos);
    // The programs and data, byte for byte; the user directory with its samples.
    for (const char* name :
         {"stlm32", "stellum.html", "ngc2k.rsx", "rssao.cat", "kwmain", "User/Sample.sl4", "User/comname.txt"})
        EXPECT_TRUE(Read(std::string("Stellum/") + name) == testsupport::ReadFileBytes(program + "/" + name)) << name;
    // The uninstaller, its language package and the numbered log.
    EXPECT_TRUE(fs::exists(C("Stellum/Uninstall/kwmain")));
    EXPECT_TRUE(fs::exists(C("Stellum/Uninstall/kwenu.dll")));
    // The programs can run: the planner, the uninstaller and the mover that it starts.
    for (const char* installed : {"Stellum/stlm32", "Stellum/Uninstall/kwmain", "WINDOWS/movexe"})
        EXPECT_EQ(::access(C(installed).c_str(), X_OK), 0) << installed;
    OpLogContents log;
    ASSERT_EQ(ReadOpLogFile("C:\\Stellum\\Uninstall\\kwlog3.000", log), OpLogReadResult::kOk);
    EXPECT_STREQ(log.header.productName.Text(), "Stellum");
    EXPECT_GT(log.records.size(), 30u);
    // The uninstall entry and the Program Manager group with the planner's link.
    RegKey key(0, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Stellum");
    uint32_t type = 0, size = 0;
    std::unique_ptr<unsigned char[]> value(key.QueryValue("UninstallString", type, size));
    ASSERT_TRUE(value);
    EXPECT_STREQ(reinterpret_cast<const char*>(value.get()), "C:\\Stellum\\Uninstall\\kwmain");
    EXPECT_TRUE(Tree(rootDir) != fresh);

    // The installed planner starts from there, offscreen, on its installed data: its start-up
    // log says that every global object was made.
    // It registers its file type and desktop entry for itself, pointing at its program.
    const std::string home = tmp.file("home");
    const std::string entry = home + "/data/applications/stellum-planner.desktop";
    const std::string mimePackage = home + "/data/mime/packages/stellum-planner.xml";
    EXPECT_TRUE(PlannerStarts(C("Stellum/stlm32"), home, entry)); // written after the MIME package
    EXPECT_NE(testsupport::ReadFileBytes(entry).find(C("Stellum/stlm32")), std::string::npos);
    EXPECT_TRUE(fs::exists(mimePackage));

    // The uninstall, as that user (the same data directory), Yes to it and Enter at every
    // other question: it keeps what the planner and the user put into the program's
    // directories, and takes the planner's file type and desktop entry with the planner.
    {
        const testsupport::ScopedEnv dataHome("XDG_DATA_HOME", home + "/data");
        answers = {0};
        enterWhenUnscripted = true;
        UninstallBothStages("C:\\Stellum\\Uninstall");
    }
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_FALSE(fs::exists(mimePackage));
    // The machine is as it was, apart from what the log keeps: the user directory's files (and
    // the directories holding them), and the mover in the Windows directory.
    auto after = Tree(rootDir);
    for (auto* tree : {&after}) {
        for (auto it = tree->begin(); it != tree->end();) {
            const std::string& rel = it->first;
            const bool kept = rel.rfind("drive_c/Stellum", 0) == 0 || rel == "drive_c/WINDOWS/movexe";
            it = kept ? tree->erase(it) : std::next(it);
        }
    }
    ExpectSameTree(fresh, after);
    for (const char* kept : {"User/Sample.sl4", "User/comname.txt"})
        EXPECT_TRUE(fs::exists(C(std::string("Stellum/") + kept))) << kept;
    EXPECT_FALSE(fs::exists(C("Stellum/stlm32")));
    EXPECT_FALSE(fs::exists(C("Stellum/Uninstall")));
}

// A product installed twice into the same places: the second install logs each file it
// replaces with a copy of the old one in the back directory, and its records join the
// product's log, so that one uninstall undoes both, newest first. The package brings no mover;
// the uninstaller ends on its own. The uninstall entry has a name of the script's own.
TEST_F(InstallRun, AReinstallThenOneUninstallLeavesTheMachineAsBeforeTheFirstInstall)
{
    if (ProgramDir().empty()) GTEST_SKIP() << "STELLUM_PROGRAM_DIR not set";
    ASSERT_TRUE(testsupport::WriteFileBytes(tmp.file("tiny.dat"), "the package's"));
    ASSERT_TRUE(Write("WINDOWS/tiny.dat", "the machine's own")); // a file the install replaces
    const std::string package = Pack(R"([package]
product = Tiny
auxiliary = @{BIN}/kwenu.dll
[make-directory]
path = C:\Tiny
[uninstaller]
directory = C:\Tiny\Uninstall
display = Uninstall Tiny
item-group = Tiny
key = Tiny Planner 1
[files Data]
target = C:\Tiny
file = @{BIN}/defloc.rsx
file = @{BIN}/9.rsx
[windows-directory W]
variable = w
[files Windows]
target = $w
file = )" + tmp.file("tiny.dat") + R"(
[program-item Link]
group = Tiny
name = Tiny Planner
command = "C:\Tiny\defloc.rsx"
[end]
kind = 0
)", "tiny");
    const auto before = Tree(rootDir);
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "install" : "reinstall");
        const Run run = InstallPackage(package);
        EXPECT_EQ(run.code, 0) << run.error;
        EXPECT_EQ(run.reports, std::vector<std::string>{});
        EXPECT_EQ(run.result, 0);
        EXPECT_EQ(Read("WINDOWS/tiny.dat"), "the package's");
    }
    EXPECT_TRUE(fs::exists(C("Tiny/Uninstall/kwlog3.000")));
    EXPECT_FALSE(fs::exists(C("Tiny/Uninstall/kwlog3.001"))) << "the reinstall joined the product's log";
    EXPECT_TRUE(RegKey(0, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tiny Planner 1").Exists());

    answers = {0}; // Yes to the uninstall
    enterWhenUnscripted = true;
    UninstallBothStages("C:\\Tiny\\Uninstall");
    EXPECT_EQ(Reports(), std::vector<std::string>{});
    auto after = Tree(rootDir);
    ExpectSameTree(before, after);
    EXPECT_EQ(Read("WINDOWS/tiny.dat"), "the machine's own");
}

// Enter at every question of the uninstall never removes what the log keeps or what the user
// made, and keeping is reported as kept; a shared file kept so keeps its count, which lives
// under HKEY_LOCAL_MACHINE.
TEST_F(InstallRun, EnterAtEveryUninstallQuestionKeepsWhatIsNotTheInstallsToRemove)
{
    if (ProgramDir().empty()) GTEST_SKIP() << "STELLUM_PROGRAM_DIR not set";
    ASSERT_TRUE(testsupport::WriteFileBytes(tmp.file("tinyshr.dll"), "shared code"));
    const std::string package = Pack(R"([package]
product = Tiny
auxiliary = @{BIN}/kwenu.dll
uninstall-dialogs = 1
[make-directory]
path = C:\Tiny
[uninstaller]
directory = C:\Tiny\Uninstall
[files Data]
target = C:\Tiny
file = @{BIN}/defloc.rsx
[files User]
target = C:\Tiny\User
log-state = 1
file = @{BIN}/User/comname.txt
[files Shared]
target = C:\WINDOWS\SYSTEM
file-flags = shared
file = )" + tmp.file("tinyshr.dll") + R"(
[ini Setting]
file = C:\Tiny\tiny.ini
section = Tiny
entry = data
value = C:\Tiny
[end]
kind = 0
)", "tiny");
    const Run run = InstallPackage(package);
    EXPECT_EQ(run.code, 0) << run.error;
    const std::string shared = root.SystemDirectory() + "\\tinyshr.dll";
    EXPECT_EQ(InstallOperations().SharedDllCount(shared.c_str()), 1);
    {
        // The count is the machine's, never the user's.
        RegKey userCounts(RegKey::kCurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs");
        uint32_t type = 0, size = 0;
        EXPECT_EQ(std::unique_ptr<unsigned char[]>(userCounts.QueryValue(shared.c_str(), type, size)), nullptr);
    }
    // What the user made meanwhile: a note in the user directory, a file beside the program,
    // an entry in the program's INI section.
    ASSERT_TRUE(Write("Tiny/User/mine.txt", "the user's"));
    ASSERT_TRUE(Write("Tiny/notes.txt", "the user's too"));
    ASSERT_TRUE(fw::WinProfile::WriteString("C:\\Tiny\\tiny.ini", "Tiny", "mine", "1"));

    std::vector<std::string> states;
    afterUndo = [&](Dialog& d) {
        auto* list = qobject_cast<QTreeWidget*>(d.Item(UndoDialog::kList));
        ASSERT_TRUE(list);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            states.push_back(list->topLevelItem(i)->text(0).toStdString() + " | " + list->topLevelItem(i)->text(1).toStdString());
    };
    questions.clear();
    answers = {0}; // Yes to the uninstall; Enter at every other question
    enterWhenUnscripted = true;
    UninstallBothStages("C:\\Tiny\\Uninstall");
    EXPECT_EQ(Reports(), std::vector<std::string>{});
    std::vector<std::string> asked;
    for (const auto& q : questions) asked.push_back(q.caption);
    EXPECT_EQ(asked, (std::vector<std::string>{"Confirm Uninstall", "Remove INI Section", "Shared File"}));

    EXPECT_EQ(Read("Tiny/User/mine.txt"), "the user's");
    EXPECT_TRUE(fs::exists(C("Tiny/User/comname.txt"))) << "kept by the log";
    EXPECT_EQ(Read("Tiny/notes.txt"), "the user's too");
    EXPECT_EQ(fw::WinProfile::GetString("C:\\Tiny\\tiny.ini", "Tiny", "mine", ""), "1");
    EXPECT_EQ(fw::WinProfile::GetString("C:\\Tiny\\tiny.ini", "Tiny", "data", "gone"), "gone");
    EXPECT_FALSE(fs::exists(C("Tiny/defloc.rsx")));
    EXPECT_FALSE(fs::exists(C("Tiny/Uninstall")));
    EXPECT_EQ(Read("WINDOWS/SYSTEM/tinyshr.dll"), "shared code");
    EXPECT_EQ(InstallOperations().SharedDllCount(shared.c_str()), 1) << "the kept shared file keeps its count";
    std::string all;
    for (const auto& line : states) all += "\n  " + line;
    EXPECT_EQ(all.find("| Failed"), std::string::npos) << all;
    for (const std::string& kept : {std::string("Directory created: C:\\Tiny | Kept"), "File created: " + shared + " | Kept"})
        EXPECT_NE(std::find(states.begin(), states.end(), kept), states.end()) << kept << all;
}

TEST_F(InstallRun, AFailedInstallIsReportedLoggedAndUndoneToTheMachineBefore)
{
    if (ProgramDir().empty()) GTEST_SKIP() << "STELLUM_PROGRAM_DIR not set";
    const char* description = R"([package]
product = Tiny
auxiliary = @{BIN}/kwenu.dll
[controller-action Parts]
[make-directory]
path = C:\Tiny
[uninstaller]
directory = C:\Tiny\Uninstall
display = Uninstall Tiny
item-group = Tiny
[files Data]
target = C:\Tiny
file = @{BIN}/defloc.rsx
file = @{BIN}/9.rsx
[files User]
target = C:\Tiny\User
file = @{BIN}/User/comname.txt
[end]
kind = 0
show = 1
)";
    struct Case {
        const char* name;
        std::function<void(const std::string& package)> fault;
        const char* report; // the start of what the installer says (a box or a question)
        std::vector<int> answers = {}; // the user's buttons, in order (else Cancel, then abort)
        int selection = 0;             // the component selection's answer: 0 OK, 1 Cancel
        bool logKept = true;           // false: it ended before the uninstaller was in place
    } cases[] = {
        {"read-only target file",
         [this](const std::string&) {
             fw::WinFileSystem::CreateDirectory("C:\\Tiny");
             Write("Tiny/9.rsx", "old");
             fw::WinFileSystem::SetAttributes("C:\\Tiny\\9.rsx", fw::kAttrReadOnly);
         },
         "Unable to copy the file"},
        {"full disk", [this](const std::string&) { root.SetForcedFreeSpace('C', 50 * 1024); },
         "There is not enough free space"},
        {"damaged packaged file",
         [](const std::string& package) {
             testsupport::WriteFileBytes(package + "/data/9.rs_", "\x1f\x8b\x08\0damaged");
         },
         "Unable to copy the file"},
        // The user cancels the retry, declines to abort, cancels again and then aborts.
        {"cancel, go on, cancel and abort",
         [](const std::string& package) {
             testsupport::WriteFileBytes(package + "/data/9.rs_", "\x1f\x8b\x08\0damaged");
         },
         "Installation is incomplete", {1, 1, 1, 0}},
        // Cancel at the component selection, and the abort confirmed: nothing was changed.
        {"cancel at the component selection", [](const std::string&) {}, "Installation is incomplete", {}, 1,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string package = Pack(description, std::string("fail-") + c.name);
        c.fault(package);
        const auto before = Tree(rootDir);
        questions.clear();
        answers = c.answers;
        int selections = 0;
        Run run;
        {
            fw::Responder<DialogSeam> user{[&](Dialog&, const std::string& name) {
                EXPECT_EQ(name, "DLGSELCOMPS");
                return selections++ == 0 ? c.selection : 0;
            }};
            run = InstallPackage(package);
        }
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.result, c.logKept ? 6 : 1) << "aborted; its log kept for the uninstaller once it is in place";
        EXPECT_TRUE(answers.empty()) << "every scripted answer was asked for";
        std::vector<std::string> said = run.reports;
        for (const auto& q : questions) said.push_back(q.text);
        bool named = false;
        for (const auto& t : said) named = named || t.rfind(c.report, 0) == 0;
        std::string all;
        for (const auto& t : said) all += "\n  " + t;
        EXPECT_TRUE(named) << "nothing said starts with " << c.report << "; said:" << all;
        if (!c.logKept) {
            SCOPED_TRACE("nothing was changed");
            ExpectSameTree(before, Tree(rootDir));
            continue;
        }
        // The log holds what was done: the directories, the uninstaller, the files copied
        // before the fault; undoing it restores the machine.
        OpLogContents log;
        ASSERT_EQ(ReadOpLogFile("C:\\Tiny\\Uninstall\\kwlog3.000", log), OpLogReadResult::kOk);
        EXPECT_FALSE(log.records.empty());
        UninstallBothStages("C:\\Tiny\\Uninstall");
        auto after = Tree(rootDir);
        after.erase("drive_c/WINDOWS/movexe");
        ExpectSameTree(before, after);
        // Back to a machine without the fault for the next case.
        root.SetForcedFreeSpace('C', -1);
        fw::WinFileSystem::SetAttributes("C:\\Tiny\\9.rsx", 0);
        fw::WinFileSystem::DeleteFile("C:\\Tiny\\9.rsx");
        fw::WinFileSystem::RemoveDirectory("C:\\Tiny");
    }
}

// What the package says of its files reaches the machine: the file's time (the same whatever
// the time zone), its version (stamp and version block), its registration as a server; and
// an uninstall takes all of it away again, registry and stamp file included.
TEST_F(InstallRun, PackageTimesVersionsAndRegistrationsComeAndGo)
{
    if (ProgramDir().empty()) GTEST_SKIP() << "STELLUM_PROGRAM_DIR not set";
    const std::string package = Pack(R"([package]
product = Tiny
auxiliary = @{BIN}/kwenu.dll
[make-directory]
path = C:\Tiny
[uninstaller]
directory = C:\Tiny\Uninstall
[files Data]
target = C:\Tiny
policy = 4
file-version = 2.1.0.7
file = @{BIN}/9.rsx
[files Server]
target = C:\Tiny
file-flags = register
file = @{BIN}/defloc.rsx
[end]
kind = 0
)",
                                     "registered");
    const auto before = Tree(rootDir);
    const Run run = InstallPackage(package);
    ASSERT_EQ(run.code, 0) << run.error;
    for (const auto& text : run.reports) ADD_FAILURE() << text;

    int64_t installed = 0, accessed = 0;
    ASSERT_TRUE(fw::WinFileSystem::GetFileTimes("C:\\Tiny\\9.rsx", installed, accessed));
    // The packer takes the file's time in whole seconds, as the host keeps it.
    struct stat packaged {};
    ASSERT_EQ(::stat((ProgramDir() + "/9.rsx").c_str(), &packaged), 0);
    EXPECT_EQ(installed, static_cast<int64_t>(packaged.st_mtime)) << "the package's time, not the install's";
    EXPECT_EQ(fw::WinProfile::GetString("C:\\Tiny\\kwver.ini", "iniversion", "C:\\Tiny\\9.rsx", ""), "2.1.0.7");
    fw::VersionBlock block;
    ASSERT_TRUE(root.GetVersionBlock("C:\\Tiny\\9.rsx", block));
    EXPECT_EQ(block.fileVersionMS, 0x00020001u);
    EXPECT_EQ(block.fileVersionLS, 7u);
    const std::string id = InstallOperations::ServerClassId("defloc.rsx");
    RegKey server(1, ("CLSID\\" + id + "\\InprocServer32").c_str());
    char text[256] = {};
    ASSERT_TRUE(server.QueryString("", text, sizeof text));
    EXPECT_STREQ(text, "C:\\Tiny\\defloc.rsx");
    EXPECT_TRUE(RegKey(1, "defloc\\CLSID").Exists());

    UninstallBothStages("C:\\Tiny\\Uninstall");
    EXPECT_FALSE(RegKey(1, ("CLSID\\" + id).c_str()).Exists());
    EXPECT_FALSE(RegKey(1, "defloc").Exists());
    auto after = Tree(rootDir);
    after.erase("drive_c/WINDOWS/movexe");
    ExpectSameTree(before, after);
}

// A script that writes onto its own package drive (a CD-ROM) is refused, and the package's
// directory on the host stays as it was.
TEST_F(InstallRun, ThePackageDriveIsNeverWritten)
{
    if (ProgramDir().empty()) GTEST_SKIP() << "STELLUM_PROGRAM_DIR not set";
    const std::string package = Pack(R"([package]
product = Tiny
auxiliary = @{BIN}/kwenu.dll
[ini]
file = $s\written.ini
section = S
entry = e
value = v
[end]
kind = 0
)",
                                     "own-drive");
    const auto before = Tree(package);
    const Run run = InstallPackage(package);
    EXPECT_EQ(run.result, 1) << "the write failed the install";
    {
        SCOPED_TRACE("nothing of the package changed");
        ExpectSameTree(before, Tree(package));
    }
    std::string all;
    for (const auto& text : run.reports) all += text + "\n";
    for (const auto& q : questions) all += q.text + "\n";
    EXPECT_NE(all.find("Unable to set INI entry e in file"), std::string::npos) << all;
}

TEST_F(InstallRun, ThePauseInstallsChosenGroupsElsewhereAndStops)
{
    if (ProgramDir().empty()) GTEST_SKIP() << "STELLUM_PROGRAM_DIR not set";
    const std::string package = Pack(R"([package]
product = Tiny
auxiliary = @{BIN}/kwenu.dll
[pause]
text = Insert the next part
elsewhere = 1
[files Data]
target = C:\Tiny
file = @{BIN}/9.rsx
[files User]
target = C:\Tiny\User
file = @{BIN}/User/comname.txt
[end]
kind = 0
)",
                                     "pause");
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\ELSE"));
    answers = {2, 0}; // the third button, then Yes
    std::vector<std::string> dialogs;
    fw::Responder<DialogSeam> user{[&](Dialog& d, const std::string& name) {
        dialogs.push_back(name);
        auto* list = qobject_cast<QListWidget*>(d.Item(101));
        EXPECT_TRUE(list && list->count() == 2);
        if (list && list->count() == 2) list->item(1)->setSelected(true);
        testsupport::SaveDialogSnapshot(*d.Window(), "kw_install_elsewhere.png");
        d.Command(1);
        return 0;
    }};
    fw::ScriptedFileDialogs files({"C:\\ELSE"});
    const Run run = InstallPackage(package);
    for (const auto& text : run.reports) ADD_FAILURE() << text;
    EXPECT_EQ(dialogs, std::vector<std::string>{"DLGINSTSF"});
    ASSERT_GE(questions.size(), 2u);
    EXPECT_EQ(questions[0].text, "Insert the next part");
    EXPECT_EQ(questions[0].buttons.size(), 3u);
    EXPECT_EQ(run.result, 1) << "the sequence stops";
    EXPECT_TRUE(fs::exists(C("ELSE/comname.txt"))) << "the chosen group";
    EXPECT_FALSE(fs::exists(C("ELSE/9.rsx"))) << "the other one";
    EXPECT_FALSE(fs::exists(C("Tiny"))) << "nothing of the install itself";
}
