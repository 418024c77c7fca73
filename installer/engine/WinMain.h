// kwmain's entry on the machine: one program is both the installer and the uninstaller, and
// which side runs depends only on whether "kwmain.ini" stands beside it.
#pragma once

#include <string>

namespace kw {

// Runs the side that the program directory (a Windows path) calls for and answers the exit
// code: 1 when the side could not start, else 0. The installer writes its run's result as
// "r" in section "x" of "kwmain.ini".
int WinMain(const std::string& programDirectory);

} // namespace kw
