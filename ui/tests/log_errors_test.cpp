// The diagnostic log and the number-to-text helpers.
#include "ui/LogErrors.h"

#include "framework/testsupport/TestSupport.h"

#include <cfloat>
#include <cstdlib>
#include <sys/stat.h>
#include <gtest/gtest.h>

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

TEST(LogErrors, EachRunStartsANewFileAndEveryLineIsOnDiskAtOnce)
{
    testsupport::TempDir dir;
    std::string path = dir.file("debug.txt");
    {
        LogErrors log(path);
        EXPECT_FALSE(Exists(path)); // nothing logged, no file
        log.WriteDebugLine("Constructing ObsDialog - ");
        // Flushed: readable while the log is still open.
        EXPECT_EQ(testsupport::ReadFileBytes(path), "Constructing ObsDialog - \n");
        log.WriteDebugLine("Destructing ObsDialog - ");
    }
    {
        LogErrors second(path); // the next run truncates
        second.WriteDebugLine("Zero Distance when computing SemiDiameter");
    }
    EXPECT_EQ(testsupport::ReadFileBytes(path), "Zero Distance when computing SemiDiameter\n");
}

TEST(LogErrors, AnUnwritableLogDropsLinesSilently)
{
    testsupport::TempDir dir;
    LogErrors log(dir.file("missing/debug.txt"));
    log.WriteDebugLine("lost");
    log.WriteDebugLine("lost too");
    EXPECT_FALSE(Exists(dir.file("missing/debug.txt")));
}

TEST(NumberText, IntegersAndDoubles)
{
    EXPECT_EQ(IntToString(0), "0");
    EXPECT_EQ(IntToString(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(IntToString(2147483647), "2147483647");
    EXPECT_EQ(StringPlusInt("Line ", -12), "Line -12");

    struct Case { double value; const char* text; } cases[] = {
        {0.1, "0.1"}, {0.0, "0"}, {-2.5, "-2.5"}, {100.0, "100"}, {1e20, "1e+20"},
        {123456789012345.0, "123456789012345"}, {1.0 / 3.0, "0.333333333333333"},
        {0.0001, "0.0001"}, {0.00001, "1e-05"},
    };
    for (const auto& c : cases) EXPECT_EQ(DoubleToString(c.value), c.text) << c.value;
    // Fifteen digits read back as the same double for values that have at most that many.
    for (double v : {0.1, 2.718281828459, -1234.5678, 6.02214076e23})
        EXPECT_EQ(std::strtod(DoubleToString(v).c_str(), nullptr), v) << v;
}

} // namespace
