// Fuzz target: a binary observing log as a user or another program hands it over.
#include "obslog/LogFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Always the binary branch: the signature first, then the fuzzed bytes.
    std::string bytes("\x1e\0\0\0QUILLON SOFTWARE OBSERVING LOG", 34);
    bytes.append(reinterpret_cast<const char*>(data), size);
    ObsRecordHeader header;
    RuravAvaviv filter;
    LogFile::Sink sink;
    std::size_t records = 0;
    sink.record = [&](std::int32_t, std::int32_t, const ObsRecord& r) { records += r.name.size() > 0; };
    LogFile::Decode(bytes, header, filter, sink);
    return 0;
}
