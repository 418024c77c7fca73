// Builds the Moon series files "elphires.rsx" (every term of ELP 2000-82B) and "elplores.rsx"
// (the terms above kLowResThreshold) from the 36 series files of elp2000-82b/.
//
// Conversion to the program's form: the main-problem coefficients (series 1-3) get the
// corrections of the constants fitted to DE200/LE200 (the authors' notice, section 7) and are
// then plain coefficients; phases go from degrees to radians; series 22-36 drop the zeta
// multiplier, which is always 0 there; distances carry the notice's a0/ath factor.
//
// Checks before writing: each file has the record count of the ReadMe; the converted series,
// summed with the notice's arguments and Laskar's precession, reproduce the notice's Table H
// (rectangular coordinates, inertial mean ecliptic and equinox J2000) to kTableHTolerance; the low
// resolution series stay within kLowResTolerance of the full ones from 1900 to 2100.
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


// Truncation of the low-resolution file, in radians as in the authors' routine: a longitude or
// latitude term is kept when |A| >= kLowResThreshold x astro::kArcsecondsPerRadian arcseconds (0.0206"), a distance
// term when |A| >= kLowResThreshold x a0 km (0.0385 km).
constexpr double kLowResThreshold = 1.0e-7;
// Largest direction difference (arcseconds) and distance difference (km) accepted between the
// low-resolution and the full series, 1900-2100.
constexpr double kLowResTolerance = 3.0;
constexpr double kLowResDistanceTolerance = 3.0;

// Table H is reproduced to about 4 m (1e-8 of the distance, 0.002"); a damaged term would be
// far larger.
constexpr double kTableHTolerance = 0.01; // km

constexpr double kA0 = 384747.9806448954;   // km, Keplerian semi-major axis of the fit
constexpr double kAth = 384747.9806743165;  // km, the theory's value

struct ElpTerm {
    std::array<int, 11> m{}; // multipliers in the program's order for the series' group
    double a = 0.0;          // arcseconds or km
    double phase = 0.0;      // radians (series 4-36)
};

struct ElpSeries {
    int number = 0;
    std::vector<ElpTerm> terms;
};

int MultiplierCount(int n)
{
    if (n <= 3) return 4;
    if (n <= 9) return 5;
    if (n <= 21) return 11;
    return 4;
}

bool IsDistance(int n) { return n % 3 == 0; }

// Fit corrections of the notice, section 7.
constexpr double kW1Rate = 1732559343.73604; // arcseconds per century
constexpr double kAm = 0.074801329518;
constexpr double kAlpha = 0.002571881335;
constexpr double kDtasm = 2.0 * kAlpha / (3.0 * kAm);
constexpr double kDelnu = 0.55604 / kW1Rate;
constexpr double kDele = 0.01789 / astro::kArcsecondsPerRadian;
constexpr double kDelg = -0.08066 / astro::kArcsecondsPerRadian;
constexpr double kDelnp = -0.06424 / kW1Rate;
constexpr double kDelep = -0.12879 / astro::kArcsecondsPerRadian;

