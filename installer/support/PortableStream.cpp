#include "installer/support/PortableStream.h"

#include "installer/support/CheckFailed.h"
#include "installer/support/HeapString.h"
#include "installer/support/PathName.h"
#include "installer/support/StreamField.h"

#include <cstring>

namespace kw {

int ByteSource::Read(void* buffer, int n)
{
    unsigned char* out = static_cast<unsigned char*>(buffer);
    int count = 0;
    while (count < n) {
        int b = GetByte();
        if (b == -1) break;
        out[count++] = static_cast<unsigned char>(b);
    }
    return count;
}

int PortableSink::Write(const void* buffer, int n)
{
    const unsigned char* in = static_cast<const unsigned char*>(buffer);
    int count = 0;
    while (count < n && WriteByte(in[count])) ++count;
    return count;
}

int StdioSource::Read(void* buffer, int n)
{
    if (!file_ || n <= 0) return 0;
    return static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(n), file_));
}

bool StdioSink::WriteByte(unsigned char byte) { return file_ && std::fputc(byte, file_) != EOF; }

int StdioSink::Write(const void* buffer, int n)
{
    if (!file_ || n <= 0) return 0;
    return static_cast<int>(std::fwrite(buffer, 1, static_cast<size_t>(n), file_));
}

int MemorySource::Read(void* buffer, int n)
{
    if (n <= 0) return 0;
    size_t take = std::min(static_cast<size_t>(n), size_ - pos_);
    std::memcpy(buffer, data_ + pos_, take);
    pos_ += take;
    return static_cast<int>(take);
}

bool MemorySink::WriteByte(unsigned char byte)
{
    if (bytes_.size() >= limit_) return false;
    bytes_ += static_cast<char>(byte);
    return true;
}

int MemorySink::Write(const void* buffer, int n)
{
    if (n <= 0) return 0;
    size_t take = std::min(static_cast<size_t>(n), limit_ - bytes_.size());
    bytes_.append(static_cast<const char*>(buffer), take);
    return static_cast<int>(take);
}

// ---- reader

bool PortableReader::ReadRaw(void* buffer, int n)
{
    if (n < 0) return false;
    return n == 0 || source_.Read(buffer, n) == n;
}

bool PortableReader::ReadBlock(void* buffer, long n)
{
    unsigned char* p = static_cast<unsigned char*>(buffer);
    while (n > 0) {
        int chunk = n > 2048 ? 2048 : static_cast<int>(n);
        if (!ReadRaw(p, chunk)) return false;
        p += chunk;
        n -= chunk;
    }
    return n == 0;
}

bool PortableReader::ReadByte(unsigned char& value) { return ReadRaw(&value, 1); }

bool PortableReader::ReadWord(uint16_t& value)
{
    unsigned char b[2];
    if (!ReadRaw(b, 2)) return false;
    value = static_cast<uint16_t>(b[0] | (b[1] << 8));
    return true;
}

