// Builds the default constellation figures "conlines.rsx" from the resolved J2000 segment list
// <raw>/constellation-lines/clines_western_j2000.csv and installs it in the user directory
// when the user has none there (the file is the user's own to edit, so an existing one is
// kept). Format: a 16-bit count, then per segment RA1, Dec1, RA2, Dec2 as doubles (hours,
// degrees); repeated segments are left out, as the chart drops them on loading.
#include "tools/DataBuilder.h"

#include "framework/stream/PStream.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <tuple>
#include <vector>

namespace {

constexpr std::size_t kMaxLines = 65535; // the file's count is 16 bits

bool Number(const std::string& text, double lo, double hi, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && value >= lo && value <= hi;
}

bool BuildConstellationLines(const DataBuildContext& ctx)
{
    const std::string source = ctx.rawDir + "constellation-lines/clines_western_j2000.csv";
    std::ifstream in(source);
    if (!in) {
        std::cerr << "cannot read " << source << "\n";
        return false;
    }
    std::string line;
    std::getline(in, line);
    if (line.rfind("constellation,hd_from,hr_from,ra_from_h,dec_from_deg,hd_to,hr_to,ra_to_h,dec_to_deg", 0) != 0) {
        std::cerr << source << ": unexpected header: " << line << "\n";
        return false;
    }
    using Segment = std::tuple<double, double, double, double>;
    std::vector<Segment> segments;
    std::set<Segment> seen;
    long lineNo = 1;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        std::vector<std::string> f;
        std::stringstream ss(line);
        for (std::string field; std::getline(ss, field, ',');)
            f.push_back(field);
        double ra1, dec1, ra2, dec2;
        if (f.size() != 10 || !Number(f[3], 0, 24, ra1) || !Number(f[4], -90, 90, dec1) ||
            !Number(f[7], 0, 24, ra2) || !Number(f[8], -90, 90, dec2)) {
            std::cerr << source << ":" << lineNo << ": not a segment: " << line << "\n";
            return false;
        }
        const Segment s{ra1, dec1, ra2, dec2};
        if (seen.insert(s).second)
            segments.push_back(s);
    }
    if (segments.empty() || segments.size() > kMaxLines) {
        std::cerr << source << ": " << segments.size() << " segments; expected 1 to " << kMaxLines << "\n";
        return false;
    }

    const std::string target = ctx.userDir + "conlines.rsx";
    std::error_code ec;
    if (std::filesystem::exists(target, ec))
        return true;
    fw::omstream out;
    out.writeWord16(static_cast<std::uint16_t>(segments.size()));
    for (const auto& [a, b, c, d] : segments) {
        out.writeDouble(a);
        out.writeDouble(b);
        out.writeDouble(c);
        out.writeDouble(d);
    }
    return WriteFileAtomically(target, out.str());
}

} // namespace

const DataBuilderRegistration kConLinesRegistration("conlines", 40, BuildConstellationLines);
