// Builds the chart's star catalogue "rssao.cat" from the Hipparcos/Tycho-derived star list in
// <raw>/stars/kstars-stars.dat (stars to V 9.0, J2000.0): one 24-byte record per star in the
// file's order, right ascension (hours) and declination (degrees) as doubles, then the first
// and second magnitude as floats. The list has visual magnitudes only, so both magnitudes are
// the V magnitude.
#include "tools/DataBuilder.h"

#include "framework/stream/PStream.h"

#include <cctype>
#include <fstream>
#include <iostream>
#include <string>

namespace {

// Fewest stars a sound copy of the list holds (it has about 126,000).
constexpr long kMinStars = 100000;

// Digits at [pos, pos + n) as a number; false when any is not a digit.
bool Digits(const std::string& s, std::size_t pos, std::size_t n, int& value)
{
    value = 0;
    for (std::size_t i = pos; i < pos + n; ++i) {
        if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i])))
            return false;
        value = value * 10 + (s[i] - '0');
    }
    return true;
}

// "ss.s" or "ss.ss" at pos. A few positions of the list were rounded up to exactly 60
// seconds; those carry into the minute through the sum, anything above is refused.
bool Seconds(const std::string& s, std::size_t pos, std::size_t decimals, double& value)
{
    int whole, frac;
    if (!Digits(s, pos, 2, whole) || s[pos + 2] != '.' || !Digits(s, pos + 3, decimals, frac))
        return false;
    value = whole + frac / (decimals == 2 ? 100.0 : 10.0);
    return value <= 60.0;
}

// One star line: RA "hhmmss.ss" at 0, Dec "+ddmmss.s" at 10, V magnitude (5 characters) at 46.
bool ParseStar(const std::string& line, double& ra, double& dec, float& mag)
{
    if (line.size() < 51 || line[9] != ' ' || line[19] != ' ')
        return false;
    int h, m, d, dm;
    double s, ds;
    if (!Digits(line, 0, 2, h) || !Digits(line, 2, 2, m) || !Seconds(line, 4, 2, s) || h >= 24 || m >= 60)
        return false;
    if ((line[10] != '+' && line[10] != '-') || !Digits(line, 11, 2, d) || !Digits(line, 13, 2, dm) ||
        !Seconds(line, 15, 1, ds) || dm >= 60)
        return false;
    ra = h + m / 60.0 + s / 3600.0;
    if (ra >= 24.0)
        ra -= 24.0;
    dec = d + dm / 60.0 + ds / 3600.0;
    if (dec > 90.0)
        return false;
    if (line[10] == '-')
        dec = -dec;

    const std::string field = line.substr(46, 5);
    std::size_t used = 0;
    double v;
    try {
        v = std::stod(field, &used);
    } catch (...) {
        return false;
    }
    if (used != field.size() || v < -2.0 || v >= 10.0)
        return false;
    mag = static_cast<float>(v);
    return true;
}

bool BuildStars(const DataBuildContext& ctx)
{
    const std::string source = ctx.rawDir + "stars/kstars-stars.dat";
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << source << "\n";
        return false;
    }
    fw::omstream out;
    std::string line;
    long lineNo = 0, stars = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        double ra, dec;
        float mag;
        if (!ParseStar(line, ra, dec, mag)) {
            std::cerr << source << ":" << lineNo << ": not a star record: " << line << "\n";
            return false;
        }
        out.writeDouble(ra);
        out.writeDouble(dec);
        out.writeFloat(mag);
        out.writeFloat(mag);
        ++stars;
    }
    if (stars < kMinStars) {
        std::cerr << source << ": only " << stars << " stars; the list is incomplete\n";
        return false;
    }
    return WriteFileAtomically(ctx.outDir + "rssao.cat", out.str());
}

} // namespace

const DataBuilderRegistration kStarsRegistration("stars", 40, BuildStars);
