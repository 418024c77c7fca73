#include "obslog/tests/LogTestSupport.h"

#include "obslog/LogJournal.h"

#include "framework/stream/AppendFile.h"
#include "framework/stream/PStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <csignal>
#include <fcntl.h>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <thread>

using namespace logtest;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

// Opens the log and stores the edits in a child that then stops as a crash would, leaving
// the journal behind.
void EditAndCrash(const LogDirs& dirs, const std::function<void(LogDocument&)>& edits)
{
    ASSERT_EQ(InChild([&] {
        LogDocument doc(dirs.program, dirs.user);
        if (!doc.Open(0, dirs.log))
            return 1;
        doc.SetDocPath(dirs.log);
        edits(doc);
        ::_exit(0);  // before the document's destructor: a crash
    }), 0);
    ASSERT_FALSE(ReadFileBytes(dirs.File("LOGMDFY.TMP")).empty());
}

std::map<int, std::string> Names(const std::vector<ObsRecord>& records)
{
    std::map<int, std::string> names;
    for (const auto& r : records)
        names[r.number] = r.name;
    return names;
}

std::string BinaryForm(const ObsRecord& r)
{
    fw::omstream out;
    r.Write(out);
    return out.str();
}

void Store(LogDocument& doc, int number, const std::string& name)
{
    ObsRecord r = Record(number, name);
    if (!doc.UpdateRecord(r))
        ::_exit(2);
}

} // namespace

TEST(LogRecovery, RebuildsTheLogFromBackupHeaderAndJournal)
{
    LogDirs dirs;
    StatusLines status;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(6))));
    EditAndCrash(dirs, [](LogDocument& doc) {
        Store(doc, 5, "first edit");
        Store(doc, 5, "second edit");
        doc.Header().ListById(ObsRecordHeader::Telescopes).AddEntry("C8", 1);
        doc.WriteRecoveryHeader();
        auto added = doc.AddRecord(true);
        for (int i = 0; added && i < 5; ++i)
            added = doc.AddRecord(true);
        Store(doc, 12, "new record twelve");
    });

    LogDocument doc(dirs.program, dirs.user);
    EXPECT_TRUE(doc.IsRecovering());
    EXPECT_TRUE(status.Has("Recovery appears to have been successful")) << status.All();
    EXPECT_EQ(doc.GetTitle(), "RECOVERY.LOG");
    EXPECT_TRUE(doc.IsOpen());
    EXPECT_TRUE(doc.IsDirty());
    const auto names = Names(doc.Records());
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names.at(5), "second edit");
    EXPECT_EQ(names.at(12), "new record twelve");
    EXPECT_EQ(names.at(6), "NGC 105");
    EXPECT_EQ(doc.Header().ListById(ObsRecordHeader::Telescopes).TextForId(1), "C8");

    // Open shows it under its own name beside the log, and saving it retires the journal.
    ASSERT_TRUE(doc.Open(0));
    EXPECT_EQ(doc.GetDocPath(), dirs.File("RECOVERY.LOG"));
    ASSERT_TRUE(doc.Commit());
    EXPECT_TRUE(ReadFileBytes(dirs.File("LOGMDFY.TMP")).empty());
    EXPECT_EQ(ReadFileBytes(dirs.log), LogBytes(Records(6)));  // the original is untouched
}

TEST(LogRecovery, ReplaysEveryWholeRecordOfALongOrTornJournal)
{
    LogDirs dirs(true);
    StatusLines status;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(2))));
    EditAndCrash(dirs, [](LogDocument& doc) {
        for (int i = 0; i < 1200; ++i) {
            if (!doc.AddRecord(true))
                ::_exit(3);
            Store(doc, 3 + i, "import " + std::to_string(i));
        }
    });
    {
        LogDocument doc(dirs.program, dirs.user);
        ASSERT_EQ(doc.RecordCount(), 1202);
        EXPECT_EQ(doc.Records().back().name, "import 1199");
    }
    // Cut the last record short (the document above rotated the journal away at its end).
    std::string journal = ReadFileBytes(dirs.File("LOGMDFY.~MP"));
    ASSERT_FALSE(journal.empty());
    ASSERT_TRUE(WriteFileBytes(dirs.File("LOGMDFY.TMP"), journal.substr(0, journal.size() - 20)));
    LogDocument doc(dirs.program, dirs.user);
    EXPECT_EQ(doc.RecordCount(), 1201);
    EXPECT_TRUE(status.Has("No More Records Found"));
}

