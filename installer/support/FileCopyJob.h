// One file transfer of the installer: the record naming source and target, with the parts
// attached to it (source stream, policy, target stream, progress sink, completion hook), each
// holding a pointer back to the job. The job owns what is attached to it.
#pragma once

#include "installer/support/PathBuffer.h"
#include "installer/support/Timestamp.h"

#include <memory>

namespace kw {

class FileCopyJob;
class CopyArchive;

// What every attachment has: the job it is attached to.
class CopyAttachment {
public:
    virtual ~CopyAttachment() = default;
    FileCopyJob* Job() const { return job_; }
    void SetJob(FileCopyJob* job) { job_ = job; }

private:
    FileCopyJob* job_ = nullptr;
};

class CopySource : public CopyAttachment {
public:
    virtual bool Open() = 0;
    virtual bool Close() = 0;
    // The count read, 0 at the end, -1 on an error.
    virtual int Read(void* buffer, int n) = 0;
};

class CopyTarget : public CopyAttachment {
public:
    virtual bool Open() = 0;
    virtual bool Close() = 0;
    virtual int Write(const void* buffer, int n) = 0; // the count written, -1 on an error
    virtual bool Commit() = 0;                        // after a complete transfer
    virtual bool Check() = 0;                         // before copying
    // An appending target keeps what the file held and writes after it: the copy step then
    // records the file as extended rather than replaced. FormerLength: the length the file had
    // when the target opened it, -1 when the target made the file (or does not append).
    virtual bool Appends() const { return false; }
    virtual long FormerLength() const { return -1; }
};

class ProgressSink : public CopyAttachment {
public:
    virtual int BufferKb() = 0;       // copy buffer in KB; 0 or more than 31 means 2 KB
    virtual bool Progress(int kb) = 0; // after each chunk; false cancels
    virtual void Begin(long sizeKb) = 0;
    virtual void Done() = 0;
    virtual void Failed() = 0;
};

// The installer's usual sink: keeps the windows alive on each chunk and cancels once the flag
// it watches is set.
class DefaultProgressSink : public ProgressSink {
public:
    explicit DefaultProgressSink(const bool* cancelFlag = nullptr) : cancel_(cancelFlag) {}
    int BufferKb() override { return 0; }
    bool Progress(int kb) override;
    void Begin(long) override {}
    void Done() override {}
    void Failed() override {}

private:
    const bool* cancel_;
};

// Decides whether the file is copied. Compare answers 1 when the new file ranks above the
// installed one, 0 when they rank the same, -1 when the installed one ranks above, and any
// other value when it cannot tell.
class CopyPolicy : public CopyAttachment {
public:
    enum Code {
        kCopyIfOlder = 0,
        kCopyIfOlderOrSame = 1,
        kCopyIfNewer = 2,
        kCopyIfNewerOrSame = 3,
        kCopyIfSame = 4,
        kCopyIfDifferent = 5,
    };
    enum Decision { kCopy = 0, kKeep = 1, kCannotTell = 2 };

    explicit CopyPolicy(int code) : code_(code) {}
    int CodeValue() const { return code_; }
    virtual int Compare() = 0;
    // The decision for a compare answer under a comparison code.
    static int Decide(int code, int compareAnswer);
    int Evaluate() { return Decide(code_, Compare()); }

private:
    int code_;
};

// Called once the transfer ended, whatever its outcome.
class CompletionHook : public CopyAttachment {
public:
    virtual void Completed() = 0;
};

class FileCopyJob {
public:
    enum Outcome { kCopied = 0, kKept = 1, kFailed = 2, kCancelled = 3 };
    // What a transfer does with a target that cannot be written because it is in use: ask
    // (Retry or Cancel) and replace it at the next restart on Cancel; replace it at the next
    // restart without asking; ask and give up on Cancel. The file group's in-use setting 0-2.
    enum LockedTarget { kLockedAskThenRestart = 0, kLockedReplaceAtRestart = 1, kLockedAskThenFail = 2 };

    FileCopyJob() = default;
    ~FileCopyJob();
    FileCopyJob(const FileCopyJob&) = delete;
    FileCopyJob& operator=(const FileCopyJob&) = delete;

    int outcome = kCopied;
    long sizeKb = 0;
    int lockedTarget = kLockedReplaceAtRestart;
    int retryAllowed = 1;
    bool useAlternateTarget = false;
    bool replacedAtRestart = false;
    // The policy judges the new file only once it is expanded beside the target (a compressed
    // file's version can only be read then); a refused copy is deleted again.
    bool deferredComparison = false;
    PathBuffer target;
    PathBuffer alternateTarget;
    // The new file's time. A package's file time is universal time (timestampUtc); one taken
    // from a file is local. Year 0 (a new Timestamp) means the job carries no time, and the
    // installed file keeps the time of its writing.
    Timestamp timestamp;
    bool timestampUtc = false;
    // The new file's version as the package gives it (0.0.0.0: none); the installed file's
    // version block records it.
    uint32_t versionHigh = 0, versionLow = 0;
    CopyArchive* archive = nullptr; // holds the source when it is a compressed member

    // Attaching replaces (and deletes) what was attached before.
    void AttachSource(std::unique_ptr<CopySource> source);
    void AttachTarget(std::unique_ptr<CopyTarget> target);
    void AttachPolicy(std::unique_ptr<CopyPolicy> policy);
    void AttachSink(std::unique_ptr<ProgressSink> sink);
    void AttachHook(std::unique_ptr<CompletionHook> hook);
    CopySource* Source() const { return source_.get(); }
    CopyTarget* Target() const { return target_.get(); }
    CopyPolicy* Policy() const { return policy_.get(); }
    ProgressSink* Sink() const { return sink_.get(); }
    CompletionHook* Hook() const { return hook_.get(); }

    bool SetTarget(const char* path) { return target.SetText(path); }
    bool TakeTimestampFrom(const char* path);
    bool HasTimestamp() const { return timestamp.year != 0; }
    // The job's time and an existing file's last-write time as calendar times in one base.
    Timestamp TimestampOf(const char* path, bool& ok) const;
    bool HasVersion() const { return (versionHigh | versionLow) != 0; }
    // The size in KB of a source of that many bytes.
    void SetSourceLength(long bytes) { sizeKb = bytes / 1024; }

    // The policy's decision (CopyPolicy::Decision); copy when none is attached.
    int EvaluatePolicy();

    // Calls to the sink; skipped (Progress answering true) when none is attached.
    int BufferBytes();
    bool Progress(int kb);
    void Begin();
    void Done();
    void Failed();

    // The transfer: the policy, then source to target chunk by chunk with progress, commit,
    // the job's time and version given to the written file, and the completion hook. A
    // deferred comparison, or a target in use, writes the new file beside the target first;
    // a target in use is then handled as lockedTarget says. Answers whether the outcome is
    // copied or kept; a failed or cancelled transfer leaves the installed file as it was.
    bool Run();

private:
    // The file written beside the target takes its place: now, or at the next restart when the
    // target is in use. A copy or kept outcome.
    int PlaceAlternate();
    // Asks whether to try again while the target is in use (language strings 131-134).
    bool AskRetryInUse() const;
    // The job's time and version given to the file just written.
    bool StampWritten(const char* path) const;

    std::unique_ptr<CopySource> source_;
    std::unique_ptr<CopyTarget> target_;
    std::unique_ptr<CopyPolicy> policy_;
    std::unique_ptr<ProgressSink> sink_;
    std::unique_ptr<CompletionHook> hook_;
};

} // namespace kw
