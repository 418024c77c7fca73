#include "installer/engine/packer/PackDescription.h"

#include "installer/engine/InstallController.h"

#include "framework/stream/StringUtil.h"
#include "installer/engine/EventFactory.h"
#include "installer/support/CopyPolicies.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <set>
#include <sstream>
#include <sys/stat.h>

namespace kw {

namespace fs = std::filesystem;

namespace {

using fw::Trim;

bool ParseInt(const std::string& text, long long& out) { return fw::ParseInteger(text, out, 0); }

bool ParseYesNo(const std::string& text, int& out)
{
    std::string t = fw::ToLowerAscii(Trim(text));
    if (t == "yes" || t == "true" || t == "1") return out = 1, true;
    if (t == "no" || t == "false" || t == "0") return out = 0, true;
    return false;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(Trim(part));
    return parts;
}

// Field names of the event kinds, by position: "iN" int, "wN" word, "tN" text, "pN" path.
struct Kind {
    const char* name;
    int code;
    std::vector<std::pair<const char*, const char*>> fields;
};

const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        {"pause", 0, {{"text", "t0"}, {"elsewhere", "i0"}}},
        {"user-name", 1, {{"user", "t0"}, {"company", "t1"}}},
        {"controller-action", 2, {}},
        {"files", 3, {{"mode", "i0"}, {"dos-handle", "i1"}, {"deferred", "i2"}, {"policy", "i3"},
                      {"in-use", "i4"}, {"outcome", "i5"}, {"retry", "i6"},
                      {"attributes", "i7"}, {"flags", "i8"}, {"buffer", "i9"},
                      {"source", "t1"}, {"target", "t2"}, {"description", "t3"},
                      {"source-name", "t4"}, {"target-name", "t5"}}},
        {"program-item", 4, {{"group", "t0"}, {"name", "t1"}, {"command", "t2"},
                             {"icon", "t3"}, {"directory", "t4"}, {"icon-index", "i0"},
                             {"minimised", "i1"}}},
        {"ini", 5, {{"mode", "i0"}, {"file", "t0"}, {"section", "t1"}, {"entry", "t2"},
                    {"value", "t3"}}},
        {"registry", 6, {{"root", "i0"}, {"kind", "i1"}, {"key", "t0"}, {"name", "t1"},
                         {"value", "t2"}}},
        {"run", 7, {{"manner", "i2"}, {"program", "t0"}, {"arguments", "t1"},
                    {"directory", "t3"}, {"result", "t4"}}},
        {"end", 8, {{"kind", "i0"}, {"stop", "i1"}, {"show", "i2"}}},
        {"build-step", 9, {{"text", "t0"}}},
        {"controller-query", 10, {{"text", "t0"}}},
        {"text-block", 11, {{"style", "i0"}, {"text", "t0"}}},
        {"prompt", 12, {{"text", "t0"}, {"body", "t1"}, {"variable", "t2"}, {"caption", "t3"}}},
        {"windows-directory", 14, {{"variable", "t0"}}},
        {"shared-directory", 15, {{"variable", "t0"}}},
        {"program-directory", 16, {{"variable", "t0"}}},
        {"cdrom", 17, {{"exists", "t0"}, {"root", "t1"}}},
        {"selected-size", 18, {{"variable", "t0"}}},
        {"set-text", 19, {{"variable", "t0"}, {"text", "t1"}}},
        {"set-number", 20, {{"variable", "t0"}, {"expression", "t1"}}},
        {"compare", 21, {{"mode", "i0"}, {"first", "t0"}, {"second", "t1"}, {"variable", "t2"}}},
        {"file-search", 22, {{"display", "i0"}, {"search-mode", "i1"}, {"cdrom-drives", "i2"},
                             {"fixed-drives", "i3"}, {"remote-drives", "i4"},
                             {"recursive", "i5"}, {"start", "t0"}, {"pattern", "t1"},
                             {"found", "t2"}, {"path", "t3"}}},
        {"ini-read", 23, {{"directory", "t0"}, {"file", "t1"}, {"section", "t2"},
                          {"entry", "t3"}, {"exists", "t4"}, {"value", "t5"}}},
        {"registry-read", 24, {{"root", "i0"}, {"key", "t0"}, {"name", "t1"}, {"exists", "t2"},
                               {"value", "t3"}}},
        {"number-to-text", 25, {{"variable", "t0"}, {"expression", "t1"}}},
        {"text-to-number", 26, {{"variable", "t0"}, {"text", "t1"}}},
        {"split-path", 27, {{"path", "t0"}, {"directory", "t1"}, {"name", "t2"}}},
        {"question", 28, {{"text", "t0"}, {"variable", "t1"}}},
        {"version-query", 29, {{"major", "t0"}, {"minor", "t1"}}},
        {"processor", 30, {{"variable", "t0"}}},
        {"show-icon", 33, {}},
        {"hide-icon", 34, {}},
        {"uninstaller", 41, {{"first-group", "i0"}, {"second-group", "i1"}, {"display", "t0"},
                             {"item-group", "t1"}, {"join", "t2"}, {"key", "t3"},
                             {"directory", "p0"}, {"status", "i2"}}},
        {"move", 42, {{"from", "t0"}, {"to", "t1"}}},
        {"delete", 43, {{"path", "t0"}}},
        {"back-up", 44, {{"path", "t0"}}},
        {"delete-item", 45, {{"group", "t0"}, {"item", "t1"}}},
        {"language", 46, {{"variable", "t0"}}},
        {"make-directory", 47, {{"path", "t0"}}},
        {"user-dialog", 48, {{"name", "t0"}, {"result", "t1"}}},
        {"message-show", 49, {{"title", "t0"}, {"text", "t1"}}},
        {"message-hide", 50, {}},
        {"argument-count", 51, {{"variable", "t0"}}},
        {"argument", 52, {{"variable", "t0"}, {"number", "t1"}}},
        {"delete-group", 53, {{"group", "t0"}}},
        {"event", -1, {}},
    };
    return kinds;
}

