// Resource strings of the installer: its own string table, and the language library's
// strings once one is loaded.
#pragma once

#include <functional>
#include <string>

namespace kw {

struct ResStringEntry {
    int id;
    const char* text;
};

// Adds entries to the installer's own string table (a later entry of an id replaces it).
void RegisterOwnStrings(const ResStringEntry* table, int count);
// A string of the installer's own table into a buffer of the given size (cut to fit, always
// terminated); false, with an empty buffer, when the id is missing.
bool LoadOwnString(int id, char* buffer, int size);

// The language library's loader, installed while a library is loaded (empty: none). It fills
// the buffer (cut to fit, terminated) and answers whether the id exists.
using LanguageStringLoader = std::function<bool(int id, char* buffer, int size)>;
void SetLanguageStringLoader(LanguageStringLoader loader);

enum { kResStringSize = 256 };
// A string into a buffer of kResStringSize characters, from the language library or, while
// none is loaded, from the installer's own table; "NO SUCH STRING!!!" when the id is missing.
void LoadResString(char* buffer, int id);
// The same string as text.
std::string ResText(int id);

}  // namespace kw
