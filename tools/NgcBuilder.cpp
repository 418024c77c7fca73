// Builds the catalogue table "ngc2k.rsx" and the description file "dreyer.rsx" from the raw
// NGC 2000.0 catalogue (ngc2000/ngc2000.dat, fixed 96-byte records; byte layout in its ReadMe).
//
// Rows keep the catalogue's own order (by right ascension). The builder checks the whole
// catalogue before writing anything: exactly 13226 records, every NGC 1-7840 and IC 1-5386
// exactly once, a known type and constellation on every record.
#include "astro/ConstellationTable.h"
#include "catalog/CatalogueTable.h"
#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"
#include "tools/DataBuilder.h"
#include "tools/RawText.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

namespace {

constexpr int kNgcCount = 7840;
constexpr int kIcCount = 5386;
constexpr int kRecordLength = 96;

struct Row {
    std::int16_t catalogueNumber = 0;
    std::uint8_t shape = 0;
    std::uint8_t size = 0;
    std::uint8_t type = 0;
    std::uint8_t brightness = 0;
    std::uint8_t constellation = 0;
    float ra = 0;
    float dec = 0;
    float magnitude = 0;
    float diameter = 0;
    std::string description;
};

// Object type of the catalogue's type field, as the codes of the type strings.
int TypeCode(const std::string& field)
{
    static const struct { const char* field; int code; } kTypes[] = {
        {"Gx", 0}, {"OC", 1}, {"Gb", 2}, {"Nb", 3}, {"Pl", 4}, {"C+N", 5}, {"Ast", 6},
        {"Kt", 7}, {"***", 8}, {"D*", 9}, {"*", 10}, {"?", 11}, {"", 12}, {"-", 13},
        {"PD", 14},
        // A questioned double or single star is an uncertain type.
        {"D*?", 11}, {"*?", 11},
    };
    for (const auto& t : kTypes)
        if (field == t.field)
            return t.code;
    return -1;
}

// The abbreviations of Dreyer's description that give the brightness, size and shape codes.
// "vv" (an emphasised "very") counts as "v"; "iR" (irregularly round) counts as round.
const struct { const char* word; int code; } kBrightnessWords[] = {
    {"eeF", 1}, {"eF", 2}, {"vvF", 3}, {"vF", 3}, {"F", 4}, {"cF", 5}, {"pF", 6},
    {"pB", 7}, {"cB", 8}, {"B", 9}, {"vB", 10}, {"vvB", 10}, {"eB", 11}, {"eeB", 12},
};
const struct { const char* word; int code; } kSizeWords[] = {
    {"eeS", 1}, {"eS", 2}, {"vvS", 3}, {"vS", 3}, {"S", 4}, {"cS", 5}, {"pS", 6},
    {"pL", 7}, {"cL", 8}, {"L", 9}, {"vL", 10}, {"vvL", 10}, {"eL", 11}, {"eeL", 12},
};
const struct { const char* word; int code; } kShapeWords[] = {
    {"R", 1}, {"RR", 1}, {"iR", 1}, {"pR", 2}, {"vvlE", 3}, {"vlE", 4}, {"plE", 5},
    {"lE", 6}, {"E", 7}, {"pE", 8}, {"cE", 9}, {"pmE", 10}, {"mE", 11}, {"vE", 12},
    {"vmE", 13}, {"eE", 14}, {"eeE", 14},
};

template <typename Table>
int FirstCode(const std::vector<std::string>& words, const Table& table)
{
    for (const auto& w : words)
        for (const auto& entry : table)
            if (w == entry.word)
                return entry.code;
    return 0;
}

// The description cut into words at blanks, commas and semicolons.
std::vector<std::string> Words(const std::string& description)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : description) {
        if (c == ' ' || c == ',' || c == ';') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

bool Fail(const std::string& why)
{
    std::cerr << "ngc2000: " << why << "\n";
    return false;
}

bool ReadCatalogue(const std::string& path, std::vector<Row>& rows, std::vector<int>& rowOfNumber)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Fail("cannot open " + path);
    rowOfNumber.assign(CatalogueRowCount, -1);
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        const std::string where = path + ":" + std::to_string(lineNo) + ": ";
        if (line.size() != size_t(kRecordLength))
            return Fail(where + "record is not 96 bytes");
        Row row;
        // Designation: "I" before an IC number.
        const std::string name = line.substr(0, 5);
        const bool ic = name[0] == 'I';
        double number = 0;
        if (!ParseDouble(ic ? name.substr(1) : name, number) || number != std::floor(number))
            return Fail(where + "bad designation '" + name + "'");
        const int n = int(number);
        if (n < 1 || n > (ic ? kIcCount : kNgcCount))
            return Fail(where + "designation out of range '" + name + "'");
        const int objectNumber = ic ? kNgcCount + n : n;  // NGC n as n, IC n as 7840 + n
        if (rowOfNumber[objectNumber - 1] >= 0)
            return Fail(where + "designation repeated '" + name + "'");
        rowOfNumber[objectNumber - 1] = int(rows.size());
        row.catalogueNumber = std::int16_t(ic ? 10000 + n : n);

        const int type = TypeCode(fw::Trim(line.substr(6, 3)));
        if (type < 0)
            return Fail(where + "unknown type '" + line.substr(6, 3) + "'");
        row.type = std::uint8_t(type);

        double raH = 0, raM = 0, decD = 0, decM = 0;
        if (!ParseDouble(line.substr(10, 2), raH) || !ParseDouble(line.substr(13, 4), raM) ||
            !ParseDouble(line.substr(20, 2), decD) || !ParseDouble(line.substr(23, 2), decM) ||
            (line[19] != '+' && line[19] != '-'))
            return Fail(where + "bad position");
        row.ra = float(raH + raM / 60.0);
        row.dec = float((line[19] == '-' ? -1.0 : 1.0) * (decD + decM / 60.0));

        const int constellation = ConstellationCodeOf(line.substr(29, 3));
        if (constellation < 0)
            return Fail(where + "unknown constellation '" + line.substr(29, 3) + "'");
        row.constellation = std::uint8_t(constellation);

        double size = 0;
        if (ParseDouble(line.substr(33, 5), size))
            row.diameter = float(size);
        double mag = 0;
        if (ParseDouble(line.substr(40, 4), mag))
            row.magnitude = float(line[44] == 'p' ? mag + 1000.0 : mag);

        row.description = line.substr(46, 50);
        while (!row.description.empty() && row.description.back() == ' ')
            row.description.pop_back();
        const std::vector<std::string> words = Words(row.description);
        row.brightness = std::uint8_t(FirstCode(words, kBrightnessWords));
        row.size = std::uint8_t(FirstCode(words, kSizeWords));
        row.shape = std::uint8_t(FirstCode(words, kShapeWords));
        rows.push_back(row);
        if (rows.size() > size_t(CatalogueRowCount))
            return Fail(path + ": more than 13226 records");
    }
    if (rows.size() != size_t(CatalogueRowCount))
        return Fail(path + ": " + std::to_string(rows.size()) + " records, expected 13226");
    for (int i = 0; i < CatalogueRowCount; ++i)
        if (rowOfNumber[i] < 0) {
            const int n = i + 1;
            return Fail(path + ": missing " + (n > kNgcCount ? "IC " + std::to_string(n - kNgcCount)
                                                              : "NGC " + std::to_string(n)));
        }
    return true;
}

