// The planner's tool bar: list navigation, the observing-list button pair (Add while the
// current object is not on the observing list, Remove while it is), transfer to the log,
// filter, sort, clocks, find, print and the help cursor.
#pragma once

#include "framework/gui/ToolBar.h"

class MainToolbar : public fw::ToolBar {
public:
    static constexpr int kWindowId = 32041;
    // Which button of the pair is on the bar.
    enum PairState { kAddShown = 0, kRemoveShown = 1 };

    explicit MainToolbar(QWidget* parent = nullptr);

    // Puts the buttons on the bar in their order, the Add button of the pair first.
    void AddButtons();
    int GetPairState() const { return pairState_; }
    // Swaps the pair to the Add (Remove) button in the same place after the first
    // separator; nothing when it shows it already. True when it changed.
    bool ShowAddButton();
    bool ShowRemoveButton();

private:
    bool SwapPair(QAction* shown, QAction* hidden, int newState);

    QAction* s1_ = nullptr;
    QAction* add_ = nullptr;
    QAction* remove_ = nullptr;
    int pairState_ = kAddShown;
};

// The tool bar's picture of a command.
QIcon ToolbarIcon(int id);
