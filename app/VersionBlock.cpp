#include "app/VersionBlock.h"

#ifndef STELLUM_VERSION
#define STELLUM_VERSION "0.0"
#endif
#ifndef STELLUM_SPECIAL_BUILD
#define STELLUM_SPECIAL_BUILD ""
#endif

VersionBlock VersionBlock::Program()
{
    std::vector<Entry> entries = {
        {"CompanyName", "Quillon Software"},
        {"FileDescription", "Stellum deep-sky observing planner"},
        {"ProductName", "Stellum"},
        {"ProductVersion", STELLUM_VERSION},
        {"LegalCopyright", "Copyright \u00A9 Quillon Software. All rights reserved."},
    };
    // A build made for a purpose of its own says so.
    if (*STELLUM_SPECIAL_BUILD) entries.emplace_back("SpecialBuild", STELLUM_SPECIAL_BUILD);
    return VersionBlock(std::move(entries));
}

bool VersionBlock::Query(const std::string& name, std::string& value) const
{
    for (const auto& [key, text] : entries_)
        if (key == name) {
            value = text;
            return true;
        }
    return false;
}