TEST(LogRecovery, RecoveryHeaderFallbacks)
{
    LogDirs dirs;
    StatusLines status;
    ObsRecordHeader header;
    header.ListById(ObsRecordHeader::Locations).AddEntry("Backyard", 1);
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogFile::Encode(header, RuravAvaviv(), Records(2), false)));
    EditAndCrash(dirs, [](LogDocument& doc) {
        doc.Header().ListById(ObsRecordHeader::Locations).AddEntry("Dark site", 2);
        Store(doc, 1, "edited");  // the journal's creation writes both recovery headers
    });
    const std::string good = ReadFileBytes(dirs.File("LOGHDR.TMP"));
    const std::string journal = ReadFileBytes(dirs.File("LOGMDFY.TMP"));

    // No "LOGHDR.TMP": the backup's header stays and the journal is replayed.
    ::unlink(dirs.File("LOGHDR.TMP").c_str());
    ::unlink(dirs.File("LOGHDR.~MP").c_str());
    {
        LogDocument doc(dirs.program, dirs.user);
        EXPECT_EQ(doc.Header().ListById(ObsRecordHeader::Locations).TextForId(1), "Backyard");
        EXPECT_EQ(doc.Header().ListById(ObsRecordHeader::Locations).TextForId(2), "");
        EXPECT_EQ(doc.Records()[0].name, "edited");
    }
    // A damaged trailing signature: the second copy is read instead.
    std::string damaged = good;
    damaged[damaged.size() - 2] ^= 1;
    ASSERT_TRUE(WriteFileBytes(dirs.File("LOGMDFY.TMP"), journal));
    ASSERT_TRUE(WriteFileBytes(dirs.File("LOGHDR.TMP"), damaged));
    ASSERT_TRUE(WriteFileBytes(dirs.File("LOGHDR.~MP"), good));
    {
        LogDocument doc(dirs.program, dirs.user);
        EXPECT_TRUE(status.Has("Bad Read of Header in Header Recovery file"));
        EXPECT_TRUE(status.Has("Attempting to read backup temp header"));
        EXPECT_EQ(doc.Header().ListById(ObsRecordHeader::Locations).TextForId(2), "Dark site");
    }
    // Both damaged: reported as a failure, but the stored records are still put back.
    ASSERT_TRUE(WriteFileBytes(dirs.File("LOGMDFY.TMP"), journal));
    ASSERT_TRUE(WriteFileBytes(dirs.File("LOGHDR.TMP"), damaged));
    ASSERT_TRUE(WriteFileBytes(dirs.File("LOGHDR.~MP"), damaged));
    LogDocument doc(dirs.program, dirs.user);
    EXPECT_TRUE(status.Has("Sorry, Unable to recover file."));
    EXPECT_EQ(doc.Records()[0].name, "edited");
}

TEST(LogRecovery, JournalWithoutItsSignature)
{
    LogDirs dirs;
    StatusLines status;
    ASSERT_TRUE(WriteFileBytes(dirs.File("LOGMDFY.TMP"), "something else entirely"));
    LogDocument doc(dirs.program, dirs.user);
    EXPECT_TRUE(status.Has("Logmdfy.tmp empty or missing header information"));
    EXPECT_EQ(doc.GetTitle(), "RECOVERY.LOG");
    EXPECT_EQ(doc.RecordCount(), 0);
}

TEST(LogRecovery, NormalCloseLeavesNoJournal)
{
    LogDirs dirs;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(2))));
    {
        LogDocument doc(dirs.program, dirs.user);
        ASSERT_TRUE(doc.Open(0, dirs.log));
        Store(doc, 2, "edited, then closed without saving");
    }
    EXPECT_TRUE(ReadFileBytes(dirs.File("LOGMDFY.TMP")).empty());
    LogDocument doc(dirs.program, dirs.user);
    EXPECT_FALSE(doc.IsRecovering());
}

