#include "ui/LocationData.h"

#include "framework/stream/PStream.h"

void LocationData::Read(fw::ipstream& in)
{
    country = in.readByte();
    region = in.readByte();
    name = in.readString(1024);
    latitude = in.readFloat();
    longitude = in.readFloat();
    spare = in.readWord32();
}

void LocationData::Write(fw::opstream& out) const
{
    out.writeByte(country);
    out.writeByte(region);
    out.writeString(name);
    out.writeFloat(latitude);
    out.writeFloat(longitude);
    out.writeWord32(spare);
}
