// The uninstaller on an emulated machine: logs made by the installer's operations doing real
// changes are undone newest first, each change once, under the dialogs' control; the two
// stages hand over through win.ini and the mover; errors end it with their reports.
#include "installer/engine/EngineStrings.h"
#include "installer/engine/InstallOperations.h"
#include "installer/engine/MoveRequest.h"
#include "installer/engine/OpLog.h"
#include "installer/engine/UndoDialog.h"
#include "installer/engine/UninstallController.h"

#include "framework/gui/MessageBox.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "framework/testsupport/RootFixture.h"
#include "framework/testsupport/Snapshot.h"
#include "installer/support/FilePath.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/OsInfo.h"
#include "installer/support/RegKey.h"

#include <QCoreApplication>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace kw;

namespace {

const char kBack[] = "C:\\Stellum\\Uninstall";
const char kIni[] = "C:\\WINDOWS\\stellum.ini";
const RegKey kSettings(2, "Software\\Stellum\\Settings");
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Stellum Planner 4";
const char kOtherKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Stellum";

std::string LogName(int n)
{
    char name[40];
    std::snprintf(name, sizeof name, "C:\\Stellum\\Uninstall\\kwlog3.%03d", n);
    return name;
}

class Uninstalling : public RootFixture {
protected:
    void SetUp() override
    {
        RootFixture::SetUp();
        RegisterEngineStrings();
        GetOsInfo().Detect();
        ASSERT_EQ(InstallOperations().CreateDirectoryPath(kBack), InstallOperations::kCreated);
        ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\SRC"));
        ASSERT_TRUE(Write("SRC/data.bin", "data"));
        ASSERT_TRUE(Write("Stellum/Uninstall/kwmain", "uninstaller"));
        SetModulePath("C:\\Stellum\\Uninstall\\kwmain");
        const char* dir = std::getenv("STELLUM_PROGRAM_DIR");
        ASSERT_TRUE(dir);
        ASSERT_TRUE(Write("Stellum/Uninstall/kwenu.dll", testsupport::ReadFileBytes(std::string(dir) + "/kwenu.dll")));
        InstallOperations::SetReportHook([this](const std::string& text) { opReports.push_back(text); });
    }

    // Makes log number n in the back directory from the changes that the installer's
    // operations make while it is their sink.
    void MakeLog(int n, const std::function<void(InstallOperations&, OpLog&)>& changes, int mode = 0)
    {
        OpLogHeader header;
        header.productName.Assign("Stellum");
        header.languageIndex = 3; // enu
        header.dialogMode = mode;
        header.stepMilliseconds = step;
        OpLog log;
        ASSERT_TRUE(log.Create(header, kBack));
        InstallOperations ops;
        ops.AttachLog(log);
        changes(ops, log);
        ops.DetachLog();
        log.Close();
        ASSERT_TRUE(fw::WinFileSystem::MoveFile(std::string(kBack) + "\\kwlog3.nnn", LogName(n)));
        ASSERT_TRUE(opReports.empty()) << opReports.front();
    }

    // One run of the uninstaller from a directory: -1 when Init ends it, else Run's answer.
    int Uninstall(const char* directory = kBack)
    {
        UninstallController controller(directory);
        if (!controller.Init()) return -1;
        int result = controller.Run();
        controller.Finish();
        return result;
    }

    bool Exists(const std::string& path) const { return fw::WinFileSystem::Exists(path); }
    std::string Setting(const char* name) const
    {
        RegKey key(kSettings);
        char text[64] = {};
        return key.QueryString(name, text, sizeof text) ? text : "(none)";
    }
    // A file of the machine by its Windows path.
    std::string ReadPath(const std::string& path) const
    {
        std::string host;
        return root.ToHost(path, host) ? testsupport::ReadFileBytes(host) : std::string();
    }
    std::string MoveKey(const char* key) const { return fw::WinProfile::GetString("movexe.ini", "x", key, "(none)"); }

    uint32_t step = 0;
    std::vector<std::string> opReports;
    fw::ScriptedMessageBoxes reports; // the uninstaller's own error boxes

