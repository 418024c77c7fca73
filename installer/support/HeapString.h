// The installer's string: a length and a heap text that always ends in a zero byte. Every
// empty string shares one static empty text, which is never freed. Operations answer false
// when memory runs out and then keep the old text.
#pragma once

namespace kw {

class HeapString {
public:
    HeapString();
    HeapString(const char* text); // null counts as empty
    HeapString(const char* text, bool& ok);
    explicit HeapString(int resourceId); // a string of the installer's own table; empty when missing
    HeapString(const HeapString& other);
    HeapString& operator=(const HeapString& other);
    ~HeapString();

    const char* Text() const { return text_ ? text_ : kEmpty; }
    int Length() const { return length_; }
    bool IsEmpty() const { return length_ == 0; }
    bool SharesEmptyText() const { return text_ == kEmpty; }

    bool Assign(const char* text);
    // An uninitialised buffer of n + 1 characters (the last one a zero) for the caller to fill.
    bool Reserve(int n);
    char* Buffer() { return text_ == kEmpty ? nullptr : text_; }
    // printf-style through a 1024-character buffer; a longer result is refused with a check
    // failure and the old text kept.
    bool Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    bool Append(const char* text);
    void Adopt(char* heapText); // takes a text allocated with new[]
    char* Detach();             // the caller frees it with delete[]; null for the empty text
    void Clear();
    bool AssignFrom(const HeapString& other);
    bool IsBlank() const;

    // Test hook: every later allocation fails (simulates running out of memory).
    static void FailAllocationsForTest(bool fail);

private:
    static char* Allocate(int n);
    void Free();
    // Frees the held text and takes a text allocated by Allocate (or new[]) of that length.
    void Replace(char* heapText, int length);
    static char kEmpty[1];
    int length_ = 0;
    char* text_ = kEmpty;
};

}  // namespace kw
