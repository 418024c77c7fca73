#include "framework/sys/DesktopAssociation.h"

#include "framework/stream/AtomicFile.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <vector>

namespace fw {

namespace {

// Makes every directory of a path that ends in '/'.
bool MakeDirectories(const std::string& directory)
{
    for (std::size_t at = 1; at < directory.size(); ++at) {
        if (directory[at] != '/') continue;
        std::string part = directory.substr(0, at);
        if (::mkdir(part.c_str(), 0755) != 0) {
            struct stat st {};
            if (::stat(part.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
        }
    }
    return true;
}

bool WriteWithDirectories(const std::string& path, const std::string& text)
{
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos || !MakeDirectories(path.substr(0, slash + 1))) return false;
    return WriteFileReplacing(path, text);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Removes the file when it holds the marker; true when it is gone or was never there, or
// holds something else (then it is left alone).
bool RemoveIfOurs(const std::string& path, const std::string& marker)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return true;
    if (!S_ISREG(st.st_mode)) return true;
    if (ReadAll(path).find(marker) == std::string::npos) return true;
    return std::remove(path.c_str()) == 0;
}

// Quotes a path for the Exec key of a desktop entry.
std::string ExecQuoted(const std::string& path)
{
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// The program of an Exec value: its first word, unquoted as ExecQuoted quotes it.
std::string ExecProgram(const std::string& exec)
{
    std::string program;
    if (exec.empty() || exec[0] != '"') return exec.substr(0, exec.find(' '));
    for (std::size_t i = 1; i < exec.size(); ++i) {
        if (exec[i] == '"') return program;
        if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
        program += exec[i];
    }
    return {}; // no closing quote: no program
}

// The value of a key of a desktop entry's text, "" when it has none.
std::string EntryValue(const std::string& text, const std::string& key)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
    return {};
}

// One spelling for two paths of the same file, whether or not it still exists.
std::string SameFileForm(const std::string& path)
{
    std::error_code ec;
    std::filesystem::path p = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : p.string();
}

std::string XmlEscaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

std::string DesktopAssociation::DataHome()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/') return std::string(xdg) + (std::string(xdg).back() == '/' ? "" : "/");
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + (std::string(home).back() == '/' ? "" : "/") + ".local/share/";
    return {};
}

std::string DesktopAssociation::MimePackagePath() const
{
    std::string home = DataHome();
    return home.empty() ? std::string() : home + "mime/packages/" + id + ".xml";
}

std::string DesktopAssociation::DesktopEntryPath() const
{
    std::string home = DataHome();
    return home.empty() ? std::string() : home + "applications/" + id + ".desktop";
}

bool DesktopAssociation::Register() const
{
    if (DataHome().empty()) return false;
    std::string mime =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"" + XmlEscaped(mimeType) + "\">\n"
        "    <comment>" + XmlEscaped(comment) + "</comment>\n"
        "    <glob pattern=\"" + XmlEscaped(pattern) + "\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n";
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=" + appName + "\n"
                        "Exec=" + ExecQuoted(programPath) + " %f\n"
                        "MimeType=" + mimeType + ";\n"
                        "Terminal=false\n"
                        "Categories=Education;Science;Astronomy;\n";
    bool mimeWritten = WriteWithDirectories(MimePackagePath(), mime);
    bool entryWritten = WriteWithDirectories(DesktopEntryPath(), entry);
    return mimeWritten && entryWritten;
}

bool DesktopAssociation::UnregisterProgram(const std::string& programPath)
{
    const std::string home = DataHome();
    if (home.empty() || programPath.empty()) return true;
    const std::string directory = home + "applications/";
    const std::string program = SameFileForm(programPath);
    std::vector<DesktopAssociation> found;
    if (DIR* dir = ::opendir(directory.c_str())) {
        const std::string suffix = ".desktop";
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
                continue;
            struct stat st {};
            const std::string path = directory + name;
            if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
            const std::string text = ReadAll(path);
            const std::string types = EntryValue(text, "MimeType");
            const std::string exec = ExecProgram(EntryValue(text, "Exec"));
            if (types.empty() || exec.empty() || SameFileForm(exec) != program) continue;
            DesktopAssociation a;
            a.id = name.substr(0, name.size() - suffix.size());
            a.mimeType = types.substr(0, types.find(';'));
            found.push_back(a);
        }
        ::closedir(dir);
    }
    bool ok = true;
    for (const DesktopAssociation& a : found) ok = a.Unregister() && ok;
    return ok;
}

bool DesktopAssociation::Unregister() const
{
    if (DataHome().empty()) return false;
    bool mimeGone = RemoveIfOurs(MimePackagePath(), "type=\"" + XmlEscaped(mimeType) + "\"");
    bool entryGone = RemoveIfOurs(DesktopEntryPath(), "MimeType=" + mimeType + ";");
    return mimeGone && entryGone;
}

} // namespace fw
