#include "installer/support/IniFile.h"

#include "framework/sys/ProfileLine.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinProfile.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/FilePath.h"
#include "installer/support/PathBuffer.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kw {

namespace {

bool CopyOut(char* buffer, size_t size, const std::string& text)
{
    if (!buffer) return true;
    if (text.size() + 1 > size) {
        CheckFailed("INIFILE", __LINE__, false);
        if (size) buffer[0] = 0;
        return false;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

// Reads one whole line, with its "\n" (added when the last line lacks it). False at the end.
bool ReadWholeLine(FILE* f, std::string& line)
{
    line.clear();
    int c;
    while ((c = std::fgetc(f)) != EOF) {
        line += static_cast<char>(c);
        if (c == '\n') return true;
    }
    if (line.empty()) return false;
    line += '\n';
    return true;
}

// ---- reading visitors

class EntryFinder : public IniScanVisitor {
public:
    EntryFinder(const char* name, int n) : name_(name ? name : ""), any_(!name), n_(n) {}
    bool FileMissing() override
    {
        fileMissing = true;
        return false;
    }
    void SectionNotFound() override { sectionMissing = true; }
    void LineInSection(const std::string& line) override
    {
        fw::ProfileLine pl(line);
        if (!pl.IsEntry() || (!any_ && !pl.IsEntryNamed(name_))) return;
        if (count == n_) {
            found = true;
            foundName = pl.entryName();
            foundValue = pl.entryValue();
        }
        ++count;
    }
    bool fileMissing = false, sectionMissing = false, found = false;
    int count = 0;
    std::string foundName, foundValue;

private:
    std::string name_;
    bool any_;
    int n_;
};

class LineFinder : public IniScanVisitor {
public:
    explicit LineFinder(int n) : n_(n) {}
    bool FileMissing() override
    {
        missing = true;
        return false;
    }
    void SectionNotFound() override { missing = true; }
    void LineInSection(const std::string& line) override
    {
        if (fw::ProfileLine(line).IsBlank()) return;
        if (count == n_) {
            found = true;
            foundLine = line;
        }
        ++count;
    }
    bool missing = false, found = false;
    int count = 0;
    std::string foundLine;

private:
    int n_;
};

// ---- rewriting visitors

class IniRewriter : public IniScanVisitor {
public:
    explicit IniRewriter(const char* file) : file_(file) {}

    bool Begin() override
    {
        text_.clear();
        // A file whose directory is too long to name is refused, as the installer's paths are.
        PathBuffer dir;
        return DirectoryOf(file_.c_str(), dir);
    }

    // The whole new text replaces the file in one step (written, flushed and renamed over it):
    // until then the old file is whole, and a failed write leaves it as it was.
    bool Finish() override { return fw::WinFileSystem::ReplaceFile(file_, text_); }

    void LineOutside(const std::string& line) override { Put(line); }
    void LineInSection(const std::string& line) override { Put(line); }
    void SectionHeader(const std::string& line) override { Put(line); }
    void NextSectionHeader(const std::string& line) override { Put(line); }

protected:
    // Lines go out byte for byte, a zero byte included, so no line is cut or joined.
    void Put(const std::string& text) { text_ += text; }
    // Creates a missing file with the given text.
    bool CreateWith(const std::string& text) { return fw::WinFileSystem::ReplaceFile(file_, text); }

    std::string file_;
    std::string text_;
};

class SectionAdder : public IniRewriter {
public:
    SectionAdder(const char* file, const char* section) : IniRewriter(file), header_(Header(section)) {}
    static std::string Header(const char* s) { return std::string("[") + (s ? s : "") + "]\n"; }
    bool FileMissing() override { return CreateWith(header_); }
    void SectionNotFound() override { Put("\n" + header_); }

private:
    std::string header_;
};

class SectionDeleter : public IniRewriter {
public:
    using IniRewriter::IniRewriter;
    bool FileMissing() override { return true; }
    void SectionHeader(const std::string&) override {}
    void LineInSection(const std::string&) override {}
};

class EntryDeleter : public IniRewriter {
public:
    EntryDeleter(const char* file, const char* name, int n)
        : IniRewriter(file), name_(name ? name : ""), n_(n) {}
    bool FileMissing() override { return true; }
    void LineInSection(const std::string& line) override
    {
        if (fw::ProfileLine(line).IsEntryNamed(name_)) {
            bool drop = n_ < 0 || count_ == n_;
            ++count_;
            if (drop) return;
        }
        Put(line);
    }

private:
    std::string name_;
    int n_; // -1: every entry of the name
    int count_ = 0;
};

class EntryWriter : public IniRewriter {
public:
    EntryWriter(const char* file, const char* section, const char* name, const char* value, int n,
                bool insert)
        : IniRewriter(file), header_(SectionAdder::Header(section)), name_(name ? name : ""),
          entry_(name_ + "=" + (value ? value : "") + "\n"), n_(n), insert_(insert) {}
    bool FileMissing() override { return CreateWith(header_ + entry_); }
    void SectionNotFound() override { Put("\n" + header_ + entry_); }
    void LineInSection(const std::string& line) override
    {
        fw::ProfileLine pl(line);
        if (pl.IsBlank()) return;
        if (!written_ && pl.IsEntryNamed(name_) && count_++ == n_) {
            Put(entry_);
            written_ = true;
            if (!insert_) return;
        }
        Put(line);
    }
    void SectionEndsAtEof() override
    {
        if (!written_) Put(entry_);
        written_ = true;
    }
    void NextSectionHeader(const std::string& line) override
    {
        SectionEndsAtEof();
        Put("\n");
        Put(line);
    }

private:
    std::string header_, name_, entry_;
    int n_;
    bool insert_;
    int count_ = 0;
    bool written_ = false;
};

std::string KeyText(int key)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", key);
    return text;
}

} // namespace

bool ScanIniFile(IniScanVisitor& visitor, const char* file, const char* section)
{
    if (!file || fw::WinFileSystem::Access(file, 0) != 0) return visitor.FileMissing();
    if (fw::WinFileSystem::Access(file, 6) != 0) return false;
    FILE* f = fw::WinFileSystem::Open(file, "rt");
    if (!f) return false;
    if (!visitor.Begin()) {
        std::fclose(f);
        return false;
    }
    enum { Before, In, After } state = Before;
    std::string line;
    const std::string wanted = section ? section : "";
    while (ReadWholeLine(f, line)) {
        fw::ProfileLine pl(line);
        if (state == Before) {
            if (pl.IsHeaderOf(wanted)) {
                visitor.SectionHeader(line);
                state = In;
            } else {
                visitor.LineOutside(line);
            }
        } else if (state == In) {
            if (pl.IsHeader()) {
                visitor.NextSectionHeader(line);
                state = After;
            } else {
                visitor.LineInSection(line);
            }
        } else {
            visitor.LineOutside(line);
        }
    }
    bool readError = std::ferror(f) != 0;
    std::fclose(f);
    if (readError) return false;
    if (state == Before) visitor.SectionNotFound();
    if (state == In) visitor.SectionEndsAtEof();
    return visitor.Finish();
}

bool GetIniEntry(const char* file, const char* section, const char* name, int n, char* value,
                 size_t size)
{
    EntryFinder v(name ? name : "", n);
    if (!ScanIniFile(v, file, section) || !v.found) return false;
    return CopyOut(value, size, v.foundValue);
}

int CountIniEntries(const char* file, const char* section, const char* name)
{
    EntryFinder v(name, -1);
    bool ok = ScanIniFile(v, file, section);
    if (v.fileMissing || v.sectionMissing) return -1;
    return ok ? v.count : 0;
}

bool GetIniEntryAt(const char* file, const char* section, int n, char* name, char* value,
                   size_t size)
{
    EntryFinder v(nullptr, n);
    if (!ScanIniFile(v, file, section) || !v.found) return false;
    return CopyOut(name, size, v.foundName) && CopyOut(value, size, v.foundValue);
}

int CountIniSectionLines(const char* file, const char* section)
{
    LineFinder v(-1);
    bool ok = ScanIniFile(v, file, section);
    if (v.missing) return -1;
    return ok ? v.count : 0;
}

bool GetIniSectionLine(const char* file, const char* section, int n, char* line, size_t size)
{
    LineFinder v(n);
    if (!ScanIniFile(v, file, section) || !v.found) return false;
    return CopyOut(line, size, v.foundLine);
}

bool AddIniSection(const char* file, const char* section)
{
    SectionAdder v(file, section);
    return ScanIniFile(v, file, section);
}

bool DeleteIniSection(const char* file, const char* section)
{
    SectionDeleter v(file);
    return ScanIniFile(v, file, section);
}

bool DeleteIniEntry(const char* file, const char* section, const char* name, int n)
{
    if (n < 0) return false;
    EntryDeleter v(file, name, n);
    return ScanIniFile(v, file, section);
}

bool DeleteIniEntries(const char* file, const char* section, const char* name)
{
    EntryDeleter v(file, name, -1);
    return ScanIniFile(v, file, section);
}

bool SetIniEntry(const char* file, const char* section, const char* name, const char* value, int n)
{
    EntryWriter v(file, section, name, value, n, false);
    return ScanIniFile(v, file, section);
}

bool InsertIniEntry(const char* file, const char* section, const char* name, const char* value,
                    int n)
{
    EntryWriter v(file, section, name, value, n, true);
    return ScanIniFile(v, file, section);
}

// ---- typed profile access

bool PutProfileString(const char* file, const char* section, const char* key, const char* text)
{
    return file && section && fw::WinProfile::WriteString(file, section, key, text);
}

bool PutProfileInt(const char* file, const char* section, const char* key, int value)
{
    return PutProfileString(file, section, key, KeyText(value).c_str());
}

bool PutProfileLong(const char* file, const char* section, const char* key, long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%ld", value);
    return PutProfileString(file, section, key, text);
}

bool PutProfileF(const char* file, const char* section, const char* key, const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0 || n >= static_cast<int>(sizeof text)) {
        CheckFailed("INIFILE", __LINE__, false);
        return false;
    }
    return PutProfileString(file, section, key, text);
}

