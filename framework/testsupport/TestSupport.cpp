#include "framework/testsupport/TestSupport.h"

#include "framework/stream/StringUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {

ScopedEnv::ScopedEnv(std::string name, const char* value) : name_(std::move(name))
{
    if (const char* old = std::getenv(name_.c_str())) saved_ = old;
    if (value)
        setenv(name_.c_str(), value, 1);
    else
        unsetenv(name_.c_str());
}

ScopedEnv::~ScopedEnv()
{
    if (saved_)
        setenv(name_.c_str(), saved_->c_str(), 1);
    else
        unsetenv(name_.c_str());
}

TempDir::TempDir()
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path p = fs::temp_directory_path() / ("stellum-test-" + std::to_string(rd()));
        std::error_code ec;
        if (fs::create_directory(p, ec)) {
            path_ = p.string() + "/";
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

int PdfPageCount(const std::string& bytes)
{
    const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

std::string SnapshotPath(const std::string& name)
{
    const char* dir = std::getenv("STELLUM_SNAPSHOT_DIR");
    if (!dir || !*dir) return std::string();
    return std::string(dir) + "/" + name;
}

void LinkProgramFiles(const std::string& programDir, const std::string& dir, std::vector<std::string> names)
{
    std::error_code ec;
    fs::create_directories(dir + "User", ec);
    if (names.empty()) {
        for (const auto& entry : fs::directory_iterator(programDir, ec))
            if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    for (const std::string& name : names) {
        if (name.rfind("User/", 0) == 0) {
            fs::copy_file(programDir + name, dir + name, fs::copy_options::overwrite_existing, ec);
            if (ec) ADD_FAILURE() << "cannot copy " << name << ": " << ec.message();
        } else {
            fs::create_symlink(programDir + name, dir + name, ec);
            if (ec) ADD_FAILURE() << "cannot link " << name << ": " << ec.message();
        }
    }
}

long EndedPid()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return static_cast<long>(child);
}

bool InCi()
{
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

std::string RawDataDir()
{
    const char* env = std::getenv("STELLUM_RAW_DATA");
    std::string dir = env && *env ? env : "../shared/data";
    if (!fs::is_directory(dir))
        return {};
    return fw::WithTrailingSlash(dir);
}

std::string ProgramDataDir(const std::string& probeFile)
{
    const char* env = std::getenv("STELLUM_PROGRAM_DIR");
    if (!env || !*env)
        return {};
    std::string dir = fw::WithTrailingSlash(env);
    if (!fs::exists(dir + probeFile))
        return {};
    return dir;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace testsupport
