#include "installer/support/ResString.h"

#include <cstring>
#include <map>
#include <string>

namespace kw {

namespace {
std::map<int, std::string>& OwnTable()
{
    static std::map<int, std::string> table;
    return table;
}
LanguageStringLoader& Loader()
{
    static LanguageStringLoader loader;
    return loader;
}

void CopyBounded(char* buffer, int size, const char* text)
{
    if (size <= 0) return;
    size_t n = std::strlen(text);
    if (n >= static_cast<size_t>(size)) n = static_cast<size_t>(size) - 1;
    std::memcpy(buffer, text, n);
    buffer[n] = 0;
}
} // namespace

void RegisterOwnStrings(const ResStringEntry* table, int count)
{
    for (int i = 0; i < count; ++i) OwnTable()[table[i].id] = table[i].text ? table[i].text : "";
}

bool LoadOwnString(int id, char* buffer, int size)
{
    auto it = OwnTable().find(id);
    if (it == OwnTable().end()) {
        if (size > 0) buffer[0] = 0;
        return false;
    }
    CopyBounded(buffer, size, it->second.c_str());
    return true;
}

void SetLanguageStringLoader(LanguageStringLoader loader) { Loader() = std::move(loader); }

void LoadResString(char* buffer, int id)
{
    // The installer's own texts stand in for any string that a loaded library lacks.
    bool found = Loader() && Loader()(id, buffer, kResStringSize);
    if (!found) found = LoadOwnString(id, buffer, kResStringSize);
    if (!found) CopyBounded(buffer, kResStringSize, "NO SUCH STRING!!!");
}

std::string ResText(int id)
{
    char buffer[kResStringSize];
    LoadResString(buffer, id);
    return buffer;
}

}  // namespace kw
