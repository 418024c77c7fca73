#include "installer/support/TextFile.h"

#include "framework/sys/WinFileSystem.h"
#include "installer/support/CheckFailed.h"

#include <cstring>

bool TextFile::Open(const char* path, bool forReading)
{
    CheckFailed("TXTFILE", 13, file_ == nullptr);
    if (file_ || !path) return false;
    file_ = WinFileSystem::Open(path, forReading ? "rt" : "wt");
    wroteLine_ = false;
    return file_ != nullptr;
}

bool TextFile::ReadLine(char* buffer, size_t size)
{
    if (!file_ || size < 2 || !std::fgets(buffer, static_cast<int>(size), file_)) return false;
    size_t n = std::strlen(buffer);
    if (n > 0 && buffer[n - 1] == '\n') buffer[--n] = 0;
    if (n > 0 && buffer[n - 1] == '\r') buffer[--n] = 0;
    return true;
}

bool TextFile::WriteLine(const char* text)
{
    if (!file_) return false;
    if (wroteLine_ && std::fputc('\n', file_) == EOF) return false;
    wroteLine_ = true;
    return std::fputs(text ? text : "", file_) >= 0;
}

bool TextFile::Close()
{
    if (!file_) return true;
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}
