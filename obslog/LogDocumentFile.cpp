// The log document's files: reading a log, opening it, and writing the backup copy, the
// recovery headers and the default list set and filter.
#include "obslog/LogDocument.h"

#include "obslog/LogFile.h"

#include "framework/stream/AppendFile.h"
#include "framework/stream/PStream.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

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
