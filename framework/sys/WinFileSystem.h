// File and directory calls of the emulated Windows machine (WinRoot::Current()). Every path
// is a Windows path; the calls behave as the installer expects of Windows: a read-only or
// in-use file cannot be deleted or overwritten, a rename does not replace an existing file
// unless asked, listings report "." and ".." and short 8.3 names, and a symbolic link is
// reported as a plain file and never walked through.
#pragma once

#include "framework/sys/WinRoot.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

enum : uint32_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
    kAttrNormal = 0x80,
    kAttrInvalid = 0xFFFFFFFFu,
};

enum : uint32_t { kMoveReplaceExisting = 0x1, kMoveDelayUntilReboot = 0x4 };

// What became of reading one of the machine's own host files.
enum class HostRead { Read, Missing, Unreadable };

// One entry of a directory listing.
struct WinFindData {
    uint32_t attributes = 0;
    std::string name;
    std::string shortName; // the 8.3 name when it differs from name, else empty
    int64_t size = 0;
    int64_t writeTime = 0;  // seconds since 1970, UTC
    int64_t accessTime = 0;
};

// A listing of the entries matching a pattern ("dir\*.*", "dir\a?.txt").
class WinFind {
public:
    bool First(const std::string& pattern, WinFindData& out);
    bool Next(WinFindData& out);
    void Close();
    bool IsOpen() const { return open_; }

private:
    std::vector<WinFindData> entries_;
    size_t next_ = 0;
    bool open_ = false;
};

class WinFileSystem {
public:
    // Opens a file with a stdio mode ("rb", "wt", "a+t" ...). Null when the path cannot be
    // translated, a writing mode meets a read-only or in-use file, or the file is a link
    // pointing out of the machine or at nothing.
    static FILE* Open(const std::string& path, const char* mode);
    // 0 when the path allows the access (0 exists, 2 write, 4 read, 6 read and write), else -1.
    static int Access(const std::string& path, int mode);
    static bool Exists(const std::string& path) { return Access(path, 0) == 0; }
    static bool IsDirectory(const std::string& path);

    static bool CreateDirectory(const std::string& path);
    static bool RemoveDirectory(const std::string& path); // only an empty directory
    static bool DeleteFile(const std::string& path);      // a link is removed, never followed
    static bool MoveFile(const std::string& from, const std::string& to);
    static bool MoveFileEx(const std::string& from, const std::string& to, uint32_t flags);
    // The copy keeps the file's times and its permission bits (read-only, runnable).
    static bool CopyFile(const std::string& from, const std::string& to, bool failIfExists);

    static uint32_t GetAttributes(const std::string& path); // kAttrInvalid when missing
    static bool SetAttributes(const std::string& path, uint32_t attributes);
    // Lets the file run as a program of the host: execute permission wherever it may be read.
    static bool MakeRunnable(const std::string& path);
    static int64_t FileSize(const std::string& path); // -1 when missing
    // Times in seconds since 1970 (UTC). Creation time cannot be set and reads as the write time.
    static bool GetFileTimes(const std::string& path, int64_t& writeTime, int64_t& accessTime);
    static bool SetFileTimes(const std::string& path, int64_t writeTime, int64_t accessTime);

    // The machine's full path; "" when the path is not valid.
    static std::string FullPath(const std::string& path);
    // The path with every existing component spelled as on disk; false when one is missing.
    static bool ActualPath(const std::string& path, std::string& out);
    // Every component converted to its 8.3 name; false when a component does not exist.
    static bool ShortPath(const std::string& path, std::string& out);
    // The 8.3 name of an entry among its siblings (deterministic: ~n by sorted order).
    static std::string ShortNameAmong(const std::string& name, const std::vector<std::string>& siblings);

    static std::string CurrentDirectory();
    static bool SetCurrentDirectory(const std::string& path);

    static DriveType GetDriveType(char letter, bool* exists = nullptr);
    static long long FreeSpace(char letter); // -1 when the drive is missing

    // Writes a host file so that it is either the old or the new content after a crash:
    // a temporary file beside it is written, flushed to disk and renamed over it.
    static bool WriteHostFileAtomically(const std::string& host, const std::string& bytes);
    // The same for a file of the machine: the whole file replaced in one step (write, flush,
    // rename, flush the directory). Refused as an open for writing would be: through a link
    // leading outside, onto a directory, a read-only file or a file in use.
    static bool ReplaceFile(const std::string& path, const std::string& bytes);
    // Reads a host file of the machine's own (its registry, stores, wininit.ini) whole. A link
    // or anything but a regular file is Unreadable: these files are never read through a link.
    static HostRead ReadHostFile(const std::string& host, std::string& bytes);
    // True when a drive's backing directory is itself a symbolic link.
    static bool IsHostDirectoryLink(const std::string& hostDir);
    // Test hook: the next n renames (MoveFile, MoveFileEx) fail as a full disk would.
    static void FailRenamesForTest(int n);
    // Case-insensitive match of a name against a pattern of "*" and "?"; "*.*" matches all.
    static bool MatchPattern(const std::string& pattern, const std::string& name);
    // The "." and ".." entries that every directory listing holds.
    static bool IsDotName(std::string_view name) { return name == "." || name == ".."; }
};

}  // namespace fw
