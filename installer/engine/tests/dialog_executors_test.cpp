// The events that ask the user or search the machine, and the start-up file merge wired to
// code 10, run through the script's dispatch on a fresh emulated machine: what each stores
// into its variables, and when each fails.
#include "installer/engine/DialogExecutors.h"
#include "installer/engine/EngineStrings.h"
#include "installer/engine/EventFactory.h"
#include "installer/engine/ScriptEvent.h"
#include "installer/engine/tests/InstallerDialogFixture.h"
#include "installer/engine/tests/ScriptEvents.h"

#include "framework/gui/MessageBox.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/testsupport/RootFixture.h"
#include "installer/support/DialogBox.h"
#include "installer/support/FilePath.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/ResString.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace kw;

namespace {

class DialogExecutors : public InstallerDialogFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(InstallerDialogFixture::SetUp());
        RegisterEventFactories();
        fw::WinFileSystem::CreateDirectory("C:\\TEMP");
        host.script.SetProject(std::make_unique<ScriptProject>());
        RegisterDialogExecutors(host.script, host);
    }
    bool Run(int code, std::vector<std::string> texts, std::vector<int> ints = {})
    {
        return RunEvent(host.script, code, texts, ints);
    }
    std::string Text(const char* name) { return StringVariable(host.script, name); }
    int Int(const char* name) { return IntVariable(host.script, name); }
    bool Put(const std::string& rel, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(C(rel)).parent_path());
        return Write(rel, bytes);
    }

    fw::ScriptedMessageBoxes reported; // the engine's reports (Report)
    std::function<void(Dialog&)> step;
    std::vector<std::string> shown;
    fw::Responder<DialogSeam> dialogs{[this](Dialog& d, const std::string& name) {
        shown.push_back(name);
        if (step) step(d);
        return -1;
    }};
};

TEST_F(DialogExecutors, YesNoQuestion)
{
    host.script.SetStringVariable("what", "the planner");
    for (int pressed : {0, 1}) {
        boxes.clear();
        boxAnswers = {pressed};
        ASSERT_TRUE(Run(28, {"Install $what?\r\nNow", "isyes"}, {0}));
        EXPECT_EQ(Int("isyes"), pressed == 0 ? 1 : 0);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Install the planner?\nNow");
        EXPECT_EQ(boxes[0].caption, "Stellum") << "the product name";
        EXPECT_EQ(boxes[0].buttons, (std::vector<std::string>{"&Yes", "&No", "Abort"}));
        EXPECT_EQ(boxes[0].icon, MessageBoxDialog::kIconQuestion);
    }
    // Abort, declined: the question comes back; Abort, confirmed: the event fails.
    boxes.clear();
    boxAnswers = {2, 1};
    host.abortAnswers = {false};
    ASSERT_TRUE(Run(28, {"Again?", "isyes"}));
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(Int("isyes"), 0);
    boxAnswers = {2};
    host.abortAnswers = {true};
    EXPECT_FALSE(Run(28, {"Again?", "isyes"}));
    EXPECT_EQ(host.abortQuestions, 2);
    boxes.clear();
    ASSERT_TRUE(Run(28, {"Careful", "isyes"}, {MessageBoxDialog::kIconExclamation}));
    EXPECT_EQ(boxes[0].icon, MessageBoxDialog::kIconExclamation) << "the event's int picks the icon";
    EXPECT_FALSE(Run(28, {"text", "bad name"})) << "the variable must resolve";
    EXPECT_FALSE(Run(28, {"$nothing", "isyes"})) << "an expansion that fails";
}

TEST_F(DialogExecutors, UserNameSetsItsVariables)
{
    host.script.SetStringVariable("user", "Anne");
    host.script.SetStringVariable("comp", std::string(100, 'c').c_str());
    step = [&](Dialog& d) {
        EXPECT_EQ(d.ItemText(102), "Anne");
        EXPECT_EQ(d.ItemText(103), std::string(79, 'c')) << "a long variable is cut to the record's buffer";
        Type(d, 102, "Anne Smith");
        Type(d, 103, "Acme");
        d.Command(kCmdOk);
    };
    ASSERT_TRUE(Run(1, {"user", "comp", "", "", "", ""}, {0, 0}));
    EXPECT_EQ(Text("user"), "Anne Smith");
    EXPECT_EQ(Text("comp"), "Acme");

    // Read-only: nothing is read, the variables stay.
    step = [&](Dialog& d) {
        Type(d, 102, "x");
        d.Command(kCmdOk);
    };
    ASSERT_TRUE(Run(1, {"user", "comp", "", "", "", ""}, {1, 0}));
    EXPECT_EQ(Text("user"), "Anne Smith");

    // Cancel confirmed: the event fails, the variables stay.
    step = [&](Dialog& d) {
        Type(d, 102, "Somebody");
        d.Command(kCmdCancel);
    };
    EXPECT_FALSE(Run(1, {"user", "comp", "", "", "", ""}));
    EXPECT_EQ(Text("user"), "Anne Smith");
    EXPECT_EQ(host.abortQuestions, 1);
    step = nullptr;
    EXPECT_FALSE(Run(1, {"user", "comp", "bad name", "", "", ""})) << "every named variable must resolve";
}

