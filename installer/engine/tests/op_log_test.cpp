// The operation log: header and record bytes, every record type written by the log and read
// back, the choice rules, damaged logs refused whole, and what undoing records asks for.
#include "installer/engine/EngineStrings.h"
#include "installer/engine/OpLog.h"

#include "framework/gui/MessageBox.h"
#include "framework/testsupport/RootFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>

using namespace kw;

namespace {

std::string Bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int x : b) s += static_cast<char>(x);
    return s;
}

std::string Le4(uint32_t v) { return Bytes({int(v & 255), int(v >> 8 & 255), int(v >> 16 & 255), int(v >> 24)}); }
std::string Str(const std::string& s) { return char(s.size()) + s; }

OpLogHeader Header()
{
    OpLogHeader h;
    h.dialogMode = 1;
    h.languageIndex = 3;
    h.scriptWord1 = 0x11223344;
    h.scriptWord2 = 7;
    h.stepMilliseconds = 100;
    h.productName.Assign("Stellum");
    return h;
}

// Writes a log through the sink operations into a temporary directory and returns its bytes.
struct OpLogFile : RootFixture {
    std::string WriteLog(const std::function<void(OpLog&)>& body)
    {
        OpLog log;
        EXPECT_TRUE(log.Create(Header(), "C:\\"));
        body(log);
        log.Close();
        return Read("kwlog3.nnn");
    }
};

const std::string kHeaderBytes = Le4(1) + Le4(3) + Le4(0x11223344) + Le4(7) + Le4(100) + Str("Stellum");

TEST_F(OpLogFile, HeaderAndRecordBytesAreAsStored)
{
    unsigned char item[kProgmanItemSize] = {};
    std::string bytes = WriteLog([&](OpLog& log) {
        log.SetState(1);
        log.DirectoryCreated("C:\\Stellum");
        log.SetState(7); // not a state: the previous one stays
        log.FileExtended("C:\\a.txt", 0x1234);
        log.SetState(0);
        log.IniEntryChanged("w.ini", "s", "e", "old", 2);
        log.RegValueChanged(RegKey(2, "Software\\X"), "v", 4, 4, "\x01\x02\x03\x04");
        log.DataBlock(9, 0, nullptr);
        log.ItemDeleted("G", item);
    });
    std::string expected = kHeaderBytes +
        Le4(0) + Le4(1) + Str("C:\\Stellum") +
        Le4(5) + Le4(1) + Str("C:\\a.txt") + Le4(0x1234) +
        Le4(9) + Le4(0) + Str("w.ini") + Str("s") + Str("e") + Str("old") + Le4(2) +
        Le4(19) + Le4(0) + Le4(2) + Str("Software\\X") + Str("v") + Le4(4) + Le4(4) + "\x01\x02\x03\x04" +
        Le4(22) + Le4(0) + Le4(9) + Le4(0) +
        Le4(15) + Le4(0) + Str("G") + std::string(kProgmanItemSize, '\0');
    EXPECT_EQ(bytes, expected);
}

