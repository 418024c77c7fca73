// The installer's own INI scanner and its rewriting operations, for the edits the system's
// profile functions cannot express (several entries of one name, the n-th occurrence,
// inserting before an entry, deleting a section). Only the first section of the wanted name
// is scanned; lines are read whole, whatever their length. A rewrite goes to a temporary
// copy beside the file, which is then renamed over the file: the old file stays whole until
// the new one is complete.
#pragma once

#include "installer/support/HeapString.h"

#include <cstddef>
#include <string>

namespace kw {

class IniScanVisitor {
public:
    virtual ~IniScanVisitor() = default;
    virtual bool FileMissing() { return false; }
    virtual bool Begin() { return true; }
    virtual bool Finish() { return true; }
    virtual void SectionNotFound() {}
    // Lines end in "\n" (one is added to a last line without it).
    virtual void LineInSection(const std::string&) {}
    virtual void LineOutside(const std::string&) {}
    virtual void SectionHeader(const std::string&) {}
    virtual void SectionEndsAtEof() {}
    virtual void NextSectionHeader(const std::string&) {}
};

bool ScanIniFile(IniScanVisitor& visitor, const char* file, const char* section);

// Reading. Names and values are at most 511 characters (buffers of kIniTextSize); a longer
// one is refused with a check failure. n counts from 0.
enum { kIniTextSize = 512 };
bool GetIniEntry(const char* file, const char* section, const char* name, int n, char* value,
                 size_t size = kIniTextSize);
int CountIniEntries(const char* file, const char* section, const char* name); // -1: missing
bool GetIniEntryAt(const char* file, const char* section, int n, char* name, char* value,
                   size_t size = kIniTextSize);
int CountIniSectionLines(const char* file, const char* section); // -1: missing
bool GetIniSectionLine(const char* file, const char* section, int n, char* line, size_t size);

// Writing.
bool AddIniSection(const char* file, const char* section);
bool DeleteIniSection(const char* file, const char* section);
bool DeleteIniEntry(const char* file, const char* section, const char* name, int n);
bool DeleteIniEntries(const char* file, const char* section, const char* name);
bool SetIniEntry(const char* file, const char* section, const char* name, const char* value,
                 int n);
bool InsertIniEntry(const char* file, const char* section, const char* name, const char* value,
                    int n);

// One INI change as the installer operations carry it (and the operation log stores it).
struct IniEntryRequest {
    int modeFlags = 0;
    int index = 0;
    HeapString file;
    HeapString section;
    HeapString entry;
    HeapString value;
};

// Removes a section through the system's profile functions; a file left empty by that goes
// too (an empty profile file holds nothing that a missing one does not).
bool DeleteProfileSection(const char* file, const char* section);

// Typed profile access through the system's profile functions.
bool PutProfileString(const char* file, const char* section, const char* key, const char* text);
bool PutProfileInt(const char* file, const char* section, const char* key, int value);
bool PutProfileLong(const char* file, const char* section, const char* key, long value);
// printf-style through a 512-character buffer; a longer text is refused (check failure).
bool PutProfileF(const char* file, const char* section, const char* key, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 4, 5)))
#endif
    ;
int GetProfileInt(const char* file, const char* section, const char* key, int defaultValue);
long GetProfileLong(const char* file, const char* section, const char* key, long defaultValue);
enum { kProfileTextSize = 128 };
// Into a buffer of kProfileTextSize characters (cut to fit, as the system does).
bool GetProfileText(const char* file, const char* section, const char* key, char* buffer,
                    const char* defaultValue);
const char* GetProfileTextShared(const char* file, const char* section, const char* key);
// The same with a numeric key (the number written with "%d").
bool PutProfileString(const char* file, const char* section, int key, const char* text);
bool PutProfileInt(const char* file, const char* section, int key, int value);
bool PutProfileLong(const char* file, const char* section, int key, long value);
int GetProfileInt(const char* file, const char* section, int key, int defaultValue);
long GetProfileLong(const char* file, const char* section, int key, long defaultValue);
bool GetProfileText(const char* file, const char* section, int key, char* buffer,
                    const char* defaultValue);
const char* GetProfileTextShared(const char* file, const char* section, int key);

}  // namespace kw
