#include "installer/support/ProgmanDdeLink.h"

#include "framework/sys/ProgmanStore.h"
#include "installer/support/CheckFailed.h"
#include "installer/support/FilePath.h"
#include "installer/support/PathBuffer.h"

#include <strings.h>

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace kw {

namespace {
const char* S(const char* t) { return t ? t : ""; }

// A text for a quoted field: no double quote inside.
bool QuotedOk(const char* t) { return !std::strchr(S(t), '"'); }
// A text for an unquoted field: no comma or double quote.
bool PlainOk(const char* t) { return !std::strpbrk(S(t), ",\""); }

// A path in its short form when it is not empty and exists; as given otherwise.
std::string Short(const char* path)
{
    if (!path || !*path) return {};
    std::string out = path;
    PathBuffer p;
    if (p.SetText(path) && ToShortPathName(p)) out = p.Text();
    return out;
}

std::string Refused()
{
    CheckFailed("PROGMAN", 2, false);
    return {};
}
} // namespace

ProgmanDdeLink::~ProgmanDdeLink() { CheckFailed("DDERAW", 33, !connected_); }

std::string ProgmanDdeLink::CreateGroupCommand(const char* name)
{
    if (!QuotedOk(name)) return Refused();
    return std::string("[CreateGroup(\"") + S(name) + "\")]";
}

std::string ProgmanDdeLink::ShowGroupCommand(const char* name, int showCommand)
{
    if (showCommand == 9) return CreateGroupCommand(name);
    if (!QuotedOk(name)) return Refused();
    return std::string("[ShowGroup(\"") + S(name) + "\", " + std::to_string(showCommand) + ")]";
}

std::string ProgmanDdeLink::DeleteGroupCommand(const char* name)
{
    if (!QuotedOk(name)) return Refused();
    return std::string("[DeleteGroup(\"") + S(name) + "\")]";
}

std::string ProgmanDdeLink::DeleteItemCommand(const char* name)
{
    if (!QuotedOk(name)) return Refused();
    return std::string("[DeleteItem(\"") + S(name) + "\")]";
}

std::string ProgmanDdeLink::AddItemCommand(const char* name, const char* commandLine, const char* iconPath,
                                           int iconIndex, const char* workingDirectory)
{
    std::string icon = Short(iconPath), dir = Short(workingDirectory);
    if (!QuotedOk(name) || !PlainOk(commandLine) || !PlainOk(icon.c_str()) || !PlainOk(dir.c_str())) return Refused();
    std::string c = std::string("[AddItem(") + S(commandLine) + ", \"" + S(name) + "\", " + icon + ", " +
                    std::to_string(iconIndex);
    if (!dir.empty()) c += ", , , " + dir;
    return c + ")]";
}

std::string ProgmanDdeLink::AddItemCommand(const ProgmanItem& item)
{
    std::string icon = Short(item.iconPath), dir = Short(item.workingDirectory);
    if (!QuotedOk(item.name) || !PlainOk(item.commandLine) || !PlainOk(icon.c_str()) || !PlainOk(dir.c_str()))
        return Refused();
    std::ostringstream c;
    c << "[AddItem(" << item.commandLine << ", \"" << item.name << "\", " << icon << ", " << item.iconIndex << ", "
      << item.x << ", " << item.y << ", " << dir << ", " << item.hotKey << ", " << item.minimised << ")]";
    return c.str();
}

bool ProgmanDdeLink::ParseItemLine(const std::string& line, ProgmanItem& item)
{
    std::vector<std::string> f = fw::ProgmanStore::SplitFields(line);
    f.resize(9);
    item = ProgmanItem();
    auto num = [](const std::string& s) { return std::atoi(s.c_str()); };
    bool ok = ProgmanItem::SetField(item.name, sizeof item.name, f[0].c_str());
    ok = ProgmanItem::SetField(item.commandLine, sizeof item.commandLine, f[1].c_str()) && ok;
    ok = ProgmanItem::SetField(item.workingDirectory, sizeof item.workingDirectory, f[2].c_str()) && ok;
    ok = ProgmanItem::SetField(item.iconPath, sizeof item.iconPath, f[3].c_str()) && ok;
    item.x = num(f[4]);
    item.y = num(f[5]);
    item.iconIndex = num(f[6]);
    item.hotKey = num(f[7]);
    item.minimised = num(f[8]);
    return ok;
}

bool ProgmanDdeLink::Execute(const std::string& command)
{
    last_ = command;
    return connected_ && !command.empty() && fw::ProgmanStore::Execute(command);
}

bool ProgmanDdeLink::Connect(bool mayStart)
{
    if (!fw::ProgmanStore::Running()) {
        if (!mayStart) return false;
        fw::ProgmanStore::SetRunning(true); // "progman.exe" started
    }
    connected_ = true;
    return true;
}

bool ProgmanDdeLink::Disconnect(bool closeShell)
{
    connected_ = false;
    if (closeShell) fw::ProgmanStore::SetRunning(false);
    return true;
}

bool ProgmanDdeLink::CreateGroup(const char* name) { return Execute(CreateGroupCommand(name)); }
bool ProgmanDdeLink::DeleteGroup(const char* name) { return Execute(DeleteGroupCommand(name)); }
bool ProgmanDdeLink::ShowGroup(const char* name, int show) { return Execute(ShowGroupCommand(name, show)); }
bool ProgmanDdeLink::AddItem(const ProgmanItem& item) { return Execute(AddItemCommand(item)); }
bool ProgmanDdeLink::AddItem(const char* name, const char* commandLine, const char* iconPath, int iconIndex,
                             const char* workingDirectory)
{
    return Execute(AddItemCommand(name, commandLine, iconPath, iconIndex, workingDirectory));
}
bool ProgmanDdeLink::DeleteItem(const char* name) { return Execute(DeleteItemCommand(name)); }

char* ProgmanDdeLink::GroupList()
{
    std::string reply;
    if (!connected_ || !fw::ProgmanStore::Request("GROUPS", reply)) return nullptr;
    char* text = new char[reply.size() + 1];
    std::memcpy(text, reply.c_str(), reply.size() + 1);
    return text;
}

bool ProgmanDdeLink::GroupExists(const char* name)
{
    char* list = GroupList();
    if (!list) return false;
    std::istringstream in(list);
    delete[] list;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (strcasecmp(line.c_str(), S(name)) == 0) return true;
    }
    return false;
}

