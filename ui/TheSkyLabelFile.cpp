#include "ui/TheSkyLabelFile.h"

#include <cstdio>

namespace TheSkyLabelFile {

std::string PadTo(const std::string& text, std::size_t n)
{
    std::string s = text.substr(0, n);
    s.resize(n, ' ');
    return s;
}

std::string Header(const std::string& identifier)
{
    std::string h = "; Label file written by Stellum\n";
    h += ">LABEL " + std::to_string(kLabelFirst) + "," + std::to_string(kLabelLast) + "\n";
    h += ">ALIAS " + std::to_string(kAliasFirst) + "," + std::to_string(kAliasLast) + "\n";
    h += ">RAHOURS " + std::to_string(kRaFirst) + "," + std::to_string(kRaLast) + "\n";
    h += ">DECDEGREES " + std::to_string(kDecFirst) + "," + std::to_string(kDecLast) + "\n";
    h += ">CATALOG CLASS = LABELS\n>LOADMEMORY\n>IDENTIFIER " + identifier + "\n>OBJECT TYPE 20\n";
    return h;
}

std::string Line(const std::string& label, const std::string& alias, double raHours, double decDegrees)
{
    char number[64];
    std::string line = PadTo(label, kLabelLast);
    line = PadTo(line + alias, kAliasLast);
    std::snprintf(number, sizeof number, "%.6f", raHours);
    line = PadTo(line + number, kRaLast);
    std::snprintf(number, sizeof number, "%.6f", decDegrees);
    line = PadTo(line + number, kDecLast);
    return line + "\n";
}

} // namespace TheSkyLabelFile
