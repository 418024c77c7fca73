#include "tools/RawText.h"

#include "framework/stream/StringUtil.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    std::ifstream in(path);
    if (!in) {
        std::cerr << "cannot read " << path << "\n";
        return false;
    }
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    return true;
}

bool ParseDouble(const std::string& field, double& value)
{
    const std::string t = fw::Trim(field);
    if (t.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(t.c_str(), &end);
    return end && *end == '\0';
}

bool ParseLong(const std::string& field, long& value)
{
    long long v = 0;
    if (!fw::ParseInteger(field, v) || v < LONG_MIN || v > LONG_MAX)
        return false;
    value = static_cast<long>(v);
    return true;
}

long ReadMeRecords(const std::vector<std::string>& readme, const std::string& name)
{
    for (const auto& l : readme) {
        std::istringstream ss(l);
        std::string f;
        long lrecl = 0, records = 0;
        if (ss >> f >> lrecl >> records && f == name)
            return records;
    }
    return -1;
}