bool ParseSeries(const std::string& path, int n, long expectedLines, ElpSeries& out)
{
    std::vector<std::string> lines;
    if (!ReadLines(path, lines))
        return false;
    if (static_cast<long>(lines.size()) != expectedLines) {
        std::cerr << path << ": " << lines.size() << " records, the ReadMe says " << expectedLines << "\n";
        return false;
    }
    out.number = n;
    const int fileInts = n <= 3 ? 4 : (n >= 10 && n <= 21 ? 11 : 5);
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        ElpTerm t;
        std::array<int, 11> ints{};
        bool ok = l.size() >= static_cast<size_t>(3 * fileInts);
        for (int k = 0; ok && k < fileInts; ++k) {
            long v = 0;
            ok = ParseLong(l.substr(3 * k, 3), v) && v >= -127 && v <= 127;
            ints[k] = static_cast<int>(v);
        }
        std::istringstream rest(ok ? l.substr(3 * fileInts) : std::string());
        if (n <= 3) {
            double b[6];
            ok = ok && static_cast<bool>(rest >> t.a >> b[0] >> b[1] >> b[2] >> b[3] >> b[4] >> b[5]);
            if (ok) {
                if (n == 3)
                    t.a -= 2.0 * t.a * kDelnu / 3.0;
                const double tgv = b[0] + kDtasm * b[4];
                t.a += tgv * (kDelnp - kAm * kDelnu) + b[1] * kDelg + b[2] * kDele + b[3] * kDelep;
            }
        } else {
            double phaseDeg = 0.0, period = 0.0;
            ok = ok && static_cast<bool>(rest >> phaseDeg >> t.a >> period);
            t.phase = phaseDeg / 180.0 * astro::kPi;
        }
        if (n >= 22 && ok && ints[0] != 0) {
            std::cerr << path << ": line " << i + 1 << " has a zeta multiplier\n";
            return false;
        }
        if (!ok) {
            std::cerr << path << ": unreadable term at line " << i + 1 << "\n";
            return false;
        }
        const int skip = n >= 22 ? 1 : 0;
        for (int k = 0; k < MultiplierCount(n); ++k)
            t.m[k] = ints[k + skip];
        if (IsDistance(n))
            t.a *= kA0 / kAth;
        out.terms.push_back(t);
    }
    return true;
}

// Arguments of the notice (section 7), radians, t in Julian centuries TDB from J2000.
struct ElpArguments {
    double w1, D, lp, l, F, zeta;
    double planets[8]; // Me V T Ma J S U N
};

double ArcsecPoly(double d, double m, double s, std::initializer_list<double> c, double t)
{
    double v = (d * 3600.0 + m * 60.0 + s), tp = t;
    for (double k : c) {
        v += k * tp;
        tp *= t;
    }
    return v / astro::kArcsecondsPerRadian;
}

ElpArguments NoticeArguments(double t)
{
    ElpArguments a{};
    a.w1 = ArcsecPoly(218, 18, 59.95571, {kW1Rate, -5.8883, 0.006604, -0.00003169}, t);
    a.D = ArcsecPoly(297, 51, 0.73512, {1602961601.4603, -5.8681, 0.006595, -0.00003184}, t);
    a.lp = ArcsecPoly(357, 31, 44.79306, {129596581.0474, -0.5529, 0.000147}, t);
    a.l = ArcsecPoly(134, 57, 48.28096, {1717915923.4728, 32.3893, 0.051651, -0.00024470}, t);
    a.F = ArcsecPoly(93, 16, 19.55755, {1739527263.0983, -12.2505, -0.001021, 0.00000417}, t);
    a.zeta = ArcsecPoly(218, 18, 59.95571, {kW1Rate + 5029.0966}, t);
    a.planets[0] = ArcsecPoly(252, 15, 3.25986, {538101628.68898}, t);
    a.planets[1] = ArcsecPoly(181, 58, 47.28305, {210664136.43355}, t);
    a.planets[2] = ArcsecPoly(100, 27, 59.22059, {129597742.27580}, t);
    a.planets[3] = ArcsecPoly(355, 25, 59.78866, {68905077.59284}, t);
    a.planets[4] = ArcsecPoly(34, 21, 5.34212, {10925660.42861}, t);
    a.planets[5] = ArcsecPoly(50, 4, 38.89694, {4399609.65932}, t);
    a.planets[6] = ArcsecPoly(314, 3, 18.01841, {1542481.19393}, t);
    a.planets[7] = ArcsecPoly(304, 20, 55.19575, {786550.32074}, t);
    return a;
}