    // The user: questions answered with their first button (Yes) unless told otherwise; an
    // answer of -1 is Enter, the default button.
    std::vector<std::string> questions;
    std::vector<int> answers;
    fw::Responder<MessageBoxSeam> ask{[this](const MessageBoxRequest& r) {
        questions.push_back(r.text);
        if (onQuestion) onQuestion(r);
        if (answers.empty()) return 0;
        int a = answers.front();
        answers.erase(answers.begin());
        return a < 0 ? r.defaultButton : a;
    }};
    std::function<void(const MessageBoxRequest&)> onQuestion;
    // The dialogs: the main dialogs by default start the undo and close; "DLGUNDOASKQUIT"
    // answers quitAnswer.
    Dialog* shown = nullptr;
    int quitAnswer = UndoDialog::kQuitCancelled;
    std::function<void(Dialog&, const std::string&)> onDialog;
    std::vector<std::string> dialogs;
    fw::Responder<DialogSeam> user{[this](Dialog& d, const std::string& name) {
        dialogs.push_back(name);
        if (name == "DLGUNDOASKQUIT") return quitAnswer;
        shown = &d;
        if (onDialog) {
            onDialog(d, name);
        } else {
            d.Command(UndoDialog::kStart);
            d.Command(UndoDialog::kClose);
        }
        shown = nullptr;
        return 0;
    }};
    // The mover is started in place of a process.
    std::vector<std::string> moverStarts;
    bool moverStarts_ok = true;
    fw::Responder<MoverStartSeam> mover{[this](const std::string& program) {
        moverStarts.push_back(program);
        return moverStarts_ok;
    }};
};

TEST_F(Uninstalling, TheNewestLogIsUndoneAndDeletedThenTheNextOne)
{
    const char* files[] = {"C:\\Stellum\\a.bin", "C:\\Stellum\\b.bin", "C:\\Stellum\\c.bin"};
    for (int n = 0; n < 3; ++n)
        MakeLog(n, [&](InstallOperations& ops, OpLog&) {
            EXPECT_TRUE(ops.CopyFile("C:\\SRC\\data.bin", files[n]));
            EXPECT_TRUE(ops.SetIniEntry(kIni, "Logs", ("n" + std::to_string(n)).c_str(), "1"));
        });

    answers = {1}; // "No" to the confirmation: nothing happens, the log stays
    EXPECT_EQ(Uninstall(), 0);
    ASSERT_EQ(questions, std::vector<std::string>{"Remove Stellum from this computer?"});
    EXPECT_TRUE(Exists(files[2]));
    EXPECT_TRUE(Exists(LogName(2)));

    EXPECT_EQ(Uninstall(), 1);
    EXPECT_FALSE(Exists(files[2]));
    EXPECT_FALSE(Exists(LogName(2)));
    EXPECT_EQ(fw::WinProfile::GetString(kIni, "Logs", "n2", "gone"), "gone");
    EXPECT_TRUE(Exists(files[1]) && Exists(LogName(1)) && Exists(files[0]) && Exists(LogName(0)));

    EXPECT_EQ(Uninstall(), 1);
    EXPECT_FALSE(Exists(files[1]) || Exists(LogName(1)));
    EXPECT_EQ(fw::WinProfile::GetString(kIni, "Logs", "n1", "gone"), "gone");
    EXPECT_TRUE(Exists(files[0]) && Exists(LogName(0)));
    EXPECT_EQ(fw::WinProfile::GetString(kIni, "Logs", "n0", "gone"), "1");
    EXPECT_EQ(reports.Count(), 0);
    EXPECT_TRUE(opReports.empty()) << opReports.front();
}

TEST_F(Uninstalling, ALogOfRecordsNeverOfferedUndoesNothing)
{
    MakeLog(0, [](InstallOperations&, OpLog&) {}); // the first install's log: numbers count from 000
    MakeLog(1, [](InstallOperations& ops, OpLog& log) {
        log.SetState(2);
        EXPECT_TRUE(ops.CopyFile("C:\\SRC\\data.bin", "C:\\Stellum\\a.bin"));
        EXPECT_TRUE(ops.SetRegString(kSettings, "Night", "1"));
    });
    EXPECT_EQ(Uninstall(), 0) << "closed before anything started";
    EXPECT_TRUE(questions.empty()) << "nothing to undo, nothing to confirm";
    EXPECT_TRUE(Exists("C:\\Stellum\\a.bin"));
    EXPECT_EQ(Setting("Night"), "1");
    EXPECT_TRUE(Exists(LogName(1)));
}

TEST_F(Uninstalling, TheUnattendedDialogUndoesAtOnceWithoutAsking)
{
    MakeLog(0, [](InstallOperations&, OpLog&) {}); // the first install's log: numbers count from 000
    MakeLog(1, [](InstallOperations& ops, OpLog&) {
        EXPECT_TRUE(ops.CopyFile("C:\\SRC\\data.bin", "C:\\Stellum\\a.bin"));
        EXPECT_TRUE(ops.SetRegString(kSettings, "Night", "1"));
    }, UndoDialog::kUnattended);
    EXPECT_EQ(Uninstall(), 1);
    EXPECT_TRUE(questions.empty());
    EXPECT_TRUE(dialogs.empty()) << "nothing to answer";
    EXPECT_FALSE(Exists("C:\\Stellum\\a.bin"));
    EXPECT_EQ(Setting("Night"), "(none)");
    EXPECT_FALSE(Exists(LogName(1)));
}

TEST_F(Uninstalling, NewestFirstAKeptRecordStaysAndTheOlderOnesAreStillUndone)
{
    step = 20;
    ASSERT_TRUE(Write("WINDOWS/stellum.ini", "[Paths]\nold=1\n"));
    MakeLog(0, [](InstallOperations&, OpLog&) {}); // the first install's log: numbers count from 000
    MakeLog(1, [](InstallOperations& ops, OpLog&) {
        EXPECT_EQ(ops.CreateDirectoryPath("C:\\Stellum\\Data"), InstallOperations::kCreated);
        EXPECT_TRUE(ops.CopyFile("C:\\SRC\\data.bin", "C:\\Stellum\\Data\\a.bin"));
        EXPECT_TRUE(ops.SetIniEntry(kIni, "Paths", "data", "C:\\Stellum\\Data"));
        EXPECT_TRUE(ops.SetRegString(kSettings, "Night", "1"));
    });
    // The simple dialog switches to the advanced one, where the INI entry is kept.
    std::vector<std::string> states;
    onDialog = [&](Dialog& d, const std::string& name) {
        if (name == "DLGUNDOMAINSIM") {
            d.Command(UndoDialog::kSwitch);
            return;
        }
        auto* list = qobject_cast<QTreeWidget*>(d.Item(UndoDialog::kList));
        ASSERT_TRUE(list);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(0).startsWith("INI entry created")) list->setCurrentItem(list->topLevelItem(i));
        d.Command(UndoDialog::kKeepChoice);
        EXPECT_EQ(list->currentItem()->text(1).toStdString(), "Keep");
        d.Command(UndoDialog::kStart);
        for (int i = 0; i < list->topLevelItemCount(); ++i) states.push_back(list->topLevelItem(i)->text(1).toStdString());
        EXPECT_EQ(d.ItemText(UndoDialog::kLabel), "Uninstall finished");
        d.Command(UndoDialog::kClose);
    };
    const auto began = std::chrono::steady_clock::now();
    EXPECT_EQ(Uninstall(), 1);
    const auto took = std::chrono::steady_clock::now() - began;

