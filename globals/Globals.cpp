#include "globals/Globals.h"

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
