// Fuzz target: the crash journal "LOGMDFY.TMP" and the recovery header "LOGHDR.TMP" as a
// crash may leave them.
#include "obslog/LogJournal.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string raw(reinterpret_cast<const char*>(data), size);
    std::string journal("\x2b\0\0\0QUILLON SOFTWARE OBSERVING LOG RECOVERY LOG", 47);
    journal += raw;
    std::size_t applied = 0;
    LogJournal::Decode(journal, [&](const ObsRecord&) { ++applied; });
    LogJournal::Decode(raw, nullptr);
    ObsRecordHeader header;
    LogJournal::DecodeRecoveryHeader(raw, header);
    return 0;
}
