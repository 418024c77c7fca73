// Shell links of the installer's machine: a "<name>.lnk" file is a small key=value text
// (Path, Arguments, WorkingDirectory, IconLocation, IconIndex, HotKey, ShowCommand). When the
// desktop export is on, saving a link in the Programs folder also writes a desktop entry into
// $XDG_DATA_HOME/applications (default ~/.local/share/applications), so that the installed
// program appears in the desktop's menu; removing the link removes the entry.
#pragma once

#include <string>

namespace fw {

struct ShellLink {
    std::string path;
    std::string arguments;
    std::string workingDirectory;
    std::string iconPath;
    int iconIndex = 0;
    int hotKey = 0;
    int showCommand = 1; // 1 normal, 7 minimised without activation

    // Saves or loads the link at a Windows path; false when it cannot be written or read.
    bool Save(const std::string& linkPath) const;
    bool Load(const std::string& linkPath);
    // Deletes the link file and its desktop entry.
    static bool Remove(const std::string& linkPath);

    static void SetDesktopExport(bool on);
    static bool DesktopExport();
    // The host file of a link's desktop entry (for tests and removal).
    static std::string DesktopEntryPath(const std::string& linkPath);
    // The desktop entry's text for this link saved at linkPath.
    std::string DesktopEntry(const std::string& linkPath) const;
};

} // namespace fw
