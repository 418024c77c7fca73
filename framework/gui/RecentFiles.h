// The recent-files list: the last few documents opened or saved, newest first, kept in a
// small INI file and shown in the File menu before Exit, where choosing one sends its
// command (CM_MRU_FIRST + index).
#pragma once

#include <string>
#include <vector>

namespace fw {

constexpr int CM_MRU_FIRST = 25001;

class RecentFiles {
public:
    // Reads the list from the profile file (section "Recent Files", keys File1 ...).
    RecentFiles(std::string profilePath, int maxFiles);

    // Puts the path first (once), drops what falls beyond the maximum and writes the file.
    void SaveMenuChoice(const std::string& path);
    // Takes the path off the list and writes the file.
    void RemoveMenuChoice(const std::string& path);
    // The path of a menu command (CM_MRU_FIRST + index); "" for another command.
    std::string GetMenuText(int command) const;
    bool IsMenuCommand(int command) const;
    const std::vector<std::string>& Files() const { return files_; }
    int MaxFiles() const { return maxFiles_; }
    const std::string& ProfilePath() const { return profilePath_; }
    // The menu text of entry index ("&1 /path/name.sl4").
    std::string MenuText(int index) const;

private:
    void Read();
    void Write() const;

    std::string profilePath_;
    int maxFiles_;
    std::vector<std::string> files_;
};

} // namespace fw
