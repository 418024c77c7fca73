// The one table of the 88 constellations. A constellation code (0 to 87) is the position of
// the constellation in the order of the IAU three-letter abbreviations as the planner lists
// them (0 And, 1 Ant, ... 19 CMa, 20 CMi, 21 Cnc, ... 79 Tuc, 80 TrA, 81 Tri, ... 87 Vul);
// -1 means none. Every part of the program that names constellations by code (the catalogue
// table, the boundary lookup, the constellation strings and lists, the data builder) uses
// this table.
#pragma once

#include <string>

// Number of constellations; codes run from 0 to ConstellationCount - 1.
constexpr int ConstellationCount = 88;
// Code of the "(no comment)" entry that follows the constellations in the string table.
constexpr int ConstellationNoComment = 88;
// Width of an entry of the constellation name table (text and terminating zero).
constexpr int ConstellationNameWidth = 22;

// The constellation name table, indexed by code: the names as the constellations are named
// ("Antlia", "Piscis Austrinus"), each without trailing blanks.
extern const char ConstellationNames[ConstellationCount][ConstellationNameWidth];

// The three-letter abbreviation of a code ("And", "CVn"); "" outside 0 to 87.
const char* ConstellationAbbreviation(int code);
// The constellation's name as the constellation strings give it (the name table's entry
// without trailing blanks); "" outside 0 to 87.
std::string ConstellationName(int code);
// The constellation string of a code: abbreviation "|" name for 0 to 87 ("And|Andromeda"),
// "nc|(no comment)" for 88, "" otherwise.
std::string ConstellationString(int code);
// The code of a three-letter abbreviation, matched ignoring case and surrounding blanks
// (the IAU abbreviations stay distinct that way); -1 when it names no constellation.
int ConstellationCodeOf(const std::string& abbreviation);
