// Feeds the compression library's decompressor with arbitrary bytes, and with well-formed
// compressed files damaged at one place. It must refuse or expand them without a fault,
// never deliver more than the size the last four bytes announce, deliver exactly that size
// when it accepts them, and give back an undamaged file unchanged.
#include "installer/support/lzp/LzpExports.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>


namespace {
const uint8_t* gData = nullptr;
size_t gSize = 0;
size_t gAt = 0;
int NextByte() { return gAt < gSize ? gData[gAt++] : -1; }

std::string gPacked;
int Collect(int byte)
{
    gPacked.push_back(static_cast<char>(byte));
    return byte;
}

// Expands data; the expanded bytes, or false when refused.
bool Expand(const uint8_t* data, size_t size, std::string& out)
{
    gData = data;
    gSize = size;
    gAt = 0;
    out.clear();
    if (LzpUnzOpen(&NextByte, nullptr) < 0) return false;
    uint32_t announced = uint32_t(data[size - 4]) | uint32_t(data[size - 3]) << 8 |
                         uint32_t(data[size - 2]) << 16 | uint32_t(data[size - 1]) << 24;
    unsigned char buffer[1000];
    int n;
    while ((n = LzpUnzRead(buffer, sizeof buffer)) > 0) {
        out.append(reinterpret_cast<char*>(buffer), static_cast<size_t>(n));
        if (out.size() > announced) std::abort();
    }
    LzpUnzClose();
    if (n == 0 && out.size() != announced) std::abort();
    return n == 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string out;
    if (size < 4 || data[0] % 2 == 0) {
        Expand(data, size, out);
        return 0;
    }
    // Odd first byte: bytes 1-2 name a place, byte 3 the damage, the rest is the content.
    size_t place = size_t(data[1]) | size_t(data[2]) << 8;
    uint8_t damage = data[3];
    std::string content(reinterpret_cast<const char*>(data + 4), size - 4);
    gPacked.clear();
    if (LzpZipCreate(&Collect, 6, 0) < 0 || LzpZipWrite(content.data(), static_cast<int>(content.size())) < 0 ||
        LzpZipClose() < 0)
        std::abort();
    std::string packed = gPacked;
    packed[place % packed.size()] = static_cast<char>(packed[place % packed.size()] ^ damage);
    bool accepted = Expand(reinterpret_cast<const uint8_t*>(packed.data()), packed.size(), out);
    if (damage == 0 && (!accepted || out != content)) std::abort();
    return 0;
}
