// A growable array of fixed-size items: a small built-in store, moving to the heap when the
// items no longer fit (and back when they do again).
#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

namespace kw {

class VArray {
public:
    enum { kBuiltInBytes = 64 };
    VArray(int itemSize, int growthPercent = 50)
        : itemSize_(itemSize > 0 ? itemSize : 1), growth_(growthPercent < 0 ? 0 : growthPercent) {}

    int Count() const { return count_; }
    int Capacity() const { return onHeap_ ? static_cast<int>(heap_.size()) / itemSize_ : kBuiltInBytes / itemSize_; }
    bool OnHeap() const { return onHeap_; }
    unsigned char* At(int i) { return Data() + static_cast<size_t>(i) * itemSize_; }
    // Opens room for n items at index at (0 <= at <= count; check failure VARRAY line 59
    // otherwise), growing to at least count + n and count × (100 + growth) / 100 items.
    bool InsertGap(int at, int n);
    void Clear(bool freeStore);

private:
    unsigned char* Data() { return onHeap_ ? heap_.data() : builtIn_; }
    int itemSize_;
    int growth_;
    int count_ = 0;
    bool onHeap_ = false;
    unsigned char builtIn_[kBuiltInBytes] = {};
    std::vector<unsigned char> heap_;
};

} // namespace kw
