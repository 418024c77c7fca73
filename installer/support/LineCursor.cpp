#include "installer/support/LineCursor.h"

#include "installer/support/CheckFailed.h"

#include <cstring>

namespace kw {

void LineCursor::Begin(const char* text)
{
    line_ = text;
    end_ = text ? std::strstr(text, "\r\n") : nullptr;
}

void LineCursor::Next()
{
    if (!line_) return;
    if (!end_) {
        line_ = nullptr;
        return;
    }
    line_ = end_ + 2;
    end_ = std::strstr(line_, "\r\n");
}

bool LineCursor::CopyLine(char* buffer, size_t size) const
{
    if (!line_ || size == 0) return false;
    size_t n = end_ ? static_cast<size_t>(end_ - line_) : std::strlen(line_);
    if (n + 1 > size) {
        CheckFailed("LINECUR", __LINE__, false);
        buffer[0] = 0;
        return false;
    }
    std::memcpy(buffer, line_, n);
    buffer[n] = 0;
    return true;
}

int LineCursor::CountLines(const char* text)
{
    LineCursor c;
    int n = 0;
    for (c.Begin(text); c.Valid(); c.Next()) ++n;
    return n;
}

bool LineCursor::LineAt(const char* text, int n, char* buffer, size_t size)
{
    LineCursor c;
    c.Begin(text);
    for (int i = 0; i < n && c.Valid(); ++i) c.Next();
    return c.Valid() && c.CopyLine(buffer, size);
}

}  // namespace kw
