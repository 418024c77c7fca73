#include "catalog/NamedObjects.h"

#include "catalog/FirstNumber.h"
#include "catalog/NamedObjectTables.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/StringUtil.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

const char* const kRoman[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII"};

const HerschelEntry* FindHerschel(std::int32_t catalogueNumber)
{
    const HerschelEntry* first = HerschelTable;
    const HerschelEntry* last = HerschelTable + HerschelCount - 1;
    if (catalogueNumber < first->ngc || catalogueNumber > last->ngc)
        return nullptr;
    if (catalogueNumber == first->ngc)
        return first;
    if (catalogueNumber == last->ngc)
        return last;
    const HerschelEntry* it = std::lower_bound(first, last + 1, catalogueNumber,
        [](const HerschelEntry& e, std::int32_t n) { return e.ngc < n; });
    return (it != last + 1 && it->ngc == catalogueNumber) ? it : nullptr;
}

std::string Piece(const std::string& s)
{
    return s.substr(0, NamedObjects::kMaxPiece);
}

} // namespace

NamedObjects::NamedObjects(const std::string& path)
{
    if (!Read(path)) {
        list_.clear();
        fw::MessageBox(nullptr, "Did not find a valid \"COMNAME.TXT\" file", "", fw::MB_OK | fw::MB_ICONSTOP);
    }
}

NamedObjects::~NamedObjects()
{
    list_.clear();
}

bool NamedObjects::Read(const std::string& path)
{
    std::ifstream in(fw::ResolvePathIgnoringCase(path), std::ios::binary);
    if (!in)
        return false;
    std::string line;
    if (!std::getline(in, line))
        return false;
    const size_t eq = line.find('=');
    if (eq == std::string::npos)
        return false;
    // The version is the number after the "=" (text after the number is ignored).
    if (std::atoi(Piece(line.substr(eq + 1)).c_str()) != 4)
        return false;

    // Entry line: anything, "name", anything up to a comma, the designation.
    for (int position = 1; position <= kMaxEntries && std::getline(in, line); ++position) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t open = line.find('"');
        if (open == std::string::npos)
            continue;
        const size_t close = line.find('"', open + 1);
        if (close == std::string::npos)
            continue;
        const size_t comma = line.find(',', close + 1);
        if (comma == std::string::npos)
            continue;
        const std::string name = Piece(line.substr(open + 1, close - open - 1));
        const std::string designation = Piece(line.substr(comma + 1));
        const long number = FirstNumber(designation);
        ObjectId id;
        // A designation naming neither catalogue, or a number the catalogue does not have,
        // names no object: the line is skipped.
        if (designation.find("IC") != std::string::npos) {
            if (number < 1 || number > 5386)
                continue;
            id = ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, ObjectId::kIcOffset + std::uint32_t(number));
        } else if (designation.find("NGC") != std::string::npos) {
            if (number < 1 || number > 7840)
                continue;
            id = ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, std::uint32_t(number));
        } else {
            continue;
        }
        favObj entry;
        entry.name = name;
        entry.id = id;
        entry.position = position;
        // Sorted by object; names of the same object keep their file order.
        const auto at = std::upper_bound(list_.begin(), list_.end(), id,
            [](ObjectId a, const favObj& e) { return a < e.id; });
        list_.insert(at, entry);
    }
    return true;
}

std::int32_t NamedObjects::CatalogueOfMessier(int n)
{
    if (n < 1 || n > MessierCount)
        return 1;
    return MessierTable[n - 1];
}

int NamedObjects::MessierNumber(std::int32_t catalogueNumber)
{
    if (catalogueNumber < 205 || (catalogueNumber > 7654 && catalogueNumber < 14725) || catalogueNumber > 14725)
        return 0;
    if (catalogueNumber == 205)
        return 110;
    if (catalogueNumber == 7654)
        return 52;
    if (catalogueNumber == 14725)
        return 25;
    const MessierCross* first = MessierCrossTable;
    const MessierCross* last = MessierCrossTable + MessierCrossCount;
    const MessierCross* it = std::lower_bound(first, last, catalogueNumber,
        [](const MessierCross& e, std::int32_t n) { return e.catalogueNumber < n; });
    return (it != last && it->catalogueNumber == catalogueNumber) ? it->messier : 0;
}

std::string NamedObjects::MessierDesignation(std::int32_t catalogueNumber)
{
    const int m = MessierNumber(catalogueNumber);
    return m ? "M " + std::to_string(m) : "";
}

int NamedObjects::HerschelNumber(std::int32_t catalogueNumber)
{
    const HerschelEntry* e = FindHerschel(catalogueNumber);
    return e ? e->number : 0;
}

int NamedObjects::HerschelClass(std::int32_t catalogueNumber)
{
    const HerschelEntry* e = FindHerschel(catalogueNumber);
    return e ? e->herschelClass : 0;
}

std::string NamedObjects::HerschelDesignation(std::int32_t catalogueNumber)
{
    const HerschelEntry* e = FindHerschel(catalogueNumber);
    if (!e || e->herschelClass < 1 || e->herschelClass > 8)
        return "";
    return "H-" + std::to_string(e->number) + "-" + kRoman[e->herschelClass];
}

const favObj* NamedObjects::Find(ObjectId id) const
{
    const auto it = std::lower_bound(list_.begin(), list_.end(), id,
        [](const favObj& e, ObjectId a) { return e.id < a; });
    return (it != list_.end() && it->id == id) ? &*it : nullptr;
}

bool NamedObjects::HasCommonName(ObjectId id) const
{
    return Find(id) != nullptr;
}

std::string NamedObjects::CommonName(ObjectId id) const
{
    const favObj* e = Find(id);
    return e ? e->name : "";
}

std::int32_t NamedObjects::CommonNamePosition(ObjectId id) const
{
    const favObj* e = Find(id);
    return e ? e->position : 0;
}

std::string NamedObjects::EntryCommonName(int i) const
{
    return (i >= 0 && i < CommonNameCount()) ? list_[size_t(i)].name : "";
}

ObjectId NamedObjects::EntryObject(int i) const
{
    return (i >= 0 && i < CommonNameCount()) ? list_[size_t(i)].id : ObjectId();
}

std::string NamedObjects::EntryObjectName(int i) const
{
    return (i >= 0 && i < CommonNameCount()) ? list_[size_t(i)].id.Name() : "";
}
