#include "framework/sys/WinFileSystem.h"

#include "framework/stream/AtomicFile.h"
#include "framework/stream/StateReset.h"
#include "framework/stream/StringUtil.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace fw {

namespace fs = std::filesystem;

namespace {

WinRoot* Root() { return WinRoot::Current(); }

int gFailRenames = 0;
const StateReset resetFailRenames{[] { gFailRenames = 0; }};

bool Host(const std::string& path, std::string& host, bool* link = nullptr)
{
    WinRoot* r = Root();
    return r && r->ToHost(path, host, link);
}

// The host path of an entry that is about to be written, made, changed or removed: refused
// on a CD-ROM drive, which no program can write.
bool HostToWrite(const std::string& path, std::string& host, bool* link = nullptr)
{
    WinRoot* r = Root();
    return r && !r->IsOnReadOnlyDrive(path) && r->ToHost(path, host, link);
}

bool Lstat(const std::string& host, struct stat& st) { return lstat(host.c_str(), &st) == 0; }
// The host path of an existing entry and its status (a link's own, never its target's).
bool HostEntry(const std::string& path, std::string& host, struct stat& st)
{
    return Host(path, host) && Lstat(host, st);
}
// The same for an entry about to be changed or removed: refused on a CD-ROM drive.
bool HostEntryToWrite(const std::string& path, std::string& host, struct stat& st)
{
    return HostToWrite(path, host) && Lstat(host, st);
}

bool IsWritableMode(const char* mode)
{
    return std::strpbrk(mode, "wa+") != nullptr;
}

// A link is followed only when what it points at exists and lies inside one of the machine's
// drives; target is then the resolved host path, to be used in place of the link. A link
// whose target is missing is refused: opening it to write would create the target wherever
// it points.
bool ResolveLinkInside(const std::string& host, std::string& target)
{
    std::error_code ec;
    const fs::path resolved = fs::canonical(host, ec);
    if (ec) return false;
    WinRoot* r = Root();
    for (char letter : r->DriveLetters()) {
        fs::path dir = fs::canonical(r->Drive(letter)->hostDir, ec);
        if (ec) continue;
        const std::string d = WithTrailingSlash(dir.string());
        if (resolved.string().compare(0, d.size(), d) == 0) {
            target = resolved.string();
            return true;
        }
    }
    return false;
}

// A drive's root directory ("C:\") is never removed, moved or replaced.
bool IsDriveRoot(const std::string& path)
{
    return WinFileSystem::FullPath(path).size() == 3;
}

std::string LastName(const std::string& full)
{
    size_t p = full.find_last_of('\\');
    return p == std::string::npos ? full : full.substr(p + 1);
}

std::vector<std::string> ListHostDir(const std::string& host)
{
    std::vector<std::string> names;
    DIR* d = opendir(host.c_str());
    if (!d) return names;
    while (dirent* e = readdir(d)) {
        if (WinFileSystem::IsDotName(e->d_name)) continue;
        names.push_back(e->d_name);
    }
    closedir(d);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        int c = CompareIgnoreCase(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool MatchFrom(const char* p, const char* n)
{
    for (; *p; ++p) {
        if (*p == '*') {
            while (p[1] == '*') ++p;
            if (!p[1]) return true;
            for (const char* s = n; *s; ++s)
                if (MatchFrom(p + 1, s)) return true;
            return MatchFrom(p + 1, n + std::strlen(n));
        }
        if (!*n) return false;
        if (*p != '?' && std::tolower(static_cast<unsigned char>(*p)) !=
                             std::tolower(static_cast<unsigned char>(*n)))
            return false;
        ++n;
    }
    return *n == 0;
}

bool Fits83(const std::string& name)
{
    if (name.empty() || WinFileSystem::IsDotName(name)) return !name.empty();
    size_t dot = name.find('.');
    if (dot != std::string::npos && name.find('.', dot + 1) != std::string::npos) return false;
    std::string base = name.substr(0, dot);
    std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
    for (char c : name)
        if (c == ' ' || std::strchr("+,;=[]", c) || static_cast<unsigned char>(c) > 127) return false;
    return true;
}

std::string Clean83(const std::string& s, size_t max)
{
    std::string out;
    for (char c : s) {
        if (c == ' ' || c == '.') continue;
        if (std::strchr("+,;=[]", c) || static_cast<unsigned char>(c) > 127) c = '_';
        out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (out.size() == max) break;
    }
    return out;
}

void FillFindData(const std::string& host, const std::string& winPath, const std::string& name,
                  const std::vector<std::string>& siblings, WinFindData& d)
{
    struct stat st;
    d = WinFindData();
    d.name = name;
    if (!Lstat(host, st)) return;
    d.attributes = WinFileSystem::GetAttributes(winPath);
    d.size = S_ISREG(st.st_mode) ? st.st_size : 0;
    d.writeTime = st.st_mtime;
    d.accessTime = st.st_atime;
    if (!WinFileSystem::IsDotName(name)) {
        std::string s = WinFileSystem::ShortNameAmong(name, siblings);
        if (s != name) d.shortName = s;
    }
}

} // namespace

bool WinFind::First(const std::string& pattern, WinFindData& out)
{
    Close();
    std::string s = pattern;
    std::replace(s.begin(), s.end(), '/', '\\');
    size_t p = s.find_last_of('\\');
    std::string dir = p == std::string::npos ? "." : s.substr(0, p);
    std::string pat = p == std::string::npos ? s : s.substr(p + 1);
    if (p == std::string::npos && s.size() >= 2 && s[1] == ':') {
        dir = s.substr(0, 2);
        pat = s.substr(2);
    }
    if (dir.size() == 2 && dir[1] == ':') dir += '\\';
    if (dir.empty()) dir = "\\";
    std::string full = WinFileSystem::FullPath(dir);
    std::string host;
    bool link = false;
    if (full.empty() || pat.empty() || !Host(full, host, &link) || link) return false;
    struct stat st;
    if (!Lstat(host, st) || !S_ISDIR(st.st_mode)) return false;
    std::vector<std::string> names = ListHostDir(host);
    std::string prefix = full.size() == 3 ? full : full + "\\";
    if (full.size() > 3) {
        for (const char* dot : {".", ".."}) {
            if (!WinFileSystem::MatchPattern(pat, dot)) continue;
            WinFindData d;
            d.name = dot;
            d.attributes = kAttrDirectory;
            entries_.push_back(d);
        }
    }
    for (const std::string& n : names) {
        if (!WinFileSystem::MatchPattern(pat, n)) continue;
        WinFindData d;
        FillFindData(host + "/" + n, prefix + n, n, names, d);
        entries_.push_back(d);
    }
    if (entries_.empty()) return false;
    open_ = true;
    next_ = 0;
    return Next(out);
}

bool WinFind::Next(WinFindData& out)
{
    if (!open_ || next_ >= entries_.size()) return false;
    out = entries_[next_++];
    return true;
}

void WinFind::Close()
{
    entries_.clear();
    next_ = 0;
    open_ = false;
}

void WinFileSystem::FailRenamesForTest(int n) { gFailRenames = n; }

bool WinFileSystem::MatchPattern(const std::string& pattern, const std::string& name)
{
    if (pattern == "*.*" || pattern == "*") return true;
    if (MatchFrom(pattern.c_str(), name.c_str())) return true;
    // A name without an extension stands for one with an empty extension: "a.*" finds "a".
    const size_t n = pattern.size();
    return name.find('.') == std::string::npos && n >= 2 && pattern.compare(n - 2, 2, ".*") == 0 &&
           MatchFrom(pattern.substr(0, n - 2).c_str(), name.c_str());
}

FILE* WinFileSystem::Open(const std::string& path, const char* mode)
{
    std::string host;
    bool link = false;
    const bool writing = IsWritableMode(mode);
    if (!(writing ? HostToWrite(path, host, &link) : Host(path, host, &link))) return nullptr;
    if (link && !ResolveLinkInside(host, host)) return nullptr;
    struct stat st;
    bool exists = lstat(host.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return nullptr;
    if (writing && exists) {
        if (!(st.st_mode & S_IWUSR) || Root()->IsInUse(path)) return nullptr;
    }
    std::string m;
    for (const char* c = mode; *c; ++c)
        if (*c != 't') m += *c;
    return std::fopen(host.c_str(), m.c_str());
}

bool WinFileSystem::ReplaceFile(const std::string& path, const std::string& bytes)
{
    std::string host;
    bool link = false;
    if (!HostToWrite(path, host, &link)) return false;
    if (link && !ResolveLinkInside(host, host)) return false;
    struct stat st;
    if (lstat(host.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR) || Root()->IsInUse(path)) return false;
    }
    return WriteFileReplacing(host, bytes);
}

int WinFileSystem::Access(const std::string& path, int mode)
{
    std::string host;
    struct stat st;
    if (!HostEntry(path, host, st)) return -1;
    if ((mode & 2) && !S_ISDIR(st.st_mode) && !S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR))
        return -1;
    return 0;
}

bool WinFileSystem::IsDirectory(const std::string& path)
{
    std::string host;
    struct stat st;
    return HostEntry(path, host, st) && S_ISDIR(st.st_mode);
}

bool WinFileSystem::CreateDirectory(const std::string& path)
{
    std::string host;
    return HostToWrite(path, host) && mkdir(host.c_str(), 0755) == 0;
}

bool WinFileSystem::RemoveDirectory(const std::string& path)
{
    std::string host;
    struct stat st;
    if (IsDriveRoot(path) || !HostEntryToWrite(path, host, st) || !S_ISDIR(st.st_mode)) return false;
    if (rmdir(host.c_str()) != 0) return false;
    Root()->ForgetFile(path);
    return true;
}

bool WinFileSystem::DeleteFile(const std::string& path)
{
    std::string host;
    struct stat st;
    if (!HostEntryToWrite(path, host, st) || S_ISDIR(st.st_mode)) return false;
    if (!S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR)) return false;
    if (Root()->IsInUse(path)) return false;
    if (unlink(host.c_str()) != 0) return false;
    Root()->ForgetFile(path);
    return true;
}

