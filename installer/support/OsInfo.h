// Which Windows the installer runs on, detected once per process.
#pragma once

#include <string>

namespace kw {

class OsInfo {
public:
    enum Kind { WindowsNT = 0, Windows95 = 1, Win32s = 2 };
    int kind = WindowsNT;
    int major = 0;
    int minor = 0;
    bool newLook = false;  // the Windows 95 style of windows and dialogs
    bool newShell = false; // the Explorer shell (shell links) rather than Program Manager

    // Fills the record from the machine's version facts.
    void Detect();
    // "SOFTWARE\Microsoft\Windows\CurrentVersion"; null for Win32s.
    const char* CurrentVersionKey() const;
    void BeforeSequence() {}
    void AfterSequence() {}
};

// The process-wide record, detected on first use.
OsInfo& GetOsInfo();

// The key (under HKEY_LOCAL_MACHINE) of the list of programs to uninstall, and of a product's
// entry in it.
std::string UninstallListKeyPath();
std::string UninstallKeyPath(const std::string& product);

// Schedules existing to replace replacement at the next restart: through the system's
// delayed move, else (the Windows 95 family) through section "rename" of wininit.ini.
bool RenameFileAtReboot(const char* existing, const char* replacement);

}  // namespace kw