int LanguageIndex(const std::string& code)
{
    int i = FindLanguage(code.c_str());
    return i >= 0 && i < kLanguageCount ? i : -1;
}

bool Matches(const char* pattern, const char* name)
{
    if (*pattern == 0) return *name == 0;
    if (*pattern == '*') return Matches(pattern + 1, name) || (*name && Matches(pattern, name + 1));
    if (*pattern == '?') return *name && Matches(pattern + 1, name + 1);
    return *pattern == *name && Matches(pattern + 1, name + 1);
}

} // namespace

struct PackDescription::Section {
    std::string kind;
    std::string label;
    int line = 0;
    const Kind* eventKind = nullptr;
    ScriptEvent* event = nullptr;
    int eventIndex = -1;
    int fileFlags = 0;
    uint32_t versionHigh = 0, versionLow = 0; // "file-version" for the files listed after it
};

std::string PackDescription::CompressedName(const std::string& name)
{
    return CompressedFileName(name);
}

bool PackDescription::Fail(int line, const std::string& message)
{
    error_ = "line " + std::to_string(line) + ": " + message;
    return false;
}

bool PackDescription::Parse(const std::string& text, const std::map<std::string, std::string>& defines)
{
    RegisterEventFactories();
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    Section section;
    while (std::getline(in, raw)) {
        ++lineNo;
        std::string line = Trim(raw);
        if (line.empty() || line[0] == '#') continue;
        // "@{NAME}" definitions.
        for (size_t at; (at = line.find("@{")) != std::string::npos;) {
            size_t end = line.find('}', at);
            if (end == std::string::npos) return Fail(lineNo, "unterminated @{");
            std::string name = line.substr(at + 2, end - at - 2);
            auto it = defines.find(name);
            if (it == defines.end()) return Fail(lineNo, "@{" + name + "} is not defined");
            line.replace(at, end - at + 1, it->second);
        }
        if (line[0] == '[') {
            if (line.back() != ']') return Fail(lineNo, "a section name ends with ]");
            std::string head = Trim(line.substr(1, line.size() - 2));
            size_t space = head.find_first_of(" \t");
            section = Section{};
            section.kind = fw::ToLowerAscii(head.substr(0, space));
            section.label = space == std::string::npos ? "" : Trim(head.substr(space));
            section.line = lineNo;
            if (section.kind == "package") continue;
            if (section.kind == "component") {
                project_->components.emplace_back();
                project_->components.back().caption.Assign(section.label.c_str());
                project_->components.back().id = static_cast<int>(project_->components.size()) - 1;
                componentEvents_.push_back({{}, lineNo});
                continue;
            }
            if (section.kind == "dialog") {
                project_->dialogs.emplace_back();
                project_->dialogs.back().name.Assign(section.label.c_str());
                continue;
            }
            for (const Kind& k : Kinds())
                if (section.kind == k.name) section.eventKind = &k;
            if (!section.eventKind) return Fail(lineNo, "unknown section [" + section.kind + "]");
            int code = section.eventKind->code;
            if (code < 0) { // [event N]: any code by number
                long long n;
                if (!ParseInt(section.label, n) || n < 0 || n >= kEventCodeCount || n == 13)
                    return Fail(lineNo, "[event N] needs an event code 0-53 other than 13");
                code = static_cast<int>(n);
                section.label.clear();
            }
            auto event = FindEventFactory(code)->Create();
            if (code == 3) event->Text(0).Assign(section.label.c_str());
            // An uninstaller takes no file groups into its directory unless the section names them.
            if (code == 41) event->Int(0) = event->Int(1) = -1;
            section.event = event.get();
            section.eventIndex = static_cast<int>(project_->events.size());
            if (!section.label.empty()) {
                if (labels_.count(section.label)) return Fail(lineNo, "label used twice: " + section.label);
                labels_[section.label] = section.eventIndex;
            }
            project_->events.push_back(std::move(event));
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) return Fail(lineNo, "expected key = value");
        std::string key = fw::ToLowerAscii(Trim(line.substr(0, eq)));
        std::string value = Trim(line.substr(eq + 1));
        bool append = !key.empty() && key.back() == '+';
        if (append) key = Trim(key.substr(0, key.size() - 1));
        bool ok;
        if (section.kind.empty()) return Fail(lineNo, "a key before any section");
        if (section.kind == "package") ok = ApplyPackage(key, value, lineNo);
        else if (section.kind == "component") ok = ApplyComponent(key, value, lineNo);
        else if (section.kind == "dialog") ok = ApplyDialog(key, value, lineNo);
        else ok = ApplyEvent(section, key, value, append, lineNo);
        if (!ok) return false;
    }
    return Finish();
}

