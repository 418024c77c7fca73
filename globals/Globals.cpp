#include "globals/Globals.h"

#include "framework/stream/StateReset.h"

AppGlobalsBlock AppGlobals;
TStatusDlg* StatusWindow = nullptr;
std::string ProgramDirectory;
std::string UserDirectory;
std::string AppHelpPath;
std::uint8_t UpdateInProgress = 0;
bool FollowSystemClock = false;
std::int32_t PrintingCount = 0;
bool ObservingLogOpen = false;
void (*NightCheck)() = nullptr;
void (*ScreenSchemeChanged)(int scheme) = nullptr;

namespace {
const fw::StateReset resetGlobals{[] {
    AppGlobals = AppGlobalsBlock();
    StatusWindow = nullptr;
    ProgramDirectory.clear();
    UserDirectory.clear();
    AppHelpPath.clear();
    UpdateInProgress = 0;
    FollowSystemClock = false;
    PrintingCount = 0;
    ObservingLogOpen = false;
    NightCheck = nullptr;
    ScreenSchemeChanged = nullptr;
}};
} // namespace