bool ProgmanDdeLink::GetGroupItems(const char* group, ProgmanGroupItems& list)
{
    std::string reply;
    list = ProgmanGroupItems();
    if (!connected_ || !fw::ProgmanStore::Request(S(group), reply)) return false;
    std::vector<std::string> lines;
    std::istringstream in(reply);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (lines.empty()) return false;
    std::vector<std::string> head = fw::ProgmanStore::SplitFields(lines[0]);
    head.resize(3);
    if (!ProgmanItem::SetField(list.group, sizeof list.group, head[0].c_str())) return false;
    int count = std::atoi(head[2].c_str());
    // Never more items than the reply carries lines for.
    if (count < 0 || count > static_cast<int>(lines.size()) - 1) count = static_cast<int>(lines.size()) - 1;
    list.items = new ProgmanItem[static_cast<size_t>(count > 0 ? count : 1)];
    list.count = count;
    bool ok = true;
    for (int i = 0; i < count; ++i) ok = ParseItemLine(lines[static_cast<size_t>(i) + 1], list.items[i]) && ok;
    return ok;
}

bool ProgmanDdeLink::GetItem(const char* group, const char* name, ProgmanItem& item)
{
    ProgmanGroupItems list;
    bool found = false;
    if (GetGroupItems(group, list)) {
        for (int i = 0; i < list.count && !found; ++i)
            if (strcasecmp(list.items[i].name, S(name)) == 0) {
                item = list.items[i];
                found = true;
            }
    }
    delete[] list.items;
    return found;
}

bool ProgmanDdeLink::ItemExists(const char* group, const char* name)
{
    ProgmanItem scratch;
    return GetItem(group, name, scratch);
}

} // namespace kw