bool PackDescription::ApplyPackage(const std::string& key, const std::string& value, int line)
{
    ScriptProject& p = *project_;
    long long n = 0;
    auto number = [&](long long lo, long long hi, int& out) {
        if (!ParseInt(value, n) || n < lo || n > hi) return Fail(line, key + " must be " + std::to_string(lo) + "-" + std::to_string(hi));
        out = static_cast<int>(n);
        return true;
    };
    if (key == "product") return p.header.productName.Assign(value.c_str());
    if (key == "publisher") return p.product.publisher.Assign(value.c_str());
    if (key == "directory") return p.defaultDirectory.SetText(value.c_str()) || Fail(line, "directory too long");
    if (key == "group") return p.defaultGroup.SetText(value.c_str()) || Fail(line, "group too long");
    if (key == "main-program") return p.product.mainProgram.SetText(value.c_str()) || Fail(line, "path too long");
    if (key == "volume") return p.diskMap.volumeName.Assign(value.c_str());
    if (key == "width") {
        if (!number(16, 32, width_) || (width_ != 16 && width_ != 32)) return Fail(line, "width is 16 or 32");
        return true;
    }
    if (key == "script-version") return number(300, 302, version_);
    if (key == "uninstall-dialogs") return number(0, 2, p.uninstall.dialogMode);
    if (key == "min-ms-per-file") return number(0, 60000, p.header.msPerFile);
    if (key == "close-program-manager") return ParseYesNo(value, p.header.closeProgman) || Fail(line, "yes or no");
    if (key == "3d-controls") {
        if (!ParseYesNo(value, p.header.ctl3d)) return Fail(line, "yes or no");
        // A step that means nothing here is refused rather than promised.
        if (p.header.ctl3d)
            return Fail(line, "3d-controls: this machine has no 3D control library to register; the "
                              "installer's dialogs look the same without it");
        return true;
    }
    if (key == "version") {
        std::vector<std::string> parts = Split(value, '.');
        long long major, minor = 0;
        if (parts.empty() || parts.size() > 2 || !ParseInt(parts[0], major) ||
            (parts.size() == 2 && !ParseInt(parts[1], minor)) || major < 0 || major > 255 ||
            minor < 0 || minor > 255)
            return Fail(line, "version is major.minor");
        p.product.version = static_cast<unsigned>(major << 8 | minor);
        return true;
    }
    if (key == "languages") {
        for (const std::string& code : Split(value, ' ')) {
            if (code.empty()) continue;
            int i = LanguageIndex(code);
            if (i < 0) return Fail(line, "unknown language " + code);
            p.languages.provided[i] = 1;
        }
        return true;
    }
    if (key == "default-language") {
        int i = LanguageIndex(value);
        if (i < 0) return Fail(line, "unknown language " + value);
        p.languages.defaultIndex = i;
        return true;
    }
    if (key == "title") {
        p.screen.lines.resize(1);
        return p.screen.lines[0].text.Assign(value.c_str());
    }
    if (key == "auxiliary" || key == "auxiliary-if-present")
        return AddAuxiliary(value, key == "auxiliary", line);
    return Fail(line, "unknown key " + key + " in [package]");
}

