// The start-up file merge: which lines are PATH lines and how they merge, the new file's
// order for AUTOEXEC.BAT and CONFIG.SYS, the review dialog with its back-up name and its
// shared scroll bar, the logged replacement, and what a failure or a Cancel leaves behind.
#include "installer/engine/StartupMerge.h"
#include "installer/engine/EngineStrings.h"
#include "installer/engine/tests/InstallerDialogFixture.h"

#include "framework/gui/MessageBox.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/testsupport/RootFixture.h"
#include "framework/testsupport/Snapshot.h"
#include "installer/support/DialogBox.h"
#include "installer/support/FilePath.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/ResString.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace kw;

namespace {

TEST(StartupMergeLines, PathLinesAndTheirMerge)
{
    const struct {
        const char* line;
        bool path;
    } lines[] = {
        {"PATH C:\\DOS", true},   {"path=c:\\x", true},       {"SET PATH = C:\\WIN", true}, {"set path=c:\\a", true},
        {"  Path  C:\\A", true},  {"PATH", true},             {"SET PATHX=1", false},       {"PATHEXT=.COM", false},
        {"REM PATH C:\\", false}, {"SET PATH C:\\X", false},  {"", false},                  {"SET TEMP=C:\\TEMP", false},
    };
    for (const auto& l : lines) {
        SCOPED_TRACE(l.line);
        EXPECT_EQ(LinesMerge(false, l.line, "PATH C:\\NEW"), l.path);
        EXPECT_FALSE(LinesMerge(true, l.line, "PATH C:\\NEW")) << "CONFIG.SYS lines never merge";
    }

    const struct {
        const char* existing;
        const char* added;
        const char* merged;
    } merges[] = {
        {"PATH C:\\DOS;C:\\WIN", "SET PATH = C:\\WIN;C:\\NEW", "PATH C:\\DOS;C:\\WIN;C:\\NEW"},
        {"PATH C:\\DOS;C:\\WIN;", "path c:\\win c:\\new;C:\\NEW", "PATH C:\\DOS;C:\\WIN;c:\\new"},
        {"PATH C:\\DOS", "PATH c:\\dos", "PATH C:\\DOS"}, // nothing added still counts as merged
        {"PATH=C:\\DOS", "PATH=C:\\NEW", "PATH=C:\\DOS;C:\\NEW"},
        {"SET PATH=C:\\DOS", "SET PATH = C:\\DOS;D:\\X", "SET PATH=C:\\DOS;D:\\X"},
        {"PATH", "PATH C:\\NEW", "PATH C:\\NEW"},
        {"SET PATH=", "PATH C:\\NEW", "SET PATH=C:\\NEW"},
    };
    for (const auto& m : merges) {
        SCOPED_TRACE(m.existing);
        EXPECT_EQ(MergePathLines(m.existing, m.added), m.merged);
    }
}

class StartupMerge : public InstallerDialogFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(InstallerDialogFixture::SetUp());
        fw::WinFileSystem::CreateDirectory("C:\\TEMP");
    }
    // Merges the lines into AUTOEXEC.BAT (or CONFIG.SYS); the review runs the step.
    bool Merge(const std::string& lines, bool configSys, bool append, bool quiet = true)
    {
        EXPECT_TRUE(Write("TEMP/lines.txt", lines));
        StartupMergeRequest request;
        request.configSys = configSys;
        request.append = append;
        request.quiet = quiet;
        request.linesFile = "C:\\TEMP\\lines.txt";
        return MergeStartupFile(host, request);
    }
    // The names in a directory of drive C:, sorted.
    std::vector<std::string> Listing(const std::string& rel)
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(C(rel))) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::function<void(Dialog&)> step;
    int showings = 0;
    fw::Responder<DialogSeam> dialogs{[this](Dialog& d, const std::string& name) {
        EXPECT_EQ(name, "DLGDOSINFORM");
        ++showings;
        if (step) step(d);
        return -1;
    }};
};

