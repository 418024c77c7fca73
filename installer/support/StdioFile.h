// Owners of stdio streams: StdioFile closes the stream it was given, PathStream opens one on
// a path of the installer's machine and closes it.
#pragma once

#include <cstdio>
#include <string>

namespace kw {

class StdioFile {
public:
    explicit StdioFile(FILE* file = nullptr) : file_(file) {}
    ~StdioFile() { Close(); }
    StdioFile(const StdioFile&) = delete;
    StdioFile& operator=(const StdioFile&) = delete;
    FILE* File() const { return file_; }
    void Reset(FILE* file)
    {
        Close();
        file_ = file;
    }
    bool Close();

protected:
    FILE* file_;
};

class PathStream : public StdioFile {
public:
    PathStream(const char* path, const char* mode, bool& ok);
};

// Reads the whole of a file of the installer's machine into bytes.
enum class WholeFileRead { kOk, kCannotOpen, kReadError };
WholeFileRead ReadWholeFile(const char* path, std::string& bytes);

}  // namespace kw