TEST_F(OpLogFile, EveryTypeReadsBackWithItsChoice)
{
    unsigned char item[kProgmanItemSize] = {};
    std::strcpy(reinterpret_cast<char*>(item) + 20, "Planner");
    RegKey key(0, "Software\\Stellum");
    std::string bytes = WriteLog([&](OpLog& log) {
        log.SetState(0);
        log.DirectoryCreated("d0");
        log.DirectoryRemoved("d1");
        log.FileMoved("from", "to");
        log.FileDeleted("gone");
        log.FileCreated("new");
        log.FileExtended("ext", 5);
        log.AttributesChanged("attr", 1, 2);
        log.IniEntryCreated("f", "s", "e", 0);
        log.IniEntryDeleted("f", "s", "e", "v", 1);
        log.IniEntryChanged("f", "s", "e", "v", 2);
        log.IniSectionCreated("f", "s");
        log.IniSectionDeleted("f", "s");
        log.SetState(1);
        log.GroupCreated("g");
        log.ItemCreated("g", "i");
        log.GroupDeleted("g");
        log.ItemDeleted("g", item);
        log.RegKeyCreated(key);
        log.RegKeyDeleted(key);
        log.SetState(2);
        log.RegValueCreated(key, "n"); // state 2: dropped on reading
        log.SetState(1);
        log.RegValueChanged(key, "n", 1, 3, "ab");
        log.RegValueDeleted(key, "n", 3, 0, nullptr);
        log.FontInstalled("font.ttf");
        log.DataBlock(4, 2, "xy");
    });
    OpLogContents log;
    ASSERT_EQ(ReadOpLog(bytes, log), OpLogReadResult::kOk);
    EXPECT_EQ(log.header.productName.Text(), std::string("Stellum"));
    EXPECT_EQ(log.header.scriptWord1, 0x11223344u);
    ASSERT_EQ(log.records.size(), 22u);
    std::vector<int> types;
    for (auto& r : log.records) types.push_back(static_cast<int>(r->TypeCode()));
    EXPECT_EQ(types, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 22}));
    for (auto& r : log.records) {
        int type = static_cast<int>(r->TypeCode());
        int expected = type == 3 ? kChoiceNever : type < 12 ? kChoiceUndo : kChoiceKeep;
        EXPECT_EQ(r->Choice(), expected) << type;
    }
    auto& moved = static_cast<StringsRecord&>(*log.records[2]);
    EXPECT_STREQ(moved.Text(1).Text(), "to");
    auto& deleted = static_cast<IniEntryRecord&>(*log.records[8]);
    EXPECT_STREQ(deleted.value.Text(), "v");
    EXPECT_EQ(deleted.index, 1);
    auto& changed = static_cast<RegistryRecord&>(*log.records[18]);
    EXPECT_EQ(changed.valueType, 1u);
    EXPECT_EQ(std::string(changed.data.begin(), changed.data.end()), std::string("ab\0", 3));
    EXPECT_TRUE(static_cast<RegistryRecord&>(*log.records[19]).data.empty());
    EXPECT_STREQ(static_cast<RegistryRecord&>(*log.records[16]).key.Path(), "Software\\Stellum");
    EXPECT_EQ(static_cast<DataBlockRecord&>(*log.records[21]).data.size(), 2u);

    RegisterEngineStrings();
    EXPECT_EQ(log.records[15]->Summary(), "Item deleted: Planner");
    EXPECT_EQ(log.records[2]->Detail(), "From: from\nTo: to");
    EXPECT_TRUE(log.records[2]->CanSwitchTo(kChoiceKeep));
    EXPECT_FALSE(log.records[3]->CanSwitchTo(kChoiceUndo));

    OpLogContents onlyHeader;
    EXPECT_EQ(ReadOpLog(kHeaderBytes, onlyHeader), OpLogReadResult::kOk);
    EXPECT_TRUE(onlyHeader.records.empty());
}

