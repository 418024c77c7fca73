#include "installer/engine/WinMain.h"

#include "installer/engine/InstallController.h"
#include "installer/engine/UninstallController.h"
#include "installer/support/FilePath.h"
#include "installer/support/IniFile.h"
#include "installer/support/PathBuffer.h"

#include <memory>

namespace kw {

int WinMain(const std::string& programDirectory)
{
    PathBuffer ini, module;
    if (!JoinPath(ini, programDirectory.c_str(), "kwmain.ini") ||
        !JoinPath(module, programDirectory.c_str(), "kwmain"))
        return 1;
    SetModulePath(module.Text());
    const bool installing = PathExists(ini.Text());
    std::unique_ptr<Controller> controller;
    if (installing) controller = std::make_unique<InstallController>(programDirectory);
    else controller = std::make_unique<UninstallController>(programDirectory);
    if (!controller->Init()) return 1;
    const int result = controller->Run();
    controller->Finish();
    controller.reset();
    if (installing) PutProfileInt(ini.Text(), "x", "r", result);
    return 0;
}

} // namespace kw
