// The planner's status bar: the message area (list positions, hints) and two text gadgets,
// the local sidereal time and the local time at the site. It enters itself in AppGlobals
// when made and takes itself out when destroyed, so that no one finds a freed status bar.
#pragma once

#include "framework/gui/StatusBar.h"

class StellumStatusBar : public fw::StatusBar {
public:
    static constexpr int kSiderealGadget = 1;
    static constexpr int kLocalTimeGadget = 2;

    explicit StellumStatusBar(QWidget* parent = nullptr);
    ~StellumStatusBar() override;

    // Shows the sidereal and local time of the current instant at the site; nothing
    // before both exist.
    void UpdateTimes();
    // Hides a shown bar and shows a hidden one (the Status Bar command).
    void ToggleVisible();
    bool IsVisible() const { return !isHidden(); }
};
