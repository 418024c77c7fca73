// The emulated Windows machine: path translation, confinement to the root, file rules,
// pending renames and the restart step, settings.
#include "framework/sys/RegistryStore.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "framework/sys/WinRoot.h"
#include "framework/testsupport/RootFixture.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

class Root : public RootFixture {
protected:
    // Writes a file through the machine's own file functions, by its Windows path.
    bool WriteWin(const std::string& winPath, const std::string& text)
    {
        FILE* f = fw::WinFileSystem::Open(winPath, "wb");
        if (!f) return false;
        std::fwrite(text.data(), 1, text.size(), f);
        return std::fclose(f) == 0;
    }
};

TEST_F(Root, FullPathClampsAtTheDriveRootAndResolvesRelativeNames)
{
    struct Case { const char* in; const char* out; } cases[] = {
        {"C:\\..\\..\\etc\\passwd", "C:\\etc\\passwd"},
        {"c:/a/./b/../c", "C:\\a\\c"},
        {"C:\\a\\..\\..\\..", "C:\\"},
        {"\\WINDOWS\\win.ini", "C:\\WINDOWS\\win.ini"},
        {"setup.exe", "C:\\setup.exe"},
        {"..\\x", "C:\\x"},
        {"\\\\server\\share\\x", ""},
        {"C:\\a:b", ""},
        {"C:\\a\nb\\x", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(fw::WinFileSystem::FullPath(c.in), c.out) << c.in;
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\Apps"));
    ASSERT_TRUE(fw::WinFileSystem::SetCurrentDirectory("c:\\apps"));
    EXPECT_EQ(fw::WinFileSystem::FullPath("x\\..\\..\\..\\y"), "C:\\y");
    EXPECT_EQ(fw::WinFileSystem::FullPath("y"), "C:\\apps\\y");
}

TEST_F(Root, NoPathLeavesTheRoot)
{
    // A file outside the root that every attempt below aims at.
    const std::string outside = tmp.file("outside");
    fs::create_directories(outside);
    ASSERT_TRUE(WriteFileBytes(outside + "/passwd", "secret"));

    std::string host;
    ASSERT_TRUE(root.ToHost("C:\\..\\..\\etc\\passwd", host));
    EXPECT_EQ(host, C("etc/passwd"));
    EXPECT_EQ(fw::WinFileSystem::Open("C:\\..\\..\\..\\outside\\passwd", "rb"), nullptr);

    // Links inside the root pointing out of it: to a directory and to a file.
    fs::create_directory_symlink(outside, C("dirlink"));
    fs::create_symlink(outside + "/passwd", C("filelink"));
    EXPECT_FALSE(root.ToHost("C:\\dirlink\\passwd", host));
    EXPECT_EQ(fw::WinFileSystem::Open("C:\\DIRLINK\\passwd", "rb"), nullptr);
    EXPECT_EQ(fw::WinFileSystem::Open("C:\\filelink", "rb"), nullptr);
    EXPECT_EQ(fw::WinFileSystem::Open("C:\\filelink", "wb"), nullptr);
    EXPECT_FALSE(fw::WinFileSystem::IsDirectory("C:\\dirlink"));
    EXPECT_EQ(fw::WinFileSystem::GetAttributes("C:\\dirlink") & fw::kAttrDirectory, 0u);
    EXPECT_FALSE(fw::WinFileSystem::SetCurrentDirectory("C:\\dirlink"));
    fw::WinFind find;
    fw::WinFindData d;
    EXPECT_FALSE(find.First("C:\\dirlink\\*.*", d));
    // Deleting a link removes the link, never what it points at.
    EXPECT_TRUE(fw::WinFileSystem::DeleteFile("C:\\dirlink"));
    EXPECT_TRUE(fw::WinFileSystem::DeleteFile("C:\\filelink"));
    EXPECT_EQ(ReadFileBytes(outside + "/passwd"), "secret");

    // A link that stays inside the root may be read through.
    ASSERT_TRUE(WriteWin("C:\\real.txt", "inside"));
    fs::create_symlink(C("real.txt"), C("inlink"));
    FILE* f = fw::WinFileSystem::Open("C:\\inlink", "rb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
}

// Every file below dir (links not followed) with its bytes, or the link's target.
std::map<std::string, std::string> TreeOf(const std::string& dir)
{
    std::map<std::string, std::string> tree;
    for (auto& e : fs::recursive_directory_iterator(dir)) {
        const std::string p = e.path().string();
        if (e.is_symlink()) tree[p] = "-> " + fs::read_symlink(e.path()).string();
        else if (e.is_regular_file()) tree[p] = ReadFileBytes(p);
        else tree[p] = "<dir>";
    }
    return tree;
}

// Links planted inside the machine that point out of it, of every kind the machine meets: not
// one file outside is read, written, created or deleted through them.
TEST_F(Root, PlantedLinksNeverReachOutsideTheRoot)
{
    const std::string outside = tmp.file("outside");
    fs::create_directories(outside + "/drive");
    ASSERT_TRUE(WriteFileBytes(outside + "/victim", "victim"));
    ASSERT_TRUE(WriteFileBytes(outside + "/drive/secret.txt", "secret"));
    ASSERT_TRUE(WriteFileBytes(outside + "/wininit.ini", "[rename]\nNUL=C:\\keep.dll\n"));
    {
        fw::RegistryStore planted(outside + "/system.reg");
        ASSERT_TRUE(planted.CreateKey(0, "Planted"));
    }
    ASSERT_TRUE(WriteFileBytes(outside + "/attributes.txt", "C:\\KEEP.DLL\t2 0 0 0 0 0 0 0 0\n"));
    ASSERT_TRUE(WriteFileBytes(outside + "/pending-renames.txt", "C:\\keep.dll\t\n"));
    const auto before = TreeOf(outside);

    // A link to nothing: writing, appending, setting the length or copying onto it would
    // create its target.
    fs::create_symlink(outside + "/created", C("dangling"));
    for (const char* mode : {"wb", "ab", "r+b", "a+t", "w+"})
        EXPECT_EQ(fw::WinFileSystem::Open("C:\\dangling", mode), nullptr) << mode;
    ASSERT_TRUE(WriteWin("C:\\keep.dll", "keep"));
    EXPECT_FALSE(fw::WinFileSystem::CopyFile("C:\\keep.dll", "C:\\dangling", false));

    // A link to a directory outside.
    fs::create_directory_symlink(outside, C("out"));
    EXPECT_EQ(fw::WinFileSystem::Open("C:\\out\\new.txt", "wb"), nullptr);
    EXPECT_EQ(fw::WinFileSystem::Open("C:\\out\\victim", "ab"), nullptr);
    EXPECT_FALSE(fw::WinFileSystem::CreateDirectory("C:\\out\\made"));
    EXPECT_FALSE(fw::WinFileSystem::DeleteFile("C:\\out\\victim"));
    EXPECT_FALSE(fw::WinFileSystem::MoveFile("C:\\keep.dll", "C:\\out\\moved.dll"));
    EXPECT_FALSE(fw::WinFileSystem::MoveFile("C:\\out\\victim", "C:\\stolen"));

    // A drive whose directory is a link.
    fs::create_directory_symlink(outside + "/drive", rootDir + "/drive_d");
    root.AddDrive('D', fw::DriveType::Fixed);
    EXPECT_FALSE(fw::WinFileSystem::Exists("D:\\secret.txt"));
    EXPECT_EQ(fw::WinFileSystem::Open("D:\\secret.txt", "rb"), nullptr);
    EXPECT_EQ(fw::WinFileSystem::Open("D:\\new.txt", "wb"), nullptr);
    EXPECT_FALSE(fw::WinFileSystem::CreateDirectory("D:\\made"));
    fw::WinFind find;
    fw::WinFindData d;
    EXPECT_FALSE(find.First("D:\\*.*", d));

    // wininit.ini as a link: its rename section is not carried out.
    fs::create_symlink(outside + "/wininit.ini", C("WINDOWS/wininit.ini"));
    root.Restart();
    EXPECT_EQ(Read("keep.dll"), "keep");

    // The machine's own stores as links: not read, and replaced rather than written through;
    // and links where their temporary copies used to be named, which nothing writes through.
    for (const char* store : {"system.reg", "attributes.txt", "pending-renames.txt"}) {
        fs::remove(rootDir + "/" + store);
        fs::create_symlink(outside + "/" + store, rootDir + "/" + store);
        fs::create_symlink(outside + "/victim", rootDir + "/" + store + ".tmp" + std::to_string(getpid()));
    }
    {
        fw::WinRoot again(rootDir);
        EXPECT_FALSE(again.Registry().KeyExists(0, "Planted"));
        EXPECT_EQ(again.StoredAttributes("C:\\keep.dll"), 0u);
        EXPECT_TRUE(again.PendingRenames().empty());
        EXPECT_TRUE(again.Registry().CreateKey(0, "Mine"));
        again.SetStoredAttributes("C:\\keep.dll", fw::kAttrHidden);
        again.AddPendingRename("C:\\keep.dll", "C:\\kept.dll");
    }
    fw::WinRoot third(rootDir);
    EXPECT_TRUE(third.Registry().KeyExists(0, "Mine"));
    EXPECT_EQ(third.StoredAttributes("C:\\keep.dll"), fw::kAttrHidden);

    EXPECT_EQ(TreeOf(outside), before);
}

TEST_F(Root, NamesResolveIgnoringCaseAndAreCreatedCasePreserving)
{
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\Program Files\\Stellum"));
    ASSERT_TRUE(WriteWin("c:\\PROGRAM FILES\\stellum\\ReadMe.TXT", "x"));
    EXPECT_TRUE(fs::exists(C("Program Files/Stellum/ReadMe.TXT")));
    EXPECT_TRUE(fw::WinFileSystem::Exists("C:\\program files\\STELLUM\\readme.txt"));
    std::string actual;
    ASSERT_TRUE(fw::WinFileSystem::ActualPath("c:\\program files\\stellum\\README.txt", actual));
    EXPECT_EQ(actual, "C:\\Program Files\\Stellum\\ReadMe.TXT");
    // A rename that only changes the spelling keeps the file.
    ASSERT_TRUE(fw::WinFileSystem::MoveFile("C:\\Program Files\\Stellum\\readme.txt",
                                        "C:\\Program Files\\Stellum\\README.TXT"));
    EXPECT_TRUE(fs::exists(C("Program Files/Stellum/README.TXT")));
}

TEST_F(Root, ShortNamesAreDerivedDeterministically)
{
    std::vector<std::string> sibs = {"Program Files", "Programs Old", "ReadMe.txt",
                                     "very long name.html"};
    struct Case { const char* name; const char* shortName; } cases[] = {
        {"ReadMe.txt", "ReadMe.txt"},
        {"Program Files", "PROGRA~1"},
        {"Programs Old", "PROGRA~2"},
        {"very long name.html", "VERYLO~1.HTM"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fw::WinFileSystem::ShortNameAmong(c.name, sibs), c.shortName) << c.name;
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\Program Files\\Long Folder Name"));
    std::string s;
    ASSERT_TRUE(fw::WinFileSystem::ShortPath("c:\\program files\\long folder name", s));
    EXPECT_EQ(s, "C:\\PROGRA~1\\LONGFO~1");
    EXPECT_FALSE(fw::WinFileSystem::ShortPath("C:\\Program Files\\missing", s));
}

TEST_F(Root, ReadOnlyAndInUseFilesResistChange)
{
    ASSERT_TRUE(WriteWin("C:\\a.dll", "a"));
    ASSERT_TRUE(fw::WinFileSystem::SetAttributes("C:\\a.dll", fw::kAttrReadOnly | fw::kAttrHidden));
    EXPECT_EQ(fw::WinFileSystem::GetAttributes("C:\\A.DLL"), fw::kAttrReadOnly | fw::kAttrHidden);
    EXPECT_EQ(fw::WinFileSystem::Access("C:\\a.dll", 2), -1);
    EXPECT_FALSE(fw::WinFileSystem::DeleteFile("C:\\a.dll"));
    EXPECT_EQ(fw::WinFileSystem::Open("C:\\a.dll", "wb"), nullptr);
    ASSERT_TRUE(fw::WinFileSystem::SetAttributes("C:\\a.dll", fw::kAttrNormal));
    EXPECT_EQ(fw::WinFileSystem::GetAttributes("C:\\a.dll"), fw::kAttrNormal);

    root.SetInUse("c:\\A.dll");
    EXPECT_FALSE(fw::WinFileSystem::DeleteFile("C:\\a.dll"));
    EXPECT_FALSE(fw::WinFileSystem::MoveFileEx("C:\\a.dll", "C:\\b.dll", fw::kMoveReplaceExisting));
    ASSERT_TRUE(WriteWin("C:\\new.dll", "new"));
    EXPECT_FALSE(fw::WinFileSystem::MoveFileEx("C:\\new.dll", "C:\\a.dll", fw::kMoveReplaceExisting));
    EXPECT_FALSE(fw::WinFileSystem::MoveFile("C:\\new.dll", "C:\\a.dll")); // exists
}

// A copy has the source's bytes, permissions (read-only and runnable included) and times.
TEST_F(Root, ACopyTakesTheSourcesPermissionsAndTimes)
{
    const mode_t modes[] = {0644, 0755, 0444, 0600};
    for (const mode_t mode : modes) {
        const std::string name = "src" + std::to_string(mode);
        ASSERT_TRUE(WriteWin("C:\\" + name, "bytes " + name));
        ASSERT_TRUE(fw::WinFileSystem::SetFileTimes("C:\\" + name, 1000000000, 1000000500));
        ASSERT_EQ(chmod(C(name).c_str(), mode), 0);
        ASSERT_TRUE(fw::WinFileSystem::CopyFile("C:\\" + name, "C:\\copy" + name, false)) << mode;
        EXPECT_EQ(ReadFileBytes(C("copy" + name)), "bytes " + name);
        struct stat st;
        ASSERT_EQ(stat(C("copy" + name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, mode);
        int64_t written = 0, accessed = 0;
        ASSERT_TRUE(fw::WinFileSystem::GetFileTimes("C:\\copy" + name, written, accessed));
        EXPECT_EQ(written, 1000000000) << mode;
    }
}

TEST_F(Root, RestartAppliesPendingRenamesAndWininit)
{
    ASSERT_TRUE(WriteWin("C:\\WINDOWS\\SYSTEM\\x.dll", "old"));
    ASSERT_TRUE(WriteWin("C:\\WINDOWS\\SYSTEM\\x.new", "new"));
    ASSERT_TRUE(WriteWin("C:\\WINDOWS\\y.dll", "old"));
    ASSERT_TRUE(WriteWin("C:\\WINDOWS\\y.new", "new"));
    ASSERT_TRUE(WriteWin("C:\\WINDOWS\\gone.tmp", "z"));
    root.SetInUse("C:\\WINDOWS\\SYSTEM\\x.dll");
    ASSERT_TRUE(fw::WinFileSystem::MoveFileEx("C:\\WINDOWS\\SYSTEM\\x.new", "C:\\WINDOWS\\SYSTEM\\x.dll",
                                          fw::kMoveReplaceExisting | fw::kMoveDelayUntilReboot));
    ASSERT_TRUE(WriteWin("C:\\WINDOWS\\wininit.ini",
                      "[rename]\nC:\\WINDOWS\\y.dll=C:\\WINDOWS\\y.new\nNUL=C:\\WINDOWS\\gone.tmp\n"));
    // The pending list survives reopening the machine.
    fw::WinRoot again(rootDir);
    ASSERT_EQ(again.PendingRenames().size(), 1u);
    root.Restart();
    EXPECT_FALSE(root.IsInUse("C:\\WINDOWS\\SYSTEM\\x.dll"));
    EXPECT_EQ(ReadFileBytes(C("WINDOWS/SYSTEM/x.dll")), "new");
    EXPECT_FALSE(fw::WinFileSystem::Exists("C:\\WINDOWS\\SYSTEM\\x.new"));
    EXPECT_EQ(ReadFileBytes(C("WINDOWS/y.dll")), "new");
    EXPECT_FALSE(fw::WinFileSystem::Exists("C:\\WINDOWS\\gone.tmp"));
    EXPECT_FALSE(fw::WinFileSystem::Exists("C:\\WINDOWS\\wininit.ini"));
    EXPECT_TRUE(fw::WinFileSystem::Exists("C:\\WINDOWS\\wininit.bak"));
    EXPECT_TRUE(root.PendingRenames().empty());

    // A drive's root directory is neither removed nor moved, even when empty.
    ASSERT_TRUE(root.AddDrive('E', fw::DriveType::Removable));
    EXPECT_FALSE(fw::WinFileSystem::RemoveDirectory("E:"));
    EXPECT_FALSE(fw::WinFileSystem::RemoveDirectory("E:\\"));
    EXPECT_FALSE(fw::WinFileSystem::MoveFile("E:\\", "C:\\moved"));
    EXPECT_FALSE(fw::WinFileSystem::MoveFileEx("C:\\WINDOWS\\wininit.bak", "E:\\", fw::kMoveReplaceExisting));
    EXPECT_TRUE(fs::is_directory(rootDir + "/drive_e"));

    // The Windows 95 family has no delayed rename.
    root.Os().platform = fw::kPlatformWin32Windows;
    EXPECT_FALSE(fw::WinFileSystem::MoveFileEx("C:\\a", "C:\\b", fw::kMoveDelayUntilReboot));
}

TEST(WinFileSystem, MatchPatternTakesANameWithoutExtensionAsEndingInADot)
{
    struct Case { const char* pattern; const char* name; bool match; } cases[] = {
        {"a.*", "a", true},
        {"A.*", "a", true},
        {"a.*", "a.txt", true},
        {"a*.*", "abc", true},
        {"?.*", "b", true},
        {"a.*", "ab", false},
        {"a.*", "b", false},
        {"a.t*", "a", false},
        {"*.dll", "a", false},
        {"a.*", "a.b.c", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fw::WinFileSystem::MatchPattern(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

TEST_F(Root, ListingsAttributesVersionBlocksAndSettings)
{
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\d"));
    ASSERT_TRUE(WriteWin("C:\\d\\b.txt", "bb"));
    ASSERT_TRUE(WriteWin("C:\\d\\A.txt", "a"));
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\d\\sub"));
    fw::WinFind find;
    fw::WinFindData d;
    std::vector<std::string> names;
    for (bool ok = find.First("C:\\D\\*.*", d); ok; ok = find.Next(d)) names.push_back(d.name);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "A.txt", "b.txt", "sub"}));
    ASSERT_TRUE(find.First("c:\\d\\?.TXT", d));
    EXPECT_EQ(d.name, "A.txt");
    EXPECT_EQ(d.size, 1);
    EXPECT_FALSE(find.First("C:\\d\\*.dll", d));
    // A file without an extension is found by its name and any extension.
    ASSERT_TRUE(WriteWin("C:\\d\\plain", "p"));
    ASSERT_TRUE(find.First("C:\\d\\PLAIN.*", d));
    EXPECT_EQ(d.name, "plain");

    fw::VersionBlock v;
    v.fileVersionMS = 0x00040004;
    root.SetVersionBlock("C:\\d\\b.txt", v);
    ASSERT_TRUE(fw::WinFileSystem::MoveFile("C:\\d\\b.txt", "C:\\d\\c.txt"));
    fw::VersionBlock got;
    EXPECT_FALSE(root.GetVersionBlock("C:\\d\\b.txt", got));
    ASSERT_TRUE(fw::WinRoot(rootDir).GetVersionBlock("c:\\D\\C.TXT", got));
    EXPECT_EQ(got.fileVersionMS, 0x00040004u);

    root.SetTickSource([] { return 4242u; });
    EXPECT_EQ(root.TickCount(), 4242u);
    root.SetEnv("Path", "C:\\BIN");
    EXPECT_EQ(root.GetEnv("PATH"), "C:\\BIN");
    root.SetForcedFreeSpace('c', 1000);
    EXPECT_EQ(fw::WinFileSystem::FreeSpace('C'), 1000);
    EXPECT_EQ(fw::WinFileSystem::FreeSpace('Q'), -1);
    ASSERT_TRUE(root.AddDrive('D', fw::DriveType::CdRom, "DISK1"));
    WriteFileBytes(rootDir + "/drive_d/setup.inf", "x");
    EXPECT_TRUE(fw::WinFileSystem::Exists("D:\\SETUP.INF"));
    EXPECT_EQ(fw::WinFileSystem::GetDriveType('d'), fw::DriveType::CdRom);
}

// A CD-ROM drive (the package's) reads, and refuses every write: nothing on its host directory
// changes whatever a script asks.
TEST_F(Root, NothingOnACdRomDriveIsWritten)
{
    const std::string disc = rootDir + "/disc/";
    fs::create_directories(disc + "sub");
    WriteFileBytes(disc + "setup.inf", "script");
    ASSERT_TRUE(root.AddDrive('E', fw::DriveType::CdRom, "DISC", disc));
    ASSERT_TRUE(WriteWin("C:\\local.txt", "local"));
    auto snapshot = [&] {
        std::map<std::string, std::string> files;
        for (auto& e : fs::recursive_directory_iterator(disc))
            files[e.path().string()] = e.is_directory() ? "<dir>" : ReadFileBytes(e.path().string()) +
                                       std::to_string(fs::last_write_time(e.path()).time_since_epoch().count()) +
                                       std::to_string(static_cast<int>(fs::status(e.path()).permissions()));
        return files;
    };
    const auto before = snapshot();

    FILE* read = fw::WinFileSystem::Open("E:\\setup.inf", "rb");
    ASSERT_TRUE(read) << "reading goes on";
    std::fclose(read);
    EXPECT_EQ(fw::WinFileSystem::Open("E:\\setup.inf", "r+b"), nullptr);
    EXPECT_EQ(fw::WinFileSystem::Open("E:\\new.txt", "wb"), nullptr);
    EXPECT_EQ(fw::WinFileSystem::Open("E:\\setup.inf", "ab"), nullptr);
    EXPECT_FALSE(fw::WinFileSystem::ReplaceFile("E:\\setup.inf", "changed"));
    EXPECT_FALSE(fw::WinFileSystem::CreateDirectory("E:\\made"));
    EXPECT_FALSE(fw::WinFileSystem::RemoveDirectory("E:\\sub"));
    EXPECT_FALSE(fw::WinFileSystem::DeleteFile("E:\\setup.inf"));
    EXPECT_FALSE(fw::WinFileSystem::MoveFile("E:\\setup.inf", "C:\\moved.inf"));
    EXPECT_FALSE(fw::WinFileSystem::MoveFile("C:\\local.txt", "E:\\local.txt"));
    EXPECT_FALSE(fw::WinFileSystem::MoveFileEx("C:\\local.txt", "E:\\setup.inf", fw::kMoveDelayUntilReboot));
    EXPECT_FALSE(fw::WinFileSystem::CopyFile("C:\\local.txt", "E:\\copy.txt", false));
    EXPECT_FALSE(fw::WinFileSystem::SetAttributes("E:\\setup.inf", fw::kAttrReadOnly));
    EXPECT_FALSE(fw::WinFileSystem::SetFileTimes("E:\\setup.inf", 1000, 1000));
    EXPECT_FALSE(fw::WinFileSystem::MakeRunnable("E:\\setup.inf"));
    EXPECT_FALSE(fw::WinProfile::WriteString("E:\\setup.ini", "x", "k", "v"));
    EXPECT_TRUE(fw::WinFileSystem::CopyFile("E:\\setup.inf", "C:\\copied.inf", false)) << "copying from it goes on";
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(root.PendingRenames().empty());
}

} // namespace
