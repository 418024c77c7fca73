#include "ui/ChartConfig.h"

#include "framework/stream/PStream.h"

namespace {
// Colours as red-green-blue hex. RA lines, Dec lines, star fill, star outline, Telrad, constellation lines, chart labels,
// sky background, Sun, Moon and planet limb, Moon and planet shadow; schemes 0-4.
const ChartConfig::DefaultTable kDefaults = {
    {0x00FF00, 0x0000FF, 0xB3FFFF, 0xC0C0C0, 0xFF0000, 0xC0C0C0, 0x00FFFF, 0x000040, 0xFFFF00, 0xFFFFFF, 0x808080},
    {0xFF0000, 0xFF0000, 0xFF0000, 0x800000, 0xFF0000, 0xC00000, 0xFF0000, 0x000000, 0xFF0000, 0xC00000, 0x780000},
    {0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x404040},
    {0x008000, 0x0000FF, 0x000000, 0x808080, 0x800080, 0x000000, 0xFF00FF, 0xFFFFFF, 0xFFFF00, 0xC0C0C0, 0x808080},
    {0x00FF00, 0x0000FF, 0xFFFFFF, 0x808080, 0xFF0000, 0xFFFF00, 0x00FFFF, 0x000000, 0xFFFF00, 0xFFFFFF, 0x808080},
};
} // namespace

ChartConfig::ChartConfig(const std::string& name) : SchemeColorConfig(name, "ChartConfig", kCurrentVersion, kDefaults)
{
    SetDefaults();
}

ChartConfig::ChartConfig(const ConfigInfo& header) : SchemeColorConfig(header, kCurrentVersion, kDefaults)
{
    SetDefaults();
}

void ChartConfig::SetOwnDefaults()
{
    grid = starsShown = telrad = constellationLines = labels = solarSystem = true;
    starMagLimit = kDefaultMagLimit;
}

void ChartConfig::ReadBeforeColors(fw::ipstream& is)
{
    grid = ReadFlag(is);
    starsShown = ReadFlag(is);
    telrad = ReadFlag(is);
    constellationLines = ReadFlag(is);
    solarSystem = ReadFlag(is);
    labels = ReadFlag(is);
}

void ChartConfig::ReadAfterColors(fw::ipstream& is)
{
    if (version >= 5) {
        const double limit = is.readDouble();
        // A limit the chart cannot draw with (the star sizes divide by it) gives the default.
        if (!is.fail()) starMagLimit = limit > 0.0 && limit < 100.0 ? limit : kDefaultMagLimit;
    }
}

void ChartConfig::WriteBeforeColors(fw::opstream& os)
{
    WriteFlag(os, grid);
    WriteFlag(os, starsShown);
    WriteFlag(os, telrad);
    WriteFlag(os, constellationLines);
    WriteFlag(os, solarSystem);
    WriteFlag(os, labels);
}

void ChartConfig::WriteAfterColors(fw::opstream& os)
{
    os.writeDouble(starMagLimit);
}
