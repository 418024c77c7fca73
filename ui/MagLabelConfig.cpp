#include "ui/MagLabelConfig.h"

#include "framework/stream/PStream.h"

MagLabelConfig::MagLabelConfig(const std::string& name) : LabelConfig(name, "MagLabelConfig")
{
    MagLabelConfig::SetDefaults();
}

MagLabelConfig::MagLabelConfig(const ConfigInfo& header) : LabelConfig(header)
{
    MagLabelConfig::SetDefaults();
}

int MagLabelConfig::SetDefaults()
{
    precision = 1;
    return 1;
}

int MagLabelConfig::Read(fw::ipstream& is)
{
    LabelConfig::Read(is);
    precision = is.readInt32();
    return 1;
}

int MagLabelConfig::Write(fw::opstream& os)
{
    LabelConfig::Write(os);
    os.writeWord32(static_cast<std::uint32_t>(precision));
    return 1;
}
