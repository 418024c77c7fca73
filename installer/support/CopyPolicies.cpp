#include "installer/support/CopyPolicies.h"

#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/FilePath.h"

#include <cstdio>

namespace kw {

VersionPair VersionPair::Of(int major, int minor, int build, int revision)
{
    VersionPair v;
    v.high = uint32_t(major) << 16 | (uint32_t(minor) & 0xFFFF);
    v.low = uint32_t(build) << 16 | (uint32_t(revision) & 0xFFFF);
    return v;
}

bool VersionPair::Parse(const char* text, VersionPair& out)
{
    int a, b, c, d;
    if (!text || std::sscanf(text, "%d.%d.%d.%d", &a, &b, &c, &d) != 4) return false;
    out = Of(a, b, c, d);
    return true;
}

std::string VersionPair::Format() const
{
    char text[64];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", int(high >> 16), int(high & 0xFFFF),
                  int(low >> 16), int(low & 0xFFFF));
    return text;
}

int VersionPair::Compare(const VersionPair& o) const
{
    if (high != o.high) return high > o.high ? 1 : -1;
    if (low != o.low) return low > o.low ? 1 : -1;
    return 0;
}

namespace {
bool InstalledMissing(FileCopyJob* job) { return !job || !PathExists(job->target.Text()); }

VersionFacts FactsOf(const char* path, const VersionBlock& block)
{
    VersionFacts f;
    f.path = path;
    f.language = block.languageCodepage >> 16;
    f.codePage = block.languageCodepage & 0xFFFF;
    f.version.high = block.fileVersionMS;
    f.version.low = block.fileVersionLS;
    return f;
}
} // namespace

int VersionPolicy::Compare()
{
    FileCopyJob* job = Job();
    if (InstalledMissing(job)) return 1;
    const char* newPath = job->useAlternateTarget ? job->alternateTarget.Text() : newFile_.Text();
    WinRoot* root = WinRoot::Current();
    if (!root || !PathExists(newPath)) return 2; // no version information can be read
    VersionBlock newBlock, installedBlock;
    bool hasNew = root->GetVersionBlock(newPath, newBlock);
    bool hasInstalled = root->GetVersionBlock(job->target.Text(), installedBlock);
    if (!hasNew && !hasInstalled) return 0;
    if (!hasNew) return -1;
    if (!hasInstalled) return 1;
    if (newBlock.languageCodepage != installedBlock.languageCodepage) {
        VersionConflict conflict{FactsOf(newPath, newBlock), FactsOf(job->target.Text(), installedBlock)};
        std::string installedPath = job->target.Text();
        auto& ask = VersionConflictSeam::Current();
        if (!ask) return 2; // the question needs its window, which the caller provides
        int answer = ask(conflict, installedPath);
        if (answer == 0 && !job->target.SetText(installedPath.c_str())) return 2;
        return answer;
    }
    VersionPair n{newBlock.fileVersionMS, newBlock.fileVersionLS};
    VersionPair i{installedBlock.fileVersionMS, installedBlock.fileVersionLS};
    return n.Compare(i);
}

int StampPolicy::Compare()
{
    FileCopyJob* job = Job();
    if (InstalledMissing(job)) return 1;
    std::string text = ::WinProfile::GetString(stampFile_.Text(), kStampSection, job->target.Text(), "0.0.0.0");
    VersionPair installed;
    if (!VersionPair::Parse(text.c_str(), installed)) return 1;
    return version_.Compare(installed);
}

int TimePolicy::Compare()
{
    FileCopyJob* job = Job();
    if (InstalledMissing(job)) return 1;
    Timestamp installed;
    if (!GetFileTimestamp(job->target.Text(), installed)) return 2;
    return job->timestamp.Compare(installed);
}

int SizePolicy::Compare()
{
    FileCopyJob* job = Job();
    if (InstalledMissing(job)) return 1;
    long installed = FileLength(job->target.Text());
    if (installed < 0) return 2;
    return length_ > installed ? 1 : length_ < installed ? -1 : 0;
}

void StampWriter::Completed()
{
    FileCopyJob* job = Job();
    if (!job || job->outcome != FileCopyJob::kCopied) return;
    std::string value = version_.Format();
    ::WinProfile::WriteString(stampFile_.Text(), kStampSection, job->target.Text(), value.c_str());
}

void SharedFileReference::Completed()
{
    FileCopyJob* job = Job();
    if (!job || !increment_) return;
    if (job->outcome == FileCopyJob::kCopied || job->outcome == FileCopyJob::kKept)
        increment_(job->target.Text());
}

} // namespace kw
