// The observing log's crash files, kept in the program directory while a log is edited:
//
// - the journal "LOGMDFY.TMP": signature, the log's full path, then every record in the
//   binary record form at the moment it is stored, the last copy of a number winning;
// - the recovery header "LOGHDR.TMP" (and its second copy "LOGHDR.~MP"): signature, the log's
//   header in the binary form, signature.
//
// Every journal append is on the disk before the edit counts as stored, so a crash at any
// moment loses at most the record being stored; a torn last record is recognised and left.
#pragma once

#include "obslog/ObsRecord.h"
#include "obslog/ObsRecordHeader.h"

#include "framework/stream/AppendFile.h"

#include <functional>
#include <string>

class LogJournal {
public:
    static const char* const kJournalSignature;
    static const char* const kHeaderSignature;
    static constexpr std::uint32_t kMaxPathLength = 4096;

    // Creates the journal file (replacing any of that name) with the signature, the log's
    // path and the first record; false when the file cannot be created or written.
    bool Create(const std::string& journalPath, const std::string& logPath, const ObsRecord& first);
    // Appends a record; false when the journal is not open or the write failed.
    bool Append(const ObsRecord& record);
    bool IsOpen() const { return file_.IsOpen(); }
    void Close() { file_.Close(); }

    // What a journal file holds.
    struct Contents {
        bool signatureOk = false;
        std::string logPath;
        // Whole records read; the reading stopped at the end or at a torn or damaged record.
        std::int32_t recordsRead = 0;
        bool endedCleanly = false;  // no bytes were left after the last whole record
    };
    // Reads journal bytes, handing each whole record to apply in journal order.
    static Contents Decode(const std::string& bytes, const std::function<void(const ObsRecord&)>& apply);

    // A recovery header file's bytes.
    static std::string EncodeRecoveryHeader(const ObsRecordHeader& header);
    // True when both signatures are right and the header reads valid; header gets what was read.
    static bool DecodeRecoveryHeader(const std::string& bytes, ObsRecordHeader& header);

private:
    fw::AppendFile file_;
};
