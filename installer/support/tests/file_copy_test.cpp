// The compression library, the file copy job with its streams and policies, and the version
// stamp file.
#include "framework/gui/MessageBox.h"
#include "framework/sys/DynamicLibrary.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "installer/support/CopyPolicies.h"
#include "installer/support/CopyStreams.h"
#include "installer/support/DialogBox.h"
#include "installer/support/FilePath.h"
#include "installer/support/LanguageLibrary.h"
#include "installer/support/LzpLibrary.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/ResString.h"
#include "installer/support/lzp/LzpExports.h"
#include "installer/support/tests/InstallerRootFixture.h"
#include "framework/testsupport/Snapshot.h"
#include "framework/testsupport/TestSupport.h"

#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>
#include <random>
#include <string>

using namespace kw;

namespace {

void FindProgramDirectory()
{
    if (const char* dir = std::getenv("STELLUM_PROGRAM_DIR")) fw::DynamicLibrary::AddSearchDirectory(dir);
}

std::string Noise(size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, 0);
    for (char& c : s) c = static_cast<char>(gen() % 7 + 'a'); // compressible, not trivial
    return s;
}

std::string Pack(const std::string& data)
{
    LzpLibrary lib;
    std::string out;
    EXPECT_TRUE(lib.Load());
    EXPECT_TRUE(lib.Pack(data, out));
    return out;
}

TEST(LzpLibrary, PacksAndUnpacksWithTheSizeInTheLastFourBytes)
{
    FindProgramDirectory();
    LzpLibrary lib;
    ASSERT_TRUE(lib.Load()) << "liblzpunz2.so not found";
    for (size_t n : {size_t(0), size_t(1), size_t(5000), size_t(300000)}) {
        std::string data = Noise(n, static_cast<unsigned>(n));
        std::string packed, back;
        ASSERT_TRUE(lib.Pack(data, packed));
        ASSERT_GE(packed.size(), 20u);
        const unsigned char* t = reinterpret_cast<const unsigned char*>(packed.data() + packed.size() - 4);
        EXPECT_EQ(size_t(t[0]) | size_t(t[1]) << 8 | size_t(t[2]) << 16 | size_t(t[3]) << 24, n);
        ASSERT_TRUE(lib.Unpack(packed, back)) << n;
        EXPECT_EQ(back, data);
    }
}

TEST(LzpLibrary, DamagedInputIsRefusedAndNeverExpandedPastItsAnnouncedSize)
{
    FindProgramDirectory();
    LzpLibrary lib;
    ASSERT_TRUE(lib.Load());
    const std::string data = Noise(20000, 7);
    const std::string good = Pack(data);
    auto withByte = [&](size_t at, int delta) {
        std::string s = good;
        s[at] = static_cast<char>(s[at] + delta);
        return s;
    };
    struct Case {
        const char* what;
        std::string input;
        int error;
    } cases[] = {
        {"empty", "", LZP_ERR_TRAILER},
        {"not gzip", "PK\3\4 and something long enough to be a member", LZP_ERR_HEADER},
        {"damaged header flags", withByte(3, 0x20), LZP_ERR_HEADER},
        {"truncated stream", good.substr(0, good.size() / 2), LZP_ERR_STREAM},
        {"size one too small", withByte(good.size() - 4, -1), LZP_ERR_TRAILER},
        {"size one too large", withByte(good.size() - 4, +1), LZP_ERR_TRAILER},
        {"damaged check sum", withByte(good.size() - 8, 1), LZP_ERR_STREAM},
        {"trailing bytes", good + "xx", LZP_ERR_TRAILER},
    };
    for (const Case& c : cases) {
        std::string out;
        EXPECT_FALSE(lib.Unpack(c.input, out)) << c.what;
        EXPECT_LE(out.size(), data.size()) << c.what;
        EXPECT_EQ(lib.GetError(), c.error) << c.what;
    }
    // A damaged middle is found by the stream or by its check sum, whichever comes first.
    std::string out;
    EXPECT_FALSE(lib.Unpack(withByte(good.size() / 2, 0x55), out));
    EXPECT_NE(lib.GetError(), LZP_OK);
}

