// The log document's crash recovery: the crash files are rotated, a journal left by a crash is
// checked, the copy it was kept on is found, and its records are replayed.
#include "obslog/LogDocument.h"

#include "framework/stream/AppendFile.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool FileExists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// Modification time in nanoseconds; -1 when the file is not there.
long long ModifiedAt(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return -1;
    return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}
} // namespace

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