bool PackDescription::ApplyComponent(const std::string& key, const std::string& value, int line)
{
    Component& c = project_->components.back();
    if (key == "caption") return c.caption.Assign(value.c_str());
    if (key == "description") return c.description.Assign(value.c_str());
    if (key == "visible-when") return c.visibleWhen.Assign(value.c_str());
    if (key == "selected-when") return c.selectedWhen.Assign(value.c_str());
    if (key == "events") {
        for (const std::string& label : Split(value, ','))
            if (!label.empty()) componentEvents_.back().first.push_back(label);
        return true;
    }
    return Fail(line, "unknown key " + key + " in [component]");
}

bool PackDescription::ApplyDialog(const std::string& key, const std::string& value, int line)
{
    UserDialog& d = project_->dialogs.back();
    static const char* const names[] = {"flags", "x", "y", "width", "height", "help"};
    for (int i = 0; i < 6; ++i) {
        if (key != names[i]) continue;
        long long n;
        if (!ParseInt(value, n)) return Fail(line, key + " must be a number");
        d.values[i] = static_cast<int>(n);
        return true;
    }
    if (key == "title") return d.title.Assign(value.c_str());
    if (key == "item") {
        // kind x y width height value read-only | first | second | third | face, height
        std::vector<std::string> parts = Split(value, '|');
        std::vector<std::string> numbers = Split(parts[0], ' ');
        numbers.erase(std::remove(numbers.begin(), numbers.end(), ""), numbers.end());
        if (numbers.size() != 7) return Fail(line, "an item starts with seven numbers");
        DialogItem item;
        for (int i = 0; i < 7; ++i) {
            long long n;
            if (!ParseInt(numbers[i], n)) return Fail(line, "an item starts with seven numbers");
            item.values[i] = static_cast<int>(n);
        }
        if (parts.size() > 1) item.first.Assign(parts[1].c_str());
        if (parts.size() > 2) item.second.Assign(parts[2].c_str());
        if (parts.size() > 3) item.third.Assign(parts[3].c_str());
        if (parts.size() > 4) {
            std::vector<std::string> font = Split(parts[4], ',');
            item.font.face.Assign(font[0].c_str());
            long long h;
            if (font.size() > 1 && ParseInt(font[1], h)) item.font.height = static_cast<int>(h);
        }
        if (d.items.size() >= 30) return Fail(line, "a dialog holds at most 30 items");
        d.items.push_back(std::move(item));
        return true;
    }
    return Fail(line, "unknown key " + key + " in [dialog]");
}