TEST_F(OpLogFile, ADamagedLogIsRefusedWhole)
{
    std::string good = WriteLog([](OpLog& log) {
        log.FileCreated("a");
        log.RegValueDeleted(RegKey(1, "k"), "n", 3, 4, "abcd");
        log.DataBlock(1, 3, "xyz");
    });
    // Cut at every byte: only the record boundaries give a (shorter) readable log.
    std::set<size_t> boundaries = {kHeaderBytes.size(), kHeaderBytes.size() + 10};
    boundaries.insert(good.size());
    size_t regEnd = kHeaderBytes.size() + 10 + 8 + 4 + 2 + 2 + 4 + 4 + 4;
    boundaries.insert(regEnd);
    for (size_t n = 0; n <= good.size(); ++n) {
        OpLogContents log;
        OpLogReadResult want = boundaries.count(n) ? OpLogReadResult::kOk : OpLogReadResult::kBadData;
        EXPECT_EQ(ReadOpLog(good.substr(0, n), log), want) << n;
        if (want == OpLogReadResult::kBadData) {
            EXPECT_TRUE(log.records.empty()) << n;
        }
    }

    struct Case { const char* what; std::string record; } cases[] = {
        {"unknown type", Le4(23) + Le4(0)},
        {"negative type", Le4(0xFFFFFFFF) + Le4(0)},
        {"state 3", Le4(0) + Le4(3) + Str("d")},
        {"value size beyond the file", Le4(19) + Le4(0) + Le4(1) + Str("k") + Str("n") + Le4(1) + Le4(0x7FFFFFF0) + "ab"},
        {"deleted value size beyond the file", Le4(20) + Le4(0) + Le4(1) + Str("k") + Str("n") + Le4(1) + Le4(5) + "abcd"},
        {"block size beyond the file", Le4(22) + Le4(0) + Le4(1) + Le4(1000000000) + "x"},
        {"negative block size", Le4(22) + Le4(0) + Le4(1) + Le4(0xFFFFFFFF)},
        {"registry path over 260", Le4(16) + Le4(0) + Le4(1) + Bytes({255, 0x10, 1}) + std::string(272, 'k')},
    };
    fw::ScriptedMessageBoxes boxes;
    for (const Case& c : cases) {
        OpLogContents log;
        EXPECT_EQ(ReadOpLog(good + c.record, log), OpLogReadResult::kBadData) << c.what;
        EXPECT_TRUE(log.records.empty()) << c.what;
    }

    // The reporting entry point names the fault.
    Write("bad.log", good + Le4(23));
    boxes.Clear();
    OpLogContents log;
    EXPECT_FALSE(LoadOpLog("C:\\bad.log", log));
    EXPECT_FALSE(LoadOpLog("C:\\none.log", log));
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Calls()[0].text, "Log file contains bad data");
    EXPECT_EQ(boxes.Calls()[1].text, "Unable to open C:\\none.log");
}

// Records what undoing asks for and answers questions from a script.
struct FakeOperations : UndoOperations {
    std::vector<std::string> calls;
    int answer = 0; // 0: the default, as Enter gives it
    int sharedCount = 0;
    bool notEmpty = false;
    std::map<std::string, bool> settled;
    int Ask(const char* text, const char*, const char* first, const char*, int defaultAnswer) override
    {
        calls.push_back(std::string("ask ") + text + (first ? std::string(" [") + first + "]" : ""));
        return answer ? answer : defaultAnswer;
    }
    std::set<std::string> keptFiles;
    void SettleSharedCount(const char* p, bool kept) override { settled[p] = kept; }
    void KeepFile(const char* p) override { keptFiles.insert(p); }
    bool FileKept(const char* p) override { return keptFiles.count(p) > 0; }
    bool SharedCountSettled(const RegKey&, const char* n, bool& kept) override
    {
        auto it = settled.find(n);
        if (it == settled.end()) return false;
        kept = it->second;
        return true;
    }
    bool Log(const std::string& s) { calls.push_back(s); return true; }
    bool DirectoryNotEmpty(const char*) override { return notEmpty; }
    bool RemoveDirectoryTree(const char* p) override { return Log(std::string("rmtree ") + p); }
    bool MakeDirectory(const char* p) override { return Log(std::string("mkdir ") + p); }
    bool MoveFile(const char* a, const char* b) override { return Log(std::string("move ") + a + " " + b); }
    bool DeleteFile(const char* p) override { return Log(std::string("delete ") + p); }
    int SharedDllCount(const char*) override { return sharedCount; }
    int ReleaseSharedDllRef(const char* p) override { Log(std::string("release ") + p); return sharedCount - 1; }
    bool DeleteSharedDllValue(const char* p) override { return Log(std::string("uncount ") + p); }
    bool SetFileLength(const char* p, uint32_t n) override { return Log(std::string("length ") + p + " " + std::to_string(n)); }
    bool SetFileAttributes(const char* p, uint32_t a) override { return Log(std::string("attr ") + p + " " + std::to_string(a)); }
    bool DeleteIniEntry(const char* f, const char* s, const char* e, int i) override { return Log(std::string("inidel ") + f + s + e + std::to_string(i)); }
    bool InsertIniEntry(const char* f, const char* s, const char* e, const char* v, int i) override { return Log(std::string("iniins ") + f + s + e + v + std::to_string(i)); }
    bool ReplaceIniEntry(const char* f, const char* s, const char* e, const char* v, int i) override { return Log(std::string("inirep ") + f + s + e + v + std::to_string(i)); }
    bool IniSectionHasEntries(const char*, const char*) override { return notEmpty; }
    bool DeleteIniSection(const char* f, const char* s) override { return Log(std::string("secdel ") + f + s); }
    bool AddIniSection(const char* f, const char* s) override { return Log(std::string("secadd ") + f + s); }
    bool GroupHasItems(const char*) override { return notEmpty; }
    bool DeleteGroup(const char* g) override { return Log(std::string("grpdel ") + g); }
    bool CreateGroup(const char* g) override { return Log(std::string("grpadd ") + g); }
    bool DeleteProgmanItem(const char* g, const char* i) override { return Log(std::string("itemdel ") + g + i); }
    bool AddProgmanItem(const char* g, const unsigned char* r) override { return Log(std::string("itemadd ") + g + reinterpret_cast<const char*>(r + 20)); }
    bool RegKeyHasSubkeys(const RegKey&) override { return notEmpty; }
    bool RegKeyHasValues(const RegKey&) override { return false; }
    bool DeleteRegKey(const RegKey& k) override { return Log(std::string("keydel ") + k.Path()); }
    bool CreateRegKey(const RegKey& k) override { return Log(std::string("keyadd ") + k.Path()); }
    bool DeleteRegValue(const RegKey& k, const char* n) override { return Log(std::string("valdel ") + k.Path() + n); }
    bool SetRegValue(const RegKey& k, const char* n, uint32_t t, uint32_t s, const void*) override { return Log(std::string("valset ") + k.Path() + n + " " + std::to_string(t) + " " + std::to_string(s)); }
    bool RemoveFont(const char* p) override { return Log(std::string("unfont ") + p); }
};

