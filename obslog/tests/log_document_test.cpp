#include "obslog/tests/LogTestSupport.h"

#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/View.h"
#include "framework/stream/PStream.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

using namespace logtest;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

TEST(LogDocument, OpensBinaryAndTaggedLogs)
{
    LogDirs dirs;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(3))));
    {
        LogDocument doc(dirs.program, dirs.user);
        ASSERT_TRUE(doc.Open(0, dirs.log));
        EXPECT_TRUE(doc.IsOpen());
        EXPECT_FALSE(doc.IsDirty());
        ASSERT_EQ(doc.RecordCount(), 3);
        EXPECT_EQ(doc.Records()[2].name, "NGC 102");
        // The backup copy beside the log and the recovery header match the log as loaded.
        EXPECT_EQ(ReadFileBytes(dirs.File("Nights.~og")), ReadFileBytes(dirs.log));
        EXPECT_FALSE(ReadFileBytes(dirs.File("LOGHDR.TMP")).empty());
    }

    std::ostringstream text;
    ObsRecordHeader header;
    header.SetCount(2);
    header.WriteTagged(text);
    RuravAvaviv().WriteText(text);
    text << TaggedV3(4, "M 31") << TaggedV3(9, "M 33");
    const std::string tagged = dirs.File("old.log");
    ASSERT_TRUE(WriteFileBytes(tagged, text.str()));
    LogDocument doc(dirs.program, dirs.user);
    ASSERT_TRUE(doc.Open(0, tagged));
    ASSERT_EQ(doc.RecordCount(), 2);
    EXPECT_EQ(doc.Records()[1].name, "M 33");
    EXPECT_EQ(doc.Records()[1].number, 9);
}

// Saves killed mid-write leave their temporaries beside the log, its backup copy, the default
// files and the crash files. The document removes those of its shared files when it is made
// and those of the log when it opens it; nothing else goes: not a temporary of a program still
// running (this one), not another log's, not a name that only looks like one.
TEST(LogDocument, OpeningRemovesTheTemporariesKilledSavesLeft)
{
    LogDirs dirs;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(3))));
    const std::string killed = ".tmp" + std::to_string(testsupport::EndedPid()) + "-a1B2c3";
    const std::map<std::string, bool> removed = {
        {dirs.log + killed, true},
        {dirs.File("Nights.~og") + killed, true},
        {dirs.File("LOGMDFY.TMP") + killed, true},
        {dirs.File("LOGHDR.TMP") + killed, true},
        {dirs.File("LOGHDR.~MP") + killed, true},
        {dirs.user + "DEFAULT.HDR" + killed, true},
        {dirs.user + "DEFAULT.FLT" + killed, true},
        {dirs.log + ".tmp" + std::to_string(getpid()) + "-a1B2c3", false},
        {dirs.File("Other.log") + killed, false},
        {dirs.log + ".tmpx", false},
        {dirs.log + ".bak", false},
    };
    for (const auto& entry : removed) ASSERT_TRUE(WriteFileBytes(entry.first, "partial"));
    LogDocument doc(dirs.program, dirs.user);
    ASSERT_TRUE(doc.Open(0, dirs.log));
    EXPECT_EQ(doc.RecordCount(), 3);
    for (const auto& [path, gone] : removed) EXPECT_EQ(std::filesystem::exists(path), !gone) << path;
}

TEST(LogDocument, EmptyLogCreatesItsFirstRecordOnDemand)
{
    LogDirs dirs;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes({})));
    LogDocument doc(dirs.program, dirs.user);
    ASSERT_TRUE(doc.Open(0, dirs.log));
    EXPECT_EQ(doc.NavigationState(), LogDocument::NoRecord);
    const ObsRecord first = doc.GetCurrentRecord();
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.name, "New Entry...");
    EXPECT_EQ(doc.RecordCount(), 1);
    EXPECT_EQ(doc.NavigationState(), LogDocument::OneRecord);
}

