#include "installer/support/ShellFolderLink.h"

#include "framework/sys/ShellLink.h"
#include "framework/sys/WinFileSystem.h"
#include "installer/support/FilePath.h"
#include "installer/support/PathBuffer.h"
#include "installer/support/RegKey.h"

#include <cstring>
#include <sstream>
#include <vector>

namespace kw {

namespace {
const char* S(const char* t) { return t ? t : ""; }

std::string ShortOrAsGiven(const char* path)
{
    if (!path || !*path) return {};
    PathBuffer p;
    if (p.SetText(path) && ToShortPathName(p)) return p.Text();
    return path;
}

std::vector<std::string> Entries(const std::string& dir, bool directories)
{
    std::vector<std::string> names;
    fw::WinFind find;
    fw::WinFindData e;
    for (bool more = find.First(dir + "\\*.*", e); more; more = find.Next(e)) {
        if (fw::WinFileSystem::IsDotName(e.name)) continue;
        if (((e.attributes & fw::kAttrDirectory) != 0) == directories) names.push_back(e.name);
    }
    return names;
}
} // namespace

std::string ShellFolderLink::ProgramsFolder()
{
    RegKey key(2, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    char buffer[RegKey::kPathSize];
    if (!key.QueryString("Programs", buffer, sizeof buffer)) return {};
    return buffer;
}

std::string ShellFolderLink::GroupDir(const char* group) const
{
    std::string programs = ProgramsFolder();
    if (programs.empty() || !group || !*group || std::strpbrk(group, "\\/:*?\"<>|")) return {};
    return programs + "\\" + group;
}

bool ShellFolderLink::Connect(bool) { return !ProgramsFolder().empty(); }
bool ShellFolderLink::Disconnect(bool) { return true; }

bool ShellFolderLink::ShowGroup(const char* name, int)
{
    current_ = S(name);
    return true;
}

bool ShellFolderLink::CreateGroup(const char* name)
{
    std::string dir = GroupDir(name);
    if (dir.empty()) return false;
    current_ = S(name);
    return MakeDirectory(dir.c_str()) != 2;
}

bool ShellFolderLink::DeleteGroup(const char* name)
{
    std::string dir = GroupDir(name);
    if (dir.empty() || !DirectoryExists(dir.c_str())) return false;
    for (const std::string& f : Entries(dir, false)) {
        std::string path = dir + "\\" + f;
        if (HasExtension(f.c_str(), ".lnk")) fw::ShellLink::Remove(path);
        else fw::WinFileSystem::DeleteFile(path);
    }
    for (const std::string& d : Entries(dir, true)) RemoveTree((dir + "\\" + d).c_str());
    return fw::WinFileSystem::RemoveDirectory(dir);
}

bool ShellFolderLink::AddItem(const ProgmanItem& item)
{
    std::string dir = GroupDir(current_.c_str());
    if (dir.empty() || !item.name[0] || std::strpbrk(item.name, "\\/:*?\"<>|")) return false;
    fw::ShellLink link;
    std::istringstream in(item.commandLine);
    in >> link.path;
    std::string rest;
    std::getline(in, rest);
    size_t b = rest.find_first_not_of(" \t");
    link.arguments = b == std::string::npos ? "" : rest.substr(b);
    link.workingDirectory = ShortOrAsGiven(item.workingDirectory);
    link.iconPath = ShortOrAsGiven(item.iconPath);
    link.iconIndex = item.iconIndex;
    link.hotKey = item.hotKey;
    link.showCommand = item.minimised ? 7 : 1;
    return link.Save(dir + "\\" + item.name + ".lnk");
}

bool ShellFolderLink::AddItem(const char* name, const char* commandLine, const char* iconPath, int iconIndex,
                              const char* workingDirectory)
{
    ProgmanItem item;
    if (!ProgmanItem::SetField(item.name, sizeof item.name, S(name)) ||
        !ProgmanItem::SetField(item.commandLine, sizeof item.commandLine, S(commandLine)) ||
        !ProgmanItem::SetField(item.iconPath, sizeof item.iconPath, S(iconPath)) ||
        !ProgmanItem::SetField(item.workingDirectory, sizeof item.workingDirectory, S(workingDirectory)))
        return false;
    item.iconIndex = iconIndex;
    return AddItem(item);
}

bool ShellFolderLink::DeleteItem(const char* name)
{
    std::string dir = GroupDir(current_.c_str());
    if (dir.empty()) return false;
    std::string link = dir + "\\" + S(name) + ".lnk", pif = dir + "\\" + S(name) + ".pif";
    if (PathExists(link.c_str())) return fw::ShellLink::Remove(link);
    if (PathExists(pif.c_str())) return fw::WinFileSystem::DeleteFile(pif);
    return true;
}

bool ShellFolderLink::GroupExists(const char* name)
{
    std::string dir = GroupDir(name);
    return !dir.empty() && DirectoryExists(dir.c_str());
}

bool ShellFolderLink::ItemExists(const char* group, const char* name)
{
    std::string dir = GroupDir(group);
    if (dir.empty()) return false;
    return PathExists((dir + "\\" + S(name) + ".lnk").c_str()) || PathExists((dir + "\\" + S(name) + ".pif").c_str());
}

bool ShellFolderLink::GetItem(const char* group, const char* name, ProgmanItem& item)
{
    std::string dir = GroupDir(group);
    if (dir.empty()) return false;
    std::string path = dir + "\\" + S(name) + ".lnk";
    if (!PathExists(path.c_str())) path = dir + "\\" + S(name) + ".pif";
    fw::ShellLink link;
    if (!link.Load(path)) return false;
    item = ProgmanItem();
    std::string command = link.arguments.empty() ? link.path : link.path + " " + link.arguments;
    std::string file = FileNamePart(path.c_str());
    bool ok = ProgmanItem::SetField(item.name, sizeof item.name, file.substr(0, file.size() - 4).c_str());
    ok = ProgmanItem::SetField(item.commandLine, sizeof item.commandLine, command.c_str()) && ok;
    ok = ProgmanItem::SetField(item.iconPath, sizeof item.iconPath, link.iconPath.c_str()) && ok;
    ok = ProgmanItem::SetField(item.workingDirectory, sizeof item.workingDirectory, link.workingDirectory.c_str()) && ok;
    item.iconIndex = link.iconIndex;
    item.hotKey = link.hotKey;
    item.minimised = link.showCommand == 7;
    return ok;
}

bool ShellFolderLink::GetGroupItems(const char* group, ProgmanGroupItems& list)
{
    list = ProgmanGroupItems();
    std::string dir = GroupDir(group);
    if (dir.empty() || !DirectoryExists(dir.c_str())) return false;
    if (!ProgmanItem::SetField(list.group, sizeof list.group, S(group))) return false;
    std::vector<std::string> files = Entries(dir, false);
    list.items = new ProgmanItem[files.size() ? files.size() : 1];
    bool ok = true;
    for (const std::string& f : files) {
        if (f.size() < 5) continue;
        if (GetItem(group, f.substr(0, f.size() - 4).c_str(), list.items[list.count])) ++list.count;
        else ok = false;
    }
    return ok;
}

char* ShellFolderLink::GroupList()
{
    std::string programs = ProgramsFolder();
    if (programs.empty()) return nullptr;
    std::string text;
    for (const std::string& d : Entries(programs, true)) text += (text.empty() ? "" : "\r\n") + d;
    char* out = new char[text.size() + 1];
    std::memcpy(out, text.c_str(), text.size() + 1);
    return out;
}

} // namespace kw
