// A directory listing of the entries matching a pattern (a search handle).
#pragma once

#include "framework/sys/WinFileSystem.h"

class FileFind {
public:
    ~FileFind() { Close(); }
    bool First(const char* pattern);
    bool Next();
    void Close();
    bool IsOpen() const { return find_.IsOpen(); }
    const WinFindData& Data() const { return data_; }
    const char* Name() const { return data_.name.c_str(); }
    bool IsDirectory() const { return (data_.attributes & kAttrDirectory) != 0; }
    bool IsDotEntry() const { return WinFileSystem::IsDotName(data_.name); }

private:
    WinFind find_;
    WinFindData data_;
};
