// Binders of one variable each to the portable stream, and Persistent, the base of every
// object that stores itself as its list of fields (in order, nothing between them).
#pragma once

#include "installer/support/PortableStream.h"

#include <cstddef>
#include <cstdint>

namespace kw {

class HeapString;
class PathName;
struct Timestamp;

class StreamField {
public:
    virtual ~StreamField() = default;
    virtual bool Read(PortableReader& reader) = 0;
    virtual bool Write(PortableWriter& writer) = 0;
};

class IntField : public StreamField {
public:
    explicit IntField(int& v) : v_(v) {}
    bool Read(PortableReader& r) override { return r.ReadInt(v_); }
    bool Write(PortableWriter& w) override { return w.WriteInt(v_); }

private:
    int& v_;
};

class WordField : public StreamField {
public:
    explicit WordField(uint16_t& v) : v_(v) {}
    bool Read(PortableReader& r) override { return r.ReadWord(v_); }
    bool Write(PortableWriter& w) override { return w.WriteWord(v_); }

private:
    uint16_t& v_;
};

class Raw4Field : public StreamField {
public:
    explicit Raw4Field(uint32_t& v) : v_(v) {}
    bool Read(PortableReader& r) override { return r.ReadRaw4(v_); }
    bool Write(PortableWriter& w) override { return w.WriteRaw4(v_); }

private:
    uint32_t& v_;
};

class UIntField : public StreamField {
public:
    explicit UIntField(unsigned& v) : v_(v) {}
    bool Read(PortableReader& r) override { return r.ReadUInt(v_); }
    bool Write(PortableWriter& w) override { return w.WriteUInt(v_); }

private:
    unsigned& v_;
};

class LongField : public StreamField {
public:
    explicit LongField(int32_t& v) : v_(v) {}
    bool Read(PortableReader& r) override;
    bool Write(PortableWriter& w) override { return w.WriteRaw4(static_cast<uint32_t>(v_)); }

private:
    int32_t& v_;
};

class StringField : public StreamField {
public:
    explicit StringField(HeapString& v) : v_(v) {}
    bool Read(PortableReader& r) override { return r.ReadString(v_); }
    bool Write(PortableWriter& w) override { return w.WriteString(v_); }

private:
    HeapString& v_;
};

class NamedObjectField : public StreamField {
public:
    explicit NamedObjectField(PathName& v) : v_(v) {}
    bool Read(PortableReader& r) override { return r.ReadNamedObject(v_); }
    bool Write(PortableWriter& w) override { return w.WriteNamedObject(v_); }

private:
    PathName& v_;
};

// A fixed character buffer of the given capacity (terminator included).
class TextBufferField : public StreamField {
public:
    TextBufferField(char* buffer, size_t capacity) : buffer_(buffer), capacity_(capacity) {}
    bool Read(PortableReader& r) override { return r.ReadCString(buffer_, capacity_); }
    bool Write(PortableWriter& w) override { return w.WriteCString(buffer_); }

private:
    char* buffer_;
    size_t capacity_;
};

// Six ints: year, month, day, hour, minute, second. Cannot be written.
class TimestampField : public StreamField {
public:
    explicit TimestampField(Timestamp& v) : v_(v) {}
    bool Read(PortableReader& r) override;
    bool Write(PortableWriter& w) override;

private:
    Timestamp& v_;
};

class Persistent {
public:
    virtual ~Persistent() = default;
    virtual bool Read(PortableReader& reader);
    virtual bool Write(PortableWriter& writer);
    // A null-terminated array of binders.
    virtual StreamField* const* FieldList() = 0;
};

}  // namespace kw