// Each recovered log is worked on and crashes again before it was saved: nothing of either
// session may be lost, however many times that happens.
TEST(LogRecovery, RepeatedCrashesBeforeTheRebuiltLogIsSaved)
{
    LogDirs dirs;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(6))));
    EditAndCrash(dirs, [](LogDocument& doc) { Store(doc, 1, "edit before the first crash"); });
    for (int crash = 2; crash <= 4; ++crash) {
        ASSERT_EQ(InChild([&] {
            LogDocument doc(dirs.program, dirs.user);
            if (!doc.IsRecovering())
                return 1;
            Store(doc, crash, "edit before crash " + std::to_string(crash));
            if (!doc.AddRecord(true))
                return 2;
            Store(doc, 5 + crash, "new before crash " + std::to_string(crash));
            ::_exit(0);
        }), 0);
    }
    LogDocument doc(dirs.program, dirs.user);
    ASSERT_TRUE(doc.IsRecovering());
    const auto names = Names(doc.Records());
    ASSERT_EQ(names.size(), 9u);
    EXPECT_EQ(names.at(1), "edit before the first crash");
    for (int crash = 2; crash <= 4; ++crash) {
        EXPECT_EQ(names.at(crash), "edit before crash " + std::to_string(crash));
        EXPECT_EQ(names.at(5 + crash), "new before crash " + std::to_string(crash));
    }
    EXPECT_EQ(names.at(5), "NGC 104");
}

// A store whose journal append failed half-way (a full disk) hides none of the later ones,
// and itself goes into the journal with the next store that can be written; also when the
// torn append could not even be cut off, and a new journal is started.
TEST(LogRecovery, FailedAppendFollowedByAGoodOneThenACrash)
{
    for (const bool cutFails : {false, true}) {
        LogDirs dirs;
        StatusLines status;
        ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(4))));
        EditAndCrash(dirs, [&](LogDocument& doc) {
            Store(doc, 1, "journaled");
            fw::FailAppendsForTest(1);
            if (cutFails)
                fw::FailTruncationsForTest(1);
            Store(doc, 2, "append failed");
            Store(doc, 3, "after the failure");
        });
        LogDocument doc(dirs.program, dirs.user);
        const auto names = Names(doc.Records());
        ASSERT_EQ(names.size(), 4u) << "cut fails: " << cutFails;
        EXPECT_EQ(names.at(1), "journaled") << "cut fails: " << cutFails;
        EXPECT_EQ(names.at(2), "append failed") << "cut fails: " << cutFails;
        EXPECT_EQ(names.at(3), "after the failure") << "cut fails: " << cutFails;
    }
}

// The journal's records apply to the copy of the log they were stored on: when the backup
// copy is gone that is the log itself; with a journal of the older form (no record of its
// copy), the newest copy that reads whole.
TEST(LogRecovery, RebuildsFromTheCopyTheJournalWasKeptOn)
{
    {
        LogDirs dirs;
        ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(7))));
        EditAndCrash(dirs, [](LogDocument& doc) { Store(doc, 3, "edited"); });
        ASSERT_EQ(::unlink(dirs.File("Nights.~og").c_str()), 0);
        LogDocument doc(dirs.program, dirs.user);
        const auto names = Names(doc.Records());
        ASSERT_EQ(names.size(), 7u);
        EXPECT_EQ(names.at(3), "edited");
    }
    {
        // A save that replaced the log and was killed before it retired the journal: the
        // records marked for deletion were left out of the new log, the journal still holds
        // one of them, and the old backup copy is what the journal applies to.
        LogDirs dirs;
        ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(7))));
        EditAndCrash(dirs, [](LogDocument& doc) {
            Store(doc, 3, "edited");
            Store(doc, 6, "edited, then deleted");
        });
        std::vector<ObsRecord> saved = Records(7);
        saved[2].name = "edited";
        saved.erase(saved.begin() + 5);
        ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(saved)));
        LogDocument doc(dirs.program, dirs.user);
        const auto names = Names(doc.Records());
        ASSERT_EQ(names.size(), 7u);
        EXPECT_EQ(names.at(3), "edited");
        EXPECT_EQ(names.at(6), "edited, then deleted") << "what the save dropped is still offered";
    }
    {
        LogDirs dirs;
        StatusLines status;
        ASSERT_TRUE(WriteFileBytes(dirs.File("Nights.~og"), LogBytes(Records(7))));
        ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(8))));
        struct timespec times[2] = {{0, UTIME_NOW}, {0, UTIME_NOW}};
        times[0].tv_sec = times[1].tv_sec = 1000000000;
        times[0].tv_nsec = times[1].tv_nsec = 0;
        ASSERT_EQ(::utimensat(AT_FDCWD, dirs.File("Nights.~og").c_str(), times, 0), 0);
        fw::omstream journal;
        journal.writeString(LogJournal::kJournalSignature);
        journal.writeString(dirs.log);
        Record(2, "from an older journal").Write(journal);
        ASSERT_TRUE(WriteFileBytes(dirs.File("LOGMDFY.TMP"), journal.str()));
        LogDocument doc(dirs.program, dirs.user);
        EXPECT_TRUE(status.Has("Recovery appears to have been successful")) << status.All();
        const auto names = Names(doc.Records());
        ASSERT_EQ(names.size(), 8u);
        EXPECT_EQ(names.at(2), "from an older journal");
    }
}

