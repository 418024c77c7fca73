#include "framework/sys/ProgmanStore.h"

#include "framework/stream/StateReset.h"
#include "framework/stream/StringUtil.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <cerrno>
#include <unistd.h>

namespace fw {

namespace {
bool gRunning = false;
std::string gCurrentGroup;
const StateReset resetProgman{[] {
    gRunning = false;
    gCurrentGroup.clear();
}};

std::string StorePath()
{
    WinRoot* r = WinRoot::Current();
    return r ? r->HostRoot() + "/progman.dat" : std::string();
}


// One field per line, tabs and line ends escaped.
std::string Escape(const std::string& s)
{
    std::string o;
    for (char c : s) {
        if (c == '\\') o += "\\\\";
        else if (c == '\t') o += "\\t";
        else if (c == '\n') o += "\\n";
        else if (c == '\r') o += "\\r";
        else o += c;
    }
    return o;
}

std::string Unescape(const std::string& s)
{
    std::string o;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            o += s[i];
            continue;
        }
        char c = s[++i];
        o += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return o;
}

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> f;
    std::string cur;
    for (char c : line) {
        if (c == '\t') {
            f.push_back(Unescape(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    f.push_back(Unescape(cur));
    return f;
}

std::vector<ProgmanGroup> Load()
{
    std::vector<ProgmanGroup> groups;
    std::ifstream in(StorePath());
    std::string line;
    while (std::getline(in, line)) {
        auto f = SplitTabs(line);
        if (f.size() == 2 && f[0] == "G") {
            groups.push_back({f[1], {}});
        } else if (f.size() == 11 && f[0] == "I" && !groups.empty()) {
            ProgmanEntry e;
            e.name = f[1], e.commandLine = f[2], e.workingDirectory = f[3], e.iconPath = f[4];
            e.x = std::atoi(f[5].c_str()), e.y = std::atoi(f[6].c_str());
            e.iconIndex = std::atoi(f[7].c_str()), e.hotKey = std::atoi(f[8].c_str());
            e.minimised = std::atoi(f[9].c_str());
            groups.back().items.push_back(e);
        }
    }
    return groups;
}

bool Save(const std::vector<ProgmanGroup>& groups)
{
    std::ostringstream out;
    for (const ProgmanGroup& g : groups) {
        out << "G\t" << Escape(g.name) << '\n';
        for (const ProgmanEntry& e : g.items)
            out << "I\t" << Escape(e.name) << '\t' << Escape(e.commandLine) << '\t' << Escape(e.workingDirectory)
                << '\t' << Escape(e.iconPath) << '\t' << e.x << '\t' << e.y << '\t' << e.iconIndex << '\t'
                << e.hotKey << '\t' << e.minimised << "\t-\n";
    }
    std::string path = StorePath();
    if (path.empty()) return false;
    // No group left: the store goes, as it was before the first group.
    if (groups.empty()) return ::unlink(path.c_str()) == 0 || errno == ENOENT;
    return WinFileSystem::WriteHostFileAtomically(path, out.str());
}

ProgmanGroup* Find(std::vector<ProgmanGroup>& groups, const std::string& name)
{
    for (ProgmanGroup& g : groups)
        if (EqualsIgnoreCase(g.name, name)) return &g;
    return nullptr;
}

bool ToInt(const std::string& s, int& out)
{
    if (s.empty()) {
        out = 0;
        return true;
    }
    long long v = 0;
    if (!ParseInteger(s, v) || v < -100000 || v > 100000) return false;
    out = static_cast<int>(v);
    return true;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }
} // namespace

bool ProgmanStore::Running() { return gRunning; }
void ProgmanStore::SetRunning(bool running)
{
    gRunning = running;
    if (!running) gCurrentGroup.clear();
}

std::vector<std::string> ProgmanStore::SplitFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::string cur;
    bool quoted = false, wasQuoted = false;
    auto flush = [&] {
        if (!wasQuoted) {
            size_t b = cur.find_first_not_of(" \t");
            size_t e = cur.find_last_not_of(" \t");
            cur = b == std::string::npos ? std::string() : cur.substr(b, e - b + 1);
        }
        fields.push_back(cur);
        cur.clear();
        wasQuoted = false;
    };
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            if (quoted) {
                // Blanks before an opening quote do not belong to the field.
                if (cur.find_first_not_of(" \t") == std::string::npos) cur.clear();
                wasQuoted = true;
            }
        } else if (c == ',' && !quoted) {
            flush();
        } else {
            cur += c;
        }
    }
    flush();
    return fields;
}

