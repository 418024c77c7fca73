#include "installer/support/OsInfo.h"

#include "framework/stream/StringUtil.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/RegKey.h"

#include <string>

namespace kw {

void OsInfo::Detect()
{
    fw::WinRoot* r = fw::WinRoot::Current();
    fw::OsFacts facts = r ? r->Os() : fw::OsFacts();
    major = facts.major;
    minor = facts.minor;
    newLook = newShell = false;
    if (facts.platform == fw::kPlatformWin32s) {
        kind = Win32s;
    } else if (facts.platform == fw::kPlatformWin32Windows) {
        kind = Windows95;
        newLook = newShell = true;
    } else {
        kind = WindowsNT;
        if (major >= 4) {
            newLook = newShell = true;
        } else {
            newLook = major == 3 && minor > 50;
            std::string key = std::string(CurrentVersionKey()) + "\\WinLogon";
            RegKey winlogon(0, key.c_str());
            char shell[RegKey::kPathSize];
            if (winlogon.QueryString("", shell, sizeof shell))
                newShell = !fw::EqualsIgnoreCase(shell, "progman.exe");
        }
    }
}

const char* OsInfo::CurrentVersionKey() const
{
    return kind == Win32s ? nullptr : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
}

std::string UninstallListKeyPath() { return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"; }

std::string UninstallKeyPath(const std::string& product) { return UninstallListKeyPath() + "\\" + product; }

OsInfo& GetOsInfo()
{
    static OsInfo info;
    static bool detected = false;
    if (!detected) {
        info.Detect();
        detected = true;
    }
    return info;
}

bool RenameFileAtReboot(const char* existing, const char* replacement)
{
    if (fw::WinFileSystem::MoveFileEx(existing, replacement,
                                  fw::kMoveReplaceExisting | fw::kMoveDelayUntilReboot))
        return true;
    if (!existing || !*existing || !replacement || !*replacement) return false;
    // Each name in its short form where every component exists, else as given; no fixed
    // buffer, so a long name is never cut to an empty line that would do nothing at restart.
    std::string from = existing, to = replacement, shortName;
    if (fw::WinFileSystem::ShortPath(from, shortName)) from = shortName;
    if (fw::WinFileSystem::ShortPath(to, shortName)) to = shortName;
    return fw::WinProfile::WriteString("wininit.ini", "rename", to.c_str(), from.c_str());
}

}  // namespace kw
