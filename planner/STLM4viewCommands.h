// The planner view's colour-scheme commands with the least handling they need before the
// view itself exists. (The pane-layout commands that the panes post to the view are the
// panes' own: CM_NORMALPANES ... in ui/DropWindowPane.h.)
#pragma once

// Colour-scheme commands: schemes 0 normal, 1 night vision, 2 monochrome printer, 3 colour
// printer, 4 default.
constexpr int CM_NORMALCOLORSCHEME = 18411;
constexpr int CM_NIGHTVISIONSCHEME = 18412;
constexpr int CM_MONOPRINTERSCHEME = 18407;
constexpr int CM_COLORPRINTERSCHEME = 18408;
constexpr int CM_DEFAULTCOLORSCHEME = 18409;

// The scheme a colour-scheme command chooses, or -1 for any other command.
int ColorSchemeOfCommand(int command);
// The command that chooses a scheme (0-4), or 0.
int CommandOfColorScheme(int scheme);

// A colour-scheme command: keeps the scheme in the user's saved state (when it exists) and
// switches the colours to it. False for any other command.
bool CmColorScheme(int command);

// What the planner view does when it is made: takes the scheme of the saved state (when it
// exists) as the current one.
void ApplySavedColorScheme();
