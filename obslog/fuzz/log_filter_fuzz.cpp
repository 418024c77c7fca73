// Fuzz target: the log filter ("DEFAULT.FLT" and the filter inside a log) in its binary
// versions and its text form, and matching with whatever was read.
#include "obslog/ObsRecord.h"
#include "obslog/RuravAvaviv.h"

#include "framework/stream/PStream.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ObsRecord record;
    {
        fw::imstream in(bytes);
        RuravAvaviv filter;
        filter.Read(in);
        filter.active = 1;
        filter.Match(record);
    }
    {
        std::istringstream in("<RURAVAVAVIV FILE VER 1.0 BEGIN>\n" + bytes);
        RuravAvaviv filter;
        filter.ReadText(in);
        filter.active = 1;
        filter.Match(record);
    }
    return 0;
}
