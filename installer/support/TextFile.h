// A line-oriented text file (module TXTFILE). Lines written are separated by "\n" with no
// newline after the last; lines read lose their "\n" or "\r\n".
#pragma once

#include "installer/support/StdioFile.h"

#include <cstddef>

namespace kw {

class TextFile {
public:
    bool Open(const char* path, bool forReading);
    // The next line into a buffer of the given size (a longer line continues in the next
    // read, as fgets does); false at the end.
    bool ReadLine(char* buffer, size_t size);
    bool WriteLine(const char* text);
    bool Close() { return file_.Close(); }
    bool IsOpen() const { return file_.File() != nullptr; }

private:
    StdioFile file_;
    bool wroteLine_ = false;
};

}  // namespace kw
