#include "installer/engine/InstallFileDialog.h"

#include "framework/gui/DocTemplate.h"
#include "framework/gui/FileDialog.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/PathName.h"
#include "installer/support/WindowOps.h"

#include <QDir>

#include <cctype>

namespace kw {

namespace {

bool IsWindowsPath(const std::string& path)
{
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// The host directory that stands for a Windows directory of the machine, or for its nearest
// existing parent; empty when the machine has no such drive.
std::string HostDirectory(const std::string& directory)
{
    fw::WinRoot* root = fw::WinRoot::Current();
    if (!root) return {};
    // Without a directory of its own the dialog opens in the machine's current directory,
    // never in one of the host's.
    std::string dir = fw::WinFileSystem::FullPath(directory.empty() ? fw::WinFileSystem::CurrentDirectory() : directory);
    while (!dir.empty()) {
        std::string host;
        if (fw::WinFileSystem::IsDirectory(dir) && root->ToHost(dir, host)) return host;
        const std::size_t cut = dir.find_last_of('\\');
        if (dir.size() <= 3 || cut == std::string::npos || cut < 2) break;
        dir.erase(cut == 2 ? 3 : cut); // "C:\x" goes up to "C:\"
    }
    std::string host;
    return root->ToHost(fw::WinFileSystem::CurrentDirectory(), host) ? host : std::string();
}

} // namespace

void InstallFileDialog::AddFilter(const std::string& description, const std::string& pattern)
{
    filters_.emplace_back(description, pattern);
}

std::string InstallFileDialog::ToMachinePath(const std::string& path)
{
    if (IsWindowsPath(path)) return fw::WinFileSystem::FullPath(path);
    fw::WinRoot* root = fw::WinRoot::Current();
    if (!root || path.empty()) return {};
    // Lexically cleaned, links not resolved: the machine never walks through them anyway.
    const std::string clean = QDir::cleanPath(QString::fromStdString(path)).toStdString();
    for (char letter : root->DriveLetters()) {
        const fw::DriveInfo* d = root->Drive(letter);
        if (!d || d->hostDir.empty()) continue;
        const std::string base = QDir::cleanPath(QString::fromStdString(d->hostDir)).toStdString();
        if (clean != base && clean.compare(0, base.size() + 1, base + "/") != 0) continue;
        std::string rest = clean.size() > base.size() ? clean.substr(base.size() + 1) : std::string();
        for (char& c : rest)
            if (c == '/') c = '\\';
        return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))) + ":\\" + rest;
    }
    return {};
}

bool InstallFileDialog::Run(QWidget* owner, Mode mode, PathName& out)
{
    fw::FileDialogRequest request;
    request.kind = mode == kSave ? fw::FileDialogRequest::Save : fw::FileDialogRequest::Open;
    request.title = title_;
    if (filters_.empty()) {
        request.filters.push_back({"All File", "*.*"});
    } else {
        for (const auto& f : filters_) request.filters.push_back({f.first, f.second});
    }
    request.directory = HostDirectory(directory_);
    request.defaultExt = extension_;
    // Save As asks before it replaces a file; the read-only choice is never offered.
    request.flags = mode == kSave ? fw::dtOverwritePrompt : 0;
    request.path = name_;
    if (!fw::RunFileDialog(owner, request) || request.path.empty()) return false;

    const std::string chosen = ToMachinePath(request.path);
    if (chosen.empty()) {
        ErrorBox(owner, "%s is not on a drive of the machine being installed.", request.path.c_str());
        return false;
    }
    if (chosen.size() >= kNameSize) {
        ErrorBox(owner, "The name %s is too long.", chosen.c_str());
        return false;
    }
    return out.SetText(chosen.c_str());
}

} // namespace kw