TEST(LzpLibrary, WithoutTheLibraryEveryCallAnswersMinusOne)
{
    LzpLibrary lib;
    EXPECT_FALSE(lib.Load("nosuchlib.dll"));
    char buf[4];
    EXPECT_EQ(lib.UnzRead(buf, 4), -1);
    EXPECT_EQ(lib.GetError(), -1);
    EXPECT_EQ(lib.UnzAlloc(), -1);
    EXPECT_EQ(lib.ZipClose(), -1);
    EXPECT_EQ(fw::DynamicLibrary::HostFileName("C:\\X\\LZPUNZ2.DLL"), "liblzpunz2.so");
}

TEST(VersionPair, StampTextsAndOrder)
{
    VersionPair v;
    ASSERT_TRUE(VersionPair::Parse("1.2.3.4", v));
    EXPECT_EQ(v.high, 0x00010002u);
    EXPECT_EQ(v.low, 0x00030004u);
    EXPECT_EQ(v.Format(), "1.2.3.4");
    for (const char* bad : {"1.2.3", "", "a.b.c.d", "1,2,3,4"}) EXPECT_FALSE(VersionPair::Parse(bad, v)) << bad;
    EXPECT_EQ(VersionPair::Of(1, 2, 3, 4).Compare(VersionPair::Of(1, 2, 3, 5)), -1);
    EXPECT_EQ(VersionPair::Of(2, 0, 0, 0).Compare(VersionPair::Of(1, 65535, 65535, 65535)), 1);
    EXPECT_EQ(VersionPair::Of(0, 0, 0, 0).Compare(VersionPair()), 0);
}

TEST(CopyPolicy, DecisionsForEveryCodeAndAnswer)
{
    // Rows: code; columns: compare answers 1 (new ranks above), 0, -1, 7 (cannot tell).
    const int expected[6][4] = {
        {1, 1, 0, 2}, // older
        {1, 0, 0, 2}, // older or the same
        {0, 1, 1, 2}, // newer
        {0, 0, 1, 2}, // newer or the same
        {1, 0, 1, 2}, // the same
        {0, 1, 0, 2}, // different
    };
    const int answers[4] = {1, 0, -1, 7};
    for (int code = 0; code < 6; ++code)
        for (int a = 0; a < 4; ++a)
            EXPECT_EQ(CopyPolicy::Decide(code, answers[a]), expected[code][a]) << code << " " << answers[a];
}

class FileCopy : public RootFixture {
protected:
    void SetUp() override
    {
        RootFixture::SetUp();
        FindProgramDirectory();
        fw::WinFileSystem::CreateDirectory("C:\\SRC");
        fw::WinFileSystem::CreateDirectory("C:\\APP");
    }

    // A job copying C:\SRC\<source> to C:\APP\<target>.
    std::unique_ptr<FileCopyJob> Job(std::unique_ptr<CopySource> source, const char* target = "C:\\APP\\A.DLL")
    {
        auto job = std::make_unique<FileCopyJob>();
        job->SetTarget(target);
        job->AttachSource(std::move(source));
        job->AttachTarget(std::make_unique<FileTarget>());
        return job;
    }
    std::unique_ptr<CopySource> Plain(const char* name = "C:\\SRC\\A.DLL")
    {
        return std::make_unique<FileSource>(name);
    }
    // The entries of C:\APP, "." and ".." not counted.
    static int EntriesOfApp()
    {
        fw::WinFind find;
        fw::WinFindData entry;
        int entries = 0;
        for (bool more = find.First("C:\\APP\\*.*", entry); more; more = find.Next(entry))
            if (!fw::WinFileSystem::IsDotName(entry.name)) ++entries;
        return entries;
    }
};

