// Fuzz target: the crash journal "LOGMDFY.TMP" (older and checked forms) and the recovery
// header "LOGHDR.TMP" as a crash may leave them.
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
    // The checked form: an empty path and the format word, then the fuzzer's bytes (the
    // header's check among them).
    std::string checked = journal.substr(0, 47) + std::string(4, '\0');
    for (int i = 0; i < 4; ++i)
        checked.push_back(static_cast<char>((LogJournal::kCheckedFormat >> (8 * i)) & 0xFF));
    checked += raw;
    LogJournal::Decode(checked, [&](const ObsRecord&) { ++applied; });
    LogJournal::Decode(raw, nullptr);
    ObsRecordHeader header;
    LogJournal::DecodeRecoveryHeader(raw, header);
    return 0;
}
