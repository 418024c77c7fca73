// Builds the Pluto series file "9.rsx" from the PLUTO95 series (pluto95/pluto95.dat).
//
// The coordinates stay in the series' own frame, the mean equator and equinox of J2000.0, the
// frame in which the program takes Pluto's heliocentric position. The program holds the secular
// polynomials itself, so the builder checks that the data file has exactly those; it checks
// that there are 106 terms numbered in order with the powers 0 (1-82), 1 (83-101) and 2
// (102-106), and that the series reproduce the five test values of the authors' notice
// (pluto.txt, section 4) before it writes the file.
#include "astro/SignedStreamRecord.h"
#include "framework/stream/PStream.h"
#include "tools/DataBuilder.h"

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

struct PlutoTerm {
    double fq;
    double c[3], s[3]; // x, y, z
};

// The secular polynomials built into the program (1e-10 au, powers 0..3 of x).
const double kSecular[3][4] = {
    {98083308510.0, -1465718392.0, 11528487809.0, 55397965917.0},
    {101846243715.0, 57789.0, -5487929294.0, 8520205290.0},
    {2183700004.0, 433209785.0, -4911803413.0, -14029741184.0},
};

int TermPower(int n) { return n <= 82 ? 0 : (n <= 101 ? 1 : 2); }

std::array<double, 3> Evaluate(const std::vector<PlutoTerm>& terms, double jd)
{
    const double x = 2.0 * (jd - 2341972.5) / 146120.0 - 1.0;
    const double fx = x * 73060.0;
    std::array<double, 3> out{};
    for (int k = 0; k < 3; ++k) {
        double v = kSecular[k][0] + x * (kSecular[k][1] + x * (kSecular[k][2] + x * kSecular[k][3]));
        for (size_t i = 0; i < terms.size(); ++i) {
            const double arg = terms[i].fq * fx;
            double term = terms[i].c[k] * std::cos(arg) + terms[i].s[k] * std::sin(arg);
            for (int p = 0; p < TermPower(static_cast<int>(i) + 1); ++p)
                term *= x;
            v += term;
        }
        out[k] = v * 1e-10;
    }
    return out;
}

bool BuildPluto(const DataBuildContext& ctx)
{
    const std::string path = ctx.rawDir + "pluto95/pluto95.dat";
    std::ifstream in(path);
    if (!in) {
        std::cerr << "cannot read " << path << "\n";
        return false;
    }
    std::vector<PlutoTerm> terms;
    bool secularSeen[3] = {false, false, false};
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream ss(line);
        std::string kind;
        ss >> kind;
        if (kind == "SECULAR") {
            std::string coord;
            double a[4];
            if (!(ss >> coord >> a[0] >> a[1] >> a[2] >> a[3]) || coord.size() != 1 || coord[0] < 'X' ||
                coord[0] > 'Z') {
                std::cerr << path << ": unreadable line " << lineNo << "\n";
                return false;
            }
            const int k = coord[0] - 'X';
            for (int p = 0; p < 4; ++p)
                if (a[p] != kSecular[k][p]) {
                    std::cerr << path << ": secular " << coord << " differs from the program's polynomial\n";
                    return false;
                }
            secularSeen[k] = true;
        } else if (kind == "TERM") {
            int n = 0, power = -1;
            PlutoTerm t{};
            if (!(ss >> n >> power >> t.fq >> t.c[0] >> t.s[0] >> t.c[1] >> t.s[1] >> t.c[2] >> t.s[2]) ||
                n != static_cast<int>(terms.size()) + 1 || power != TermPower(n)) {
                std::cerr << path << ": unexpected term at line " << lineNo << "\n";
                return false;
            }
            terms.push_back(t);
        } else {
            std::cerr << path << ": unknown line " << lineNo << "\n";
            return false;
        }
    }
    if (terms.size() != 106 || !secularSeen[0] || !secularSeen[1] || !secularSeen[2]) {
        std::cerr << path << ": " << terms.size() << " terms (106 expected) or a secular line missing\n";
        return false;
    }

    // Test values of pluto.txt, section 4 (au, mean equator and equinox J2000).
    struct Check { double jd, x, y, z; };
    const Check kChecks[] = {
        {2341972.5, -25.48366603086599, 22.25190224179014, 14.61666566142614},
        {2378497.75, 36.33316699469712, -11.84871881208418, -14.64079073464049},
        {2415023.0, 10.29158303131287, 44.52906466047693, 10.79081191605171},
        {2451548.25, -9.86615874601937, -27.98285304568784, -5.75779357947923},
        {2488073.5, 39.67448463874504, 28.47968765660414, -3.06796133066342},
    };
    double worst = 0.0;
    for (const auto& c : kChecks) {
        const auto p = Evaluate(terms, c.jd);
        worst = std::max({worst, std::fabs(p[0] - c.x), std::fabs(p[1] - c.y), std::fabs(p[2] - c.z)});
    }
    if (worst > 1e-9) {
        std::cerr << "PLUTO95 test values not reproduced (off by " << worst << " au)\n";
        return false;
    }
    std::printf("  PLUTO95: 106 terms, test values reproduced to %.1e au\n", worst);

    fw::omstream os;
    SignedStreamRecord::WriteHeader(os, SignedStreamRecord::Pluto, 5);
    for (const auto& t : terms) {
        os.writeDouble(t.fq);
        os.writeDouble(t.c[0]);
        os.writeDouble(t.s[0]);
        os.writeDouble(t.c[1]);
        os.writeDouble(t.s[1]);
        os.writeDouble(t.c[2]);
        os.writeDouble(t.s[2]);
    }
    SignedStreamRecord::WriteSignature(os, SignedStreamRecord::Pluto);
    return WriteFileAtomically(ctx.outDir + "9.rsx", os.str());
}

const DataBuilderRegistration kPlutoRegistration("pluto-series", 32, BuildPluto);

} // namespace
