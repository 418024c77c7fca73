#include "framework/sys/ShellLink.h"

#include "framework/stream/StateReset.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace fw {

namespace {
bool gExport = false;
const StateReset resetExport{[] { gExport = false; }};

std::string Field(const std::string& s)
{
    std::string o;
    for (char c : s)
        if (c != '\n' && c != '\r') o += c;
    return o;
}

std::string ApplicationsDir()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (xdg && *xdg) base = xdg;
    else if (const char* home = std::getenv("HOME")) base = std::string(home) + "/.local/share";
    else return {};
    return base + "/applications/";
}

void MakeDirs(const std::string& dir)
{
    for (size_t at = 1; (at = dir.find('/', at)) != std::string::npos; ++at) ::mkdir(dir.substr(0, at).c_str(), 0755);
}

// An argument of Exec: quoted when it holds a reserved character, with \ " ` $ escaped
// inside the quotes; a percent sign doubled.
std::string ExecArgument(const std::string& arg)
{
    std::string escaped;
    bool quote = arg.empty();
    for (char c : arg) {
        if (c == '%') {
            escaped += "%%";
            continue;
        }
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            escaped += '\\';
            quote = true;
        }
        if (std::string(" \t'><~|&;*?#()").find(c) != std::string::npos) quote = true;
        escaped += c;
    }
    return quote ? "\"" + escaped + "\"" : escaped;
}

// A desktop entry's value: one line, backslashes doubled.
std::string EntryValue(const std::string& s)
{
    std::string o;
    for (char c : Field(s)) {
        if (c == '\\') o += "\\\\";
        else o += c;
    }
    return o;
}
} // namespace

void ShellLink::SetDesktopExport(bool on) { gExport = on; }
bool ShellLink::DesktopExport() { return gExport; }

bool ShellLink::Save(const std::string& linkPath) const
{
    FILE* f = WinFileSystem::Open(linkPath, "wb");
    if (!f) return false;
    std::ostringstream out;
    out << "[Shell Link]\nPath=" << Field(path) << "\nArguments=" << Field(arguments)
        << "\nWorkingDirectory=" << Field(workingDirectory) << "\nIconLocation=" << Field(iconPath)
        << "\nIconIndex=" << iconIndex << "\nHotKey=" << hotKey << "\nShowCommand=" << showCommand << "\n";
    std::string text = out.str();
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    if (ok && gExport) {
        std::string entry = DesktopEntryPath(linkPath);
        if (!entry.empty()) {
            MakeDirs(entry.substr(0, entry.rfind('/') + 1));
            WinFileSystem::WriteHostFileAtomically(entry, DesktopEntry(linkPath));
        }
    }
    return ok;
}

bool ShellLink::Load(const std::string& linkPath)
{
    FILE* f = WinFileSystem::Open(linkPath, "rb");
    if (!f) return false;
    std::string text;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0 && text.size() < 65536) text.append(buf, n);
    std::fclose(f);
    std::istringstream in(text);
    std::string line;
    bool sawHeader = false;
    *this = ShellLink();
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "[Shell Link]") {
            sawHeader = true;
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string k = line.substr(0, eq), v = line.substr(eq + 1);
        if (k == "Path") path = v;
        else if (k == "Arguments") arguments = v;
        else if (k == "WorkingDirectory") workingDirectory = v;
        else if (k == "IconLocation") iconPath = v;
        else if (k == "IconIndex") iconIndex = std::atoi(v.c_str());
        else if (k == "HotKey") hotKey = std::atoi(v.c_str());
        else if (k == "ShowCommand") showCommand = std::atoi(v.c_str());
    }
    return sawHeader;
}

bool ShellLink::Remove(const std::string& linkPath)
{
    std::string entry = DesktopEntryPath(linkPath);
    if (!entry.empty()) std::remove(entry.c_str());
    return WinFileSystem::DeleteFile(linkPath);
}

std::string ShellLink::DesktopEntryPath(const std::string& linkPath)
{
    std::string dir = ApplicationsDir();
    std::string full = WinFileSystem::FullPath(linkPath);
    if (dir.empty() || full.empty()) return {};
    // stellum-<group>-<name>.desktop, with only letters, digits, '-' and '_' kept.
    std::string rel = full;
    size_t dot = rel.rfind('.');
    if (dot != std::string::npos) rel.resize(dot);
    size_t last = rel.rfind('\\');
    size_t prev = last == std::string::npos || last == 0 ? std::string::npos : rel.rfind('\\', last - 1);
    std::string tail = prev == std::string::npos ? rel : rel.substr(prev + 1);
    std::string id = "stellum-";
    for (char c : tail) {
        unsigned char u = static_cast<unsigned char>(c);
        id += std::isalnum(u) ? static_cast<char>(std::tolower(u)) : (c == '\\' ? '-' : '_');
    }
    return dir + id + ".desktop";
}

std::string ShellLink::DesktopEntry(const std::string& linkPath) const
{
    std::string name = WinFileSystem::FullPath(linkPath);
    size_t slash = name.rfind('\\');
    if (slash != std::string::npos) name = name.substr(slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);

    WinRoot* root = WinRoot::Current();
    std::string hostProgram = path, hostDir;
    if (root) {
        root->ToHost(path, hostProgram);
        if (!workingDirectory.empty()) root->ToHost(workingDirectory, hostDir);
    }
    std::string exec = ExecArgument(hostProgram);
    std::istringstream args(arguments);
    for (std::string a; args >> a;) exec += " " + ExecArgument(a);

    std::ostringstream out;
    out << "[Desktop Entry]\nType=Application\nVersion=1.0\nName=" << EntryValue(name.empty() ? "Program" : name)
        << "\nExec=" << EntryValue(exec) << "\n";
    if (!hostDir.empty()) out << "Path=" << EntryValue(hostDir) << "\n";
    out << "Terminal=false\nCategories=Science;Astronomy;\n";
    return out.str();
}

} // namespace fw
