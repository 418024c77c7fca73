#include "installer/support/CopyPolicies.h"

#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/DialogBox.h"
#include "installer/support/FilePath.h"
#include "installer/support/HelpFile.h"
#include "installer/support/ResString.h"

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

VersionFacts FactsOf(const char* path, const fw::VersionBlock& block)
{
    VersionFacts f;
    f.path = path;
    f.language = block.languageCodepage >> 16;
    f.codePage = block.languageCodepage & 0xFFFF;
    f.os = block.fileOS;
    f.fileType = block.fileType;
    f.version.high = block.fileVersionMS;
    f.version.low = block.fileVersionLS;
    return f;
}

class VersionConflictDialog : public Dialog {
public:
    VersionConflictDialog(const VersionConflict& c, std::string& installedPath) : c_(c), path_(installedPath) {}
    intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t) override
    {
        if (message == kMsgInitDialog) {
            SetItemText(101, c_.newFile.path);
            Fill(104, c_.newFile);
            Fill(110, c_.installedFile);
            SetItemText(107, path_);
            return 1;
        }
        if (message != kMsgCommand) return 0;
        switch (wparam) {
        case kCmdOk:
            path_ = ItemText(107);
            EndDialog(0);
            return 1;
        case kCmdCancel: EndDialog(-1); return 1;
        case kCmdHelp: HelpFile::Instance().ShowForActiveWindow(); return 1;
        case kCmdHelpContext: SetWindowWord0(13); return 1;
        default: return 0;
        }
    }

private:
    // Language, code page, system, file type and version from the first of the five ids:
    // the new file's 104, 105, 102, 103, 106; the installed file's 110, 111, 108, 109, 112.
    void Fill(int languageId, const VersionFacts& f)
    {
        bool isNew = languageId == 104;
        char codePage[16];
        std::snprintf(codePage, sizeof codePage, "%lx", static_cast<unsigned long>(f.codePage));
        SetItemText(languageId, LanguageNameOf(f.language));
        SetItemText(isNew ? 105 : 111, codePage);
        SetItemText(isNew ? 102 : 108, OsKindText(f.os));
        SetItemText(isNew ? 103 : 109, FileTypeText(f.fileType));
        SetItemText(isNew ? 106 : 112, f.version.Format());
    }
    const VersionConflict& c_;
    std::string& path_;
};
} // namespace

std::string LanguageNameOf(uint32_t language)
{
    struct Name {
        uint32_t id;
        const char* name;
    } static const names[] = {
        {0x0000, "Language Neutral"}, {0x0406, "Danish"},           {0x0407, "German (Germany)"},
        {0x0409, "English (United States)"}, {0x0809, "English (United Kingdom)"}, {0x040A, "Spanish"},
        {0x040B, "Finnish"},          {0x040C, "French (France)"},  {0x0410, "Italian (Italy)"},
        {0x0411, "Japanese"},         {0x0413, "Dutch (Netherlands)"}, {0x0414, "Norwegian (Bokmal)"},
        {0x0415, "Polish"},           {0x0419, "Russian"},          {0x041D, "Swedish"},
    };
    for (const Name& n : names)
        if (n.id == language) return n.name;
    char text[32];
    std::snprintf(text, sizeof text, "Language %04X", static_cast<unsigned>(language));
    return text;
}

std::string OsKindText(uint32_t os)
{
    switch (os) {
    case 0: return ResText(25);
    case 1: return ResText(19);
    case 2: return ResText(20);
    case 3: return ResText(21);
    case 4: return ResText(22);
    case 5: return ResText(23);
    case 7: return ResText(24);
    default: return {};
    }
}

std::string FileTypeText(uint32_t type)
{
    static const int ids[] = {25, 27, 28, 29, 30, 31, 32, 33, 34, 35, 26};
    return type <= 10 ? ResText(ids[type]) : std::string();
}

int AskVersionConflict(const VersionConflict& conflict, std::string& installedPath)
{
    VersionConflictDialog dialog(conflict, installedPath);
    int r = RunDialog(dialog, "DLGAOW");
    return r == 0 || r == -1 ? (dialog.Ended() ? r : 2) : 2;
}

int VersionPolicy::Compare()
{
    FileCopyJob* job = Job();
    if (InstalledMissing(job)) return 1;
    const char* newPath = job->useAlternateTarget ? job->alternateTarget.Text() : newFile_.Text();
    fw::WinRoot* root = fw::WinRoot::Current();
    if (!root || !PathExists(newPath)) return 2; // no version information can be read
    fw::VersionBlock newBlock, installedBlock;
    bool hasNew = root->GetVersionBlock(newPath, newBlock);
    if (!hasNew && !job->useAlternateTarget && job->HasVersion()) {
        // A packaged file carries its version in the package rather than in a version block.
        newBlock.fileVersionMS = newBlock.productVersionMS = job->versionHigh;
        newBlock.fileVersionLS = newBlock.productVersionLS = job->versionLow;
        hasNew = true;
    }
    bool hasInstalled = root->GetVersionBlock(job->target.Text(), installedBlock);
    if (!hasNew && !hasInstalled) return 0;
    if (!hasNew) return -1;
    if (!hasInstalled) return 1;
    if (newBlock.languageCodepage != installedBlock.languageCodepage || newBlock.fileOS != installedBlock.fileOS ||
        newBlock.fileType != installedBlock.fileType) {
        VersionConflict conflict{FactsOf(newPath, newBlock), FactsOf(job->target.Text(), installedBlock)};
        std::string installedPath = job->target.Text();
        auto& ask = VersionConflictSeam::Current();
        int answer = ask ? ask(conflict, installedPath) : AskVersionConflict(conflict, installedPath);
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
    std::string text = fw::WinProfile::GetString(stampFile_.Text(), kStampSection, job->target.Text(), "0.0.0.0");
    VersionPair installed;
    if (!VersionPair::Parse(text.c_str(), installed)) return 1;
    return version_.Compare(installed);
}

int TimePolicy::Compare()
{
    FileCopyJob* job = Job();
    if (InstalledMissing(job)) return 1;
    // Both times in the job's own base: a package's file time is universal time.
    bool read = false;
    const Timestamp installed = job->TimestampOf(job->target.Text(), read);
    if (!read) return 2;
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
    if (writer_) writer_(stampFile_.Text(), kStampSection, job->target.Text(), value.c_str());
    else fw::WinProfile::WriteString(stampFile_.Text(), kStampSection, job->target.Text(), value.c_str());
}

void SharedFileReference::Completed()
{
    FileCopyJob* job = Job();
    if (!job || !increment_) return;
    if (job->outcome == FileCopyJob::kCopied || job->outcome == FileCopyJob::kKept)
        increment_(job->target.Text());
}

} // namespace kw