// Every journal record carries a check: a damaged byte anywhere in the records ends the
// replay there and is never put back as data.
TEST(LogRecovery, DamagedJournalRecordsAreNeverApplied)
{
    LogDirs dirs;
    std::vector<ObsRecord> stored;
    for (int i = 1; i <= 3; ++i) {
        ObsRecord r = Record(i, "stored " + std::to_string(i));
        r.notes = "notes of " + std::to_string(i);
        stored.push_back(r);
    }
    LogJournal journal;
    ASSERT_TRUE(journal.Create(dirs.File("LOGMDFY.TMP"), dirs.log, LogJournal::FingerprintOf("log"), {stored[0]}));
    ASSERT_TRUE(journal.Append(stored[1]));
    ASSERT_TRUE(journal.Append(stored[2]));
    journal.Close();
    const std::string bytes = ReadFileBytes(dirs.File("LOGMDFY.TMP"));
    const LogJournal::Contents whole = LogJournal::Decode(bytes, nullptr);
    ASSERT_TRUE(whole.endedCleanly);
    ASSERT_EQ(whole.recordsRead, 3);
    EXPECT_TRUE(whole.baseKnown);
    EXPECT_EQ(whole.base, LogJournal::FingerprintOf("log"));

    for (std::size_t at = 0; at < bytes.size(); ++at)
        for (const unsigned char flip : {0x01, 0x80}) {
            std::string damaged = bytes;
            damaged[at] = static_cast<char>(damaged[at] ^ flip);
            std::size_t applied = 0;
            bool same = true;
            const LogJournal::Contents c = LogJournal::Decode(damaged, [&](const ObsRecord& r) {
                same = same && applied < stored.size() && BinaryForm(r) == BinaryForm(stored[applied]);
                ++applied;
            });
            ASSERT_TRUE(same) << "byte " << at << " damaged was applied as data";
            EXPECT_FALSE(c.endedCleanly && c.signatureOk && static_cast<std::size_t>(c.recordsRead) == 3 && c.base == whole.base &&
                         c.logPath == whole.logPath)
                << "byte " << at << " damaged went unnoticed";
        }
}

// ---- killed at any moment -------------------------------------------------------------------

namespace {

// What a record holds as the kill test follows it: its name and its telescope's text, so that
// a record whose list entry was lost shows as changed.
using Values = std::map<int, std::string>;

std::string ValueOf(const ObsRecord& r, const ObsRecordHeader& header)
{
    return r.name + "|" + header.ListById(ObsRecordHeader::Telescopes).TextForId(r.telescope);
}

Values ValuesOf(const std::vector<ObsRecord>& records, const ObsRecordHeader& header)
{
    Values values;
    for (const auto& r : records)
        values[r.number] = ValueOf(r, header);
    return values;
}

// What the child reports, one line per step, written before ("s", "c") and after ("S", "C")
// each store and save.
struct Model {
    Values stored;     // every completed store
    Values committed;  // the log file after the last completed save
    Values saving;     // what the save in progress writes
    std::set<int> marked;  // marked for deletion since the last save
    std::pair<int, std::string> pendingStore{0, ""};
    bool storing = false;
    bool committing = false;

