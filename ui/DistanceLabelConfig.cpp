#include "ui/DistanceLabelConfig.h"

#include "framework/stream/PStream.h"

DistanceLabelConfig::DistanceLabelConfig(const std::string& name) : LabelConfig(name, "DistanceLabelConfig")
{
    DistanceLabelConfig::SetDefaults();
}

DistanceLabelConfig::DistanceLabelConfig(const ConfigInfo& header) : LabelConfig(header)
{
    DistanceLabelConfig::SetDefaults();
}

int DistanceLabelConfig::SetDefaults()
{
    units1 = Distance::kAutomatic;
    units2 = 8;
    return 1;
}

int DistanceLabelConfig::Read(fw::ipstream& is)
{
    LabelConfig::Read(is);
    units1 = is.readInt32();
    units2 = is.readInt32();
    return 1;
}

int DistanceLabelConfig::Write(fw::opstream& os)
{
    LabelConfig::Write(os);
    os.writeWord32(static_cast<std::uint32_t>(units1));
    os.writeWord32(static_cast<std::uint32_t>(units2));
    return 1;
}
