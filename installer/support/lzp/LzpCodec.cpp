// The compression library over zlib: one gzip member per compressed file. The decompressor
// takes the whole input first so that the header and the announced size (the last four bytes)
// are checked before a byte is delivered, and it never delivers more than that size.
#include "installer/support/lzp/LzpExports.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#define LZP_EXPORT __attribute__((visibility("default")))

namespace {

// Largest compressed input accepted (bytes); the installer's files are far smaller.
constexpr size_t kMaxInput = size_t(1) << 30;
// Smallest gzip member: 10 header bytes, an empty deflate block (2), CRC and size (8).
constexpr size_t kMinMember = 20;

int gError = LZP_OK;

struct Decompressor {
    bool reserved = false; // LzpUnzAlloc done (the z_stream itself is set up per file)
    bool open = false;
    bool inflating = false;
    bool ended = false;
    bool failed = false;
    std::vector<unsigned char> input;
    uint32_t announced = 0;
    uint32_t produced = 0;
    z_stream z{};
};
Decompressor gUnz;

struct Compressor {
    bool open = false;
    LzpWriteByte write = nullptr;
    z_stream z{};
};
Compressor gZip;

int Fail(int code)
{
    gError = code;
    return -1;
}

void EndInflate()
{
    if (gUnz.inflating) inflateEnd(&gUnz.z);
    gUnz.inflating = false;
    gUnz.open = false;
    gUnz.ended = gUnz.failed = false;
    std::vector<unsigned char>().swap(gUnz.input);
}

int FailRead(int code)
{
    gUnz.failed = true;
    return Fail(code);
}

int StreamError(int zret)
{
    if (zret == Z_MEM_ERROR) return FailRead(LZP_ERR_MEMORY);
    // zlib names a wrong expanded size in the trailer "incorrect length check".
    if (gUnz.z.msg && std::strstr(gUnz.z.msg, "length")) return FailRead(LZP_ERR_TRAILER);
    if (gUnz.z.msg && std::strstr(gUnz.z.msg, "header")) return FailRead(LZP_ERR_HEADER);
    return FailRead(LZP_ERR_STREAM);
}

// After the stream's end: the input must be used up exactly and the size must agree.
int CheckEnd()
{
    if (gUnz.z.avail_in != 0 || gUnz.produced != gUnz.announced) return FailRead(LZP_ERR_TRAILER);
    gUnz.ended = true;
    return 0;
}

int FlushOutput(unsigned char* out, unsigned n)
{
    unsigned char* p = out;
    while (n > 0) {
        if (gZip.write(*p) < 0) return Fail(LZP_ERR_OUTPUT);
        ++p;
        --n;
    }
    return 0;
}

int Deflate(int flush)
{
    unsigned char out[4096];
    int ret;
    do {
        gZip.z.next_out = out;
        gZip.z.avail_out = sizeof out;
        ret = deflate(&gZip.z, flush);
        if (ret == Z_STREAM_ERROR) return Fail(LZP_ERR_STREAM);
        if (FlushOutput(out, static_cast<unsigned>(sizeof out - gZip.z.avail_out)) < 0) return -1;
    } while (gZip.z.avail_out == 0 || (flush == Z_FINISH && ret != Z_STREAM_END));
    return 0;
}

} // namespace