// A sink that records its calls and cancels after a number of chunks.
struct RecordingSink : ProgressSink {
    int chunks = 0;
    int cancelAfter = -1;
    long begun = -1;
    bool done = false, failed = false;
    int bufferKb = 4;
    int largestChunkKb = 0;
    int BufferKb() override { return bufferKb; }
    bool Progress(int kb) override
    {
        largestChunkKb = std::max(largestChunkKb, kb);
        return ++chunks != cancelAfter;
    }
    void Begin(long kb) override { begun = kb; }
    void Done() override { done = true; }
    void Failed() override { failed = true; }
};

TEST_F(FileCopy, CompressedFileArrivesByteForByteWithProgress)
{
    const std::string data = Noise(100000, 3);
    ASSERT_TRUE(Write("SRC/A.DL_", Pack(data)));
    auto job = Job(std::make_unique<DecompressingSource>(Plain("C:\\SRC\\A.DL_")));
    job->SetSourceLength(100000);
    auto sink = std::make_unique<RecordingSink>();
    RecordingSink* s = sink.get();
    job->AttachSink(std::move(sink));
    EXPECT_TRUE(job->Run());
    EXPECT_EQ(job->outcome, FileCopyJob::kCopied);
    EXPECT_EQ(Read("APP/A.DLL"), data);
    EXPECT_EQ(s->begun, 97);
    EXPECT_EQ(s->chunks, 25); // 4 KB chunks
    EXPECT_TRUE(s->done);
    EXPECT_EQ(job->Sink()->Job(), job.get());
}

TEST_F(FileCopy, FailedOrCancelledCopyLeavesTheInstalledFileAsItWas)
{
    std::string packed = Pack(Noise(50000, 4));
    packed[packed.size() - 2] ^= 1; // announced size wrong
    ASSERT_TRUE(Write("SRC/A.DL_", packed));
    ASSERT_TRUE(Write("SRC/A.DLL", Noise(50000, 5)));
    ASSERT_TRUE(Write("APP/A.DLL", "installed"));

    auto damaged = Job(std::make_unique<DecompressingSource>(Plain("C:\\SRC\\A.DL_")));
    auto sink = std::make_unique<RecordingSink>();
    RecordingSink* s = sink.get();
    damaged->AttachSink(std::move(sink));
    EXPECT_FALSE(damaged->Run());
    EXPECT_EQ(damaged->outcome, FileCopyJob::kFailed);
    EXPECT_TRUE(s->failed);

    auto cancelled = Job(Plain());
    auto cancelling = std::make_unique<RecordingSink>();
    cancelling->cancelAfter = 2;
    cancelled->AttachSink(std::move(cancelling));
    EXPECT_FALSE(cancelled->Run());
    EXPECT_EQ(cancelled->outcome, FileCopyJob::kCancelled);

    auto noLibrary = Job(std::make_unique<DecompressingSource>(Plain("C:\\SRC\\A.DL_"), "nosuchlib.dll"));
    EXPECT_FALSE(noLibrary->Run());

    EXPECT_EQ(Read("APP/A.DLL"), "installed");
    EXPECT_EQ(EntriesOfApp(), 1) << "no temporary file is left behind";
}

