// Runs the INI scanner and its rewriting operations over arbitrary file contents on an
// emulated machine. After setting an entry, reading the same entry back must give its value.
#include "framework/gui/MessageBox.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/IniFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace kw;

namespace {
fw::WinRoot* Machine()
{
    static fw::WinRoot* root = [] {
        // In memory where possible: every rewrite renames over the file, which a disk
        // file system flushes.
        char shm[] = "/dev/shm/stellum-ini-fuzz-XXXXXX";
        char tmp[] = "/tmp/stellum-ini-fuzz-XXXXXX";
        char* dir = mkdtemp(shm);
        if (!dir) dir = mkdtemp(tmp);
        if (!dir) std::abort();
        static std::string made = dir;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(made, ec);
        });
        auto* r = new fw::WinRoot(dir);
        fw::WinRoot::SetCurrent(r);
        fw::MessageBoxSeam::Set([](const fw::MessageBoxCall&) { return fw::IDOK; });
        return r;
    }();
    return root;
}

void Store(const uint8_t* data, size_t size)
{
    std::string host;
    if (!Machine()->ToHost("C:\\fuzz.ini", host)) std::abort();
    FILE* f = std::fopen(host.c_str(), "wb");
    if (!f) std::abort();
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Machine();
    const char* file = "C:\\fuzz.ini";
    char name[kIniTextSize], value[kIniTextSize], line[2048];

    Store(data, size);
    CountIniEntries(file, "S", nullptr);
    CountIniSectionLines(file, "s");
    GetIniEntryAt(file, "S", 1, name, value);
    GetIniSectionLine(file, "S", 0, line, sizeof line);

    if (!SetIniEntry(file, "S", "k", "fuzzed", 0)) std::abort();
    if (!GetIniEntry(file, "S", "k", 0, value) || std::strcmp(value, "fuzzed") != 0)
        std::abort();
    Store(data, size);
    InsertIniEntry(file, "S", "k", "first", 0);
    if (!GetIniEntry(file, "s", "K", 0, value) || std::strcmp(value, "first") != 0)
        std::abort();
    Store(data, size);
    DeleteIniEntries(file, "S", "k");
    if (CountIniEntries(file, "S", "k") > 0) std::abort();
    Store(data, size);
    DeleteIniSection(file, "S");
    AddIniSection(file, "S");
    if (CountIniEntries(file, "S", nullptr) < 0) std::abort();
    return 0;
}
