// The log document's construction (the default list set and filter, then a look for a crash
// journal), its status reports, names and properties, and adding and finding records.
#include "obslog/LogDocument.h"

#include "framework/stream/StateReset.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/AppendFile.h"
#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

#include <algorithm>
#include <new>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

const char* const LogDocument::kDocumentName = "Obslog Document";
const char* const LogDocument::kRecoveryTitle = "RECOVERY.LOG";
namespace {

bool gThrowInNextConstruction = false;
const fw::StateReset resetThrow{[] { gThrowInNextConstruction = false; }};

} // namespace

void LogDocument::ThrowInNextConstructionForTest() { gThrowInNextConstruction = true; }

// ---- construction ---------------------------------------------------------------------------

LogDocument::LogDocument(const std::string& programDir, const std::string& userDir)
    : programDir_(fw::WithTrailingSlash(programDir.empty() ? ProgramDirectory : programDir)),
      userDir_(fw::WithTrailingSlash(userDir.empty() ? UserDirectory : userDir))
{
    try {
        for (int row = 0; row < kCatalogueRows; ++row)
            ClearLogEntryBit(row);
        defaultHeaderPath_ = userDir_ + "DEFAULT.HDR";
        defaultFilterPath_ = userDir_ + "DEFAULT.FLT";
        journalPath_ = programDir_ + "LOGMDFY.TMP";
        oldJournalPath_ = programDir_ + "LOGMDFY.~MP";
        recoveryHeaderPath_ = programDir_ + "LOGHDR.TMP";
        oldRecoveryHeaderPath_ = programDir_ + "LOGHDR.~MP";
        // A save killed mid-write leaves its temporary beside the file; it goes before the
        // files are read.
        for (const std::string* path :
             {&defaultHeaderPath_, &defaultFilterPath_, &journalPath_, &recoveryHeaderPath_, &oldRecoveryHeaderPath_})
            fw::RemoveStaleTemporaries(*path);

        char cwd[4096];
        ReportProgress(std::string("Document Directory = ") + (::getcwd(cwd, sizeof cwd) ? cwd : ""), CaptionAndLine);
        ReportProgress("Attempting to open DEFAULT.HDR", CaptionAndLine);
        try {
            std::string bytes;
            if (!fw::ReadWholeFile(defaultHeaderPath_, bytes)) {
                ReportProgress("DEFAULT.HDR file not found", CaptionAndLine);
            } else {
                ReportProgress("DEFAULT.HDR file found", CaptionAndLine);
                ObsRecordHeader read;
                fw::imstream in(bytes);
                read.Read(in);
                bool ok = read.Version() == ObsRecordHeader::kVersion;
                if (!ok) {
                    ReportProgress("Old Version of DEFAULT.HDR found", Pinned);
                    ReportProgress("   Converting...", Pinned);
                    read = ObsRecordHeader();
                    std::istringstream text(bytes);
                    read.ReadTagged(text);
                    ok = read.Valid() == 1;
                }
                if (ok) {
                    defaultHeader_ = read;
                    ReportProgress("DEFAULT.HDR read OK", CaptionAndLine);
                } else {
                    ReportProgress("DEFAULT.HDR not valid", Pinned);
                }
            }
        } catch (const std::bad_alloc&) {
            ReportProgress("Insufficient memory to read DEFAULT.HDR", CaptionAndLine);
        }
        header_ = defaultHeader_;

        try {
            std::string bytes;
            if (!fw::ReadWholeFile(defaultFilterPath_, bytes)) {
                ReportProgress("DEFAULT.FLT file not found", CaptionAndLine);
            } else {
                RuravAvaviv read;
                fw::imstream in(bytes);
                read.Read(in);
                if (read.valid != 1) {
                    ReportProgress("DEFAULT.FLT possible old version", Pinned);
                    ReportProgress("    Converting...", Pinned);
                    read = RuravAvaviv();
                    std::istringstream text(bytes);
                    read.ReadText(text);
                }
                if (read.valid != 1) {
                    ReportProgress("DEFAULT.FLT bad read", Pinned);
                    ReportProgress("    Fixing...", Pinned);
                } else {
                    filter_ = read;
                    filter_.active = 0;
                    ReportProgress("DEFAULT.FLT read OK", CaptionAndLine);
                }
            }
        } catch (const std::bad_alloc&) {
            ReportProgress("Non Fatal Error initializing DEFAULT.FLT stream", Pinned);
        }

        if (gThrowInNextConstruction) {
            gThrowInNextConstruction = false;
            throw std::runtime_error("construction failed for a test");
        }
        CheckJournal();
        ReportProgress("Document initialization complete", CaptionAndLine);
    } catch (...) {
        fw::MessageBox(nullptr, "Exception in Log Constructor", "", fw::MB_OK | fw::MB_ICONSTOP);
    }
}

LogDocument::~LogDocument()
{
    journal_.Close();
    records_.clear();
    RotateCrashFiles();
}

