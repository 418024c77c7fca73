#include "obslog/LogDocument.h"

#include "framework/stream/StateReset.h"
#include "obslog/LogFile.h"

#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/stream/AppendFile.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/AtomicFile.h"
#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

const char* const LogDocument::kDocumentName = "Obslog Document";
const char* const LogDocument::kRecoveryTitle = "RECOVERY.LOG";

namespace {

void InvalidateHistoryStage()
{
    if (AppGlobals.database)
        AppGlobals.database->ClearStageCacheBits(NGC2000Indexes::kHistoryStage);
}

bool FileExists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// Modification time in nanoseconds; -1 when the file is not there.
long long ModifiedAt(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return -1;
    return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

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

// ---- files ----------------------------------------------------------------------------------

void LogDocument::RemoveStaleTemporariesOfLog()
{
    fw::RemoveStaleTemporaries(fullPath_);
    fw::RemoveStaleTemporaries(backupName_);
}

bool LogDocument::ReplaceFile(const std::string& path, const std::string& bytes, const std::string& what)
{
    errno = 0;
    if (fw::WriteFileReplacing(path, bytes))
        return true;
    const int error = errno;
    ReportProgress("Could not write " + what + " " + path + (error ? ": " + std::string(std::strerror(error)) : ""),
                   Pinned);
    return false;
}

bool LogDocument::ReplaceFiles(std::vector<fw::FileReplacement>& files)
{
    fw::ReplaceFiles(files);
    bool all = true;
    for (const auto& f : files)
        if (!f.replaced) {
            all = false;
            ReportProgress("Could not write " + f.path + (f.error ? ": " + std::string(std::strerror(f.error)) : ""),
                           Pinned);
        }
    return all;
}

bool LogDocument::WriteSideFiles()
{
    std::vector<fw::FileReplacement> files;
    ReportProgress("Creating Backup File :" + backupName_, CaptionAndLine);
    const std::string backup = LogFile::Encode(header_, filter_, records_, false);
    files.push_back({backupName_, backup});
    const std::string recovery = LogJournal::EncodeRecoveryHeader(header_);
    files.push_back({oldRecoveryHeaderPath_, recovery});
    files.push_back({recoveryHeaderPath_, recovery});
    const bool ok = ReplaceFiles(files);
    if (files[0].replaced)
        ReportProgress("Backup file complete", CaptionAndLine);
    return ok;
}

bool LogDocument::ReadLog(const std::string& path)
{
    ReportProgress("Opening " + path, CaptionAndLine, 0);
    records_.clear();
    std::string bytes;
    if (!fw::ReadWholeFile(path, bytes)) {
        Abort("Error Opening Log File" + path);
        return false;
    }
    lastRead_ = LogJournal::FingerprintOf(bytes);
    // Room for as many records as the file could hold, never more.
    records_.reserve(std::min<std::size_t>(bytes.size() / ObsRecord::kMinBinarySize, kMaxRecords));

    LogFile::Sink sink;
    TStatusDlg* status = StatusWindow;
    sink.count = [&](std::int32_t count, bool tagged) {
        if (tagged)
            ReportProgress("Log Has " + std::to_string(count) + " Records", LineOnly);
    };
    sink.record = [&](std::int32_t i, std::int32_t count, const ObsRecord& record) {
        if (status)
            status->StepProgress(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(count), 1);
        ApplyRecord(record, false);
    };
    ObsRecordHeader header = header_;
    const LogFile::ReadResult result = LogFile::Decode(bytes, header, filter_, sink);
    header_ = header;
    switch (result.error) {
    case LogFile::Error::Header:
        Abort("Error Reading Log Header");
        return false;
    case LogFile::Error::Filter:
        Abort("Error Reading Log Filter");
        return false;
    case LogFile::Error::Record:
        Abort("Error Reading Log Record # " + std::to_string(result.recordIndex));
        return false;
    case LogFile::Error::None:
        break;
    }
    newLog_ = false;
    SetDirty(false);
    openState_ = 1;
    filter_.active = 0;
    ApplyFilter();
    ReportProgress("Report Successfully Opened", CaptionAndLine);
    return true;
}

bool LogDocument::Open(int /*mode*/, const std::string& path)
{
    if (recovering_) {
        SetTitle(kRecoveryTitle);
        SetDocPath((directory_.empty() ? userDir_ : directory_) + kRecoveryTitle);
        return true;
    }
    if (openState_ == 1)
        return true;
    std::string source = path;
    if (source.empty()) {
        if (GetDocPath().empty())
            return false;
        source = GetDocPath();
    }
    BackupFileName(source);
    RemoveStaleTemporariesOfLog();
    if (!ReadLog(fullPath_))
        return false;
    // The backup copy and the recovery header match the log as loaded, so that a crash from
    // now on is recovered from them and the journal, which applies to the log as read.
    baseFingerprint_ = lastRead_;
    journalWhole_ = false;
    unjournaled_.clear();
    WriteSideFiles();
    ReportProgress("GOOD LOAD", GaugeThenHide, 100);
    filter_.active = 0;
    ApplyFilter();
    NavigationState();
    return true;
}

bool LogDocument::WriteBackup(const std::string& name)
{
    ReportProgress("Creating Backup File :" + name, CaptionAndLine);
    const bool ok = ReplaceFile(name, LogFile::Encode(header_, filter_, records_, false), "the backup copy");
    if (ok)
        ReportProgress("Backup file complete", CaptionAndLine);
    return ok;
}

bool LogDocument::WriteDefaultHeader()
{
    BackupFileName();
    fw::omstream out;
    defaultHeader_.Write(out);
    return ReplaceFile(defaultHeaderPath_, out.str(), "the default header");
}

bool LogDocument::WriteDefaultFilter()
{
    fw::omstream out;
    filter_.Write(out);
    return ReplaceFile(defaultFilterPath_, out.str(), "the default filter");
}

bool LogDocument::Commit(bool force)
{
    if (!IsDirty() && !force)
        return true;
    // The framework tells the views to hand over what they hold, and clears the dirty flag;
    // it is set again below when the log cannot be saved.
    if (!fw::FileDocument::Commit(force))
        return false;
    if (GetDocPath().empty()) {
        SetDirty(true);
        ReportProgress("The log has no file name to be saved under", Pinned);
        return false;
    }
    BackupFileName(GetDocPath());
    std::int32_t kept = 0;
    for (const auto& r : records_) {
        if (r.IsMarkedForDeletion())
            ReportProgress("Deleting Record", LineOnly);
        else
            ++kept;
    }
    ReportProgress("Saving " + GetDocPath(), CaptionAndLine, 0);

    // The log, and beside it what must match the saved log: the backup copy (the same bytes,
    // as the marked records leave memory with the save), the recovery header and the default
    // header and filter. All are flushed to the disk together; nothing is replaced unless the
    // log is, and the journal is retired only once the saved log is on the disk.
    const std::string bytes = LogFile::Encode(header_, filter_, records_, true);
    ObsRecordHeader saved = header_;
    saved.SetCount(kept);
    const std::string recovery = LogJournal::EncodeRecoveryHeader(saved);
    fw::omstream headerOut, filterOut;
    defaultHeader_.Write(headerOut);
    filter_.Write(filterOut);
    const std::string defaultHeader = headerOut.str(), defaultFilter = filterOut.str();
    std::vector<fw::FileReplacement> files{
        {GetDocPath(), bytes, true},
        {backupName_, bytes},
        {oldRecoveryHeaderPath_, recovery},
        {recoveryHeaderPath_, recovery},
    };
    // The default files change seldom; one that already holds these bytes is left alone.
    std::string current;
    if (!fw::ReadWholeFile(defaultHeaderPath_, current, 1 << 20) || current != defaultHeader)
        files.push_back({defaultHeaderPath_, defaultHeader});
    if (!fw::ReadWholeFile(defaultFilterPath_, current, 1 << 20) || current != defaultFilter)
        files.push_back({defaultFilterPath_, defaultFilter});
    fw::ReplaceFiles(files, [&](std::size_t index) {
        if (index == 0) {
            journal_.Close();
            RotateCrashFiles();
            // The next journal applies to the log as now saved.
            baseFingerprint_ = LogJournal::FingerprintOf(bytes);
            journalWhole_ = false;
            unjournaled_.clear();
        }
    });
    if (!files[0].replaced) {
        ReportProgress("Could not save the log to " + GetDocPath() +
                           (files[0].error ? ": " + std::string(std::strerror(files[0].error)) : ""),
                       Pinned);
        ReportProgress("The log was not saved; the file on disk is unchanged", Pinned);
        SetDirty(true);
        return false;
    }
    for (std::size_t i = 1; i < files.size(); ++i)
        if (!files[i].replaced)
            ReportProgress("Could not write " + files[i].path +
                               (files[i].error ? ": " + std::string(std::strerror(files[i].error)) : ""),
                           Pinned);
    if (files[1].replaced)
        ReportProgress("Backup file complete", CaptionAndLine);
    ReportProgress("", LineOnly, 100);

    records_.erase(std::remove_if(records_.begin(), records_.end(),
                                  [](const ObsRecord& r) { return r.IsMarkedForDeletion(); }),
                   records_.end());
    header_.SetCount(RecordCount());
    SetDirty(false);
    newLog_ = false;
    ApplyFilter();
    ClampCursor();
    NavigationState();
    if (StatusWindow)
        StatusWindow->HideUnlessPinned();
    return true;
}

bool LogDocument::Close()
{
    if (!fw::FileDocument::Close())
        return false;
    openState_ = 2;
    return true;
}

bool LogDocument::Revert(bool clear)
{
    if (!fw::FileDocument::Revert(clear))
        return false;
    if (!clear)
        Open(fw::ofRead);
    return true;
}

bool LogDocument::CanClose()
{
    NotifyViews(vnAppEvent, evLogClosing);
    return fw::FileDocument::CanClose();
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

std::int32_t LogDocument::ApplyFilter()
{
    firstFiltered_ = lastFiltered_ = filteredCount_ = 0;
    for (int row = 0; row < kCatalogueRows; ++row)
        ClearLogEntryBit(row);
    bool first = true;
    for (std::int32_t i = 0; i < RecordCount(); ++i) {
        if (!Matches(i))
            continue;
        if (first) {
            firstFiltered_ = i;
            first = false;
        }
        lastFiltered_ = i;
        ++filteredCount_;
        const std::int32_t row = records_[static_cast<std::size_t>(i)].crossRef;
        if (row >= 0)
            SetLogEntryBit(row);
    }
    return filteredCount_;
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

void LogDocument::RemarkRow(std::int32_t row)
{
    if (row < 0)
        return;
    // The mark stands while any record of the object passes the filter.
    for (std::int32_t i = 0; i < RecordCount(); ++i)
        if (records_[static_cast<std::size_t>(i)].crossRef == row && Matches(i)) {
            SetLogEntryBit(row);
            return;
        }
    ClearLogEntryBit(row);
}

bool LogDocument::UpdateRecord(const ObsRecord& record)
{
    const std::int32_t index = IndexOf(record.number);
    if (index < 0) {
        NotifyViews(vnLogRecordChanged, 1);
        return false;
    }
    const NavState before = nav_;
    ObsRecord& stored = records_[static_cast<std::size_t>(index)];
    const ObsRecord old = stored;
    const std::int32_t notedRow = NGC2000Indexes::RowIndex(NGC2000Indexes::ParseObjectName(old.name));
    stored = record;
    SetDirty(true);

    JournalRecord(record);

    const auto remark = [&] {
        RemarkRow(old.crossRef);
        RemarkRow(notedRow);
        RemarkRow(record.crossRef);
    };

    if (index == RecordCount() - 1 && newRecordPending_) {
        newRecordPending_ = false;
        if (filter_.active && Matches(index)) {
            if (filteredCount_ == 0)
                firstFiltered_ = index;
            ++filteredCount_;
            position_ = filteredCount_;
            lastFiltered_ = index;
        }
        remark();
        return true;
    }
    remark();
    if (!filter_.active || Matches(index))
        return true;

    // The record has left the filtered set: move the cursor to a record that is still in it.
    switch (before) {
    case NoRecord:
    case OneRecord:
        filter_.active = 0;
        ApplyFilter();
        MovePrevious();
        break;
    case AtFirst: {
        --filteredCount_;
        std::int32_t next = current_ + 1;
        while (next < RecordCount() && !Matches(next))
            ++next;
        firstFiltered_ = std::min(next, RecordCount() - 1);
        MoveNext();
        position_ = 1;
        break;
    }
    case InBetween:
        --filteredCount_;
        MovePrevious();
        break;
    case AtLast: {
        --filteredCount_;
        std::int32_t previous = current_ - 1;
        while (previous > 0 && !Matches(previous))
            --previous;
        lastFiltered_ = std::max(previous, 0);
        MovePrevious();
        position_ = filteredCount_;
        break;
    }
    }
    ClampCursor();
    NavigationState();
    if (current_ < RecordCount())
        currentRecord_ = records_[static_cast<std::size_t>(current_)];
    NotifyViews(vnLogRecordChanged, 1);
    return true;
}

bool LogDocument::JournalRecord(const ObsRecord& record)
{
    std::vector<ObsRecord> due;
    for (const std::int32_t number : unjournaled_) {
        const std::int32_t index = IndexOf(number);
        if (index >= 0 && number != record.number)
            due.push_back(records_[static_cast<std::size_t>(index)]);
    }
    due.push_back(record);
    bool ok = true;
    if (!journal_.IsOpen()) {
        ok = StartJournal(due);
    } else {
        for (const ObsRecord& r : due)
            if (!journal_.Append(r)) {
                ok = false;
                break;
            }
        if (!ok) {
            if (!journal_.IsOpen())
                journalWhole_ = true;  // the journal could not be cut back: a whole new one
            ReportProgress("Unable to write to LOGMDFY.TMP: save the log now", Pinned);
        }
    }
    // What could not be journaled goes with the next store that can be (as it then stands).
    unjournaled_.clear();
    if (!ok)
        for (const ObsRecord& r : due)
            unjournaled_.push_back(r.number);
    return ok;
}

bool LogDocument::StartJournal(std::vector<ObsRecord> records)
{
    WriteRecoveryHeader();
    // A journal that could not be continued is replaced by one that needs no copy of the log
    // beneath it; without a log file there is no copy either.
    if (journalWhole_ || fullPath_.empty())
        records = records_;
    ReportProgress("Creating logmdfy.tmp file ", CaptionAndLine);
    if (!journal_.Create(journalPath_, fullPath_, baseFingerprint_, records)) {
        ReportProgress("Unable to create file = LOGMDFY.TMP", Pinned);
        return false;
    }
    journalWhole_ = false;
    ReportProgress("LOGMDFY.TMP Successfully Created", CaptionAndLine);
    if (StatusWindow)
        StatusWindow->HideUnlessPinned();
    return true;
}

bool LogDocument::UpdateCrossRef(ObsRecord& record)
{
    const int row = NGC2000Indexes::RowIndex(NGC2000Indexes::ParseObjectName(record.name));
    if (row < 0) {
        record.crossRef = -1;
        return false;
    }
    record.crossRef = row;
    if (filter_.Match(record))
        SetLogEntryBit(row);
    else
        ClearLogEntryBit(row);
    return true;
}

// ---- cursor ---------------------------------------------------------------------------------

void LogDocument::ClampCursor()
{
    if (current_ > RecordCount() - 1)
        current_ = RecordCount() - 1;
    if (current_ < 0)
        current_ = 0;
}

void LogDocument::MoveNext()
{
    if (!filter_.active) {
        ++current_;
    } else if (current_ < lastFiltered_) {
        std::int32_t i = current_ + 1;
        while (i < lastFiltered_ && !Matches(i))
            ++i;
        current_ = i;
        ++position_;
    }
    if (current_ > RecordCount() - 1)
        current_ = RecordCount() - 1;
}

void LogDocument::MovePrevious()
{
    if (!filter_.active) {
        --current_;
    } else if (current_ > firstFiltered_) {
        std::int32_t i = current_ - 1;
        while (i > firstFiltered_ && !Matches(i))
            --i;
        current_ = i;
        --position_;
    }
    if (current_ < 0)
        current_ = 0;
}

ObsRecord LogDocument::FirstRecord()
{
    if (filter_.active) {
        current_ = firstFiltered_;
        position_ = 1;
    } else {
        current_ = 0;
    }
    NavigationState();
    return GetCurrentRecord();
}

ObsRecord LogDocument::LastRecord()
{
    if (filter_.active) {
        current_ = lastFiltered_;
        position_ = filteredCount_;
    } else {
        current_ = RecordCount() - 1;
    }
    NavigationState();
    return GetCurrentRecord();
}

ObsRecord LogDocument::NextRecord()
{
    MoveNext();
    NavigationState();
    return GetCurrentRecord();
}

ObsRecord LogDocument::PreviousRecord()
{
    MovePrevious();
    NavigationState();
    return GetCurrentRecord();
}

ObsRecord LogDocument::GetCurrentRecord()
{
    ClampCursor();
    if (records_.empty()) {
        if (auto added = AddRecord(false))
            return *added;
        return ObsRecord();
    }
    currentRecord_ = records_[static_cast<std::size_t>(current_)];
    return currentRecord_;
}

void LogDocument::GoToRecord(const ObsRecord& record)
{
    const std::int32_t index = IndexOf(record.number);
    if (index >= 0)
        current_ = index;
    else
        MovePrevious();
    ClampCursor();
    if (!records_.empty())
        currentRecord_ = records_[static_cast<std::size_t>(current_)];
}

LogDocument::NavState LogDocument::NavigationState()
{
    if (filter_.active) {
        if (firstFiltered_ >= current_)
            nav_ = AtFirst;
        else if (current_ < lastFiltered_)
            nav_ = InBetween;
        else
            nav_ = AtLast;
        if (filteredCount_ == 1)
            nav_ = OneRecord;
        if (filteredCount_ == 0)
            nav_ = NoRecord;
    } else {
        if (current_ == 0)
            nav_ = AtFirst;
        else if (current_ == RecordCount() - 1)
            nav_ = AtLast;
        else
            nav_ = InBetween;
        if (RecordCount() == 0)
            nav_ = NoRecord;
        if (RecordCount() == 1)
            nav_ = OneRecord;
    }
    return nav_;
}

// ---- catalogue marks ------------------------------------------------------------------------

bool LogDocument::SetLogEntryBit(int row)
{
    if (row < 0 || row > kMaxMarkedRow)
        return false;
    NGCTable.shape[row] |= ObservedMark;
    InvalidateHistoryStage();
    return true;
}

bool LogDocument::ClearLogEntryBit(int row)
{
    if (row < 0 || row > kMaxMarkedRow)
        return false;
    NGCTable.shape[row] &= std::uint8_t(~ObservedMark);
    InvalidateHistoryStage();
    return true;
}

// ---- crash recovery -------------------------------------------------------------------------

bool LogDocument::WriteRecoveryHeader()
{
    const std::string bytes = LogJournal::EncodeRecoveryHeader(header_);
    std::vector<fw::FileReplacement> files{{oldRecoveryHeaderPath_, bytes}, {recoveryHeaderPath_, bytes}};
    return ReplaceFiles(files);
}

void LogDocument::ChoiceListChanged()
{
    WriteRecoveryHeader();
    SetDirty(true);
}

void LogDocument::RotateCrashFiles()
{
    // rename() replaces the previous generation in one step.
    if (FileExists(journalPath_))
        std::rename(journalPath_.c_str(), oldJournalPath_.c_str());
    if (FileExists(recoveryHeaderPath_))
        std::rename(recoveryHeaderPath_.c_str(), oldRecoveryHeaderPath_.c_str());
}

void LogDocument::CheckJournal()
{
    if (!fw::ReadWholeFile(journalPath_, journalBytes_))
        return;
    recovering_ = true;
    ReportProgress("Temporary File Found,  Attempting to recover data...", Pinned);
    journalFound_ = LogJournal::Decode(journalBytes_, nullptr);
    const LogJournal::Contents& contents = journalFound_;
    if (!contents.signatureOk) {
        ReportProgress("Logmdfy.tmp empty or missing header information", Pinned);
    } else {
        if (!contents.logPath.empty()) {
            ReportProgress("Recovering " + contents.logPath, CaptionAndLine);
            BackupFileName(contents.logPath);
            RemoveStaleTemporariesOfLog();
        }
        if (ReadRecoveryHeader())
            ReportProgress("Recovery appears to have been successful", CaptionAndLine);
        else
            ReportProgress("Sorry, Unable to recover file.", Pinned);
        ReportProgress("Please review your file and save", Pinned);
    }
    journalBytes_.clear();
    journalBytes_.shrink_to_fit();
    // Further stores go on in the same journal, after its last whole entry, so that it keeps
    // everything the rebuilt log holds beyond the copy beneath it. A journal of the older form
    // or one that cannot be cut is replaced, at the next store, by one holding every record.
    journalWhole_ = !(contents.checked && contents.baseKnown && journal_.Continue(journalPath_, contents.wholeSize));
    SetTitle(kRecoveryTitle);
    openState_ = 1;
    newLog_ = false;
    SetDirty(true);
    ApplyFilter();
    NavigationState();
}

bool LogDocument::ReadRecoveryHeader()
{
    ReportProgress("Reconstructing Log", Pinned);
    bool ok = true;
    if (backupName_.empty()) {
        ReportProgress("No backup file is indicated", CaptionAndLine);
    } else if (!ReadRecoveryBase()) {
        ReportProgress("ERROR: Could not read the Backup file", Pinned);
        ReportProgress("A corrupted backup file in usually not critical", CaptionAndLine);
        ReportProgress("This kind of error occurs in a post-save system failure", CaptionAndLine);
        ReportProgress("Rename the LOGMDFY.TMP file to LOGMDFY.OLD", CaptionAndLine);
        ReportProgress("  and attempt to reopen your log file", CaptionAndLine);
        ok = false;
    }
    if (ok && !ReadRecoveryHeaderFile(recoveryHeaderPath_)) {
        ReportProgress("ERROR: Could not open the temporary header", CaptionAndLine);
        ReportProgress("Attempting to read backup temp header", CaptionAndLine);
        if (!ReadRecoveryHeaderFile(oldRecoveryHeaderPath_)) {
            ReportProgress("ERROR: Could not open the backup temporary header", Pinned);
            ReportProgress("A bad backup temporary header file in usually not critical", CaptionAndLine);
            ReportProgress("This kind of error occurs if a system failure", CaptionAndLine);
            ReportProgress("  happens during a configuration modification", CaptionAndLine);
            ReportProgress("\t No log entries should be lost, just the last config change", CaptionAndLine);
            ReportProgress("Rename the LOGMDFY.TMP file to LOGMDFY.OLD", CaptionAndLine);
            ReportProgress("  and attempt to reopen your log file", CaptionAndLine);
            ok = false;
        }
    }
    // The records stored since the last save are in the journal whatever became of the backup
    // and the header, so they are always put back.
    ReplayJournal();
    return ok;
}

bool LogDocument::ReadRecoveryBase()
{
    std::vector<std::string> copies{backupName_, fullPath_};
    // The copy the journal was kept on, as long as it is unchanged: a save killed after it
    // replaced the log but before it retired the journal leaves the old backup copy, which
    // the journal's records still apply to.
    if (journalFound_.baseKnown)
        for (const std::string& copy : copies) {
            std::string bytes;
            if (fw::ReadWholeFile(copy, bytes) && LogJournal::FingerprintOf(bytes) == journalFound_.base &&
                ReadLog(copy))
                return true;
        }
    // Otherwise the newest copy that reads whole (the backup copy when both are as new).
    std::stable_sort(copies.begin(), copies.end(),
                     [](const std::string& a, const std::string& b) { return ModifiedAt(a) > ModifiedAt(b); });
    for (const std::string& copy : copies)
        if (FileExists(copy) && ReadLog(copy)) {
            if (copy != backupName_)
                ReportProgress("Rebuilding from " + copy, CaptionAndLine);
            return true;
        }
    return false;
}

bool LogDocument::ReadRecoveryHeaderFile(const std::string& name)
{
    std::string bytes;
    if (!fw::ReadWholeFile(name, bytes))
        return true;  // no file: the header stays as it is
    ObsRecordHeader read;
    if (!LogJournal::DecodeRecoveryHeader(bytes, read)) {
        ReportProgress("Bad Read of Header in Header Recovery file", Pinned);
        return false;
    }
    header_ = read;
    return true;
}

void LogDocument::ReplayJournal()
{
    if (journalBytes_.empty())
        return;
    ReportProgress("LOGMDFY.TMP was found, attempting recovery", Pinned);
    TStatusDlg* status = StatusWindow;
    std::uint32_t applied = 0;
    const LogJournal::Contents contents = LogJournal::Decode(journalBytes_, [&](const ObsRecord& record) {
        ApplyRecord(record, false);
        if (status && ++applied % 64 == 0)
            status->SetGauge(std::min<std::uint32_t>(99, applied * 100 / (applied + 64)));
    });
    ReportProgress(std::to_string(contents.recordsRead) + " records replayed from LOGMDFY.TMP", CaptionAndLine);
    ReportProgress("No More Records Found", CaptionAndLine);
    if (!contents.endedCleanly)
        ReportProgress("ABORTING", CaptionAndLine);
}