// An archive target writes after what the file holds; a transfer that breaks off takes back
// what it wrote (an existing archive keeps its bytes, a new one is not left half written), and
// an archive in use is not written beside itself.
TEST_F(FileCopy, ArchiveTargetAppendsAndABrokenAppendLeavesTheArchiveAsItWas)
{
    const std::string data = Noise(20000, 8);
    ASSERT_TRUE(Write("SRC/A.DLL", data));
    ASSERT_TRUE(Write("APP/OLD.ARC", "earlier"));
    PlainArchive archive;
    auto appending = [&](const char* target, int cancelAfter) {
        auto job = Job(Plain(), target);
        job->AttachTarget(std::make_unique<ArchiveTarget>());
        job->archive = &archive;
        auto sink = std::make_unique<RecordingSink>();
        sink->cancelAfter = cancelAfter;
        job->AttachSink(std::move(sink));
        return job;
    };

    auto cancelled = appending("C:\\APP\\OLD.ARC", 2);
    EXPECT_FALSE(cancelled->Run());
    EXPECT_EQ(cancelled->outcome, FileCopyJob::kCancelled);
    EXPECT_EQ(Read("APP/OLD.ARC"), "earlier");
    auto cancelledNew = appending("C:\\APP\\NEW.ARC", 2);
    EXPECT_FALSE(cancelledNew->Run());
    EXPECT_FALSE(PathExists("C:\\APP\\NEW.ARC"));

    root.SetInUse("C:\\APP\\OLD.ARC");
    auto inUse = appending("C:\\APP\\OLD.ARC", -1);
    EXPECT_FALSE(inUse->Run());
    EXPECT_EQ(Read("APP/OLD.ARC"), "earlier");
    root.Restart();

    auto copied = appending("C:\\APP\\OLD.ARC", -1);
    EXPECT_TRUE(copied->Run());
    EXPECT_TRUE(Read("APP/OLD.ARC") == "earlier" + data);
    EXPECT_EQ(EntriesOfApp(), 1) << "no temporary file is left behind";
}

TEST_F(FileCopy, TargetInUseIsReplacedAtRestart)
{
    const std::string data = Noise(9000, 6);
    ASSERT_TRUE(Write("SRC/A.DL_", Pack(data)));
    ASSERT_TRUE(Write("APP/A.DLL", "old"));
    root.SetInUse("C:\\APP\\A.DLL");
    auto job = Job(std::make_unique<DecompressingSource>(Plain("C:\\SRC\\A.DL_")));
    EXPECT_TRUE(job->Run());
    EXPECT_TRUE(job->replacedAtRestart);
    EXPECT_EQ(Read("APP/A.DLL"), "old");
    root.Restart();
    EXPECT_EQ(Read("APP/A.DLL"), data);
    EXPECT_FALSE(PathExists(job->alternateTarget.Text()));

    root.SetInUse("C:\\APP\\A.DLL");
    auto refused = Job(Plain("C:\\SRC\\A.DL_"));
    refused->lockedTarget = FileCopyJob::kLockedAskThenFail;
    fw::Responder<MessageBoxSeam> cancel([](const MessageBoxRequest&) { return 1; });
    EXPECT_FALSE(refused->Run());
    EXPECT_EQ(refused->outcome, FileCopyJob::kFailed);
}

// Sets the process's time zone for its lifetime (a POSIX rule, so that no zone data is read).
class TimeZone {
public:
    explicit TimeZone(const char* rule) : tz_(std::in_place, "TZ", rule) { tzset(); }
    ~TimeZone()
    {
        tz_.reset();
        tzset();
    }

private:
    std::optional<testsupport::ScopedEnv> tz_;
};

