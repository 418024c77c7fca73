// LogDocument: the observing-log document. It holds one log in memory (header, filter and the
// records sorted by number), reads it from a "*.log" file in the binary or the older tagged
// form, writes it back in the binary form, keeps the record cursor and the filtered subset for
// the record form, and marks in the catalogue the rows that have log entries.
//
// The log is the user's record of years of nights, so every file it writes replaces the old
// one whole (a temporary file renamed over it, checked at every step), and every record the
// user stores goes to a crash journal on the disk before the store counts as done. A document
// built while a journal is left behind rebuilds the log from the copy the journal was kept
// on (the log or its backup copy; the newest whole one when that is gone), the recovery
// header and the journal, and offers it as "RECOVERY.LOG". It goes on journaling into the same
// journal, so a further crash before the rebuilt log is saved loses nothing either.
#pragma once

#include "obslog/LogJournal.h"
#include "obslog/ObsRecord.h"
#include "obslog/ObsRecordHeader.h"
#include "obslog/RuravAvaviv.h"

#include "framework/gui/Document.h"
#include "framework/stream/AtomicFile.h"
#include "globals/ViewEvents.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class LogDocument : public fw::FileDocument {
public:
    // The property that names the document's kind: "Document Name", read-only text.
    enum { DocumentName = fw::FileDocument::NextProperty };
    // Highest catalogue row the log marks.
    static constexpr int kMaxMarkedRow = 13400;
    // Rows whose marks a refilter clears.
    static constexpr int kCatalogueRows = 13500;
    // The log never grows beyond this many records.
    static constexpr std::int32_t kMaxRecords = 15750;
    static const char* const kDocumentName;   // "Obslog Document"
    static const char* const kRecoveryTitle;  // "RECOVERY.LOG"

    // The document sends vnLogRecordChanged and vnAppEvent (globals/ViewEvents.h).

    // Cursor states for the record form's First/Previous/Next/Last buttons.
    enum NavState : std::int32_t { NoRecord = 0, OneRecord = 1, AtFirst = 2, InBetween = 3, AtLast = 4 };

    // Reporting modes of ReportProgress.
    enum ReportMode : int { LineOnly = 0, CaptionAndLine = 1, GaugeThenHide = 2, Pinned = 3 };

    // Loads "DEFAULT.HDR" and "DEFAULT.FLT" from the user directory and recovers a log from a
    // crash journal left in the program directory (both directories end in '/'; empty: the
    // program's own).
    explicit LogDocument(const std::string& programDir = std::string(), const std::string& userDir = std::string());
    // Closes the journal and moves the crash files to their previous-generation names.
    ~LogDocument() override;
    // Test hook: the next construction meets an exception after reading the default files.
    static void ThrowInNextConstructionForTest();

    // ---- document operations ---------------------------------------------------------------
    // Reads the log at path (empty: the document path). False when the file could not be read
    // whole: nothing is offered for saving then, and the file is left as it is.
    bool Open(int mode, const std::string& path = std::string()) override;
    // Saves the log to the document path through a temporary file renamed over it; only when
    // that succeeded is the document clean and the journal retired. False (and the old file
    // byte for byte as it was) on any failure, which is reported.
    bool Commit(bool force = false) override;
    // The framework's revert; then, unless clear, the log is read again when none is loaded.
    bool Revert(bool clear = false) override;
    bool Close() override;
    bool IsOpen() override { return openState_ == 1; }
    // Tells the views the log is closing (the form stores its pending record), then asks
    // the framework.
    bool CanClose() override;

    int FindProperty(const std::string& name) override;
    int PropertyFlags(int index) override;
    std::string PropertyName(int index) override;
    int GetProperty(int index, char* buffer, int size) override;
    bool SetProperty(int index, const std::string& value) override;

    // ---- the log ---------------------------------------------------------------------------
    bool ReadLog(const std::string& path);
    bool WriteBackup(const std::string& name);
    bool BackupFileName(const std::string& path = std::string());
    bool WriteDefaultHeader();
    bool WriteDefaultFilter();

    // Recomputes the filtered subset and the catalogue marks; answers the filtered count.
    std::int32_t ApplyFilter();
    // A new record numbered after the highest; nothing when the log is full (reported).
    std::optional<ObsRecord> AddRecord(bool go);
    // Stores an edited record over the one with its number and journals it; false when no
    // record has that number.
    bool UpdateRecord(const ObsRecord& record);
    // Sets the record's cross-reference from its name; false for a name that is no NGC/IC
    // object (cross-reference -1).
    bool UpdateCrossRef(ObsRecord& record);
    // Inserts a record with a new number or overwrites the stored one; false for an invalid
    // record.
    bool ApplyRecord(const ObsRecord& record, bool report);
    void GoToRecord(const ObsRecord& record);
    std::int32_t HighestRecordNumber() const;

    ObsRecord FirstRecord();
    ObsRecord LastRecord();
    ObsRecord PreviousRecord();
    ObsRecord NextRecord();
    ObsRecord GetCurrentRecord();
    NavState NavigationState();

    // Sets (Clear: clears) the observed mark of a catalogue row 0 to 13400 and clears the
    // database's history stage-cache bit; true. Any other row changes nothing: false.
    static bool SetLogEntryBit(int row);
    static bool ClearLogEntryBit(int row);

    // Feeds the status window (nothing when there is none): CaptionAndLine shows it with the
    // text as caption and line; Pinned does the same and keeps it open; GaugeThenHide sets
    // the gauge and hides it unless pinned; LineOnly adds the line (value -1) or sets the gauge.
    void ReportProgress(const std::string& text, int mode, int value = -1);

    // ---- crash recovery ----------------------------------------------------------------------
    bool WriteRecoveryHeader();
    // A choice list of the log's header took a new entry (from the form or an import): the
    // recovery header is written, so that recovered records find their entries, and the log
    // is changed.
    void ChoiceListChanged();
    bool ReadRecoveryHeader();
    bool ReadRecoveryHeaderFile(const std::string& name);
    void ReplayJournal();

    // ---- state -------------------------------------------------------------------------------
    ObsRecordHeader& Header() { return header_; }
    ObsRecordHeader& DefaultHeader() { return defaultHeader_; }
    RuravAvaviv& Filter() { return filter_; }
    const std::vector<ObsRecord>& Records() const { return records_; }
    std::int32_t RecordCount() const { return static_cast<std::int32_t>(records_.size()); }
    std::int32_t CurrentIndex() const { return current_; }
    std::int32_t FilteredCount() const { return filteredCount_; }
    std::int32_t FilteredPosition() const { return position_; }
    // Marks the record at an index for deletion (or clears the mark); kept in memory only.
    bool SetDeletionMark(std::int32_t index, bool marked);
    bool IsNewLog() const { return newLog_; }
    bool IsRecovering() const { return recovering_; }
    const std::string& StatusText() const { return statusText_; }
    const std::string& FullPath() const { return fullPath_; }
    const std::string& BackupName() const { return backupName_; }
    const std::string& JournalPath() const { return journalPath_; }

