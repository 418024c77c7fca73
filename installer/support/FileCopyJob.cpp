#include "installer/support/FileCopyJob.h"

#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/FilePath.h"
#include "installer/support/MessageBoxDialog.h"
#include "installer/support/MessageLoop.h"
#include "installer/support/OsInfo.h"
#include "installer/support/ResString.h"

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

Timestamp FileCopyJob::TimestampOf(const char* path, bool& ok) const
{
    int64_t written = 0, accessed = 0;
    ok = fw::WinFileSystem::GetFileTimes(path, written, accessed);
    return timestampUtc ? Timestamp::FromUnixTimeUtc(written) : Timestamp::FromUnixTime(written);
}

bool FileCopyJob::StampWritten(const char* path) const
{
    if (HasTimestamp()) {
        const int64_t t = timestampUtc ? timestamp.ToUnixTimeUtc() : timestamp.ToUnixTime();
        if (!fw::WinFileSystem::SetFileTimes(path, t, t)) return false;
    }
    fw::WinRoot* root = fw::WinRoot::Current();
    if (HasVersion() && root) {
        fw::VersionBlock block;
        if (!root->GetVersionBlock(path, block)) block = fw::VersionBlock{};
        block.fileVersionMS = block.productVersionMS = versionHigh;
        block.fileVersionLS = block.productVersionLS = versionLow;
        root->SetVersionBlock(path, block);
    }
    return true;
}

bool FileCopyJob::AskRetryInUse() const
{
    // "%s\n\n%s %s": the file in use, what to do, and what Cancel does under this setting.
    auto withTarget = [this](std::string text) {
        const size_t at = text.find("%s");
        if (at != std::string::npos) text.replace(at, 2, target.Text());
        return text;
    };
    const int cancelText = lockedTarget == kLockedAskThenFail ? 134 : 133;
    MessageBoxDialog box;
    box.SetText("%s\n\n%s %s", withTarget(ResText(131)).c_str(), withTarget(ResText(132)).c_str(),
                withTarget(ResText(cancelText)).c_str());
    box.SetStandardIcon(MessageBoxDialog::kIconExclamation);
    box.SetButtons(MessageBoxDialog::kRetryCancel);
    return box.Run(target.Text()) == 0;
}

int FileCopyJob::PlaceAlternate()
{
    auto discard = [this] {
        fw::WinFileSystem::DeleteFile(alternateTarget.Text());
        useAlternateTarget = false;
    };
    if (deferredComparison) {
        // The policy judges the expanded copy (the version policy reads the alternate target).
        switch (EvaluatePolicy()) {
        case CopyPolicy::kCopy: break;
        case CopyPolicy::kKeep: discard(); return kKept;
        default: discard(); return kFailed;
        }
    }
    fw::WinRoot* root = fw::WinRoot::Current();
    for (;;) {
        if (!root || !root->IsInUse(target.Text())) {
            if (!fw::WinFileSystem::MoveFileEx(alternateTarget.Text(), target.Text(), fw::kMoveReplaceExisting)) {
                discard();
                return kFailed;
            }
            useAlternateTarget = false;
            return kCopied;
        }
        if (lockedTarget == kLockedReplaceAtRestart || !AskRetryInUse()) break;
    }
    if (lockedTarget == kLockedAskThenFail || !RenameFileAtReboot(alternateTarget.Text(), target.Text())) {
        discard();
        return kFailed;
    }
    replacedAtRestart = true;
    return kCopied;
}

bool FileCopyJob::Run()
{
    replacedAtRestart = false;
    useAlternateTarget = false;
    auto finish = [this](int result) {
        outcome = result;
        if (result == kFailed) Failed();
        if (hook_) hook_->Completed();
        return result == kCopied || result == kKept;
    };
    if (!deferredComparison) {
        switch (EvaluatePolicy()) {
        case CopyPolicy::kCopy: break;
        case CopyPolicy::kKeep: return finish(kKept);
        default: return finish(kFailed);
        }
    }
    if (!source_ || !target_) return finish(kFailed);

    // A deferred comparison, or a target in use that cannot be replaced now: the new file is
    // written beside the target first.
    fw::WinRoot* root = fw::WinRoot::Current();
    if (deferredComparison || (root && root->IsInUse(target.Text()))) {
        if (!UniqueFileNameBeside(alternateTarget, target.Text(), "tmp")) return finish(kFailed);
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
    const char* written = useAlternateTarget ? alternateTarget.Text() : target.Text();
    if (result == kCopied && !StampWritten(written)) result = kFailed;
    if (useAlternateTarget) {
        if (result == kCopied) result = PlaceAlternate();
        else fw::WinFileSystem::DeleteFile(written);
    }
    if (result == kCopied) Done();
    return finish(result);
}

} // namespace kw
