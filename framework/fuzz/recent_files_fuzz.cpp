// The recent-files list read from any bytes as its profile file: at most its maximum of
// entries, none empty, none twice, and a list written back reads back the same.
#include "framework/gui/RecentFiles.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/stellum-recent-fuzz-" + std::to_string(::getpid()) + ".ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(size));
    fw::RecentFiles recent(path, 4);
    const auto& files = recent.Files();
    if (files.size() > 4) std::abort();
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i].empty()) std::abort();
        for (std::size_t j = 0; j < i; ++j)
            if (files[i] == files[j]) std::abort();
    }
    recent.SaveMenuChoice("/x/new.sl4");
    fw::RecentFiles again(path, 4);
    if (again.Files() != recent.Files()) std::abort();
    std::remove(path.c_str());
    return 0;
}