OpLogRecordPtr Strings(int type, const char* a, const char* b = "")
{
    OpLogRecordPtr r = CreateOpLogRecord(type);
    static_cast<StringsRecord&>(*r).Text(0).Assign(a);
    if (*b) static_cast<StringsRecord&>(*r).Text(1).Assign(b);
    return r;
}

TEST(OpLogUndo, EachTypeCallsItsReverseOperation)
{
    RegisterEngineStrings();
    using R = UndoResult;
    struct Case { OpLogRecordPtr record; R result; std::vector<std::string> calls; };
    std::vector<Case> cases;
    cases.push_back({Strings(0, "D"), R::kUndone, {"rmtree D"}});
    cases.push_back({Strings(1, "D"), R::kUndone, {"mkdir D"}});
    cases.push_back({Strings(2, "old", "new"), R::kUndone, {"move new old"}});
    cases.push_back({Strings(3, "F"), R::kFailed, {}});
    cases.push_back({Strings(4, "F"), R::kUndone, {"delete F"}});
    cases.push_back({Strings(11, "f", "s"), R::kUndone, {"secadd fs"}});
    cases.push_back({Strings(13, "G", "I"), R::kUndone, {"itemdel GI"}});
    cases.push_back({Strings(14, "G"), R::kUndone, {"grpadd G"}});
    cases.push_back({Strings(21, "t.ttf"), R::kUndone, {"unfont t.ttf"}});
    cases.push_back({CreateOpLogRecord(22), R::kUndone, {}});
    auto ini = std::make_unique<IniEntryRecord>(OpType::kIniEntryDeleted, true);
    ini->file.Assign("f"); ini->section.Assign("s"); ini->entry.Assign("e"); ini->value.Assign("v"); ini->index = 2;
    cases.push_back({std::move(ini), R::kUndone, {"iniins fsev2"}});
    auto reg = std::make_unique<RegistryRecord>(OpType::kRegValueDeleted);
    reg->key.Set(0, "K"); reg->name.Assign("n"); reg->valueType = 4; reg->data.assign(4, 0);
    cases.push_back({std::move(reg), R::kUndone, {"valset Kn 4 4"}});
    for (Case& c : cases) {
        FakeOperations ops;
        EXPECT_EQ(c.record->Undo(ops), c.result) << int(c.record->TypeCode());
        EXPECT_EQ(ops.calls, c.calls) << int(c.record->TypeCode());
    }
}

