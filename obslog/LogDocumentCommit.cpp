// The log document's commits: a record stored from the form goes to the crash journal at
// once; a save writes the log, its backup and side files and starts the journal afresh.
#include "obslog/LogDocument.h"

#include "obslog/LogFile.h"

#include "catalog/NGC2000Indexes.h"
#include "framework/stream/AppendFile.h"
#include "framework/stream/PStream.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

#include <algorithm>
#include <cstring>

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
    NotifyViews(vnAppEvent, aeLogClosing);
    return fw::FileDocument::CanClose();
}
// ---- storing records ------------------------------------------------------------------------

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
