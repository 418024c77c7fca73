#include "ui/ChartConfig.h"

#include "framework/stream/PStream.h"

namespace {
// Colours as red-green-blue hex. RA lines, Dec lines, star fill, star outline, Telrad, constellation lines, chart labels,
// sky background, Sun, Moon and planet limb, Moon and planet shadow; schemes 0-4.
const RGBColor kDefaults[5][ChartConfig::kSlotCount] = {
    {0x00FF00, 0x0000FF, 0xB3FFFF, 0xC0C0C0, 0xFF0000, 0xC0C0C0, 0x00FFFF, 0x000040, 0xFFFF00, 0xFFFFFF, 0x808080},
    {0xFF0000, 0xFF0000, 0xFF0000, 0x800000, 0xFF0000, 0xC00000, 0xFF0000, 0x000000, 0xFF0000, 0xC00000, 0x780000},
    {0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x404040},
    {0x008000, 0x0000FF, 0x000000, 0x808080, 0x800080, 0x000000, 0xFF00FF, 0xFFFFFF, 0xFFFF00, 0xC0C0C0, 0x808080},
    {0x00FF00, 0x0000FF, 0xFFFFFF, 0x808080, 0xFF0000, 0xFFFF00, 0x00FFFF, 0x000000, 0xFFFF00, 0xFFFFFF, 0x808080},
};
} // namespace

ChartConfig::ChartConfig(const std::string& name) : ConfigInfo(name, "ChartConfig", kCurrentVersion)
{
    ChartConfig::SetDefaults();
}

ChartConfig::ChartConfig(const ConfigInfo& header)
{
    TakeHeader(header);
    ChartConfig::SetDefaults();
}

int ChartConfig::SetDefaults()
{
    SetSchemeDefaults(colors, kDefaults);
    grid = starsShown = telrad = constellationLines = labels = solarSystem = true;
    starMagLimit = kDefaultMagLimit;
    return 1;
}

int ChartConfig::Read(fw::ipstream& is)
{
    grid = ReadFlag(is);
    starsShown = ReadFlag(is);
    telrad = ReadFlag(is);
    constellationLines = ReadFlag(is);
    solarSystem = ReadFlag(is);
    labels = ReadFlag(is);
    ReadColors(is, colors, kWrittenColors);
    if (version >= 5) {
        double limit = is.readDouble();
        if (!is.fail()) starMagLimit = limit;
    }
    version = kCurrentVersion;
    return 1;
}

int ChartConfig::Write(fw::opstream& os)
{
    WriteFlag(os, grid);
    WriteFlag(os, starsShown);
    WriteFlag(os, telrad);
    WriteFlag(os, constellationLines);
    WriteFlag(os, solarSystem);
    WriteFlag(os, labels);
    WriteColors(os, colors, kWrittenColors);
    os.writeDouble(starMagLimit);
    return 1;
}
