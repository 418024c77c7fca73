// Path text, files and directories, listings, text files, line cursors and spanned files on
// the emulated machine.
#include "framework/gui/MessageBox.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/testsupport/RootFixture.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/FilePath.h"
#include "installer/support/FileSearch.h"
#include "installer/support/LineCursor.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/SpannedFile.h"
#include "installer/support/StdioFile.h"
#include "installer/support/TextFile.h"

#include <filesystem>
#include <string>
#include <vector>

using namespace kw;

namespace fs = std::filesystem;

namespace {

TEST(PathText, JoinAndExtensionEdits)
{
    struct Join { const char* dir; const char* name; const char* out; } joins[] = {
        {"c:\\", "a.txt", "c:\\a.txt"},
        {"", "a.txt", "a.txt"},
        {"c:\\dir", "a.txt", "c:\\dir\\a.txt"},
        {"c:\\dir\\", "sub\\a", "c:\\dir\\sub\\a"},
    };
    for (const Join& j : joins) {
        PathBuffer out;
        ASSERT_TRUE(JoinPath(out, j.dir, j.name));
        EXPECT_STREQ(out.Text(), j.out) << j.dir << " + " << j.name;
    }
    struct Last { const char* in; const char* out; } lasts[] = {
        {"a.dll", "a.dl_"},
        {"c:\\x\\setup.exe", "c:\\x\\setup.ex_"},
        {"a.h", "a.h_"},
        {"a.ab", "a.ab_"},
        {"c:\\dir.v2\\readme", "c:\\dir.v2\\readme._"},
    };
    for (const Last& l : lasts) {
        PathBuffer p(l.in);
        ASSERT_TRUE(SetLastExtensionChar(p, '_'));
        EXPECT_STREQ(p.Text(), l.out) << l.in;
    }
    struct Edit { const char* in; const char* ext; const char* append; const char* out; } edits[] = {
        {"c:\\a\\b.txt", "bak", "", "c:\\a\\b.bak"},
        {"c:\\a\\b.txt", ".ini", "", "c:\\a\\b.ini"},
        {"c:\\a.b\\c", "log", "", "c:\\a.b\\c.log"},
        {"c:\\a\\b.txt", nullptr, "2", "c:\\a\\b2.txt"},
    };
    for (const Edit& e : edits) {
        PathBuffer p(e.in);
        ASSERT_TRUE(e.ext ? SetExtension(p, e.ext) : AppendToName(p, e.append));
        EXPECT_STREQ(p.Text(), e.out) << e.in;
    }
}

TEST(PathText, SplittingAndComparing)
{
    PathBuffer out;
    struct Dir { const char* in; const char* dir; const char* name; } dirs[] = {
        {"c:\\a\\b.txt", "c:\\a", "b.txt"},
        {"c:\\b.txt", "c:\\", "b.txt"},
        {"b.txt", "", "b.txt"},
        {"c:/a/b", "c:/a", "b"},
    };
    for (const Dir& d : dirs) {
        ASSERT_TRUE(DirectoryOf(d.in, out));
        EXPECT_STREQ(out.Text(), d.dir) << d.in;
        EXPECT_STREQ(FileNamePart(d.in), d.name) << d.in;
    }
    EXPECT_TRUE(ParentPath("c:\\a\\b", out));
    EXPECT_STREQ(out.Text(), "c:\\a");
    EXPECT_FALSE(ParentPath("c:", out));
    EXPECT_FALSE(ParentPath("name", out));

    fw::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(HasExtension("C:\\X\\A.DLL", ".dll"));
    EXPECT_TRUE(IsOcx("x.OCX"));
    EXPECT_FALSE(IsVbx("x.vbxx"));
    EXPECT_FALSE(HasExtension("a.dll", "dll"));
    EXPECT_EQ(boxes.Last().text, "Check failed at line 857 in file FPATH");

    EXPECT_STREQ(IsInsideDirectory("C:\\Prog\\Sub\\x.exe", "c:\\prog"), "Sub\\x.exe");
    EXPECT_EQ(IsInsideDirectory("C:\\Program\\x.exe", "c:\\prog"), nullptr);
    ASSERT_TRUE(RelativePath("c:\\prog\\sub\\x.exe", "C:\\PROG", out));
    EXPECT_STREQ(out.Text(), "sub\\x.exe");
    EXPECT_FALSE(RelativePath("d:\\other\\x.exe", "c:\\prog", out));
    EXPECT_TRUE(SamePath("C:\\A", "c:\\a"));
    EXPECT_EQ(DriveIndex("d:\\x"), 3);
    EXPECT_TRUE(IsBareDrive("e:"));
    ASSERT_TRUE(SetDriveRoot(out, 2));
    EXPECT_STREQ(out.Text(), "C:\\");

    char buf[8] = "ab";
    EXPECT_TRUE(AddTrailingBackslash(buf, sizeof buf));
    EXPECT_TRUE(QuoteText(buf, sizeof buf));
    EXPECT_STREQ(buf, "\"ab\\\"");
    EXPECT_FALSE(QuoteText(buf, 7)); // seven quoted characters and the zero would not fit
    EXPECT_TRUE(CopyTrimmed(buf, sizeof buf, "  x y \t"));
    EXPECT_STREQ(buf, "x y");
}

TEST(PathText, FixedBuffersRefuseOverLongPaths)
{
    fw::ScriptedMessageBoxes boxes;
    std::string longName(140, 'n');
    PathBuffer p("c:\\short");
    EXPECT_FALSE(p.SetText(longName.c_str()));
    EXPECT_STREQ(p.Text(), "c:\\short");
    EXPECT_FALSE(JoinPath(p, "c:\\dir", longName.c_str()));
    EXPECT_STREQ(p.Text(), "c:\\short");
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_TRUE(p.SetText(std::string(127, 'm').c_str()));

    std::string huge(1030, 'h');
    EXPECT_FALSE(FormatPath(p, "%s", huge.c_str()));
    EXPECT_TRUE(FormatPath(p, "%s\\%03d", "c:\\x", 7));
    EXPECT_STREQ(p.Text(), "c:\\x\\007");
    EXPECT_EQ(boxes.Count(), 3);
}

using Files = RootFixture;

TEST_F(Files, DirectoriesBackupAndUniqueNames)
{
    EXPECT_EQ(MakeDirectory("C:\\Inst"), 0);
    EXPECT_EQ(MakeDirectory("c:\\INST"), 1);
    EXPECT_TRUE(fs::exists(C("Inst")));
    EXPECT_EQ(MakeDirectory("C:\\no\\such\\x"), 2);
    EXPECT_EQ(MakePathText("C:\\Inst\\a\\b\\c"), 0);
    EXPECT_EQ(MakePathText("C:\\inst\\A\\B"), 1);
    EXPECT_EQ(MakePathText("C:"), 1);
    EXPECT_TRUE(DirectoryExists("C:\\Inst\\a\\b\\c"));
    EXPECT_TRUE(DirectoryNotEmpty("C:\\Inst\\a"));
    EXPECT_FALSE(DirectoryNotEmpty("C:\\Inst\\a\\b\\c"));

    struct Backup { std::vector<std::string> existing; const char* name; } backups[] = {
        {{}, "C:\\Inst\\setup.bak"},
        {{"setup.bak"}, "C:\\Inst\\setup.000"},
        {{"setup.bak", "setup.000"}, "C:\\Inst\\setup.001"},
    };
    for (const Backup& b : backups) {
        for (auto& e : b.existing) ASSERT_TRUE(Write("Inst/" + e, "x"));
        PathBuffer out;
        ASSERT_TRUE(MakeBackupName(out, "C:\\Inst\\setup.exe"));
        EXPECT_STREQ(out.Text(), b.name);
    }
    PathBuffer u;
    ASSERT_TRUE(Write("Inst/ini000.000", ""));
    ASSERT_TRUE(UniqueFileName(u, "C:\\Inst", "ini"));
    EXPECT_STREQ(u.Text(), "C:\\Inst\\ini000.001");
    ASSERT_TRUE(UniqueFileNameBeside(u, "C:\\Inst\\setup.exe", "kw"));
    EXPECT_STREQ(u.Text(), "C:\\Inst\\kw000.000");

    ASSERT_TRUE(Write("Inst/ro.dll", "r"));
    ASSERT_EQ(SetAttributes("C:\\Inst\\ro.dll", fw::kAttrReadOnly), 0);
    EXPECT_TRUE(ForceDeleteFile("C:\\Inst\\ro.dll"));
    EXPECT_FALSE(PathExists("C:\\Inst\\ro.dll"));
    uint32_t attributes = 0;
    EXPECT_EQ(GetAttributes("C:\\Inst\\ro.dll", attributes), -1);

    EXPECT_TRUE(RemoveDirectory("C:\\Inst\\a\\b\\c"));
    EXPECT_TRUE(RemoveDirectory("C:\\Inst\\never"));
    EXPECT_FALSE(RemoveDirectory("C:\\Inst\\a")); // not empty
}

TEST_F(Files, RemoveTreeRemovesLinksWithoutFollowingThem)
{
    const std::string outside = tmp.file("outside");
    fs::create_directories(outside + "/deep");
    ASSERT_TRUE(testsupport::WriteFileBytes(outside + "/deep/keep.txt", "keep"));
    ASSERT_EQ(MakePathText("C:\\App\\sub"), 0);
    ASSERT_TRUE(Write("App/a.txt", "a"));
    ASSERT_TRUE(Write("App/sub/b.txt", "b"));
    fs::create_directory_symlink(outside, C("App/sub/out"));
    fs::create_symlink(outside + "/deep/keep.txt", C("App/filelink"));
    EXPECT_TRUE(RemoveTree("C:\\App"));
    EXPECT_FALSE(fs::exists(C("App")));
    EXPECT_EQ(testsupport::ReadFileBytes(outside + "/deep/keep.txt"), "keep");
}

TEST_F(Files, LengthsTimesAndNames)
{
    ASSERT_TRUE(Write("f.bin", "12345"));
    EXPECT_EQ(FileLength("C:\\F.BIN"), 5);
    EXPECT_EQ(FileLength("C:\\none"), -1);
    EXPECT_TRUE(SetFileLength("C:\\f.bin", 2));
    EXPECT_EQ(Read("f.bin"), "12");

    Timestamp t;
    t.year = 1998;
    t.month = 7;
    t.day = 4;
    t.hour = 13;
    t.minute = 5;
    t.second = 58;
    ASSERT_TRUE(SetFileTimestamp("C:\\f.bin", t));
    Timestamp back;
    ASSERT_TRUE(GetFileTimestamp("C:\\f.bin", back));
    EXPECT_EQ(back.Compare(t), 0);
    ASSERT_TRUE(Write("g.bin", "x"));
    EXPECT_EQ(CompareFileTimes("C:\\g.bin", "C:\\f.bin"), 1);
    EXPECT_EQ(CompareFileTimes("C:\\f.bin", "C:\\g.bin"), -1);
    EXPECT_EQ(CompareFileTimes("C:\\none", "C:\\f.bin"), -1); // a missing file is a new stamp

    ASSERT_EQ(MakePathText("C:\\Program Files\\Long Name Dir"), 0);
    ASSERT_TRUE(Write("Program Files/Long Name Dir/ReadMe.TXT", ""));
    PathBuffer p("c:\\program files\\long name dir\\readme.txt");
    ASSERT_TRUE(ActualName(p));
    EXPECT_STREQ(p.Text(), "c:\\program files\\long name dir\\ReadMe.TXT");
    ASSERT_TRUE(ToShortPathName(p));
    EXPECT_STREQ(p.Text(), "C:\\PROGRA~1\\LONGNA~1\\ReadMe.TXT");
    PathBuffer d("C:\\Program Files\\Long Name Dir");
    ASSERT_TRUE(ShortName(d));
    EXPECT_STREQ(d.Text(), "C:\\Program Files\\LONGNA~1");
    PathBuffer common;
    ASSERT_TRUE(CommonFilesDirectory(common));
    EXPECT_STREQ(common.Text(), "C:\\Program Files\\Common Files");
}

struct Recorder : FileSearchVisitor {
    std::vector<std::string> seen;
    int stopAfter = 1000;
    bool Continue() override { return static_cast<int>(seen.size()) < stopAfter; }
    bool Visit(const char* path, bool isDirectory) override
    {
        seen.push_back(std::string(isDirectory ? "D " : "F ") + path);
        return true;
    }
};

TEST_F(Files, SearchesVisitSubdirectoriesFirstAndStopOnRequest)
{
    ASSERT_EQ(MakePathText("C:\\S\\sub"), 0);
    ASSERT_TRUE(Write("S/a.txt", ""));
    ASSERT_TRUE(Write("S/sub/b.txt", ""));
    ASSERT_TRUE(Write("S/sub/c.dat", ""));
    Recorder all;
    EXPECT_TRUE(FileSearch(true).Search(all, "C:\\S"));
    EXPECT_EQ(all.seen, (std::vector<std::string>{"F C:\\S\\a.txt", "F C:\\S\\sub\\b.txt",
                                                  "F C:\\S\\sub\\c.dat", "D C:\\S\\sub"}));
    Recorder flat;
    flat.stopAfter = 1;
    EXPECT_FALSE(FileSearch(false).Search(flat, "C:\\S"));
    EXPECT_EQ(flat.seen.size(), 1u);
    Recorder none;
    EXPECT_FALSE(FileSearch().Search(none, "C:\\missing"));
    {
        fw::ScriptedMessageBoxes boxes;
        EXPECT_FALSE(FileSearch().Search(none, "C:\\S\\a.txt"));
        EXPECT_EQ(boxes.Last().text, "Check failed at line 47 in file ENUMFILE");
    }

    Recorder tree;
    EXPECT_TRUE(FileSearch(true).SearchTree(tree, "C:\\S\\*.txt"));
    EXPECT_EQ(tree.seen, (std::vector<std::string>{"F C:\\S\\a.txt", "F C:\\S\\sub\\b.txt"}));
    EXPECT_EQ(Read("search.log"),
              "entering C:\\S\\*.txt\nsearching into subdirectories of C:\\S\n"
              "searching into subdirectories of C:\\S\\sub\nleaving C:\\S\\*.txt\n");
    SetTraceFile(nullptr);
}

TEST_F(Files, TextFileLineEnds)
{
    struct W { std::vector<const char*> lines; const char* bytes; } writes[] = {
        {{"a", "b"}, "a\nb"},
        {{}, ""},
        {{"", "x"}, "\nx"},
        {{"only"}, "only"},
    };
    for (const W& w : writes) {
        TextFile f;
        ASSERT_TRUE(f.Open("C:\\t.txt", false));
        for (const char* l : w.lines) ASSERT_TRUE(f.WriteLine(l));
        ASSERT_TRUE(f.Close());
        EXPECT_EQ(Read("t.txt"), w.bytes);
    }
    struct R { const char* bytes; std::vector<std::string> lines; } reads[] = {
        {"a\r\nb\n", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"", {}},
    };
    for (const R& r : reads) {
        ASSERT_TRUE(Write("r.txt", r.bytes));
        TextFile f;
        ASSERT_TRUE(f.Open("C:\\r.txt", true));
        std::vector<std::string> got;
        char buf[64];
        while (f.ReadLine(buf, sizeof buf)) got.push_back(buf);
        EXPECT_EQ(got, r.lines) << r.bytes;
    }
    fw::ScriptedMessageBoxes boxes;
    TextFile f;
    ASSERT_TRUE(f.Open("C:\\r.txt", true));
    EXPECT_FALSE(f.Open("C:\\r.txt", true));
    EXPECT_EQ(boxes.Last().text, "Check failed at line 13 in file TXTFILE");

    bool ok = false;
    PathStream missing("C:\\nothing\\x", "rb", ok);
    EXPECT_FALSE(ok);
    PathStream present("C:\\r.txt", "rb", ok);
    EXPECT_TRUE(ok);
}

TEST(LineCursor, WalksCrLfSeparatedLines)
{
    const char* text = "one\r\ntwo\r\n\r\nlast";
    EXPECT_EQ(LineCursor::CountLines(text), 4);
    EXPECT_EQ(LineCursor::CountLines(nullptr), 0);
    char buf[8];
    ASSERT_TRUE(LineCursor::LineAt(text, 1, buf, sizeof buf));
    EXPECT_STREQ(buf, "two");
    ASSERT_TRUE(LineCursor::LineAt(text, 2, buf, sizeof buf));
    EXPECT_STREQ(buf, "");
    EXPECT_FALSE(LineCursor::LineAt(text, 4, buf, sizeof buf));
    fw::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(LineCursor::LineAt("much too long for it", 0, buf, sizeof buf));
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(boxes.Count(), 1);
}

struct Pieces : SpannedFile {
    int prompts = 0;
    bool fromFirst = false;
    std::string later; // a piece that appears after the first prompt
    bool NumbersFromFirst() override { return fromFirst; }
    bool PromptForPiece(int, bool) override
    {
        ++prompts;
        if (later.empty()) return false;
        testsupport::WriteFileBytes(later, "Z");
        later.clear();
        return true;
    }
};

TEST_F(Files, SpannedFileReadsAcrossPieces)
{
    ASSERT_TRUE(Write("data.bin", "xxABC"));
    ASSERT_TRUE(Write("data.001", "DE"));
    ASSERT_TRUE(Write("data.002", "FGH"));
    Pieces p;
    p.Setup("C:\\data.bin", 0, 3, 2, 7);
    ASSERT_TRUE(p.Open());
    std::string got;
    for (int c; (c = p.GetByte()) != -1;) got += static_cast<char>(c);
    EXPECT_EQ(got, "ABCDEFG");
    EXPECT_EQ(p.State(), SpannedFile::Finished);

    // Numbered from the first piece number, with the third piece missing until asked for.
    ASSERT_TRUE(Write("set.bin", "A"));
    ASSERT_TRUE(Write("set.006", "B"));
    Pieces q;
    q.fromFirst = true;
    q.later = C("set.007");
    q.Setup("C:\\set.bin", 5, 3, 0, 3);
    ASSERT_TRUE(q.Open());
    got.clear();
    for (int c; (c = q.GetByte()) != -1;) got += static_cast<char>(c);
    EXPECT_EQ(got, "ABZ");
    EXPECT_EQ(q.prompts, 1);

    // Fewer bytes than announced: the last piece ends early.
    fw::ScriptedMessageBoxes boxes;
    Pieces r;
    r.Setup("C:\\data.bin", 0, 1, 0, 50);
    ASSERT_TRUE(r.Open());
    while (r.GetByte() != -1) {
    }
    EXPECT_EQ(r.State(), SpannedFile::Failed);
    EXPECT_EQ(boxes.Last().text, "Check failed at line 116 in file BSFSPN");
}

} // namespace