TEST_F(DialogExecutors, PromptCopiesTheTextIntoItsVariable)
{
    host.script.SetStringVariable("default", "C:\\Stellum");
    step = [&](Dialog& d) {
        EXPECT_EQ(d.ItemText(102), "C:\\Stellum");
        EXPECT_EQ(d.ItemText(101), "Where\nto?");
        EXPECT_EQ(d.Window()->windowTitle().toStdString(), "Folder for Stellum");
        EXPECT_TRUE(d.Item(104)->isHidden());
        d.SetItemText(102, "typed");
        d.Command(kCmdOk);
    };
    host.script.SetStringVariable("product", "Stellum");
    ASSERT_TRUE(Run(12, {"$default", "Where\r\nto?", "str", "Folder for $product", ""}));
    EXPECT_EQ(Text("str"), "typed");
    EXPECT_EQ(shown, std::vector<std::string>{"DLGPROMPTSTR"});
    EXPECT_FALSE(Run(12, {"", "", "bad name", "", ""}));
}

TEST_F(DialogExecutors, DirectoryPromptTakesTheNeededSpaceFromItsFifthText)
{
    root.SetForcedFreeSpace('C', 100 * 10240);
    host.script.SetStringVariable("need", "150");
    host.abortAnswers = {true};
    step = [&](Dialog& d) {
        EXPECT_FALSE(d.Item(104)->isHidden());
        d.Command(kCmdOk);
        EXPECT_FALSE(d.Ended()) << "150 units are needed, 100 free";
        d.Command(kCmdCancel);
    };
    // Ints: a needed space of 10 (replaced by the fifth text), kind 1, make no directory, check.
    EXPECT_FALSE(Run(12, {"C:\\Stellum", "Body", "dir", "Caption", "$need"}, {10, 1, 0, 1}));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("1500 KB"), std::string::npos) << reports[0];

    step = [&](Dialog& d) { d.Command(kCmdOk); };
    reports.clear();
    ASSERT_TRUE(Run(12, {"c:\\stellum", "Body", "dir", "Caption", ""}, {10, 1, 1, 1}));
    EXPECT_EQ(Text("dir"), "C:\\stellum") << "the full path; without a fifth text 10 units are needed";
    EXPECT_TRUE(fw::WinFileSystem::IsDirectory("C:\\stellum"));
    EXPECT_TRUE(reports.empty());

    EXPECT_FALSE(Run(12, {"C:\\x", "Body", "dir", "Caption", "12x"}, {0, 1, 0, 1}));
    EXPECT_EQ(reported.Last().text, "Unable to convert 12x to integer");
}

