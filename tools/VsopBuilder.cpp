// Builds the planet series files "1.rsx" ... "8.rsx" (every term) and "1l.rsx" ... "8l.rsx"
// (the terms whose amplitude exceeds kLightThreshold) from VSOP87 version A (vsop87a/).
//
// Before anything is written the input is checked: every file has the record count its ReadMe
// states, every block holds the number of terms its header announces, every amplitude agrees
// with the two coefficients printed beside it, and the summed series reproduce the authors'
// check values of vsop87.chk (printed to 1e-10 au). The light series are then compared with
// the full ones at dates from 1900 to 2100 (geocentric direction of every planet and of the Sun)
// and must stay within kLightTolerance.
#include "astro/SignedStreamRecord.h"

#include "astro/AstroConstants.h"
#include "framework/stream/PStream.h"
#include "tools/DataBuilder.h"
#include "tools/RawText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Terms whose absolute amplitude is at or below this (astronomical units) are left out of the
// light series. Chosen so that the light series stay within about one arcsecond of the full
// ones for 1900-2100 (the worst case, Venus near inferior conjunction, is checked below).
constexpr double kLightThreshold = 5.0e-8;
// Largest geocentric direction difference, arcseconds, accepted between light and full series.
constexpr double kLightTolerance = 1.0;


struct VsopTerm {
    double a, b, c; // amplitude (au), phase (rad), frequency (rad per Julian millennium)
};

struct VsopBody {
    // [coordinate 0..2][power 0..5]
    std::array<std::array<std::vector<VsopTerm>, 6>, 3> series;
    std::array<std::array<bool, 6>, 3> present{};
};

const char* const kSuffix[9] = {"", "mer", "ven", "ear", "mar", "jup", "sat", "ura", "nep"};
const char* const kChkName[9] = {"",        "MERCURY", "VENUS",  "EARTH",  "MARS",
                                 "JUPITER", "SATURN",  "URANUS", "NEPTUNE"};

std::string Field(const std::string& line, size_t col1, size_t width)
{
    if (line.size() < col1 - 1)
        return std::string();
    return line.substr(col1 - 1, width);
}

bool ParseBody(const std::string& path, int body, long expectedLines, VsopBody& out)
{
    std::vector<std::string> lines;
    if (!ReadLines(path, lines))
        return false;
    if (static_cast<long>(lines.size()) != expectedLines) {
        std::cerr << path << ": " << lines.size() << " lines, the ReadMe says " << expectedLines << "\n";
        return false;
    }
    size_t i = 0;
    while (i < lines.size()) {
        const std::string& h = lines[i];
        long iv = 0, ic = 0, it = 0, n = 0;
        if (h.find("VSOP87 VERSION") == std::string::npos || !ParseLong(Field(h, 18, 1), iv) ||
            !ParseLong(Field(h, 42, 1), ic) || !ParseLong(Field(h, 60, 1), it) ||
            !ParseLong(Field(h, 61, 7), n) || iv != 1 || ic < 1 || ic > 3 || it < 0 || it > 5 || n <= 0) {
            std::cerr << path << ": bad block header at line " << i + 1 << "\n";
            return false;
        }
        if (out.present[ic - 1][it]) {
            std::cerr << path << ": block repeated at line " << i + 1 << "\n";
            return false;
        }
        if (i + 1 + static_cast<size_t>(n) > lines.size()) {
            std::cerr << path << ": block at line " << i + 1 << " announces " << n << " terms, the file ends first\n";
            return false;
        }
        auto& terms = out.series[ic - 1][it];
        for (long k = 0; k < n; ++k) {
            const std::string& t = lines[i + 1 + k];
            long tiv = 0, tib = 0, tic = 0, tit = 0;
            VsopTerm term{};
            double sCoef = 0.0, kCoef = 0.0;
            if (!ParseLong(Field(t, 2, 1), tiv) || !ParseLong(Field(t, 3, 1), tib) || !ParseLong(Field(t, 4, 1), tic) ||
                !ParseLong(Field(t, 5, 1), tit) || tiv != 1 || tib != body || tic != ic || tit != it ||
                !ParseDouble(Field(t, 80, 18), term.a) || !ParseDouble(Field(t, 98, 14), term.b) ||
                !ParseDouble(Field(t, 112, 20), term.c) || !ParseDouble(Field(t, 47, 15), sCoef) ||
                !ParseDouble(Field(t, 62, 18), kCoef)) {
                std::cerr << path << ": bad term at line " << i + 2 + k << "\n";
                return false;
            }
            // The amplitude is printed beside the two coefficients it comes from: a damaged
            // digit in any of the three shows.
            if (std::fabs(term.a - std::hypot(sCoef, kCoef)) > 3e-11) {
                std::cerr << path << ": amplitude and coefficients disagree at line " << i + 2 + k << "\n";
                return false;
            }
            terms.push_back(term);
        }
        out.present[ic - 1][it] = true;
        i += 1 + static_cast<size_t>(n);
    }
    return true;
}

