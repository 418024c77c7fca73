// The program directory the benchmarks read the delivered data files from:
// $STELLUM_PROGRAM_DIR, else delivered/ beside the folder of the running benchmark.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace bench {

inline std::string ProgramDir()
{
    if (const char* dir = std::getenv("STELLUM_PROGRAM_DIR")) return std::string(dir) + "/";
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (exe.parent_path().parent_path() / "delivered").string() + "/";
}

} // namespace bench