// ---- status ---------------------------------------------------------------------------------

void LogDocument::ReportProgress(const std::string& text, int mode, int value)
{
    const bool line = mode != GaugeThenHide && (mode != LineOnly || value == -1);
    if (line)
        statusText_ = text;
    TStatusDlg* status = StatusWindow;
    if (!status)
        return;
    switch (mode) {
    case CaptionAndLine:
    case Pinned:
        status->ShowAndActivate();
        status->SetCaption(text);
        status->Message(text);
        if (value >= 0)
            status->SetGauge(static_cast<std::uint32_t>(value));
        if (mode == Pinned)
            status->SetKeepOpen(true);
        break;
    case GaugeThenHide:
        if (value >= 0)
            status->SetGauge(static_cast<std::uint32_t>(value));
        status->HideUnlessPinned();
        break;
    default:
        if (value == -1)
            status->Message(text, false);
        else
            status->SetGauge(static_cast<std::uint32_t>(value));
        break;
    }
}

void LogDocument::Abort(const std::string& text)
{
    ReportProgress(text, CaptionAndLine);
    ReportProgress("ABORTING", Pinned, 100);
}

// ---- names ----------------------------------------------------------------------------------

bool LogDocument::BackupFileName(const std::string& path)
{
    static const std::regex base("[^.]+");
    fullPath_ = path.empty() ? GetDocPath() : path;
    const auto slash = fullPath_.find_last_of('/');
    directory_ = slash == std::string::npos ? std::string() : fullPath_.substr(0, slash + 1);
    fileName_ = slash == std::string::npos ? fullPath_ : fullPath_.substr(slash + 1);
    std::smatch match;
    baseName_ = std::regex_search(fileName_, match, base) ? match.str() : std::string();
    const auto dot = fileName_.find_last_of('.');
    extension_ = dot == std::string::npos ? std::string() : fileName_.substr(dot);
    backupName_ = directory_ + baseName_ + ".~og";
    return true;
}
// ---- properties -----------------------------------------------------------------------------

int LogDocument::FindProperty(const std::string& name)
{
    return name == "Document Name" ? DocumentName : fw::FileDocument::FindProperty(name);
}

int LogDocument::PropertyFlags(int index)
{
    return index == DocumentName ? fw::pfGetText | fw::pfConstant : fw::FileDocument::PropertyFlags(index);
}

std::string LogDocument::PropertyName(int index)
{
    return index == DocumentName ? "Document Name" : fw::FileDocument::PropertyName(index);
}

int LogDocument::GetProperty(int index, char* buffer, int size)
{
    if (index == DocumentName)
        return CopyPropertyText(kDocumentName, buffer, size);
    return fw::FileDocument::GetProperty(index, buffer, size);
}

bool LogDocument::SetProperty(int index, const std::string& value)
{
    return fw::FileDocument::SetProperty(index, value);
}

// ---- records --------------------------------------------------------------------------------

std::int32_t LogDocument::IndexOf(std::int32_t number) const
{
    ObsRecord key;
    key.number = number;
    const auto it = std::lower_bound(records_.begin(), records_.end(), key);
    if (it == records_.end() || it->number != number)
        return -1;
    return static_cast<std::int32_t>(it - records_.begin());
}

bool LogDocument::Matches(std::int32_t index) { return filter_.Match(records_[static_cast<std::size_t>(index)]); }

bool LogDocument::ApplyRecord(const ObsRecord& record, bool report)
{
    if (!record.IsValid())
        return false;
    const auto it = std::lower_bound(records_.begin(), records_.end(), record);
    if (it == records_.end() || it->number != record.number) {
        records_.insert(it, record);
        if (report)
            ReportProgress("Adding New Record No." + std::to_string(record.number), CaptionAndLine);
    } else {
        *it = record;
        SetDirty(true);
        if (report)
            ReportProgress("Modified Record No." + std::to_string(record.number), CaptionAndLine);
    }
    return true;
}

std::int32_t LogDocument::HighestRecordNumber() const { return records_.empty() ? 0 : records_.back().number; }

bool LogDocument::SetDeletionMark(std::int32_t index, bool marked)
{
    if (index < 0 || index >= RecordCount())
        return false;
    records_[static_cast<std::size_t>(index)].SetDeletionMark(marked);
    SetDirty(true);
    return true;
}
std::optional<ObsRecord> LogDocument::AddRecord(bool go)
{
    openState_ = 1;
    if (RecordCount() >= kMaxRecords) {
        ReportProgress("At Windows 16-bit Memory Limitation", CaptionAndLine);
        ReportProgress(std::to_string(kMaxRecords) + " Record Limit: save and open new log", CaptionAndLine);
        return std::nullopt;
    }
    ObsRecord record;
    record.number = HighestRecordNumber() + 1;
    record.crossRef = -1;
    record.name = "New Entry...";
    records_.push_back(record);
    newRecordPending_ = true;
    SetDirty(true);
    if (go)
        GoToRecord(record);
    return record;
}
