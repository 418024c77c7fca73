#include "installer/support/StreamField.h"

#include "installer/support/CheckFailed.h"
#include "installer/support/Timestamp.h"

namespace kw {

bool LongField::Read(PortableReader& r)
{
    uint32_t v;
    if (!r.ReadRaw4(v)) return false;
    v_ = static_cast<int32_t>(v);
    return true;
}

bool TimestampField::Read(PortableReader& r)
{
    int f[6];
    for (int& x : f)
        if (!r.ReadInt(x)) return false;
    v_.year = static_cast<uint16_t>(f[0]);
    v_.month = static_cast<uint16_t>(f[1]);
    v_.day = static_cast<uint16_t>(f[2]);
    v_.hour = static_cast<uint16_t>(f[3]);
    v_.minute = static_cast<uint16_t>(f[4]);
    v_.second = static_cast<uint16_t>(f[5]);
    return true;
}

bool TimestampField::Write(PortableWriter&)
{
    CheckFailed("FPATH", 1442, false);
    return false;
}

bool Persistent::Read(PortableReader& reader)
{
    return PortableReader::ReadFields(reader, FieldList());
}

bool Persistent::Write(PortableWriter& writer)
{
    return PortableWriter::WriteFields(writer, FieldList());
}

}  // namespace kw
