#include "installer/support/LzpLibrary.h"

#include "installer/support/lzp/LzpExports.h"

namespace kw {

namespace {
ByteReader* gReader = nullptr;
ByteWriter* gWriter = nullptr;

int ReadTrampoline() { return gReader ? gReader->ReadByte() : -1; }
int WriteTrampoline(int byte)
{
    return gWriter ? gWriter->WriteByte(static_cast<unsigned char>(byte & 0xFF)) : -1;
}

struct StringReader : ByteReader {
    const std::string& data;
    size_t at = 0;
    explicit StringReader(const std::string& d) : data(d) {}
    int ReadByte() override
    {
        return at < data.size() ? static_cast<unsigned char>(data[at++]) : -1;
    }
};

struct StringWriter : ByteWriter {
    std::string& out;
    explicit StringWriter(std::string& o) : out(o) {}
    int WriteByte(unsigned char byte) override
    {
        out.push_back(static_cast<char>(byte));
        return byte;
    }
};
} // namespace

template <typename Fn>
static Fn As(void* p)
{
    return reinterpret_cast<Fn>(p);
}

bool LzpLibrary::Load(const char* name) { return library_.Load(name ? name : kName); }

void LzpLibrary::Free()
{
    if (gReader && library_.IsLoaded()) UnzClose();
    library_.Free();
}

int LzpLibrary::UnzOpen(ByteReader* reader)
{
    auto fn = As<LzpUnzOpenFn>(Export("LzpUnzOpen"));
    if (!fn) return -1;
    gReader = reader;
    return fn(&ReadTrampoline, reader);
}

int LzpLibrary::UnzRead(void* buffer, int size)
{
    auto fn = As<LzpUnzReadFn>(Export("LzpUnzRead"));
    return fn ? fn(buffer, size) : -1;
}

int LzpLibrary::UnzClose()
{
    auto fn = As<LzpUnzCloseFn>(Export("LzpUnzClose"));
    gReader = nullptr;
    return fn ? fn() : -1;
}

int LzpLibrary::GetError()
{
    auto fn = As<LzpGetErrorFn>(Export("LzpGetError"));
    return fn ? fn() : -1;
}

int LzpLibrary::UnzAlloc()
{
    auto fn = As<LzpUnzAllocFn>(Export("LzpUnzAlloc"));
    return fn ? fn() : -1;
}

int LzpLibrary::UnzFree()
{
    auto fn = As<LzpUnzFreeFn>(Export("LzpUnzFree"));
    return fn ? fn() : -1;
}

int LzpLibrary::ZipCreate(ByteWriter* writer, int level, int reserved)
{
    auto fn = As<LzpZipCreateFn>(Export("LzpZipCreate"));
    if (!fn) return -1;
    gWriter = writer;
    return fn(&WriteTrampoline, level, reserved);
}

int LzpLibrary::ZipWrite(const void* buffer, int size)
{
    auto fn = As<LzpZipWriteFn>(Export("LzpZipWrite"));
    return fn ? fn(buffer, size) : -1;
}

int LzpLibrary::ZipClose()
{
    auto fn = As<LzpZipCloseFn>(Export("LzpZipClose"));
    int ret = fn ? fn() : -1;
    gWriter = nullptr;
    return ret;
}

bool LzpLibrary::Pack(const std::string& data, std::string& out, int level)
{
    out.clear();
    StringWriter writer(out);
    if (ZipCreate(&writer, level, 0) < 0) return false;
    constexpr size_t kChunk = 1 << 16;
    for (size_t at = 0; at < data.size(); at += kChunk) {
        size_t n = data.size() - at < kChunk ? data.size() - at : kChunk;
        if (ZipWrite(data.data() + at, static_cast<int>(n)) < 0) {
            ZipClose();
            return false;
        }
    }
    return ZipClose() == 0;
}

bool LzpLibrary::Unpack(const std::string& data, std::string& out)
{
    out.clear();
    StringReader reader(data);
    if (UnzOpen(&reader) < 0) return false;
    char buf[8192];
    int n;
    while ((n = UnzRead(buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
    UnzClose();
    return n == 0;
}

} // namespace kw
