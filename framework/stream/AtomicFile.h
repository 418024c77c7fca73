// Replacing a whole file so that a failed write never damages the old one: the bytes go to a
// temporary file of this process's own beside it, are flushed to disk, and the temporary is
// renamed over the old file in one step.
#pragma once

#include <string>

// False when any step failed; the old file (if any) is then untouched and no temporary remains.
bool WriteFileReplacing(const std::string& path, const std::string& bytes);
