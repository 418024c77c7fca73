// The planner's menus and accelerators: the main window's menu (500), the planner window's
// Search and Planner menus (501) and the log window's Search and Log menus (502), merged in
// while their window is active, and the main window's accelerator table (500).
#pragma once

#include <vector>

#include "framework/gui/MDIFrame.h"
#include "framework/gui/MenuDescr.h"
#include "globals/EditCommands.h"
#include "globals/ListCommands.h"

// Command ids of the menus that the application shell names.
enum StellumCommand : int {
    CM_CLEAROBSLIST = 3,
    CM_SITELOCATION = 101,
    CM_CLOCKS = 102,
    CM_MANUALTIME = 106,
    CM_TIMEZONE = 107,
    CM_ADDALLTOOBSLIST = 111,
    CM_SUN = 118,
    CM_FILTER = 121,
    CM_SORT = 122,
    CM_TRANSFERTOLOG = 125,
    CM_DELETEENTRY = 133,
    CM_STATUSBAR = 135,
    CM_LOGSETUP = 140,
    CM_SYSTEMTIME = 141,
    CM_CHARTPANESETTINGS = 143,
    CM_ALTITUDEPANESETTINGS = 144,
    CM_TEXTPANESETTINGS = 145,
    CM_TOOLBAR = 146,
    CM_OBSERVINGSESSION = 147,
    CM_MOON = 148,
    CM_ADDTOOBSLIST = 170,
    CM_REMOVEFROMOBSLIST = 180,
    CM_NEWENTRY = 190,
    CM_HELPCONTENTS = 2001,
    CM_HELPUSING = 2002,
    CM_HELPHINTS = 2003,
    CM_HELPCURSOR = 2004,
    CM_HELPABOUT = 2009,
    CM_HELPTOPIC7 = 7,
    CM_CUSTOMERSERVICE = 58,
    CM_MERCURY = 9070,
    CM_PLUTO = 9071,
    CM_NEPTUNE = 9072,
    CM_URANUS = 9073,
    CM_SATURN = 9074,
    CM_JUPITER = 9075,
    CM_MARS = 9076,
    CM_VENUS = 9077,
    CM_FILTEREDLIST = 9078,
    CM_OBSERVINGLIST = 9079,
    CM_OBSERVINGLOG = 9080,
    CM_REFRESHWINDOW = 9081,
    CM_FILEIMPORT = 24336,
    CM_FILEPRINT = 24337,
    CM_FILEPRINTSETUP = 24338,
    CM_FILEPRINTPREVIEW = 24340,
    CM_FILEEXPORT = 24343,
    CM_FILESEND = 24345,
    CM_EDITUNDO = 24321,
    CM_EDITCUT = 24322,
    CM_EDITCOPY = 24323,
    CM_EDITPASTE = 24324,
    CM_EDITCLEARALL = 24326,
    CM_EDITFIND = 24351,
    CM_EDITREPLACE = 24352,
    CM_EDITFINDNEXT = 24353,
    // Sent to the main window: the tool bar's observing-list button pair follows the
    // current object; the clock update runs at once.
    CM_TOOLBARSTATE = 6800,
    CM_UPDATECLOCK = 6802,
};

// Menu resources.
fw::MenuDescr MainMenu();    // 500
fw::MenuDescr PlannerMenu(); // 501
fw::MenuDescr LogMenu();     // 502

// Accelerator table 500.
std::vector<fw::Accelerator> MainAccelerators();
