// The observing log's crash files, kept in the program directory while a log is edited:
//
// - the journal "LOGMDFY.TMP": signature, the log's full path, the journal's format word, the
//   fingerprint of the file the edits apply to (the log or its backup copy as last read or
//   written) and a check of these; then one entry per stored record: its length, the record
//   in the binary record form and a CRC-32 of both. The last copy of a number wins. Journals
//   of the older form (records straight after the path, no checks) are still read;
// - the recovery header "LOGHDR.TMP" (and its second copy "LOGHDR.~MP"): signature, the log's
//   header in the binary form, signature.
//
// Every journal append is on the disk before the edit counts as stored, and an append that
// failed half-way is cut off again, so a crash at any moment loses at most the record being
// stored. Reading stops at the first entry that is torn or fails its check.
#pragma once

#include "obslog/ObsRecord.h"
#include "obslog/ObsRecordHeader.h"

#include "framework/stream/AppendFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class LogJournal {
public:
    static const char* const kJournalSignature;
    static const char* const kHeaderSignature;
    static constexpr std::uint32_t kMaxPathLength = 4096;
    // The word after the path in a journal with checked entries (a journal of the older form
    // has the first record's version word 4 there).
    static constexpr std::uint32_t kCheckedFormat = 0x4C4A4B32;
    // No record is longer than this (a longer length word is damage).
    static constexpr std::uint32_t kMaxEntryLength = 1u << 24;

    // What identifies the bytes of a whole file: their CRC-32 and length.
    struct Fingerprint {
        std::uint32_t crc = 0;
        std::uint32_t size = 0;
        bool operator==(const Fingerprint& o) const { return crc == o.crc && size == o.size; }
        bool operator!=(const Fingerprint& o) const { return !(*this == o); }
    };
    static Fingerprint FingerprintOf(const std::string& bytes);
    // CRC-32 (the polynomial of zip and PNG, reflected, 0xEDB88320) of a run of bytes.
    static std::uint32_t Crc32(const char* data, std::size_t size, std::uint32_t crc = 0);

    // Creates the journal file (replacing any of that name) with the signature, the log's
    // path, the fingerprint of the file the records apply to and the records; false when the
    // file cannot be created or written.
    bool Create(const std::string& journalPath, const std::string& logPath, const Fingerprint& base,
                const std::vector<ObsRecord>& records);
    // Opens a journal that recovery read, for further records after its last whole entry
    // (what follows that is cut off); false when it cannot be opened or cut.
    bool Continue(const std::string& journalPath, std::size_t wholeSize);
    // Appends a record. False when the journal is not open or the write failed: the journal
    // is then cut back to its last whole entry, or closed when even that failed.
    bool Append(const ObsRecord& record);
    bool IsOpen() const { return file_.IsOpen(); }
    void Close() { file_.Close(); }

    // What a journal file holds.
    struct Contents {
        bool signatureOk = false;
        bool checked = false;       // the form with checked entries
        std::string logPath;
        bool baseKnown = false;     // the fingerprint of the file the records apply to was read
        Fingerprint base;
        // Whole records read; the reading stopped at the end or at a torn or damaged entry.
        std::int32_t recordsRead = 0;
        bool endedCleanly = false;  // no bytes were left after the last whole entry
        std::size_t wholeSize = 0;  // bytes up to the end of the last whole entry
    };
    // Reads journal bytes, handing each whole record to apply in journal order.
    static Contents Decode(const std::string& bytes, const std::function<void(const ObsRecord&)>& apply);

    // A recovery header file's bytes.
    static std::string EncodeRecoveryHeader(const ObsRecordHeader& header);
    // True when both signatures are right and the header reads valid; header gets what was read.
    static bool DecodeRecoveryHeader(const std::string& bytes, ObsRecordHeader& header);

private:
    fw::AppendFile file_;
    std::size_t wholeSize_ = 0;
};
