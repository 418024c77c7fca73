// How the user hears about a file of theirs that cannot be read whole: once, in the status
// window and in the debug log.
#include "ui/UserFile.h"

#include "framework/testsupport/FileLines.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/LogErrors.h"
#include "ui/TStatusDlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using testsupport::FileLines;

// A status window of the test's own, and the run's debug log pointed into its directory.
class UserFileReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = StatusWindow;
        StatusWindow = &status_;
        DebugLog().Reset(DebugPath());
    }
    void TearDown() override { StatusWindow = previous_; }
    std::string DebugPath() const { return dir_.file("debug.txt"); }
    std::vector<std::string> StatusLines() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < status_.LineCount(); ++i) lines.push_back(status_.Line(i));
        return lines;
    }

    testsupport::TempDir dir_;
    TStatusDlg status_{nullptr, dir_.file("status.txt")};

private:
    TStatusDlg* previous_ = nullptr;
};

// Every report about a damaged, unreadable or kept-aside file is one line in the status window
// and the same line in the debug log; a missing file (a first start) is no report at all.
TEST_F(UserFileReport, EachReportIsOneLineInTheStatusWindowAndTheDebugLog)
{
    const std::string file = dir_.file("chtlabel.rsx");
    const std::string blocked = dir_.file("conlines.rsx");
    ASSERT_TRUE(testsupport::WriteFileBytes(file, "damaged"));
    std::filesystem::create_directory(blocked);
    struct Case {
        const char* what;
        std::function<void()> report;
        std::string line; // "" when nothing is said
    } cases[] = {
        {"damaged", [&] { UserFile::ReportDamaged(file, "chart label"); },
         "The chart label file " + file + " is damaged: what was read before the damage is kept"},
        {"unreadable", [&] { EXPECT_TRUE(UserFile::ReportIfUnreadable(blocked, "constellation line")); },
         "The constellation line file " + blocked + " cannot be read: it is kept until it is replaced"},
        {"missing", [&] { EXPECT_FALSE(UserFile::ReportIfUnreadable(dir_.file("none.rsx"), "settings")); }, ""},
        {"kept aside", [&] { EXPECT_TRUE(UserFile::Save(file, "whole", true, "chart label")); },
         "The damaged chart label file is kept as " + file + ".bad"},
    };
    std::vector<std::string> said;
    for (const Case& c : cases) {
        c.report();
        if (!c.line.empty()) said.push_back(c.line);
        EXPECT_EQ(StatusLines(), said) << c.what;
        EXPECT_EQ(FileLines(DebugPath()), said) << c.what;
    }
    EXPECT_EQ(testsupport::ReadFileBytes(file + ".bad"), "damaged");
}

// Before the program has made its status window the report goes nowhere, the debug log
// included.
TEST_F(UserFileReport, WithoutAStatusWindowNothingIsWritten)
{
    StatusWindow = nullptr;
    UserFile::ReportDamaged(dir_.file("chtlabel.rsx"), "chart label");
    EXPECT_FALSE(std::filesystem::exists(DebugPath()));
}

} // namespace
