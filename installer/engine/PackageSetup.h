// An install from a package directory of the host (as the project's packer makes it): the
// package becomes a CD-ROM drive of the machine, and the installer runs from a temporary
// directory of the machine holding "install.inf", the installer and "kwmain.ini", which goes
// again once the install has ended.
#pragma once

#include <string>

namespace fw {
class WinRoot;
}

namespace kw {

// installerHost: the kwmain program file on the host (copied into the temporary directory).
// Answers kwmain's exit code; error is set when the install could not be set up, and
// runResult receives the install's result ("r" of "kwmain.ini"; 1 when it wrote none).
int InstallFromPackage(fw::WinRoot& root, const std::string& installerHost, const std::string& packageHost,
                       std::string& error, int* runResult = nullptr);

// Says once, in a message box, that the machine's registry file could not be read and is kept
// aside; true when there was something to say.
bool ReportDamagedRegistry(fw::WinRoot& root);

// The Windows path of a host path that lies in one of the machine's drives ("C:\" for a
// drive's own directory), "" for one outside them.
std::string WindowsPathOfHost(fw::WinRoot& root, const std::string& host);

} // namespace kw
