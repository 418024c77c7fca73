// The installer's operations on a fresh emulated root: every change logged is undone by its
// log record so that the root is as it was; what already stands is no change and no record;
// moves, free space, shared-file counts and INI positions.
#include "installer/engine/EngineStrings.h"
#include "installer/engine/InstallOperations.h"
#include "installer/engine/OpLog.h"

#include "framework/sys/ProgmanStore.h"
#include "framework/sys/WinFileSystem.h"
#include "installer/support/CopyStreams.h"
#include "installer/support/FilePath.h"
#include "installer/support/GroupLink.h"
#include "installer/support/IniFile.h"
#include "installer/support/OsInfo.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/RegKey.h"
#include "installer/support/tests/InstallerRootFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

using namespace kw;

namespace {

// Counts what reaches the sink.
struct CountingSink : LogSink {
    std::vector<std::string> seen;
    void DirectoryCreated(const char* p) override { seen.push_back(std::string("dir+ ") + p); }
    void DirectoryRemoved(const char* p) override { seen.push_back(std::string("dir- ") + p); }
    void FileDeleted(const char* p) override { seen.push_back(std::string("file- ") + p); }
    void FileMoved(const char* a, const char*) override { seen.push_back(std::string("move ") + a); }
    void FileCreated(const char* p) override { seen.push_back(std::string("file+ ") + p); }
    void AttributesChanged(const char* p, uint32_t, uint32_t) override { seen.push_back(std::string("attr ") + p); }
    void IniSectionCreated(const char*, const char* s) override { seen.push_back(std::string("sect+ ") + s); }
    void IniSectionDeleted(const char*, const char* s) override { seen.push_back(std::string("sect- ") + s); }
    void IniEntryCreated(const char*, const char*, const char* e, int i) override
    {
        seen.push_back("ini+ " + std::string(e) + " " + std::to_string(i));
    }
    void IniEntryDeleted(const char*, const char*, const char* e, const char*, int) override
    {
        seen.push_back(std::string("ini- ") + e);
    }
    void IniEntryChanged(const char*, const char*, const char* e, const char* v, int) override
    {
        seen.push_back("ini= " + std::string(e) + " was " + v);
    }
    void GroupCreated(const char* g) override { seen.push_back(std::string("group+ ") + g); }
    void GroupDeleted(const char* g) override { seen.push_back(std::string("group- ") + g); }
    void ItemCreated(const char*, const char* i) override { seen.push_back(std::string("item+ ") + i); }
    void ItemDeleted(const char*, const unsigned char*) override { seen.push_back("item-"); }
    void RegKeyCreated(const RegKey& k) override { seen.push_back(std::string("key+ ") + k.Path()); }
    void RegKeyDeleted(const RegKey& k) override { seen.push_back(std::string("key- ") + k.Path()); }
    void RegValueCreated(const RegKey&, const char* n) override { seen.push_back(std::string("val+ ") + n); }
    void RegValueChanged(const RegKey&, const char* n, uint32_t, uint32_t, const void*) override
    {
        seen.push_back(std::string("val= ") + n);
    }
    void RegValueDeleted(const RegKey&, const char* n, uint32_t, uint32_t, const void*) override
    {
        seen.push_back(std::string("val- ") + n);
    }
};

class InstallOps : public RootFixture {
protected:
    void SetUp() override
    {
        RootFixture::SetUp();
        RegisterEngineStrings();
        fw::ProgmanStore::SetRunning(false);
        GetOsInfo().Detect();
        InstallOperations::SetReportHook([this](const std::string& text) { reports.push_back(text); });
        InstallOperations::SetAskHook([](const std::string&, const std::string&) { return true; });
    }
    void TearDown() override
    {
        while (ProgmanClient::Instance().Connections() > 0) ProgmanClient::Instance().Disconnect(false);
        RootFixture::TearDown();
    }
    // Every file of drive C: with its bytes.
    std::map<std::string, std::string> Tree() const
    {
        std::map<std::string, std::string> files;
        const std::filesystem::path base = rootDir + "/drive_c";
        for (auto& e : std::filesystem::recursive_directory_iterator(base)) {
            const std::string rel = std::filesystem::relative(e.path(), base).string();
            files[rel] = e.is_directory() ? "<dir>" : testsupport::ReadFileBytes(e.path().string());
        }
        return files;
    }
    std::string Value(const RegKey& key, const char* name)
    {
        RegKey k(key);
        char text[256] = {};
        return k.QueryString(name, text, sizeof text) ? text : "(none)";
    }

