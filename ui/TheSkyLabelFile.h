// The label file that the planetarium program TheSky reads: a header that names the fixed
// columns of the lines, then one line per object with its label, alias, right ascension in
// hours and declination in degrees in those columns. The planner's observing-list export and
// the observing log's export both write it.
#pragma once

#include <string>

namespace TheSkyLabelFile {

// Columns of a line, counted from 1 (first and last of each field).
constexpr int kLabelFirst = 1, kLabelLast = 31;
constexpr int kAliasFirst = 32, kAliasLast = 44;
constexpr int kRaFirst = 45, kRaLast = 58;
constexpr int kDecFirst = 59, kDecLast = 70;

// The header block: a comment line, the column lines matching the columns above, and the
// catalogue lines with the identifier ("Stellum ObsList", "Stellum Log").
std::string Header(const std::string& identifier);
// One line, ended by a line feed: each field blank-padded or cut to its columns.
std::string Line(const std::string& label, const std::string& alias, double raHours, double decDegrees);
// The text blank-padded or cut to exactly n characters.
std::string PadTo(const std::string& text, std::size_t n);

} // namespace TheSkyLabelFile