bool ProgmanStore::Execute(const std::string& command)
{
    if (!gRunning || command.size() < 4 || command.front() != '[' || command.compare(command.size() - 2, 2, ")]") != 0)
        return false;
    size_t open = command.find('(');
    if (open == std::string::npos) return false;
    std::string verb = command.substr(1, open - 1);
    std::vector<std::string> args = SplitFields(command.substr(open + 1, command.size() - open - 3));
    std::vector<ProgmanGroup> groups = Load();
    if (EqualsIgnoreCase(verb, "CreateGroup") && args.size() == 1 && !args[0].empty()) {
        if (!Find(groups, args[0])) groups.push_back({args[0], {}});
        gCurrentGroup = args[0];
        return Save(groups);
    }
    if (EqualsIgnoreCase(verb, "ShowGroup") && args.size() == 2) {
        int show;
        if (!ToInt(args[1], show) || !Find(groups, args[0])) return false;
        gCurrentGroup = args[0];
        return true;
    }
    if (EqualsIgnoreCase(verb, "DeleteGroup") && args.size() == 1) {
        for (size_t i = 0; i < groups.size(); ++i)
            if (EqualsIgnoreCase(groups[i].name, args[0])) {
                groups.erase(groups.begin() + static_cast<long>(i));
                if (EqualsIgnoreCase(gCurrentGroup, args[0])) gCurrentGroup.clear();
                return Save(groups);
            }
        return false;
    }
    ProgmanGroup* current = Find(groups, gCurrentGroup);
    if (EqualsIgnoreCase(verb, "DeleteItem") && args.size() == 1) {
        if (!current) return false;
        for (size_t i = 0; i < current->items.size(); ++i)
            if (EqualsIgnoreCase(current->items[i].name, args[0])) {
                current->items.erase(current->items.begin() + static_cast<long>(i));
                return Save(groups);
            }
        return false;
    }
    if (EqualsIgnoreCase(verb, "AddItem") && (args.size() == 4 || args.size() == 7 || args.size() == 9)) {
        if (!current || args[0].empty()) return false;
        ProgmanEntry e;
        e.commandLine = args[0];
        e.name = args[1];
        e.iconPath = args[2];
        if (!ToInt(args[3], e.iconIndex)) return false;
        if (args.size() >= 7) {
            if (!ToInt(args[4], e.x) || !ToInt(args[5], e.y)) return false;
            e.workingDirectory = args[6];
        }
        if (args.size() == 9 && (!ToInt(args[7], e.hotKey) || !ToInt(args[8], e.minimised))) return false;
        current->items.push_back(e);
        return Save(groups);
    }
    return false;
}

bool ProgmanStore::Request(const std::string& item, std::string& reply)
{
    reply.clear();
    if (!gRunning) return false;
    std::vector<ProgmanGroup> groups = Load();
    if (EqualsIgnoreCase(item, "GROUPS")) {
        for (size_t i = 0; i < groups.size(); ++i) reply += (i ? "\r\n" : "") + groups[i].name;
        return true;
    }
    const ProgmanGroup* g = Find(groups, item);
    if (!g) return false;
    reply = Quoted(g->name) + ",C:\\WINDOWS\\PROGMAN.GRP," + std::to_string(g->items.size()) + ",1";
    for (const ProgmanEntry& e : g->items) {
        reply += "\r\n" + Quoted(e.name) + "," + Quoted(e.commandLine) + "," + e.workingDirectory + "," +
                 e.iconPath + "," + std::to_string(e.x) + "," + std::to_string(e.y) + "," +
                 std::to_string(e.iconIndex) + "," + std::to_string(e.hotKey) + "," + std::to_string(e.minimised);
    }
    return true;
}

std::vector<ProgmanGroup> ProgmanStore::Groups() { return Load(); }

} // namespace fw
