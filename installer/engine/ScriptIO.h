// One description of each install-script record serves both directions: a record's
// Serialize(io) names its fields in stored order, and ScriptIn reads them while ScriptOut
// (used by the packer) writes them.
#pragma once

#include "installer/support/HeapString.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/PortableStream.h"

#include <cstdint>
#include <vector>

namespace kw {

class ScriptIn {
public:
    static constexpr bool kReading = true;
    explicit ScriptIn(PortableReader& reader) : r_(reader) {}
    PortableReader& Reader() { return r_; }
    bool Narrow() const { return r_.Narrow(); }
    int Version() const { return r_.ScriptVersion(); }

    bool Int(int& v) { return r_.ReadInt(v); }
    bool UInt(unsigned& v) { return r_.ReadUInt(v); }
    bool Word(uint32_t& v) { return r_.ReadRaw4(v); }
    bool Str(HeapString& v) { return r_.ReadString(v); }
    bool Path(PathBuffer& v) { return r_.ReadNamedObject(v); }
    // A 4-byte count, then the records. Each record takes at least one byte, so a damaged
    // count ends at the end of the data rather than in a huge allocation.
    template <class T>
    bool List(std::vector<T>& items)
    {
        items.clear();
        uint32_t n;
        if (!r_.ReadRaw4(n)) return false;
        for (uint32_t i = 0; i < n; ++i) {
            T item;
            if (!item.Serialize(*this)) return false;
            items.push_back(std::move(item));
        }
        return true;
    }
    // An int count, then that many 4-byte values.
    bool IdArray(std::vector<uint32_t>& ids)
    {
        ids.clear();
        int n;
        if (!r_.ReadInt(n) || n < 0) return false;
        for (int i = 0; i < n; ++i) {
            uint32_t v;
            if (!r_.ReadRaw4(v)) return false;
            ids.push_back(v);
        }
        return true;
    }

private:
    PortableReader& r_;
};

class ScriptOut {
public:
    static constexpr bool kReading = false;
    ScriptOut(PortableWriter& writer, int version) : w_(writer), version_(version) {}
    bool Narrow() const { return w_.Narrow(); }
    int Version() const { return version_; }

    // A value that does not fit a 16-bit script's 2 bytes is refused, never cut.
    bool Int(int& v)
    {
        if (w_.Narrow() && (v < -32768 || v > 32767)) return false;
        return w_.WriteInt(v);
    }
    bool UInt(unsigned& v)
    {
        if (w_.Narrow() && v > 65535) return false;
        return w_.WriteUInt(v);
    }
    bool Word(uint32_t& v) { return w_.WriteRaw4(v); }
    bool Str(HeapString& v) { return w_.WriteString(v); }
    bool Path(PathBuffer& v) { return w_.WriteNamedObject(v); }
    template <class T>
    bool List(std::vector<T>& items)
    {
        if (!w_.WriteRaw4(static_cast<uint32_t>(items.size()))) return false;
        for (T& item : items)
            if (!item.Serialize(*this)) return false;
        return true;
    }
    bool IdArray(std::vector<uint32_t>& ids)
    {
        int n = static_cast<int>(ids.size());
        if (!Int(n)) return false;
        for (uint32_t v : ids)
            if (!w_.WriteRaw4(v)) return false;
        return true;
    }

private:
    PortableWriter& w_;
    int version_;
};

} // namespace kw