    EXPECT_EQ(dialogs, (std::vector<std::string>{"DLGUNDOMAINSIM", "DLGUNDOMAINADV"}));
    // Newest first: the file goes before its directory, which is then empty and goes unasked.
    EXPECT_EQ(questions, std::vector<std::string>{"Remove Stellum from this computer?"});
    EXPECT_FALSE(Exists("C:\\Stellum\\Data"));
    EXPECT_EQ(Setting("Night"), "(none)");
    EXPECT_EQ(fw::WinProfile::GetString(kIni, "Paths", "data", "gone"), "C:\\Stellum\\Data");
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(std::count(states.begin(), states.end(), "Keep"), 1);
    EXPECT_EQ(std::count(states.begin(), states.end(), "Undone"), static_cast<long>(states.size()) - 1);
    // Every undone record took at least the header's step time.
    EXPECT_GE(took, std::chrono::milliseconds(20 * (states.size() - 1)));
    EXPECT_FALSE(Exists(LogName(1))) << "the undone log is deleted";
}

TEST_F(Uninstalling, ARunAfterACancelUndoesTheRestEachChangeOnce)
{
    ASSERT_TRUE(Write("WINDOWS/stellum.ini", "[Old]\nk=1\n"));
    MakeLog(0, [](InstallOperations&, OpLog&) {}); // the first install's log: numbers count from 000
    MakeLog(1, [](InstallOperations& ops, OpLog&) {
        EXPECT_TRUE(ops.CopyFile("C:\\SRC\\data.bin", "C:\\Stellum\\a.bin"));
        EXPECT_TRUE(ops.SetRegString(kSettings, "Night", "1"));
        EXPECT_TRUE(ops.SetIniEntry(kIni, "New", "x", "1"));
        EXPECT_EQ(ops.CreateDirectoryPath("C:\\Stellum\\Notes"), InstallOperations::kCreated);
        EXPECT_TRUE(ops.DeleteIniEntry(kIni, "Old", "k", 0));
    });
    // Not the installer's: the user's note, and an entry the user added to the new section.
    ASSERT_TRUE(Write("Stellum/Notes/mine.txt", "the user's"));
    ASSERT_TRUE(fw::WinProfile::WriteString(kIni, "New", "y", "2"));
    // Cancel is pressed while the question on the section is up; the question is answered
    // with Enter.
    onQuestion = [this](const MessageBoxRequest& r) {
        if (r.text.find("still has entries") != std::string::npos && shown) shown->Command(UndoDialog::kStart);
    };
    answers = {0, -1}; // Yes to the uninstall, Enter to the section
    quitAnswer = UndoDialog::kQuitCancelled;
    onDialog = [](Dialog& d, const std::string&) {
        d.Command(UndoDialog::kStart);
        EXPECT_EQ(d.ItemText(UndoDialog::kLabel), "Uninstall cancelled");
        d.Command(UndoDialog::kClose);
    };
    EXPECT_EQ(Uninstall(), 0);
    EXPECT_EQ(dialogs.back(), "DLGUNDOASKQUIT") << "records remained: closing asks";
    EXPECT_EQ(Read("WINDOWS/stellum.ini"), "[Old]\nk=1\n\n[New]\ny=2\n") << "the user's entry and section stay";
    EXPECT_EQ(Read("Stellum/Notes/mine.txt"), "the user's") << "kept with its directory, unasked";
    EXPECT_EQ(Setting("Night"), "1") << "left for the next run";
    EXPECT_TRUE(Exists("C:\\Stellum\\a.bin"));
    ASSERT_TRUE(Exists(LogName(1)));

    // The next run undoes the two changes left, and only those: what was kept is settled.
    onQuestion = nullptr;
    onDialog = nullptr;
    questions.clear();
    OpLogContents left;
    ASSERT_TRUE(LoadOpLog(LogName(1).c_str(), left));
    EXPECT_EQ(left.header.productName.Text(), std::string("Stellum"));
    EXPECT_EQ(left.records.size(), 4u) << "the file, and the setting with its two keys";
    EXPECT_EQ(Uninstall(), 1);
    EXPECT_EQ(questions, std::vector<std::string>{"Remove Stellum from this computer?"});
    EXPECT_EQ(Read("WINDOWS/stellum.ini"), "[Old]\nk=1\n\n[New]\ny=2\n") << "the deleted entry is inserted once";
    EXPECT_EQ(Setting("Night"), "(none)");
    EXPECT_FALSE(Exists("C:\\Stellum\\a.bin"));
    EXPECT_TRUE(Exists("C:\\Stellum\\Notes\\mine.txt"));
    EXPECT_FALSE(Exists(LogName(1)));
    EXPECT_TRUE(opReports.empty()) << opReports.front();
}

