// The observing log file "*.log": the binary form that the log writes (signature, word 4,
// header, filter, the records in ascending number, signature) and the older tagged-text form
// that it still reads (tagged header, text filter, tagged records).
//
// Everything read is untrusted: a record count is only a promise, checked record by record
// against what the file really holds, and nothing is allocated for records that are not there.
#pragma once

#include "obslog/ObsRecord.h"
#include "obslog/ObsRecordHeader.h"
#include "obslog/RuravAvaviv.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class LogFile {
public:
    static const char* const kSignature;
    static constexpr std::uint32_t kFileVersion = 4;

    enum class Error { None, Header, Filter, Record };
    struct ReadResult {
        Error error = Error::None;
        bool tagged = false;
        // Zero-based index of the record that could not be read (Error::Record).
        std::int32_t recordIndex = 0;
    };
    // Told the record count before the records are read, and each record as it is read.
    struct Sink {
        std::function<void(std::int32_t count, bool tagged)> count;
        std::function<void(std::int32_t index, std::int32_t count, const ObsRecord& record)> record;
    };

    // The binary log; with dropMarked, records marked for deletion are left out and the
    // header's count says how many were written.
    static std::string Encode(const ObsRecordHeader& header, const RuravAvaviv& filter,
                              const std::vector<ObsRecord>& records, bool dropMarked);
    // Reads a log file's bytes in either form into header and filter, handing every record
    // read to the sink; stops at the first damaged part.
    static ReadResult Decode(const std::string& bytes, ObsRecordHeader& header, RuravAvaviv& filter,
                             const Sink& sink);
    // True when the bytes begin with the binary form's signature.
    static bool IsBinary(const std::string& bytes);
};