bool WinFileSystem::MoveFile(const std::string& from, const std::string& to)
{
    return MoveFileEx(from, to, 0);
}

bool WinFileSystem::MoveFileEx(const std::string& from, const std::string& to, uint32_t flags)
{
    WinRoot* r = Root();
    if (!r || r->IsOnReadOnlyDrive(from) || r->IsOnReadOnlyDrive(to)) return false;
    if (flags & kMoveDelayUntilReboot) {
        // Only the NT family can schedule a replacement; the others use wininit.ini.
        if (r->Os().platform != kPlatformWin32NT) return false;
        r->AddPendingRename(from, to);
        return true;
    }
    std::string hf, ht;
    struct stat sf, stt;
    if (IsDriveRoot(from) || IsDriveRoot(to)) return false;
    if (!Host(from, hf) || !Host(to, ht) || !Lstat(hf, sf)) return false;
    if (r->IsInUse(from)) return false;
    std::string fullTo = FullPath(to);
    if (hf == ht) {
        // Same file under another spelling: change the spelling of the name.
        std::string parent = hf.substr(0, hf.find_last_of('/'));
        ht = parent + "/" + LastName(fullTo);
    } else if (Lstat(ht, stt)) {
        if (!(flags & kMoveReplaceExisting) || S_ISDIR(stt.st_mode)) return false;
        if (!S_ISLNK(stt.st_mode) && !(stt.st_mode & S_IWUSR)) return false;
        if (r->IsInUse(to)) return false;
    }
    if (gFailRenames > 0) {
        --gFailRenames;
        return false;
    }
    if (std::rename(hf.c_str(), ht.c_str()) != 0) return false;
    r->ForgetFile(to);
    r->MoveFileRecord(from, to);
    return true;
}

