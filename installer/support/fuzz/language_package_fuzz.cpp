// Reads arbitrary text as a language package. A package is either refused as a whole, or
// every dialog it holds stays within the reader's limits.
#include "framework/sys/ResourcePackage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>


extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fw::ResourcePackage package;
    std::string text(reinterpret_cast<const char*>(data), size);
    if (!package.LoadText(text)) {
        if (!package.Strings().empty() || package.Error().empty()) std::abort();
        return 0;
    }
    for (const auto& s : package.Strings())
        if (s.first < 0 || s.first > 65535) std::abort();
    return 0;
}
