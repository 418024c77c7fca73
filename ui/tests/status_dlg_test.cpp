// The status window: message lines and their log file, the 1000-line cap, the percentage
// bar's steps, HIDE, and that reporting lets waiting messages through.
#include "ui/TStatusDlg.h"

#include "framework/gui/Gauge.h"
#include "framework/gui/ListBox.h"
#include "framework/gui/Window.h"
#include "framework/testsupport/FileLines.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "astro/SolarReport.h"
#include "framework/testsupport/Snapshot.h"

#include <QDir>
#include <QPixmap>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

using testsupport::FileLines;

struct StatusFixture : ::testing::Test {
    testsupport::TempDir dir;
    std::string logPath = dir.file("status.txt");
};

TEST_F(StatusFixture, TheThousandAndFirstLineEmptiesTheListAndStandsTwiceInTheLog)
{
    TStatusDlg status(nullptr, logPath);
    status.SetLogging(true);
    status.Create(false);
    for (int i = 1; i <= 1000; ++i) status.Message("line " + std::to_string(i), false);
    EXPECT_EQ(status.LineCount(), 1000);
    status.Message("line 1001", false);
    ASSERT_EQ(status.LineCount(), 1);
    EXPECT_EQ(status.Line(0), "Status buffer exceeded\nBuffer copied to status.txt");
    EXPECT_TRUE(status.isVisible()); // the notice shows the window
    auto lines = FileLines(logPath);
    ASSERT_EQ(lines.size(), 1002u);
    EXPECT_EQ(lines[999], "line 1000");
    EXPECT_EQ(lines[1000], "line 1001");
    EXPECT_EQ(lines[1001], "line 1001");
    // The next line starts a new list after the notice.
    status.Message("after", false);
    EXPECT_EQ(status.LineCount(), 2);
    EXPECT_EQ(status.List()->GetCaretIndex(), 1);
}

TEST_F(StatusFixture, WithoutLoggingTheOverflowCopiesTheListSoNoLineIsLost)
{
    TStatusDlg status(nullptr, logPath);
    for (int i = 1; i <= 1001; ++i) status.Message("line " + std::to_string(i), false);
    auto lines = FileLines(logPath);
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_EQ(lines.front(), "line 1");
    EXPECT_EQ(lines.back(), "line 1001");
    EXPECT_EQ(status.LineCount(), 1);
}

TEST_F(StatusFixture, LogFileStartsEmptyAndTakesOnlyLoggedLines)
{
    ASSERT_TRUE(testsupport::WriteFileBytes(logPath, "old run\n"));
    TStatusDlg status(nullptr, logPath);
    EXPECT_EQ(testsupport::ReadFileBytes(logPath), "");
    status.Message("unlogged", false);
    status.AddLine("never logged");
    status.SetLogging(true);
    status.Message("Reading NGC 2000.0", false);
    EXPECT_EQ(testsupport::ReadFileBytes(logPath), "Reading NGC 2000.0\n");
}

TEST_F(StatusFixture, StepProgressMovesTheBarOnlyBeyondTheStep)
{
    TStatusDlg status(nullptr, logPath);
    status.SetProgress(50);
    status.StepProgress(5, 10, 0);
    EXPECT_EQ(status.LastPercentage(), 50u);
    status.StepProgress(6, 10, 0);
    EXPECT_EQ(status.LastPercentage(), 60u);
    EXPECT_EQ(status.GetGaugeControl()->GetValue(), 60);

    // Step 10 over 100 items moves at 11, 22, 33 ... percent.
    TStatusDlg steps(nullptr, dir.file("s2.txt"));
    std::vector<std::uint32_t> moves;
    for (std::uint32_t i = 0; i < 100; ++i) {
        std::uint32_t before = steps.LastPercentage();
        steps.StepProgress(i, 100, 10);
        if (steps.LastPercentage() != before) moves.push_back(steps.LastPercentage());
    }
    EXPECT_EQ(moves, (std::vector<std::uint32_t>{11, 22, 33, 44, 55, 66, 77, 88, 99}));

    // Large counts do not overflow, and no items means no progress.
    steps.SetGauge(0);
    steps.StepProgress(400000000u, 450000000u, 0);
    EXPECT_EQ(steps.LastPercentage(), 88u);
    steps.StepProgress(1, 0, 0);
    EXPECT_EQ(steps.LastPercentage(), 88u);
}