TEST_F(DialogExecutors, FileSearchInItsThreeModes)
{
    ASSERT_TRUE(Put("Astro/Bin/Old/stlm32.exe", "old"));
    ASSERT_TRUE(Put("Tools/readme.txt", "r"));
    ASSERT_TRUE(root.AddDrive('A', fw::DriveType::Removable));
    ASSERT_TRUE(root.AddDrive('B', fw::DriveType::Removable));
    ASSERT_TRUE(root.AddDrive('E', fw::DriveType::CdRom));
    ASSERT_TRUE(root.AddDrive('N', fw::DriveType::Remote));
    root.SetForcedFreeSpace('A', 4095 * 10240);
    root.SetForcedFreeSpace('B', 4096 * 10240);
    for (char drive : {'a', 'b', 'e', 'n'}) {
        std::filesystem::create_directories(rootDir + "/drive_" + std::string(1, drive));
        testsupport::WriteFileBytes(rootDir + "/drive_" + std::string(1, drive) + "/DISK" + std::string(1, drive) + ".ID", "x");
    }
    root.SetEnv("PATH", " C:\\WINDOWS ; ;C:\\Tools;C:\\Astro\\Bin ");

    const struct {
        std::vector<int> ints; // display, mode, CD-ROM, fixed, remote, recursive
        const char* start;
        const char* pattern;
        int found;
        const char* path;
    } cases[] = {
        {{0, 0, 0, 1, 0, 1}, "c:", "STLM32.EXE", 1, "C:\\Astro\\Bin\\Old\\stlm32.exe"},
        {{0, 0, 0, 1, 0, 0}, "C:\\Astro", "stlm32.exe", 0, ""},               // not into subdirectories
        {{2, 0, 0, 1, 0, 1}, "C:\\Astro", "*.exe", 1, "C:\\Astro\\Bin\\Old\\stlm32.exe"},
        {{0, 0, 0, 1, 0, 1}, "C:\\Nowhere", "*.*", 0, ""},
        {{0, 1, 0, 0, 0, 0}, "", "readme.*", 1, "C:\\Tools\\readme.txt"},     // along PATH
        {{0, 1, 0, 0, 0, 0}, "", "stlm32.exe", 0, ""},
        {{0, 1, 0, 0, 0, 1}, "", "stlm32.exe", 1, "C:\\Astro\\Bin\\Old\\stlm32.exe"},
        {{0, 2, 0, 1, 0, 0}, "", "DISKA.ID", 0, ""},                          // 4095 units: class 0
        {{0, 2, 0, 1, 0, 0}, "", "DISKB.ID", 1, "B:\\DISKb.ID"},
        {{0, 2, 0, 1, 0, 0}, "", "DISKE.ID", 0, ""},
        {{0, 2, 1, 0, 0, 0}, "", "DISKE.ID", 1, "E:\\DISKe.ID"},
        {{0, 2, 0, 1, 0, 0}, "", "DISKN.ID", 0, ""},
        {{0, 2, 0, 0, 1, 0}, "", "diskn.id", 1, "N:\\DISKn.ID"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.pattern + " mode " + std::to_string(c.ints[1]));
        host.script.SetStringVariable("path", "stale");
        ASSERT_TRUE(Run(22, {c.start, c.pattern, "found", "path"}, c.ints));
        EXPECT_EQ(Int("found"), c.found);
        EXPECT_EQ(Text("path"), c.path);
    }
    // Both variables are optional; a named one must resolve.
    EXPECT_TRUE(Run(22, {"c:", "*.*", "", ""}, {0, 0, 0, 1, 0, 1}));
    EXPECT_FALSE(Run(22, {"c:", "*.*", "bad name", ""}, {0, 0, 0, 1, 0, 1}));

    // A cancelled search finds nothing.
    FileSearchRequest request;
    request.pattern = "stlm32.exe";
    std::string found;
    EXPECT_TRUE(SearchForFile(request, found));
    const bool cancel = true;
    EXPECT_FALSE(SearchForFile(request, found, &cancel));
    EXPECT_EQ(found, "");
}

TEST_F(DialogExecutors, StartupFileMergeOnCodeTen)
{
    ASSERT_TRUE(Write("AUTOEXEC.BAT", "@ECHO OFF\r\nPATH C:\\DOS;C:\\WIN\r\n"));
    ASSERT_TRUE(Put("TEMP/lines.txt", "SET PATH = C:\\WIN;C:\\NEW\r\nSET STELLUM=C:\\STELLUM\r\n"));
    host.script.SetStringVariable("t", "C:\\TEMP");
    // Text: the lines; ints: AUTOEXEC.BAT, quiet, before the file's lines.
    ASSERT_TRUE(Run(10, {"$t\\lines.txt"}, {0, 1, 0}));
    EXPECT_EQ(Read("AUTOEXEC.BAT"), "SET STELLUM=C:\\STELLUM\r\n@ECHO OFF\r\nPATH C:\\DOS;C:\\WIN;C:\\NEW\r\n");
    EXPECT_EQ(host.startFilesChanged, 1);
    EXPECT_TRUE(shown.empty()) << "quiet";

    // The review dialog unless quiet; CONFIG.SYS lines after the file's with append.
    ASSERT_TRUE(Write("CONFIG.SYS", "FILES=30\r\n"));
    ASSERT_TRUE(Put("TEMP/sys.txt", "DEVICE=C:\\STELLUM\\CLOCK.SYS\r\n"));
    step = [&](Dialog& d) { d.Command(kCmdOk); };
    ASSERT_TRUE(Run(10, {"C:\\TEMP\\sys.txt"}, {1, 0, 1}));
    EXPECT_EQ(shown, std::vector<std::string>{"DLGDOSINFORM"});
    EXPECT_EQ(Read("CONFIG.SYS"), "FILES=30\r\nDEVICE=C:\\STELLUM\\CLOCK.SYS\r\n");
    EXPECT_EQ(Read("CONFIG.bak"), "FILES=30\r\n");
    EXPECT_EQ(host.startFilesChanged, 2);

    // A file of lines that is not there: the failure is reported and the event fails.
    EXPECT_FALSE(Run(10, {"C:\\TEMP\\missing.txt"}, {0, 1, 0}));
    EXPECT_EQ(reported.Last().text, "Unable to modify AUTOEXEC.BAT or CONFIG.SYS");
    EXPECT_EQ(host.startFilesChanged, 2);
}

} // namespace
