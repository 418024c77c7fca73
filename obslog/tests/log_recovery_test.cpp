#include "obslog/tests/LogTestSupport.h"

#include "obslog/LogJournal.h"

#include "framework/stream/PStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <csignal>
#include <fcntl.h>
#include <map>
#include <random>
#include <set>
#include <sstream>
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

// ---- killed at any moment -------------------------------------------------------------------

namespace {

// What the child reports, one line per step, written before ("s", "c") and after ("S", "C")
// each store and save.
struct Model {
    std::map<int, std::string> stored;      // every completed store
    std::map<int, std::string> committed;   // the log file after the last completed save
    std::map<int, std::string> saving;      // what the save in progress writes
    std::set<int> marked;                   // marked for deletion since the last save
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
        } else if (op == 'R') {
        } else if (op == 'C') {
            stored = committed = saving;
            marked.clear();
            committing = false;
        }
    }
    // The states a reader may find after the kill.
    std::vector<std::map<int, std::string>> Acceptable() const
    {
        std::vector<std::map<int, std::string>> states{stored};
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

// Edits the log for ever: stores edits of old records and new records, marks some for
// deletion and saves now and then, reporting each step.
[[noreturn]] void EditForEver(const LogDirs& dirs, int fd, unsigned seed)
{
    LogDocument doc(dirs.program, dirs.user);
    if (!doc.Open(0, dirs.log))
        ::_exit(6);
    doc.SetDocPath(dirs.log);
    Report(fd, "R");
    std::mt19937 random(seed);
    for (int step = 0;; ++step) {
        const int choice = static_cast<int>(random() % 20);
        if (choice < 12 && doc.RecordCount() > 0) {
            const ObsRecord& target = doc.Records()[random() % doc.Records().size()];
            ObsRecord edit = target;
            edit.name = "edit " + std::to_string(seed) + "." + std::to_string(step);
            Report(fd, "s " + std::to_string(edit.number) + " " + edit.name);
            doc.UpdateRecord(edit);
            Report(fd, "S");
        } else if (choice < 17 && doc.RecordCount() < 300) {
            auto added = doc.AddRecord(true);
            if (!added)
                ::_exit(7);
            added->name = "new " + std::to_string(seed) + "." + std::to_string(step);
            Report(fd, "s " + std::to_string(added->number) + " " + added->name);
            doc.UpdateRecord(*added);
            Report(fd, "S");
        } else if (choice < 19 && doc.RecordCount() > 0) {
            const std::int32_t index = static_cast<std::int32_t>(random() % doc.Records().size());
            Report(fd, "d " + std::to_string(doc.Records()[static_cast<std::size_t>(index)].number));
            doc.SetDeletionMark(index, true);
        } else {
            Report(fd, "c");
            if (!doc.Commit(true))
                ::_exit(8);
            Report(fd, "C");
        }
    }
}

} // namespace

TEST(LogRecovery, KilledAtAnyMomentLosesNoStoredRecord)
{
    LogDirs dirs(true);
    ASSERT_TRUE(WriteFileBytes(dirs.log, LogBytes(Records(40))));
    std::map<int, std::string> state = Names(Records(40));
    std::mt19937 random(20261210);
    int recovered = 0;
    for (int round = 0; round < 200; ++round) {
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
        // Mostly killed while it edits, counted from when the log is open; now and then while
        // it opens the log.
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
        model.stored = model.committed = state;
        std::istringstream in(lines);
        for (std::string line; std::getline(in, line);)
            if (!line.empty())
                model.Apply(line);

        // The log file is always whole: the last save's or the one in progress.
        {
            ObsRecordHeader header;
            RuravAvaviv filter;
            std::vector<ObsRecord> onDisk;
            LogFile::Sink sink;
            sink.record = [&](std::int32_t, std::int32_t, const ObsRecord& r) { onDisk.push_back(r); };
            ASSERT_EQ(LogFile::Decode(ReadFileBytes(dirs.log), header, filter, sink).error, LogFile::Error::None)
                << "round " << round;
            const auto names = Names(onDisk);
            EXPECT_TRUE(names == model.committed || (model.committing && names == model.saving)) << "round " << round;
        }

        LogDocument doc(dirs.program, dirs.user);
        if (doc.IsRecovering())
            ++recovered;
        else
            ASSERT_TRUE(doc.Open(0, dirs.log)) << "round " << round;
        const auto names = Names(doc.Records());
        const auto acceptable = model.Acceptable();
        ASSERT_TRUE(std::find(acceptable.begin(), acceptable.end(), names) != acceptable.end())
            << "round " << round << ": " << names.size() << " records, expected " << model.stored.size();
        // Start the next round from this state, saved.
        state = names;
        doc.SetDocPath(dirs.log);
        ASSERT_TRUE(doc.Commit(true)) << "round " << round;
    }
    EXPECT_GT(recovered, 0);
    std::printf("killed 200 times, %d recoveries from the journal\n", recovered);
}
