// A cursor over text whose lines are separated by "\r\n" (the text is not owned).
#pragma once

#include <cstddef>

namespace kw {

class LineCursor {
public:
    void Begin(const char* text); // null: no lines
    bool Valid() const { return line_ != nullptr; }
    void Next();
    // The current line without its "\r\n" into a buffer of the given size; a line that does
    // not fit is refused with a check failure (the buffer left empty).
    bool CopyLine(char* buffer, size_t size) const;
    static int CountLines(const char* text);
    static bool LineAt(const char* text, int n, char* buffer, size_t size);

private:
    const char* line_ = nullptr;
    const char* end_ = nullptr; // the next "\r\n", null on the last line
};

}  // namespace kw
