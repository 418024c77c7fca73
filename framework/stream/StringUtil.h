// String helpers with a fixed rule at each call site (no program-wide case switch).
#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace fw {

// ASCII case-insensitive equality and ordering.
bool EqualsIgnoreCase(const std::string& a, const std::string& b);
int CompareIgnoreCase(const std::string& a, const std::string& b);
bool StartsWithIgnoreCase(const std::string& text, const std::string& prefix);
std::string ToUpperAscii(std::string s);
std::string ToLowerAscii(std::string s);
// Blanks (space, tab, CR, LF) removed from both ends.
std::string Trim(const std::string& s);
// A whole integer, blanks around it allowed, in the given base (0: decimal, 0x hexadecimal or
// 0 octal by its prefix); false when anything else is in the text or it does not fit.
bool ParseInteger(const std::string& text, long long& value, int base = 10);

// Reads from in up to `delimiter` (dropped) into out, at most `max` characters; false when the
// delimiter does not come within that bound or the stream ends first.
bool ReadUpTo(std::istream& in, char delimiter, std::size_t max, std::string& out);

// A directory path ending in '/' (an empty path stays empty, the current directory).
inline std::string WithTrailingSlash(std::string path)
{
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

// The path itself when it exists; otherwise the entry of its directory whose name matches
// the file name ignoring case (first in directory order); otherwise the path unchanged.
std::string ResolvePathIgnoringCase(const std::string& path);

}  // namespace fw
