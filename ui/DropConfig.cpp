#include "ui/DropConfig.h"

namespace {
// Colours as red-green-blue hex. Exterior, label, interior, text, outline; schemes 0-4.
const DropConfig::DefaultTable kDefaults = {
    {0x000040, 0xFFB3B3, 0x000040, 0x400080, 0x000040},
    {0x000000, 0x800000, 0x000000, 0xFF0000, 0x000000},
    {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000},
    {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000},
    {0x000000, 0x808080, 0x000000, 0x00FFFF, 0xC0C0C0},
};
} // namespace

DropConfig::DropConfig(const std::string& name) : SchemeColorConfig(name, "DropConfig", kCurrentVersion, kDefaults)
{
    SetDefaults();
}

DropConfig::DropConfig(const ConfigInfo& header) : SchemeColorConfig(header, kCurrentVersion, kDefaults)
{
    SetDefaults();
}
