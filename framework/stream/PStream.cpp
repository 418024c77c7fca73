#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"

#include <cstring>
#include <sys/stat.h>

namespace fw {

// ---- pstream --------------------------------------------------------------------------

std::streamoff pstream::tell(std::ios_base::openmode which)
{
    if (!buf_)
        return -1;
    return buf_->pubseekoff(0, std::ios_base::cur, which);
}

bool pstream::seek(std::streamoff off, std::ios_base::seekdir dir, std::ios_base::openmode which)
{
    if (!buf_ || buf_->pubseekoff(off, dir, which) == std::streamoff(-1)) {
        setstate(failbit);
        return false;
    }
    return true;
}

bool pstream::syncAndClose(std::filebuf& fb)
{
    bool ok = true;
    if (fb.is_open()) {
        if (fb.pubsync() != 0)
            ok = false;
        if (!fb.close())
            ok = false;
    }
    return ok;
}

// ---- ipstream -------------------------------------------------------------------------

std::size_t ipstream::rawRead(void* data, std::size_t n)
{
    if (n == 0)
        return 0;
    std::size_t got = 0;
    if (buf_ && !fail())
        got = static_cast<std::size_t>(buf_->sgetn(static_cast<char*>(data), static_cast<std::streamsize>(n)));
    if (got < n) {
        std::memset(static_cast<char*>(data) + got, 0, n - got);
        setstate(failbit | eofbit);
    }
    return got;
}

std::uint32_t ipstream::readWord32()
{
    unsigned char b[4];
    rawRead(b, 4);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

std::uint16_t ipstream::readWord16()
{
    unsigned char b[2];
    rawRead(b, 2);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

std::uint8_t ipstream::readByte()
{
    unsigned char b;
    rawRead(&b, 1);
    return b;
}

void ipstream::readBytes(void* data, std::size_t n)
{
    rawRead(data, n);
}

double ipstream::readDouble()
{
    unsigned char b[8];
    rawRead(b, 8);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | b[i];
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

float ipstream::readFloat()
{
    std::uint32_t bits = readWord32();
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

std::string ipstream::readString(std::uint32_t maxLen)
{
    const std::uint32_t n = readWord32();
    if (fail())
        return {};
    if (n > maxLen) {
        setstate(failbit);
        return {};
    }
    // Never allocate more than the stream still holds.
    const std::streamoff left = remaining();
    if (left >= 0 && static_cast<std::streamoff>(n) > left) {
        setstate(failbit | eofbit);
        return {};
    }
    std::string s(n, '\0');
    rawRead(s.data(), n);
    if (fail())
        return {};
    return s;
}

std::streamoff ipstream::tellg()
{
    return tell(std::ios_base::in);
}

bool ipstream::seekg(std::streamoff pos)
{
    return seekg(pos, std::ios_base::beg);
}

bool ipstream::seekg(std::streamoff off, std::ios_base::seekdir dir)
{
    return seek(off, dir, std::ios_base::in);
}

std::streamoff ipstream::remaining()
{
    if (!buf_)
        return 0;
    const std::streamoff here = buf_->pubseekoff(0, std::ios_base::cur, std::ios_base::in);
    if (here < 0)
        return -1;
    const std::streamoff end = buf_->pubseekoff(0, std::ios_base::end, std::ios_base::in);
    buf_->pubseekoff(here, std::ios_base::beg, std::ios_base::in);
    if (end < 0)
        return -1;
    return end > here ? end - here : 0;
}

// ---- opstream -------------------------------------------------------------------------

void opstream::rawWrite(const void* data, std::size_t n)
{
    if (n == 0)
        return;
    if (!buf_ || fail()) {
        setstate(failbit);
        return;
    }
    const auto put = buf_->sputn(static_cast<const char*>(data), static_cast<std::streamsize>(n));
    if (put != static_cast<std::streamsize>(n))
        setstate(badbit | failbit);
}

void opstream::writeWord32(std::uint32_t v)
{
    const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    rawWrite(b, 4);
}

void opstream::writeWord16(std::uint16_t v)
{
    const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    rawWrite(b, 2);
}

void opstream::writeByte(std::uint8_t v)
{
    rawWrite(&v, 1);
}

void opstream::writeBytes(const void* data, std::size_t n)
{
    rawWrite(data, n);
}

void opstream::writeString(const std::string& s)
{
    writeWord32(static_cast<std::uint32_t>(s.size()));
    rawWrite(s.data(), s.size());
}

void opstream::writeDouble(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    unsigned char b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<unsigned char>(bits >> (8 * i));
    rawWrite(b, 8);
}

void opstream::writeFloat(float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, 4);
    writeWord32(bits);
}

std::streamoff opstream::tellp()
{
    return tell(std::ios_base::out);
}

bool opstream::seekp(std::streamoff pos)
{
    return seekp(pos, std::ios_base::beg);
}

bool opstream::seekp(std::streamoff off, std::ios_base::seekdir dir)
{
    return seek(off, dir, std::ios_base::out);
}

bool opstream::flush()
{
    if (!buf_ || buf_->pubsync() != 0)
        setstate(badbit | failbit);
    return !fail();
}

// ---- file streams ---------------------------------------------------------------------

bool ifpstream::open(const std::string& path, int mode)
{
    close();
    (void)mode;  // always binary input
    // Only a regular file is read: a directory at the name opens but throws on the first read.
    const std::string resolved = ResolvePathIgnoringCase(path);
    struct stat st;
    if (::stat(resolved.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        !fb_.open(resolved, std::ios::in | std::ios::binary)) {
        buf_ = nullptr;
        state_ = failbit | badbit;
        return false;
    }
    buf_ = &fb_;
    state_ = goodbit;
    return true;
}

void ifpstream::close()
{
    if (fb_.is_open())
        fb_.close();
    buf_ = nullptr;
    state_ = badbit;
}

bool ofpstream::open(const std::string& path, int mode)
{
    if (fb_.is_open())
        close();
    (void)mode;  // always binary output, truncated
    if (!fb_.open(ResolvePathIgnoringCase(path), std::ios::out | std::ios::trunc | std::ios::binary)) {
        buf_ = nullptr;
        state_ = failbit | badbit;
        return false;
    }
    buf_ = &fb_;
    state_ = goodbit;
    return true;
}

bool ofpstream::close()
{
    const bool ok = syncAndClose(fb_) && !fail();
    buf_ = nullptr;
    state_ = ok ? goodbit : (failbit | badbit);
    return ok;
}

bool fpstream::open(const std::string& path)
{
    if (fb_.is_open())
        close();
    const std::string real = ResolvePathIgnoringCase(path);
    if (!fb_.open(real, std::ios::in | std::ios::out | std::ios::binary)) {
        // Create the file when it is missing; never truncate an existing one.
        std::filebuf create;
        if (create.open(real, std::ios::out | std::ios::app | std::ios::binary))
            create.close();
        if (!fb_.open(real, std::ios::in | std::ios::out | std::ios::binary)) {
            ipstream::buf_ = nullptr;
            ipstream::state_ = failbit | badbit;
            return false;
        }
    }
    buf_ = &fb_;
    state_ = goodbit;
    return true;
}

bool fpstream::close()
{
    // A read past the end does not spoil the file; only a failed write does.
    const bool ok = syncAndClose(fb_) && !ipstream::bad();
    buf_ = nullptr;
    state_ = ok ? goodbit : (failbit | badbit);
    return ok;
}

// ---- iviewstream ----------------------------------------------------------------------

iviewstream::ViewBuf::ViewBuf(const char* data, std::size_t size)
{
    // The get area only reads; the cast is what std::streambuf's interface asks for.
    char* begin = const_cast<char*>(data);
    setg(begin, begin, begin + size);
}

std::streambuf::pos_type iviewstream::ViewBuf::seekoff(off_type off, std::ios_base::seekdir dir,
                                                       std::ios_base::openmode which)
{
    if (!(which & std::ios_base::in))
        return pos_type(off_type(-1));
    const off_type size = egptr() - eback();
    off_type base = 0;
    if (dir == std::ios_base::cur)
        base = gptr() - eback();
    else if (dir == std::ios_base::end)
        base = size;
    const off_type target = base + off;
    if (target < 0 || target > size)
        return pos_type(off_type(-1));
    setg(eback(), eback() + target, egptr());
    return pos_type(target);
}

std::streambuf::pos_type iviewstream::ViewBuf::seekpos(pos_type pos, std::ios_base::openmode which)
{
    return seekoff(off_type(pos), std::ios_base::beg, which);
}

// ---- obytestream ----------------------------------------------------------------------

std::streamsize obytestream::Sink::xsputn(const char* s, std::streamsize n)
{
    bytes.append(s, static_cast<std::size_t>(n));
    return n;
}

std::streambuf::int_type obytestream::Sink::overflow(int_type c)
{
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        bytes.push_back(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

}  // namespace fw
