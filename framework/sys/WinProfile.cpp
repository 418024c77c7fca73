#include "framework/sys/WinProfile.h"

#include "framework/stream/StringUtil.h"
#include "framework/sys/ProfileLine.h"
#include "framework/sys/WinFileSystem.h"

#include <cstdlib>

namespace fw {

namespace {

// The lines of a file without their "\n" (a "\r" before it is kept, so that a rewrite keeps
// each line's own ending); crlf tells whether the file's first line ends in "\r\n".
bool ReadLines(const std::string& path, std::vector<std::string>& lines, bool& crlf)
{
    FILE* f = WinFileSystem::Open(path, "rb");
    if (!f) return false;
    std::string text;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    std::fclose(f);
    lines.clear();
    size_t i = 0;
    while (i < text.size()) {
        size_t j = text.find('\n', i);
        if (j == std::string::npos) j = text.size();
        lines.push_back(text.substr(i, j - i));
        i = j + 1;
    }
    crlf = !lines.empty() && !lines[0].empty() && lines[0].back() == '\r' &&
           text.size() > lines[0].size();
    return true;
}

// Index of the first header of the section, or -1.
int FindSection(const std::vector<std::string>& lines, const std::string& section)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (ProfileLine(lines[i]).IsHeaderOf(section)) return static_cast<int>(i);
    return -1;
}

// One past the last line of the section that starts at header h.
size_t SectionEnd(const std::vector<std::string>& lines, int h)
{
    size_t i = h + 1;
    while (i < lines.size() && !ProfileLine(lines[i]).IsHeader()) ++i;
    return i;
}

} // namespace

std::string WinProfile::ProfilePath(const std::string& file)
{
    if (file.find('\\') == std::string::npos && file.find('/') == std::string::npos &&
        !(file.size() >= 2 && file[1] == ':')) {
        WinRoot* r = WinRoot::Current();
        if (r) return r->WindowsDirectory() + "\\" + file;
    }
    return file;
}

std::string WinProfile::GetString(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& defaultValue)
{
    std::vector<std::string> lines;
    bool nl;
    if (!ReadLines(ProfilePath(file), lines, nl)) return defaultValue;
    int h = FindSection(lines, section);
    if (h < 0) return defaultValue;
    size_t end = SectionEnd(lines, h);
    for (size_t i = h + 1; i < end; ++i) {
        ProfileLine pl(lines[i]);
        if (pl.IsEntryNamed(key)) return pl.entryValue();
    }
    return defaultValue;
}

int WinProfile::GetInt(const std::string& file, const std::string& section,
                       const std::string& key, int defaultValue)
{
    std::string v = GetString(file, section, key, "");
    const char* s = v.c_str();
    char* end = nullptr;
    long n = std::strtol(s, &end, 10);
    if (end == s) return defaultValue;
    return static_cast<int>(n);
}

std::vector<std::string> WinProfile::GetKeys(const std::string& file, const std::string& section)
{
    std::vector<std::string> keys;
    std::vector<std::string> lines;
    bool nl;
    if (!ReadLines(ProfilePath(file), lines, nl)) return keys;
    int h = FindSection(lines, section);
    if (h < 0) return keys;
    size_t end = SectionEnd(lines, h);
    for (size_t i = h + 1; i < end; ++i) {
        ProfileLine pl(lines[i]);
        if (!pl.IsEntry()) continue;
        bool seen = false;
        for (auto& k : keys) seen = seen || EqualsIgnoreCase(k, pl.entryName());
        if (!seen) keys.push_back(pl.entryName());
    }
    return keys;
}

bool WinProfile::WriteString(const std::string& file, const std::string& section,
                             const char* key, const char* value)
{
    const std::string path = ProfilePath(file);
    WinRoot* r = WinRoot::Current();
    if (!r || r->IsOnReadOnlyDrive(path)) return false;
    std::vector<std::string> lines;
    bool crlf = false;
    bool exists = WinFileSystem::Exists(path);
    if (exists) {
        if (WinFileSystem::Access(path, 2) != 0 || r->IsInUse(path)) return false;
        if (!ReadLines(path, lines, crlf)) return false;
    }
    const std::string cr = crlf ? "\r" : "";
    int h = FindSection(lines, section);
    if (!key) {
        if (h < 0) return true;
        lines.erase(lines.begin() + h, lines.begin() + SectionEnd(lines, h));
    } else if (h < 0) {
        if (!value) return true;
        if (!lines.empty() && !ProfileLine(lines.back()).IsBlank()) lines.push_back(cr);
        lines.push_back("[" + section + "]" + cr);
        lines.push_back(std::string(key) + "=" + value + cr);
    } else {
        size_t end = SectionEnd(lines, h);
        size_t found = end;
        for (size_t i = h + 1; i < end && found == end; ++i)
            if (ProfileLine(lines[i]).IsEntryNamed(key)) found = i;
        if (found != end) {
            if (value)
                lines[found] = std::string(key) + "=" + value + cr;
            else
                lines.erase(lines.begin() + found);
        } else if (value) {
            size_t at = end;
            while (at > static_cast<size_t>(h) + 1 && ProfileLine(lines[at - 1]).IsBlank()) --at;
            lines.insert(lines.begin() + at, std::string(key) + "=" + value + cr);
        }
    }
    std::string text;
    for (auto& l : lines) text += l + "\n";
    std::string host;
    if (!r->ToHost(path, host)) return false;
    return WinFileSystem::WriteHostFileAtomically(host, text);
}

}  // namespace fw
