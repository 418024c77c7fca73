// "DLGINSTSF": the file groups of the script in a list of several choices, for installing the
// chosen ones into a directory of the user's choice (the pause event's third button).
#pragma once

#include <string>
#include <vector>

class QWidget;

namespace kw {

class InstallerHost;

// Runs the dialog over the names; true after OK with the chosen positions (possibly none),
// false after Close.
bool ChooseGroups(InstallerHost& host, const std::vector<std::string>& names, std::vector<int>& chosen);

} // namespace kw