bool WinFileSystem::CopyFile(const std::string& from, const std::string& to, bool failIfExists)
{
    if (failIfExists && Exists(to)) return false;
    FILE* in = Open(from, "rb");
    if (!in) return false;
    FILE* out = Open(to, "wb");
    if (!out) {
        std::fclose(in);
        return false;
    }
    char buf[8192];
    bool ok = true;
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, in)) > 0)
        if (std::fwrite(buf, 1, n, out) != n) ok = false;
    if (std::ferror(in)) ok = false;
    // The copy takes the source's permissions (read-only included) from the open files, so
    // neither name is looked up again.
    struct stat st;
    if (ok && fstat(fileno(in), &st) == 0 && S_ISREG(st.st_mode)) ok = fchmod(fileno(out), st.st_mode & 0777) == 0;
    std::fclose(in);
    if (std::fclose(out) != 0) ok = false;
    int64_t w, a;
    if (ok && GetFileTimes(from, w, a)) SetFileTimes(to, w, a);
    return ok;
}

uint32_t WinFileSystem::GetAttributes(const std::string& path)
{
    std::string host;
    struct stat st;
    if (!HostEntry(path, host, st)) return kAttrInvalid;
    uint32_t a = Root()->StoredAttributes(path);
    if (S_ISDIR(st.st_mode)) a |= kAttrDirectory;
    else if (!S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR)) a |= kAttrReadOnly;
    return a == 0 ? kAttrNormal : a;
}

