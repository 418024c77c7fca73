// The emulated root's path resolution and file operations on paths built from any bytes,
// with links planted inside the root that point out of it (to a directory, to a file, to
// nothing, as a drive, as wininit.ini and as the root's stores). Whatever the operations,
// nothing outside the root is read into it, written, created or deleted: the tree outside is
// compared with its first state after every input.
#include "framework/gui/MessageBox.h"
#include "framework/sys/RegistryStore.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"

#include "framework/fuzz/FuzzFiles.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string dir;
std::string outside;
std::map<std::string, std::string> before;
fw::WinRoot* machine = nullptr;

using fuzzsupport::ReadAll;
using fuzzsupport::WriteAll;

std::map<std::string, std::string> Tree(const std::string& top)
{
    std::map<std::string, std::string> tree;
    for (auto& e : fs::recursive_directory_iterator(top)) {
        const std::string p = e.path().string();
        if (e.is_symlink()) tree[p] = "-> " + fs::read_symlink(e.path()).string();
        else if (e.is_regular_file()) tree[p] = ReadAll(p);
        else tree[p] = "<dir>";
    }
    return tree;
}

// The links planted in the root, which each input's clean-up leaves in place.
const char* const kPlanted[] = {"out", "dangle", "file"};

void SetUp()
{
    dir = fuzzsupport::ScratchDirectory("root-fuzz");
    outside = dir + "/outside";
    fs::create_directories(outside + "/drive");
    WriteAll(outside + "/victim", "victim");
    WriteAll(outside + "/drive/secret.txt", "secret");
    WriteAll(outside + "/wininit.ini", "[rename]\nNUL=C:\\x\nC:\\y=C:\\x\n");
    WriteAll(outside + "/attributes.txt", "C:\\X\t2 0 0 0 0 0 0 0 0\n");
    WriteAll(outside + "/pending-renames.txt", "C:\\x\t\n");
    {
        fw::RegistryStore planted(outside + "/system.reg");
        planted.CreateKey(0, "Planted");
    }
    const std::string root = dir + "/root";
    fs::create_directories(root + "/drive_c/WINDOWS");
    for (const char* store : {"system.reg", "attributes.txt", "pending-renames.txt"})
        fs::create_symlink(outside + "/" + store, root + "/" + store);
    fs::create_directory_symlink(outside + "/drive", root + "/drive_d");
    fs::create_directory_symlink(outside, root + "/drive_c/out");
    fs::create_symlink(outside + "/created", root + "/drive_c/dangle");
    fs::create_symlink(outside + "/victim", root + "/drive_c/file");
    fs::create_symlink(outside + "/wininit.ini", root + "/drive_c/WINDOWS/wininit.ini");
    machine = new fw::WinRoot(root);
    machine->AddDrive('D', fw::DriveType::Fixed);
    machine->AddDrive('E', fw::DriveType::Removable);
    fw::WinRoot::SetCurrent(machine);
    fw::MessageBoxSeam::Set([](const fw::MessageBoxCall&) { return fw::IDOK; });
    before = Tree(outside);
}

// Path pieces the fuzzer combines: drive forms, separators, dots, the planted names, names
// the root gives meaning to, patterns and characters Windows refuses.
const char* const kPieces[] = {
    "C:", "D:", "E:", "c:", "Z:", "\\", "/", "\\\\", "..", ".", "...", "out", "OUT", "dangle", "file",
    "WINDOWS", "wininit.ini", "wininit.bak", "SYSTEM", "x", "y", "X.TXT", "long name.html", "LONGNA~1.HTM",
    "~1", "*", "?", "*.*", " ", "a:b", "\n", "drive_c", "..\\..\\..", "outside", "victim", "system.reg",
};
constexpr std::size_t kPieceCount = sizeof kPieces / sizeof kPieces[0];

struct Input {
    const std::uint8_t* p;
    const std::uint8_t* end;
    bool More() const { return p < end; }
    std::uint8_t Byte() { return p < end ? *p++ : 0; }
    // A path of up to eight pieces; a piece byte past the table stands for itself.
    std::string Path()
    {
        std::string s;
        const int n = 1 + Byte() % 8;
        for (int i = 0; i < n && More(); ++i) {
            const std::uint8_t b = Byte();
            if (b < kPieceCount) s += kPieces[b];
            else s += static_cast<char>(b);
        }
        return s;
    }
};