TEST_F(Uninstalling, InitErrorsEndTheRunWithTheirReport)
{
    struct Case {
        const char* what;
        std::function<void()> setup;
        const char* directory;
        const char* report;
    };
    const Case cases[] = {
        {"no log", [] {}, kBack, "No log file"},
        {"damaged log", [this] { ASSERT_TRUE(Write("Stellum/Uninstall/kwlog3.000", "\x01\x02")); }, kBack,
         "Log file contains bad data"},
        {"unknown language",
         [this] {
             OpLogHeader h;
             h.languageIndex = 99;
             MemorySink sink;
             PortableWriter w(sink, false);
             ASSERT_TRUE(h.Write(w));
             ASSERT_TRUE(Write("Stellum/Uninstall/kwlog3.000", sink.Bytes()));
         },
         kBack, "Log file contains bad data"},
        {"stage 2 without a back directory", [] {}, "C:", "Back dir is undefined"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fw::WinFileSystem::DeleteFile(LogName(0));
        reports.Clear();
        c.setup();
        EXPECT_EQ(Uninstall(c.directory), -1);
        ASSERT_EQ(reports.Count(), 1);
        EXPECT_EQ(reports.Last().text, c.report);
    }
    EXPECT_TRUE(moverStarts.empty());
}

// Log 000 removes the back directory: stage 1 hands over to a copy at the drive root, which
// undoes the log and then has the mover delete it (or move it back when the uninstall did
// not end).
class TwoStages : public Uninstalling {
protected:
    void SetUp() override
    {
        Uninstalling::SetUp();
        InstallOperations setup;
        // The entry that starts this uninstaller, under a name of the script's own, and another
        // product's entry under this product's name.
        ASSERT_TRUE(setup.SetRegString(RegKey(0, kUninstallKey), "DisplayName", "Uninstall Stellum"));
        ASSERT_TRUE(setup.SetRegString(RegKey(0, kUninstallKey), "UninstallString", "C:\\Stellum\\Uninstall\\kwmain"));
        ASSERT_TRUE(setup.SetRegString(RegKey(0, kOtherKey), "UninstallString", "C:\\Other\\Uninstall\\kwmain"));
        ASSERT_TRUE(Write("Stellum/Uninstall/kuuser.dll", "ui"));
        ASSERT_TRUE(Write("WINDOWS/movexe", "the mover"));
        MakeLog(0, [](InstallOperations& ops, OpLog&) {
            EXPECT_TRUE(ops.CopyFile("C:\\SRC\\data.bin", "C:\\Stellum\\a.bin"));
            EXPECT_TRUE(ops.SetRegString(kSettings, "Night", "1"));
        });
    }
    // Stage 1 and the mover's part of the handover.
    void HandOver()
    {
        EXPECT_EQ(Uninstall(kBack), -1) << "stage 1 ends after the handover";
        EXPECT_EQ(reports.Count(), 0);
        MoveRunOptions options;
        options.requesterRunning = [](long) { return false; };
        options.start = [this](const std::string& p) {
            copyStarts.push_back(p);
            return true;
        };
        EXPECT_EQ(RunMoveRequest(options), kMoveDone);
        SetModulePath("C:\\kwmain");
    }
    std::vector<std::string> copyStarts;
};

TEST_F(TwoStages, StageOneMovesTheCompanionsAndStartsTheMover)
{
    EXPECT_EQ(Uninstall(kBack), -1);
    EXPECT_EQ(reports.Count(), 0);
    for (const char* name : {"kwlog3.000", "kwenu.dll", "kuuser.dll"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Exists(std::string("C:\\") + name));
        EXPECT_FALSE(Exists(std::string(kBack) + "\\" + name));
    }
    EXPECT_EQ(fw::WinProfile::GetString("win.ini", "KWMAIN", "b", ""), kBack);
    EXPECT_EQ(moverStarts, std::vector<std::string>{"C:\\WINDOWS\\movexe"});
    EXPECT_EQ(MoveKey("f"), "C:\\Stellum\\UNINST~1\\kwmain") << "short forms";
    EXPECT_EQ(MoveKey("t"), "C:");
    EXPECT_EQ(MoveKey("x"), "1");
    EXPECT_TRUE(Exists("C:\\Stellum\\a.bin")) << "nothing undone yet";
}

TEST_F(TwoStages, StageTwoUndoesTheFirstLogAndRemovesEveryTrace)
{
    HandOver();
    EXPECT_EQ(copyStarts, std::vector<std::string>{"C:\\kwmain"});
    EXPECT_FALSE(Exists("C:\\Stellum\\Uninstall\\kwmain"));

    EXPECT_EQ(Uninstall("C:"), 1);
    EXPECT_EQ(reports.Count(), 0);
    EXPECT_FALSE(Exists("C:\\Stellum\\a.bin"));
    EXPECT_EQ(Setting("Night"), "(none)");
    EXPECT_FALSE(RegKey(0, kUninstallKey).Exists()) << "the entry that starts this uninstaller goes";
    EXPECT_TRUE(RegKey(0, kOtherKey).Exists()) << "another's stays, whatever its name";
    EXPECT_EQ(fw::WinProfile::GetString("win.ini", "KWMAIN", "b", "(none)"), "(none)");
    for (const char* name : {"C:\\kwlog3.000", "C:\\kwenu.dll", "C:\\kuuser.dll"}) EXPECT_FALSE(Exists(name)) << name;
    // The mover removes the running copy after it has ended.
    EXPECT_EQ(moverStarts.size(), 2u);
    EXPECT_EQ(MoveKey("f"), "C:\\kwmain");
    EXPECT_EQ(MoveKey("t"), "");
    EXPECT_EQ(MoveKey("x"), "0");
    EXPECT_EQ(RunMoveRequest({0, [](long) { return false; }, nullptr}), kMoveDone);
    EXPECT_FALSE(Exists("C:\\kwmain"));
}

TEST_F(TwoStages, AStageTwoThatDoesNotEndPutsEverythingBack)
{
    HandOver();
    onDialog = [](Dialog& d, const std::string&) { d.Command(UndoDialog::kClose); }; // closed at once
    EXPECT_EQ(Uninstall("C:"), 0);
    EXPECT_TRUE(Exists("C:\\Stellum\\a.bin"));
    EXPECT_TRUE(RegKey(0, kUninstallKey).Exists());
    for (const char* name : {"kwlog3.000", "kwenu.dll", "kuuser.dll"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Exists(std::string(kBack) + "\\" + name));
        EXPECT_FALSE(Exists(std::string("C:\\") + name));
    }
    EXPECT_EQ(MoveKey("f"), "C:\\kwmain");
    EXPECT_EQ(MoveKey("t"), "C:\\Stellum\\UNINST~1");
    EXPECT_EQ(MoveKey("x"), "0");
    EXPECT_EQ(RunMoveRequest({0, [](long) { return false; }, nullptr}), kMoveDone);
    EXPECT_TRUE(Exists("C:\\Stellum\\Uninstall\\kwmain"));

    // The uninstall can begin again from the back directory.
    SetModulePath("C:\\Stellum\\Uninstall\\kwmain");
    onDialog = nullptr;
    EXPECT_EQ(Uninstall(kBack), -1);
    EXPECT_EQ(fw::WinProfile::GetString("win.ini", "KWMAIN", "b", ""), kBack);
}

// A machine without the mover: the uninstaller moves, starts and removes its own copy (this
// machine lets a running program move and delete its file), and leaves no request behind.
TEST_F(TwoStages, WithoutTheMoverTheUninstallerEndsOnItsOwn)
{
    ASSERT_TRUE(fw::WinFileSystem::DeleteFile("C:\\WINDOWS\\movexe"));
    EXPECT_EQ(Uninstall(kBack), -1);
    EXPECT_EQ(reports.Count(), 0);
    EXPECT_EQ(moverStarts, std::vector<std::string>{"C:\\kwmain"}) << "the copy at the drive root";
    EXPECT_EQ(Read("kwmain"), "uninstaller");
    EXPECT_FALSE(Exists("C:\\Stellum\\Uninstall\\kwmain"));

    // A stage 2 that does not end puts its copy back.
    SetModulePath("C:\\kwmain");
    onDialog = [](Dialog& d, const std::string&) { d.Command(UndoDialog::kClose); };
    EXPECT_EQ(Uninstall("C:"), 0);
    EXPECT_TRUE(Exists("C:\\Stellum\\Uninstall\\kwmain"));
    EXPECT_FALSE(Exists("C:\\kwmain"));

    // Begun again and run to the end, the copy removes itself.
    SetModulePath("C:\\Stellum\\Uninstall\\kwmain");
    onDialog = nullptr;
    EXPECT_EQ(Uninstall(kBack), -1);
    SetModulePath("C:\\kwmain");
    EXPECT_EQ(Uninstall("C:"), 1);
    EXPECT_EQ(reports.Count(), 0);
    EXPECT_FALSE(Exists("C:\\kwmain"));
    EXPECT_FALSE(Exists("C:\\Stellum\\a.bin"));
    EXPECT_EQ(moverStarts.size(), 2u);
    EXPECT_FALSE(Exists("C:\\WINDOWS\\movexe.ini")) << "no request for a mover that is not there";
}

TEST_F(TwoStages, AHandoverThatFailsLeavesTheBackDirectoryAsItWas)
{
    struct Case {
        const char* what;
        const char* missing;
        bool moverStarts;
        std::string report;
    };
    const Case cases[] = {
        {"no mover", nullptr, false, "Unable to launch movexe"},
        {"no language package", "kwenu.dll", true, "C:\\Stellum\\Uninstall\\kwenu.dll not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reports.Clear();
        moverStarts_ok = c.moverStarts;
        std::string removed;
        if (c.missing) {
            removed = Read(std::string("Stellum/Uninstall/") + c.missing);
            ASSERT_TRUE(fw::WinFileSystem::DeleteFile(std::string(kBack) + "\\" + c.missing));
        }
        EXPECT_EQ(Uninstall(kBack), -1);
        ASSERT_EQ(reports.Count(), 1);
        EXPECT_EQ(reports.Last().text, c.report);
        EXPECT_TRUE(Exists(LogName(0)));
        EXPECT_TRUE(Exists(std::string(kBack) + "\\kuuser.dll"));
        EXPECT_FALSE(Exists("C:\\kwlog3.000") || Exists("C:\\kuuser.dll") || Exists("C:\\kwenu.dll"));
        EXPECT_EQ(fw::WinProfile::GetString("win.ini", "KWMAIN", "b", "(none)"), "(none)");
        EXPECT_EQ(MoveKey("f"), "(none)") << "no request is left behind";
        if (c.missing) {
            ASSERT_TRUE(Write(std::string("Stellum/Uninstall/") + c.missing, removed));
        }
    }
}

TEST_F(Uninstalling, TheMoverMovesDeletesAndStarts)
{
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\Long Directory Name"));
    struct Case {
        const char* what;
        const char* target;
        int execute;
        MoveRunResult result;
        const char* remains; // where the file is afterwards ("" gone)
        std::vector<std::string> started;
    };
    const Case cases[] = {
        {"move and start", "C:\\Long Directory Name", 1, kMoveDone, "C:\\Long Directory Name\\long program name",
         {"C:\\LONGDI~1\\long program name"}},
        {"move only", "C:\\Long Directory Name", 0, kMoveDone, "C:\\Long Directory Name\\long program name", {}},
        {"delete", "", 0, kMoveDone, "", {}},
        {"delete; nothing to start", "", 1, kMoveDone, "", {}},
        {"into no directory", "C:\\Missing", 1, kMoveFailed, "C:\\Stellum\\long program name", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Write("Stellum/long program name", "program"));
        fw::WinFileSystem::DeleteFile("C:\\Long Directory Name\\long program name");
        MoveRequest request;
        request.file = "C:\\Stellum\\long program name";
        request.target = c.target;
        request.execute = c.execute;
        ASSERT_TRUE(WriteMoveRequest(request));
        EXPECT_EQ(MoveKey("f"), "C:\\Stellum\\LONGPR~1");
        std::vector<std::string> started;
        MoveRunOptions options;
        options.requesterRunning = [](long pid) { return pid == 0; };
        options.start = [&](const std::string& p) {
            started.push_back(p);
            return true;
        };
        EXPECT_EQ(RunMoveRequest(options), c.result);
        EXPECT_EQ(started, c.started);
        if (*c.remains) {
            EXPECT_EQ(ReadPath(c.remains), "program");
        } else {
            EXPECT_FALSE(Exists(request.file));
        }
        EXPECT_EQ(MoveKey("f"), "(none)") << "the request is done with";
    }

    // The requester still runs: after the wait the request is left as it was.
    MoveRequest request;
    request.file = "C:\\Stellum\\long program name";
    ASSERT_TRUE(WriteMoveRequest(request));
    EXPECT_EQ(MoveKey("p"), std::to_string(static_cast<long>(getpid())));
    EXPECT_TRUE(HostProcessRunning(static_cast<long>(getppid())));
    EXPECT_EQ(RunMoveRequest({50, [](long) { return true; }, nullptr}), kMoveRequesterRunning);
    EXPECT_TRUE(Exists(request.file));
    EXPECT_EQ(MoveKey("t"), "");
    // A directory is never moved or deleted.
    request.file = "C:\\Long Directory Name";
    ASSERT_TRUE(WriteMoveRequest(request));
    EXPECT_EQ(RunMoveRequest({0, [](long) { return false; }, nullptr}), kMoveFailed);
    EXPECT_TRUE(fw::WinFileSystem::IsDirectory("C:\\Long Directory Name"));
    fw::WinProfile::WriteString("movexe.ini", "x", nullptr, nullptr);
    EXPECT_EQ(RunMoveRequest(), kMoveNoRequest);
}

TEST_F(Uninstalling, DialogPictures)
{
    MakeLog(0, [](InstallOperations&, OpLog&) {}); // the first install's log: numbers count from 000
    MakeLog(1, [](InstallOperations& ops, OpLog&) {
        EXPECT_EQ(ops.CreateDirectoryPath("C:\\Stellum\\Data"), InstallOperations::kCreated);
        EXPECT_TRUE(ops.CopyFile("C:\\SRC\\data.bin", "C:\\Stellum\\Data\\ngc2k.rsx"));
        EXPECT_TRUE(ops.SetIniEntry(kIni, "Paths", "data", "C:\\Stellum\\Data"));
        EXPECT_TRUE(ops.SetRegString(kSettings, "Night", "1"));
    });
    onDialog = [](Dialog& d, const std::string& name) {
        if (name == "DLGUNDOMAINSIM") {
            d.SetItemText(UndoDialog::kRecordText, "INI entry created: data");
            testsupport::SaveDialogSnapshot(*d.Window(), "kw_uninstall_simple.png");
            d.Command(UndoDialog::kSwitch);
            return;
        }
        auto* list = qobject_cast<QTreeWidget*>(d.Item(UndoDialog::kList));
        ASSERT_TRUE(list);
        EXPECT_GE(list->topLevelItemCount(), 4);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(0).startsWith("INI entry created")) list->setCurrentItem(list->topLevelItem(i));
        EXPECT_NE(d.ItemText(UndoDialog::kDetails).find("Section: Paths"), std::string::npos);
        d.Window()->show(); // laid out as on the screen before the picture
        QCoreApplication::processEvents();
        testsupport::SaveDialogSnapshot(*d.Window(), "kw_uninstall_advanced.png");
        d.Command(UndoDialog::kClose);
    };
    EXPECT_EQ(Uninstall(), 0);
    EXPECT_EQ(UndoDialog::AlignedDetails("File: a\nSection: b\nplain"), "   File: a\nSection: b\nplain");
}

} // namespace
