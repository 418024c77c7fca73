// InstallOperations: the one place through which the installer changes the system: files and
// directories, attributes, INI files, Program Manager groups and items, registry keys and
// values, shared-file reference counts and fonts. Every change that succeeds is reported to the
// current log sink (the operation log during an install; the null sink while the uninstaller
// undoes a log, so that undoing writes no new log). Errors are shown in the engine's error box
// unless the object is quiet, and leave an error code behind.
#pragma once

#include "installer/engine/LogSink.h"
#include "installer/engine/UndoOperations.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>

namespace kw {

class FileCopyJob;
class RegKey;
struct ProgmanItem;

class InstallOperations : public UndoOperations {
public:
    // Last error codes.
    enum Error : int {
        kNoError = 0,
        kReported = 1,
        kDeleteFailed = 2,
        kRenameFailed = 3,
        kOutOfMemory = 4,
        kCloseFailed = 8,
        kMakeDirectoryFailed = 9,
    };
    // Answers of CreateDirectoryPath.
    enum : int { kCreated = 0, kExisted = 1, kFailed = 2 };
    // Answers of CopyStep and the job states of RunCopyJob.
    enum : int { kCopied = 0, kNothingToDo = 1, kCopyFailed = 2, kCopyCancelled = 3 };

    InstallOperations() = default;

    int LastError() const { return lastError_; }
    void ClearError() { lastError_ = kNoError; }
    bool Quiet() const { return quiet_ != 0; }
    void SetQuiet(bool quiet) { quiet_ = quiet ? 1 : 0; }
    LogSink& Sink() const { return *sink_; }
    void AttachLog(LogSink& sink);
    void DetachLog();

    // Where reports go (the engine's error box by default); tests and the uninstaller's
    // silent undo may set their own.
    static void SetReportHook(std::function<void(const std::string&)> hook);
    // Where questions go (a box with Retry and Cancel, or Yes and No); answers true for the
    // first button.
    static void SetAskHook(std::function<bool(const std::string& text, const std::string& caption)> hook);

    // ---- files and directories -------------------------------------------------------------
    // 0 created (each level that had to be made is logged, parents first), 1 existed, 2 failed.
    int CreateDirectoryPath(const char* path);
    bool EnsureParentPath(const char* path);
    bool DeleteFile(const char* path) override;
    bool MoveFile(const char* from, const char* to) override;
    bool ReplaceWithBackup(const char* target, const char* replacement, const char* backup);
    bool SetFileAttributes(const char* path, std::uint32_t attributes) override;
    bool RemoveDirectoryTree(const char* path) override;
    bool CopyFile(const char* from, const char* to);
    // True when the installed file is in use (it cannot be replaced now).
    bool FileInUse(const char* path);
    // Free space of the path's drive in units of 10 KB.
    bool FreeDiskSpace(const char* path, long long& units);
    // 0 enough, 1 too little (said, with both figures in KB), 2 unreadable (said).
    int CheckFreeSpace(const char* path, long long neededUnits);
    // Removable 0, fixed 1, remote 2, CD-ROM 3, else -1.
    int DriveKind(const char* path);
    // The first CD-ROM drive (0 for a:), -1 for none.
    int FirstCdromDrive();

    // Where a logged copy keeps a copy of each installed file that it replaces (the back
    // directory), so that undoing the log puts the file back; empty: nothing is kept.
    void SetBackupDirectory(const std::string& directory) { backupDirectory_ = directory; }
    const std::string& BackupDirectory() const { return backupDirectory_; }

    // The user-facing transfer: the copy, then on a failure Retry or Cancel (or the error,
    // when the job allows no retry). Gives the job's final state.
    int RunCopyJob(FileCopyJob& job);
    // One attempt of a transfer; logs the target it created.
    int CopyStep(FileCopyJob& job);

    // ---- shared-file counts ----------------------------------------------------------------
    int SharedDllCount(const char* path) override;
    // Written only for a file inside the shared-files or common-files directory: n, else -1.
    int SetSharedDllCount(const char* path, int count);
    int AddSharedDllRef(const char* path);
    int ReleaseSharedDllRef(const char* path) override;
    bool DeleteSharedDllValue(const char* path) override;

    // ---- registry --------------------------------------------------------------------------
    bool CreateRegKey(const RegKey& key) override;
    bool DeleteRegKey(const RegKey& key) override;
    bool SetRegValue(const RegKey& key, const char* name, std::uint32_t type, std::uint32_t size,
                     const void* data) override;
    bool SetRegString(const RegKey& key, const char* name, const char* text);
    bool DeleteRegValue(const RegKey& key, const char* name) override;
    bool RegKeyHasSubkeys(const RegKey& key) override;
    bool RegKeyHasValues(const RegKey& key) override;

