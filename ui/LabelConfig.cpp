#include "ui/LabelConfig.h"

namespace {
// Colours as red-green-blue hex. Label background, label text, data background, data text, outline; schemes 0-4.
const LabelConfig::DefaultTable kDefaults = {
    {0xFFD9B3, 0x000040, 0x000040, 0x00FFFF, 0x000040},
    {0x800000, 0xFF0000, 0x000000, 0xFF0000, 0x000000},
    {0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0x000000},
    {0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0x000000},
    {0xC0C0C0, 0x000000, 0x000000, 0x00FFFF, 0x000000},
};
} // namespace

LabelConfig::LabelConfig(const std::string& name) : LabelConfig(name, "LabelConfig") {}

LabelConfig::LabelConfig(const std::string& name, const std::string& cls)
    : SchemeColorConfig(name, cls, kCurrentVersion, kDefaults)
{
    SetDefaults();
}

LabelConfig::LabelConfig(const ConfigInfo& header) : SchemeColorConfig(header, kCurrentVersion, kDefaults)
{
    SetDefaults();
}