double SeriesValue(const ElpSeries& s, const ElpArguments& a)
{
    const int n = s.number;
    double sum = 0.0;
    for (const auto& t : s.terms) {
        const auto& m = t.m;
        double arg;
        if (n <= 3 || n >= 22)
            arg = m[0] * a.D + m[1] * a.lp + m[2] * a.l + m[3] * a.F;
        else if (n <= 9)
            arg = m[0] * a.zeta + m[1] * a.D + m[2] * a.lp + m[3] * a.l + m[4] * a.F;
        else if (n <= 15)
            arg = m[0] * a.planets[0] + m[1] * a.planets[1] + m[2] * a.planets[2] + m[3] * a.planets[3] +
                  m[4] * a.planets[4] + m[5] * a.planets[5] + m[6] * a.planets[6] + m[7] * a.planets[7] +
                  m[8] * a.D + m[9] * a.l + m[10] * a.F;
        else
            arg = m[0] * a.planets[0] + m[1] * a.planets[1] + m[2] * a.planets[2] + m[3] * a.planets[3] +
                  m[4] * a.planets[4] + m[5] * a.planets[5] + m[6] * a.planets[6] + m[7] * a.D +
                  m[8] * a.lp + m[9] * a.l + m[10] * a.F;
        if (n == 3)
            sum += t.a * std::cos(arg);
        else if (n <= 2)
            sum += t.a * std::sin(arg);
        else
            sum += t.a * std::sin(arg + t.phase);
    }
    return sum;
}

// Geocentric rectangular position (km), inertial mean ecliptic and equinox J2000.
std::array<double, 3> MoonPosition(const std::array<ElpSeries, 37>& s, double jd)
{
    const double t = (jd - 2451545.0) / 36525.0;
    const ElpArguments a = NoticeArguments(t);
    double v[3] = {0, 0, 0};
    for (int n = 1; n <= 36; ++n) {
        double value = SeriesValue(s[n], a);
        const int group = (n - 1) % 3;
        if ((n >= 7 && n <= 9) || (n >= 13 && n <= 15) || (n >= 19 && n <= 21) || (n >= 25 && n <= 27))
            value *= t;
        else if (n >= 34)
            value *= t * t;
        v[group] += value;
    }
    const double lon = v[0] / astro::kArcsecondsPerRadian + a.w1;
    const double lat = v[1] / astro::kArcsecondsPerRadian;
    const double r = v[2];
    const double x = r * std::cos(lon) * std::cos(lat);
    const double y = r * std::sin(lon) * std::cos(lat);
    const double z = r * std::sin(lat);
    const double P = (((( 0.463486e-14 * t - 0.2507948e-11) * t - 0.5417367e-9) * t + 0.47020439e-6) * t +
                      0.10180391e-4) * t;
    const double Q = ((((-0.320334e-14 * t - 0.1371808e-11) * t + 0.12654170e-8) * t + 0.12372674e-6) * t -
                      0.113469002e-3) * t;
    const double root = std::sqrt(1.0 - P * P - Q * Q);
    return {(1 - 2 * P * P) * x + 2 * P * Q * y + 2 * P * root * z,
            2 * P * Q * x + (1 - 2 * Q * Q) * y - 2 * Q * root * z,
            -2 * P * root * x + 2 * Q * root * y + (1 - 2 * P * P - 2 * Q * Q) * z};
}

std::string SeriesFile(const std::array<ElpSeries, 37>& s)
{
    fw::omstream os;
    for (int n = 1; n <= 36; ++n) {
        if (s[n].terms.empty())
            continue; // a block with no terms would end the file
        SignedStreamRecord::WriteHeader(os, SignedStreamRecord::MoonData, 4);
        os.writeWord32(static_cast<std::uint32_t>(n));
        os.writeWord32(static_cast<std::uint32_t>(s[n].terms.size()));
        for (const auto& t : s[n].terms) {
            for (int k = 0; k < MultiplierCount(n); ++k)
                os.writeByte(static_cast<std::uint8_t>(static_cast<std::int8_t>(t.m[k])));
            os.writeDouble(t.a);
            if (n >= 4)
                os.writeDouble(t.phase);
        }
    }
    SignedStreamRecord::WriteHeader(os, SignedStreamRecord::MoonData, 4);
    os.writeWord32(0);
    os.writeWord32(0);
    return os.str();
}

