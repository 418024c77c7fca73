// Where the installer's operations report each completed change: the operation log during an
// install, the null sink while the uninstaller undoes a log.
#pragma once

#include <cstdint>

namespace kw {

class RegKey;

enum { kProgmanItemSize = 1112 }; // x, y, hot key, icon index, minimised, name, command, icon, dir

class LogSink {
public:
    virtual ~LogSink() = default;
    // The state (0, 1 or 2) that the records written from now on carry.
    virtual void SetState(int) {}
    // The state of the records written now; what the null sink takes is never undone (2).
    virtual int State() const { return 2; }
    virtual void DirectoryCreated(const char*) {}
    virtual void DirectoryRemoved(const char*) {}
    virtual void FileDeleted(const char*) {}
    virtual void FileMoved(const char*, const char*) {}
    virtual void FileCreated(const char*) {}
    virtual void FileExtended(const char*, uint32_t) {}
    virtual void AttributesChanged(const char*, uint32_t, uint32_t) {}
    virtual void IniSectionCreated(const char*, const char*) {}
    virtual void IniSectionDeleted(const char*, const char*) {}
    virtual void IniEntryCreated(const char*, const char*, const char*, int) {}
    virtual void IniEntryDeleted(const char*, const char*, const char*, const char*, int) {}
    virtual void IniEntryChanged(const char*, const char*, const char*, const char*, int) {}
    virtual void GroupCreated(const char*) {}
    virtual void GroupDeleted(const char*) {}
    virtual void ItemCreated(const char*, const char*) {}
    virtual void ItemDeleted(const char*, const unsigned char* /*kProgmanItemSize bytes*/) {}
    virtual void RegKeyCreated(const RegKey&) {}
    virtual void RegKeyDeleted(const RegKey&) {}
    virtual void RegValueCreated(const RegKey&, const char*) {}
    virtual void RegValueChanged(const RegKey&, const char*, uint32_t, uint32_t, const void*) {}
    virtual void RegValueDeleted(const RegKey&, const char*, uint32_t, uint32_t, const void*) {}
    virtual void FontInstalled(const char*) {}
    virtual void DataBlock(int, int, const void*) {}
};

// The shared do-nothing sink.
LogSink& NullLogSink();

} // namespace kw
