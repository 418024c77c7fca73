#include "app/StellumMenus.h"

#include "framework/gui/DocManager.h"
#include "framework/gui/MDIClient.h"

using fw::MenuDescr;
using fw::MenuItem;

namespace {

fw::MenuItem Item(int id, const char* text)
{
    return fw::MenuItem::Command(id, text);
}

fw::MenuItem Sep()
{
    return fw::MenuItem::Separator();
}

// The Search menu of both document windows.
fw::MenuItem SearchPopup()
{
    return fw::MenuItem::Popup("&Search", {Item(CM_EDITFIND, "&Find...\tF2"), Sep(),
                                       Item(CM_FIRST, "&First\tHome"),
                                       Item(CM_PREVIOUS, "&Previous\tPgUp"),
                                       Item(CM_NEXT, "&Next\tPgDn"), Item(CM_LAST, "&Last\tEnd")});
}

} // namespace

fw::MenuDescr MainMenu()
{
    return fw::MenuDescr({
        fw::MenuItem::Popup("&File",
                        {Item(fw::CM_FILENEW, "&New..."), Item(fw::CM_FILEOPEN, "&Open..."),
                         Item(fw::CM_FILECLOSE, "&Close"), Item(fw::CM_FILESAVE, "&Save"),
                         Item(fw::CM_FILESAVEAS, "Save &As..."), Sep(),
                         Item(CM_FILEIMPORT, "&Import..."), Item(CM_FILEEXPORT, "&Export..."), Sep(),
                         Item(CM_FILEPRINTSETUP, "P&rint Setup..."), Item(CM_FILEPRINT, "&Print..."),
                         Item(CM_FILEPRINTPREVIEW, "Print Pre&view..."), Sep(), Item(fw::CM_EXIT, "E&xit")}),
        fw::MenuItem::Popup("&Edit",
                        {Item(CM_EDITUNDO, "&Undo\tAlt+BkSp"), Sep(), Item(CM_EDITCUT, "&Cut"),
                         Item(CM_EDITCOPY, "C&opy"), Item(CM_EDITPASTE, "&Paste"),
                         Item(CM_EDITDELETE, "&Delete"), Item(CM_EDITCLEARALL, "C&lear All")}),
        fw::MenuItem::Popup("&Search", {Item(CM_EDITFIND, "&Find...\tF2"),
                                    Item(CM_EDITREPLACE, "&Replace..."),
                                    Item(CM_EDITFINDNEXT, "&Next")}),
        fw::MenuItem::Popup("&View",
                        {Item(CM_FILTEREDLIST, "&Filtered List\tF"),
                         Item(CM_OBSERVINGLIST, "&Observing List\tO"),
                         Item(CM_OBSERVINGLOG, "Observing &Log\tL"), Sep(),
                         Item(CM_MOON, "&Moon\tM"), Item(CM_SUN, "&Sun\tS"),
                         fw::MenuItem::Popup("&Planets",
                                         {Item(CM_MERCURY, "&Mercury"), Item(CM_VENUS, "&Venus"),
                                          Item(CM_MARS, "Ma&rs"), Item(CM_JUPITER, "&Jupiter"),
                                          Item(CM_SATURN, "&Saturn"), Item(CM_URANUS, "&Uranus"),
                                          Item(CM_NEPTUNE, "&Neptune"), Item(CM_PLUTO, "&Pluto")}),
                         Sep(), Item(CM_CLOCKS, "&Clocks\tF10"),
                         Item(CM_REFRESHWINDOW, "&Refresh Window")}),
        fw::MenuItem::Popup(
            "&Preferences",
            {Item(CM_OBSERVINGSESSION, "&Observing Session..."), Item(CM_LOGSETUP, "&Log..."), Sep(),
             fw::MenuItem::Popup("&Site", {Item(CM_SITELOCATION, "&Lat + Long..."),
                                       Item(CM_TIMEZONE, "&Time Zone...")}),
             fw::MenuItem::Popup("&Time + Date",
                             {Item(CM_SYSTEMTIME, "&System"), Item(CM_MANUALTIME, "&Manual...")}),
             fw::MenuItem::Popup("&Display",
                             {Item(18411, "Normal Color Scheme"), Item(18412, "Night Vision Color Scheme"),
                              Item(18408, "Color Printer Scheme"),
                              Item(18407, "Monochrome Printer Color Scheme"),
                              Item(18409, "Default Color Scheme"), Sep(),
                              Item(CM_CHARTPANESETTINGS, "Chart Pane Settings..."),
                              Item(CM_ALTITUDEPANESETTINGS, "Altitude Pane Settings..."),
                              Item(CM_TEXTPANESETTINGS, "Text Pane Settings..."), Sep(),
                              Item(CM_TOOLBAR, "Tool Bar\tF6"), Item(CM_STATUSBAR, "Status Bar\tF8")})}),
        fw::MenuItem::Popup("&Window", {Item(fw::CM_CASCADECHILDREN, "&Cascade"),
                                    Item(fw::CM_TILECHILDREN, "&Tile"),
                                    Item(fw::CM_ARRANGEICONS, "Arrange &Icons")}),
        fw::MenuItem::Popup("&Help", {Item(CM_HELPCONTENTS, "&Contents\tF1"),
                                  Item(CM_HELPCURSOR, "Help Cursor\tShift+F1"),
                                  Item(CM_HELPHINTS, "&Helpful Hints"), Item(CM_HELPUSING, "&Using help"),
                                  Item(CM_HELPTOPIC7, "&Tutorial"), Sep(),
                                  Item(CM_CUSTOMERSERVICE, "Customer &Service"), Sep(),
                                  Item(CM_HELPABOUT, "&About Stellum...")}),
    });
}