    // A file of drive C: with its directories.
    bool Put(const std::string& rel, const std::string& bytes) const
    {
        std::filesystem::create_directories(std::filesystem::path(C(rel)).parent_path());
        return Write(rel, bytes);
    }

    // An operation log in the directory, for the product if named, reaching ops until it is
    // detached.
    void StartLog(OpLog& log, const char* directory, const char* productName = nullptr)
    {
        OpLogHeader header;
        if (productName) header.productName.Assign(productName);
        ASSERT_TRUE(log.Create(header, directory));
        ops.AttachLog(log);
    }

    // Loads the log and undoes its records as the uninstaller does: last to first, through
    // operations that log nothing; each must be undone.
    void UndoLog(const char* path, OpLogContents& contents)
    {
        ASSERT_TRUE(LoadOpLog(path, contents));
        InstallOperations undo;
        for (auto r = contents.records.rbegin(); r != contents.records.rend(); ++r)
            EXPECT_EQ((*r)->Undo(undo), UndoResult::kUndone) << (*r)->Summary();
    }

    std::vector<std::string> reports;
    InstallOperations ops;
};

TEST_F(InstallOps, EveryLoggedChangeIsUndoneByItsRecord)
{
    ASSERT_TRUE(Put("SRC/planner.bin", "planner"));
    ASSERT_TRUE(Put("KEEP/old.txt", "old"));
    ASSERT_TRUE(Put("WINDOWS/app.ini", "[Start]\nmode=1\n"));
    const RegKey existing(1, "Software\\Stellum");
    {
        InstallOperations setup;
        ASSERT_TRUE(setup.SetRegString(existing, "Version", "4.3"));
    }
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\LOGS"));
    const std::map<std::string, std::string> before = Tree();

    OpLog log;
    ASSERT_NO_FATAL_FAILURE(StartLog(log, "C:\\LOGS", "Stellum"));
    EXPECT_EQ(ops.CreateDirectoryPath("C:\\Stellum\\User\\Deep"), InstallOperations::kCreated);
    EXPECT_TRUE(ops.CopyFile("C:\\SRC\\planner.bin", "C:\\Stellum\\stlm32"));
    EXPECT_TRUE(ops.MoveFile("C:\\KEEP\\old.txt", "C:\\Stellum\\old.txt"));
    EXPECT_TRUE(ops.SetFileAttributes("C:\\Stellum\\stlm32", 0x1));
    EXPECT_TRUE(ops.SetIniEntry("C:\\WINDOWS\\app.ini", "Start", "mode", "2"));
    EXPECT_TRUE(ops.SetIniEntry("C:\\WINDOWS\\app.ini", "Stellum", "path", "C:\\Stellum"));
    EXPECT_TRUE(ops.SetIniEntry("C:\\Stellum\\new.ini", "A", "b", "c"));
    EXPECT_TRUE(ops.SetRegString(existing, "Version", "4.4"));
    EXPECT_TRUE(ops.SetRegString(RegKey(1, "Software\\Stellum\\Paths\\Data"), "Dir", "C:\\Stellum"));
    ProgmanItem item;
    ProgmanItem::SetField(item.name, sizeof item.name, "Stellum Planner");
    ProgmanItem::SetField(item.commandLine, sizeof item.commandLine, "C:\\Stellum\\stlm32");
    EXPECT_TRUE(ops.AddProgmanItem("Stellum", item, false));
    ops.DetachLog();
    log.Close();
    EXPECT_TRUE(reports.empty()) << reports.front();
    EXPECT_EQ(Read("WINDOWS/app.ini").find("mode=2") != std::string::npos, true);
    EXPECT_EQ(Value(existing, "Version"), "4.4");

    OpLogContents contents;
    ASSERT_NO_FATAL_FAILURE(UndoLog("C:\\LOGS\\kwlog3.nnn", contents));
    EXPECT_GE(contents.records.size(), 14u);
    EXPECT_TRUE(reports.empty()) << reports.front();

    std::map<std::string, std::string> after = Tree();
    after.erase("LOGS/kwlog3.nnn");
    EXPECT_EQ(after, before);
    EXPECT_EQ(Value(existing, "Version"), "4.3");
    EXPECT_FALSE(RegKey(1, "Software\\Stellum\\Paths").Exists());
    EXPECT_FALSE(InstallOperations().GroupHasItems("Stellum"));
}

// A file that a logged copy replaces is kept in the backup directory and comes back when the
// log is undone; a deleted group comes back with its items in their order. A change logged
// to be kept (state 1) leaves no copy behind.
TEST_F(InstallOps, ReplacedFilesAndDeletedGroupsComeBackAsTheyWere)
{
    ASSERT_TRUE(Put("SRC/new.bin", "new"));
    ASSERT_TRUE(Put("APP/tool.bin", "old tool"));
    ASSERT_TRUE(Put("APP/notes.txt", "the user's notes"));
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\BACK"));
    {
        InstallOperations setup;
        for (const char* name : {"One", "Two", "Three"}) {
            ProgmanItem item;
            ProgmanItem::SetField(item.name, sizeof item.name, name);
            ProgmanItem::SetField(item.commandLine, sizeof item.commandLine, "C:\\APP\\tool.bin");
            ASSERT_TRUE(setup.AddProgmanItem("Old", item, false));
        }
    }
    auto itemNames = [] {
        std::vector<std::string> names;
        for (const auto& g : fw::ProgmanStore::Groups())
            if (g.name == "Old")
                for (const auto& i : g.items) names.push_back(i.name);
        return names;
    };
    const std::vector<std::string> order = itemNames();
    ASSERT_EQ(order, (std::vector<std::string>{"One", "Two", "Three"}));
    const auto before = Tree();

    OpLog log;
    ASSERT_NO_FATAL_FAILURE(StartLog(log, "C:\\BACK"));
    ops.SetBackupDirectory("C:\\BACK");
    EXPECT_TRUE(ops.CopyFile("C:\\SRC\\new.bin", "C:\\APP\\tool.bin"));
    log.SetState(1);
    EXPECT_TRUE(ops.CopyFile("C:\\SRC\\new.bin", "C:\\APP\\notes.txt"));
    log.SetState(0);
    EXPECT_TRUE(ops.DeleteGroup("Old"));
    ops.DetachLog();
    log.Close();
    EXPECT_TRUE(reports.empty()) << reports.front();
    EXPECT_EQ(Read("APP/tool.bin"), "new");
    EXPECT_EQ(Read("BACK/kwb000.000"), "old tool") << "the replaced file's copy";
    EXPECT_FALSE(std::filesystem::exists(C("BACK/kwb000.001"))) << "no copy for a change that is kept";

    // Undone as the uninstaller does it: the records chosen for undo, last to first.
    OpLogContents contents;
    ASSERT_TRUE(LoadOpLog("C:\\BACK\\kwlog3.nnn", contents));
    InstallOperations undo;
    for (auto r = contents.records.rbegin(); r != contents.records.rend(); ++r)
        if ((*r)->Choice() == kChoiceUndo) {
            EXPECT_EQ((*r)->Undo(undo), UndoResult::kUndone) << (*r)->Summary();
        }
    EXPECT_TRUE(reports.empty()) << reports.front();
    auto after = Tree();
    after.erase("BACK/kwlog3.nnn");
    EXPECT_EQ(after.at("APP/notes.txt"), "new") << "kept, as the log says";
    after["APP/notes.txt"] = before.at("APP/notes.txt");
    EXPECT_EQ(after, before);
    EXPECT_EQ(itemNames(), order);
}

// A copy that appends to an existing archive is logged as extending it, and undo cuts the file
// back to its former bytes; an archive the copy made is the install's own and goes. The
// file appended to is not copied to the backup directory: its old bytes are still in it.
TEST_F(InstallOps, AnArchiveAppendedToIsCutBackAndANewOneRemoved)
{
    ASSERT_TRUE(Put("SRC/entry.txt", "tonight's entry"));
    ASSERT_TRUE(Put("DATA/season.arc", "the user's earlier entries"));
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\BACK"));
    const auto before = Tree();

    OpLog log;
    ASSERT_NO_FATAL_FAILURE(StartLog(log, "C:\\BACK"));
    ops.SetBackupDirectory("C:\\BACK");
    PlainArchive archive;
    for (const char* target : {"C:\\DATA\\season.arc", "C:\\DATA\\new.arc"}) {
        FileCopyJob job;
        job.AttachSource(std::make_unique<FileSource>("C:\\SRC\\entry.txt"));
        job.AttachTarget(std::make_unique<ArchiveTarget>());
        job.archive = &archive;
        job.SetTarget(target);
        EXPECT_EQ(ops.RunCopyJob(job), InstallOperations::kCopied) << target;
    }
    ops.DetachLog();
    log.Close();
    EXPECT_TRUE(reports.empty()) << reports.front();
    EXPECT_EQ(Read("DATA/season.arc"), "the user's earlier entriestonight's entry");
    EXPECT_EQ(Read("DATA/new.arc"), "tonight's entry");
    EXPECT_FALSE(std::filesystem::exists(C("BACK/kwb000.000")));

    OpLogContents contents;
    ASSERT_NO_FATAL_FAILURE(UndoLog("C:\\BACK\\kwlog3.nnn", contents));
    ASSERT_EQ(contents.records.size(), 2u);
    EXPECT_EQ(contents.records[0]->TypeCode(), OpType::kFileExtended);
    EXPECT_EQ(contents.records[1]->TypeCode(), OpType::kFileCreated);
    auto after = Tree();
    after.erase("BACK/kwlog3.nnn");
    EXPECT_EQ(after, before);
}

// An INI file the install made loses the install's sections on undo; a section the user
// wrote into it since stays, and the file with it. A file holding nothing else goes.
TEST_F(InstallOps, AnIniFileTheInstallMadeKeepsTheUsersOwnSection)
{
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\BACK"));
    OpLog log;
    ASSERT_NO_FATAL_FAILURE(StartLog(log, "C:\\BACK"));
    for (const char* file : {"C:\\APP\\mine.ini", "C:\\APP\\only.ini"}) {
        EXPECT_TRUE(ops.SetIniEntry(file, "Stellum", "path", "C:\\Stellum"));
        EXPECT_TRUE(ops.SetIniEntry(file, "Chart", "stars", "9"));
    }
    ops.DetachLog();
    log.Close();
    ASSERT_TRUE(Write("APP/mine.ini", Read("APP/mine.ini") + "\n[Observer]\nname=Ada\n"));

    OpLogContents contents;
    ASSERT_TRUE(LoadOpLog("C:\\BACK\\kwlog3.nnn", contents));
    InstallOperations undo;
    std::vector<UndoResult> results;
    for (auto r = contents.records.rbegin(); r != contents.records.rend(); ++r) results.push_back((*r)->Undo(undo));
    EXPECT_EQ(std::count(results.begin(), results.end(), UndoResult::kFailed), 0);
    EXPECT_EQ(results.back(), UndoResult::kKept) << "mine.ini's creation, undone last";
    const std::string left = Read("APP/mine.ini");
    EXPECT_NE(left.find("[Observer]"), std::string::npos);
    EXPECT_NE(left.find("name=Ada"), std::string::npos);
    EXPECT_EQ(left.find("Stellum"), std::string::npos);
    EXPECT_EQ(left.find("Chart"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(C("APP/only.ini")));
    EXPECT_TRUE(reports.empty()) << reports.front();
}

TEST_F(InstallOps, WhatAlreadyStandsIsNoChangeAndNoRecord)
{
    ASSERT_TRUE(Put("Stellum/a.txt", "a"));
    InstallOperations setup;
    ASSERT_TRUE(setup.CreateGroup("Stellum"));
    ASSERT_TRUE(setup.SetRegString(RegKey(1, "Software\\Stellum"), "v", "1"));
    CountingSink sink;
    ops.AttachLog(sink);
    const RegKey missing(1, "Software\\Nothing");
    const struct {
        const char* what;
        bool ok;
    } cases[] = {
        {"delete a missing file", ops.DeleteFile("C:\\Stellum\\none.txt")},
        {"remove a missing directory", ops.RemoveDirectoryTree("C:\\Nowhere")},
        {"delete a missing key", ops.DeleteRegKey(missing)},
        {"delete a missing value", ops.DeleteRegValue(RegKey(1, "Software\\Stellum"), "none")},
        {"delete a missing INI entry", ops.DeleteIniEntry("C:\\x.ini", "S", "e", 0)},
        {"delete a missing INI section", ops.DeleteIniSection("C:\\x.ini", "S")},
        {"create an existing key", ops.CreateRegKey(RegKey(1, "Software\\Stellum"))},
        {"create an existing group", ops.CreateGroup("Stellum")},
        {"create an existing directory", ops.CreateDirectoryPath("C:\\Stellum") == InstallOperations::kExisted},
        {"move a file onto itself", ops.MoveFile("C:\\Stellum\\a.txt", "C:\\Stellum\\a.txt")},
        {"set the attributes it has", ops.SetFileAttributes("C:\\Stellum\\a.txt", 0x80) ||
                                          ops.SetFileAttributes("C:\\Stellum\\a.txt", 0x20)},
    };
    for (const auto& c : cases) EXPECT_TRUE(c.ok) << c.what;
    // Only the attribute probe may have changed something: at most one record.
    EXPECT_LE(sink.seen.size(), 1u);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(Read("Stellum/a.txt"), "a");
}

TEST_F(InstallOps, MovesAcrossDirectoriesAndReportsAMissingSource)
{
    ASSERT_TRUE(Put("A/f.txt", "f"));
    ASSERT_TRUE(Put("B/f.txt", "old"));
    CountingSink sink;
    ops.AttachLog(sink);
    EXPECT_TRUE(ops.MoveFile("C:\\A\\f.txt", "C:\\B\\f.txt"));
    EXPECT_EQ(Read("B/f.txt"), "f");
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"file- C:\\B\\f.txt", "move C:\\A\\f.txt"}))
        << "the replaced target's deletion, then the move";
    EXPECT_FALSE(ops.MoveFile("C:\\A\\f.txt", "C:\\B\\g.txt"));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "C:\\A\\f.txt not found");
}