TEST(LogDocument, DamagedLogIsRefusedAndLeftAsItIs)
{
    LogDirs dirs;
    StatusLines status;
    std::string bytes = LogBytes(Records(4));
    // Damage the third record's trailing version word.
    const std::size_t recordSize = Bytes(Record(1, "NGC 100")).size();
    const std::size_t firstRecord = bytes.size() - 4 - 30 - 4 * recordSize;
    bytes[firstRecord + 3 * recordSize - 4] = 9;
    ASSERT_TRUE(WriteFileBytes(dirs.log, bytes));

    LogDocument doc(dirs.program, dirs.user);
    EXPECT_FALSE(doc.Open(0, dirs.log));
    EXPECT_TRUE(status.Has("Error Reading Log Record # 2")) << status.All();
    EXPECT_TRUE(status.Has("ABORTING"));
    EXPECT_EQ(doc.RecordCount(), 2);  // the records before the damage stay in memory
    EXPECT_FALSE(doc.IsOpen());
    EXPECT_EQ(ReadFileBytes(dirs.log), bytes);
    EXPECT_TRUE(ReadFileBytes(dirs.File("Nights.~og")).empty());  // no backup of a damaged log

    const struct { const char* what; std::string bytes; const char* line; } cases[] = {
        {"neither form", "just some text\n", "Error Reading Log Header"},
        {"damaged filter", bytes.substr(0, firstRecord - 10), "Error Reading Log Filter"},
        {"count beyond the file", bytes.substr(0, firstRecord + recordSize), "Error Reading Log Record # 1"},
    };
    for (const auto& c : cases) {
        const std::string path = dirs.File("bad.log");
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        LogDocument other(dirs.program, dirs.user);
        EXPECT_FALSE(other.Open(0, path)) << c.what;
        EXPECT_TRUE(status.Has(c.line)) << c.what;
    }
}

TEST(LogDocument, EveryTruncationOfALogFailsCleanly)
{
    LogDirs dirs;
    const std::string bytes = LogBytes(Records(3));
    for (std::size_t n = 0; n + 34 < bytes.size(); n += 5) {  // short of the trailing signature
        ASSERT_TRUE(WriteFileBytes(dirs.log, bytes.substr(0, n)));
        LogDocument doc(dirs.program, dirs.user);
        EXPECT_FALSE(doc.Open(0, dirs.log)) << n;
    }
}

TEST(LogDocument, SavingDropsMarkedRecordsAndRetiresTheJournal)
{
    LogDirs dirs;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(5))));
    LogDocument doc(dirs.program, dirs.user);
    ASSERT_TRUE(doc.Open(0, dirs.log));
    doc.SetDocPath(dirs.log);
    ObsRecord edited = doc.Records()[0];
    edited.notes = "Seen again under better skies";
    ASSERT_TRUE(doc.UpdateRecord(edited));
    EXPECT_FALSE(ReadFileBytes(dirs.File("LOGMDFY.TMP")).empty());
    doc.SetDeletionMark(1, true);
    doc.SetDeletionMark(3, true);

    ASSERT_TRUE(doc.Commit());
    EXPECT_FALSE(doc.IsDirty());
    ASSERT_EQ(doc.RecordCount(), 3);
    LogDocument reread(dirs.program, dirs.user);
    ASSERT_TRUE(reread.Open(0, dirs.log));
    ASSERT_EQ(reread.RecordCount(), 3);
    EXPECT_EQ(reread.Header().Count(), 3);
    EXPECT_EQ(reread.Records()[0].notes, "Seen again under better skies");
    EXPECT_EQ(reread.Records()[1].number, 3);
    // The journal moved to its previous-generation name and holds the edit since the open.
    EXPECT_TRUE(ReadFileBytes(dirs.File("LOGMDFY.TMP")).empty());
    EXPECT_NE(ReadFileBytes(dirs.File("LOGMDFY.~MP")).find("Seen again"), std::string::npos);
    // The default header and filter were saved beside it.
    EXPECT_FALSE(ReadFileBytes(dirs.user + "DEFAULT.HDR").empty());
    EXPECT_FALSE(ReadFileBytes(dirs.user + "DEFAULT.FLT").empty());
}

namespace {
// Saves in a child whose writes the system refuses; the child's answer is its exit status.
void ExpectRefusedSave(const LogDirs& dirs, const std::function<void()>& limit, const char* what)
{
    const std::string before = ReadFileBytes(dirs.log);
    const int status = InChild([&] {
        LogDocument doc(dirs.program, dirs.user);
        if (!doc.Open(0, dirs.log))
            return 3;
        doc.SetDocPath(dirs.log);
        for (int i = 0; i < 200; ++i)
            doc.AddRecord(true);
        limit();
        if (doc.Commit())
            return 1;
        if (!doc.IsDirty() || doc.StatusText().find("not saved") == std::string::npos)
            return 2;
        return 0;
    });
    EXPECT_EQ(status, 0) << what;
    EXPECT_EQ(ReadFileBytes(dirs.log), before) << what;
}
} // namespace

TEST(LogDocument, RefusedSaveLeavesTheOldLogByteForByte)
{
    LogDirs dirs;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(20))));
    // A full disk: the file size limit refuses the write part-way.
    ExpectRefusedSave(dirs, [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
    }, "full disk");
    // A directory the user may not write in.
    ::chmod(dirs.program.c_str(), 0555);
    ::chmod(dirs.log.c_str(), 0644);
    ExpectRefusedSave(dirs, [] {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            ::_exit(4);
    }, "read-only directory");
    ::chmod(dirs.program.c_str(), 0755);
}

