#include "ui/LabelConfig.h"

#include "framework/stream/PStream.h"

namespace {
// Colours as red-green-blue hex. Label background, label text, data background, data text, outline; schemes 0-4.
const RGBColor kDefaults[5][LabelConfig::kSlotCount] = {
    {0xFFD9B3, 0x000040, 0x000040, 0x00FFFF, 0x000040},
    {0x800000, 0xFF0000, 0x000000, 0xFF0000, 0x000000},
    {0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0x000000},
    {0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0x000000},
    {0xC0C0C0, 0x000000, 0x000000, 0x00FFFF, 0x000000},
};
} // namespace

LabelConfig::LabelConfig(const std::string& name) : LabelConfig(name, "LabelConfig") {}

LabelConfig::LabelConfig(const std::string& name, const std::string& cls)
    : ConfigInfo(name, cls, kCurrentVersion)
{
    LabelConfig::SetDefaults();
}

LabelConfig::LabelConfig(const ConfigInfo& header)
{
    TakeHeader(header);
    LabelConfig::SetDefaults();
}

int LabelConfig::SetDefaults()
{
    SetSchemeDefaults(colors, kDefaults);
    return 1;
}

int LabelConfig::Read(fw::ipstream& is)
{
    ReadColors(is, colors, kWrittenColors);
    version = kCurrentVersion;
    return 1;
}

int LabelConfig::Write(fw::opstream& os)
{
    WriteColors(os, colors, kWrittenColors);
    return 1;
}