TEST_F(InstallOps, FreeSpaceIsCountedInTenKilobyteUnitsWithoutOverflow)
{
    const long long kGiB = 1024LL * 1024 * 1024;
    root.SetForcedFreeSpace('C', 500 * kGiB);
    long long units = 0;
    ASSERT_TRUE(ops.FreeDiskSpace("C:\\Stellum", units));
    EXPECT_EQ(units, 500 * kGiB / 10240) << "far beyond what 32 bits hold";
    EXPECT_EQ(ops.CheckFreeSpace("C:\\Stellum", 4000), 0);
    EXPECT_TRUE(reports.empty());

    root.SetForcedFreeSpace('C', 391 * 10240);
    EXPECT_EQ(ops.CheckFreeSpace("C:\\Stellum", 400), 1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("4000"), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find("3910"), std::string::npos) << reports[0];
    EXPECT_EQ(ops.CheckFreeSpace("Q:\\", 1), 2);
}

TEST_F(InstallOps, SharedFileCountsAndIniPositions)
{
    PathBuffer systemDir;
    ASSERT_TRUE(SystemDirectory(systemDir));
    const std::string shared = std::string(systemDir.Text()) + "\\stellum.dll";
    EXPECT_EQ(ops.AddSharedDllRef(shared.c_str()), 1);
    EXPECT_EQ(ops.AddSharedDllRef(shared.c_str()), 2);
    EXPECT_EQ(ops.SharedDllCount(shared.c_str()), 2);
    EXPECT_EQ(ops.ReleaseSharedDllRef(shared.c_str()), 1);
    EXPECT_EQ(ops.ReleaseSharedDllRef(shared.c_str()), 0);
    EXPECT_EQ(ops.SharedDllCount(shared.c_str()), 0) << "a count of 1 released removes the value";
    EXPECT_EQ(ops.AddSharedDllRef("C:\\Stellum\\own.dll"), 1) << "outside: nothing written, the count still answered";
    EXPECT_EQ(ops.SharedDllCount("C:\\Stellum\\own.dll"), 0);

    ASSERT_TRUE(Put("x.ini", "[S]\nk=1\nk=2\n"));
    CountingSink sink;
    ops.AttachLog(sink);
    EXPECT_TRUE(ops.InsertIniEntry("C:\\x.ini", "S", "k", "3", 9));
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"ini+ k 2"})) << "after the last, at the position used";
    EXPECT_EQ(Read("x.ini"), "[S]\nk=1\nk=2\nk=3\n");
}

