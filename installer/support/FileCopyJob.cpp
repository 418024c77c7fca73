#include "installer/support/FileCopyJob.h"

#include "framework/sys/WinRoot.h"
#include "installer/support/FilePath.h"
#include "installer/support/MessageLoop.h"
#include "installer/support/OsInfo.h"

#include <vector>

namespace kw {

bool DefaultProgressSink::Progress(int)
{
    MessageLoop::Instance().Pump(true);
    return !(cancel_ && *cancel_);
}

int CopyPolicy::Decide(int code, int compareAnswer)
{
    int newRank, installedRank;
    switch (compareAnswer) {
    case 1: newRank = 2, installedRank = 1; break;
    case 0: newRank = 1, installedRank = 1; break;
    case -1: newRank = 1, installedRank = 2; break;
    default: return kCannotTell;
    }
    bool copy = false;
    switch (code) {
    case kCopyIfOlder: copy = newRank < installedRank; break;
    case kCopyIfOlderOrSame: copy = newRank <= installedRank; break;
    case kCopyIfNewer: copy = newRank > installedRank; break;
    case kCopyIfNewerOrSame: copy = newRank >= installedRank; break;
    case kCopyIfSame: copy = newRank == installedRank; break;
    case kCopyIfDifferent: copy = newRank != installedRank; break;
    default: return kCannotTell;
    }
    return copy ? kCopy : kKeep;
}

FileCopyJob::~FileCopyJob() = default;

template <typename T>
static void Attach(FileCopyJob* job, std::unique_ptr<T>& slot, std::unique_ptr<T> part)
{
    slot = std::move(part);
    if (slot) slot->SetJob(job);
}

void FileCopyJob::AttachSource(std::unique_ptr<CopySource> s) { Attach(this, source_, std::move(s)); }
void FileCopyJob::AttachTarget(std::unique_ptr<CopyTarget> t) { Attach(this, target_, std::move(t)); }
void FileCopyJob::AttachPolicy(std::unique_ptr<CopyPolicy> p) { Attach(this, policy_, std::move(p)); }
void FileCopyJob::AttachSink(std::unique_ptr<ProgressSink> s) { Attach(this, sink_, std::move(s)); }
void FileCopyJob::AttachHook(std::unique_ptr<CompletionHook> h) { Attach(this, hook_, std::move(h)); }

bool FileCopyJob::TakeTimestampFrom(const char* path) { return GetFileTimestamp(path, timestamp); }

int FileCopyJob::EvaluatePolicy() { return policy_ ? policy_->Evaluate() : CopyPolicy::kCopy; }

int FileCopyJob::BufferBytes()
{
    int kb = sink_ ? sink_->BufferKb() : 0;
    if (kb <= 0 || kb > 31) kb = 2;
    return kb * 1024;
}

bool FileCopyJob::Progress(int kb) { return sink_ ? sink_->Progress(kb) : true; }
void FileCopyJob::Begin()
{
    if (sink_) sink_->Begin(sizeKb);
}
void FileCopyJob::Done()
{
    if (sink_) sink_->Done();
}
void FileCopyJob::Failed()
{
    if (sink_) sink_->Failed();
}

bool FileCopyJob::Run()
{
    replacedAtRestart = false;
    auto finish = [this](int result) {
        outcome = result;
        if (result == kFailed) Failed();
        if (hook_) hook_->Completed();
        return result == kCopied || result == kKept;
    };
    switch (EvaluatePolicy()) {
    case CopyPolicy::kCopy: break;
    case CopyPolicy::kKeep: return finish(kKept);
    default: return finish(kFailed);
    }
    if (!source_ || !target_) return finish(kFailed);

    // A target in use cannot be replaced now: the new file goes beside it and replaces it at
    // the next restart.
    fw::WinRoot* root = fw::WinRoot::Current();
    bool inUse = root && root->IsInUse(target.Text());
    if (inUse) {
        if (lockedTarget != kLockedReplaceAtRestart) return finish(kFailed);
        if (!UniqueFileNameBeside(alternateTarget, target.Text(), "kwc")) return finish(kFailed);
        useAlternateTarget = true;
    }

    if (!target_->Check() || !source_->Open()) return finish(kFailed);
    if (!target_->Open()) {
        source_->Close();
        return finish(kFailed);
    }
    Begin();
    std::vector<char> buffer(static_cast<size_t>(BufferBytes()));
    int result = kCopied;
    for (;;) {
        int n = source_->Read(buffer.data(), static_cast<int>(buffer.size()));
        if (n == 0) break;
        if (n < 0 || target_->Write(buffer.data(), n) != n) {
            result = kFailed;
            break;
        }
        if (!Progress(n >> 10)) {
            result = kCancelled;
            break;
        }
    }
    source_->Close();
    if (result == kCopied && !target_->Commit()) result = kFailed;
    if (!target_->Close() && result == kCopied) result = kFailed;
    if (result == kCopied && useAlternateTarget) {
        if (RenameFileAtReboot(alternateTarget.Text(), target.Text()))
            replacedAtRestart = true;
        else
            result = kFailed;
    }
    if (result == kCopied) Done();
    return finish(result);
}

} // namespace kw
