#include "installer/support/FilePath.h"

#include "framework/stream/StateReset.h"
#include "framework/stream/StringUtil.h"
#include "framework/sys/WinFileSystem.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/FileFind.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/RegKey.h"

#include <cctype>
#include <cstdarg>
#include <cstring>
#include <string>
#include <unistd.h>

namespace kw {

namespace {

std::string gModulePath = "C:\\kwmain.exe";
const fw::StateReset resetModulePath{[] { gModulePath = "C:\\kwmain.exe"; }};

bool IsSep(char c) { return c == '\\' || c == '/'; }

struct Parts {
    std::string drive, dir, name, ext;
};

// Splits as the system's path splitter does: drive "X:", directory up to and including the
// last separator, name, extension from the last "." of the last component.
Parts Split(const std::string& p)
{
    Parts r;
    size_t i = 0;
    if (p.size() >= 2 && p[1] == ':') {
        r.drive = p.substr(0, 2);
        i = 2;
    }
    size_t lastSep = std::string::npos;
    for (size_t k = i; k < p.size(); ++k)
        if (IsSep(p[k])) lastSep = k;
    size_t nameStart = i;
    if (lastSep != std::string::npos) {
        r.dir = p.substr(i, lastSep + 1 - i);
        nameStart = lastSep + 1;
    }
    std::string file = p.substr(nameStart);
    size_t dot = file.find_last_of('.');
    if (dot == std::string::npos) {
        r.name = file;
    } else {
        r.name = file.substr(0, dot);
        r.ext = file.substr(dot);
    }
    return r;
}

std::string Merge(const Parts& r)
{
    std::string out = r.drive + r.dir;
    if (!r.dir.empty() && !IsSep(r.dir.back()) && !(r.name.empty() && r.ext.empty())) out += '\\';
    return out + r.name + r.ext;
}

bool Put(PathName& out, const std::string& text) { return out.SetText(text.c_str()); }

std::string Text(const char* p) { return p ? p : ""; }

bool WithVaFormat(std::string& out, size_t size, const char* format, va_list args)
{
    char buffer[1024];
    int n = std::vsnprintf(buffer, size < sizeof buffer ? size : sizeof buffer, format, args);
    if (n < 0 || static_cast<size_t>(n) >= size) return false;
    out = buffer;
    return true;
}

} // namespace

// ---- path text

bool FullPath(const char* path, PathName& out)
{
    std::string full = fw::WinFileSystem::FullPath(Text(path));
    if (full.empty()) return false;
    return Put(out, full);
}

bool DirectoryOf(const char* path, PathName& out)
{
    Parts p = Split(Text(path));
    std::string d = p.drive + p.dir;
    if (d.size() > 1 && IsSep(d.back()) && !(d.size() == 3 && d[1] == ':') &&
        !(d.size() == 1))
        d.pop_back();
    return Put(out, d);
}

bool FileNameOf(const char* path, PathName& out) { return Put(out, FileNamePart(path)); }

const char* FileNamePart(const char* path)
{
    if (!path) return "";
    const char* name = path;
    if (path[0] && path[1] == ':') name = path + 2;
    for (const char* p = name; *p; ++p)
        if (IsSep(*p)) name = p + 1;
    return name;
}

bool DriveRootOf(const char* path, PathName& out)
{
    std::string full = fw::WinFileSystem::FullPath(Text(path));
    if (full.size() < 3) return false;
    return Put(out, full.substr(0, 3));
}

bool ParentPath(const char* path, PathName& out)
{
    std::string p = Text(path);
    if (IsBareDrive(path)) return false;
    size_t at = p.find_last_of('\\');
    if (at == std::string::npos) at = p.find_last_of('/');
    if (at == std::string::npos) return false;
    return Put(out, p.substr(0, at));
}

bool NormalizePath(PathName& path) { return Put(path, Merge(Split(path.Text()))); }

bool JoinPath(PathName& out, const char* directory, const char* name)
{
    std::string d = Text(directory);
    if (!d.empty() && d.back() != '\\') d += '\\';
    return Put(out, d + Text(name));
}

std::string JoinedPath(const std::string& directory, const std::string& name)
{
    if (directory.empty()) return name;
    const char last = directory.back();
    return directory + (last == '\\' || last == '/' ? "" : "\\") + name;
}

bool JoinPaths(PathName& path, const char* name)
{
    std::string d = path.Text();
    return JoinPath(path, d.c_str(), name);
}

bool ReplaceDirectory(PathName& path, const char* directory)
{
    std::string name = FileNamePart(path.Text());
    return JoinPath(path, directory, name.c_str());
}

bool SetFileName(PathName& path, const char* name)
{
    Parts p = Split(path.Text());
    p.name = Text(name);
    p.ext.clear();
    return Put(path, Merge(p));
}

bool AppendToName(PathName& path, const char* text)
{
    Parts p = Split(path.Text());
    p.name += Text(text);
    return Put(path, Merge(p));
}

bool SetExtension(PathName& path, const char* ext)
{
    Parts p = Split(path.Text());
    std::string e = Text(ext);
    p.ext = (e.empty() || e[0] == '.') ? e : "." + e;
    return Put(path, Merge(p));
}

bool SetLastExtensionChar(PathName& path, char c)
{
    Parts p = Split(path.Text());
    if (p.ext.empty())
        p.ext = std::string(".") + c;
    else if (p.ext.size() >= 4) // a dot and three letters (or more)
        p.ext.back() = c;
    else
        p.ext += c;
    return Put(path, Merge(p));
}

bool HasExtension(const char* path, const char* ext)
{
    if (!ext || ext[0] != '.') {
        CheckFailed("FPATH", 857, false);
        return false;
    }
    std::string p = Text(path), e = ext;
    return p.size() >= e.size() && fw::EqualsIgnoreCase(p.substr(p.size() - e.size()), e);
}

bool IsDll(const char* path) { return HasExtension(path, ".dll"); }
bool IsOcx(const char* path) { return HasExtension(path, ".ocx"); }
bool IsVbx(const char* path) { return HasExtension(path, ".vbx"); }

bool IsBareDrive(const char* path)
{
    return path && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           path[2] == 0;
}

bool IsEmptyPath(const char* path) { return !path || !*path; }

bool SamePath(const char* a, const char* b) { return fw::EqualsIgnoreCase(Text(a), Text(b)); }

const char* IsInsideDirectory(const char* path, const char* directory)
{
    if (!path || !directory) return nullptr;
    size_t n = std::strlen(directory);
    if (std::strlen(path) < n || !fw::EqualsIgnoreCase(std::string(path, n), directory))
        return nullptr;
    if (path[n] == 0) return path + n;
    if (path[n] == '\\') return path + n + 1;
    if (n > 0 && directory[n - 1] == '\\') return path + n;
    return nullptr;
}

bool RelativePath(const char* file, const char* base, PathName& out)
{
    std::string dir = Text(file);
    size_t at = dir.find_last_of('\\');
    if (at == std::string::npos) return false;
    dir.resize(at);
    std::string b = Text(base);
    while (!b.empty() && b.back() == '\\') b.pop_back();
    for (;;) {
        if (fw::EqualsIgnoreCase(dir, b)) return Put(out, std::string(file).substr(dir.size() + 1));
        size_t up = dir.find_last_of('\\');
        if (up == std::string::npos || (up == 2 && dir.size() == 3)) return false;
        dir.resize(up);
        if (dir.size() == 2 && dir[1] == ':' && !(b.size() == 2 && fw::EqualsIgnoreCase(dir, b)))
            return false;
    }
}

int DriveIndex(const char* path)
{
    if (!path || !std::isalpha(static_cast<unsigned char>(path[0])) || path[1] != ':') return -1;
    return std::tolower(static_cast<unsigned char>(path[0])) - 'a';
}

bool SetDrive(PathName& path, int n)
{
    if (n < 0 || n > 25) return false;
    char t[3] = {static_cast<char>('A' + n), ':', 0};
    return path.SetText(t);
}

bool SetDriveRoot(PathName& path, int n)
{
    if (n < 0 || n > 25) return false;
    char t[4] = {static_cast<char>('A' + n), ':', '\\', 0};
    return path.SetText(t);
}

bool FormatPath(PathName& path, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text;
    bool ok = WithVaFormat(text, 1024, format, args);
    va_end(args);
    if (!ok) {
        CheckFailed("FPATH", __LINE__, false);
        return false;
    }
    return Put(path, text);
}

// ---- text operations

bool AddTrailingBackslash(char* buffer, size_t size)
{
    size_t n = std::strlen(buffer);
    if (n > 0 && buffer[n - 1] == '\\') return true;
    if (n + 2 > size) return false;
    buffer[n] = '\\';
    buffer[n + 1] = 0;
    return true;
}

void CutToDirectoryPart(char* buffer)
{
    char* last = std::strrchr(buffer, '\\');
    if (last) last[1] = 0;
    else buffer[0] = 0;
}

bool QuoteText(char* buffer, size_t size)
{
    size_t n = std::strlen(buffer);
    if (n + 3 > size) return false;
    std::memmove(buffer + 1, buffer, n);
    buffer[0] = '"';
    buffer[n + 1] = '"';
    buffer[n + 2] = 0;
    return true;
}

const char* SkipSpaces(const char* text)
{
    while (text && *text && std::isspace(static_cast<unsigned char>(*text))) ++text;
    return text;
}

bool CopyTrimmed(char* out, size_t size, const char* text)
{
    std::string t = fw::Trim(Text(text));
    if (t.size() + 1 > size) {
        if (size) out[0] = 0;
        return false;
    }
    std::memcpy(out, t.c_str(), t.size() + 1);
    return true;
}

// ---- files and directories

bool PathExists(const char* path)
{
    if (IsBareDrive(path)) return fw::WinRoot::Current() && fw::WinRoot::Current()->Drive(path[0]);
    return fw::WinFileSystem::Access(Text(path), 0) == 0;
}

bool PathWritable(const char* path) { return fw::WinFileSystem::Access(Text(path), 2) == 0; }

bool DirectoryExists(const char* path) { return fw::WinFileSystem::IsDirectory(Text(path)); }

bool DirectoryNotEmpty(const char* path)
{
    PathBuffer pattern;
    if (!JoinPath(pattern, path, "*.*")) return false;
    FileFind find;
    for (bool ok = find.First(pattern.Text()); ok; ok = find.Next())
        if (!find.IsDotEntry()) return true;
    return false;
}

long FileLength(const char* path)
{
    FILE* f = fw::WinFileSystem::Open(Text(path), "rb");
    if (!f) return -1;
    std::fseek(f, 0, SEEK_END);
    long n = std::ftell(f);
    std::fclose(f);
    return n;
}

bool SetFileLength(const char* path, long length)
{
    FILE* f = fw::WinFileSystem::Open(Text(path), "r+b");
    if (!f) f = fw::WinFileSystem::Open(Text(path), "wb");
    if (!f) return false;
    bool ok = ftruncate(fileno(f), length) == 0;
    return std::fclose(f) == 0 && ok;
}

int GetAttributes(const char* path, uint32_t& attributes)
{
    uint32_t a = fw::WinFileSystem::GetAttributes(Text(path));
    if (a == fw::kAttrInvalid) return -1;
    attributes = a;
    return 0;
}

int SetAttributes(const char* path, uint32_t attributes)
{
    return fw::WinFileSystem::SetAttributes(Text(path), attributes) ? 0 : -1;
}

bool ForceDeleteFile(const char* path)
{
    if (!fw::WinFileSystem::DeleteFile(Text(path))) {
        fw::WinFileSystem::SetAttributes(Text(path), fw::kAttrNormal);
        fw::WinFileSystem::DeleteFile(Text(path));
    }
    return !fw::WinFileSystem::Exists(Text(path));
}

bool MoveFilePath(const char* from, const char* to)
{
    return fw::WinFileSystem::MoveFile(Text(from), Text(to));
}

bool RenameInDirectory(const char* directory, const char* from, const char* to)
{
    std::string saved = fw::WinFileSystem::CurrentDirectory();
    if (!fw::WinFileSystem::SetCurrentDirectory(Text(directory))) return false;
    bool ok = fw::WinFileSystem::MoveFile(Text(from), Text(to));
    fw::WinFileSystem::SetCurrentDirectory(saved);
    return ok;
}

bool ChangeDirectory(const char* path) { return fw::WinFileSystem::SetCurrentDirectory(Text(path)); }

int MakeDirectory(const char* path)
{
    if (fw::WinFileSystem::IsDirectory(Text(path))) return 1;
    return fw::WinFileSystem::CreateDirectory(Text(path)) ? 0 : 2;
}

int MakePathText(const char* path)
{
    std::string full = fw::WinFileSystem::FullPath(IsBareDrive(path) ? Text(path) + "\\" : Text(path));
    if (full.empty()) return 2;
    if (fw::WinFileSystem::IsDirectory(full)) return PathWritable(full.c_str()) ? 1 : 2;
    size_t at = 3;
    while (at <= full.size()) {
        size_t next = full.find('\\', at);
        if (next == std::string::npos) next = full.size();
        std::string level = full.substr(0, next);
        if (!fw::WinFileSystem::IsDirectory(level) && !fw::WinFileSystem::CreateDirectory(level)) return 2;
        at = next + 1;
    }
    return 0;
}

bool RemoveDirectory(const char* path)
{
    std::string full = fw::WinFileSystem::FullPath(Text(path));
    if (full.empty()) return false;
    fw::WinFileSystem::SetCurrentDirectory(full.substr(0, 3));
    if (!fw::WinFileSystem::Exists(full)) return true;
    fw::WinFileSystem::RemoveDirectory(full);
    return !fw::WinFileSystem::Exists(full);
}

bool RemoveTree(const char* path)
{
    PathBuffer pattern;
    if (!JoinPath(pattern, path, "*.*")) return false;
    {
        FileFind find;
        for (bool ok = find.First(pattern.Text()); ok; ok = find.Next()) {
            if (find.IsDotEntry()) continue;
            const char* n = find.Name();
            PathBuffer entry;
            if (!JoinPath(entry, path, n)) continue;
            // A symbolic link is listed as a plain file, so it is removed, never entered.
            if (find.IsDirectory())
                RemoveTree(entry.Text());
            else
                ForceDeleteFile(entry.Text());
        }
    }
    return RemoveDirectory(path);
}

bool GetFileTimestamp(const char* path, Timestamp& stamp)
{
    int64_t w, a;
    if (!fw::WinFileSystem::GetFileTimes(Text(path), w, a)) return false;
    stamp = Timestamp::FromUnixTime(w);
    return true;
}

bool SetFileTimestamp(const char* path, const Timestamp& stamp)
{
    int64_t t = stamp.ToUnixTime();
    return fw::WinFileSystem::SetFileTimes(Text(path), t, t);
}

int CompareFileTimes(const char* a, const char* b)
{
    Timestamp sa, sb;
    if (PathExists(a) && !GetFileTimestamp(a, sa)) return 2;
    if (PathExists(b) && !GetFileTimestamp(b, sb)) return 2;
    return sa.Compare(sb);
}

void SetModulePath(const char* path) { gModulePath = Text(path); }

bool ModuleFileName(PathName& out) { return Put(out, gModulePath); }

bool ModuleDirectory(PathName& out) { return DirectoryOf(gModulePath.c_str(), out); }

bool CurrentDirectory(PathName& out)
{
    std::string d = fw::WinFileSystem::CurrentDirectory();
    return !d.empty() && Put(out, d);
}

bool WindowsDirectory(PathName& out)
{
    return fw::WinRoot::Current() && Put(out, fw::WinRoot::Current()->WindowsDirectory());
}

bool SystemDirectory(PathName& out)
{
    return fw::WinRoot::Current() && Put(out, fw::WinRoot::Current()->SystemDirectory());
}

bool SharedFilesDirectory(PathName& out)
{
    // Shared files belong in the system directory.
    return SystemDirectory(out);
}

bool CommonFilesDirectory(PathName& out)
{
    RegKey key;
    key.Set(0, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    char buffer[RegKey::kPathSize];
    if (key.QueryString("CommonFilesDir", buffer, sizeof buffer) && buffer[0])
        return Put(out, buffer);
    return SharedFilesDirectory(out);
}

bool ActualName(PathName& path)
{
    FileFind find;
    if (!find.First(path.Text())) return false;
    std::string p = path.Text();
    size_t at = p.find_last_of("\\/");
    std::string result = at == std::string::npos ? std::string(find.Name())
                                                 : p.substr(0, at + 1) + find.Name();
    return Put(path, result);
}

bool ShortName(PathName& path)
{
    FileFind find;
    if (!find.First(path.Text())) return false;
    if (!*find.Data().shortName.c_str()) return true;
    std::string p = path.Text();
    size_t at = p.find_last_of("\\/");
    std::string result = at == std::string::npos ? find.Data().shortName
                                                 : p.substr(0, at + 1) + find.Data().shortName;
    return Put(path, result);
}

bool ToShortPathName(PathName& path)
{
    std::string out;
    if (!fw::WinFileSystem::ShortPath(path.Text(), out)) return false;
    return Put(path, out);
}

bool MakeBackupName(PathName& out, const char* path)
{
    if (!out.SetText(path) || !SetExtension(out, "bak")) return false;
    if (!PathExists(out.Text())) return true;
    for (int n = 0; n < 1000; ++n) {
        char ext[8];
        std::snprintf(ext, sizeof ext, "%03d", n);
        if (!SetExtension(out, ext)) return false;
        if (!PathExists(out.Text())) return true;
    }
    return false;
}

bool UniqueFileName(PathName& out, const char* directory, const char* prefix)
{
    for (int n = 0; n < 1000000; ++n) {
        char number[16];
        std::snprintf(number, sizeof number, "%03d.%03d", n / 1000, n % 1000);
        std::string name = Text(prefix) + number;
        if (!JoinPath(out, directory, name.c_str())) return false;
        if (!PathExists(out.Text())) return true;
    }
    return false;
}

bool UniqueFileNameBeside(PathName& out, const char* file, const char* prefix)
{
    PathBuffer dir;
    if (!DirectoryOf(file, dir)) return false;
    return UniqueFileName(out, dir.Text(), prefix);
}

}  // namespace kw
