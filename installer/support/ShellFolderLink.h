// Program groups as folders and items as shell links ("<name>.lnk") in the Start menu's
// Programs folder (registry value "Programs" of the user's Shell Folders).
#pragma once

#include "installer/support/GroupLink.h"

#include <string>

namespace kw {

class ShellFolderLink : public GroupLink {
public:
    bool Disconnect(bool closeShell) override;
    bool Connect(bool mayStart) override;
    bool CreateGroup(const char* name) override;
    bool DeleteGroup(const char* name) override;
    bool ShowGroup(const char* name, int showCommand) override;
    bool AddItem(const ProgmanItem& item) override;
    bool AddItem(const char* name, const char* commandLine, const char* iconPath, int iconIndex,
                 const char* workingDirectory) override;
    bool DeleteItem(const char* name) override;
    bool GroupExists(const char* name) override;
    bool ItemExists(const char* group, const char* name) override;
    bool GetItem(const char* group, const char* name, ProgmanItem& item) override;
    bool GetGroupItems(const char* group, ProgmanGroupItems& list) override;
    char* GroupList() override;

    static std::string ProgramsFolder(); // "" when the registry does not name it

private:
    std::string GroupDir(const char* group) const;
    std::string current_;
};

} // namespace kw
