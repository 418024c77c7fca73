// The emulated root's own files read from any bytes: the registry file, the attribute and
// pending-rename stores, and a profile (INI) file under the root. A registry that loaded is
// written and read back the same; the stores reopen to what was loaded; after setting an
// entry, the profile reads that value back.
#include "framework/gui/MessageBox.h"
#include "framework/sys/RegistryStore.h"
#include "framework/sys/WinProfile.h"
#include "framework/sys/WinRoot.h"

#include "framework/fuzz/FuzzFiles.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string dir;

using fuzzsupport::ReadAll;
using fuzzsupport::WriteAll;

void SetUp()
{
    dir = fuzzsupport::ScratchDirectory("rootfiles-fuzz");
    fw::MessageBoxSeam::Set([](const fw::MessageBoxCall&) { return fw::IDOK; });
}

void Registry(const std::string& bytes)
{
    const std::string file = dir + "/system.reg";
    WriteAll(file, bytes);
    {
        fw::RegistryStore reg(file);
        reg.CreateKey(0, "Software\\Fuzz");
        if (!reg.Save()) std::abort();
    }
    const std::string saved = ReadAll(file);
    {
        fw::RegistryStore again(file);
        if (!again.KeyExists(0, "software\\FUZZ")) std::abort();
        if (!again.Save()) std::abort();
    }
    if (ReadAll(file) != saved) std::abort();
}

void Stores(const std::string& bytes)
{
    const std::string root = dir + "/root";
    fs::create_directories(root);
    const std::size_t half = bytes.size() / 2;
    WriteAll(root + "/attributes.txt", bytes.substr(0, half));
    WriteAll(root + "/pending-renames.txt", bytes.substr(half));
    std::vector<std::pair<std::string, std::string>> pending;
    {
        fw::WinRoot machine(root);
        pending = machine.PendingRenames();
        machine.SetStoredAttributes("C:\\fuzz.dll", 2);
        machine.AddPendingRename("C:\\a", "C:\\b");
        pending.push_back(machine.PendingRenames().back());
    }
    fw::WinRoot again(root);
    if (again.StoredAttributes("c:\\FUZZ.DLL") != 2) std::abort();
    if (again.PendingRenames() != pending) std::abort();
}

void Profile(const std::string& bytes)
{
    const std::string root = dir + "/profile";
    fs::create_directories(root + "/drive_c");
    WriteAll(root + "/drive_c/fuzz.ini", bytes);
    fw::WinRoot machine(root);
    fw::WinRoot::SetCurrent(&machine);
    const std::string file = "C:\\fuzz.ini";
    fw::WinProfile::GetString(file, "boot", "shell", "");
    fw::WinProfile::GetInt(file, "boot", "n", 0);
    for (const std::string& key : fw::WinProfile::GetKeys(file, "boot"))
        fw::WinProfile::GetString(file, "boot", key, "");
    if (fw::WinProfile::WriteString(file, "Fuzz", "Key", "value") &&
        fw::WinProfile::GetString(file, "fuzz", "KEY", "") != "value")
        std::abort();
    fw::WinRoot::SetCurrent(nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (dir.empty()) SetUp();
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
    case 0: Registry(bytes); break;
    case 1: Stores(bytes); break;
    case 2: Profile(bytes); break;
    }
    std::error_code ec;
    fs::remove_all(dir + "/root", ec);
    fs::remove_all(dir + "/profile", ec);
    for (auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path(), ec);
    return 0;
}
