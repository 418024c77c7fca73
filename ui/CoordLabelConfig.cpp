#include "ui/CoordLabelConfig.h"

#include "framework/stream/PStream.h"

CoordLabelConfig::CoordLabelConfig(const std::string& name) : LabelConfig(name, "CoordLabelConfig")
{
    CoordLabelConfig::SetDefaults();
}

CoordLabelConfig::CoordLabelConfig(const ConfigInfo& header) : LabelConfig(header)
{
    CoordLabelConfig::SetDefaults();
}

int CoordLabelConfig::SetDefaults()
{
    settings = {{1, 1, 1, 2, 0, 6, 3, 2, 1, 1, 1, 6, 5, 7, 7, 7, 2, 2, 2, 2, 2, 5, 2, 2, 2, 2, 2, 2, 8}};
    return 1;
}

int CoordLabelConfig::Read(fw::ipstream& is)
{
    LabelConfig::Read(is);
    for (int n = 0; n < kSettingCount; ++n) settings[static_cast<std::size_t>(FileOrder(n))] = is.readInt32();
    return 1;
}

int CoordLabelConfig::Write(fw::opstream& os)
{
    LabelConfig::Write(os);
    for (int n = 0; n < kSettingCount; ++n)
        os.writeWord32(static_cast<std::uint32_t>(settings[static_cast<std::size_t>(FileOrder(n))]));
    return 1;
}

int CoordLabelConfig::FileOrder(int n)
{
    if (n < 4) return n + 3;  // settings 4-7
    if (n < 7) return n - 4;  // settings 1-3
    return n;                 // settings 8-29
}
