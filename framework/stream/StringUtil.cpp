#include "framework/stream/StringUtil.h"

#include <cstdlib>
#include <cerrno>
#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fw {

namespace fs = std::filesystem;

static int LowerAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b)
{
    return CompareIgnoreCase(a, b) == 0;
}

int CompareIgnoreCase(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = LowerAscii(static_cast<unsigned char>(a[i]));
        const int cb = LowerAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool StartsWithIgnoreCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::string ToUpperAscii(std::string s)
{
    for (auto& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - ('a' - 'A'));
    return s;
}

std::string ToLowerAscii(std::string s)
{
    for (auto& c : s)
        c = static_cast<char>(LowerAscii(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s)
{
    const char* blanks = " \t\r\n";
    const auto b = s.find_first_not_of(blanks);
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

bool ParseInteger(const std::string& text, long long& value, int base)
{
    const std::string t = Trim(text);
    if (t.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(t.c_str(), &end, base);
    if (errno == ERANGE || end != t.c_str() + t.size())
        return false;
    value = v;
    return true;
}

std::string ResolvePathIgnoringCase(const std::string& path)
{
    std::error_code ec;
    if (path.empty() || fs::exists(path, ec))
        return path;
    const fs::path p(path);
    const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
    const std::string name = p.filename().string();
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualsIgnoreCase(it->path().filename().string(), name))
            return (p.has_parent_path() ? (p.parent_path() / it->path().filename()) : it->path().filename()).string();
    }
    return path;
}

bool ReadUpTo(std::istream& in, char delimiter, std::size_t max, std::string& out)
{
    out.clear();
    for (;;) {
        const int c = in.get();
        if (c == std::char_traits<char>::eof())
            return false;
        if (c == delimiter)
            return true;
        if (out.size() >= max)
            return false;
        out += static_cast<char>(c);
    }
}

}  // namespace fw
