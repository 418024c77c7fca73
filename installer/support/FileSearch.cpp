#include "installer/support/FileSearch.h"

#include "installer/support/CheckFailed.h"
#include "installer/support/FileFind.h"
#include "installer/support/FilePath.h"
#include "installer/support/MessageLoop.h"
#include "installer/support/PathBuffer.h"

#include <string>
#include <utility>
#include <vector>

namespace kw {

namespace {
// The entries of a listing, taken before any is visited (a visitor may delete them).
std::vector<std::pair<std::string, bool>> List(const char* pattern, bool skipDirectories)
{
    std::vector<std::pair<std::string, bool>> entries;
    FileFind find;
    for (bool ok = find.First(pattern); ok; ok = find.Next()) {
        if (find.IsDotEntry()) continue;
        if (skipDirectories && find.IsDirectory()) continue;
        entries.push_back({find.Name(), find.IsDirectory()});
    }
    return entries;
}
} // namespace

bool FileSearch::Search(FileSearchVisitor& visitor, const char* directory)
{
    uint32_t attributes;
    if (GetAttributes(directory, attributes) != 0) return false;
    if (!(attributes & fw::kAttrDirectory)) {
        CheckFailed("ENUMFILE", 47, false);
        return false;
    }
    PathBuffer pattern;
    if (!JoinPath(pattern, directory, "*.*")) return false;
    for (auto& e : List(pattern.Text(), false)) {
        MessageLoop::Instance().Pump(true);
        bool go = visitor.Continue();
        MessageLoop::Instance().Pump(true);
        if (!go) return false;
        PathBuffer path;
        if (!JoinPath(path, directory, e.first.c_str())) return false;
        if (e.second && recursive_ && !Search(visitor, path.Text())) return false;
        if (!visitor.Visit(path.Text(), e.second)) return false;
    }
    return true;
}

bool FileSearch::SearchTree(FileSearchVisitor& visitor, const char* pattern)
{
    SetTraceFile("c:\\search.log");
    Report("entering %s", pattern);
    PathBuffer dir;
    DirectoryOf(pattern, dir);
    bool ok = TreeIn(visitor, dir.Text(), FileNamePart(pattern));
    Report("leaving %s", pattern);
    return ok;
}

bool FileSearch::TreeIn(FileSearchVisitor& visitor, const char* directory, const char* name)
{
    PathBuffer pattern;
    if (!JoinPath(pattern, directory, name)) return true;
    for (auto& e : List(pattern.Text(), true)) {
        PathBuffer path;
        if (!JoinPath(path, directory, e.first.c_str())) continue;
        if (!visitor.Visit(path.Text(), false)) return false;
    }
    if (!recursive_) return true;
    Report("searching into subdirectories of %s", directory);
    PathBuffer all;
    if (!JoinPath(all, directory, "*.*")) return true;
    for (auto& e : List(all.Text(), false)) {
        if (!e.second) continue;
        PathBuffer sub;
        if (!JoinPath(sub, directory, e.first.c_str())) continue;
        if (!TreeIn(visitor, sub.Text(), name)) return false;
    }
    return true;
}

}  // namespace kw
