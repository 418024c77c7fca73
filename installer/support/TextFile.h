// A line-oriented text file (module TXTFILE). Lines written are separated by "\n" with no
// newline after the last; lines read lose their "\n" or "\r\n".
#pragma once

#include <cstddef>
#include <cstdio>

class TextFile {
public:
    ~TextFile() { Close(); }
    bool Open(const char* path, bool forReading);
    // The next line into a buffer of the given size (a longer line continues in the next
    // read, as fgets does); false at the end.
    bool ReadLine(char* buffer, size_t size);
    bool WriteLine(const char* text);
    bool Close();
    bool IsOpen() const { return file_ != nullptr; }

private:
    FILE* file_ = nullptr;
    bool wroteLine_ = false;
};
