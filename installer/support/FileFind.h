// A directory listing of the entries matching a pattern (a search handle).
#pragma once

#include "framework/sys/WinFileSystem.h"

namespace kw {

class FileFind {
public:
    ~FileFind() { Close(); }
    bool First(const char* pattern);
    bool Next();
    void Close();
    bool IsOpen() const { return find_.IsOpen(); }
    const fw::WinFindData& Data() const { return data_; }
    const char* Name() const { return data_.name.c_str(); }
    bool IsDirectory() const { return (data_.attributes & fw::kAttrDirectory) != 0; }
    bool IsDotEntry() const { return fw::WinFileSystem::IsDotName(data_.name); }

private:
    fw::WinFind find_;
    fw::WinFindData data_;
};

}  // namespace kw
