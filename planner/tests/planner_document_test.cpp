// The planner document on the real catalogue: the delivered "Sample.sl4" read and written
// back byte for byte, the dirty test against the state as read or saved, a version-4 file
// built byte by byte from its layout, versions and signatures refused, damaged files refused
// whole, a save that cannot finish and what a killed one left, the one-document rule and the
// document's name.
#include "PlannerFixture.h"

#include "framework/stream/PStream.h"
#include "planner/STLM5doc.h"

#include <csignal>
#include <filesystem>
#include <map>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

class PlannerFile : public PlannerWorld {
protected:
    void SetUp() override
    {
        PlannerWorld::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        sample_ = ReadFileBytes(data_ + "User/Sample.sl4");
        ASSERT_FALSE(sample_.empty()) << "the data builder writes User/Sample.sl4";
        samplePath_ = dir_.path() + "Sample.sl4";
        ASSERT_TRUE(WriteFileBytes(samplePath_, sample_));
    }
    // Opens a file in a document of its own; the document is kept for saving.
    bool OpenFile(const std::string& path)
    {
        doc_ = std::make_unique<STLM5doc>();
        doc_->SetDocPath(path);
        return doc_->Open(fw::ofRead);
    }
    bool OpenBytes(const std::string& bytes)
    {
        const std::string path = dir_.path() + "probe.sl4";
        if (!WriteFileBytes(path, bytes)) return false;
        return OpenFile(path);
    }
    // The application's state as a planner file would hold it.
    static std::string State() { return STLM5doc::StateBytes(0, ""); }

    std::string sample_;
    std::string samplePath_;
    std::unique_ptr<STLM5doc> doc_;
};

TEST_F(PlannerFile, SampleReadsAndWritesBackByteForByte)
{
    ASSERT_TRUE(OpenFile(samplePath_));
    EXPECT_EQ(site_.Name(), "Flagstaff, Arizona");
    EXPECT_NEAR(site_.Latitude().Degrees(), 35.193056, 1e-9);
    EXPECT_EQ(site_.UtcOffset(), 420);
    EXPECT_DOUBLE_EQ(now_.JD(), JulianDate::FromCalendar(2026, 10, 11, 2, 30, 0).JD());
    EXPECT_EQ(db_->CountOf(Browser::kObservingList), 5);
    EXPECT_TRUE(db_->IsOnObservingList(Ngc(kM31)));
    EXPECT_EQ(db_->GetFilterSettings().magnitudeMax, 8.0);
    EXPECT_GT(db_->CountOf(Browser::kFilteredList), 50);
    // The sample is saved in system-time mode, the mode of a first run: read in manual time it
    // counts as changed, and back in system time (the sample's evening still the current time
    // here, no clock having ticked) as unchanged.
    EXPECT_TRUE(doc_->IsDirty()) << "read in the other clock mode";
    FollowSystemClock = true;
    EXPECT_FALSE(doc_->IsDirty()) << "nothing changed since it was read";

    doc_->SetDocPath(dir_.path() + "copy.sl4");
    ASSERT_TRUE(doc_->Commit());
    EXPECT_EQ(ReadFileBytes(dir_.path() + "copy.sl4"), sample_);
    EXPECT_TRUE(boxes_.Calls().empty());
}

TEST_F(PlannerFile, DirtyMeansChangedSinceReadOrSaved)
{
    ASSERT_TRUE(OpenFile(samplePath_));
    struct Step {
        const char* what;
        std::function<void()> change;
    } steps[] = {
        {"filter", [&] {
             FilterSettings f = db_->GetFilterSettings();
             f.magnitudeMax = 7.0;
             db_->SetFilterSettings(f, false);
         }},
        {"sort", [&] {
             SortCriteria s = db_->GetSortCriteria();
             s.SelectList(0);
             s.SetKey(1, kSortMagnitude);
             db_->SetSortCriteria(s, true);
         }},
        {"observing list", [&] { db_->AddToObservingList(Ngc(7331)); }},
        {"time", [&] { now_ += 1.0 / 24; }},
        {"site", [&] { site_.SetName("Elsewhere"); }},
        {"clock mode", [&] { FollowSystemClock = true; }},
    };
    for (const Step& step : steps) {
        step.change();
        EXPECT_TRUE(doc_->IsDirty()) << step.what;
        ASSERT_TRUE(doc_->Commit()) << step.what;
        EXPECT_FALSE(doc_->IsDirty()) << "saved after the " << step.what << " change";
    }
    // In system-time mode the clock's moving on is no change of the plan.
    now_ += 1.0;
    EXPECT_FALSE(doc_->IsDirty());
}

