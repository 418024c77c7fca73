#include "ui/ConfigInfo.h"

#include "framework/stream/PStream.h"
#include "globals/Globals.h"
#include "ui/Configuration.h"

int ConfigInfo::Read(fw::ipstream&) { return 0; }
int ConfigInfo::Write(fw::opstream&) { return 0; }
int ConfigInfo::SetDefaults() { return 1; }

int ConfigInfo::Store(bool writeFileNow)
{
    Configuration* store = AppGlobals.config;
    if (!store) return 0;
    int result = store->Store(*this);
    if (writeFileNow) return store->Save();
    return result;
}

int ConfigInfo::Load()
{
    Configuration* store = AppGlobals.config;
    if (!store) return 0;
    return store->Load(*this);
}

bool ConfigInfo::CopyTo(ConfigInfo& target) const { return CopyRecord(*this, target); }
bool ConfigInfo::CopyFrom(const ConfigInfo& source) { return CopyRecordFrom(*this, source); }

void ConfigInfo::WriteHeader(fw::opstream& os) const
{
    os.writeString(className);
    os.writeString(instanceName);
    os.writeWord32(static_cast<std::uint32_t>(version));
}

bool ConfigInfo::ReadHeader(fw::ipstream& is)
{
    className = is.readString(kMaxNameLength);
    instanceName = is.readString(kMaxNameLength);
    version = is.readInt32();
    return !is.fail();
}

void ConfigInfo::TakeHeader(const ConfigInfo& header)
{
    instanceName = header.instanceName;
    className = header.className;
    version = header.version;
}

void WriteFlag(fw::opstream& os, bool flag) { os.writeWord32(flag ? 1u : 0u); }
bool ReadFlag(fw::ipstream& is) { return is.readWord32() != 0; }

void WriteColor(fw::opstream& os, RGBColor c)
{
    os.writeByte(static_cast<std::uint8_t>(RedOf(c)));
    os.writeByte(static_cast<std::uint8_t>(GreenOf(c)));
    os.writeByte(static_cast<std::uint8_t>(BlueOf(c)));
}

RGBColor ReadColor(fw::ipstream& is)
{
    unsigned r = is.readByte();
    unsigned g = is.readByte();
    unsigned b = is.readByte();
    return MakeRGB(r, g, b);
}
