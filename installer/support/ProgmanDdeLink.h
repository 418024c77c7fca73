// Program groups through Program Manager's command strings (service and topic PROGMAN).
#pragma once

#include "installer/support/GroupLink.h"

#include <string>

namespace kw {

class ProgmanDdeLink : public GroupLink {
public:
    ~ProgmanDdeLink() override;
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

    // The command strings Program Manager is sent; empty when a text cannot be carried (a
    // double quote in a quoted field, a comma or quote in an unquoted one): check failure.
    static std::string CreateGroupCommand(const char* name);
    static std::string ShowGroupCommand(const char* name, int showCommand);
    static std::string DeleteGroupCommand(const char* name);
    static std::string DeleteItemCommand(const char* name);
    static std::string AddItemCommand(const char* name, const char* commandLine, const char* iconPath,
                                      int iconIndex, const char* workingDirectory);
    static std::string AddItemCommand(const ProgmanItem& item);
    // Fills an item from one reply line of a group request; false when a field does not fit.
    static bool ParseItemLine(const std::string& line, ProgmanItem& item);

    // The last command sent (for tests).
    const std::string& LastCommand() const { return last_; }

private:
    bool Execute(const std::string& command);
    bool connected_ = false;
    std::string last_;
};

} // namespace kw