// A version-4 file, item by item as the earlier program wrote it.
struct Version4 {
    std::int32_t recordVersion = 4;
    std::int32_t zoneWord = -5;
    float zoneFloat = -5.5f;
    std::vector<std::int32_t> rows;
    double sessionStart = 20.5, sessionEnd = 23.75;

    std::string Bytes() const
    {
        fw::omstream os;
        const auto words = [&os](std::initializer_list<std::int32_t> ws) {
            for (std::int32_t w : ws) os.writeWord32(std::uint32_t(w));
        };
        os.writeString(STLM5doc::kSignature);
        words({4});
        os.writeString("ignored");
        words({recordVersion});
        os.writeString("ignored");
        words({0, 0, 0, 0, 0, 0});
        words({21, 45, 30});      // time
        words({2019, 3, 8});      // date
        words({0});               // system-time flag
        if (recordVersion == 5) os.writeFloat(zoneFloat);
        else words({zoneWord});
        os.writeString("Eastern");
        words({1, 0, 5});         // DST forced, unused, zone number
        words({kSortMagnitude, kSortRightAscension, kSortIgnore, kSortIgnore});
        words({1, 0, 1, 1});
        words({kSortObservationOrder, kSortIgnore, kSortIgnore, kSortIgnore});
        words({1, 1, 1, 1});
        // (b), (n), (j), (r), (i), (c), each with a word that is ignored.
        words({7, 99, 1, 99, 1, 99, 127, 99, 16, 99, 0x10, 99});
        words({0, 0, 0});
        for (double d : {2.0, 6.0, -10.0, 60.0}) os.writeDouble(d);
        os.writeDouble(0);
        words({0});
        words({1});               // ORs 4 into (j)
        os.writeDouble(9.5);      // (m)
        os.writeDouble(1.5);      // (l)
        words({0});
        words({1});               // ORs 0x20 into (c)
        for (int i = 0; i < 3; ++i) os.writeByte(0);
        os.writeDouble(0);
        os.writeDouble(sessionStart);
        os.writeDouble(sessionEnd);
        words({0});
        words({1, 0});            // ORs 8 into (n), not 2
        os.writeDouble(0.05);     // (p)
        os.writeDouble(1.0);      // (q)
        words({0, 0});
        words({0});               // zero: ORs 2 into (s)
        os.writeString("a");
        os.writeString("b");
        for (int i = 0; i < 14; ++i) words({0});
        os.writeDouble(40.5);     // latitude
        os.writeDouble(-74.25);   // longitude, east positive
        os.writeString("  Backyard  ");
        ConstellationSet constellations;
        constellations.Write(os);
        for (int i = 0; i < 9; ++i) words({0});
        os.writeString("ignored");
        words({std::int32_t(rows.size())});
        for (std::int32_t r : rows) words({r});
        return os.str();
    }
};

