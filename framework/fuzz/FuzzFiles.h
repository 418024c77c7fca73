// What the fuzz targets that work on files need: a scratch directory of their own (in memory
// where there is /dev/shm, removed at exit) and whole-file reads and writes on the host.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace fuzzsupport {

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A new directory named after the target ("/dev/shm/stellum-<name>-XXXXXX"); the process
// aborts when none can be made. One a process: it is removed at exit.
inline std::string ScratchDirectory(const std::string& name)
{
    static std::string made;
    for (const char* base : {"/dev/shm", "/tmp"}) {
        std::string pattern = std::string(base) + "/stellum-" + name + "-XXXXXX";
        if (mkdtemp(pattern.data())) {
            made = pattern;
            break;
        }
    }
    if (made.empty()) std::abort();
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(made, ec);
    });
    return made;
}

} // namespace fuzzsupport
