#include "planner/STLM4viewCommands.h"

#include "globals/Globals.h"
#include "ui/RScolor.h"
#include "ui/StellumConfig.h"

namespace {
// Commands in scheme order.
const int kSchemeCommands[5] = {CM_NORMALCOLORSCHEME, CM_NIGHTVISIONSCHEME, CM_MONOPRINTERSCHEME,
                                CM_COLORPRINTERSCHEME, CM_DEFAULTCOLORSCHEME};
} // namespace

int ColorSchemeOfCommand(int command)
{
    for (int scheme = 0; scheme < 5; ++scheme)
        if (kSchemeCommands[scheme] == command) return scheme;
    return -1;
}

int CommandOfColorScheme(int scheme)
{
    return (scheme >= 0 && scheme < 5) ? kSchemeCommands[scheme] : 0;
}

bool CmColorScheme(int command)
{
    const int scheme = ColorSchemeOfCommand(command);
    if (scheme < 0) return false;
    if (AppGlobals.stellumConfig) AppGlobals.stellumConfig->colorScheme = scheme;
    RScolor::Instance().SetScheme(scheme);
    if (ScreenSchemeChanged) ScreenSchemeChanged(scheme);
    return true;
}

void ApplySavedColorScheme()
{
    if (!AppGlobals.stellumConfig) return;
    RScolor::Instance().SetScheme(AppGlobals.stellumConfig->colorScheme);
    if (ScreenSchemeChanged) ScreenSchemeChanged(AppGlobals.stellumConfig->colorScheme);
}