TEST_F(PlannerFile, Version4ReadsWithItsConversions)
{
    const int m31Row = NGC2000Indexes::RowIndex(Ngc(kM31));
    const int m13Row = NGC2000Indexes::RowIndex(Ngc(6205));
    const struct Case {
        std::int32_t recordVersion;
        int offsetMinutes;
    } cases[] = {{4, 300}, {5, 330}};
    for (const Case& c : cases) {
        Version4 v4;
        v4.recordVersion = c.recordVersion;
        v4.rows = {m31Row, m13Row, m31Row, 99999};  // a repeat and a row beyond the table are left out
        fw::ScriptedMessageBoxes yes({fw::IDYES});
        ASSERT_TRUE(OpenBytes(v4.Bytes())) << c.recordVersion;
        ASSERT_EQ(yes.Calls().size(), 1u);
        EXPECT_EQ(yes.Calls()[0].title, "WARNING");
        EXPECT_EQ(yes.Calls()[0].text,
                  "Once saved, this file cannot be opened using an older version of Stellum.  Do you wish to continue?");

        EXPECT_EQ(site_.UtcOffset(), c.offsetMinutes) << c.recordVersion;
        EXPECT_EQ(site_.ZoneName(), "Eastern");
        EXPECT_EQ(site_.ZoneNumber(), 5);
        EXPECT_TRUE(site_.Flags() & TimeZone::DstObserved);
        EXPECT_EQ(site_.Name(), "Backyard");
        EXPECT_NEAR(site_.Longitude().Degrees(), 74.25, 1e-12) << "west positive";
        EXPECT_NEAR(site_.Latitude().Degrees(), 40.5, 1e-12);
        EXPECT_DOUBLE_EQ(now_.JD(), JulianDate::FromCalendar(2019, 3, 8, 21, 45, 30).JD());

        const FilterSettings f = db_->GetFilterSettings();
        EXPECT_EQ(f.typeMask, 7);
        EXPECT_EQ(f.sizeCriteria, 1 | 8);
        EXPECT_EQ(f.brightnessCriteria, 1 | 4);
        EXPECT_EQ(f.shapeMask, 127);
        EXPECT_EQ(f.nameCriteria, 16);
        EXPECT_EQ(f.positionCriteria, 0x10 | 0x20 | 2);
        EXPECT_EQ(f.raMin, 2.0);
        EXPECT_EQ(f.decMax, 60.0);
        EXPECT_EQ(f.magnitudeMax, 9.5);
        EXPECT_EQ(f.magnitudeMin, 1.5);
        EXPECT_EQ(f.diameterMin, 0.05);
        EXPECT_EQ(db_->RequestedFilterSettings().historyCriteria, 2) << "kept for when the history stage runs";
        EXPECT_EQ(f.sessionStartHour, 20);
        EXPECT_EQ(f.sessionStartMinute, 30);
        EXPECT_EQ(f.sessionEndHour, 23);
        EXPECT_EQ(f.sessionEndMinute, 45);
        EXPECT_EQ(f.elevationMode, 2) << "a field the file does not name keeps its default";
        SortCriteria s = db_->GetSortCriteria();
        s.SelectList(0);
        EXPECT_EQ(s.Key(1), kSortMagnitude);
        EXPECT_EQ(s.Key(2), kSortRightAscension);
        EXPECT_EQ(s.Direction(2), SortCriteria::kDescending);
        EXPECT_EQ(db_->CountOf(Browser::kObservingList), 2);
        EXPECT_FALSE(db_->ObservingListChanged());
        EXPECT_FALSE(doc_->IsDirty());

        // Saved, it is a version-5 file.
        doc_->SetDocPath(dir_.path() + "converted.sl4");
        ASSERT_TRUE(doc_->Commit());
        fw::imstream saved(ReadFileBytes(dir_.path() + "converted.sl4"));
        EXPECT_EQ(saved.readString(), STLM5doc::kSignature);
        EXPECT_EQ(saved.readWord32(), 5u);
    }
}

TEST_F(PlannerFile, Version4DeclinedChangesNothing)
{
    const std::string before = State();
    for (int answer : {fw::IDNO, fw::IDCANCEL}) {
        fw::ScriptedMessageBoxes boxes({answer});
        EXPECT_FALSE(OpenBytes(Version4().Bytes()));
        EXPECT_EQ(State(), before);
    }
}

TEST_F(PlannerFile, VersionsAndSignaturesThatAreRefused)
{
    const auto withVersion = [this](std::uint32_t version) {
        std::string bytes = sample_;
        const std::size_t at = 4 + std::string(STLM5doc::kSignature).size();
        for (int i = 0; i < 4; ++i) bytes[at + i] = char((version >> (8 * i)) & 0xFF);
        return bytes;
    };
    std::string signature = sample_;
    signature[4 + 20] ^= 0x20;  // one letter in another case
    const struct Case {
        const char* what;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"version 6", withVersion(6), "File version is newer than software version"},
        {"version 3", withVersion(3), ""},
        {"signature", signature, ""},
        {"empty", "", ""},
    };
    const std::string before = State();
    for (const Case& c : cases) {
        fw::ScriptedMessageBoxes boxes;
        EXPECT_FALSE(OpenBytes(c.bytes)) << c.what;
        if (c.message.empty()) {
            EXPECT_TRUE(boxes.Calls().empty()) << c.what;
        } else {
            ASSERT_EQ(boxes.Calls().size(), 1u) << c.what;
            EXPECT_EQ(boxes.Calls()[0].text, c.message);
            EXPECT_EQ(boxes.Calls()[0].title, "Error Opening Planner file");
        }
        EXPECT_EQ(State(), before) << c.what;
    }
}

