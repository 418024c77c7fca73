#include "installer/support/VArray.h"

#include "installer/support/CheckFailed.h"

namespace kw {

bool VArray::InsertGap(int at, int n)
{
    bool ok = at >= 0 && at <= count_ && n >= 0;
    CheckFailed("VARRAY", 59, ok);
    if (!ok) return false;
    int needed = count_ + n;
    size_t bytes = static_cast<size_t>(count_) * itemSize_;
    if (needed > Capacity()) {
        long long grown = static_cast<long long>(count_) * (100 + growth_) / 100;
        long long capacity = needed > grown ? needed : grown;
        std::vector<unsigned char> store(static_cast<size_t>(capacity) * itemSize_);
        std::memcpy(store.data(), Data(), bytes);
        heap_.swap(store);
        onHeap_ = true;
    }
    unsigned char* d = Data();
    std::memmove(d + static_cast<size_t>(at + n) * itemSize_, d + static_cast<size_t>(at) * itemSize_,
                 bytes - static_cast<size_t>(at) * itemSize_);
    std::memset(d + static_cast<size_t>(at) * itemSize_, 0, static_cast<size_t>(n) * itemSize_);
    count_ = needed;
    return true;
}

void VArray::Clear(bool freeStore)
{
    count_ = 0;
    if (freeStore) {
        std::vector<unsigned char>().swap(heap_);
        onHeap_ = false;
    }
}

} // namespace kw