// The package's file time is universal time; the installed file's time is compared with it in
// that base, so the decision is the same in every time zone, and a copied file takes the
// package's time.
TEST_F(FileCopy, TimePolicyDecidesAlikeInEveryTimeZone)
{
    ASSERT_TRUE(Write("SRC/A.DLL", "new!"));
    const int64_t packaged = 1700000000; // 2023-11-14 22:13:20 UTC
    for (const char* zone : {"EST5EDT,M3.2.0,M11.1.0", "UTC0", "JST-9"}) {
        TimeZone tz(zone);
        for (int64_t offset : {-3600, 0, 3600}) {
            fw::WinFileSystem::DeleteFile("C:\\APP\\A.DLL");
            ASSERT_TRUE(Write("APP/A.DLL", "old"));
            ASSERT_TRUE(fw::WinFileSystem::SetFileTimes("C:\\APP\\A.DLL", packaged + offset, packaged + offset));
            auto job = Job(Plain());
            job->timestamp = Timestamp::FromUnixTimeUtc(packaged);
            job->timestampUtc = true;
            job->AttachPolicy(std::make_unique<TimePolicy>(CopyPolicy::kCopyIfNewer));
            EXPECT_TRUE(job->Run());
            const bool newer = offset < 0; // the installed file is an hour older
            EXPECT_EQ(job->outcome, newer ? FileCopyJob::kCopied : FileCopyJob::kKept) << zone << " " << offset;
            int64_t written = 0, accessed = 0;
            ASSERT_TRUE(fw::WinFileSystem::GetFileTimes("C:\\APP\\A.DLL", written, accessed));
            EXPECT_EQ(written, newer ? packaged : packaged + offset) << zone << ": the package's time is kept";
        }
    }
}

// A file in use: asked (Retry, then Cancel) under the asking settings, replaced at restart or
// given up as Cancel means under each; not asked under the restart-without-asking setting.
TEST_F(FileCopy, FileInUseIsAskedAboutAsItsSettingSays)
{
    struct Case {
        int locked;
        std::vector<int> answers; // 0 Retry, 1 Cancel
        size_t questions;
        bool copied;
    } cases[] = {
        {FileCopyJob::kLockedAskThenRestart, {0, 1}, 2, true},
        {FileCopyJob::kLockedReplaceAtRestart, {}, 0, true},
        {FileCopyJob::kLockedAskThenFail, {1}, 1, false},
    };
    static const ResStringEntry kTexts[] = {
        {131, "The file %s is in use."}, {132, "Close it."}, {133, "Cancel: at restart."}, {134, "Cancel: keep it."}};
    RegisterOwnStrings(kTexts, 4);
    std::vector<std::string> questions;
    for (const Case& c : cases) {
        ASSERT_TRUE(Write("SRC/A.DLL", "new!"));
        ASSERT_TRUE(Write("APP/A.DLL", "old"));
        root.Restart();
        root.SetInUse("C:\\APP\\A.DLL");
        std::vector<MessageBoxRequest> asked;
        std::vector<int> answers = c.answers;
        fw::Responder<MessageBoxSeam> answer([&](const MessageBoxRequest& r) {
            asked.push_back(r);
            const int a = answers.empty() ? 1 : answers.front();
            if (!answers.empty()) answers.erase(answers.begin());
            return a;
        });
        auto job = Job(Plain());
        job->lockedTarget = c.locked;
        EXPECT_EQ(job->Run(), c.copied) << c.locked;
        EXPECT_EQ(job->replacedAtRestart, c.copied) << c.locked;
        ASSERT_EQ(asked.size(), c.questions) << c.locked;
        if (!asked.empty()) {
            EXPECT_EQ(asked[0].text, std::string("The file C:\\APP\\A.DLL is in use.\n\nClose it. ") +
                                         (c.locked == FileCopyJob::kLockedAskThenFail ? "Cancel: keep it." : "Cancel: at restart."));
            EXPECT_EQ(asked[0].buttons.size(), 2u) << "Retry and Cancel";
            questions.push_back(asked[0].text);
        }
        EXPECT_EQ(Read("APP/A.DLL"), "old");
        root.Restart();
        EXPECT_EQ(Read("APP/A.DLL"), c.copied ? "new!" : "old") << c.locked;
        EXPECT_EQ(EntriesOfApp(), 1) << "no temporary file is left behind";
    }
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_NE(questions[0], questions[1]) << "each says what Cancel does under its setting";
}

