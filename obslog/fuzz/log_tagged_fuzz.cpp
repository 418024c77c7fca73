// Fuzz target: an observing log in the older tagged-text form.
#include "obslog/LogFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The tagged branch needs the header's start line; the fuzzed bytes follow it.
    std::string bytes = std::string(ObsRecordHeader::kStartTag) + "\n";
    bytes.append(reinterpret_cast<const char*>(data), size);
    ObsRecordHeader header;
    RuravAvaviv filter;
    LogFile::Decode(bytes, header, filter, LogFile::Sink());
    // And the same bytes as they come, which reach the reader's first line too.
    const std::string raw(reinterpret_cast<const char*>(data), size);
    LogFile::Decode(raw, header, filter, LogFile::Sink());
    return 0;
}
