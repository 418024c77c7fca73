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

WholeFileRead ReadWholeFile(const char* path, std::string& bytes)
{
    FILE* f = fw::WinFileSystem::Open(path, "rb");
    if (!f) return WholeFileRead::kCannotOpen;
    bytes.clear();
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    return failed ? WholeFileRead::kReadError : WholeFileRead::kOk;
}

}  // namespace kw
