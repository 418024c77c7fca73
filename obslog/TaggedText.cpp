#include "obslog/TaggedText.h"

#include "framework/stream/StringUtil.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>

namespace tagged {

bool ReadLine(std::istream& in, std::size_t max, std::string& line)
{
    line.clear();
    int c = in.get();
    if (c == std::char_traits<char>::eof())
        return false;
    for (; c != std::char_traits<char>::eof() && c != '\n'; c = in.get()) {
        if (line.size() > max)
            return false;
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line.size() <= max;
}

bool ReadItem(std::istream& in, std::string& tag, std::string& value, std::size_t maxValue,
              bool restOfLine, std::size_t maxTag)
{
    if (!fw::ReadUpTo(in, '=', maxTag, tag) || !fw::ReadUpTo(in, '>', maxValue, value))
        return false;
    if (restOfLine) {
        for (int c = in.get(); c != std::char_traits<char>::eof() && c != '\n'; c = in.get()) {
        }
        return true;
    }
    const int c = in.get();
    if (c == '\r' && in.peek() == '\n')
        in.get();
    return true;
}

void Rewind(std::istream& in)
{
    in.clear();
    in.seekg(0);
}

std::int32_t ToInt(const std::string& text)
{
    errno = 0;
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(v);
}

std::uint32_t ToWord(const std::string& text)
{
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (v < 0)
        return 0;
    if (v > static_cast<long long>(UINT32_MAX))
        return UINT32_MAX;
    return static_cast<std::uint32_t>(v);
}

double ToDouble(const std::string& text)
{
    // from_chars reads the C locale's form whatever locale the application runs in.
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos)
        return 0.0;
    if (text[i] == '+')
        ++i;
    double v = 0.0;
    std::from_chars(text.data() + i, text.data() + text.size(), v);
    return v;
}

} // namespace tagged