bool PackDescription::ApplyEvent(Section& s, const std::string& key, const std::string& value,
                                 bool append, int line)
{
    ScriptEvent& e = *s.event;
    long long n;
    if (key == "condition") return e.condition.Assign(value.c_str());
    if (key == "note") return e.note.Assign(value.c_str());
    if (key == "log-state") {
        if (!ParseInt(value, n) || n < 0 || n > 2) return Fail(line, "log-state is 0, 1 or 2");
        e.logState = static_cast<int>(n);
        return true;
    }
    if (key == "selected") return ParseYesNo(value, e.selection) || Fail(line, "yes or no");
    if (e.TypeCode() == 3) {
        if (key == "file" || key == "file-if-present") return AddFiles(s, value, key == "file", line);
        if (key == "dir") {
            DirectoryEntry d;
            d.path.Assign(value.c_str());
            e.Directories().push_back(std::move(d));
            return true;
        }
        if (key == "file-flags") {
            s.fileFlags = 0;
            for (const std::string& f : Split(value, ',')) {
                if (f == "shared") s.fileFlags |= FileEntry::kShared;
                else if (f == "font") s.fileFlags |= FileEntry::kFont;
                else if (f == "register") s.fileFlags |= FileEntry::kSelfRegister;
                else if (!f.empty()) return Fail(line, "file flags are shared, font, register");
            }
            for (FileEntry& f : e.Files()) f.flags |= s.fileFlags;
            return true;
        }
        if (key == "file-version") {
            // major.minor.build.revision, each 0-65535: the version of the files listed after it.
            std::vector<std::string> parts = Split(value, '.');
            long long v[4] = {};
            bool ok = parts.size() == 4;
            for (size_t i = 0; ok && i < 4; ++i) ok = ParseInt(parts[i], v[i]) && v[i] >= 0 && v[i] <= 0xFFFF;
            if (!ok) return Fail(line, "file-version is major.minor.build.revision, each 0-65535");
            const VersionPair version = VersionPair::Of(static_cast<int>(v[0]), static_cast<int>(v[1]),
                                                        static_cast<int>(v[2]), static_cast<int>(v[3]));
            s.versionHigh = version.high;
            s.versionLow = version.low;
            return true;
        }
    }
    // A named field of the kind, or a field by position ("int2", "text0", "word0", "path0").
    std::string slot;
    for (const auto& f : s.eventKind->fields)
        if (key == f.first) slot = f.second;
    if (slot.empty()) {
        for (const char* prefix : {"int", "text", "word", "path"}) {
            size_t len = std::strlen(prefix);
            if (key.compare(0, len, prefix) == 0 && key.size() > len &&
                std::all_of(key.begin() + len, key.end(), ::isdigit))
                slot = std::string(1, prefix[0]) + key.substr(len);
        }
    }
    if (slot.empty()) return Fail(line, "unknown key " + key + " in [" + s.kind + "]");
    int index = std::atoi(slot.c_str() + 1);
    const char* layout = e.Layout();
    auto countOf = [&](char c) { return static_cast<int>(std::count(layout, layout + std::strlen(layout), c)); };
    char kind = slot[0];
    if (index >= countOf(kind)) return Fail(line, key + " is not a field of event code " + std::to_string(e.TypeCode()));
    switch (kind) {
    case 'i':
        if (!ParseInt(value, n) || n < -2147483648LL || n > 2147483647LL) return Fail(line, key + " must be a number");
        if (e.TypeCode() == 7 && index == 2 && (n < 0 || n > 2)) return Fail(line, "manner is 0, 1 or 2");
        e.Int(index) = static_cast<int>(n);
        return true;
    case 'w':
        if (!ParseInt(value, n) || n < 0 || n > 0xFFFFFFFFLL) return Fail(line, key + " must be a 32-bit number");
        e.Word(index) = static_cast<uint32_t>(n);
        return true;
    case 'p':
        return e.Path(index).SetText(value.c_str()) || Fail(line, key + " is longer than 127 characters");
    default: {
        HeapString& t = e.Text(index);
        std::string v = append && !t.IsEmpty() ? std::string(t.Text()) + "\r\n" + value : value;
        if (v.size() >= 65536) return Fail(line, key + " is too long");
        return t.Assign(v.c_str());
    }
    }
}

