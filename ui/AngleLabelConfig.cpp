#include "ui/AngleLabelConfig.h"

#include "framework/stream/PStream.h"

AngleLabelConfig::AngleLabelConfig(const std::string& name) : LabelConfig(name, "AngleLabelConfig")
{
    AngleLabelConfig::SetDefaults();
}

AngleLabelConfig::AngleLabelConfig(const ConfigInfo& header) : LabelConfig(header)
{
    AngleLabelConfig::SetDefaults();
}

int AngleLabelConfig::SetDefaults()
{
    units = Angle::kDegrees;
    format = Angle::kAutomaticStyle;
    precision = 2;
    return 1;
}

int AngleLabelConfig::Read(fw::ipstream& is)
{
    LabelConfig::Read(is);
    units = is.readInt32();
    format = is.readInt32();
    precision = is.readInt32();
    return 1;
}

int AngleLabelConfig::Write(fw::opstream& os)
{
    LabelConfig::Write(os);
    os.writeWord32(static_cast<std::uint32_t>(units));
    os.writeWord32(static_cast<std::uint32_t>(format));
    os.writeWord32(static_cast<std::uint32_t>(precision));
    return 1;
}
