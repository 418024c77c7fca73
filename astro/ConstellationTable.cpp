#include "astro/ConstellationTable.h"

#include "framework/stream/StringUtil.h"

namespace {

const char* const kAbbreviations[ConstellationCount] = {
    "And", "Ant", "Aps", "Aql", "Aqr", "Ara", "Ari", "Aur", "Boo", "Cae", //  0- 9
    "Cam", "Cap", "Car", "Cas", "Cen", "Cep", "Cet", "Cha", "Cir", "CMa", // 10-19
    "CMi", "Cnc", "Col", "Com", "CrA", "CrB", "Crt", "Cru", "Crv", "CVn", // 20-29
    "Cyg", "Del", "Dor", "Dra", "Equ", "Eri", "For", "Gem", "Gru", "Her", // 30-39
    "Hor", "Hya", "Hyi", "Ind", "Lac", "Leo", "Lep", "Lib", "LMi", "Lup", // 40-49
    "Lyn", "Lyr", "Men", "Mic", "Mon", "Mus", "Nor", "Oct", "Oph", "Ori", // 50-59
    "Pav", "Peg", "Per", "Phe", "Pic", "PsA", "Psc", "Pup", "Pyx", "Ret", // 60-69
    "Scl", "Sco", "Sct", "Ser", "Sex", "Sge", "Sgr", "Tau", "Tel", "Tuc", // 70-79
    "TrA", "Tri", "UMa", "UMi", "Vel", "Vir", "Vol", "Vul",               // 80-87
};

} // namespace

const char ConstellationNames[ConstellationCount][ConstellationNameWidth] = {
    "Andromeda", "Antlia", "Apus", "Aquila", "Aquarius",
    "Ara", "Aries", "Auriga", "Bootes", "Caelum",
    "Camelopardalis", "Capricornus", "Carina", "Cassiopeia", "Centaurus",
    "Cepheus", "Cetus", "Chamaeleon", "Circinus", "Canis Major",
    "Canis Minor", "Cancer", "Columba", "Coma Berenices", "Corona Australis",
    "Corona Borealis", "Crater", "Crux", "Corvus", "Canes Venatici",
    "Cygnus", "Delphinus", "Dorado", "Draco", "Equuleus",
    "Eridanus", "Fornax", "Gemini", "Grus", "Hercules",
    "Horologium", "Hydra", "Hydrus", "Indus", "Lacerta",
    "Leo", "Lepus", "Libra", "Leo Minor", "Lupus",
    "Lynx", "Lyra", "Mensa", "Microscopium", "Monoceros",
    "Musca", "Norma", "Octans", "Ophiuchus", "Orion",
    "Pavo", "Pegasus", "Perseus", "Phoenix", "Pictor",
    "Piscis Austrinus", "Pisces", "Puppis", "Pyxis", "Reticulum",
    "Sculptor", "Scorpius", "Scutum", "Serpens", "Sextans",
    "Sagitta", "Sagittarius", "Taurus", "Telescopium", "Tucana",
    "Triangulum Australe", "Triangulum", "Ursa Major", "Ursa Minor", "Vela",
    "Virgo", "Volans", "Vulpecula",
};

const char* ConstellationAbbreviation(int code)
{
    if (code < 0 || code >= ConstellationCount)
        return "";
    return kAbbreviations[code];
}

std::string ConstellationName(int code)
{
    if (code < 0 || code >= ConstellationCount)
        return "";
    std::string name = ConstellationNames[code];
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

std::string ConstellationString(int code)
{
    if (code == ConstellationNoComment)
        return "nc|(no comment)";
    if (code < 0 || code >= ConstellationCount)
        return "";
    return std::string(kAbbreviations[code]) + "|" + ConstellationName(code);
}

int ConstellationCodeOf(const std::string& abbreviation)
{
    const std::string key = fw::Trim(abbreviation);
    for (int code = 0; code < ConstellationCount; ++code)
        if (fw::EqualsIgnoreCase(key, kAbbreviations[code]))
            return code;
    return -1;
}