void Apply(Input& in)
{
    using FS = fw::WinFileSystem;
    const std::uint8_t op = in.Byte();
    const std::string a = in.Path();
    switch (op % 18) {
    case 0:
    case 1: {
        static const char* const modes[] = {"rb", "wb", "ab", "r+b", "a+t", "w+", "rt", "wt"};
        if (FILE* f = FS::Open(a, modes[in.Byte() % 8])) {
            std::fputs("written", f);
            char buf[16];
            std::fread(buf, 1, sizeof buf, f);
            std::fclose(f);
        }
        break;
    }
    case 2: FS::CreateDirectory(a); break;
    case 3: FS::RemoveDirectory(a); break;
    case 4: FS::DeleteFile(a); break;
    case 5: FS::MoveFileEx(a, in.Path(), in.Byte() & 1 ? std::uint32_t(fw::kMoveReplaceExisting) : 0u); break;
    case 6: FS::CopyFile(a, in.Path(), in.Byte() & 1); break;
    case 7: FS::SetAttributes(a, in.Byte()); break;
    case 8: FS::SetFileTimes(a, 1000000, 1000000); break;
    case 9: FS::FileSize(a); break;
    case 10: {
        fw::WinFind find;
        fw::WinFindData d;
        for (bool ok = find.First(a, d); ok; ok = find.Next(d)) {}
        break;
    }
    case 11: FS::SetCurrentDirectory(a); break;
    case 12: {
        std::string out;
        FS::ActualPath(a, out);
        FS::ShortPath(a, out);
        break;
    }
    case 13: machine->AddPendingRename(a, in.Byte() & 1 ? in.Path() : std::string()); break;
    case 14: machine->Restart(); break;
    case 15: machine->SetStoredAttributes(a, in.Byte()); break;
    case 16: machine->Registry().CreateKey(in.Byte() % 5, a); break;
    case 17: {
        std::string host;
        machine->ToHost(a, host);
        break;
    }
    }
}

// Everything the input made on drive C: goes, the planted links stay.
void CleanUp()
{
    const std::string c = dir + "/root/drive_c";
    for (auto& e : fs::directory_iterator(c)) {
        const std::string name = e.path().filename().string();
        bool planted = name == "WINDOWS";
        for (const char* p : kPlanted) planted = planted || name == p;
        std::error_code ec;
        if (!planted) fs::remove_all(e.path(), ec);
    }
    std::error_code ignored;
    fs::create_directories(c + "/WINDOWS", ignored);
    for (auto& e : fs::directory_iterator(c + "/WINDOWS", ignored)) {
        std::error_code ec;
        if (e.path().filename() != "wininit.ini") fs::remove_all(e.path(), ec);
    }
    std::error_code ec;
    for (auto& e : fs::directory_iterator(dir + "/root/drive_e", ec)) fs::remove_all(e.path(), ec);
    // Links the input removed or moved are planted again.
    const std::pair<std::string, std::string> links[] = {
        {outside + "/created", c + "/dangle"},
        {outside + "/victim", c + "/file"},
        {outside + "/wininit.ini", c + "/WINDOWS/wininit.ini"},
    };
    for (const auto& [target, link] : links)
        if (!fs::is_symlink(fs::symlink_status(link, ec))) {
            fs::remove_all(link, ec);
            fs::create_symlink(target, link, ec);
        }
    if (!fs::is_symlink(fs::symlink_status(c + "/out", ec))) {
        fs::remove_all(c + "/out", ec);
        fs::create_directory_symlink(outside, c + "/out", ec);
    }
    fw::WinFileSystem::SetCurrentDirectory("C:\\");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!machine) SetUp();
    Input in{data, data + size};
    for (int n = 0; n < 16 && in.More(); ++n) Apply(in);
    if (Tree(outside) != before) {
        std::fprintf(stderr, "a file outside the root was touched\n");
        std::abort();
    }
    CleanUp();
    return 0;
}
