// Builds the common-name file "comname.txt" of the user directory from the common names of
// NGC 2000.0 (ngc2000/names.dat: name in bytes 1-35, NGC/IC designation in bytes 37-41, "I"
// before an IC number). Messier numbers are left out: the program has its own Messier table.
//
// File form: a first line "<key>=4" giving the version, then one line per name:
// "<common name>",NGC <n>   or   "<common name>",IC <n>
#include "framework/stream/StringUtil.h"
#include "tools/DataBuilder.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <string>

namespace {

bool Fail(const std::string& why)
{
    std::cerr << "comname: " << why << "\n";
    return false;
}

bool IsMessierRecord(const std::string& name)
{
    // "M  31": an M, blanks, digits.
    if (name.size() < 2 || name[0] != 'M')
        return false;
    size_t i = 1;
    while (i < name.size() && name[i] == ' ')
        ++i;
    if (i == 1 || i == name.size())
        return false;
    for (; i < name.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

bool BuildCommonNames(const DataBuildContext& ctx)
{
    const std::string path = ctx.rawDir + "ngc2000/names.dat";
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Fail("cannot open " + path);
    std::string out = "Stellum Common Names=4\n";
    int lineNo = 0, names = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        const std::string where = path + ":" + std::to_string(lineNo) + ": ";
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line.resize(std::max<size_t>(line.size(), 41), ' ');  // the file trims trailing blanks
        const std::string name = fw::Trim(line.substr(0, 35));
        std::string designation = fw::Trim(line.substr(36, 5));
        if (name.empty() || name.find('"') != std::string::npos)
            return Fail(where + "bad name");
        if (IsMessierRecord(name))
            continue;
        bool ic = false;
        if (!designation.empty() && designation[0] == 'I') {
            ic = true;
            designation = fw::Trim(designation.substr(1));
        }
        if (designation.empty())
            return Fail(where + "common name without a designation");
        int number = 0;
        for (char c : designation) {
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return Fail(where + "bad designation");
            number = number * 10 + (c - '0');
        }
        if (number < 1 || number > (ic ? 5386 : 7840))
            return Fail(where + "designation out of range");
        out += "\"" + name + "\"," + (ic ? "IC " : "NGC ") + std::to_string(number) + "\n";
        ++names;
    }
    if (names == 0)
        return Fail(path + ": no common names");
    return WriteFileAtomically(ctx.userDir + "comname.txt", out);
}

DataBuilderRegistration registration("comname", 31, BuildCommonNames);

} // namespace
