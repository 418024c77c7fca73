#include "framework/sys/ProfileLine.h"

#include "framework/stream/StringUtil.h"

namespace fw {

bool ProfileLine::IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string ProfileLine::TrimSpace(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsSpace(s[b])) ++b;
    while (e > b && IsSpace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

ProfileLine::ProfileLine(const std::string& line)
{
    size_t i = 0;
    while (i < line.size() && IsSpace(line[i])) ++i;
    if (i == line.size()) {
        kind_ = Blank;
        return;
    }
    if (line[i] == ';') {
        kind_ = Comment;
        return;
    }
    if (line[i] == '[') {
        size_t close = line.find(']', i + 1);
        if (close != std::string::npos) {
            size_t j = close + 1;
            while (j < line.size() && IsSpace(line[j])) ++j;
            if (j == line.size()) {
                kind_ = Header;
                name_ = line.substr(i + 1, close - i - 1);
                return;
            }
        }
    }
    size_t eq = line.find('=');
    if (eq != std::string::npos) {
        kind_ = Entry;
        name_ = TrimSpace(line.substr(0, eq));
        value_ = TrimSpace(line.substr(eq + 1));
        return;
    }
    kind_ = Other;
}

bool ProfileLine::IsHeaderOf(const std::string& section) const
{
    return kind_ == Header && EqualsIgnoreCase(name_, section);
}

bool ProfileLine::IsEntryNamed(const std::string& name) const
{
    return kind_ == Entry && EqualsIgnoreCase(name_, name);
}

}  // namespace fw