TEST(LogDocument, NavigationStates)
{
    LogDirs dirs;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(3))));
    LogDocument doc(dirs.program, dirs.user);
    ASSERT_TRUE(doc.Open(0, dirs.log));
    EXPECT_EQ(doc.FirstRecord().number, 1);
    EXPECT_EQ(doc.NavigationState(), LogDocument::AtFirst);
    EXPECT_EQ(doc.NextRecord().number, 2);
    EXPECT_EQ(doc.NavigationState(), LogDocument::InBetween);
    EXPECT_EQ(doc.NextRecord().number, 3);
    EXPECT_EQ(doc.NavigationState(), LogDocument::AtLast);
    EXPECT_EQ(doc.NextRecord().number, 3);  // stays on the last

    // The filter on: only the records it passes are visited.
    ObsRecord renamed = doc.Records()[1];
    renamed.name = "M 42";
    ASSERT_TRUE(doc.UpdateRecord(renamed));
    doc.Filter().active = 1;
    doc.Filter().criteria = RuravAvaviv::ByName;
    doc.Filter().nameText = "ngc 10";
    EXPECT_EQ(doc.ApplyFilter(), 2);
    EXPECT_EQ(doc.FirstRecord().number, 1);
    EXPECT_EQ(doc.NextRecord().number, 3);
    EXPECT_EQ(doc.NavigationState(), LogDocument::AtLast);
    EXPECT_EQ(doc.FilteredPosition(), 2);
    doc.Filter().nameText = "nothing";
    doc.ApplyFilter();
    EXPECT_EQ(doc.NavigationState(), LogDocument::NoRecord);
}

TEST(LogDocument, FullLogRefusesANewRecord)
{
    LogDirs dirs;
    StatusLines status;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(LogDocument::kMaxRecords))));
    LogDocument doc(dirs.program, dirs.user);
    ASSERT_TRUE(doc.Open(0, dirs.log));
    doc.LastRecord();
    EXPECT_FALSE(doc.AddRecord(true).has_value());
    EXPECT_TRUE(status.Has("15750 Record Limit: save and open new log"));
    EXPECT_EQ(doc.RecordCount(), LogDocument::kMaxRecords);
    EXPECT_FALSE(doc.IsDirty());
}

TEST(LogDocument, CatalogueMarksFollowEveryRecordOfAnObject)
{
    LogDirs dirs;
    std::vector<ObsRecord> records = Records(3);
    records[0].crossRef = 0;  // NGC 1, twice
    records[1].crossRef = 0;
    records[2].crossRef = 40;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(records)));
    LogDocument doc(dirs.program, dirs.user);
    ASSERT_TRUE(doc.Open(0, dirs.log));
    EXPECT_TRUE(NGCTable.shape[0] & ObservedMark);

    // One of the two records of row 0 moves to another object: the other keeps the mark.
    ObsRecord moved = doc.Records()[0];
    moved.crossRef = 7;
    ASSERT_TRUE(doc.UpdateRecord(moved));
    EXPECT_TRUE(NGCTable.shape[0] & ObservedMark);
    EXPECT_TRUE(NGCTable.shape[7] & ObservedMark);
    // The last record of row 0 moves away: row 0 loses its mark.
    ObsRecord second = doc.Records()[1];
    second.crossRef = 7;
    ASSERT_TRUE(doc.UpdateRecord(second));
    EXPECT_FALSE(NGCTable.shape[0] & ObservedMark);

    // A record the filter no longer passes takes its mark with it.
    doc.Filter().active = 1;
    doc.Filter().criteria = RuravAvaviv::ByMagnitude;
    doc.ApplyFilter();
    doc.LastRecord();
    doc.NavigationState();
    ObsRecord faint = doc.Records()[2];
    faint.magnitude = 35;
    ASSERT_TRUE(doc.UpdateRecord(faint));
    EXPECT_FALSE(NGCTable.shape[40] & ObservedMark);
    EXPECT_TRUE(NGCTable.shape[7] & ObservedMark);
}

namespace {
// A view that records the notifications it is sent.
struct RecordingView : fw::View {
    explicit RecordingView(fw::Document& doc) : fw::View(doc) {}
    std::string GetViewName() const override { return "LOGVIEW"; }
    bool EvViewNotify(int event, std::intptr_t arg) override
    {
        events.emplace_back(event, arg);
        return true;
    }
    std::vector<std::pair<int, std::intptr_t>> events;
};
} // namespace

TEST(LogDocument, IsTheObslogDocumentAndTellsItsViews)
{
    LogDirs dirs;
    LogDocument doc(dirs.program, dirs.user);
    const int property = doc.FindProperty("Document Name");
    EXPECT_EQ(property, 11);
    EXPECT_EQ(doc.PropertyText("Document Name"), "Obslog Document");
    EXPECT_EQ(doc.GetProperty(property, nullptr, 0), 16);
    EXPECT_FALSE(doc.SetProperty(property, "Something else"));

    auto* view = new RecordingView(doc);  // the document deletes its views
    EXPECT_FALSE(doc.UpdateRecord(Record(44)));  // no record has that number
    ASSERT_EQ(view->events.size(), 1u);
    EXPECT_EQ(view->events[0].first, vnLogRecordChanged);
    doc.CanClose();
    EXPECT_EQ(view->events.back(), std::make_pair(int(vnAppEvent), std::intptr_t(6904)));
}