// The questions of the undo keep by default (Enter); keeping is reported as kept, never as a
// failure; a directory that still holds anything stays without a question.
TEST(OpLogUndo, SharedFilesAndNonEmptyContainersKeepByDefault)
{
    RegisterEngineStrings();
    using R = UndoResult;
    auto countRecord = [](OpType type) {
        auto r = std::make_unique<RegistryRecord>(type);
        r->key.Set(0, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs");
        r->name.Assign("F");
        r->valueType = 4;
        r->data.assign(4, 0);
        return r;
    };
    {
        FakeOperations ops; // a shared count of 3: released, the file stays
        ops.sharedCount = 3;
        EXPECT_EQ(Strings(4, "F")->Undo(ops), R::kUndone);
        EXPECT_EQ(ops.calls, (std::vector<std::string>{"release F"}));
        EXPECT_EQ(countRecord(OpType::kRegValueChanged)->Undo(ops), R::kUndone);
        EXPECT_EQ(ops.calls.size(), 1u) << "the release stands; the count's record leaves it";
    }
    {
        FakeOperations ops; // count 1, Enter: the first button, Keep: file and count stay
        ops.sharedCount = 1;
        EXPECT_EQ(Strings(4, "F")->Undo(ops), R::kKept);
        ASSERT_EQ(ops.calls.size(), 1u);
        EXPECT_NE(ops.calls[0].find("[&Keep]"), std::string::npos);
        EXPECT_EQ(countRecord(OpType::kRegValueCreated)->Undo(ops), R::kKept);
        EXPECT_EQ(ops.calls.size(), 1u) << "the kept file's count is not deleted";
    }
    {
        FakeOperations ops; // count 1, second button: the count goes and the file too
        ops.sharedCount = 1;
        ops.answer = 2;
        EXPECT_EQ(Strings(4, "F")->Undo(ops), R::kUndone);
        EXPECT_EQ(ops.calls.back(), "delete F");
        EXPECT_EQ(ops.calls[1], "uncount F");
        EXPECT_EQ(countRecord(OpType::kRegValueCreated)->Undo(ops), R::kUndone);
        EXPECT_EQ(ops.calls.size(), 3u);
    }
    {
        FakeOperations ops; // a count that no file record settled is undone as written
        EXPECT_EQ(countRecord(OpType::kRegValueCreated)->Undo(ops), R::kUndone);
        EXPECT_EQ(ops.calls, (std::vector<std::string>{"valdel SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLsF"}));
    }
    for (int type : {10, 12}) {
        FakeOperations ops; // not empty, Enter: No, kept
        ops.notEmpty = true;
        EXPECT_EQ(Strings(type, "X", "Y")->Undo(ops), R::kKept) << type;
        EXPECT_EQ(ops.calls.size(), 1u) << type;
        ops.calls.clear();
        ops.answer = 1;
        EXPECT_EQ(Strings(type, "X", "Y")->Undo(ops), R::kUndone) << type;
        EXPECT_EQ(ops.calls.size(), 2u) << type;
    }
    FakeOperations ops;
    ops.notEmpty = true;
    ops.answer = 1; // even a user who would say Yes to everything
    EXPECT_EQ(Strings(0, "D")->Undo(ops), R::kKept);
    EXPECT_TRUE(ops.calls.empty()) << "no question, nothing removed";
}

TEST(OpLogFormat, ValuesFillConversionsSafely)
{
    EXPECT_EQ(FormatWithValues("a %s b %d c %lu %%", {"1", "2", "3"}), "a 1 b 2 c 3 %");
    EXPECT_EQ(FormatWithValues("%s %s %s", {"only"}), "only  ");
    EXPECT_EQ(FormatWithValues("%", {"x"}), "");
}

} // namespace
