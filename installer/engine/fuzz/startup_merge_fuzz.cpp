// The start-up file merge fed arbitrary bytes as the present start-up file and as the file of
// lines to add (a script hands over the one, the machine holds the other). A quiet merge
// always succeeds on a writable machine; the old file is then its back-up byte for byte,
// every work file is gone, and a PATH merge only ever appends to the old line.
#include "installer/engine/EngineStrings.h"
#include "installer/engine/InstallOperations.h"
#include "installer/engine/InstallerHost.h"
#include "installer/engine/ScriptInstaller.h"
#include "installer/engine/StartupMerge.h"

#include "framework/fuzz/FuzzFiles.h"
#include "framework/gui/MessageBox.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/sys/WinRoot.h"
#include "installer/support/DialogBox.h"
#include "installer/support/MessageBoxDialog.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

using namespace kw;
namespace fs = std::filesystem;

namespace {

class QuietHost : public InstallerHost {
public:
    bool QueryAbort() override { return true; }
    std::string ProductName() const override { return "Stellum"; }
    QWidget* DialogParent() override { return nullptr; }
    void ShowHelp(int) override {}
    InstallOperations& Operations() override { return ops; }
    ScriptInstaller& Script() override { return script; }
    std::string TemporaryDirectory() const override { return "C:\\TEMP"; }
    void SetStartFilesChanged() override { ++changed; }
    InstallOperations ops;
    ScriptInstaller script;
    int changed = 0;
};

std::string hostRoot;
std::unique_ptr<fw::WinRoot> root;

void SetUp()
{
    hostRoot = fuzzsupport::ScratchDirectory("startup-merge-fuzz") + "/root";
    root = std::make_unique<fw::WinRoot>(hostRoot);
    fw::WinRoot::SetCurrent(root.get());
    fw::MessageBoxSeam::Set([](const fw::MessageBoxCall&) { return fw::IDOK; });
    MessageBoxSeam::Set([](const MessageBoxRequest&) { return 0; });
    DialogSeam::Set([](Dialog&, const std::string&) { return 1; });
    InstallOperations::SetReportHook([](const std::string&) {});
    RegisterEngineStrings();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = (SetUp(), true);
    (void)ready;
    if (size < 1) return 0;
    const bool configSys = data[0] & 1, append = data[0] & 2, present = data[0] & 4;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t cut = bytes.find('\0');
    const std::string old = cut == std::string::npos ? std::string() : bytes.substr(0, cut);
    const std::string lines = cut == std::string::npos ? bytes : bytes.substr(cut + 1);

    // A fresh drive C: with the temporary directory, the file of lines and the start-up file.
    const std::string c = hostRoot + "/drive_c";
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(c, ec))
        if (e.path().filename() != "WINDOWS") fs::remove_all(e.path(), ec);
    fs::create_directories(c + "/TEMP", ec);
    fuzzsupport::WriteAll(c + "/TEMP/lines.txt", lines);
    const std::string name = configSys ? "CONFIG.SYS" : "AUTOEXEC.BAT";
    if (present) fuzzsupport::WriteAll(c + "/" + name, old);

    QuietHost host;
    StartupMergeRequest request;
    request.configSys = configSys;
    request.append = append;
    request.quiet = true;
    request.linesFile = "C:\\TEMP\\lines.txt";
    if (!MergeStartupFile(host, request) || host.changed != 1) std::abort();
    if (!fs::is_empty(c + "/TEMP")) std::abort();
    if (present) {
        const std::string backup = configSys ? "/CONFIG.bak" : "/AUTOEXEC.bak";
        if (fuzzsupport::ReadAll(c + backup) != old) std::abort();
    }
    for (const auto& e : fs::directory_iterator(c, ec)) {
        const std::string f = e.path().filename().string();
        if (f.rfind("autox", 0) == 0 || f.rfind("confg", 0) == 0) std::abort();
    }

    // A PATH merge keeps the old line and only appends.
    const std::string first = old.substr(0, old.find('\n')), second = lines.substr(0, lines.find('\n'));
    if (LinesMerge(false, first, second)) {
        std::string stem = first;
        while (!stem.empty() && std::isspace(static_cast<unsigned char>(stem.back()))) stem.pop_back();
        if (!stem.empty() && stem.back() == ';') stem.pop_back();
        if (MergePathLines(first, second).compare(0, stem.size(), stem) != 0) std::abort();
    }
    return 0;
}