// The deferred comparison judges the expanded file beside the target: the package's version
// given to it decides, a refused copy leaves nothing behind, and the installed file records
// the version for the next install. The copy buffer is the sink's setting.
TEST_F(FileCopy, DeferredComparisonJudgesTheExpandedFile)
{
    ASSERT_TRUE(Write("SRC/A.DL_", Pack(Noise(20000, 9))));
    ASSERT_TRUE(Write("APP/A.DLL", "old"));
    root.SetVersionBlock("C:\\APP\\A.DLL", fw::VersionBlock{0x00010002, 0, 0x00010002, 0, 0x040904E4});
    struct Case { uint32_t high; int outcome; } cases[] = {{0x00010001, FileCopyJob::kKept}, {0x00010003, FileCopyJob::kCopied}};
    for (const Case& c : cases) {
        auto job = Job(std::make_unique<DecompressingSource>(Plain("C:\\SRC\\A.DL_")));
        job->deferredComparison = true;
        job->versionHigh = c.high;
        job->AttachPolicy(std::make_unique<VersionPolicy>(CopyPolicy::kCopyIfNewer, "C:\\SRC\\A.DL_"));
        auto sink = std::make_unique<RecordingSink>();
        sink->bufferKb = 8;
        RecordingSink* s = sink.get();
        job->AttachSink(std::move(sink));
        EXPECT_TRUE(job->Run());
        EXPECT_EQ(job->outcome, c.outcome);
        fw::VersionBlock installed;
        ASSERT_TRUE(root.GetVersionBlock("C:\\APP\\A.DLL", installed));
        EXPECT_EQ(installed.fileVersionMS, c.outcome == FileCopyJob::kCopied ? c.high : 0x00010002u);
        EXPECT_EQ(Read("APP/A.DLL") == "old", c.outcome == FileCopyJob::kKept);
        EXPECT_EQ(s->largestChunkKb, 8) << "8 KB a buffer";
        EXPECT_EQ(EntriesOfApp(), 1) << "no temporary file is left behind";
    }
}

