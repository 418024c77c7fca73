// The planner view's colour-scheme commands.
#include "globals/Globals.h"
#include "planner/STLM4viewCommands.h"
#include "ui/RScolor.h"
#include "ui/StellumConfig.h"

#include <gtest/gtest.h>

TEST(ViewCommands, ColourSchemeCommandsSwitchAndKeepTheScheme)
{
    const int commands[] = {18411, 18412, 18407, 18408, 18409};
    StellumConfig state;
    AppGlobals.stellumConfig = &state;
    for (int scheme = 0; scheme < 5; ++scheme) {
        EXPECT_EQ(ColorSchemeOfCommand(commands[scheme]), scheme);
        EXPECT_EQ(CommandOfColorScheme(scheme), commands[scheme]);
        EXPECT_TRUE(CmColorScheme(commands[scheme]));
        EXPECT_EQ(state.colorScheme, scheme);
        EXPECT_EQ(RScolor::Instance().Scheme(), scheme);
    }
    EXPECT_FALSE(CmColorScheme(19146));
    EXPECT_EQ(ColorSchemeOfCommand(18410), -1);

    state.colorScheme = SchemeNightVision;
    ApplySavedColorScheme();
    EXPECT_EQ(RScolor::Instance().Scheme(), SchemeNightVision);

    // Without the saved state the scheme still switches.
    AppGlobals.stellumConfig = nullptr;
    EXPECT_TRUE(CmColorScheme(18411));
    EXPECT_EQ(RScolor::Instance().Scheme(), SchemeNormal);
    RScolor::Instance().SetScheme(SchemeDefault);
}
