// Fuzz target: the log header ("DEFAULT.HDR") in its binary and tagged-text forms.
#include "obslog/ObsRecordHeader.h"

#include "framework/stream/PStream.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        fw::imstream in(bytes);
        ObsRecordHeader header;
        header.Read(in);
    }
    {
        std::istringstream in(std::string(ObsRecordHeader::kStartTag) + "\n" + bytes);
        ObsRecordHeader header;
        header.ReadTagged(in);
    }
    return 0;
}
