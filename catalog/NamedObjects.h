// NamedObjects: the names an observer knows a catalogue object by. The Messier number, the
// Herschel 400 designation (fixed tables) and the common names read from "comname.txt".
//
// Numbers passed to the Messier and Herschel lookups are catalogue numbers (NGC n as n,
// IC n as 10000 + n); the common names are looked up by ObjectId.
#pragma once

#include "catalog/ObjectId.h"

#include <cstdint>
#include <string>
#include <vector>

// One common name.
struct favObj {
    std::string name;
    ObjectId id;
    std::int32_t position = 0;  // the entry's line among the file's entries, from 1
    std::uint8_t flag = 0;
};

class NamedObjects {
public:
    // Most entry lines read from the file.
    static constexpr int kMaxEntries = 10000;
    // Longest piece of an entry line that is kept.
    static constexpr int kMaxPiece = 79;

    // Reads the common-name file; a missing file or one of another version gives the box
    // "Did not find a valid "COMNAME.TXT" file" and no common names.
    explicit NamedObjects(const std::string& path);
    ~NamedObjects();
    NamedObjects(const NamedObjects&) = delete;
    NamedObjects& operator=(const NamedObjects&) = delete;

    // Messier: the catalogue number of Messier n (0 when it has none; 1 for n outside
    // 1 to 110), the Messier number of a catalogue number (0 none), and "M n".
    static std::int32_t CatalogueOfMessier(int n);
    static int MessierNumber(std::int32_t catalogueNumber);
    static bool IsMessier(std::int32_t catalogueNumber) { return MessierNumber(catalogueNumber) != 0; }
    static std::string MessierDesignation(std::int32_t catalogueNumber);

    // Herschel 400: number within the class and class 1 to 8 (0 none), and "H-58-IV".
    static int HerschelNumber(std::int32_t catalogueNumber);
    static int HerschelClass(std::int32_t catalogueNumber);
    static bool IsHerschel(std::int32_t catalogueNumber) { return HerschelNumber(catalogueNumber) != 0; }
    static std::string HerschelDesignation(std::int32_t catalogueNumber);

    // Common names, kept sorted by object (an object may have several).
    bool HasCommonName(ObjectId id) const;
    std::string CommonName(ObjectId id) const;        // the first one; "" when none
    std::int32_t CommonNamePosition(ObjectId id) const;  // 0 when none
    int CommonNameCount() const { return int(list_.size()); }
    std::string EntryCommonName(int i) const;
    ObjectId EntryObject(int i) const;
    std::string EntryObjectName(int i) const;

private:
    const favObj* Find(ObjectId id) const;
    bool Read(const std::string& path);

    std::vector<favObj> list_;
};