fw::MenuDescr PlannerMenu()
{
    return fw::MenuDescr({
        SearchPopup(),
        fw::MenuItem::Popup("Pla&nner", {Item(CM_ADDTOOBSLIST, "&Add to Observing List\tIns"),
                                     Item(CM_REMOVEFROMOBSLIST, "&Remove from Obs List\tDel"),
                                     Item(CM_ADDALLTOOBSLIST, "A&dd All to Obs List\tCtrl+Ins"),
                                     Item(CM_CLEAROBSLIST, "Clear &Obs List\tCtrl+Del"), Sep(),
                                     Item(CM_TRANSFERTOLOG, "&Transfer to Log\tCtrl+L"), Sep(),
                                     Item(CM_FILTER, "&Filter...\tCtrl+F"),
                                     Item(CM_SORT, "&Sort...\tCtrl+S")}),
    });
}

fw::MenuDescr LogMenu()
{
    return fw::MenuDescr({
        SearchPopup(),
        fw::MenuItem::Popup("&Log", {Item(CM_NEWENTRY, "&New Entry"), Item(CM_DELETEENTRY, "&Delete Entry"),
                                 Sep(), Item(CM_FILTER, "&Filter Log...")}),
    });
}

std::vector<fw::Accelerator> MainAccelerators()
{
    std::vector<fw::Accelerator> table = {
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), CM_EDITUNDO},
        {QKeySequence(Qt::Key_F1), CM_HELPCONTENTS},
        {QKeySequence(Qt::Key_F2), CM_EDITFIND},
        {QKeySequence(Qt::Key_F6), CM_TOOLBAR},
        {QKeySequence(Qt::Key_F7), 134},
        {QKeySequence(Qt::Key_F8), CM_STATUSBAR},
        {QKeySequence(Qt::Key_F9), 142},
        {QKeySequence(Qt::Key_F10), CM_CLOCKS},
        {QKeySequence(Qt::Key_Insert), CM_ADDTOOBSLIST},
        {QKeySequence(Qt::Key_Delete), CM_REMOVEFROMOBSLIST},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), CM_ADDALLTOOBSLIST},
        {QKeySequence(Qt::CTRL | Qt::Key_Delete), CM_CLEAROBSLIST},
        {QKeySequence(Qt::Key_Home), CM_FIRST},
        {QKeySequence(Qt::Key_PageUp), CM_PREVIOUS},
        {QKeySequence(Qt::Key_PageDown), CM_NEXT},
        {QKeySequence(Qt::Key_End), CM_LAST},
        {QKeySequence(Qt::CTRL | Qt::Key_F), CM_FILTER},
        {QKeySequence(Qt::CTRL | Qt::Key_S), CM_SORT},
        {QKeySequence(Qt::CTRL | Qt::Key_L), CM_TRANSFERTOLOG},
    };
    // Letter keys, with or without Shift.
    const std::pair<Qt::Key, int> letters[] = {{Qt::Key_F, CM_FILTEREDLIST},
                                               {Qt::Key_O, CM_OBSERVINGLIST},
                                               {Qt::Key_L, CM_OBSERVINGLOG},
                                               {Qt::Key_M, CM_MOON},
                                               {Qt::Key_S, CM_SUN}};
    for (const auto& [key, id] : letters) {
        table.push_back({QKeySequence(key), id});
        table.push_back({QKeySequence(Qt::SHIFT | key), id});
    }
    return table;
}