bool BuildElp(const DataBuildContext& ctx)
{
    const std::string dir = ctx.rawDir + "elp2000-82b/";
    std::vector<std::string> readme;
    if (!ReadLines(dir + "ReadMe", readme))
        return false;
    std::array<ElpSeries, 37> full;
    size_t total = 0;
    for (int n = 1; n <= 36; ++n) {
        const std::string name = "ELP" + std::to_string(n);
        const long records = ReadMeRecords(readme, name);
        if (records <= 1) {
            std::cerr << "elp2000-82b/ReadMe names no record count for " << name << "\n";
            return false;
        }
        if (!ParseSeries(dir + name, n, records, full[n]))
            return false;
        total += full[n].terms.size();
    }

    // Table H of the notice, complete series.
    struct Check { double jd, x, y, z; };
    const Check kTableH[] = {
        {2469000.5, -361602.98536, 44996.99510, -30696.65316},
        {2449000.5, -363132.34248, 35863.65378, -33196.00409},
        {2429000.5, -371577.58161, 75271.14315, -32227.94618},
        {2409000.5, -373896.15893, 127406.79129, -30037.79225},
        {2389000.5, -346331.77361, 206365.40364, -28502.11732},
    };
    double worstH = 0.0;
    for (const auto& c : kTableH) {
        const auto p = MoonPosition(full, c.jd);
        const double d = std::max({std::fabs(p[0] - c.x), std::fabs(p[1] - c.y), std::fabs(p[2] - c.z)});
        worstH = std::max(worstH, d);
        if (d > kTableHTolerance) {
            std::cerr << "ELP 2000-82B at JD " << c.jd << ": off Table H by " << d << " km\n";
            return false;
        }
    }

    std::array<ElpSeries, 37> low;
    size_t lowTotal = 0;
    for (int n = 1; n <= 36; ++n) {
        low[n].number = n;
        const double limit = IsDistance(n) ? kLowResThreshold * kA0 : kLowResThreshold * astro::kArcsecondsPerRadian;
        for (const auto& t : full[n].terms)
            if (std::fabs(t.a) >= limit)
                low[n].terms.push_back(t);
        lowTotal += low[n].terms.size();
    }
    if (low[1].terms.empty() || low[2].terms.empty() || low[3].terms.empty()) {
        std::cerr << "low-resolution Moon series lost a main-problem series\n";
        return false;
    }
    double worstAngle = 0.0, worstDistance = 0.0;
    for (double jd = 2415020.5; jd <= 2488070.5; jd += 7.3) {
        const auto f = MoonPosition(full, jd);
        const auto g = MoonPosition(low, jd);
        const double rf = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
        const double rg = std::sqrt(g[0] * g[0] + g[1] * g[1] + g[2] * g[2]);
        const double cx = f[1] * g[2] - f[2] * g[1], cy = f[2] * g[0] - f[0] * g[2], cz = f[0] * g[1] - f[1] * g[0];
        const double angle = std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), f[0] * g[0] + f[1] * g[1] + f[2] * g[2]);
        worstAngle = std::max(worstAngle, angle * astro::kArcsecondsPerRadian);
        worstDistance = std::max(worstDistance, std::fabs(rf - rg));
    }
    std::printf("  ELP 2000-82B: %zu terms, Table H reproduced to %.4f km; low resolution %zu terms, within %.3f\" and "
                "%.3f km (1900-2100)\n",
                total, worstH, lowTotal, worstAngle, worstDistance);
    if (worstAngle > kLowResTolerance || worstDistance > kLowResDistanceTolerance) {
        std::cerr << "low-resolution Moon series too far from the full series\n";
        return false;
    }
    return WriteFileAtomically(ctx.outDir + "elphires.rsx", SeriesFile(full)) &&
           WriteFileAtomically(ctx.outDir + "elplores.rsx", SeriesFile(low));
}

const DataBuilderRegistration kElpRegistration("moon-series", 31, BuildElp);

} // namespace
