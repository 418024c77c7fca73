#include "ui/GraphConfig.h"

#include "framework/stream/PStream.h"

namespace {
// Colours as red-green-blue hex. Text, background, altitude line, hour line, daylight, twilight, night, plot, Moon limb,
// Moon shadow, percent illumination, Moon altitude; schemes 0-4.
const GraphConfig::DefaultTable kDefaults = {
    {0xB3D7FF, 0x000040, 0x0000FF, 0x0000FF, 0xB3FFFF, 0x00329F, 0x000040, 0xFF0000, 0xFFFFFF, 0x808080, 0xC0C0C0, 0x00FF00},
    {0xFF0000, 0x000000, 0xFF0000, 0xFF0000, 0x000000, 0x800000, 0x000000, 0xFF0000, 0xFF0000, 0x800000, 0x800000, 0xFF0000},
    {0x000000, 0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x404040, 0x808080, 0x000000},
    {0x000000, 0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF, 0x808080, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x404040, 0x808080, 0x000000},
    {0x00FFFF, 0x000000, 0x0000FF, 0x0000FF, 0x00FFFF, 0x000080, 0x000000, 0xFF0000, 0xFFFFFF, 0x808080, 0xC0C0C0, 0x00FF00},
};
} // namespace

GraphConfig::GraphConfig(const std::string& name) : SchemeColorConfig(name, "GraphConfig", kCurrentVersion, kDefaults)
{
    SetDefaults();
}

GraphConfig::GraphConfig(const ConfigInfo& header) : SchemeColorConfig(header, kCurrentVersion, kDefaults)
{
    SetDefaults();
}

void GraphConfig::SetOwnDefaults()
{
    moonOptions = kMoonPercentIllumination | kDrawMoonGraphic | kPlotMoonAltitude;
}

void GraphConfig::ReadBeforeColors(fw::ipstream& is)
{
    moonOptions = is.readWord32();
}

void GraphConfig::WriteBeforeColors(fw::opstream& os)
{
    os.writeWord32(moonOptions);
}
