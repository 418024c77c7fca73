// The lines of a text file, for tests that check what a program wrote line by line.
#pragma once

#include "framework/testsupport/TestSupport.h"

#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

// The file's lines without their line ends (none when it cannot be read).
inline std::vector<std::string> FileLines(const std::string& path)
{
    std::istringstream in(ReadFileBytes(path));
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

} // namespace testsupport
