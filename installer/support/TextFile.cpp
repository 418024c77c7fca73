#include "installer/support/TextFile.h"

#include "framework/sys/WinFileSystem.h"
#include "installer/support/CheckFailed.h"

#include <cstring>

namespace kw {

bool TextFile::Open(const char* path, bool forReading)
{
    CheckFailed("TXTFILE", 13, !IsOpen());
    if (IsOpen() || !path) return false;
    file_.Reset(fw::WinFileSystem::Open(path, forReading ? "rt" : "wt"));
    wroteLine_ = false;
    return IsOpen();
}

bool TextFile::ReadLine(char* buffer, size_t size)
{
    if (!IsOpen() || size < 2 || !std::fgets(buffer, static_cast<int>(size), file_.File())) return false;
    size_t n = std::strlen(buffer);
    if (n > 0 && buffer[n - 1] == '\n') buffer[--n] = 0;
    if (n > 0 && buffer[n - 1] == '\r') buffer[--n] = 0;
    return true;
}

bool TextFile::WriteLine(const char* text)
{
    if (!IsOpen()) return false;
    if (wroteLine_ && std::fputc('\n', file_.File()) == EOF) return false;
    wroteLine_ = true;
    return std::fputs(text ? text : "", file_.File()) >= 0;
}

}  // namespace kw
