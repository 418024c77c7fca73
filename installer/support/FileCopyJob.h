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
    // What a transfer does with a target that cannot be written because it is in use.
    enum LockedTarget { kLockedFails = 0, kLockedReplaceAtRestart = 1 };

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
    PathBuffer target;
    PathBuffer alternateTarget;
    Timestamp timestamp;
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
    // and the completion hook. A target in use is written beside it and scheduled to replace
    // it at the next restart when lockedTarget allows. Answers whether the outcome is copied
    // or kept; a failed or cancelled transfer leaves the installed file as it was.
    bool Run();

private:
    std::unique_ptr<CopySource> source_;
    std::unique_ptr<CopyTarget> target_;
    std::unique_ptr<CopyPolicy> policy_;
    std::unique_ptr<ProgressSink> sink_;
    std::unique_ptr<CompletionHook> hook_;
};

} // namespace kw