    // ---- INI files -------------------------------------------------------------------------
    bool SetIniEntry(const char* file, const char* section, const char* entry, const char* value);
    bool AddIniSection(const char* file, const char* section) override;
    bool DeleteIniSection(const char* file, const char* section) override;
    bool InsertIniEntry(const char* file, const char* section, const char* entry, const char* value,
                        int index) override;
    bool AppendIniEntry(const char* file, const char* section, const char* entry, const char* value);
    bool ReplaceIniEntry(const char* file, const char* section, const char* entry, const char* value,
                         int index) override;
    bool DeleteIniEntry(const char* file, const char* section, const char* entry, int index) override;
    bool IniSectionHasEntries(const char* file, const char* section) override;

    // ---- Program Manager -------------------------------------------------------------------
    bool CreateGroup(const char* group) override;
    bool AddProgmanItem(const char* group, const ProgmanItem& item, bool complete);
    bool AddProgmanItem(const char* group, const unsigned char* record) override;
    bool DeleteProgmanItem(const char* group, const char* item) override;
    bool DeleteGroup(const char* group) override;
    bool GroupHasItems(const char* group) override;

    // ---- other -----------------------------------------------------------------------------
    // A font file: its entry in the system's font list (value "<name> (TrueType)" of
    // HKLM "<version key>\Fonts"), logged, so that the uninstaller removes it again.
    bool InstallFont(const char* path);
    bool RemoveFont(const char* path) override;
    // A server's registration: what its own registration code would write, made here by the
    // installer, since no code of the file can run on this machine: HKCR "CLSID\{id}" with
    // "InprocServer32" (or "LocalServer32" for a program ending ".exe") naming the file, and
    // HKCR "<name>\CLSID" naming {id}, the id derived from the file name (ServerClassId).
    // Unregistering deletes both keys. Every change is logged.
    bool RegisterOleServer(const char* path, bool doRegister);
    static std::string ServerClassId(const char* path);
    // Where an INI entry of a file directly in the Windows directory lives in the registry when
    // the file is mapped ("<version key>\IniFileMapping\<file name>"; "USR:" maps to
    // HKEY_CURRENT_USER, "SYS:" to HKEY_LOCAL_MACHINE): true with the key filled.
    bool MapIniFile(const char* path, const char* section, const char* entry, RegKey& key);

    // ---- what undoing asks besides ---------------------------------------------------------
    int Ask(const char* text, const char* caption, const char* first, const char* second,
            int defaultAnswer) override;
    bool DirectoryNotEmpty(const char* path) override;
    bool MakeDirectory(const char* path) override;
    bool SetFileLength(const char* path, std::uint32_t length) override;
    void SettleSharedCount(const char* path, bool kept) override;
    bool SharedCountSettled(const RegKey& key, const char* name, bool& kept) override;
    void KeepFile(const char* path) override;
    bool FileKept(const char* path) override;

    // The engine's error report: shown unless quiet; the code becomes kReported.
    void Report(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

private:
    // A temporary object for changes that are not logged (the inner steps of a move or copy).
    InstallOperations Unlogged() const;
    // Before a copy onto an installed file whose change the log will undo: a copy of the file
    // in the backup directory (backup: its path, "" when none is needed). False, after a
    // report, when the copy cannot be made: the file is then not replaced.
    bool KeepReplacedFile(const char* target, std::string& backup);
    // After the copy: a replaced file is logged as moved to its backup (so that undoing puts
    // it back) and the new one as created; when nothing was replaced the backup goes.
    void RecordReplacedFile(const char* target, const std::string& backup, bool replaced);

    int lastError_ = kNoError;
    int quiet_ = 0;
    LogSink* sink_ = &NullLogSink();
    LogSink* previous_ = nullptr;
    // Shared-file counts settled by their files' records in this undo, by the file's path in
    // capitals: true when kept.
    std::map<std::string, bool> settledCounts_;
    // Files that kept changes live in, likewise.
    std::set<std::string> keptFiles_;
    // INI files whose sections this object took out, likewise: once the install's sections
    // are gone, what such a file still holds is the user's own.
    std::set<std::string> iniFilesEmptied_;
    std::string backupDirectory_;
};

} // namespace kw