// Heliocentric rectangular position (au), ecliptic and equinox J2000, at tau Julian
// millennia of dynamical time from J2000.
std::array<double, 3> Evaluate(const VsopBody& b, double tau)
{
    std::array<double, 3> xyz{};
    for (int c = 0; c < 3; ++c) {
        double tp = 1.0, sum = 0.0;
        for (int p = 0; p < 6; ++p) {
            double s = 0.0;
            for (const auto& t : b.series[c][p])
                s += t.a * std::cos(t.b + t.c * tau);
            sum += s * tp;
            tp *= tau;
        }
        xyz[c] = sum;
    }
    return xyz;
}

VsopBody Lighten(const VsopBody& full)
{
    VsopBody light;
    for (int c = 0; c < 3; ++c)
        for (int p = 0; p < 6; ++p) {
            for (const auto& t : full.series[c][p])
                if (std::fabs(t.a) > kLightThreshold)
                    light.series[c][p].push_back(t);
            light.present[c][p] = !light.series[c][p].empty();
        }
    return light;
}

struct CheckValue {
    int body;
    double jd;
    double x, y, z;
};

bool ParseChecks(const std::string& path, std::vector<CheckValue>& out)
{
    std::vector<std::string> lines;
    if (!ReadLines(path, lines))
        return false;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        std::istringstream hs(lines[i]);
        std::string version, name, jdText;
        if (!(hs >> version >> name >> jdText) || version != "VSOP87A" || jdText.rfind("JD", 0) != 0)
            continue;
        int body = 0;
        for (int b = 1; b <= 8; ++b)
            if (name == kChkName[b])
                body = b;
        if (!body)
            continue;
        CheckValue cv{};
        cv.body = body;
        std::istringstream vs(lines[i + 1]);
        std::string lx, ly, lz, u1, u2, u3;
        if (!ParseDouble(jdText.substr(2), cv.jd) || !(vs >> lx >> cv.x >> u1 >> ly >> cv.y >> u2 >> lz >> cv.z) ||
            lx != "x" || ly != "y" || lz != "z") {
            std::cerr << path << ": unreadable check value at line " << i + 1 << "\n";
            return false;
        }
        out.push_back(cv);
    }
    return true;
}

std::string SeriesFile(const VsopBody& b)
{
    fw::omstream os;
    SignedStreamRecord::WriteHeader(os, SignedStreamRecord::PlanetData, 4);
    for (int c = 0; c < 3; ++c)
        for (int p = 0; p < 6; ++p) {
            if (!b.present[c][p])
                continue;
            const auto& terms = b.series[c][p];
            os.writeWord32(static_cast<std::uint32_t>(c + 1));
            os.writeWord32(static_cast<std::uint32_t>(p));
            os.writeWord32(static_cast<std::uint32_t>(terms.size()));
            for (const auto& t : terms) {
                os.writeDouble(t.a);
                os.writeDouble(t.b);
                os.writeDouble(t.c);
            }
        }
    os.writeWord32(0);
    os.writeWord32(0);
    os.writeWord32(0);
    os.writeString("END OF FILE");
    return os.str();
}

