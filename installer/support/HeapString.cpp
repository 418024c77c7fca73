#include "installer/support/HeapString.h"

#include "framework/stream/StateReset.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/ResString.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

namespace kw {

char HeapString::kEmpty[1] = {0};

namespace {
bool gFailAllocations = false;
const fw::StateReset resetFailAllocations{[] { gFailAllocations = false; }};
}

void HeapString::FailAllocationsForTest(bool fail) { gFailAllocations = fail; }

char* HeapString::Allocate(int n)
{
    if (gFailAllocations || n < 0) return nullptr;
    return new (std::nothrow) char[static_cast<size_t>(n) + 1];
}

void HeapString::Free()
{
    if (text_ && text_ != kEmpty) delete[] text_;
    text_ = kEmpty;
    length_ = 0;
}

void HeapString::Replace(char* heapText, int length)
{
    Free();
    text_ = heapText;
    length_ = length;
}

HeapString::HeapString() = default;

HeapString::HeapString(const char* text) { Assign(text); }

HeapString::HeapString(const char* text, bool& ok) { ok = Assign(text); }

HeapString::HeapString(int resourceId)
{
    char buffer[256];
    if (LoadOwnString(resourceId, buffer, sizeof buffer)) Assign(buffer);
}

HeapString::HeapString(const HeapString& other) { AssignFrom(other); }

HeapString& HeapString::operator=(const HeapString& other)
{
    if (this != &other) {
        HeapString copy;
        if (copy.Append(other.Text())) {
            Replace(copy.text_, copy.length_);
            copy.text_ = kEmpty;
            copy.length_ = 0;
        }
    }
    return *this;
}

HeapString::~HeapString() { Free(); }

bool HeapString::Assign(const char* text)
{
    if (!text || !*text) {
        Free();
        return true;
    }
    int n = static_cast<int>(std::strlen(text));
    char* p = Allocate(n);
    if (!p) return false;
    std::memcpy(p, text, static_cast<size_t>(n) + 1);
    Replace(p, n);
    return true;
}

bool HeapString::Reserve(int n)
{
    char* p = Allocate(n);
    if (!p) return false;
    p[0] = 0;
    p[n] = 0;
    Replace(p, n);
    return true;
}

bool HeapString::Format(const char* format, ...)
{
    char buffer[1024];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0 || n >= static_cast<int>(sizeof buffer)) {
        CheckFailed("HEAPSTR", __LINE__, false);
        return false;
    }
    return Assign(buffer);
}

bool HeapString::Append(const char* text)
{
    if (!text || !*text) return true;
    int add = static_cast<int>(std::strlen(text));
    char* p = Allocate(length_ + add);
    if (!p) return false;
    std::memcpy(p, Text(), static_cast<size_t>(length_));
    std::memcpy(p + length_, text, static_cast<size_t>(add) + 1);
    int n = length_ + add;
    Replace(p, n);
    return true;
}

void HeapString::Adopt(char* heapText)
{
    if (!heapText) {
        Free();
        return;
    }
    Replace(heapText, static_cast<int>(std::strlen(heapText)));
}

char* HeapString::Detach()
{
    char* t = text_ == kEmpty ? nullptr : text_;
    text_ = nullptr;
    length_ = 0;
    return t;
}

void HeapString::Clear() { Free(); }

bool HeapString::AssignFrom(const HeapString& other)
{
    if (this == &other) return true;
    Clear();
    return other.IsEmpty() || Append(other.Text());
}

bool HeapString::IsBlank() const
{
    for (const char* p = Text(); *p; ++p)
        if (!std::strchr(" \t\n\v\f\r", *p)) return false;
    return true;
}

}  // namespace kw