private:
    void CheckJournal();
    // Puts a stored record into the journal, with any earlier one whose store could not be;
    // starts the journal when none is open. False when it could not (reported).
    bool JournalRecord(const ObsRecord& record);
    // The journal's start: the recovery header, then a journal of the records; after a
    // journal could no longer be trusted, one that holds every record of the log.
    bool StartJournal(std::vector<ObsRecord> records);
    // The copy of the log that recovery builds on: the one the journal was kept on when it is
    // there unchanged, else the newest that reads whole. False when none could be read.
    bool ReadRecoveryBase();
    // Removes the temporaries that saves of the log and of its backup copy left beside them
    // when they were killed mid-write (those of a program still running stay).
    void RemoveStaleTemporariesOfLog();
    void RotateCrashFiles();
    bool ReplaceFile(const std::string& path, const std::string& bytes, const std::string& what);
    // Replaces the files together, reporting each that could not be written.
    bool ReplaceFiles(std::vector<fw::FileReplacement>& files);
    // The backup copy and both recovery headers, all on the disk in one flush.
    bool WriteSideFiles();
    std::int32_t IndexOf(std::int32_t number) const;
    bool Matches(std::int32_t index);
    void MoveNext();
    void MovePrevious();
    void ClampCursor();
    void RemarkRow(std::int32_t row);
    void Abort(const std::string& text);

    std::string programDir_, userDir_;
    ObsRecordHeader header_;
    ObsRecordHeader defaultHeader_;
    RuravAvaviv filter_;
    std::vector<ObsRecord> records_;
    ObsRecord currentRecord_;

    std::int32_t current_ = 0;
    std::int32_t firstFiltered_ = 0;
    std::int32_t lastFiltered_ = 0;
    std::int32_t filteredCount_ = 0;
    std::int32_t position_ = 0;
    NavState nav_ = NoRecord;

    std::int32_t openState_ = 2;
    bool newLog_ = true;
    bool recovering_ = false;
    bool newRecordPending_ = false;

    std::string defaultHeaderPath_, defaultFilterPath_;
    std::string journalPath_, oldJournalPath_, recoveryHeaderPath_, oldRecoveryHeaderPath_;
    std::string fullPath_, directory_, fileName_, baseName_, extension_, backupName_;

    LogJournal journal_;
    std::string journalBytes_;  // the journal found at construction, while it is replayed
    LogJournal::Contents journalFound_;
    // What the next journal's records apply to: the log file as last read or saved.
    LogJournal::Fingerprint baseFingerprint_;
    LogJournal::Fingerprint lastRead_;  // of the file ReadLog last read
    // The next journal must hold every record (the open one could not be continued or cut).
    bool journalWhole_ = false;
    // Stored records that are not yet in the journal (its append failed).
    std::vector<std::int32_t> unjournaled_;
    std::string statusText_;
};