TEST_F(StatusFixture, HideEmptiesTheListAndShowFalseLeavesTheWindowHidden)
{
    TStatusDlg status(nullptr, logPath);
    status.Message("first", true);
    status.Message("second", true);
    EXPECT_TRUE(status.isVisible());
    status.SetKeepOpen(true);
    status.HideUnlessPinned();
    EXPECT_TRUE(status.isVisible()); // pinned
    status.PressButton(TStatusDlg::kHideId);
    EXPECT_FALSE(status.isVisible());
    EXPECT_FALSE(status.IsKeepOpen());
    EXPECT_EQ(status.LineCount(), 0);

    status.Message("quiet", false);
    EXPECT_FALSE(status.isVisible());
    EXPECT_EQ(status.LineCount(), 1);
    status.HideUnlessPinned();

    status.PressButton(TStatusDlg::kHideId);
    status.Message("back", true);
    EXPECT_TRUE(status.isVisible());
    ASSERT_EQ(status.LineCount(), 1);
    EXPECT_EQ(status.Line(0), "back");
    status.HideUnlessPinned();
    EXPECT_FALSE(status.isVisible());
}

TEST_F(StatusFixture, AnOperationsCaptionLastsWhileTheWindowIsShown)
{
    TStatusDlg status(nullptr, logPath);
    status.Message("Reading Sample.log", true);
    status.SetCaption("Reading Sample.log");
    status.Message("Log Has 7 Records", true);
    EXPECT_EQ(status.GetCaption(), "Reading Sample.log");
    status.HideUnlessPinned();
    EXPECT_EQ(status.GetCaption(), "Current Process Status") << "the next operation starts under the window's own";
    status.Message("Sorting", true);
    EXPECT_EQ(status.GetCaption(), "Current Process Status");
}

TEST_F(StatusFixture, ReportingLetsWaitingCommandsThrough)
{
    TStatusDlg status(nullptr, logPath);
    fw::Window other;
    int handled = 0;
    other.OnCommand(19301, [&] { ++handled; });
    other.PostCommand(19301);
    status.Message("step", false);
    EXPECT_EQ(handled, 1);
    other.PostCommand(19301);
    status.SetGauge(10); // no pumping
    EXPECT_EQ(handled, 1);
    status.SetProgress(20);
    EXPECT_EQ(handled, 2);
}

TEST_F(StatusFixture, Snapshot)
{
    TStatusDlg status(nullptr, logPath);
    status.Message("Reading Catalogue...", true);
    status.Message("Filtering 13226 objects", true);
    status.Message("Sorting Observing List", true);
    for (std::uint32_t i = 0; i <= 42; ++i) status.StepProgress(i, 100, 0);
    EXPECT_EQ(status.GetGaugeControl()->Text(), "42%");
    EXPECT_TRUE(status.GetGaugeControl()->isVisible());
    testsupport::SaveSnapshot(status, "status_window.png");
}

TEST_F(StatusFixture, StartedByTheMainWindowAndGoneWithIt)
{
    ProgramDirectory = dir.path();
    ASSERT_TRUE(testsupport::WriteFileBytes(logPath, "last run\n"));
    auto* mainWindow = new fw::Window;
    TStatusDlg* status = StartStatusWindow(mainWindow);
    EXPECT_EQ(StatusWindow, status);
    EXPECT_FALSE(status->isVisible()); // hidden until the first report
    EXPECT_TRUE(status->IsLogging());
    EXPECT_EQ(testsupport::ReadFileBytes(logPath), "");
    StatusWindow->Message("Loading Planets", false);
    EXPECT_EQ(testsupport::ReadFileBytes(logPath), "Loading Planets\n");
    // The astronomy library's reports reach the window once it exists.
    SolarStatusMessage("Calculating Planets");
    EXPECT_EQ(status->Line(status->LineCount() - 1), "Calculating Planets");
    delete mainWindow;
    EXPECT_EQ(StatusWindow, nullptr);
    EndStatusWindow(); // nothing left to end
}

TEST(ErrnoText, GivesTheLibraryTextOfTheLastError)
{
    errno = ENOENT;
    EXPECT_EQ(ErrnoText(), "No such file or directory");
}

} // namespace
