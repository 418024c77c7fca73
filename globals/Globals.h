// The program-wide objects and flags of the planner. Lower layers read them; the application
// shell fills them at start-up. Only forward declarations here, so that every layer can use
// the block before the classes behind it exist.
#pragma once

#include <cstdint>
#include <string>

class Configuration;
class StellumConfig;
class TStatusDlg;
namespace fw { class StatusBar; }
class ObsSite;
class JulianDate;
class Planets;
class Moon;
class RiseSetTransit;
class NGC2000Indexes;

// The application's block of pointers to the global objects, one of each. The application
// creates and deletes them; every other part of the program only reads them.
struct AppGlobalsBlock {
    Configuration* config = nullptr;
    StellumConfig* stellumConfig = nullptr;
    // The main window's status bar; it enters and clears itself.
    fw::StatusBar* statusBar = nullptr;
    ObsSite* site = nullptr;
    JulianDate* now = nullptr;
    Planets* planets = nullptr;
    Moon* moon = nullptr;
    RiseSetTransit* moonRst = nullptr;
    RiseSetTransit* sunRst = nullptr;
    RiseSetTransit* twilightRst = nullptr;
    NGC2000Indexes* database = nullptr;
};

extern AppGlobalsBlock AppGlobals;

// The one status window, or null before the main window has made it.
extern TStatusDlg* StatusWindow;

// Directory of the running program, ending in '/'; the user directory is ProgramDirectory
// followed by "User/".
extern std::string ProgramDirectory;
extern std::string UserDirectory;
// Path of the program's help.
extern std::string AppHelpPath;

// The clock-suspended flag: the clock tick does nothing while it is 1. Set while the planets'
// rise/set update runs, while a planner file replaces the date, the site and the database
// state and while the clock itself notifies the views. It is not tied to any window's focus: a
// command's own dialog takes the focus, and the command's clock update must still run.
extern std::uint8_t UpdateInProgress;
// The current time follows the computer's clock.
extern bool FollowSystemClock;
// Number of planner printouts in progress; panes do not paint on screen while it is not 0.
extern std::int32_t PrintingCount;
// True while the observing log's record form exists.
extern bool ObservingLogOpen;
// Installed by the application: when the current instant lies in another night than the one
// last computed, or the site moved, runs the night's daily calculations. Null before then.
extern void (*NightCheck)();
// Installed by the application: the screen's colour scheme is now the one given (the user
// chose it, or the planner view brought back the saved one); the application dresses its
// whole window for it. Null before then.
extern void (*ScreenSchemeChanged)(int scheme);
