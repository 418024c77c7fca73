#include "installer/engine/PackageSetup.h"

#include "framework/gui/MessageBox.h"
#include "framework/sys/RegistryStore.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"
#include "installer/engine/MoveRequest.h"
#include "installer/engine/WinMain.h"
#include "installer/support/FilePath.h"
#include "installer/support/IniFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace kw {

bool ReportDamagedRegistry(fw::WinRoot& root)
{
    if (!root.Registry().Damaged()) return false;
    const std::string file = (fs::path(root.HostRoot()) / "system.reg").string();
    fw::MessageBox(nullptr,
                   "The registry of the machine in " + root.HostRoot() +
                       " could not be read. It starts empty; the damaged file is kept beside it as " + file +
                       ".bad before the registry is next written.",
                   "kwmain", fw::MB_OK | fw::MB_ICONEXCLAMATION);
    return true;
}

std::string WindowsPathOfHost(fw::WinRoot& root, const std::string& host)
{
    // Paths with their closing "/", so that a drive's own directory matches too.
    std::string h = fs::weakly_canonical(host).string();
    if (h.empty() || h.back() != '/') h += '/';
    for (char letter : root.DriveLetters()) {
        const fw::DriveInfo* drive = root.Drive(letter);
        std::string base = fs::weakly_canonical(drive->hostDir).string();
        if (!base.empty() && base.back() != '/') base += '/';
        if (h.compare(0, base.size(), base) != 0) continue;
        std::string rest = h.substr(base.size());
        if (!rest.empty() && rest.back() == '/') rest.pop_back();
        std::replace(rest.begin(), rest.end(), '/', '\\');
        return std::string(1, letter) + ":\\" + rest;
    }
    return {};
}

int InstallFromPackage(fw::WinRoot& root, const std::string& installerHost, const std::string& packageHost,
                       std::string& error, int* runResult)
{
    error.clear();
    if (runResult) *runResult = 1;
    std::error_code ec;
    const fs::path package(packageHost), self(installerHost);
    if (!fs::exists(package / "install.inf", ec)) {
        error = "the package directory " + packageHost + " has no install.inf";
        return 2;
    }
    char letter = 'D';
    while (letter <= 'Z' && root.Drive(letter)) ++letter;
    if (letter > 'Z' || !root.AddDrive(letter, fw::DriveType::CdRom, "Stellum", fs::canonical(package, ec).string())) {
        error = "no free drive letter for the package";
        return 2;
    }
    long long bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(package, ec))
        if (entry.is_regular_file(ec)) bytes += static_cast<long long>(entry.file_size(ec));
    const std::string temporary = root.WindowsDirectory() + "\\TEMP";
    const std::string programDirectory = temporary + "\\KWSETUP";
    const bool madeTemporary = !fw::WinFileSystem::IsDirectory(temporary) && fw::WinFileSystem::CreateDirectory(temporary);
    fw::WinFileSystem::CreateDirectory(programDirectory);
    std::string host;
    if (!fw::WinFileSystem::IsDirectory(programDirectory) || !root.ToHost(programDirectory, host)) {
        error = "cannot make the installer's directory " + programDirectory;
        return 2;
    }
    const fs::path dir(host);
    fs::copy_file(package / "install.inf", dir / "install.inf", fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::copy_file(self, dir / "kwmain", fs::copy_options::overwrite_existing, ec);
    if (ec) {
        error = "cannot copy the installer: " + ec.message();
        fs::remove_all(dir, ec);
        if (madeTemporary) fw::WinFileSystem::RemoveDirectory(temporary);
        return 2;
    }
    const std::string ini = programDirectory + "\\kwmain.ini";
    const std::string source = std::string(1, letter) + ":\\";
    PutProfileString(ini.c_str(), "x", "p", source.c_str());
    PutProfileLong(ini.c_str(), "x", "sz", static_cast<long>(std::max(1LL, bytes / 1024)));
    PutProfileString(ini.c_str(), "x", "cmdl", "");
    const int code = WinMain(programDirectory);
    const int result = GetProfileInt(ini.c_str(), "x", "r", 1);
    if (runResult) *runResult = result;
    // The installer's request to remove its own program file once it has ended: done here,
    // with the whole temporary directory.
    MoveRequest request;
    long requester = 0;
    if (ReadMoveRequest(request, requester) && IsInsideDirectory(request.file.c_str(), programDirectory.c_str()))
        DeleteProfileSection(kMoveRequestFile, "x");
    fs::remove_all(dir, ec);
    if (madeTemporary) fw::WinFileSystem::RemoveDirectory(temporary);
    // Results 0, 2 and 4 are a finished install (2 and 4 ask for a restart); 1 and 6 an aborted one.
    return code != 0 ? code : (result == 0 || result == 2 || result == 4) ? 0 : 1;
}

} // namespace kw
