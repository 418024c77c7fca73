// A file that grows by whole appended blocks, each on the disk before Append answers: the
// form of a journal that must survive the program being killed or the machine stopping at
// any moment. A block is handed to the system in one write, so an interrupted append leaves
// at most one torn block at the end.
#pragma once

#include <cstddef>
#include <string>

namespace fw {

class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens an existing file for appending; false when it cannot be opened.
    bool Open(const std::string& path);
    // Appends the bytes and waits until they are on the disk; false on any failure, when
    // part of the bytes may stand at the end.
    bool Append(const std::string& bytes);
    // Cuts the file back to size bytes (dropping what a failed append left) and waits until
    // that is on the disk; false on any failure.
    bool Truncate(std::size_t size);
    // The file's size now; -1 when it is not open.
    long long Size() const;
    bool IsOpen() const { return fd_ >= 0; }
    void Close();

private:
    int fd_ = -1;
};

// Test hooks: the next n appends write only the first half of their bytes and fail, as on a
// full disk; the next n truncations fail.
void FailAppendsForTest(int n);
void FailTruncationsForTest(int n);

// The whole content of a file (a missing name falls back to a case-insensitive match in its
// directory); false when it cannot be read or is longer than maxBytes.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes = std::size_t(1) << 30);

} // namespace fw
