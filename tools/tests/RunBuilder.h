// Runs the data builder as the build runs it, on a raw directory of a test's own.
#pragma once

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace tooltest {

// The builder's exit status after building only the named data files ("ngc2000,comname").
inline int RunBuilder(const std::string& builder, const std::string& raw, const std::string& out,
                      const std::string& only)
{
    const std::string command =
        "'" + builder + "' --raw '" + raw + "' --out '" + out + "' --only " + only + " > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace tooltest