TEST_F(FileCopy, PoliciesDecideWhetherTheFileIsCopied)
{
    ASSERT_TRUE(Write("SRC/A.DLL", "new!"));
    fw::VersionBlock v12{0x00010002, 0, 0, 0, 0x040904E4};
    fw::VersionBlock v13{0x00010003, 0, 0, 0, 0x040904E4};
    enum Kind { Version, Stamp, Time, Size };
    struct Case {
        const char* what;
        Kind kind;
        int code;
        bool installed;
        const fw::VersionBlock* newVersion;
        const fw::VersionBlock* installedVersion;
        long sizeOrStamp; // size policy: new length; stamp policy: 1 to preset stamp 1.2.3.4
        int outcome;
    } cases[] = {
        {"no installed file", Size, CopyPolicy::kCopyIfNewer, false, nullptr, nullptr, 4, 0},
        {"size same, different wanted", Size, CopyPolicy::kCopyIfDifferent, true, nullptr, nullptr, 3, 1},
        {"size larger, newer wanted", Size, CopyPolicy::kCopyIfNewer, true, nullptr, nullptr, 10, 0},
        {"no versions, newer", Version, CopyPolicy::kCopyIfNewer, true, nullptr, nullptr, 0, 1},
        {"no versions, newer or same", Version, CopyPolicy::kCopyIfNewerOrSame, true, nullptr, nullptr, 0, 0},
        {"only installed has one", Version, CopyPolicy::kCopyIfNewerOrSame, true, nullptr, &v12, 0, 1},
        {"only new has one", Version, CopyPolicy::kCopyIfNewer, true, &v12, nullptr, 0, 0},
        {"newer version", Version, CopyPolicy::kCopyIfNewer, true, &v13, &v12, 0, 0},
        {"older version", Version, CopyPolicy::kCopyIfNewer, true, &v12, &v13, 0, 1},
        {"no stamp yet", Stamp, CopyPolicy::kCopyIfNewer, true, nullptr, nullptr, 0, 0},
        {"same stamp", Stamp, CopyPolicy::kCopyIfNewer, true, nullptr, nullptr, 1, 1},
        {"same time, same wanted", Time, CopyPolicy::kCopyIfSame, true, nullptr, nullptr, 0, 0},
        {"same time, newer wanted", Time, CopyPolicy::kCopyIfNewer, true, nullptr, nullptr, 0, 1},
    };
    for (const Case& c : cases) {
        fw::WinFileSystem::DeleteFile("C:\\APP\\A.DLL");
        fw::WinProfile::WriteString("C:\\APP\\KWVER.INI", kStampSection, nullptr, nullptr);
        if (c.installed) {
            ASSERT_TRUE(Write("APP/A.DLL", "old"));
        }
        root.ForgetFile("C:\\SRC\\A.DLL");
        root.ForgetFile("C:\\APP\\A.DLL");
        if (c.newVersion) root.SetVersionBlock("C:\\SRC\\A.DLL", *c.newVersion);
        if (c.installedVersion) root.SetVersionBlock("C:\\APP\\A.DLL", *c.installedVersion);
        auto job = Job(Plain());
        VersionPair stamp = VersionPair::Of(1, 2, 3, 4);
        switch (c.kind) {
        case Version: job->AttachPolicy(std::make_unique<VersionPolicy>(c.code, "C:\\SRC\\A.DLL")); break;
        case Stamp:
            if (c.sizeOrStamp) fw::WinProfile::WriteString("C:\\APP\\KWVER.INI", kStampSection, "C:\\APP\\A.DLL", "1.2.3.4");
            job->AttachPolicy(std::make_unique<StampPolicy>(c.code, "C:\\APP\\KWVER.INI", stamp));
            job->AttachHook(std::make_unique<StampWriter>("C:\\APP\\KWVER.INI", stamp));
            break;
        case Time:
            job->TakeTimestampFrom("C:\\APP\\A.DLL");
            job->AttachPolicy(std::make_unique<TimePolicy>(c.code));
            break;
        case Size: job->AttachPolicy(std::make_unique<SizePolicy>(c.code, c.sizeOrStamp)); break;
        }
        EXPECT_TRUE(job->Run()) << c.what;
        EXPECT_EQ(job->outcome, c.outcome) << c.what;
        EXPECT_EQ(Read("APP/A.DLL"), c.outcome == 0 ? "new!" : "old") << c.what;
        if (c.kind == Stamp) {
            EXPECT_EQ(fw::WinProfile::GetString("C:\\APP\\KWVER.INI", kStampSection, "C:\\APP\\A.DLL", ""), "1.2.3.4");
        }
    }
}

TEST_F(FileCopy, VersionConflictIsAskedAndSharedFilesAreCounted)
{
    ASSERT_TRUE(Write("SRC/A.DLL", "new!"));
    ASSERT_TRUE(Write("APP/A.DLL", "old"));
    root.SetVersionBlock("C:\\SRC\\A.DLL", fw::VersionBlock{0x00010003, 0, 0, 0, 0x040904E4});
    root.SetVersionBlock("C:\\APP\\A.DLL", fw::VersionBlock{0x00010002, 0, 0, 0, 0x040704E4});
    std::vector<std::string> counted;
    auto job = Job(Plain());
    job->AttachPolicy(std::make_unique<VersionPolicy>(CopyPolicy::kCopyIfSame, "C:\\SRC\\A.DLL"));
    job->AttachHook(std::make_unique<SharedFileReference>([&](const char* p) {
        counted.push_back(p);
        return true;
    }));

    VersionConflict seen;
    {
        fw::Responder<VersionConflictSeam> answer([&](const VersionConflict& c, std::string& path) {
            seen = c;
            path = "C:\\APP\\B.DLL";
            return 0;
        });
        EXPECT_TRUE(job->Run());
    }
    EXPECT_EQ(seen.newFile.language, 0x0409u);
    EXPECT_EQ(seen.installedFile.language, 0x0407u);
    EXPECT_EQ(seen.newFile.version.Format(), "1.3.0.0");
    EXPECT_EQ(Read("APP/B.DLL"), "new!");
    EXPECT_EQ(Read("APP/A.DLL"), "old");
    EXPECT_EQ(counted, std::vector<std::string>{"C:\\APP\\B.DLL"});

    job->SetTarget("C:\\APP\\A.DLL");
    fw::Responder<VersionConflictSeam> keep([](const VersionConflict&, std::string&) { return -1; });
    EXPECT_TRUE(job->Run());
    EXPECT_EQ(job->outcome, FileCopyJob::kKept);
    EXPECT_EQ(counted.size(), 2u);
}

} // namespace