extern "C" {

LZP_EXPORT int LzpUnzAlloc(void)
{
    gUnz.reserved = true;
    return 0;
}

LZP_EXPORT int LzpUnzFree(void)
{
    EndInflate();
    gUnz.reserved = false;
    return 0;
}

LZP_EXPORT int LzpUnzOpen(LzpReadByte readByte, void* /*handle*/)
{
    EndInflate();
    gError = LZP_OK;
    if (!readByte) return Fail(LZP_ERR_ARGUMENT);
    if (!gUnz.reserved) LzpUnzAlloc();
    try {
        for (int c; (c = readByte()) >= 0;) {
            if (gUnz.input.size() >= kMaxInput) {
                EndInflate();
                return Fail(LZP_ERR_MEMORY);
            }
            gUnz.input.push_back(static_cast<unsigned char>(c));
        }
    } catch (const std::bad_alloc&) {
        EndInflate();
        return Fail(LZP_ERR_MEMORY);
    }
    const std::vector<unsigned char>& in = gUnz.input;
    if (in.size() >= 3 && (in[0] != 0x1F || in[1] != 0x8B || in[2] != 8)) {
        EndInflate();
        return Fail(LZP_ERR_HEADER);
    }
    if (in.size() < kMinMember) {
        EndInflate();
        return Fail(LZP_ERR_TRAILER);
    }
    size_t t = in.size() - 4;
    gUnz.announced = uint32_t(in[t]) | uint32_t(in[t + 1]) << 8 | uint32_t(in[t + 2]) << 16 |
                     uint32_t(in[t + 3]) << 24;
    gUnz.produced = 0;
    gUnz.z = z_stream{};
    if (inflateInit2(&gUnz.z, 16 + MAX_WBITS) != Z_OK) {
        EndInflate();
        return Fail(LZP_ERR_MEMORY);
    }
    gUnz.inflating = true;
    gUnz.z.next_in = gUnz.input.data();
    gUnz.z.avail_in = static_cast<uInt>(gUnz.input.size());
    gUnz.open = true;
    return 0;
}

LZP_EXPORT int LzpUnzRead(void* buffer, int size)
{
    if (!gUnz.open) return Fail(LZP_ERR_NOT_OPEN);
    if (gUnz.failed) return -1;
    if (!buffer || size < 0) return Fail(LZP_ERR_ARGUMENT);
    if (gUnz.ended || size == 0) return 0;
    uint32_t allowed = gUnz.announced - gUnz.produced;
    if (allowed == 0) {
        // Everything announced was delivered: the stream must end here without another byte.
        unsigned char probe;
        gUnz.z.next_out = &probe;
        gUnz.z.avail_out = 1;
        int ret = inflate(&gUnz.z, Z_NO_FLUSH);
        if (gUnz.z.avail_out == 0) return FailRead(LZP_ERR_TRAILER);
        if (ret == Z_STREAM_END) return CheckEnd();
        if (ret == Z_BUF_ERROR) return FailRead(LZP_ERR_STREAM); // input ran out
        if (ret != Z_OK) return StreamError(ret);
        return FailRead(LZP_ERR_STREAM);
    }
    uInt want = static_cast<uInt>(size) < allowed ? static_cast<uInt>(size) : allowed;
    gUnz.z.next_out = static_cast<Bytef*>(buffer);
    gUnz.z.avail_out = want;
    while (gUnz.z.avail_out > 0) {
        int ret = inflate(&gUnz.z, Z_NO_FLUSH);
        uInt got = want - gUnz.z.avail_out;
        if (ret == Z_STREAM_END) {
            gUnz.produced += got;
            if (CheckEnd() < 0) return -1;
            return static_cast<int>(got);
        }
        if (ret == Z_BUF_ERROR) return FailRead(LZP_ERR_STREAM); // truncated stream
        if (ret != Z_OK) return StreamError(ret);
    }
    gUnz.produced += want;
    return static_cast<int>(want);
}

LZP_EXPORT int LzpUnzClose(void)
{
    EndInflate();
    return 0;
}

LZP_EXPORT int LzpGetError(void) { return gError; }

LZP_EXPORT int LzpZipCreate(LzpWriteByte writeByte, int level, int /*reserved*/)
{
    if (gZip.open) deflateEnd(&gZip.z);
    gZip.open = false;
    gError = LZP_OK;
    if (!writeByte) return Fail(LZP_ERR_ARGUMENT);
    if (level < 0 || level > 9) level = Z_DEFAULT_COMPRESSION;
    gZip.z = z_stream{};
    if (deflateInit2(&gZip.z, level, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return Fail(LZP_ERR_MEMORY);
    gZip.write = writeByte;
    gZip.open = true;
    return 0;
}

LZP_EXPORT int LzpZipWrite(const void* buffer, int size)
{
    if (!gZip.open) return Fail(LZP_ERR_NOT_OPEN);
    if ((!buffer && size > 0) || size < 0) return Fail(LZP_ERR_ARGUMENT);
    gZip.z.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    gZip.z.avail_in = static_cast<uInt>(size);
    if (Deflate(Z_NO_FLUSH) < 0) return -1;
    return size;
}

LZP_EXPORT int LzpZipClose(void)
{
    if (!gZip.open) return Fail(LZP_ERR_NOT_OPEN);
    gZip.z.next_in = nullptr;
    gZip.z.avail_in = 0;
    int ret = Deflate(Z_FINISH);
    deflateEnd(&gZip.z);
    gZip.open = false;
    return ret;
}

} // extern "C"
