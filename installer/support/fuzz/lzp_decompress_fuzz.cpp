// Feeds arbitrary bytes to the compression library's decompressor. It must refuse or expand
// them without a fault, never deliver more than the size the last four bytes announce, and
// deliver exactly that size when it accepts them.
#include "installer/support/lzp/LzpExports.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
const uint8_t* gData = nullptr;
size_t gSize = 0;
size_t gAt = 0;
int NextByte() { return gAt < gSize ? gData[gAt++] : -1; }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    gData = data;
    gSize = size;
    gAt = 0;
    if (LzpUnzOpen(&NextByte, nullptr) < 0) return 0;
    uint32_t announced = uint32_t(data[size - 4]) | uint32_t(data[size - 3]) << 8 |
                         uint32_t(data[size - 2]) << 16 | uint32_t(data[size - 1]) << 24;
    uint64_t total = 0;
    unsigned char buffer[1000];
    int n;
    while ((n = LzpUnzRead(buffer, sizeof buffer)) > 0) {
        total += static_cast<uint64_t>(n);
        if (total > announced) std::abort();
    }
    if (n == 0 && total != announced) std::abort();
    LzpUnzClose();
    return 0;
}