    void Apply(const std::string& line)
    {
        std::istringstream in(line);
        char op = 0;
        in >> op;
        if (op == 's') {
            in >> pendingStore.first;
            in.get();
            std::getline(in, pendingStore.second);
            storing = true;
        } else if (op == 'S') {
            stored[pendingStore.first] = pendingStore.second;
            storing = false;
        } else if (op == 'd') {
            int n = 0;
            in >> n;
            marked.insert(n);
        } else if (op == 'c') {
            saving = stored;
            for (int n : marked)
                saving.erase(n);
            committing = true;
        } else if (op == 'C') {
            stored = committed = saving;
            marked.clear();
            committing = false;
        }
    }
    // The states a reader may find after the kill.
    std::vector<Values> Acceptable() const
    {
        std::vector<Values> states{stored};
        if (storing) {
            auto with = stored;
            with[pendingStore.first] = pendingStore.second;
            states.push_back(with);
        }
        if (committing)
            states.push_back(saving);
        return states;
    }
};

void Report(int fd, const std::string& line)
{
    const std::string l = line + "\n";
    if (::write(fd, l.data(), l.size()) < 0)
        ::_exit(5);
}

// Works on the log for ever: in the log rebuilt after the last crash when there is one (without
// saving it first), else in the log as opened. Stores edits of old records and new records,
// adds telescopes to the log's list and stores records that name them, marks some for
// deletion and saves now and then, reporting each step.
[[noreturn]] void EditForEver(const LogDirs& dirs, int fd, unsigned seed)
{
    LogDocument doc(dirs.program, dirs.user);
    if (!doc.IsRecovering() && !doc.Open(0, dirs.log))
        ::_exit(6);
    doc.SetDocPath(dirs.log);
    Report(fd, "R");
    std::mt19937 random(seed);
    const auto tag = [seed](int step) { return std::to_string(seed) + "." + std::to_string(step); };
    for (int step = 0;; ++step) {
        const int choice = static_cast<int>(random() % 20);
        if (choice < 10 && doc.RecordCount() > 0) {
            ObsRecord edit = doc.Records()[random() % doc.Records().size()];
            edit.name = "edit " + tag(step);
            Report(fd, "s " + std::to_string(edit.number) + " " + ValueOf(edit, doc.Header()));
            doc.UpdateRecord(edit);
            Report(fd, "S");
        } else if (choice < 12 && doc.RecordCount() > 0) {
            // A telescope new to the list, as the form adds it, then a record that names it.
            CBdata& scopes = doc.Header().ListById(ObsRecordHeader::Telescopes);
            ObsRecord edit = doc.Records()[random() % doc.Records().size()];
            if (scopes.Count() < 100) {
                const std::int32_t before = scopes.Count();
                scopes.AddEntry("scope " + tag(step), 0);
                if (scopes.Count() == before)
                    ::_exit(9);
                doc.ChoiceListChanged();
                edit.telescope = scopes.IdAt(scopes.Count() - 1);
            } else {
                edit.telescope = scopes.IdAt(static_cast<std::int32_t>(random() % 100));
            }
            edit.name = "scope edit " + tag(step);
            Report(fd, "s " + std::to_string(edit.number) + " " + ValueOf(edit, doc.Header()));
            doc.UpdateRecord(edit);
            Report(fd, "S");
        } else if (choice < 17 && doc.RecordCount() < 300) {
            auto added = doc.AddRecord(true);
            if (!added)
                ::_exit(7);
            added->name = "new " + tag(step);
            Report(fd, "s " + std::to_string(added->number) + " " + ValueOf(*added, doc.Header()));
            doc.UpdateRecord(*added);
            Report(fd, "S");
        } else if (choice < 19 && doc.RecordCount() > 0) {
            const std::int32_t index = static_cast<std::int32_t>(random() % doc.Records().size());
            Report(fd, "d " + std::to_string(doc.Records()[static_cast<std::size_t>(index)].number));
            doc.SetDeletionMark(index, true);
        } else if (random() % 3 == 0) {
            Report(fd, "c");
            if (!doc.Commit(true))
                ::_exit(8);
            Report(fd, "C");
        }
    }
}

// Rounds of the kill test: 200 in the suite, as many as STELLUM_KILL_ROUNDS asks for a longer run.
int KillRounds()
{
    const char* rounds = std::getenv("STELLUM_KILL_ROUNDS");
    return rounds && std::atoi(rounds) > 0 ? std::atoi(rounds) : 200;
}

void CopyFileIfThere(const std::string& from, const std::string& to)
{
    ::unlink(to.c_str());
    std::string bytes;
    if (fw::ReadWholeFile(from, bytes)) {
        ASSERT_TRUE(WriteFileBytes(to, bytes));
    }
}

} // namespace