int GetProfileInt(const char* file, const char* section, const char* key, int defaultValue)
{
    if (!file || !section || !key) return defaultValue;
    return fw::WinProfile::GetInt(file, section, key, defaultValue);
}

long GetProfileLong(const char* file, const char* section, const char* key, long defaultValue)
{
    if (!file || !section || !key) return defaultValue;
    std::string text = fw::WinProfile::GetString(file, section, key, "");
    long value;
    return std::sscanf(text.c_str(), "%ld", &value) == 1 ? value : defaultValue;
}

bool GetProfileText(const char* file, const char* section, const char* key, char* buffer,
                    const char* defaultValue)
{
    std::string text = defaultValue ? defaultValue : "";
    if (file && section && key) text = fw::WinProfile::GetString(file, section, key, text);
    size_t n = text.size() < kProfileTextSize - 1 ? text.size() : kProfileTextSize - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return true;
}

const char* GetProfileTextShared(const char* file, const char* section, const char* key)
{
    static char shared[kProfileTextSize];
    GetProfileText(file, section, key, shared, "");
    return shared;
}

bool PutProfileString(const char* file, const char* section, int key, const char* text)
{
    return PutProfileString(file, section, KeyText(key).c_str(), text);
}

bool PutProfileInt(const char* file, const char* section, int key, int value)
{
    return PutProfileInt(file, section, KeyText(key).c_str(), value);
}

bool PutProfileLong(const char* file, const char* section, int key, long value)
{
    return PutProfileLong(file, section, KeyText(key).c_str(), value);
}

int GetProfileInt(const char* file, const char* section, int key, int defaultValue)
{
    return GetProfileInt(file, section, KeyText(key).c_str(), defaultValue);
}

long GetProfileLong(const char* file, const char* section, int key, long defaultValue)
{
    return GetProfileLong(file, section, KeyText(key).c_str(), defaultValue);
}

bool GetProfileText(const char* file, const char* section, int key, char* buffer,
                    const char* defaultValue)
{
    return GetProfileText(file, section, KeyText(key).c_str(), buffer, defaultValue);
}

const char* GetProfileTextShared(const char* file, const char* section, int key)
{
    return GetProfileTextShared(file, section, KeyText(key).c_str());
}

bool DeleteProfileSection(const char* file, const char* section)
{
    if (!fw::WinProfile::WriteString(file, section, nullptr, nullptr)) return false;
    const std::string path = fw::WinProfile::ProfilePath(file);
    if (fw::WinFileSystem::FileSize(path) == 0) fw::WinFileSystem::DeleteFile(path);
    return true;
}

}  // namespace kw
