// Builds the shipped site list "defloc.rsx" from the city table in <raw>/sites/citydb.csv:
// countries, the regions (provinces) within them and the sites, each list sorted by name.
// Sites of a country that has regions but gives none for the site keep region 255 and are
// listed beside that country's regions.
#include "tools/DataBuilder.h"
#include "tools/RawText.h"

#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"
#include "ui/LocationData.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace {

// One CSV record with RFC 4180 quoting ("" inside quotes is a quote).
std::vector<std::string> SplitCsvLine(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    return fields;
}

struct City {
    std::string name, province, country;
    double latitude, longitude;
};

bool BuildSiteList(const DataBuildContext& ctx)
{
    const std::string source = ctx.rawDir + "sites/citydb.csv";
    std::vector<std::string> lines;
    if (!ReadLines(source, lines))
        return false;
    std::vector<City> cities;
    for (std::size_t i = 1; i < lines.size(); ++i) {  // after the header
        const std::string& line = lines[i];
        if (fw::Trim(line).empty())
            continue;
        const auto f = SplitCsvLine(line);
        if (f.size() < 6) {
            std::cerr << source << ": short record: " << line << "\n";
            return false;
        }
        City city{fw::Trim(f[1]), fw::Trim(f[2]), fw::Trim(f[3]), 0.0, 0.0};
        // A position that does not read whole, or lies off the globe, stops the build rather
        // than placing a site at 0, 0.
        if (!ParseDouble(f[4], city.latitude) || !ParseDouble(f[5], city.longitude) ||
            !(std::fabs(city.latitude) <= 90.0) || !(std::fabs(city.longitude) <= 180.0)) {
            std::cerr << source << ": bad position: " << line << "\n";
            return false;
        }
        cities.push_back(city);
    }

    // Countries and regions, numbered in name order; both numbers must fit in a byte
    // (region 255 is "no region").
    std::set<std::string> countryNames;
    std::set<std::pair<std::string, std::string>> regionKeys;
    for (const auto& c : cities) {
        countryNames.insert(c.country);
        if (!c.province.empty())
            regionKeys.insert({c.country, c.province});
    }
    if (countryNames.size() > 255 || regionKeys.size() > 255) {
        std::cerr << "too many countries or regions for the site list\n";
        return false;
    }
    std::map<std::string, std::uint8_t> countryNumber;
    for (const auto& name : countryNames)
        countryNumber.emplace(name, static_cast<std::uint8_t>(countryNumber.size()));
    std::map<std::pair<std::string, std::string>, std::uint8_t> regionNumber;
    for (const auto& key : regionKeys)  // sorted by country name, then region name
        regionNumber.emplace(key, static_cast<std::uint8_t>(regionNumber.size()));

    std::vector<LocationData> sites;
    std::set<std::tuple<int, int, std::string>> seen;
    for (const auto& c : cities) {
        LocationData site;
        site.country = countryNumber.at(c.country);
        site.region = c.province.empty() ? LocationData::kNoRegion : regionNumber.at({c.country, c.province});
        site.name = c.name;
        site.latitude = static_cast<float>(c.latitude);
        site.longitude = static_cast<float>(c.longitude);
        if (seen.insert({site.country, site.region, site.name}).second)  // drop repeated rows
            sites.push_back(site);
    }
    std::stable_sort(sites.begin(), sites.end(), [](const LocationData& a, const LocationData& b) {
        return std::tie(a.country, a.region, a.name) < std::tie(b.country, b.region, b.name);
    });

    fw::omstream out;
    out.writeString("Quillon Software - Stellum - Default Location File");
    out.writeWord32(4);
    out.writeWord32(static_cast<std::uint32_t>(countryNumber.size()));
    for (const auto& name : countryNames) {
        out.writeString(name);
        out.writeWord32(countryNumber.at(name));
    }
    out.writeWord32(static_cast<std::uint32_t>(regionNumber.size()));
    for (const auto& [key, number] : regionNumber) {
        out.writeByte(countryNumber.at(key.first));
        out.writeWord32(number);
    }
    out.writeWord32(static_cast<std::uint32_t>(regionNumber.size()));
    for (const auto& [key, number] : regionNumber) {
        out.writeString(key.second);
        out.writeWord32(number);
    }
    out.writeWord32(static_cast<std::uint32_t>(sites.size()));
    for (const auto& site : sites)
        site.Write(out);
    if (!out.good()) {
        std::cerr << "cannot build defloc.rsx\n";
        return false;
    }
    std::cout << "defloc.rsx: " << countryNumber.size() << " countries, " << regionNumber.size() << " regions, "
              << sites.size() << " sites\n";
    return WriteFileAtomically(ctx.outDir + "defloc.rsx", out.str());
}

const DataBuilderRegistration registration("defloc", 50, BuildSiteList);

} // namespace
