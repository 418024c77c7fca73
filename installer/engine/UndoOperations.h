// What undoing an operation-log record asks of the installer's operations. The uninstaller
// hands its operations (with the null sink attached) to each record's Undo.
#pragma once

#include <cstdint>

namespace kw {

class RegKey;

// What undoing one record came to: the change undone; kept (the user chose to keep it, or
// what it would remove is not the install's own); or failed.
enum class UndoResult { kUndone, kKept, kFailed };

class UndoOperations {
public:
    virtual ~UndoOperations() = default;
    // A question box with Yes and No, or with the two buttons given: 1 for the first, 2 for
    // the second. defaultAnswer (1 or 2) is the button that Enter chooses: always the one that
    // keeps what the question is about.
    virtual int Ask(const char* text, const char* caption, const char* first, const char* second,
                    int defaultAnswer) = 0;

    virtual bool DirectoryNotEmpty(const char* path) = 0;
    virtual bool RemoveDirectoryTree(const char* path) = 0;
    virtual bool MakeDirectory(const char* path) = 0;
    virtual bool MoveFile(const char* from, const char* to) = 0;
    virtual bool DeleteFile(const char* path) = 0;
    virtual int SharedDllCount(const char* path) = 0; // 0 when missing or unreadable
    virtual int ReleaseSharedDllRef(const char* path) = 0;
    virtual bool DeleteSharedDllValue(const char* path) = 0;
    virtual bool SetFileLength(const char* path, uint32_t length) = 0;
    virtual bool SetFileAttributes(const char* path, uint32_t attributes) = 0;

    virtual bool DeleteIniEntry(const char* file, const char* section, const char* entry,
                                int index) = 0;
    virtual bool InsertIniEntry(const char* file, const char* section, const char* entry,
                                const char* value, int index) = 0;
    virtual bool ReplaceIniEntry(const char* file, const char* section, const char* entry,
                                 const char* value, int index) = 0;
    virtual bool IniSectionHasEntries(const char* file, const char* section) = 0;
    virtual bool DeleteIniSection(const char* file, const char* section) = 0;
    virtual bool AddIniSection(const char* file, const char* section) = 0;

    virtual bool GroupHasItems(const char* group) = 0;
    virtual bool DeleteGroup(const char* group) = 0;
    virtual bool CreateGroup(const char* group) = 0;
    virtual bool DeleteProgmanItem(const char* group, const char* item) = 0;
    // The stored item record (1112 bytes), added as a complete record.
    virtual bool AddProgmanItem(const char* group, const unsigned char* record) = 0;

    virtual bool RegKeyHasSubkeys(const RegKey& key) = 0;
    virtual bool RegKeyHasValues(const RegKey& key) = 0;
    virtual bool DeleteRegKey(const RegKey& key) = 0;
    virtual bool CreateRegKey(const RegKey& key) = 0;
    virtual bool DeleteRegValue(const RegKey& key, const char* name) = 0;
    virtual bool SetRegValue(const RegKey& key, const char* name, uint32_t type, uint32_t size,
                             const void* data) = 0;
    virtual bool RemoveFont(const char* path) = 0;

    // A shared file's record settles its count (released, removed with the file, or kept at
    // the user's word); the record of the count's own change then leaves the count alone.
    virtual void SettleSharedCount(const char* path, bool kept) = 0;
    // Whether the value is a shared-file count settled so; kept tells how.
    virtual bool SharedCountSettled(const RegKey& key, const char* name, bool& kept) = 0;
    // A file that a kept change still lives in (the INI file of a kept section): the record
    // of the file's creation keeps it too.
    virtual void KeepFile(const char* path) = 0;
    virtual bool FileKept(const char* path) = 0;
};

} // namespace kw
