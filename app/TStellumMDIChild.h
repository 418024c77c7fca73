// The MDI child of a planner document window: frames a view and knows whether it holds the
// planner view, the log view or another view.
#pragma once

#include "framework/gui/MDIChild.h"

class TStellumMDIChild : public fw::MDIChild {
public:
    enum Kind { kOther = 0, kLog = 1, kPlanner = 2 };
    static const char* const kLogViewName;     // "LOGVIEW"
    static const char* const kPlannerViewName; // "STLM4view Window View"

    TStellumMDIChild(fw::MDIClient& client, fw::View& view, fw::MenuDescr menu);
    int GetKind() const { return kind_; }
    // 3 minimised, 9 maximised, else 5 (the window-state word of an open window).
    int WindowStateWord() const;

private:
    int kind_;
};
