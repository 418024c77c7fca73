// The installer's binary format (install script, operation log). Integers are little-endian;
// a narrow (16-bit) stream stores ints and unsigned ints in 2 bytes, a wide one in 4. A string
// is a length byte L and L bytes, or, from 255 bytes on, the byte 255, a 2-byte length and the
// bytes; no terminator. Every read and write answers false on a short transfer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace kw {

class HeapString;
class PathName;
class Persistent;
class StreamField;

// A source of bytes: Read answers the number of bytes delivered.
class PortableSource {
public:
    virtual ~PortableSource() = default;
    virtual int Read(void* buffer, int n) = 0;
};

// A source built on a get-byte operation (-1 marks the end of the data).
class ByteSource : public PortableSource {
public:
    virtual int GetByte() = 0;
    int Read(void* buffer, int n) override;
};

// A sink of bytes: WriteByte answers whether the byte was taken; Write answers the count.
class PortableSink {
public:
    virtual ~PortableSink() = default;
    virtual bool WriteByte(unsigned char byte) = 0;
    virtual int Write(const void* buffer, int n); // byte by byte until the first refusal
};

// A stdio stream opened "rb" / "wb" (not owned).
class StdioSource : public PortableSource {
public:
    explicit StdioSource(FILE* file) : file_(file) {}
    int Read(void* buffer, int n) override;

private:
    FILE* file_;
};

class StdioSink : public PortableSink {
public:
    explicit StdioSink(FILE* file) : file_(file) {}
    bool WriteByte(unsigned char byte) override;
    int Write(const void* buffer, int n) override;

private:
    FILE* file_;
};

// Bytes in memory.
class MemorySource : public PortableSource {
public:
    MemorySource(const void* data, size_t size)
        : data_(static_cast<const unsigned char*>(data)), size_(size) {}
    explicit MemorySource(const std::string& bytes) : MemorySource(bytes.data(), bytes.size()) {}
    int Read(void* buffer, int n) override;
    size_t Position() const { return pos_; }

private:
    const unsigned char* data_;
    size_t size_;
    size_t pos_ = 0;
};

class MemorySink : public PortableSink {
public:
    explicit MemorySink(size_t limit = SIZE_MAX) : limit_(limit) {}
    bool WriteByte(unsigned char byte) override;
    int Write(const void* buffer, int n) override;
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
    size_t limit_;
};

class PortableReader {
public:
    PortableReader(PortableSource& source, bool narrow) : source_(source), narrow_(narrow) {}
    bool Narrow() const { return narrow_; }
    void SetNarrow(bool narrow) { narrow_ = narrow; }
    int ScriptVersion() const { return scriptVersion_; }
    void SetScriptVersion(int version) { scriptVersion_ = version; }

    bool ReadRaw(void* buffer, int n);
    bool ReadBlock(void* buffer, long n); // in chunks of 2048 bytes
    bool ReadByte(unsigned char& value);
    bool ReadWord(uint16_t& value);
    bool ReadRaw4(uint32_t& value);
    bool ReadInt(int& value);
    bool ReadUInt(unsigned& value);
    bool ReadString(HeapString& value);
    // A string into a caller buffer of capacity bytes (terminator included). A stored text
    // that does not fit is refused with a check failure: its bytes are skipped, the buffer
    // left empty and the read fails.
    bool ReadCString(char* buffer, size_t capacity);
    bool ReadNamedObject(PathName& object);
    bool ReadObject(Persistent& object);
    static bool ReadFields(PortableReader& reader, StreamField* const* fields);

private:
    bool ReadLength(unsigned& length);
    PortableSource& source_;
    bool narrow_;
    int scriptVersion_ = 0;
};

class PortableWriter {
public:
    PortableWriter(PortableSink& sink, bool narrow) : sink_(sink), narrow_(narrow) {}
    bool Narrow() const { return narrow_; }

    bool WriteRaw(const void* buffer, int n);
    bool WriteByte(unsigned char value);
    bool WriteWord(uint16_t value);
    bool WriteRaw4(uint32_t value);
    bool WriteInt(int value);
    bool WriteUInt(unsigned value);
    // A text of 65536 bytes or more cannot be stored: refused with a check failure.
    bool WriteCString(const char* text);
    bool WriteString(const HeapString& value);
    bool WriteNamedObject(const PathName& object);
    bool WriteObject(Persistent& object);
    static bool WriteFields(PortableWriter& writer, StreamField* const* fields);

private:
    PortableSink& sink_;
    bool narrow_;
};

}  // namespace kw