TEST_F(PlannerFile, DamagedFilesAreRefusedWholeOrReadWhole)
{
    // Every truncation is refused, with the message, and changes nothing.
    const std::string before = State();
    const std::size_t header = 4 + std::string(STLM5doc::kSignature).size() + 4;
    for (std::size_t n = header; n < sample_.size(); ++n) {
        fw::ScriptedMessageBoxes boxes;
        ASSERT_FALSE(OpenBytes(sample_.substr(0, n))) << n;
        ASSERT_EQ(boxes.Calls().size(), 1u) << n;
        EXPECT_EQ(boxes.Calls()[0].title, "Error Opening Planner file");
        if (n % 509 == 0) {
            EXPECT_EQ(State(), before) << n;
        }
    }
    EXPECT_EQ(State(), before);

    // Random damage: refused with nothing changed, or read whole.
    std::mt19937 random(20261210);
    int refused = 0;
    for (int i = 0; i < 200; ++i) {
        std::string bytes = sample_;
        const int flips = 1 + int(random() % 4);
        for (int k = 0; k < flips; ++k) bytes[random() % bytes.size()] = char(random() & 0xFF);
        fw::ScriptedMessageBoxes boxes;
        const std::string state = State();
        if (OpenBytes(bytes)) continue;
        ++refused;
        EXPECT_EQ(State(), state) << "refused file " << i << " changed the state";
    }
    EXPECT_GT(refused, 0);
}

TEST_F(PlannerFile, SaveThatCannotFinishLeavesThePreviousFile)
{
    ASSERT_TRUE(OpenFile(samplePath_));
    db_->AddToObservingList(Ngc(7331));
    // A disk that takes no more than a few kilobytes per file.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = doc_->Commit();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadFileBytes(samplePath_), sample_);
    EXPECT_TRUE(doc_->IsDirty()) << "the change is still unsaved";
    ASSERT_TRUE(doc_->Commit());
    EXPECT_NE(ReadFileBytes(samplePath_), sample_);
}

// A save killed mid-write leaves its temporary beside the document; the next open removes it
// and nothing else: not a temporary of a program still running (this one), not another
// document's, not a name that only looks like one.
TEST_F(PlannerFile, OpeningRemovesTheTemporaryAKilledSaveLeft)
{
    const std::string dead = std::to_string(testsupport::EndedPid());
    const std::map<std::string, bool> removed = {
        {"Sample.sl4.tmp" + dead + "-a1B2c3", true},
        {"Sample.sl4.tmp" + std::to_string(getpid()) + "-a1B2c3", false},
        {"Other.sl4.tmp" + dead + "-a1B2c3", false},
        {"Sample.sl4.tmp" + dead + "-toolong", false},
        {"Sample.sl4.tmpx", false},
    };
    for (const auto& entry : removed) ASSERT_TRUE(WriteFileBytes(dir_.file(entry.first), "partial"));
    ASSERT_TRUE(OpenFile(samplePath_));
    for (const auto& [name, gone] : removed)
        EXPECT_EQ(std::filesystem::exists(dir_.file(name)), !gone) << name;
    EXPECT_EQ(ReadFileBytes(samplePath_), sample_);
}

TEST_F(PlannerFile, OneDocumentAtATimeAndItsName)
{
    STLM5doc first, second;
    EXPECT_TRUE(first.InitDoc());
    EXPECT_FALSE(second.InitDoc());
    first.Close();
    EXPECT_TRUE(second.InitDoc());
    {
        STLM5doc dropped;
        second.Close();
        EXPECT_TRUE(dropped.InitDoc());
    }
    EXPECT_FALSE(STLM5doc::PlannerDocumentOpen()) << "a document that goes unclosed lets the next one in";

    EXPECT_EQ(first.PropertyCount(), 10);
    EXPECT_EQ(first.FindProperty("Document Name"), 11);
    EXPECT_EQ(first.PropertyFlags(11), fw::pfGetText | fw::pfConstant);
    EXPECT_EQ(first.PropertyName(11), "Document Name");
    EXPECT_EQ(first.GetProperty(11, nullptr, 0), 15);
    char buffer[32];
    EXPECT_EQ(first.GetProperty(11, buffer, sizeof buffer), 14);
    EXPECT_STREQ(buffer, "STLM4 Document");
    EXPECT_EQ(first.PropertyFlags(12), 0);
    EXPECT_EQ(first.PropertyName(12), "");
    EXPECT_EQ(first.PropertyText("Document Name"), "STLM4 Document");
}

} // namespace
