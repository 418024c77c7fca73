// The program's file association on the Linux desktop: a MIME type for its documents'
// extension (a shared-mime-info package under $XDG_DATA_HOME/mime/packages) and a desktop
// entry that opens such a file with the program ($XDG_DATA_HOME/applications). Removing the
// association removes exactly those two files.
#pragma once

#include <string>

namespace fw {

struct DesktopAssociation {
    std::string id;          // "stellum-planner": the names of both files
    std::string mimeType;    // "application/x-stellum-planner"
    std::string comment;     // "Stellum planner document"
    std::string pattern;     // "*.sl4"
    std::string appName;     // "Stellum"
    std::string programPath; // the program the entry starts with the file's path

    // $XDG_DATA_HOME, or $HOME/.local/share when it is not set; "" when neither is.
    static std::string DataHome();
    // The two files under the data home.
    std::string MimePackagePath() const;
    std::string DesktopEntryPath() const;

    // Writes both files (directories made as needed); false when either could not be written.
    bool Register() const;
    // Removes both files when they are ours (they name this program's MIME type); false when
    // one of them could not be removed. Files of the same name that are not ours stay.
    bool Unregister() const;

    // Removes every association (as Register writes one) whose desktop entry starts the
    // program at this host path, as when the program itself is removed; entries that start
    // other programs, and desktop entries without a file type, stay. False when one could not
    // be removed.
    static bool UnregisterProgram(const std::string& programPath);
};

} // namespace fw
