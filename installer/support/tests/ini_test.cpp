// The INI scanner, its reading and rewriting operations, and typed profile access.
#include "framework/gui/MessageBox.h"
#include "framework/stream/AtomicFile.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/testsupport/RootFixture.h"
#include "installer/support/IniFile.h"

#include <filesystem>
#include <functional>
#include <string>

using namespace kw;

namespace fs = std::filesystem;

namespace {

using Ini = RootFixture;
const char* kFile = "C:\\setup.ini";
const std::string kMissing = "\x01missing";

TEST_F(Ini, EditsOfTheFirstSectionAndEntryOfAName)
{
    const std::string longValue(3000, 'w');
    struct Case {
        const char* what;
        std::string before; // kMissing: no file
        std::function<bool()> edit;
        std::string after;
    } cases[] = {
        {"set on a missing file", kMissing, [] { return SetIniEntry(kFile, "S", "k", "v", 0); },
         "[S]\nk=v\n"},
        {"set replaces the first", "[S]\nk=1\n\n[T]\n", [] { return SetIniEntry(kFile, "S", "k", "v", 0); },
         "[S]\nk=v\n\n[T]\n"},
        {"set of a second adds it", "[S]\nk=1\n\n[T]\n", [] { return SetIniEntry(kFile, "S", "k", "v", 1); },
         "[S]\nk=1\nk=v\n\n[T]\n"},
        {"names ignore case; a later section of the name is no part",
         "[S]\nk=1\nK=2\n[s]\nk=3\n", [] { return SetIniEntry(kFile, "s", "k", "v", 1); },
         "[S]\nk=1\nk=v\n\n[s]\nk=3\n"},
        {"set drops blank lines of the section", "[S]\n\na=1\n\n\n[T]\n",
         [] { return SetIniEntry(kFile, "S", "b", "2", 0); }, "[S]\na=1\nb=2\n\n[T]\n"},
        {"set in a missing section", "x=1", [] { return SetIniEntry(kFile, "S", "k", "v", 0); },
         "x=1\n\n[S]\nk=v\n"},
        {"insert before the first", "[S]\nk=1\n", [] { return InsertIniEntry(kFile, "S", "k", "v", 0); },
         "[S]\nk=v\nk=1\n"},
        {"add a section after a line without line feed", "x=1",
         [] { return AddIniSection(kFile, "S"); }, "x=1\n\n[S]\n"},
        {"add a section to a missing file", kMissing, [] { return AddIniSection(kFile, "S"); }, "[S]\n"},
        {"delete the first entry of a name", "[S]\nk=1\nK=2\n",
         [] { return DeleteIniEntry(kFile, "S", "k", 0); }, "[S]\nK=2\n"},
        {"delete every entry of a name", "[S]\nk=1\n;k=c\nK=2\nj=3\n",
         [] { return DeleteIniEntries(kFile, "S", "k"); }, "[S]\n;k=c\nj=3\n"},
        {"delete a section", "[A]\na=1\n[S]\nk=1\n;c\n[T]\nt=1\n",
         [] { return DeleteIniSection(kFile, "S"); }, "[A]\na=1\n[T]\nt=1\n"},
        {"delete on a missing file", kMissing, [] { return DeleteIniSection(kFile, "S"); }, kMissing},
        {"a header followed by text is none", "[S] x\nk=1\n",
         [] { return SetIniEntry(kFile, "S", "k", "v", 0); }, "[S] x\nk=1\n\n[S]\nk=v\n"},
        {"a header between spaces counts", "  [S]  \nk=1\n",
         [] { return SetIniEntry(kFile, "S", "k", "v", 0); }, "  [S]  \nk=v\n"},
        {"long lines stay whole", "[S]\nlong=" + longValue + "\n[T]\n",
         [] { return SetIniEntry(kFile, "T", "t", "1", 0); },
         "[S]\nlong=" + longValue + "\n[T]\nt=1\n"},
        {"a zero byte inside a line is copied with the line", std::string("x=1\0y\n[S]\nk=1\n", 14),
         [] { return SetIniEntry(kFile, "S", "k", "v", 0); }, std::string("x=1\0y\n[S]\nk=v\n", 14)},
    };
    for (const Case& c : cases) {
        fs::remove(C("setup.ini"));
        if (c.before != kMissing) {
            ASSERT_TRUE(Write("setup.ini", c.before));
        }
        EXPECT_TRUE(c.edit()) << c.what;
        if (c.after == kMissing) {
            EXPECT_FALSE(fs::exists(C("setup.ini"))) << c.what;
        } else {
            EXPECT_EQ(Read("setup.ini"), c.after) << c.what;
        }
    }
    // No temporary copy is left beside the file.
    for (auto& e : fs::directory_iterator(C("")))
        EXPECT_NE(e.path().filename().string().rfind("ini", 0), 0u) << e.path();
}

TEST_F(Ini, ReadingOperations)
{
    ASSERT_TRUE(Write("setup.ini", "[A]\nx=0\n[S]\n K = v \n;k=comment\nk=2\n\nj=3\nplain\n[E]\n[S]\nk=9\n"));
    char value[kIniTextSize], name[kIniTextSize];
    struct Get { const char* section; const char* name; int n; bool found; const char* value; } gets[] = {
        {"s", "k", 0, true, "v"},
        {"S", "k", 1, true, "2"},
        {"S", "k", 2, false, ""},
        {"S", "x", 0, false, ""},
        {"Z", "k", 0, false, ""},
    };
    for (const Get& g : gets) {
        value[0] = 0;
        EXPECT_EQ(GetIniEntry(kFile, g.section, g.name, g.n, value), g.found) << g.name << g.n;
        if (g.found) {
            EXPECT_STREQ(value, g.value);
        }
    }
    EXPECT_EQ(CountIniEntries(kFile, "S", "k"), 2);
    EXPECT_EQ(CountIniEntries(kFile, "S", nullptr), 3);
    EXPECT_EQ(CountIniEntries(kFile, "E", nullptr), 0);
    EXPECT_EQ(CountIniEntries(kFile, "Z", nullptr), -1);
    EXPECT_EQ(CountIniEntries("C:\\none.ini", "S", nullptr), -1);
    ASSERT_TRUE(GetIniEntryAt(kFile, "S", 2, name, value));
    EXPECT_STREQ(name, "j");
    EXPECT_STREQ(value, "3");
    EXPECT_EQ(CountIniSectionLines(kFile, "S"), 5);
    EXPECT_EQ(CountIniSectionLines(kFile, "Z"), -1);
    char line[64];
    ASSERT_TRUE(GetIniSectionLine(kFile, "S", 1, line, sizeof line));
    EXPECT_STREQ(line, ";k=comment\n");
    EXPECT_FALSE(GetIniEntry("C:\\none.ini", "S", "k", 0, value));

    // A value longer than its buffer is refused, not overrun.
    fw::ScriptedMessageBoxes boxes;
    ASSERT_TRUE(Write("big.ini", "[S]\nk=" + std::string(600, 'b') + "\n"));
    EXPECT_FALSE(GetIniEntry("C:\\big.ini", "S", "k", 0, value));
    EXPECT_STREQ(value, "");
    EXPECT_EQ(boxes.Count(), 1);
}

TEST_F(Ini, AFailedRewriteLeavesTheFileWhole)
{
    const std::string before = "[S]\nk=1\n";
    ASSERT_TRUE(Write("setup.ini", before));
    // The replacement that puts the new text in place fails: the file keeps its old content.
    fw::FailReplacementsForTest(1);
    EXPECT_FALSE(SetIniEntry(kFile, "S", "k", "2", 0));
    EXPECT_EQ(Read("setup.ini"), before);
    fw::FailReplacementsForTest(0);
    // Nor can it replace a file in use.
    root.SetInUse(kFile);
    EXPECT_FALSE(SetIniEntry(kFile, "S", "k", "2", 0));
    EXPECT_EQ(Read("setup.ini"), before);
    root.SetInUse(kFile, false);
    // A directory too long for a path buffer is refused; no copy is made anywhere else.
    {
        fw::ScriptedMessageBoxes boxes;
        const std::string deep(130, 'd');
        ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\" + deep));
        ASSERT_TRUE(Write(deep + "/setup.ini", before));
        EXPECT_FALSE(SetIniEntry(("C:\\" + deep + "\\setup.ini").c_str(), "S", "k", "2", 0));
        EXPECT_EQ(Read(deep + "/setup.ini"), before);
        EXPECT_GE(boxes.Count(), 1);
    }
    for (auto& e : fs::directory_iterator(C("")))
        EXPECT_NE(e.path().filename().string().rfind("ini", 0), 0u) << e.path();

    // A read-only file fails every scanner operation, the reading ones included.
    ASSERT_TRUE(fw::WinFileSystem::SetAttributes(kFile, fw::kAttrReadOnly));
    char value[kIniTextSize];
    EXPECT_FALSE(GetIniEntry(kFile, "S", "k", 0, value));
    EXPECT_EQ(CountIniEntries(kFile, "S", "k"), 0);
    EXPECT_FALSE(SetIniEntry(kFile, "S", "k", "2", 0));
    EXPECT_EQ(Read("setup.ini"), before);
}

TEST_F(Ini, TypedProfileAccess)
{
    ASSERT_TRUE(PutProfileString("kwmain.ini", "Setup", "Dir", "C:\\STELLUM"));
    ASSERT_TRUE(PutProfileInt("kwmain.ini", "Setup", "Result", -3));
    ASSERT_TRUE(PutProfileLong("kwmain.ini", "Setup", 7, 123456789L));
    ASSERT_TRUE(PutProfileF("kwmain.ini", "Setup", "Ver", "%d.%d", 4, 4));
    EXPECT_EQ(Read("WINDOWS/kwmain.ini"),
              "[Setup]\nDir=C:\\STELLUM\nResult=-3\n7=123456789\nVer=4.4\n");
    EXPECT_EQ(GetProfileInt("kwmain.ini", "setup", "result", 0), -3);
    EXPECT_EQ(GetProfileLong("kwmain.ini", "Setup", 7, 0), 123456789L);
    EXPECT_EQ(GetProfileLong("kwmain.ini", "Setup", "Dir", 5), 5);
    char text[kProfileTextSize];
    ASSERT_TRUE(GetProfileText("kwmain.ini", "Setup", "Missing", text, "dflt"));
    EXPECT_STREQ(text, "dflt");
    EXPECT_STREQ(GetProfileTextShared("kwmain.ini", "Setup", "Ver"), "4.4");

    fw::ScriptedMessageBoxes boxes;
    std::string big(600, 'z');
    EXPECT_FALSE(PutProfileF("kwmain.ini", "Setup", "Big", "%s", big.c_str()));
    EXPECT_EQ(boxes.Count(), 1);
    ASSERT_TRUE(PutProfileString("kwmain.ini", "Setup", "Big", big.c_str()));
    ASSERT_TRUE(GetProfileText("kwmain.ini", "Setup", "Big", text, ""));
    EXPECT_EQ(std::string(text), big.substr(0, kProfileTextSize - 1));
}

} // namespace
