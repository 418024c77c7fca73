#include "installer/support/LanguageTable.h"

#include "framework/sys/WinProfile.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/PortableStream.h"

#include <strings.h>

#include <string>

namespace kw {

namespace {
struct Language {
    const char* code;
    const char* name;
};
const Language kLanguages[kLanguageCount] = {
    {"dan", "Danish"},  {"deu", "German"},    {"eng", "UK English"}, {"enu", "US English"},
    {"esn", "Spanish"}, {"fra", "French"},    {"ita", "Italian"},    {"nld", "Dutch"},
    {"nor", "Norwegian"}, {"sve", "Swedish"}, {"jpn", "Japanese"},   {"fin", "Finish"},
    {"plk", "Polish"},  {"rus", "Russian"},
};
struct Alias {
    const char* code;
    int index;
};
const Alias kAliases[] = {
    {"ena", 2}, {"enc", 3}, {"eni", 2}, {"enz", 2}, {"ens", 2}, {"frb", 5}, {"frc", 5}, {"frl", 5},
    {"frs", 5}, {"dea", 1}, {"dec", 1}, {"del", 1}, {"des", 1}, {"its", 6}, {"non", 8}, {"nlb", 7},
    {"ess", 4}, {"esl", 4}, {"eso", 4}, {"esc", 4}, {"esd", 4}, {"esf", 4}, {"esg", 4}, {"esm", 4},
    {"esa", 4}, {"esz", 4}, {"esr", 4}, {"esp", 4}, {"esy", 4}, {"esv", 4}, {"xxx", -1},
};
} // namespace

const char* LanguageCode(int index)
{
    bool ok = index >= 0 && index < kLanguageCount;
    CheckFailed("LANGSET", 82, ok);
    return ok ? kLanguages[index].code : "";
}

const char* LanguageName(int index)
{
    bool ok = index >= 0 && index < kLanguageCount;
    CheckFailed("LANGSET", 89, ok);
    return ok ? kLanguages[index].name : "";
}

int FindLanguage(const char* code)
{
    if (!code) return -1;
    for (int i = 0; i < kLanguageCount; ++i)
        if (strcasecmp(code, kLanguages[i].code) == 0) return i;
    for (const Alias& a : kAliases) {
        if (a.index < 0) break;
        if (strcasecmp(code, a.code) == 0) return a.index;
    }
    return -1;
}

int UserLanguage()
{
    std::string code = fw::WinProfile::GetString("win.ini", "Intl", "sLanguage", "enu");
    if (code.size() > 19) code.resize(19);
    int index = FindLanguage(code.c_str());
    return index < 0 ? kEnglishUs : index;
}

int LanguageTable::Choose() const
{
    int user = UserLanguage();
    return provided[user] ? user : defaultIndex;
}

bool LanguageTable::Read(PortableReader& reader)
{
    int index;
    if (!reader.ReadInt(index)) return false;
    int count = reader.ScriptVersion() < 302 ? 11 : kLanguagePlaces;
    int flags[kLanguagePlaces] = {};
    for (int i = 0; i < count; ++i)
        if (!reader.ReadInt(flags[i])) return false;
    // A default outside the table cannot be chosen: English stands in for it.
    defaultIndex = index >= 0 && index < kLanguageCount ? index : kEnglishUs;
    for (int i = 0; i < kLanguagePlaces; ++i) provided[i] = flags[i];
    return true;
}

bool LanguageTable::Write(PortableWriter&)
{
    CheckFailed("LANGSET", 198, false);
    return false;
}

StreamField* const* LanguageTable::FieldList()
{
    static StreamField* const none[] = {nullptr};
    return none;
}

} // namespace kw
