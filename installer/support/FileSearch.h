// Walks directories (module ENUMFILE), handing every entry to a visitor. Messages are pumped
// around each entry so that the windows stay alive and the visitor can offer a cancel.
#pragma once

namespace kw {

class FileSearchVisitor {
public:
    virtual ~FileSearchVisitor() = default;
    // Asked before each entry; false stops the search.
    virtual bool Continue() { return true; }
    virtual bool Visit(const char* path, bool isDirectory)
    {
        return isDirectory ? VisitDirectory(path) : VisitFile(path);
    }
    virtual bool VisitFile(const char*) { return true; }
    virtual bool VisitDirectory(const char*) { return true; }
};

class FileSearch {
public:
    explicit FileSearch(bool recursive = false) : recursive_(recursive) {}
    bool Recursive() const { return recursive_; }
    void SetRecursive(bool recursive) { recursive_ = recursive; }

    // Every entry of the directory (subdirectories searched first when recursive); true when
    // the listing ran to its end.
    bool Search(FileSearchVisitor& visitor, const char* directory);
    // Every file matching the pattern ("dir\name"), in each subdirectory too when recursive,
    // traced into "c:\search.log"; false when the visitor stopped it.
    bool SearchTree(FileSearchVisitor& visitor, const char* pattern);

private:
    bool TreeIn(FileSearchVisitor& visitor, const char* directory, const char* name);
    bool recursive_;
};

}  // namespace kw
