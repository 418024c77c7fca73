// A dockable tool bar of buttons that carry command ids. The main window routes a pressed
// button's id like a menu command and asks the enablers for each button's state before the
// bar is shown and after every command.
#pragma once

#include <functional>
#include <string>

#include <QIcon>
#include <QToolBar>

#include "framework/gui/ControlHost.h"

class QAction;

namespace fw {

class ToolBar : public QToolBar {
public:
    explicit ToolBar(const std::string& caption, QWidget* parent = nullptr);

    // A button for the command with its picture and tip; appended unless before is given.
    QAction* AddButton(int id, const QIcon& icon, const std::string& tip, QAction* before = nullptr);
    // A button that is not on the bar yet (InsertAfter puts it there).
    QAction* MakeButton(int id, const QIcon& icon, const std::string& tip);
    QAction* AddSeparator(QAction* before = nullptr);
    // Puts an action (a button or separator made here) back after another one.
    void InsertAfter(QAction* anchor, QAction* action);
    // Takes an action off the bar (it stays owned by the bar and can be inserted again).
    void RemoveAction(QAction* action);
    bool Contains(const QAction* action) const;

    // The button of a command on the bar, null when none.
    QAction* Button(int id) const;
    // The command ids on the bar in order, 0 for a separator.
    std::vector<int> Layout() const;

    // Where pressed buttons go and where their states come from (the main window).
    void SetRouting(std::function<void(int)> command, std::function<CommandEnabler(int)> query);
    // Runs the enablers of every button now.
    void UpdateStates();

private:
    std::function<void(int)> command_;
    std::function<CommandEnabler(int)> query_;
};

// The command id an action carries (0 for none).
int CommandIdOf(const QAction* action);

} // namespace fw
