// The rules every file of the user's own follows when it cannot be read or written: a file
// that is there but cannot be read whole is damaged, not missing, and the user is told once,
// in the status window and the debug log; before it is replaced it is kept beside the new one (name + ".bad");
// a save that fails says so in a message box and leaves the old file as it was.
#pragma once

#include <string>

namespace UserFile {

// Tells the user once about one of their files: the line in the status window and the same
// line in the debug log. Both come with the status window: before the program has made it,
// and in tests that make none, the line goes nowhere.
void Tell(const std::string& text);

// For a reader that could not open path: true (and the user told) when a file is there all
// the same, false when it is simply missing (a first start).
bool ReportIfUnreadable(const std::string& path, const std::string& what);
// Tells the user that path could not be read whole and what was read is kept; true.
bool ReportDamaged(const std::string& path, const std::string& what);
// Replaces path with bytes in one step, first keeping the old file aside when keepOld (it was
// damaged). False, said in a message box, when the old file could not be kept or the new one
// not written; the old file then stays as it was.
bool Save(const std::string& path, const std::string& bytes, bool keepOld, const std::string& what);

} // namespace UserFile