double AngleBetween(const std::array<double, 3>& a, const std::array<double, 3>& b)
{
    const double cx = a[1] * b[2] - a[2] * b[1];
    const double cy = a[2] * b[0] - a[0] * b[2];
    const double cz = a[0] * b[1] - a[1] * b[0];
    const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), dot);
}

bool BuildVsop(const DataBuildContext& ctx)
{
    const std::string dir = ctx.rawDir + "vsop87a/";
    std::vector<std::string> readme;
    if (!ReadLines(dir + "ReadMe", readme))
        return false;

    std::array<VsopBody, 9> full;
    for (int b = 1; b <= 8; ++b) {
        const std::string name = std::string("VSOP87A.") + kSuffix[b];
        const long records = ReadMeRecords(readme, name);
        if (records <= 0) {
            std::cerr << "vsop87a/ReadMe names no record count for " << name << "\n";
            return false;
        }
        if (!ParseBody(dir + name, b, records, full[b]))
            return false;
    }

    std::vector<CheckValue> checks;
    if (!ParseChecks(dir + "vsop87.chk", checks))
        return false;
    if (checks.size() != 80) {
        std::cerr << "vsop87.chk: " << checks.size() << " VSOP87A check values, expected 80\n";
        return false;
    }
    for (const auto& cv : checks) {
        const auto p = Evaluate(full[cv.body], (cv.jd - 2451545.0) / 365250.0);
        const double d = std::max({std::fabs(p[0] - cv.x), std::fabs(p[1] - cv.y), std::fabs(p[2] - cv.z)});
        if (d > 2e-10) {
            std::cerr << "VSOP87A " << kChkName[cv.body] << " JD " << cv.jd << ": off the check value by " << d
                      << " au\n";
            return false;
        }
    }

    std::array<VsopBody, 9> light;
    for (int b = 1; b <= 8; ++b)
        light[b] = Lighten(full[b]);

    // Light against full, geocentric directions, 1900-2100 every 13 days (body 3 stands for the Sun).
    double worst[9] = {};
    for (double jd = 2415020.5; jd <= 2488070.5; jd += 13.0) {
        const double tau = (jd - 2451545.0) / 365250.0;
        const auto ef = Evaluate(full[3], tau);
        const auto el = Evaluate(light[3], tau);
        for (int b = 1; b <= 8; ++b) {
            std::array<double, 3> gf, gl;
            if (b == 3) {
                gf = {-ef[0], -ef[1], -ef[2]};
                gl = {-el[0], -el[1], -el[2]};
            } else {
                const auto pf = Evaluate(full[b], tau);
                const auto pl = Evaluate(light[b], tau);
                for (int k = 0; k < 3; ++k) {
                    gf[k] = pf[k] - ef[k];
                    gl[k] = pl[k] - el[k];
                }
            }
            worst[b] = std::max(worst[b], AngleBetween(gf, gl) * astro::kArcsecondsPerRadian);
        }
    }
    for (int b = 1; b <= 8; ++b) {
        size_t nf = 0, nl = 0;
        for (int c = 0; c < 3; ++c)
            for (int p = 0; p < 6; ++p) {
                nf += full[b].series[c][p].size();
                nl += light[b].series[c][p].size();
            }
        std::printf("  %-8s %5zu terms, light %4zu terms, light within %.3f\" (1900-2100)\n",
                    b == 3 ? "SUN" : kChkName[b], nf, nl, worst[b]);
        if (worst[b] > kLightTolerance) {
            std::cerr << "light series of body " << b << " off the full series by " << worst[b] << "\"\n";
            return false;
        }
    }

    for (int b = 1; b <= 8; ++b) {
        if (!WriteFileAtomically(ctx.outDir + std::to_string(b) + ".rsx", SeriesFile(full[b])) ||
            !WriteFileAtomically(ctx.outDir + std::to_string(b) + "l.rsx", SeriesFile(light[b])))
            return false;
    }
    return true;
}

const DataBuilderRegistration kVsopRegistration("planet-series", 30, BuildVsop);

} // namespace
