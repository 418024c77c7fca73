#include "ui/TimeDateLabelConfig.h"

#include "framework/stream/PStream.h"

TimeDateLabelConfig::TimeDateLabelConfig(const std::string& name) : LabelConfig(name, "TimeDateLabelConfig")
{
    TimeDateLabelConfig::SetDefaults();
}

TimeDateLabelConfig::TimeDateLabelConfig(const ConfigInfo& header) : LabelConfig(header)
{
    TimeDateLabelConfig::SetDefaults();
}

int TimeDateLabelConfig::SetDefaults()
{
    settings = {{2, 0, 9, 3, 0}};
    return 1;
}

int TimeDateLabelConfig::Read(fw::ipstream& is)
{
    LabelConfig::Read(is);
    for (int i = 0; i < 4; ++i) settings[static_cast<std::size_t>(i)] = is.readInt32();
    return 1;
}

int TimeDateLabelConfig::Write(fw::opstream& os)
{
    LabelConfig::Write(os);
    for (int i = 0; i < 4; ++i) os.writeWord32(static_cast<std::uint32_t>(settings[static_cast<std::size_t>(i)]));
    return 1;
}
