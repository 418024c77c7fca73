#include "ui/DropConfig.h"

#include "framework/stream/PStream.h"

namespace {
// Colours as red-green-blue hex. Exterior, label, interior, text, outline; schemes 0-4.
const RGBColor kDefaults[5][DropConfig::kSlotCount] = {
    {0x000040, 0xFFB3B3, 0x000040, 0x400080, 0x000040},
    {0x000000, 0x800000, 0x000000, 0xFF0000, 0x000000},
    {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000},
    {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000},
    {0x000000, 0x808080, 0x000000, 0x00FFFF, 0xC0C0C0},
};
} // namespace

DropConfig::DropConfig(const std::string& name) : ConfigInfo(name, "DropConfig", kCurrentVersion)
{
    DropConfig::SetDefaults();
}

DropConfig::DropConfig(const ConfigInfo& header)
{
    TakeHeader(header);
    DropConfig::SetDefaults();
}

int DropConfig::SetDefaults()
{
    SetSchemeDefaults(colors, kDefaults);
    return 1;
}

int DropConfig::Read(fw::ipstream& is)
{
    ReadColors(is, colors, kWrittenColors);
    version = kCurrentVersion;
    return 1;
}

int DropConfig::Write(fw::opstream& os)
{
    WriteColors(os, colors, kWrittenColors);
    return 1;
}
