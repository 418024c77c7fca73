// kwmain: Stellum's installer and uninstaller on the emulated Windows machine.
//
//   kwmain [--root DIR] [--package DIR]
//
// The machine is the directory given with --root, else $STELLUM_WINROOT, else the machine
// this program lies in (when it was installed there), else "stellum/winroot" under the
// user's data directory. Run from inside the machine, the program is the side that its
// directory calls for: the installer beside "kwmain.ini", else the uninstaller. With
// --package, it first sets up an install from that package directory (built by the project's
// packer): the package becomes a CD-ROM drive of the machine, and the installer runs from a
// temporary directory of the machine with "install.inf" and "kwmain.ini" beside it.
#include "framework/sys/DynamicLibrary.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"
#include "installer/engine/PackageSetup.h"
#include "installer/engine/WinMain.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

int Usage(const char* message)
{
    std::fprintf(stderr, "kwmain: %s\nusage: kwmain [--root DIR] [--package DIR]\n", message);
    return 2;
}

// The machine that holds a host path: the directory above its "drive_<letter>" component.
std::string MachineHolding(const fs::path& host)
{
    for (fs::path p = host; p.has_parent_path() && p != p.parent_path(); p = p.parent_path()) {
        const std::string name = p.filename().string();
        if (name.size() == 7 && name.compare(0, 6, "drive_") == 0) return p.parent_path().string();
    }
    return {};
}

std::string DefaultMachine()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return (fs::path(data) / "stellum" / "winroot").string();
    const char* home = std::getenv("HOME");
    return (fs::path(home ? home : ".") / ".local" / "share" / "stellum" / "winroot").string();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    QApplication::setApplicationName("kwmain");
    std::string rootDir, package;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        const std::string a = args[i].toStdString();
        if ((a == "--root" || a == "--package") && i + 1 < args.size()) {
            (a == "--root" ? rootDir : package) = args[++i].toStdString();
        } else {
            return Usage(("unknown argument " + a).c_str());
        }
    }
    const fs::path self = fs::canonical("/proc/self/exe");
    if (rootDir.empty()) {
        if (const char* env = std::getenv("STELLUM_WINROOT"); env && *env) rootDir = env;
    }
    if (rootDir.empty()) rootDir = MachineHolding(self);
    if (rootDir.empty()) rootDir = DefaultMachine();
    std::error_code ec;
    fs::create_directories(rootDir, ec);
    rootDir = fs::canonical(rootDir, ec).string();
    if (ec) return Usage(("cannot use the machine directory " + rootDir).c_str());
    // Programs that the installer starts find the same machine.
    ::setenv("STELLUM_WINROOT", rootDir.c_str(), 1);
    fw::DynamicLibrary::AddSearchDirectory(self.parent_path().string());
    fw::WinRoot root(rootDir);
    fw::WinRoot::SetCurrent(&root);
    kw::ReportDamagedRegistry(root);
    int code = 0;
    if (!package.empty()) {
        std::string error;
        int result = 1;
        code = kw::InstallFromPackage(root, self.string(), package, error, &result);
        if (!error.empty()) return Usage(error.c_str());
        std::printf("kwmain: install finished with result %d\n", result);
    } else {
        const std::string programDirectory = kw::WindowsPathOfHost(root, self.parent_path().string());
        if (programDirectory.empty())
            code = Usage("this program does not lie in the machine: give --package to install");
        else
            code = kw::WinMain(programDirectory);
    }
    fw::WinRoot::SetCurrent(nullptr);
    return code;
}
