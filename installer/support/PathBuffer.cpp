#include "installer/support/PathBuffer.h"

#include "installer/support/CheckFailed.h"

#include <cstring>

namespace kw {

PathBuffer::PathBuffer(const char* text)
{
    text_[0] = 0;
    SetText(text);
}

PathBuffer::PathBuffer(const PathBuffer& other) : PathName()
{
    std::memcpy(text_, other.text_, sizeof text_);
}

PathBuffer& PathBuffer::operator=(const PathBuffer& other)
{
    std::memcpy(text_, other.text_, sizeof text_);
    return *this;
}

bool PathBuffer::SetText(const char* text)
{
    if (!text) text = "";
    size_t n = std::strlen(text);
    if (n >= sizeof text_) {
        CheckFailed("FPATH", __LINE__, false);
        return false;
    }
    std::memmove(text_, text, n + 1);
    return true;
}

}  // namespace kw
