// What the installer's dialogs, screens and start-up file merge need of the running install
// controller. The controller implements it; tests hand in a small fake.
#pragma once

#include <string>

class QWidget;

namespace kw {

class InstallOperations;
class ScriptInstaller;

class InstallerHost {
public:
    virtual ~InstallerHost() = default;

    // The abort question ("Installation is incomplete ..."); true when the user confirms.
    virtual bool QueryAbort() = 0;
    // The product name of the script, for captions.
    virtual std::string ProductName() const = 0;
    // The window the installer's dialogs are modal to (the install screen), or null.
    virtual QWidget* DialogParent() = 0;
    // Opens the installer's help file at a context.
    virtual void ShowHelp(int context) = 0;
    // The installer's operations (free space, directories, replace with back-up).
    virtual InstallOperations& Operations() = 0;
    // The running script: its project (components, events) and the selection array.
    virtual ScriptInstaller& Script() = 0;
    // A directory for the installer's work files (Windows path).
    virtual std::string TemporaryDirectory() const = 0;
    // Set when "c:\config.sys" or "c:\autoexec.bat" was replaced: the run then asks for a
    // restart.
    virtual void SetStartFilesChanged() = 0;
};

} // namespace kw