bool WinFileSystem::SetAttributes(const std::string& path, uint32_t attributes)
{
    std::string host;
    struct stat st;
    if (!HostEntryToWrite(path, host, st)) return false;
    if (!S_ISLNK(st.st_mode) && !S_ISDIR(st.st_mode)) {
        mode_t m = st.st_mode & 07777;
        m = (attributes & kAttrReadOnly) ? (m & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (m | S_IWUSR);
        if (chmod(host.c_str(), m) != 0) return false;
    }
    Root()->SetStoredAttributes(path, attributes);
    return true;
}

bool WinFileSystem::MakeRunnable(const std::string& path)
{
    std::string host;
    struct stat st;
    if (!HostEntryToWrite(path, host, st) || !S_ISREG(st.st_mode)) return false;
    const mode_t m = st.st_mode & 07777;
    const mode_t x = ((m & S_IRUSR) ? S_IXUSR : 0) | ((m & S_IRGRP) ? S_IXGRP : 0) | ((m & S_IROTH) ? S_IXOTH : 0);
    return (m | x) == m || chmod(host.c_str(), m | x) == 0;
}

int64_t WinFileSystem::FileSize(const std::string& path)
{
    std::string host;
    struct stat st;
    if (!HostEntry(path, host, st) || S_ISDIR(st.st_mode)) return -1;
    return st.st_size;
}

bool WinFileSystem::GetFileTimes(const std::string& path, int64_t& writeTime, int64_t& accessTime)
{
    std::string host;
    struct stat st;
    if (!HostEntry(path, host, st)) return false;
    writeTime = st.st_mtime;
    accessTime = st.st_atime;
    return true;
}

bool WinFileSystem::SetFileTimes(const std::string& path, int64_t writeTime, int64_t accessTime)
{
    std::string host;
    if (!HostToWrite(path, host)) return false;
    struct timespec ts[2];
    ts[0].tv_sec = accessTime;
    ts[0].tv_nsec = 0;
    ts[1].tv_sec = writeTime;
    ts[1].tv_nsec = 0;
    return utimensat(AT_FDCWD, host.c_str(), ts, AT_SYMLINK_NOFOLLOW) == 0;
}

std::string WinFileSystem::FullPath(const std::string& path)
{
    WinRoot* r = Root();
    return r ? r->FullPath(path) : std::string();
}

static bool WalkComponents(const std::string& path, std::string& out, bool shortNames)
{
    std::string full = WinFileSystem::FullPath(path);
    if (full.empty()) return false;
    std::string result = full.substr(0, 3), actual = result;
    size_t i = 3;
    while (i < full.size()) {
        size_t j = full.find('\\', i);
        if (j == std::string::npos) j = full.size();
        std::string comp = full.substr(i, j - i);
        i = j + 1;
        std::string host;
        if (!Host(actual, host)) return false;
        std::vector<std::string> names = ListHostDir(host);
        auto it = std::find(names.begin(), names.end(), comp);
        if (it == names.end())
            it = std::find_if(names.begin(), names.end(),
                              [&](const std::string& n) { return EqualsIgnoreCase(n, comp); });
        if (it == names.end()) return false;
        std::string name = shortNames ? WinFileSystem::ShortNameAmong(*it, names) : *it;
        if (result.size() > 3) result += '\\';
        result += name;
        if (actual.size() > 3) actual += '\\';
        actual += *it;
    }
    out = result;
    return true;
}

bool WinFileSystem::ActualPath(const std::string& path, std::string& out)
{
    return WalkComponents(path, out, false);
}

bool WinFileSystem::ShortPath(const std::string& path, std::string& out)
{
    return WalkComponents(path, out, true);
}

std::string WinFileSystem::ShortNameAmong(const std::string& name,
                                          const std::vector<std::string>& siblings)
{
    if (Fits83(name)) return name;
    auto stem = [](const std::string& n) {
        size_t dot = n.find_last_of('.');
        std::string base = dot == std::string::npos || dot == 0 ? n : n.substr(0, dot);
        std::string ext = dot == std::string::npos || dot == 0 ? "" : n.substr(dot + 1);
        std::string b = Clean83(base, 6);
        if (b.empty()) b = "_";
        return std::make_pair(b, Clean83(ext, 3));
    };
    auto mine = stem(name);
    std::vector<std::string> same;
    for (const std::string& s : siblings)
        if (!Fits83(s) && stem(s) == mine) same.push_back(s);
    if (std::find(same.begin(), same.end(), name) == same.end()) same.push_back(name);
    std::sort(same.begin(), same.end(), [](const std::string& a, const std::string& b) {
        int c = CompareIgnoreCase(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    size_t n = std::find(same.begin(), same.end(), name) - same.begin() + 1;
    std::string num = "~" + std::to_string(n);
    std::string base = mine.first.substr(0, 8 - num.size());
    return base + num + (mine.second.empty() ? "" : "." + mine.second);
}

std::string WinFileSystem::CurrentDirectory()
{
    WinRoot* r = Root();
    return r ? r->CurrentDirectory() : std::string();
}

bool WinFileSystem::SetCurrentDirectory(const std::string& path)
{
    WinRoot* r = Root();
    return r && r->SetCurrentDirectory(path);
}

DriveType WinFileSystem::GetDriveType(char letter, bool* exists)
{
    const DriveInfo* d = Root() ? Root()->Drive(letter) : nullptr;
    if (exists) *exists = d != nullptr;
    return d ? d->type : DriveType::Fixed;
}

long long WinFileSystem::FreeSpace(char letter)
{
    const DriveInfo* d = Root() ? Root()->Drive(letter) : nullptr;
    if (!d) return -1;
    if (d->forcedFreeBytes >= 0) return d->forcedFreeBytes;
    struct statvfs vf;
    if (statvfs(d->hostDir.c_str(), &vf) != 0) return -1;
    return static_cast<long long>(vf.f_bavail) * static_cast<long long>(vf.f_frsize);
}

bool WinFileSystem::WriteHostFileAtomically(const std::string& host, const std::string& bytes)
{
    return WriteFileReplacing(host, bytes);
}

HostRead WinFileSystem::ReadHostFile(const std::string& host, std::string& bytes)
{
    bytes.clear();
    const int fd = ::open(host.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT ? HostRead::Missing : HostRead::Unreadable;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return HostRead::Unreadable;
    }
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            bytes.clear();
            return HostRead::Unreadable;
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return HostRead::Read;
}

bool WinFileSystem::IsHostDirectoryLink(const std::string& hostDir)
{
    std::string d = hostDir;
    while (d.size() > 1 && d.back() == '/') d.pop_back();
    struct stat st;
    return lstat(d.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

}  // namespace fw