// An exception while the document is built is said in a box (stop icon, no caption); the
// document stays usable as far as it was built.
TEST(LogDocument, ExceptionInTheConstructorIsSaid)
{
    LogDirs dirs;
    fw::ScriptedMessageBoxes boxes;
    LogDocument::ThrowInNextConstructionForTest();
    LogDocument doc(dirs.program, dirs.user);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "Exception in Log Constructor");
    EXPECT_TRUE(boxes.Last().style & fw::MB_ICONSTOP);
    EXPECT_TRUE(doc.AddRecord(true).has_value());
}

TEST(LogDocument, DefaultHeaderAndFilterFiles)
{
    LogDirs dirs;
    StatusLines status;
    {
        LogDocument doc(dirs.program, dirs.user);
        EXPECT_TRUE(status.Has("DEFAULT.HDR file not found"));
        doc.DefaultHeader().ListById(ObsRecordHeader::Eyepieces).AddEntry("Nagler 13 mm", 1);
        doc.Filter().criteria = RuravAvaviv::ByNotes;
        doc.Filter().notesText = "galaxy";
        EXPECT_TRUE(doc.WriteDefaultHeader());
        EXPECT_TRUE(doc.WriteDefaultFilter());
    }
    {
        LogDocument doc(dirs.program, dirs.user);
        EXPECT_TRUE(status.Has("DEFAULT.HDR read OK"));
        EXPECT_TRUE(status.Has("DEFAULT.FLT read OK"));
        EXPECT_EQ(doc.DefaultHeader().ListById(ObsRecordHeader::Eyepieces).TextForId(1), "Nagler 13 mm");
        EXPECT_EQ(doc.Filter().notesText, "galaxy");
        EXPECT_EQ(doc.Filter().active, 0);
    }
    // Older text forms are converted; a damaged filter falls back to the defaults.
    std::ostringstream header, filter;
    ObsRecordHeader h;
    h.ListById(ObsRecordHeader::Filters).AddEntry("OIII", 3);
    h.WriteTagged(header);
    RuravAvaviv f;
    f.nameText = "M";
    f.WriteText(filter);
    ASSERT_TRUE(WriteFileBytes(dirs.user + "DEFAULT.HDR", header.str()));
    ASSERT_TRUE(WriteFileBytes(dirs.user + "DEFAULT.FLT", filter.str()));
    {
        LogDocument doc(dirs.program, dirs.user);
        EXPECT_TRUE(status.Has("Old Version of DEFAULT.HDR found"));
        EXPECT_EQ(doc.DefaultHeader().ListById(ObsRecordHeader::Filters).TextForId(3), "OIII");
        EXPECT_EQ(doc.Filter().nameText, "M");
    }
    ASSERT_TRUE(WriteFileBytes(dirs.user + "DEFAULT.FLT", std::string("\x05\0\0\0garbage", 11)));
    LogDocument doc(dirs.program, dirs.user);
    EXPECT_TRUE(status.Has("DEFAULT.FLT bad read"));
    EXPECT_EQ(doc.Filter().nameText, "");
}

TEST(LogDocument, DeliveredSampleLogOpens)
{
    const std::string program = testsupport::ProgramDataDir("User/Sample.log");
    STELLUM_REQUIRE_DATA(program);
    LogDirs dirs;
    const std::string copy = dirs.File("Sample.log");
    ASSERT_TRUE(WriteFileBytes(copy, ReadFileBytes(program + "User/Sample.log")));
    LogDocument doc(dirs.program, dirs.user);
    ASSERT_TRUE(doc.Open(0, copy));
    ASSERT_GE(doc.RecordCount(), 5);
    const ObsRecord& m31 = doc.Records()[0];
    EXPECT_EQ(m31.name, "M 31");
    // The catalogue row of NGC 224.
    ASSERT_EQ(NGC2000Indexes::ReadDatabase(program + "ngc2k.rsx"), NGC2000Indexes::ReadOk);
    EXPECT_EQ(m31.crossRef, NGC2000Indexes::RowIndex(NGC2000Indexes::ParseObjectName("NGC 224")));
    EXPECT_GE(m31.crossRef, 0);
    NGCTable.Clear();
    EXPECT_EQ(doc.Header().ListById(ObsRecordHeader::Telescopes).TextForId(m31.telescope), "10-inch f/4.7 Dobsonian");
}