bool BuildNgc(const DataBuildContext& ctx)
{
    std::vector<Row> rows;
    std::vector<int> rowOfNumber;
    if (!ReadCatalogue(ctx.rawDir + "ngc2000/ngc2000.dat", rows, rowOfNumber))
        return false;

    fw::omstream table;
    table.writeString(CatalogueSignature);
    table.writeWord32(CatalogueFileVersion);
    table.writeWord32(std::uint32_t(rows.size()));
    for (const Row& r : rows) table.writeWord16(std::uint16_t(r.catalogueNumber));
    for (int row : rowOfNumber) table.writeWord16(std::uint16_t(row));
    for (const Row& r : rows) table.writeByte(r.shape);
    for (const Row& r : rows) table.writeByte(r.size);
    for (const Row& r : rows) table.writeByte(r.type);
    for (const Row& r : rows) table.writeByte(r.brightness);
    for (const Row& r : rows) table.writeByte(r.constellation);
    for (const Row& r : rows) table.writeFloat(r.ra);
    for (const Row& r : rows) table.writeFloat(r.dec);
    for (const Row& r : rows) table.writeFloat(r.magnitude);
    for (const Row& r : rows) table.writeFloat(r.diameter);
    table.writeString(CatalogueSignature);
    if (!table.good())
        return Fail("cannot assemble ngc2k.rsx");

    std::string dreyer;
    dreyer.reserve(rows.size() * DreyerRecordLength);
    for (const Row& r : rows) {
        std::string record = r.description.substr(0, DreyerRecordLength);
        record.resize(DreyerRecordLength, ' ');
        dreyer += record;
    }
    return WriteFileAtomically(ctx.outDir + "ngc2k.rsx", table.str()) &&
           WriteFileAtomically(ctx.outDir + "dreyer.rsx", dreyer);
}

DataBuilderRegistration registration("ngc2000", 30, BuildNgc);

} // namespace
