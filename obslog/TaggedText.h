// Reading the observing log's older tagged-text form: items "<TAG=value>" one to a line, and
// whole lines, each with a bound on its length so that a damaged file cannot make a reader
// hold more than that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

namespace tagged {

// Reads "<TAG=value>": the tag is the text before "=" (at most `maxTag` characters), the value
// the text before ">" (at most `maxValue`); then the line end ("\n" or "\r\n"), or with
// restOfLine everything up to and including the next "\n". False when a delimiter does not
// come within its bound or the input ends first.
bool ReadItem(std::istream& in, std::string& tag, std::string& value, std::size_t maxValue,
              bool restOfLine = false, std::size_t maxTag = 99);
// Reads one line without its "\n" (and a "\r" before it), at most `max` characters; false when
// the line is longer or the input ends before any character.
bool ReadLine(std::istream& in, std::size_t max, std::string& line);
// Clears the input's state and moves it back to its start.
void Rewind(std::istream& in);

// Decimal numbers of an item's value; text that is no number gives 0, a number out of range
// the nearest value of the type.
std::int32_t ToInt(const std::string& text);
std::uint32_t ToWord(const std::string& text);
double ToDouble(const std::string& text);

} // namespace tagged
