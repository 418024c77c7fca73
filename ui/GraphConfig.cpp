#include "ui/GraphConfig.h"

#include "framework/stream/PStream.h"

namespace {
// Colours as red-green-blue hex. Text, background, altitude line, hour line, daylight, twilight, night, plot, Moon limb,
// Moon shadow, percent illumination, Moon altitude; schemes 0-4.
const RGBColor kDefaults[5][GraphConfig::kSlotCount] = {
    {0xB3D7FF, 0x000040, 0x0000FF, 0x0000FF, 0xB3FFFF, 0x00329F, 0x000040, 0xFF0000, 0xFFFFFF, 0x808080, 0xC0C0C0, 0x00FF00},
    {0xFF0000, 0x000000, 0xFF0000, 0xFF0000, 0x000000, 0x800000, 0x000000, 0xFF0000, 0xFF0000, 0x800000, 0x800000, 0xFF0000},
    {0x000000, 0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x404040, 0x808080, 0x000000},
    {0x000000, 0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF, 0x808080, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x404040, 0x808080, 0x000000},
    {0x00FFFF, 0x000000, 0x0000FF, 0x0000FF, 0x00FFFF, 0x000080, 0x000000, 0xFF0000, 0xFFFFFF, 0x808080, 0xC0C0C0, 0x00FF00},
};
} // namespace

GraphConfig::GraphConfig(const std::string& name) : ConfigInfo(name, "GraphConfig", kCurrentVersion)
{
    GraphConfig::SetDefaults();
}

GraphConfig::GraphConfig(const ConfigInfo& header)
{
    TakeHeader(header);
    GraphConfig::SetDefaults();
}

int GraphConfig::SetDefaults()
{
    moonOptions = kMoonPercentIllumination | kDrawMoonGraphic | kPlotMoonAltitude;
    SetSchemeDefaults(colors, kDefaults);
    return 1;
}

int GraphConfig::Read(fw::ipstream& is)
{
    moonOptions = is.readWord32();
    ReadColors(is, colors, kWrittenColors);
    version = kCurrentVersion;
    return 1;
}

int GraphConfig::Write(fw::opstream& os)
{
    os.writeWord32(moonOptions);
    WriteColors(os, colors, kWrittenColors);
    return 1;
}
