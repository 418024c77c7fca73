// The compression library "lzpunz2.dll", bound by name at run time. Every call resolves its
// export by name and answers -1 when the library is not loaded or the export is missing. The
// decompressor pulls its input through a byte reader, the compressor hands its output to a
// byte writer; the library's callbacks take no object, so the reader (writer) most recently
// passed in is the one they reach.
#pragma once

#include "framework/sys/DynamicLibrary.h"

#include <string>

namespace kw {

// A source of compressed bytes: the next byte (0-255), or -1 at the end or on an error.
class ByteReader {
public:
    virtual ~ByteReader() = default;
    virtual int ReadByte() = 0;
};

// A sink of compressed bytes: takes one byte; a negative answer refuses it.
class ByteWriter {
public:
    virtual ~ByteWriter() = default;
    virtual int WriteByte(unsigned char byte) = 0;
};

class LzpLibrary {
public:
    static constexpr const char* kName = "lzpunz2.dll";

    LzpLibrary() = default;
    ~LzpLibrary() { Free(); }
    LzpLibrary(const LzpLibrary&) = delete;
    LzpLibrary& operator=(const LzpLibrary&) = delete;

    bool Load(const char* name = kName);
    void Free();
    bool IsLoaded() const { return library_.IsLoaded(); }

    int UnzOpen(ByteReader* reader);
    int UnzRead(void* buffer, int size);
    int UnzClose();
    int GetError();
    int UnzAlloc();
    int UnzFree();
    int ZipCreate(ByteWriter* writer, int level, int reserved);
    int ZipWrite(const void* buffer, int size);
    int ZipClose();

    // Compresses a block of bytes into out (replacing it); false on any failure.
    bool Pack(const std::string& data, std::string& out, int level = 9);
    // Expands a whole compressed block; false (out undefined) when it is refused.
    bool Unpack(const std::string& data, std::string& out);

private:
    void* Export(const char* name) const { return library_.Symbol(name); }
    fw::DynamicLibrary library_;
};

} // namespace kw
