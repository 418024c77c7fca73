// The emulated Windows machine the installer works on: one host directory standing for the
// whole machine, like a wine prefix. It holds the drive table (drive_c/, drive_d/ ... below
// the root), the registry file, the store of attributes and version blocks that POSIX lacks,
// the pending-rename list and the machine's settings (Windows and system directories, OS
// facts, environment, tick count, current directory). Windows paths ("C:\x\y" or "c:/x/y")
// are translated here: names resolve case-insensitively, ".." stops at the drive root and no
// symbolic link is ever walked through, so no path leaves the root.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class RegistryStore;

enum class DriveType { Fixed, Removable, Remote, CdRom };

struct DriveInfo {
    char letter = 'C';
    std::string hostDir;      // backing directory, ending in '/'
    DriveType type = DriveType::Fixed;
    std::string volumeName;
    long long forcedFreeBytes = -1; // >= 0: reported free space instead of the host's
};

// Platform kinds as the version query reports them.
enum { kPlatformWin32s = 0, kPlatformWin32Windows = 1, kPlatformWin32NT = 2 };

struct OsFacts {
    int platform = kPlatformWin32NT;
    int major = 4;
    int minor = 0;
    int build = 1381;
    std::string servicePack;
    int processor = 586; // processor type: 386, 486, 586
};

// The fixed part of a file's version block.
struct VersionBlock {
    uint32_t fileVersionMS = 0;
    uint32_t fileVersionLS = 0;
    uint32_t productVersionMS = 0;
    uint32_t productVersionLS = 0;
    uint32_t languageCodepage = 0x040904E4;
    uint32_t fileOS = 0;   // operating-system kind the file is made for (0 unknown)
    uint32_t fileType = 0; // 0 unknown, 1 application, 2 library, 3 driver ...
};

class WinRoot {
public:
    // Creates (or reopens) the machine in hostRoot: drive C: in hostRoot/drive_c/, the Windows
    // directory with its system directory, the registry (pre-seeded when new) and the folders
    // its pre-seeded keys name.
    explicit WinRoot(const std::string& hostRoot);
    ~WinRoot();
    WinRoot(const WinRoot&) = delete;
    WinRoot& operator=(const WinRoot&) = delete;

    // The machine that the installer's file, registry and profile calls go to (null: none).
    static WinRoot* Current();
    static void SetCurrent(WinRoot* root);

    const std::string& HostRoot() const { return hostRoot_; }

    // Drive table. A drive's backing directory defaults to hostRoot/drive_<letter>/.
    bool AddDrive(char letter, DriveType type, const std::string& volumeName = "",
                  const std::string& hostDir = "");
    const DriveInfo* Drive(char letter) const;
    // A path on a CD-ROM drive: nothing on it may be written, made, changed or removed.
    bool IsOnReadOnlyDrive(const std::string& path) const;
    void SetForcedFreeSpace(char letter, long long bytes);
    std::vector<char> DriveLetters() const;

    // Settings of the machine.
    const std::string& WindowsDirectory() const { return windowsDir_; }
    const std::string& SystemDirectory() const { return systemDir_; }
    void SetWindowsDirectory(const std::string& dir);
    void SetSystemDirectory(const std::string& dir);
    OsFacts& Os() { return os_; }
    const OsFacts& Os() const { return os_; }
    std::string GetEnv(const std::string& name) const; // "" when unset
    bool HasEnv(const std::string& name) const;
    void SetEnv(const std::string& name, const std::string& value);
    uint32_t TickCount() const;
    void SetTickSource(std::function<uint32_t()> source); // null: milliseconds since creation

    // Current directory of the machine, a full Windows path ("C:\").
    const std::string& CurrentDirectory() const { return currentDir_; }
    bool SetCurrentDirectory(const std::string& path); // must name an existing directory

    // "X:\a\b": the path made absolute against the current directory, separators made "\",
    // "." dropped and ".." applied but never above the drive root. Empty for a path that
    // names no drive letter form (for example a UNC name) or is not valid.
    std::string FullPath(const std::string& path) const;

    // The host path standing for a Windows path. Existing components are found ignoring case;
    // missing ones keep the spelling given. False when the drive is not in the table or a
    // component on the way is a symbolic link. When the final component is a link, isLink
    // is set (callers must not follow it out of the root).
    bool ToHost(const std::string& path, std::string& host, bool* isLink = nullptr) const;

    // Files in use: a file in use cannot be deleted, renamed, replaced or opened for writing.
    void SetInUse(const std::string& path, bool inUse = true);
    bool IsInUse(const std::string& path) const;

    // Pending renames applied by Restart(): existing moves to replacement (an empty
    // replacement deletes it).
    void AddPendingRename(const std::string& existing, const std::string& replacement);
    std::vector<std::pair<std::string, std::string>> PendingRenames() const;
    // Simulates a restart: clears the files in use, applies the pending renames in order, then
    // the lines dest=source of section "rename" of wininit.ini in the Windows directory (dest
    // "NUL" deletes the source), after which wininit.ini becomes wininit.bak.
    void Restart();

    // Attributes POSIX lacks (hidden, system, archive), kept by full Windows path.
    uint32_t StoredAttributes(const std::string& path) const;
    void SetStoredAttributes(const std::string& path, uint32_t attributes);
    bool GetVersionBlock(const std::string& path, VersionBlock& out) const;
    void SetVersionBlock(const std::string& path, const VersionBlock& block);
    void ForgetFile(const std::string& path);                      // after a delete
    void MoveFileRecord(const std::string& from, const std::string& to); // after a rename

    RegistryStore& Registry() { return *registry_; }

private:
    struct FileRecord {
        uint32_t attributes = 0;
        bool hasVersion = false;
        VersionBlock version;
    };
    bool Split(const std::string& path, char& drive, std::vector<std::string>& comps) const;
    std::string KeyOf(const std::string& path) const;
    void LoadStore();
    void SaveStore() const;
    void SavePending() const;
    void MakeHostDirs(const std::string& winDir);

    std::string hostRoot_;
    std::map<char, DriveInfo> drives_;
    std::string windowsDir_ = "C:\\WINDOWS";
    std::string systemDir_ = "C:\\WINDOWS\\SYSTEM";
    OsFacts os_;
    std::map<std::string, std::pair<std::string, std::string>> env_; // upper name -> (name, value)
    std::function<uint32_t()> tickSource_;
    int64_t createdMs_ = 0;
    std::string currentDir_ = "C:\\";
    std::vector<std::string> inUse_; // upper-case full paths
    std::vector<std::pair<std::string, std::string>> pending_;
    std::map<std::string, FileRecord> files_;
    std::unique_ptr<RegistryStore> registry_;
};

}  // namespace fw