// A server's registration, a font's entry in the font list and an entry of a mapped INI file
// are registry changes: written through the log, and gone again once the log is undone.
TEST_F(InstallOps, RegistrationsFontsAndMappedIniEntriesAreWrittenAndUndone)
{
    ASSERT_TRUE(Put("Stellum/viewer.ocx", "server"));
    ASSERT_TRUE(Put("Stellum/helper.exe", "program"));
    ASSERT_TRUE(Put("WINDOWS/FONTS/stars.ttf", "font"));
    ASSERT_TRUE(Put("Stellum/symbols.ttf", "font"));
    ASSERT_TRUE(fw::WinFileSystem::CreateDirectory("C:\\LOGS"));
    const std::string version = GetOsInfo().CurrentVersionKey();
    const RegKey mapping(0, (version + "\\IniFileMapping\\stellum.ini").c_str());
    {
        InstallOperations setup;
        ASSERT_TRUE(setup.SetRegString(mapping, "Paths", "USR:Software\\Stellum\\Paths"));
    }
    RegKey mapped;
    EXPECT_FALSE(ops.MapIniFile("C:\\Stellum\\stellum.ini", "Paths", "Data", mapped)) << "only the Windows directory's";
    EXPECT_FALSE(ops.MapIniFile("C:\\WINDOWS\\other.ini", "Paths", "Data", mapped)) << "an unmapped file";
    ASSERT_TRUE(ops.MapIniFile("C:\\WINDOWS\\STELLUM.INI", "Paths", "Data", mapped));
    EXPECT_EQ(mapped.Root(), 2);
    EXPECT_STREQ(mapped.Path(), "Software\\Stellum\\Paths");

    OpLog log;
    ASSERT_NO_FATAL_FAILURE(StartLog(log, "C:\\LOGS", "Stellum"));
    ASSERT_TRUE(ops.RegisterOleServer("C:\\Stellum\\viewer.ocx", true));
    ASSERT_TRUE(ops.RegisterOleServer("C:\\Stellum\\helper.exe", true));
    ASSERT_TRUE(ops.InstallFont("C:\\WINDOWS\\FONTS\\stars.ttf"));
    ASSERT_TRUE(ops.InstallFont("C:\\Stellum\\symbols.ttf"));
    ASSERT_TRUE(ops.SetRegString(mapped, "Data", "C:\\Stellum"));
    ops.DetachLog();
    log.Close();
    EXPECT_TRUE(reports.empty()) << reports.front();

    const std::string viewer = InstallOperations::ServerClassId("C:\\Stellum\\viewer.ocx");
    const std::string helper = InstallOperations::ServerClassId("C:\\Stellum\\helper.exe");
    EXPECT_EQ(viewer, InstallOperations::ServerClassId("D:\\other\\VIEWER.OCX")) << "the name decides";
    EXPECT_NE(viewer, helper);
    EXPECT_EQ(viewer.size(), 38u);
    const RegKey inproc(1, ("CLSID\\" + viewer + "\\InprocServer32").c_str());
    const RegKey local(1, ("CLSID\\" + helper + "\\LocalServer32").c_str());
    const RegKey fonts(0, (version + "\\Fonts").c_str());
    EXPECT_EQ(Value(inproc, ""), "C:\\Stellum\\viewer.ocx");
    EXPECT_EQ(Value(local, ""), "C:\\Stellum\\helper.exe");
    EXPECT_EQ(Value(RegKey(1, "viewer\\CLSID"), ""), viewer);
    EXPECT_EQ(Value(fonts, "stars (TrueType)"), "stars.ttf");
    EXPECT_EQ(Value(fonts, "symbols (TrueType)"), "C:\\Stellum\\symbols.ttf");
    EXPECT_EQ(Value(mapped, "Data"), "C:\\Stellum");

    OpLogContents contents;
    ASSERT_NO_FATAL_FAILURE(UndoLog("C:\\LOGS\\kwlog3.nnn", contents));
    EXPECT_FALSE(RegKey(1, ("CLSID\\" + viewer).c_str()).Exists());
    EXPECT_FALSE(RegKey(1, ("CLSID\\" + helper).c_str()).Exists());
    EXPECT_FALSE(RegKey(1, "viewer").Exists());
    EXPECT_EQ(Value(fonts, "stars (TrueType)"), "(none)");
    EXPECT_EQ(Value(fonts, "symbols (TrueType)"), "(none)");
    EXPECT_FALSE(RegKey(2, "Software\\Stellum").Exists());

    // Unregistering removes what registering made; a missing font is refused.
    ASSERT_TRUE(ops.RegisterOleServer("C:\\Stellum\\viewer.ocx", true));
    ASSERT_TRUE(ops.RegisterOleServer("C:\\Stellum\\viewer.ocx", false));
    EXPECT_FALSE(RegKey(1, ("CLSID\\" + viewer).c_str()).Exists());
    EXPECT_FALSE(ops.InstallFont("C:\\Stellum\\missing.ttf"));
    EXPECT_EQ(reports, (std::vector<std::string>{"Unable to install font"}));
}

} // namespace
