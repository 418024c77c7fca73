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
    colors.fill(HexRGB(0x808080));
    for (int s = 0; s < 5; ++s)
        for (int k = 0; k < kSlotCount; ++k) colors[Index(s, k)] = HexRGB(kDefaults[s][k]);
    return 1;
}

int LabelConfig::Read(ipstream& is)
{
    for (int i = 1; i <= kWrittenColors; ++i) colors[i] = ReadColor(is);
    version = kCurrentVersion;
    return 1;
}

int LabelConfig::Write(opstream& os)
{
    for (int i = 1; i <= kWrittenColors; ++i) WriteColor(os, colors[i]);
    return 1;
}
