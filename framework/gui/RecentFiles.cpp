#include "framework/gui/RecentFiles.h"

#include "framework/stream/AtomicFile.h"
#include "framework/sys/ProfileLine.h"

#include <algorithm>
#include <fstream>

namespace fw {

namespace {
const char* const kSection = "Recent Files";
}

RecentFiles::RecentFiles(std::string profilePath, int maxFiles)
    : profilePath_(std::move(profilePath)), maxFiles_(std::max(maxFiles, 0))
{
    RemoveStaleTemporaries(profilePath_);
    Read();
}

void RecentFiles::Read()
{
    files_.clear();
    std::ifstream in(profilePath_);
    std::string line;
    bool inSection = false;
    std::vector<std::pair<int, std::string>> entries;
    while (std::getline(in, line)) {
        ProfileLine parsed(line);
        if (parsed.IsHeader()) {
            inSection = parsed.IsHeaderOf(kSection);
            continue;
        }
        if (!inSection || !parsed.IsEntry()) continue;
        const std::string& name = parsed.entryName();
        if (name.size() < 5 || name.compare(0, 4, "File") != 0) continue;
        int number = std::atoi(name.c_str() + 4);
        if (number < 1 || number > maxFiles_ || parsed.entryValue().empty()) continue;
        entries.emplace_back(number, parsed.entryValue());
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& e : entries)
        if (std::find(files_.begin(), files_.end(), e.second) == files_.end()) files_.push_back(e.second);
}

void RecentFiles::Write() const
{
    std::string text = "[" + std::string(kSection) + "]\n";
    for (std::size_t i = 0; i < files_.size(); ++i)
        text += "File" + std::to_string(i + 1) + "=" + files_[i] + "\n";
    // A file that cannot be written leaves the list as it was on disk; the menu still shows
    // the new list for this run.
    WriteFileReplacing(profilePath_, text);
}

void RecentFiles::SaveMenuChoice(const std::string& path)
{
    // A line break in a name would end its entry in the file and start another.
    if (path.empty() || maxFiles_ == 0 || path.find_first_of("\r\n") != std::string::npos) return;
    files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
    files_.insert(files_.begin(), path);
    if (static_cast<int>(files_.size()) > maxFiles_) files_.resize(static_cast<std::size_t>(maxFiles_));
    Write();
}

void RecentFiles::RemoveMenuChoice(const std::string& path)
{
    auto old = files_.size();
    files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
    if (files_.size() != old) Write();
}

bool RecentFiles::IsMenuCommand(int command) const
{
    int index = command - CM_MRU_FIRST;
    return index >= 0 && index < static_cast<int>(files_.size());
}

std::string RecentFiles::GetMenuText(int command) const
{
    return IsMenuCommand(command) ? files_[static_cast<std::size_t>(command - CM_MRU_FIRST)]
                                  : std::string();
}

std::string RecentFiles::MenuText(int index) const
{
    if (index < 0 || index >= static_cast<int>(files_.size())) return {};
    std::string path;
    for (char c : files_[static_cast<std::size_t>(index)]) {
        if (c == '&') path += '&'; // shown as itself, not as a mnemonic
        path += c;
    }
    return "&" + std::to_string(index + 1) + " " + path;
}

} // namespace fw
