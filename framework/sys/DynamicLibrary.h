// Libraries loaded by name at run time. A Windows-style name ("lzpunz2.dll") stands for the
// shared object "liblzpunz2.so"; it is looked for in the directories added here, then beside
// the running program, then where the system's loader looks.
#pragma once

#include <string>
#include <vector>

namespace fw {

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary() { Free(); }
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Loads the library (freeing one loaded before); false when it cannot be found or loaded.
    bool Load(const std::string& name);
    void Free();
    bool IsLoaded() const { return handle_ != nullptr; }
    // The address of an export, null when the library is not loaded or lacks it.
    void* Symbol(const char* name) const;
    // The loader's last complaint, for messages.
    const std::string& LastError() const { return error_; }

    // The host file name a library name stands for ("lzpunz2.dll" -> "liblzpunz2.so").
    static std::string HostFileName(const std::string& name);
    // Adds a directory searched first (tests add the build's program directory).
    static void AddSearchDirectory(const std::string& directory);
    static std::vector<std::string> SearchDirectories();

private:
    void* handle_ = nullptr;
    std::string error_;
};

} // namespace fw