// A process that works on the log is killed at random moments; each next process takes up the
// log as the last one left it, recovered after the crash and not saved first. Looked at from
// outside after each kill: the log file is always whole and the last save's (or the one in
// progress), and what a reopen gives holds every stored observation, unchanged, once.
TEST(LogRecovery, KilledAtAnyMomentLosesNoStoredRecord)
{
    LogDirs dirs(true);
    LogDirs check(true);  // where the state after a kill is read without disturbing it
    // No telescope yet: every record that names one names an entry the log's list holds.
    std::vector<ObsRecord> records = Records(40);
    for (ObsRecord& r : records)
        r.telescope = 0;
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(records)));
    Values state = ValuesOf(records, ObsRecordHeader());
    Values committedState = state;
    std::mt19937 random(20261210);
    const int rounds = KillRounds();
    int recovered = 0, storesSeen = 0, savesSeen = 0;
    for (int round = 0; round < rounds; ++round) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const unsigned seed = static_cast<unsigned>(random());
        const pid_t pid = ::fork();
        if (pid == 0) {
            StatusWindow = nullptr;
            ::close(fds[0]);
            EditForEver(dirs, fds[1], seed);
        }
        ::close(fds[1]);
        // Mostly killed while it edits, counted from when the log is ready; now and then while
        // it opens or rebuilds the log.
        std::string lines;
        char buffer[4096];
        if (random() % 5 != 0) {
            while (lines.find("R\n") == std::string::npos) {
                const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
                if (n <= 0)
                    break;
                lines.append(buffer, static_cast<std::size_t>(n));
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "child ended by itself with " << WEXITSTATUS(status);
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
            lines.append(buffer, static_cast<std::size_t>(n));
        ::close(fds[0]);
        Model model;
        model.stored = state;
        model.committed = committedState;
        std::istringstream in(lines);
        for (std::string line; std::getline(in, line);)
            if (!line.empty()) {
                storesSeen += line[0] == 'S';
                savesSeen += line[0] == 'C';
                model.Apply(line);
            }

        // The log file is always whole: the last save's or the one in progress.
        {
            ObsRecordHeader header;
            RuravAvaviv filter;
            std::vector<ObsRecord> onDisk;
            LogFile::Sink sink;
            sink.record = [&](std::int32_t, std::int32_t, const ObsRecord& r) { onDisk.push_back(r); };
            ASSERT_EQ(LogFile::Decode(ReadFileBytes(dirs.log), header, filter, sink).error, LogFile::Error::None)
                << "round " << round;
            const Values values = ValuesOf(onDisk, header);
            EXPECT_TRUE(values == model.committed || (model.committing && values == model.saving)) << "round " << round;
            committedState = values;
        }

        // A reopen, from a copy of the crash files (the log and its backup copy are only read).
        for (const char* name : {"LOGMDFY.TMP", "LOGHDR.TMP", "LOGHDR.~MP"})
            CopyFileIfThere(dirs.File(name), check.File(name));
        LogDocument doc(check.program, check.user);
        if (doc.IsRecovering())
            ++recovered;
        else
            ASSERT_TRUE(doc.Open(0, dirs.log)) << "round " << round;
        ASSERT_EQ(static_cast<std::size_t>(doc.RecordCount()), ValuesOf(doc.Records(), doc.Header()).size())
            << "round " << round << ": a record number twice";
        const Values values = ValuesOf(doc.Records(), doc.Header());
        const auto acceptable = model.Acceptable();
        if (std::find(acceptable.begin(), acceptable.end(), values) == acceptable.end()) {
            int lost = 0, changed = 0, extra = 0;
            for (const auto& [number, value] : model.stored) {
                const auto it = values.find(number);
                lost += it == values.end();
                changed += it != values.end() && it->second != value;
            }
            for (const auto& entry : values)
                extra += model.stored.count(entry.first) == 0;
            FAIL() << "round " << round << ": " << lost << " lost, " << changed << " changed, " << extra
                   << " not stored";
        }
        state = values;
    }
    EXPECT_GT(recovered, 0);
    std::printf("killed %d times: %d reopens rebuilt the log after the crash, %d stores and %d saves completed\n",
                rounds, recovered, storesSeen, savesSeen);
}
