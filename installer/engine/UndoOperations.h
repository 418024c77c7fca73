// What undoing an operation-log record asks of the installer's operations. The uninstaller
// hands its operations (with the null sink attached) to each record's Undo.
#pragma once

#include <cstdint>

namespace kw {

class RegKey;

class UndoOperations {
public:
    virtual ~UndoOperations() = default;
    // A question box: 1 for the first button (Yes, or first when given), 2 for the second.
    virtual int Ask(const char* text, const char* caption, const char* first = nullptr,
                    const char* second = nullptr) = 0;

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
    virtual bool DeleteRegKey(const RegKey& key) = 0;
    virtual bool CreateRegKey(const RegKey& key) = 0;
    virtual bool DeleteRegValue(const RegKey& key, const char* name) = 0;
    virtual bool SetRegValue(const RegKey& key, const char* name, uint32_t type, uint32_t size,
                             const void* data) = 0;
    virtual bool RemoveFont(const char* path) = 0;
};

} // namespace kw
