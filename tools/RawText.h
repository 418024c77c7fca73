// Reading the raw catalogues' text: whole files as lines, numbers in fixed-width fields, and
// the record counts that a catalogue's ReadMe lists for its files.
#pragma once

#include <string>
#include <vector>

// Appends the lines of a text file; false, with the reason on stderr, when it cannot be read.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);

// The whole field, blanks at both ends aside, as a decimal number; false when the field is
// empty or holds anything else.
bool ParseDouble(const std::string& field, double& value);
bool ParseLong(const std::string& field, long& value);

// Record count of a file in a ReadMe's file summary ("VSOP87A.ear    132   3556  Earth ..."):
// the line naming the file, its record length, then its record count. -1 when not listed.
long ReadMeRecords(const std::vector<std::string>& readme, const std::string& name);