TEST_F(StartupMerge, AutoexecLinesAreMergedAddedOrLeftOut)
{
    const std::string before = "@ECHO OFF\r\nPATH C:\\DOS;C:\\WIN\r\nSET TEMP=C:\\TEMP\r\n";
    ASSERT_TRUE(Write("AUTOEXEC.BAT", before));
    ASSERT_TRUE(Merge("SET PATH = C:\\WIN;C:\\NEW\r\n@echo off\r\n\r\nSET STELLUM=C:\\STELLUM\r\nset temp=c:\\temp\r\n", false,
                      false));
    EXPECT_EQ(Read("AUTOEXEC.BAT"), "SET STELLUM=C:\\STELLUM\r\n@ECHO OFF\r\nPATH C:\\DOS;C:\\WIN;C:\\NEW\r\nSET TEMP=C:\\TEMP\r\n")
        << "a line present in any letter case is not added; the PATH lines merge";
    EXPECT_EQ(Read("AUTOEXEC.bak"), before) << "the old file under its back-up name";
    EXPECT_EQ(host.sink.changes, std::vector<std::string>{"move C:\\AUTOEXEC.BAT > C:\\AUTOEXEC.bak"})
        << "the change is logged, so that the uninstaller can undo it";
    EXPECT_EQ(host.startFilesChanged, 1);
    EXPECT_TRUE(Listing("TEMP").empty()) << "the lines file and the work files are gone";
    EXPECT_FALSE(fw::WinFileSystem::Exists("C:\\autox000.000"));
    EXPECT_EQ(showings, 0) << "quiet";

    // With append the new lines go last; a second back-up takes the next free name.
    ASSERT_TRUE(Merge("SET ZONE=UTC\n", false, true));
    EXPECT_EQ(Read("AUTOEXEC.BAT"),
              "SET STELLUM=C:\\STELLUM\r\n@ECHO OFF\r\nPATH C:\\DOS;C:\\WIN;C:\\NEW\r\nSET TEMP=C:\\TEMP\r\nSET ZONE=UTC\r\n");
    EXPECT_TRUE(fw::WinFileSystem::Exists("C:\\AUTOEXEC.000"));
}

