#include "installer/engine/ScriptEvent.h"

#include "installer/support/CheckFailed.h"

#include <cstring>

namespace kw {

namespace {

const char* const kLayouts[kEventCodeCount] = {
    "ti",          // 0 text request: text, int (1: offer the "elsewhere" button)
    "iitttttt",    // 1 user-name dialog: two ints, six variable names
    "",            // 2 controller action
    "iiiiiiiiiiiiiFDtttttt", // 3 file group
    "iittttt",     // 4 Program Manager item: two ints, group, name, command, icon, directory
    "itttt",       // 5 INI entry: mode, file, section, entry, value
    "iittt",       // 6 registry value: root, kind, key, name, data
    "iiittttt",    // 7 run program: three ints, three program parts, directory, result variable
    "iii",         // 8 end mode: kind, stop, show now
    "t",           // 9 build step
    "tiii",        // 10 controller query
    "it",          // 11 text block
    "iiiittttt",   // 12 prompt: four ints, first text, body, variable, caption, fifth text
    nullptr,       // 13 has no class
    "t", "t", "t", // 14-16 directory to a variable
    "tt",          // 17 CD-ROM query: int variable, text variable
    "t",           // 18 selected size
    "tt", "tt",    // 19 set text, 20 set number: variable, text or expression
    "ittt",        // 21 compare: mode, two texts, variable
    "iiiiiitttt",  // 22 file search: six ints, start, pattern, int variable, text variable
    "tttttt",      // 23 INI read: directory, file, section, entry, int var, text var
    "itttt",       // 24 registry read: root, key, name, int variable, text variable
    "tt", "tt",    // 25 number to text, 26 text to number: variable, text
    "ttt",         // 27 split path: path, directory variable, name variable
    "itt",         // 28 yes/no question: int, text, variable
    "tt",          // 29 version query
    "t", "t", "t", // 30-32 system queries
    "iiw",         // 33 show the icon window
    "", "", "", "", "", "", "", // 34-40 hide the icon window; status texts
    "iittttpi",    // 41 uninstaller: two file-group numbers, four texts, back directory, int
    "tt",          // 42 move a file
    "t", "t",      // 43 delete, 44 back up a file
    "tt",          // 45 delete a Program Manager item
    "t", "t",      // 46 language index, 47 make a directory path
    "tt",          // 48 user dialog: name, result variable
    "iiwtt",       // 49 show the message window
    "",            // 50 hide the message window
    "t", "tt", "t" // 51 argument count, 52 argument n, 53 delete a group
};

// In 16-bit scripts: code 6 stores key and data (root 1, kind 0, no name); code 24 stores key
// and both variables (root 1, no name).
const int kNarrow6[] = {0, 2};
const int kNarrow24[] = {0, 2, 3};

struct Defaults {
    int code;
    std::vector<int> ints;
    std::vector<const char*> texts;
};

const Defaults kDefaults[] = {
    {0, {1}, {}},
    {1, {0, 0}, {"user", "comp"}},
    {5, {0}, {"$i\\myapp.ini", "section", "entry", "value"}},
    {6, {1, 0}, {"Kestrow\\shell\\open\\command", "field", "value"}},
    {11, {0}, {"line1\r\nline2\r\nline3\r\nline4\r\nline5"}},
    {12, {0, 0, 0, 0},
     {"", "Please enter a text string\r\nrequired by\r\nthis program in the edit control\r\nThanks",
      "str", "Query"}},
    {17, {}, {"CDExists", "CDRoot"}},
    {21, {1}, {}},
    {22, {2, 0, 0, 1, 0, 1}, {"c:", "*.*", "found", "path"}},
    {23, {}, {"$i", "file.ini", "section", "entry", "exist", "value"}},
    {24, {0}, {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "field", "keyExist", "value"}},
    {27, {}, {"c:\\filename", "dpart", "fpart"}},
    {28, {0}, {"Please select yes or no\r\nby clicking\r\non one of the buttons\r\nThanks", "isyes"}},
    {49, {500, 500}, {}},
};

} // namespace

const char* EventLayout(int code, bool narrow)
{
    if (code < 0 || code >= kEventCodeCount) return nullptr;
    if (narrow && code == 6) return "tt";
    if (narrow && code == 24) return "ttt";
    return kLayouts[code];
}

ScriptEvent::ScriptEvent(int code) : code_(code), layout_(EventLayout(code))
{
    if (!layout_) layout_ = "";
    for (const char* p = layout_; *p; ++p) {
        switch (*p) {
        case 'i': ints_.push_back(0); break;
        case 'w': words_.push_back(0); break;
        case 't': texts_.emplace_back(); break;
        case 'p': paths_.emplace_back(); break;
        default: break;
        }
    }
    for (const Defaults& d : kDefaults) {
        if (d.code != code) continue;
        for (size_t i = 0; i < d.ints.size(); ++i) ints_[i] = d.ints[i];
        for (size_t i = 0; i < d.texts.size(); ++i) texts_[i].Assign(d.texts[i]);
    }
    if (code == 49) words_[0] = 3000;
}

template <class IO>
bool ScriptEvent::Fields(IO& io)
{
    const int* textMap = nullptr;
    const char* layout = layout_;
    if (io.Narrow() && (code_ == 6 || code_ == 24)) {
        layout = EventLayout(code_, true);
        textMap = code_ == 6 ? kNarrow6 : kNarrow24;
        if (IO::kReading) {
            ints_[0] = 1;
            if (code_ == 6) ints_[1] = 0;
            texts_[1].Clear();
        }
    }
    int ni = 0, nw = 0, nt = 0, np = 0;
    for (const char* p = layout; *p; ++p) {
        bool ok = true;
        switch (*p) {
        case 'i': ok = io.Int(ints_[ni++]); break;
        case 'w': ok = io.Word(words_[nw++]); break;
        case 't': {
            int at = textMap ? textMap[nt] : nt;
            ++nt;
            ok = io.Str(texts_[at]);
            break;
        }
        case 'p': ok = io.Path(paths_[np++]); break;
        case 'F': ok = io.List(files_); break;
        case 'D': ok = io.List(directories_); break;
        default: ok = false; break;
        }
        if (!ok) return false;
    }
    return true;
}

bool ScriptEvent::Read(ScriptIn& in)
{
    if (!in.Int(logState) || !in.Int(selection) || !in.Str(condition) || !in.Str(note))
        return false;
    if (logState < 0 || logState > 2) return false;
    return ReadFields(in);
}

bool ScriptEvent::ReadFields(ScriptIn& in) { return Fields(in); }

bool ScriptEvent::Write(ScriptOut&)
{
    CheckFailed("EVENT", __LINE__, false);
    return false;
}

bool ScriptEvent::WriteFields(ScriptOut& out) { return Fields(out); }

bool ScriptEvent::Store(ScriptOut& out)
{
    int code = code_;
    return out.Int(code) && out.Int(logState) && out.Int(selection) && out.Str(condition) &&
           out.Str(note) && WriteFields(out);
}

int FileGroupEvent::Size() const
{
    if (Int(0) == 2) return 0;
    long long kb = 0;
    bool recorded = true;
    for (const FileEntry& f : files_) {
        bool has = (f.flags & FileEntry::kInstalledSize) != 0;
        recorded = recorded && has;
        kb += (has ? f.installedSize : f.storedSize) >> 10;
    }
    CheckFailed("EVFILE", 782, recorded);
    return kb > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(kb);
}

} // namespace kw
