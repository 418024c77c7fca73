#include "framework/sys/WinRoot.h"

#include "framework/stream/AtomicFile.h"
#include "framework/stream/StateReset.h"
#include "framework/stream/StringUtil.h"
#include "framework/sys/ProfileLine.h"
#include "framework/sys/RegistryStore.h"
#include "framework/sys/WinFileSystem.h"

#include <algorithm>
#include <chrono>
#include <cctype>
#include <dirent.h>
#include <filesystem>
#include <cstdio>
#include <sstream>
#include <sys/stat.h>

namespace fw {

namespace fs = std::filesystem;

namespace {

WinRoot* gCurrent = nullptr;
const StateReset resetCurrent{[] { gCurrent = nullptr; }};

int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The root's own files are read only when they are plain files: never through a link.
bool ReadHostFile(const std::string& host, std::string& bytes)
{
    return WinFileSystem::ReadHostFile(host, bytes) == HostRead::Read;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

// Characters Windows refuses in a name: control characters (which would also break the
// line-based stores under the root) and the reserved punctuation.
bool IsBadNameChar(char c)
{
    return static_cast<unsigned char>(c) < 32 || c == ':' || c == '*' || c == '?' || c == '"' ||
           c == '<' || c == '>' || c == '|';
}

// The name of the entry of a host directory that equals name ignoring case, else the entry
// whose 8.3 short name it is, or "".
std::string FindIgnoringCase(const std::string& dir, const std::string& name)
{
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (!d) return std::string();
    while (dirent* e = readdir(d)) {
        if (WinFileSystem::IsDotName(e->d_name)) continue;
        if (EqualsIgnoreCase(e->d_name, name)) {
            std::string found = e->d_name;
            closedir(d);
            return found;
        }
        names.push_back(e->d_name);
    }
    closedir(d);
    if (name.find('~') == std::string::npos) return std::string();
    for (const std::string& n : names)
        if (EqualsIgnoreCase(WinFileSystem::ShortNameAmong(n, names), name)) return n;
    return std::string();
}

} // namespace

WinRoot* WinRoot::Current() { return gCurrent; }
void WinRoot::SetCurrent(WinRoot* root) { gCurrent = root; }

WinRoot::WinRoot(const std::string& hostRoot) : hostRoot_(hostRoot)
{
    if (hostRoot_.empty() || hostRoot_.back() != '/') hostRoot_ += '/';
    std::error_code ec;
    fs::create_directories(hostRoot_, ec);
    createdMs_ = NowMs();
    AddDrive('C', DriveType::Fixed, "");
    SetEnv("PATH", windowsDir_ + ";" + systemDir_);
    SetEnv("WINDIR", windowsDir_);

    struct stat st;
    bool fresh = lstat((hostRoot_ + "system.reg").c_str(), &st) != 0;
    registry_ = std::make_unique<RegistryStore>(hostRoot_ + "system.reg");
    if (fresh) {
        const std::string cv = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
        registry_->CreateKey(0, cv);
        registry_->SetString(0, cv, "ProgramFilesDir", "C:\\Program Files");
        registry_->SetString(0, cv, "CommonFilesDir", "C:\\Program Files\\Common Files");
        const std::string sf =
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
        registry_->CreateKey(2, sf);
        registry_->SetString(2, sf, "Programs", windowsDir_ + "\\Start Menu\\Programs");
        registry_->SetString(2, sf, "Start Menu", windowsDir_ + "\\Start Menu");
        registry_->SetString(2, sf, "Desktop", windowsDir_ + "\\Desktop");
        registry_->Save();
    }
    MakeHostDirs(windowsDir_);
    MakeHostDirs(systemDir_);
    MakeHostDirs("C:\\Program Files\\Common Files");
    MakeHostDirs(windowsDir_ + "\\Start Menu\\Programs");
    MakeHostDirs(windowsDir_ + "\\Desktop");
    LoadStore();
}

WinRoot::~WinRoot()
{
    if (gCurrent == this) gCurrent = nullptr;
}

void WinRoot::MakeHostDirs(const std::string& winDir)
{
    std::string host;
    if (!ToHost(winDir, host)) return;
    std::error_code ec;
    fs::create_directories(host, ec);
}

bool WinRoot::AddDrive(char letter, DriveType type, const std::string& volumeName,
                       const std::string& hostDir)
{
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    if (letter < 'A' || letter > 'Z') return false;
    DriveInfo d;
    d.letter = letter;
    d.type = type;
    d.volumeName = volumeName;
    d.hostDir = hostDir.empty()
                    ? hostRoot_ + "drive_" + static_cast<char>(std::tolower(letter)) + "/"
                    : hostDir;
    if (d.hostDir.back() != '/') d.hostDir += '/';
    std::error_code ec;
    fs::create_directories(d.hostDir, ec);
    drives_[letter] = d;
    return true;
}

const DriveInfo* WinRoot::Drive(char letter) const
{
    auto it = drives_.find(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
    return it == drives_.end() ? nullptr : &it->second;
}

bool WinRoot::IsOnReadOnlyDrive(const std::string& path) const
{
    const std::string full = FullPath(path);
    const DriveInfo* drive = full.empty() ? nullptr : Drive(full[0]);
    return drive && drive->type == DriveType::CdRom;
}

void WinRoot::SetForcedFreeSpace(char letter, long long bytes)
{
    auto it = drives_.find(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
    if (it != drives_.end()) it->second.forcedFreeBytes = bytes;
}

std::vector<char> WinRoot::DriveLetters() const
{
    std::vector<char> v;
    for (auto& d : drives_) v.push_back(d.first);
    return v;
}

void WinRoot::SetWindowsDirectory(const std::string& dir)
{
    windowsDir_ = FullPath(dir);
    MakeHostDirs(windowsDir_);
}

void WinRoot::SetSystemDirectory(const std::string& dir)
{
    systemDir_ = FullPath(dir);
    MakeHostDirs(systemDir_);
}

std::string WinRoot::GetEnv(const std::string& name) const
{
    auto it = env_.find(ToUpperAscii(name));
    return it == env_.end() ? std::string() : it->second.second;
}

bool WinRoot::HasEnv(const std::string& name) const
{
    return env_.count(ToUpperAscii(name)) != 0;
}

void WinRoot::SetEnv(const std::string& name, const std::string& value)
{
    env_[ToUpperAscii(name)] = {name, value};
}

uint32_t WinRoot::TickCount() const
{
    if (tickSource_) return tickSource_();
    return static_cast<uint32_t>(NowMs() - createdMs_);
}

void WinRoot::SetTickSource(std::function<uint32_t()> source) { tickSource_ = std::move(source); }

bool WinRoot::SetCurrentDirectory(const std::string& path)
{
    std::string full = FullPath(path);
    if (full.empty()) return false;
    std::string host;
    bool link = false;
    if (!ToHost(full, host, &link) || link) return false;
    struct stat st;
    if (lstat(host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    currentDir_ = full;
    return true;
}

bool WinRoot::Split(const std::string& path, char& drive, std::vector<std::string>& comps) const
{
    std::string s = path;
    for (char& c : s)
        if (c == '/') c = '\\';
    if (s.empty()) return false;
    if (s.size() >= 2 && s[0] == '\\' && s[1] == '\\') return false; // UNC names: no network
    std::string rest;
    bool relative = false;
    drive = currentDir_[0];
    if (s.size() >= 2 && std::isalpha(static_cast<unsigned char>(s[0])) && s[1] == ':') {
        drive = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
        rest = s.substr(2);
        relative = rest.empty() || rest[0] != '\\';
        if (relative && drive != currentDir_[0]) {
            relative = false; // each drive's own current directory is its root here
            rest = "\\" + rest;
        }
    } else {
        rest = s;
        relative = s[0] != '\\';
    }
    comps.clear();
    auto add = [&comps](const std::string& text) {
        size_t i = 0;
        while (i <= text.size()) {
            size_t j = text.find('\\', i);
            if (j == std::string::npos) j = text.size();
            std::string c = text.substr(i, j - i);
            i = j + 1;
            if (c.empty() || c == ".") continue;
            if (c == "..") {
                if (!comps.empty()) comps.pop_back(); // never above the drive root
                continue;
            }
            while (!c.empty() && (c.back() == '.' || c.back() == ' ')) c.pop_back();
            if (c.empty()) continue;
            for (char ch : c)
                if (IsBadNameChar(ch)) return false;
            comps.push_back(c);
        }
        return true;
    };
    if (relative && !add(currentDir_.substr(2))) return false;
    return add(rest);
}

std::string WinRoot::FullPath(const std::string& path) const
{
    char drive;
    std::vector<std::string> comps;
    if (!Split(path, drive, comps)) return std::string();
    std::string out(1, drive);
    out += ":\\";
    for (size_t i = 0; i < comps.size(); ++i) {
        if (i) out += '\\';
        out += comps[i];
    }
    return out;
}

bool WinRoot::ToHost(const std::string& path, std::string& host, bool* isLink) const
{
    if (isLink) *isLink = false;
    char drive;
    std::vector<std::string> comps;
    if (!Split(path, drive, comps)) return false;
    const DriveInfo* d = Drive(drive);
    if (!d) return false;
    // A drive whose directory is a link would put the whole drive wherever the link points.
    if (WinFileSystem::IsHostDirectoryLink(d->hostDir)) return false;
    std::string h = d->hostDir.substr(0, d->hostDir.size() - 1);
    bool exists = true;
    for (size_t i = 0; i < comps.size(); ++i) {
        std::string name = comps[i];
        if (exists) {
            struct stat st;
            if (lstat((h + "/" + name).c_str(), &st) != 0) {
                std::string match = FindIgnoringCase(h, name);
                if (match.empty())
                    exists = false;
                else
                    name = match;
            }
        }
        h += "/" + name;
        if (exists) {
            struct stat st;
            if (lstat(h.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
                if (i + 1 < comps.size()) return false; // never walk through a link
                if (isLink) *isLink = true;
            }
        }
    }
    host = h;
    return true;
}

std::string WinRoot::KeyOf(const std::string& path) const { return ToUpperAscii(FullPath(path)); }

void WinRoot::SetInUse(const std::string& path, bool inUse)
{
    std::string k = KeyOf(path);
    auto it = std::find(inUse_.begin(), inUse_.end(), k);
    if (inUse && it == inUse_.end()) inUse_.push_back(k);
    if (!inUse && it != inUse_.end()) inUse_.erase(it);
}

bool WinRoot::IsInUse(const std::string& path) const
{
    std::string k = KeyOf(path);
    return std::find(inUse_.begin(), inUse_.end(), k) != inUse_.end();
}

void WinRoot::AddPendingRename(const std::string& existing, const std::string& replacement)
{
    pending_.push_back({FullPath(existing), replacement.empty() ? "" : FullPath(replacement)});
    SavePending();
}

std::vector<std::pair<std::string, std::string>> WinRoot::PendingRenames() const
{
    return pending_;
}

void WinRoot::Restart()
{
    inUse_.clear();
    auto replace = [](const std::string& from, const std::string& to) {
        if (to.empty() || EqualsIgnoreCase(to, "NUL")) {
            WinFileSystem::SetAttributes(from, kAttrNormal);
            WinFileSystem::DeleteFile(from);
            return;
        }
        if (WinFileSystem::Exists(to)) {
            WinFileSystem::SetAttributes(to, kAttrNormal);
            WinFileSystem::DeleteFile(to);
        }
        WinFileSystem::MoveFile(from, to);
    };
    auto list = pending_;
    pending_.clear();
    SavePending();
    for (auto& p : list) replace(p.first, p.second);

    const std::string ini = windowsDir_ + "\\wininit.ini";
    std::string host, text;
    if (ToHost(ini, host) && ReadHostFile(host, text)) {
        bool in = false;
        for (const std::string& line : SplitLines(text)) {
            ProfileLine pl(line);
            if (pl.IsHeader()) {
                if (in) break;
                in = pl.IsHeaderOf("rename");
                continue;
            }
            if (in && pl.IsEntry()) {
                std::string dest = pl.entryName(), src = pl.entryValue();
                replace(src, EqualsIgnoreCase(dest, "NUL") ? std::string() : dest);
            }
        }
        WinFileSystem::MoveFileEx(ini, windowsDir_ + "\\wininit.bak", kMoveReplaceExisting);
    }
}

uint32_t WinRoot::StoredAttributes(const std::string& path) const
{
    auto it = files_.find(KeyOf(path));
    return it == files_.end() ? 0 : it->second.attributes;
}

void WinRoot::SetStoredAttributes(const std::string& path, uint32_t attributes)
{
    files_[KeyOf(path)].attributes = attributes & (kAttrHidden | kAttrSystem | kAttrArchive);
    SaveStore();
}

bool WinRoot::GetVersionBlock(const std::string& path, VersionBlock& out) const
{
    auto it = files_.find(KeyOf(path));
    if (it == files_.end() || !it->second.hasVersion) return false;
    out = it->second.version;
    return true;
}

void WinRoot::SetVersionBlock(const std::string& path, const VersionBlock& block)
{
    FileRecord& r = files_[KeyOf(path)];
    r.hasVersion = true;
    r.version = block;
    SaveStore();
}

void WinRoot::ForgetFile(const std::string& path)
{
    if (files_.erase(KeyOf(path))) SaveStore();
}

void WinRoot::MoveFileRecord(const std::string& from, const std::string& to)
{
    auto it = files_.find(KeyOf(from));
    if (it == files_.end()) return;
    FileRecord r = it->second;
    files_.erase(it);
    files_[KeyOf(to)] = r;
    SaveStore();
}

void WinRoot::LoadStore()
{
    RemoveStaleTemporaries(hostRoot_ + "attributes.txt");
    RemoveStaleTemporaries(hostRoot_ + "pending-renames.txt");
    std::string text;
    if (ReadHostFile(hostRoot_ + "attributes.txt", text)) {
        for (const std::string& line : SplitLines(text)) {
            std::istringstream in(line);
            std::string key;
            FileRecord r;
            int hasVersion = 0;
            if (!std::getline(in, key, '\t')) continue;
            if (!(in >> r.attributes >> hasVersion >> r.version.fileVersionMS >>
                  r.version.fileVersionLS >> r.version.productVersionMS >>
                  r.version.productVersionLS >> r.version.languageCodepage))
                continue;
            // Stores written before the kind and type were kept end here.
            if (!(in >> r.version.fileOS >> r.version.fileType)) r.version.fileOS = r.version.fileType = 0;
            r.hasVersion = hasVersion != 0;
            files_[key] = r;
        }
    }
    if (ReadHostFile(hostRoot_ + "pending-renames.txt", text)) {
        for (const std::string& line : SplitLines(text)) {
            size_t tab = line.find('\t');
            if (tab != std::string::npos) pending_.push_back({line.substr(0, tab), line.substr(tab + 1)});
        }
    }
}

void WinRoot::SaveStore() const
{
    std::ostringstream out;
    for (auto& f : files_) {
        const FileRecord& r = f.second;
        out << f.first << '\t' << r.attributes << ' ' << (r.hasVersion ? 1 : 0) << ' '
            << r.version.fileVersionMS << ' ' << r.version.fileVersionLS << ' '
            << r.version.productVersionMS << ' ' << r.version.productVersionLS << ' '
            << r.version.languageCodepage << ' ' << r.version.fileOS << ' ' << r.version.fileType << '\n';
    }
    // An empty store leaves no file: a machine whose files lost their records is as before.
    if (files_.empty()) std::remove((hostRoot_ + "attributes.txt").c_str());
    else WinFileSystem::WriteHostFileAtomically(hostRoot_ + "attributes.txt", out.str());
}

void WinRoot::SavePending() const
{
    std::string out;
    for (auto& p : pending_) out += p.first + "\t" + p.second + "\n";
    WinFileSystem::WriteHostFileAtomically(hostRoot_ + "pending-renames.txt", out);
}

}  // namespace fw
