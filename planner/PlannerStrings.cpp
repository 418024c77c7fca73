#include "planner/PlannerStrings.h"

const fw::ResourceModule& PlannerStrings()
{
    static const fw::ResourceModule module("stlm32", {
        // Data window captions, by the command that opens the window's colour menu.
        {11500, "Name"},
        {11501, "Database Information"},
        {11502, "Brightness"},
        {11503, "Size"},
        {11504, "Shape"},
        {11505, "Type"},
        {11506, "Phase"},
        {11507, "Posit Angle"},
        {11508, "Illumination"},
        {11509, "Alt"},
        {11510, "Az"},
        {11511, "Dia"},
        {11512, "Mag"},
        {11513, "SkyAtlas"},
        {11514, "Uranometria"},
        {11515, "Dreyer Desc."},
        {11516, "Constellation"},
        {11517, "Celestial Coordinates"},
        {11518, "Theta"},
        {11519, "Phi"},
        {11520, "Distance"},
        {11521, "Horizon Coordinates"},
        {11522, "Theta"},
        {11523, "Phi"},
        {11524, "Refraction"},
        {11525, "Rise Time"},
        {11526, "Set Time"},
        {11527, "Transit Time"},
        {11528, "Evening Twilight"},
        {11529, "Morning Twilight"},
        // Colour menu of every data window.
        {16502, "Outline Color"},
        {16503, "Label Back Color"},
        {16504, "Label Text Color"},
        {16505, "Data Text Color"},
        {16506, "Data Back Color"},
        // Coordinate windows: frames, reductions and partner captions.
        {17501, "Equatorial"},
        {17502, "Ecliptic"},
        {17503, "Galactic"},
        {17504, "Super Galactic"},
        {17505, "Horizon"},
        {17508, "True"},
        {17509, "Mean"},
        {17510, "Appar"},
        {17511, "Rise Time"},
        {17512, "Set Time"},
        {17513, "Transit Time"},
        {17514, "Right Ascension"},
        {17515, "Declination"},
        {17516, "Longitude"},
        {17517, "Latitude"},
        {17518, "Alt"},
        {17519, "Az"},
        {17522, "Distance"},
        {17523, "Twilight Rise"},
        {17524, "Twilight Set"},
        // Time scales.
        {17601, "International Atomic Time (TAI)"},
        {17602, "Coordinated Universal Time (UTC)"},
        {17603, "Local Civil Time (LMT)"},
        {17604, "Universal Time (UT1)"},
        {17605, "Greenwich Mean Sidereal Time (GMST)"},
        {17606, "Local Apparent Sidereal Time (LAST)"},
        {17607, "Terrestrial Time (TT)"},
        {17608, "Barycentric Dynamical Time(TDB)"},
        // Object types the catalogue does not list.
        {18630, "Planet"},
        {18631, "Satellite of Earth"},
        // Angle units.
        {19001, "Degrees"},
        {19002, "Hours"},
        {19003, "Radians"},
        {19004, "Arcminutes"},
        {19005, "Arcseconds"},
        {19007, "Sector"},
        {19008, "Elevation"},
    });
    return module;
}

std::string PlannerString(int id)
{
    return PlannerStrings().LoadString(id);
}
