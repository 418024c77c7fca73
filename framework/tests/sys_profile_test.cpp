// The system's profile functions on the emulated machine.
#include "framework/sys/WinProfile.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/testsupport/RootFixture.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class Profile : public RootFixture {
protected:
    std::string win = C("WINDOWS/");
};

TEST_F(Profile, ReadsTheFirstSectionAndEntryOfANameIgnoringCase)
{
    ASSERT_TRUE(testsupport::WriteFileBytes(win + "app.ini",
        "; k=comment\n[ Main ]\n[main]x\n[MAIN]\r\n  Key = one \r\nkey=two\n;Other=3\n"
        "Num=-42abc\n[Main]\nLater=1\n"));
    struct Case { const char* section; const char* key; const char* expect; } cases[] = {
        {"main", "KEY", "one"},       // header with \r, trimmed entry, first of the name
        {"Main", "Later", "dflt"},    // a later section of the same name does not count
        {"main", "Other", "dflt"},    // a comment is no entry
        {" Main ", "key", "dflt"},    // inner spaces of a header belong to its name
        {"nothing", "key", "dflt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fw::WinProfile::GetString("app.ini", c.section, c.key, "dflt"), c.expect)
            << c.section << "/" << c.key;
    EXPECT_EQ(fw::WinProfile::GetInt("C:\\WINDOWS\\APP.INI", "main", "num", 7), -42);
    EXPECT_EQ(fw::WinProfile::GetInt("app.ini", "main", "key", 7), 7);
    EXPECT_EQ(fw::WinProfile::GetKeys("app.ini", "MAIN"), (std::vector<std::string>{"Key", "Num"}));
}

TEST_F(Profile, WritesReplaceAddAndDeleteInPlace)
{
    ASSERT_TRUE(testsupport::WriteFileBytes(win + "win.ini", "[a]\nx=1\n\n[b]\ny=2\n"));
    EXPECT_TRUE(fw::WinProfile::WriteString("win.ini", "A", "X", "9"));
    EXPECT_TRUE(fw::WinProfile::WriteString("win.ini", "a", "z", "3"));
    EXPECT_TRUE(fw::WinProfile::WriteString("win.ini", "c", "w", "4"));
    EXPECT_TRUE(fw::WinProfile::WriteString("win.ini", "b", "y", nullptr));
    EXPECT_EQ(testsupport::ReadFileBytes(win + "win.ini"),
              "[a]\nX=9\nz=3\n\n[b]\n\n[c]\nw=4\n");
    EXPECT_TRUE(fw::WinProfile::WriteString("win.ini", "b", nullptr, nullptr));
    EXPECT_EQ(testsupport::ReadFileBytes(win + "win.ini"), "[a]\nX=9\nz=3\n\n[c]\nw=4\n");

    // A file with "\r\n" line ends keeps them.
    ASSERT_TRUE(testsupport::WriteFileBytes(win + "dos.ini", "[a]\r\nx=1\r\n"));
    EXPECT_TRUE(fw::WinProfile::WriteString("dos.ini", "a", "y", "2"));
    EXPECT_TRUE(fw::WinProfile::WriteString("dos.ini", "a", "x", "3"));
    EXPECT_EQ(testsupport::ReadFileBytes(win + "dos.ini"), "[a]\r\nx=3\r\ny=2\r\n");
    EXPECT_EQ(fw::WinProfile::GetString("dos.ini", "A", "Y", ""), "2");

    // A read-only file is left alone.
    ASSERT_TRUE(fw::WinFileSystem::SetAttributes("C:\\WINDOWS\\win.ini", fw::kAttrReadOnly));
    EXPECT_FALSE(fw::WinProfile::WriteString("win.ini", "a", "x", "0"));
    EXPECT_EQ(fw::WinProfile::GetString("win.ini", "a", "x", ""), "9");
}

} // namespace
