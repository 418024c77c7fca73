#include "app/StellumStatusBar.h"

#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "globals/Globals.h"

StellumStatusBar::StellumStatusBar(QWidget* parent) : fw::StatusBar(parent)
{
    AddTextGadget(kSiderealGadget, 7);
    AddTextGadget(kLocalTimeGadget, 16);
    AppGlobals.statusBar = this;
}

StellumStatusBar::~StellumStatusBar()
{
    if (AppGlobals.statusBar == this) AppGlobals.statusBar = nullptr;
}

void StellumStatusBar::UpdateTimes()
{
    const ObsSite* site = AppGlobals.site;
    const JulianDate* now = AppGlobals.now;
    if (!site || !now) return;
    // Sidereal time as hours and minutes; local time as hours and minutes, then the date
    // with the month's name.
    SetGadgetText(kSiderealGadget, " LST  " + site->LocalSiderealClock(*now).Format(2, 11, 0));
    SetGadgetText(kLocalTimeGadget, site->ToLocal(*now).Format(2, 8, 2));
}

void StellumStatusBar::ToggleVisible()
{
    if (!parentWidget()) return;
    setVisible(isHidden());
}
