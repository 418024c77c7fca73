// The emulated Program Manager of the installer's machine: program groups and their items,
// kept in one file under the root ("progman.dat"), changed only through the command strings
// Program Manager accepts:
//   [CreateGroup("name")]  [ShowGroup("name", n)]  [DeleteGroup("name")]  [DeleteItem("name")]
//   [AddItem(command, "name", iconPath, iconIndex)]
//   [AddItem(command, "name", iconPath, iconIndex, x, y, workingDirectory)]
//   [AddItem(command, "name", iconPath, iconIndex, x, y, workingDirectory, hotKey, minimised)]
// and answering the requests "GROUPS" (names separated by "\r\n") and a group's name (the
// line "name",file,count then one line per item: "name","command",directory,iconPath,x,y,
// iconIndex,hotKey,minimised). Items go into the group last created or shown.
#pragma once

#include <string>
#include <vector>

namespace fw {

struct ProgmanEntry {
    std::string name, commandLine, workingDirectory, iconPath;
    int x = 0, y = 0, iconIndex = 0, hotKey = 0, minimised = 0;
};

struct ProgmanGroup {
    std::string name;
    std::vector<ProgmanEntry> items;
};

class ProgmanStore {
public:
    // Whether Program Manager runs on the machine (tests set it); Start runs it.
    static bool Running();
    static void SetRunning(bool running);

    // Carries out one command string; false when it is malformed or refused.
    static bool Execute(const std::string& command);
    // The reply text to a request; false when there is no such group.
    static bool Request(const std::string& item, std::string& reply);
    // The whole store, read from the file of the current machine.
    static std::vector<ProgmanGroup> Groups();

    // Splits one line of arguments at the commas outside double quotes; quotes are dropped
    // and blanks around unquoted fields trimmed.
    static std::vector<std::string> SplitFields(const std::string& line);
};

} // namespace fw