namespace {

TEST_F(FileCopy, VersionConflictDialogShowsBothFilesAndTakesTheEditedPath)
{
    ASSERT_TRUE(Write("SRC/A.DLL", "new!"));
    ASSERT_TRUE(Write("APP/A.DLL", "old"));
    fw::VersionBlock newer{0x00020000, 0x00030004, 0, 0, 0x040904E4};
    newer.fileOS = 7;
    newer.fileType = 2;
    fw::VersionBlock installed{0x00010000, 0, 0, 0, 0x040904E4};
    installed.fileOS = 1;
    installed.fileType = 1;
    root.SetVersionBlock("C:\\SRC\\A.DLL", newer);
    root.SetVersionBlock("C:\\APP\\A.DLL", installed);
    // The question's dialog comes from the delivered English package.
    const char* dir = std::getenv("STELLUM_PROGRAM_DIR");
    ASSERT_TRUE(dir);
    ASSERT_TRUE(Write("SRC/kwenu.dll", testsupport::ReadFileBytes(std::string(dir) + "/kwenu.dll")));
    ASSERT_TRUE(LanguageLibrary::Instance().LoadFile("C:\\SRC\\kwenu.dll"));
    struct Case {
        int command;
        int outcome;
        const char* written;
    } cases[] = {{kCmdOk, FileCopyJob::kCopied, "APP/C.DLL"}, {kCmdCancel, FileCopyJob::kKept, nullptr}};
    for (const Case& c : cases) {
        auto job = Job(Plain());
        // OK ranks the files the same, Cancel ranks the installed one above.
        job->AttachPolicy(std::make_unique<VersionPolicy>(CopyPolicy::kCopyIfNewerOrSame, "C:\\SRC\\A.DLL"));
        std::map<int, std::string> shown;
        fw::Responder<DialogSeam> drive([&](Dialog& d, const std::string& name) {
            EXPECT_EQ(name, "DLGAOW");
            for (int id = 101; id <= 112; ++id) shown[id] = d.ItemText(id);
            testsupport::SaveDialogSnapshot(*d.Window(), "kw_version_conflict.png");
            d.SetItemText(107, "C:\\APP\\C.DLL");
            d.Command(kCmdHelpContext);
            EXPECT_EQ(d.WindowWord0(), 13);
            d.Command(c.command);
            return 99;
        });
        EXPECT_TRUE(job->Run());
        EXPECT_EQ(job->outcome, c.outcome);
        EXPECT_EQ(shown[101], "C:\\SRC\\A.DLL");
        EXPECT_EQ(shown[107], "C:\\APP\\A.DLL");
        EXPECT_EQ(shown[106], "2.0.3.4");
        EXPECT_EQ(shown[112], "1.0.0.0");
        EXPECT_EQ(shown[104], "English (United States)");
        EXPECT_EQ(shown[105], "4e4");
        EXPECT_EQ(shown[102], OsKindText(7));
        EXPECT_EQ(shown[108], OsKindText(1));
        EXPECT_EQ(shown[103], FileTypeText(2));
        if (c.written) {
            EXPECT_EQ(Read(c.written), "new!");
        }
        EXPECT_EQ(Read("APP/A.DLL"), "old");
    }
}

} // namespace