namespace {
bool FileFacts(const std::string& host, FileEntry& entry)
{
    struct stat st;
    if (::stat(host.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (st.st_size > 0xFFFFFFFFLL) return false;
    entry.installedSize = static_cast<uint32_t>(st.st_size);
    std::tm tm{};
    time_t t = st.st_mtime;
    gmtime_r(&t, &tm);
    entry.time[0] = static_cast<uint16_t>(tm.tm_year + 1900);
    entry.time[1] = static_cast<uint16_t>(tm.tm_mon + 1);
    entry.time[2] = static_cast<uint16_t>(tm.tm_wday);
    entry.time[3] = static_cast<uint16_t>(tm.tm_mday);
    entry.time[4] = static_cast<uint16_t>(tm.tm_hour);
    entry.time[5] = static_cast<uint16_t>(tm.tm_min);
    entry.time[6] = static_cast<uint16_t>(tm.tm_sec);
    return true;
}

// The host files a "file" value names: a path whose last component may hold "*" and "?".
std::vector<std::string> Expand(const std::string& pattern)
{
    fs::path p(pattern);
    std::string name = p.filename().string();
    if (name.find_first_of("*?") == std::string::npos) {
        if (fs::is_regular_file(p)) return {pattern};
        return {};
    }
    std::vector<std::string> out;
    std::error_code ec;
    fs::path dir = p.parent_path().empty() ? fs::path(".") : p.parent_path();
    for (const auto& entry : fs::directory_iterator(dir, ec))
        if (entry.is_regular_file() && Matches(name.c_str(), entry.path().filename().string().c_str()))
            out.push_back(entry.path().string());
    std::sort(out.begin(), out.end());
    return out;
}

std::string SourceDirectory(const std::string& label)
{
    std::string out;
    for (char c : fw::ToLowerAscii(label))
        if (std::isalnum(static_cast<unsigned char>(c))) out += c;
    return out.empty() ? "files" : out;
}
} // namespace

bool PackDescription::AddFiles(Section& s, const std::string& value, bool required, int line)
{
    ScriptEvent& e = *s.event;
    std::string pattern = value, rename;
    size_t arrow = value.find("->");
    if (arrow != std::string::npos) {
        pattern = Trim(value.substr(0, arrow));
        rename = Trim(value.substr(arrow + 2));
    }
    std::vector<std::string> hosts = Expand(pattern);
    if (hosts.empty()) {
        if (required) return Fail(line, "no file " + pattern);
        return true;
    }
    if (!rename.empty() && hosts.size() != 1) return Fail(line, "-> names one file only");
    if (e.Text(1).IsEmpty()) e.Text(1).Assign(SourceDirectory(e.Text(0).Text()).c_str());
    for (const std::string& host : hosts) {
        FileEntry entry;
        if (!FileFacts(host, entry)) return Fail(line, "cannot read " + host);
        std::string name = rename.empty() ? fs::path(host).filename().string() : rename;
        entry.name.Assign(name.c_str());
        bool compressed = e.Int(0) == 0;
        entry.flags = FileEntry::kInstalledSize | s.fileFlags | (compressed ? FileEntry::kCompressed : 0);
        entry.versionHigh = s.versionHigh;
        entry.versionLow = s.versionLow;
        PackedFile packed;
        packed.hostPath = host;
        packed.packedName = std::string(e.Text(1).Text()) + "/" + (compressed ? CompressedName(name) : name);
        packed.eventIndex = s.eventIndex;
        packed.fileIndex = static_cast<int>(e.Files().size());
        packed.compressed = compressed;
        e.Files().push_back(std::move(entry));
        files_.push_back(std::move(packed));
    }
    return true;
}

bool PackDescription::AddAuxiliary(const std::string& value, bool required, int line)
{
    std::vector<std::string> hosts = Expand(value);
    if (hosts.empty()) return required ? Fail(line, "no file " + value) : true;
    for (const std::string& host : hosts) {
        std::string name = fs::path(host).filename().string();
        PackedFile packed;
        packed.hostPath = host;
        packed.packedName = CompressedName(name);
        files_.push_back(packed);
        DiskMapEntry entry;
        entry.flags = 1 | DiskMapEntry::kAuxiliary;
        if (!entry.packedName.SetText(packed.packedName.c_str()) || !entry.target.SetText(name.c_str()))
            return Fail(line, "name too long: " + name);
        project_->diskEntries.push_back(std::move(entry));
    }
    return true;
}

bool PackDescription::Finish()
{
    ScriptProject& p = *project_;
    if (p.header.productName.IsEmpty()) return Fail(0, "[package] needs a product");
    for (size_t i = 0; i < p.components.size(); ++i) {
        for (const std::string& label : componentEvents_[i].first) {
            auto it = labels_.find(label);
            if (it == labels_.end()) return Fail(componentEvents_[i].second, "no event labelled " + label);
            p.components[i].events.push_back(static_cast<uint32_t>(it->second));
        }
    }
    if (version_ < 302) {
        for (int i = 11; i < 20; ++i)
            if (p.languages.provided[i]) return Fail(0, "languages beyond Swedish need script version 302");
    }
    if (version_ == 300 && (!p.components.empty() || !p.dialogs.empty()))
        return Fail(0, "components and dialogs need script version 301 or 302");
    bool anyLanguage = false;
    for (int f : p.languages.provided) anyLanguage = anyLanguage || f;
    if (!anyLanguage) p.languages.provided[p.languages.defaultIndex] = 1;
    // Every packaged file in the disk map; names must not meet in one directory.
    std::set<std::string> seen;
    for (const PackedFile& f : files_) {
        if (!seen.insert(fw::ToLowerAscii(f.packedName)).second)
            return Fail(0, "two files would be packaged as " + f.packedName);
        if (f.eventIndex < 0) continue;
        DiskMapEntry entry;
        std::string packed = f.packedName;
        std::replace(packed.begin(), packed.end(), '/', '\\');
        const ScriptEvent& e = *p.events[f.eventIndex];
        std::string target = std::string(e.Text(2).Text()) + "\\" + e.Files()[f.fileIndex].name.Text();
        if (!entry.packedName.SetText(packed.c_str()) || !entry.target.SetText(target.c_str()))
            return Fail(0, "a packaged path is longer than 127 characters: " + packed);
        p.diskEntries.push_back(std::move(entry));
    }
    return true;
}

} // namespace kw