TEST_F(StartupMerge, ConfigSysLinesGoBeforeOrWithAppendAfter)
{
    const struct {
        bool append;
        const char* result;
    } cases[] = {
        {false, "DEVICE=C:\\STELLUM\\CLOCK.SYS\nPATH C:\\X\nFILES=30\nBUFFERS=20\n"},
        {true, "FILES=30\nBUFFERS=20\nDEVICE=C:\\STELLUM\\CLOCK.SYS\nPATH C:\\X\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.append);
        ASSERT_TRUE(Write("CONFIG.SYS", "FILES=30\nBUFFERS=20\n"));
        fw::WinFileSystem::DeleteFile("C:\\CONFIG.BAK");
        ASSERT_TRUE(Merge("DEVICE=C:\\STELLUM\\CLOCK.SYS\r\nfiles=30\r\nPATH C:\\X\r\n", true, c.append));
        EXPECT_EQ(Read("CONFIG.SYS"), c.result) << "only added, never merged; the file keeps its line ends";
    }
}

TEST_F(StartupMerge, AMissingFileIsMadeAndLoggedAsMade)
{
    ASSERT_TRUE(Merge("SET STELLUM=C:\\STELLUM\n", false, false));
    EXPECT_EQ(Read("AUTOEXEC.BAT"), "SET STELLUM=C:\\STELLUM\r\n");
    EXPECT_EQ(host.sink.changes, std::vector<std::string>{"new C:\\AUTOEXEC.BAT"});
    EXPECT_EQ(host.startFilesChanged, 1);
}

TEST_F(StartupMerge, TheReviewShowsBothFilesAndTakesTheEdits)
{
    ASSERT_TRUE(Write("AUTOEXEC.BAT", "@ECHO OFF\r\nPATH C:\\DOS\r\n"));
    step = [&](Dialog& d) {
        EXPECT_EQ(d.ItemText(101), "@ECHO OFF\nPATH C:\\DOS\n");
        EXPECT_EQ(d.ItemText(102), "SET A=1\n@ECHO OFF\nPATH C:\\DOS;C:\\NEW\n");
        EXPECT_EQ(d.ItemText(104), "C:\\AUTOEXEC.bak");
        EXPECT_TRUE(qobject_cast<QPlainTextEdit*>(d.Item(101))->isReadOnly());
        EXPECT_FALSE(qobject_cast<QPlainTextEdit*>(d.Item(102))->isReadOnly());
        ASSERT_NE(qobject_cast<QScrollBar*>(d.Item(103)), nullptr) << "the shared scroll bar";
        EXPECT_EQ(qobject_cast<QScrollBar*>(d.Item(103))->maximum(), 100);

        d.SetItemText(104, "  ");
        d.Command(kCmdOk);
        EXPECT_FALSE(d.Ended()) << "an empty back-up name";
        ASSERT_EQ(boxes.size(), 1u);
        char text[kResStringSize];
        LoadResString(text, 10);
        EXPECT_EQ(boxes[0].text, text);
        d.SetItemText(104, "AUTOEXEC.BAT");
        d.Command(kCmdOk);
        EXPECT_FALSE(d.Ended()) << "a back-up name that is taken";
        d.Command(105);
        d.SetItemText(104, "OLDAUTO.BAT");
        d.SetItemText(102, "SET A=2\n@ECHO OFF\nPATH C:\\DOS;C:\\NEW\n");
        d.Command(kCmdOk);
    };
    ASSERT_TRUE(Merge("SET A=1\nPATH C:\\NEW\n", false, false, false));
    EXPECT_EQ(showings, 1);
    EXPECT_EQ(Read("AUTOEXEC.BAT"), "SET A=2\r\n@ECHO OFF\r\nPATH C:\\DOS;C:\\NEW\r\n") << "the edited text";
    EXPECT_EQ(Read("OLDAUTO.BAT"), "@ECHO OFF\r\nPATH C:\\DOS\r\n") << "a bare name stays beside the file";
    EXPECT_FALSE(fw::WinFileSystem::Exists("C:\\AUTOEXEC.bak"));
    EXPECT_EQ(host.help, std::vector<int>{0});
    EXPECT_EQ(host.startFilesChanged, 1);
}

TEST_F(StartupMerge, CancellingTheReviewLeavesTheFileAndSucceeds)
{
    const std::string before = "FILES=30\r\n";
    ASSERT_TRUE(Write("CONFIG.SYS", before));
    step = [&](Dialog& d) { d.Command(kCmdCancel); };
    ASSERT_TRUE(Merge("DEVICE=X.SYS\r\n", true, false, false));
    EXPECT_EQ(Read("CONFIG.SYS"), before);
    EXPECT_FALSE(fw::WinFileSystem::Exists("C:\\CONFIG.BAK"));
    EXPECT_FALSE(fw::WinFileSystem::Exists("C:\\confg000.000")) << "the new file is deleted";
    EXPECT_TRUE(host.sink.changes.empty());
    EXPECT_EQ(host.startFilesChanged, 0);
    EXPECT_EQ(host.abortQuestions, 0) << "no abort question: a Cancel here is no failure";
    EXPECT_TRUE(Listing("TEMP").empty());
}

TEST_F(StartupMerge, FailuresLeaveTheFileAsItWas)
{
    const std::string before = "@ECHO OFF\r\n";
    ASSERT_TRUE(Write("AUTOEXEC.BAT", before));
    StartupMergeRequest request;
    request.quiet = true;
    request.linesFile = "C:\\TEMP\\missing.txt";
    EXPECT_FALSE(MergeStartupFile(host, request)) << "no file of lines";

    host.temporaryDirectory = "C:\\NOWHERE";
    EXPECT_FALSE(Merge("SET A=1\r\n", false, false)) << "no room for the work files";
    EXPECT_EQ(Read("AUTOEXEC.BAT"), before);
    EXPECT_FALSE(fw::WinFileSystem::Exists("C:\\autox000.000"));

    // The old file cannot be moved away: it stays, and so does nothing else.
    host.temporaryDirectory = "C:\\TEMP";
    root.SetInUse("C:\\AUTOEXEC.BAT");
    EXPECT_FALSE(Merge("SET A=1\r\n", false, false));
    root.SetInUse("C:\\AUTOEXEC.BAT", false);
    EXPECT_EQ(Read("AUTOEXEC.BAT"), before);
    EXPECT_FALSE(fw::WinFileSystem::Exists("C:\\autox000.000"));
    EXPECT_EQ(host.startFilesChanged, 0);
}

TEST_F(StartupMerge, TheScrollBarMovesBothFiles)
{
    std::string present, adding;
    for (int i = 0; i < 40; ++i) present += "REM old line " + std::to_string(i) + "\r\n";
    for (int i = 0; i < 20; ++i) adding += "SET NEW" + std::to_string(i) + "=1\r\n";
    ASSERT_TRUE(Write("AUTOEXEC.BAT", present));
    step = [&](Dialog& d) {
        d.Window()->show();
        auto* bar = qobject_cast<QScrollBar*>(d.Item(103));
        auto* a = qobject_cast<QPlainTextEdit*>(d.Item(101));
        auto* b = qobject_cast<QPlainTextEdit*>(d.Item(102));
        ASSERT_TRUE(bar && a && b);
        QApplication::processEvents();
        ASSERT_GT(a->verticalScrollBar()->maximum(), 0) << "the files are longer than their fields";
        // The thumb moved to the middle: each file to its own middle line.
        bar->setSliderPosition(50);
        bar->triggerAction(QAbstractSlider::SliderMove);
        EXPECT_EQ(a->verticalScrollBar()->value(), std::min(20, a->verticalScrollBar()->maximum()));
        EXPECT_EQ(b->verticalScrollBar()->value(), std::min(30, b->verticalScrollBar()->maximum()));
        // A line down moves both, and the bar shows where they stand together.
        bar->setSliderPosition(0);
        bar->triggerAction(QAbstractSlider::SliderMove);
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(a->verticalScrollBar()->value(), 1);
        EXPECT_EQ(b->verticalScrollBar()->value(), 1);
        EXPECT_EQ(bar->value(), (3 + 2) / 2) << "1 of 40 and 1 of 60 lines, in percent, averaged";
        testsupport::SaveDialogSnapshot(*d.Window(), "kw_startup_file.png");
        d.Command(kCmdCancel);
    };
    ASSERT_TRUE(Merge(adding, false, false, false));
}

} // namespace
