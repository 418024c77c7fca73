#include "framework/sys/DynamicLibrary.h"

#include "framework/stream/StateReset.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace fw {

namespace {
std::vector<std::string>& Directories()
{
    static std::vector<std::string> dirs;
    return dirs;
}

const StateReset resetSearchDirectories{[] { Directories().clear(); }};

std::string ProgramDirectory()
{
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string path(buf, static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsFile(const std::string& path) { return access(path.c_str(), R_OK) == 0; }
} // namespace

std::string DynamicLibrary::HostFileName(const std::string& name)
{
    std::string base = name;
    size_t slash = base.find_last_of("/\\");
    if (slash != std::string::npos) base = base.substr(slash + 1);
    std::string lower = base;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".dll") == 0)
        lower.resize(lower.size() - 4);
    if (lower.size() > 3 && lower.compare(lower.size() - 3, 3, ".so") == 0) return lower;
    return "lib" + lower + ".so";
}

void DynamicLibrary::AddSearchDirectory(const std::string& directory)
{
    std::string d = directory;
    if (!d.empty() && d.back() != '/') d += '/';
    auto& dirs = Directories();
    if (std::find(dirs.begin(), dirs.end(), d) == dirs.end()) dirs.push_back(d);
}

std::vector<std::string> DynamicLibrary::SearchDirectories() { return Directories(); }

bool DynamicLibrary::Load(const std::string& name)
{
    Free();
    std::string file = HostFileName(name);
    std::vector<std::string> candidates;
    for (const std::string& d : Directories()) candidates.push_back(d + file);
    std::string programDir = ProgramDirectory();
    if (!programDir.empty()) candidates.push_back(programDir + file);
    for (const std::string& c : candidates) {
        if (!IsFile(c)) continue;
        handle_ = dlopen(c.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle_) return true;
        const char* e = dlerror();
        error_ = e ? e : "cannot load " + c;
    }
    handle_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_) return true;
    const char* e = dlerror();
    error_ = e ? e : "cannot load " + file;
    return false;
}

void DynamicLibrary::Free()
{
    if (handle_) dlclose(handle_);
    handle_ = nullptr;
}

void* DynamicLibrary::Symbol(const char* name) const
{
    if (!handle_ || !name) return nullptr;
    return dlsym(handle_, name);
}

} // namespace fw