bool PortableReader::ReadRaw4(uint32_t& value)
{
    unsigned char b[4];
    if (!ReadRaw(b, 4)) return false;
    value = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
            (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return true;
}

bool PortableReader::ReadInt(int& value)
{
    unsigned u;
    if (!ReadUInt(u)) return false;
    // A narrow stream's word is a signed 16-bit number.
    value = narrow_ ? static_cast<int16_t>(u) : static_cast<int32_t>(u);
    return true;
}

bool PortableReader::ReadUInt(unsigned& value)
{
    if (narrow_) {
        uint16_t w;
        if (!ReadWord(w)) return false;
        value = w;
        return true;
    }
    uint32_t v;
    if (!ReadRaw4(v)) return false;
    value = v;
    return true;
}

bool PortableReader::ReadLength(unsigned& length)
{
    unsigned char b;
    if (!ReadByte(b)) return false;
    if (b != 255) {
        length = b;
        return true;
    }
    uint16_t w;
    if (!ReadWord(w)) return false;
    length = w;
    return true;
}

bool PortableReader::ReadString(HeapString& value)
{
    unsigned length;
    if (!ReadLength(length)) return false;
    if (length == 0) {
        value.Clear();
        return true;
    }
    HeapString text;
    if (!text.Reserve(static_cast<int>(length))) return false;
    if (!ReadRaw(text.Buffer(), static_cast<int>(length))) return false;
    text.Buffer()[length] = 0;
    // A stored zero byte ends the text as the installer sees it.
    char* owned = text.Detach();
    value.Adopt(owned);
    return true;
}

bool PortableReader::ReadCString(char* buffer, size_t capacity)
{
    unsigned length;
    if (!ReadLength(length)) return false;
    if (static_cast<size_t>(length) + 1 > capacity) {
        CheckFailed("PORTTYPE", __LINE__, false);
        if (capacity > 0) buffer[0] = 0;
        char skip[256];
        while (length > 0) {
            unsigned n = length > sizeof skip ? static_cast<unsigned>(sizeof skip) : length;
            if (!ReadRaw(skip, static_cast<int>(n))) break;
            length -= n;
        }
        return false;
    }
    if (!ReadRaw(buffer, static_cast<int>(length))) {
        buffer[0] = 0;
        return false;
    }
    buffer[length] = 0;
    return true;
}

bool PortableReader::ReadNamedObject(PathName& object)
{
    HeapString text;
    if (!ReadString(text)) return false;
    return object.SetText(text.Text());
}

bool PortableReader::ReadObject(Persistent& object) { return object.Read(*this); }

bool PortableReader::ReadFields(PortableReader& reader, StreamField* const* fields)
{
    for (; fields && *fields; ++fields)
        if (!(*fields)->Read(reader)) return false;
    return true;
}

// ---- writer

bool PortableWriter::WriteRaw(const void* buffer, int n)
{
    if (n < 0) return false;
    return n == 0 || sink_.Write(buffer, n) == n;
}

bool PortableWriter::WriteByte(unsigned char value) { return sink_.WriteByte(value); }

bool PortableWriter::WriteWord(uint16_t value)
{
    unsigned char b[2] = {static_cast<unsigned char>(value & 0xFF),
                          static_cast<unsigned char>(value >> 8)};
    return WriteRaw(b, 2);
}

bool PortableWriter::WriteRaw4(uint32_t value)
{
    unsigned char b[4];
    for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>((value >> (8 * i)) & 0xFF);
    return WriteRaw(b, 4);
}

bool PortableWriter::WriteInt(int value)
{
    return WriteUInt(static_cast<unsigned>(value));
}

bool PortableWriter::WriteUInt(unsigned value)
{
    return narrow_ ? WriteWord(static_cast<uint16_t>(value & 0xFFFF))
                   : WriteRaw4(static_cast<uint32_t>(value));
}

bool PortableWriter::WriteCString(const char* text)
{
    if (!text) text = "";
    size_t length = std::strlen(text);
    if (length > 0xFFFF) {
        CheckFailed("PORTTYPE", __LINE__, false);
        return false;
    }
    if (length < 255) {
        if (!WriteByte(static_cast<unsigned char>(length))) return false;
    } else if (!WriteByte(255) || !WriteWord(static_cast<uint16_t>(length))) {
        return false;
    }
    return WriteRaw(text, static_cast<int>(length));
}

bool PortableWriter::WriteString(const HeapString& value) { return WriteCString(value.Text()); }

bool PortableWriter::WriteNamedObject(const PathName& object)
{
    return WriteCString(object.Text());
}

bool PortableWriter::WriteObject(Persistent& object) { return object.Write(*this); }

bool PortableWriter::WriteFields(PortableWriter& writer, StreamField* const* fields)
{
    for (; fields && *fields; ++fields)
        if (!(*fields)->Write(writer)) return false;
    return true;
}

}  // namespace kw
