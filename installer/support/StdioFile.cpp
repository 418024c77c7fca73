#include "installer/support/StdioFile.h"

#include "framework/sys/WinFileSystem.h"

namespace kw {

bool StdioFile::Close()
{
    if (!file_) return true;
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

PathStream::PathStream(const char* path, const char* mode, bool& ok)
    : StdioFile(path && mode ? fw::WinFileSystem::Open(path, mode) : nullptr)
{
    ok = file_ != nullptr;
}

}  // namespace kw
