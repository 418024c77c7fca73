// Persistent binary streams: the form in which every file of the planner is written and read.
//
// Everything is little-endian and written field by field. A string is a 32-bit length n
// followed by its n bytes, without terminator. A read past the end sets the fail state and
// yields zeros; every length and count read from a stream is capped by the caller's bound,
// so a damaged file can never make the program allocate or loop without limit.
// No stream header is written or expected: a file starts directly with its first record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>

namespace fw {

// State bits, as the program tests them.
class pstream {
public:
    enum StateBits { goodbit = 0, eofbit = 1, failbit = 2, badbit = 4 };
    // Open modes of the file streams: binary input is in|binary (0x81), binary output that
    // truncates is out|binary (0x82); update (in|out|binary) seeks and never truncates.
    enum OpenMode { in = 0x01, out = 0x02, binary = 0x80 };

    // Default bound for strings read from a stream.
    static constexpr std::uint32_t kMaxStringLength = 1u << 20;

    int rdstate() const { return state_; }
    bool good() const { return state_ == goodbit; }
    bool eof() const { return (state_ & eofbit) != 0; }
    bool fail() const { return (state_ & (failbit | badbit)) != 0; }
    bool bad() const { return (state_ & badbit) != 0; }
    bool operator!() const { return fail(); }
    explicit operator bool() const { return !fail(); }
    void clear(int state = goodbit) { state_ = state; }
    void setstate(int bits) { state_ |= bits; }

protected:
    pstream() = default;
    ~pstream() = default;
    // Position of the buffer for reading (in) or writing (out); -1 without a buffer.
    std::streamoff tell(std::ios_base::openmode which);
    // Moves that position; a refused move fails the stream.
    bool seek(std::streamoff off, std::ios_base::seekdir dir, std::ios_base::openmode which);
    // Flushes and closes an open file buffer; false when either step failed.
    static bool syncAndClose(std::filebuf& fb);
    std::streambuf* buf_ = nullptr;
    int state_ = goodbit;
};

class ipstream : public virtual pstream {
public:
    explicit ipstream(std::streambuf* buf = nullptr) { buf_ = buf; if (!buf) state_ = badbit; }

    std::uint32_t readWord() { return readWord32(); }
    std::uint32_t readWord32();
    std::uint16_t readWord16();
    std::uint8_t readByte();
    // Reads n raw bytes; on a short read the missing bytes are zero and the stream fails.
    void readBytes(void* data, std::size_t n);
    // Reads a persistent string; a length above maxLen (or past the end) fails and yields "".
    std::string readString(std::uint32_t maxLen = kMaxStringLength);
    double readDouble();
    float readFloat();
    std::int32_t readInt32() { return static_cast<std::int32_t>(readWord32()); }
    std::int16_t readInt16() { return static_cast<std::int16_t>(readWord16()); }

    // Position; seeking past the end fails on the next read.
    std::streamoff tellg();
    bool seekg(std::streamoff pos);
    bool seekg(std::streamoff off, std::ios_base::seekdir dir);
    // Bytes between the read position and the end (0 when unknown).
    std::streamoff remaining();

    ipstream& operator>>(std::string& s) { s = readString(); return *this; }
    ipstream& operator>>(std::uint32_t& v) { v = readWord32(); return *this; }
    ipstream& operator>>(std::int32_t& v) { v = readInt32(); return *this; }
    ipstream& operator>>(std::uint16_t& v) { v = readWord16(); return *this; }
    ipstream& operator>>(std::int16_t& v) { v = readInt16(); return *this; }
    ipstream& operator>>(std::uint8_t& v) { v = readByte(); return *this; }
    ipstream& operator>>(char& v) { v = static_cast<char>(readByte()); return *this; }
    ipstream& operator>>(bool& v) { v = readByte() != 0; return *this; }
    ipstream& operator>>(double& v) { v = readDouble(); return *this; }
    ipstream& operator>>(float& v) { v = readFloat(); return *this; }

protected:
    std::size_t rawRead(void* data, std::size_t n);
};

class opstream : public virtual pstream {
public:
    explicit opstream(std::streambuf* buf = nullptr) { buf_ = buf; if (!buf) state_ = badbit; }

    void writeWord(std::uint32_t v) { writeWord32(v); }
    void writeWord32(std::uint32_t v);
    void writeWord16(std::uint16_t v);
    void writeByte(std::uint8_t v);
    void writeBytes(const void* data, std::size_t n);
    void writeString(const std::string& s);
    void writeDouble(double v);
    void writeFloat(float v);

