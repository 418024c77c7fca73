#include "installer/support/OsInfo.h"

#include "framework/stream/StringUtil.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/RegKey.h"

#include <string>

void OsInfo::Detect()
{
    WinRoot* r = WinRoot::Current();
    OsFacts facts = r ? r->Os() : OsFacts();
    major = facts.major;
    minor = facts.minor;
    newLook = newShell = false;
    if (facts.platform == kPlatformWin32s) {
        kind = Win32s;
    } else if (facts.platform == kPlatformWin32Windows) {
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
                newShell = !EqualsIgnoreCase(shell, "progman.exe");
        }
    }
}

const char* OsInfo::CurrentVersionKey() const
{
    return kind == Win32s ? nullptr : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
}

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
    if (WinFileSystem::MoveFileEx(existing, replacement,
                                  kMoveReplaceExisting | kMoveDelayUntilReboot))
        return true;
    if (!existing || !*existing || !replacement || !*replacement) return false;
    // Each name in its short form where every component exists, else as given; no fixed
    // buffer, so a long name is never cut to an empty line that would do nothing at restart.
    std::string from = existing, to = replacement, shortName;
    if (WinFileSystem::ShortPath(from, shortName)) from = shortName;
    if (WinFileSystem::ShortPath(to, shortName)) to = shortName;
    return WinProfile::WriteString("wininit.ini", "rename", to.c_str(), from.c_str());
}
