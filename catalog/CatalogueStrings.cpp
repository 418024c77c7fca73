#include "catalog/CatalogueStrings.h"

#include "catalog/CatalogueTable.h"

namespace {

const char* const kSortKeys[] = {  // 13000 to 13024
    "Sort Options", "Ignore", "Observation Order", "Constellation", "Object Type",
    "Dreyer Brightness", "Dreyer Size", "Dreyer Shape", "NGC / IC Number",
    "Right Ascension", "Declination", "Magnitude", "Diameter", "Messier Number",
    "Herschel Number (400)", "Herschel Class (400) ", "Common Name", "Rise Time (LST)",
    "Set Time (LST)", "Rise Time (LMT)", "Set Time (LMT)", "Transit Time (LMT)",
    "SkyAtlas Chart", "Uranometria Page", "End of Sort Options",
};
const char* const kTypes[] = {  // 18601 + code
    "Galaxy", "Open Cluster", "Globular Cluster", "Bright Diffuse Nebula", "Planetary Nebula",
    "Cluster with Nebulosity", "Asterism", "Knot", "Triple Star", "Double Star", "Star",
    "Uncertain", "Unknown", "Non Existent", "Plate Defect", "Type C Galaxy",
    "Elliptical Galaxy", "Lenticular Galaxy", "Spiral Galaxy",
};
const char* const kSizes[] = {  // 18701 to 18712
    "Most Extremely Small", "Extremely Small", "Very Small", "Small", "Considerably Small",
    "Pretty Small", "Pretty Large", "Considerably Large", "Large", "Very Large",
    "Extremely Large", "Most Extremely Large",
};
const char* const kShapes[] = {  // 18801 to 18814
    "Round", "Pretty Round", "Very, Very Little Extended", "Very Little Extended",
    "Pretty Little Extended", "Little Extended", "Extended", "Pretty Extended",
    "Considerably Extended", "Pretty Much Extended", "Much Extended", "Very Extended",
    "Very Much Extended", "Extremely Extended",
};
const char* const kBrightness[] = {  // 18901 to 18912
    "Most Extremely Faint", "Extremely Faint", "Very Faint", "Faint", "Considerably Faint",
    "Pretty Faint", "Pretty Bright", "Considerably Bright", "Bright", "Very Bright",
    "Extremely Bright", "Most Extremely Bright",
};
const char* const kNoDreyer = "No Dreyer Description";  // 18713, 18815, 18913

template <size_t N>
std::string Lookup(const char* const (&table)[N], int index)
{
    return (index >= 0 && index < int(N)) ? table[index] : "";
}

} // namespace

std::string CatalogueString(int id)
{
    if (id >= 13000 && id <= 13024)
        return Lookup(kSortKeys, id - 13000);
    if (id >= 18601 && id <= 18619)
        return Lookup(kTypes, id - 18601);
    if (id >= 18701 && id <= 18712)
        return Lookup(kSizes, id - 18701);
    if (id >= 18801 && id <= 18814)
        return Lookup(kShapes, id - 18801);
    if (id >= 18901 && id <= 18912)
        return Lookup(kBrightness, id - 18901);
    if (id == 18713 || id == 18815 || id == 18913)
        return kNoDreyer;
    return "";
}

std::string ObjectTypeText(int type)
{
    return Lookup(kTypes, type);
}

std::string DreyerSizeText(int size)
{
    return (size >= 1 && size <= 12) ? kSizes[size - 1] : kNoDreyer;
}

std::string DreyerShapeText(int shapeByte)
{
    const int shape = shapeByte & ~int(ObservedMark);
    return (shape >= 1 && shape <= 14) ? kShapes[shape - 1] : kNoDreyer;
}

std::string DreyerBrightnessText(int brightness)
{
    return (brightness >= 1 && brightness <= 12) ? kBrightness[brightness - 1] : kNoDreyer;
}