    std::streamoff tellp();
    bool seekp(std::streamoff pos);
    bool seekp(std::streamoff off, std::ios_base::seekdir dir);
    // Pushes buffered bytes to the device; fails the stream when the device refuses them.
    bool flush();

    opstream& operator<<(const std::string& s) { writeString(s); return *this; }
    opstream& operator<<(const char* s) { writeString(s ? s : ""); return *this; }
    opstream& operator<<(std::uint32_t v) { writeWord32(v); return *this; }
    opstream& operator<<(std::int32_t v) { writeWord32(static_cast<std::uint32_t>(v)); return *this; }
    opstream& operator<<(std::uint16_t v) { writeWord16(v); return *this; }
    opstream& operator<<(std::int16_t v) { writeWord16(static_cast<std::uint16_t>(v)); return *this; }
    opstream& operator<<(std::uint8_t v) { writeByte(v); return *this; }
    opstream& operator<<(char v) { writeByte(static_cast<std::uint8_t>(v)); return *this; }
    opstream& operator<<(bool v) { writeByte(v ? 1 : 0); return *this; }
    opstream& operator<<(double v) { writeDouble(v); return *this; }
    opstream& operator<<(float v) { writeFloat(v); return *this; }

protected:
    void rawWrite(const void* data, std::size_t n);
};

// Binary input file. Opening a missing name falls back to a case-insensitive match of the
// file name in its directory. Only a regular file opens.
class ifpstream : public ipstream {
public:
    ifpstream() : ipstream(nullptr) {}
    explicit ifpstream(const std::string& path, int mode = in | binary) : ifpstream() { open(path, mode); }
    bool open(const std::string& path, int mode = in | binary);
    bool is_open() const { return fb_.is_open(); }
    void close();

private:
    std::filebuf fb_;
};

// Binary output file, truncated on open.
class ofpstream : public opstream {
public:
    ofpstream() : opstream(nullptr) {}
    explicit ofpstream(const std::string& path, int mode = out | binary) : ofpstream() { open(path, mode); }
    bool open(const std::string& path, int mode = out | binary);
    bool is_open() const { return fb_.is_open(); }
    // Flushes and closes; false when any write or the close failed.
    bool close();

private:
    std::filebuf fb_;
};

// Binary file for update: read and write with seeks; never truncates; created when missing.
class fpstream : public ipstream, public opstream {
public:
    fpstream() : ipstream(nullptr), opstream(nullptr) {}
    explicit fpstream(const std::string& path) : fpstream() { open(path); }
    bool open(const std::string& path);
    bool is_open() const { return fb_.is_open(); }
    bool close();

private:
    std::filebuf fb_;
};

// In-memory streams, for building records before writing them and for tests.
class imstream : public ipstream {
public:
    explicit imstream(const std::string& bytes) : ipstream(nullptr), sb_(bytes, std::ios::in | std::ios::binary)
    {
        buf_ = &sb_;
        state_ = goodbit;
    }

private:
    std::stringbuf sb_;
};

// Input over bytes held elsewhere, read in place without a copy; the bytes must outlive the
// stream (a whole file read into memory, handed to its reader).
class iviewstream : public ipstream {
public:
    iviewstream(const char* data, std::size_t size) : ipstream(nullptr), sb_(data, size)
    {
        buf_ = &sb_;
        state_ = goodbit;
    }
    explicit iviewstream(const std::string& bytes) : iviewstream(bytes.data(), bytes.size()) {}

private:
    struct ViewBuf : std::streambuf {
        ViewBuf(const char* data, std::size_t size);
        pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which) override;
        pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;
    };
    ViewBuf sb_;
};

// Output into a string that grows in place and is handed over whole without a copy: the form
// for large files built in memory before they are written.
class obytestream : public opstream {
public:
    obytestream() : opstream(nullptr)
    {
        buf_ = &sb_;
        state_ = goodbit;
    }
    void reserve(std::size_t n) { sb_.bytes.reserve(n); }
    // The bytes written; the stream is empty afterwards.
    std::string take() { return std::move(sb_.bytes); }

private:
    struct Sink : std::streambuf {
        std::string bytes;
        std::streamsize xsputn(const char* s, std::streamsize n) override;
        int_type overflow(int_type c) override;
    };
    Sink sb_;
};

class omstream : public opstream {
public:
    omstream() : opstream(nullptr), sb_(std::ios::out | std::ios::binary)
    {
        buf_ = &sb_;
        state_ = goodbit;
    }
    std::string str() const { return sb_.str(); }

private:
    std::stringbuf sb_;
};

}  // namespace fw
