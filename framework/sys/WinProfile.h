// The system's private-profile (INI) functions on the emulated machine. They read files with
// the same rules as the installer's own INI scanner: only the first section of a name counts,
// the first entry of a name in it, names compared ignoring case, blanks trimmed. A file name
// without a directory lies in the Windows directory. Changes are written to a copy that is
// renamed over the file, so the file is never lost half-written.
#pragma once

#include <string>
#include <vector>

namespace fw {

class WinProfile {
public:
    // The value, or the default when the file, section or entry is missing.
    static std::string GetString(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& defaultValue);
    // The leading decimal number of the value (with an optional sign), else the default.
    static int GetInt(const std::string& file, const std::string& section,
                      const std::string& key, int defaultValue);
    // Names of the entries of the section in file order (first of each name).
    static std::vector<std::string> GetKeys(const std::string& file, const std::string& section);
    // Sets key=value (added at the end of the section, the section at the end of the file).
    // A null value deletes the entry; a null key deletes the whole section.
    static bool WriteString(const std::string& file, const std::string& section,
                            const char* key, const char* value);
    // The Windows path the profile functions use for a file name.
    static std::string ProfilePath(const std::string& file);
};

}  // namespace fw
