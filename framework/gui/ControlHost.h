// What windows and dialogs share: controls registered under numeric ids, commands by id
// (sent at once or queued), command enablers, timers keyed by id, validators, and the rule
// that keeps a window alive while one of its operations is running.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QMetaObject>
#include <QPointer>

class QWidget;
class QTimer;

namespace fw {
class Validator;

// Check states of check boxes and radio buttons.
constexpr int BF_UNCHECKED = 0;
constexpr int BF_CHECKED = 1;
constexpr int BF_GRAYED = 2;

// Notifications that controls send to their window (with the control's id).
constexpr int LBN_SELCHANGE = 1; // the user changed a list box's selection
constexpr int LBN_DBLCLK = 2;    // the user double-clicked a list item
constexpr int CBN_SELCHANGE = 1; // the user picked a combo box item
constexpr int CBN_EDITCHANGE = 5; // the user edited a combo box's text
constexpr int CBN_KILLFOCUS = 4;  // a combo box lost the keyboard focus
constexpr int EN_CHANGE = 0x300; // an edit's text changed
constexpr int EN_KILLFOCUS = 0x200; // an edit lost the keyboard focus

// What an enabler says about a command: whether it can be chosen now and whether its menu
// item or button shows a check mark.
struct CommandEnabler {
    int id = 0;
    bool enabled = true;
    int check = BF_UNCHECKED;
    void Enable(bool on) { enabled = on; }
    void SetCheck(int state) { check = state; }
};

class ControlHost {
public:
    explicit ControlHost(QWidget* self);
    virtual ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    QWidget* Self() const { return self_; }

    // --- controls by id ---------------------------------------------------------------
    // Registers a control under its id (replacing an earlier one) and returns it. A button
    // (push button, check box, radio button) sends its id as a command when clicked.
    template <class T>
    T* AddControl(int id, T* control)
    {
        RegisterControl(id, control);
        return control;
    }
    QWidget* Control(int id) const;
    template <class T>
    T* ControlAs(int id) const
    {
        return dynamic_cast<T*>(Control(id));
    }
    std::vector<int> ControlIds() const;

    void EnableControl(int id, bool enable);
    bool IsControlEnabled(int id) const;
    // Shown means "not hidden by the program": it does not depend on the window being on screen.
    void ShowControl(int id, bool show);
    bool IsControlShown(int id) const;
    void CheckButton(int id, int state);
    int IsButtonChecked(int id) const;
    // Text of an edit, static, button, group box, combo box (edit text) or gauge caption.
    void SetControlText(int id, const std::string& text);
    std::string ControlText(int id) const;
    void FocusControl(int id);
    // Presses a button as the user would: a button control is clicked, any other id is sent.
    void PressButton(int id);
    // Makes the radio buttons one group: checking one unchecks the others of the group only.
    void GroupRadioButtons(const std::vector<int>& ids);

    // --- notifications ------------------------------------------------------------------
    // Handler of a control's notification (selection change, double click, text change).
    // Changes the program makes through the control classes' own calls send none.
    void OnNotify(int id, int code, std::function<void()> handler);
    // Sends a notification as the control would; true when something handled it.
    bool SendNotify(int id, int code);

    // --- validators -------------------------------------------------------------------
    void SetValidator(int id, std::unique_ptr<Validator> validator);
    const Validator* ValidatorOf(int id) const;
    // Asks each validator, in the order of control ids; the first refusal shows its error,
    // focuses its control and gives false.
    bool ValidateControls();

    // --- commands ---------------------------------------------------------------------
    // Sends a command now: a handler installed with OnCommand first, then EvCommand.
    // Returns true when something handled it.
    bool SendCommand(int id);
    // Queues the command; it is sent when the event loop next runs (dropped when the window
    // has gone by then).
    void PostCommand(int id);
    void OnCommand(int id, std::function<void()> handler);
    // Installs the enabler of a command; menus ask it before they show the command.
    void OnCommandEnable(int id, std::function<void(CommandEnabler&)> enabler);
    bool HasEnabler(int id) const { return enablers_.count(id) != 0; }
    // Whether the window carries the command: a handler installed with OnCommand. A window
    // that answers commands in EvCommand names them here too, so that menus and tool bars
    // routed to it enable them.
    virtual bool HandlesCommand(int id) const { return handlers_.count(id) != 0; }
    // The enabler's answer (enabled and unchecked without one).
    CommandEnabler QueryCommand(int id) const;
    bool CommandEnabled(int id) const { return QueryCommand(id).enabled; }

    // --- timers -----------------------------------------------------------------------
    // Starts (or restarts) timer id with the interval; EvTimer(id) is called at each tick.
    void SetTimer(int id, int milliseconds);
    void KillTimer(int id);
    bool HasTimer(int id) const;
    // The running timer's interval in milliseconds, 0 when it does not run.
    int TimerInterval(int id) const;
    // Calls EvTimer as a tick would (tests).
    void FireTimer(int id) { EvTimer(id); }

    // --- operations and closing -------------------------------------------------------
    // True while an Operation of this window is on the stack.
    bool IsBusy() const { return busy_ > 0; }
    bool IsClosePending() const { return closePending_; }

    // Marks an operation of the window for its lifetime. While one is on the stack a request
    // to close the window is remembered and carried out when the last one ends, so the
    // window is never destroyed under its own running code (pumping messages lets the user
    // close it at any time).
    class Operation {
    public:
        explicit Operation(ControlHost& host);
        ~Operation();
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

    private:
        QPointer<QWidget> widget_;
        ControlHost* host_;
    };

protected:
    // Commands not handled by an OnCommand handler; returns true when handled.
    virtual bool EvCommand(int id);
    virtual void EvTimer(int id);
    // Notifications without an OnNotify handler; returns true when handled.
    virtual bool EvNotify(int id, int code);
    // Called by the widget's close handling: false means "not now" (the close is deferred).
    bool CloseAllowedNow();

private:
    void RegisterControl(int id, QWidget* control);

    QWidget* self_;
    // Connections from controls to this host, cut when the host goes (its controls outlive
    // it by a moment while the widget destroys its children).
    std::vector<QMetaObject::Connection> connections_;
    std::map<int, QPointer<QWidget>> controls_;
    std::map<int, std::unique_ptr<Validator>> validators_;
    std::map<int, std::function<void()>> handlers_;
    std::map<std::pair<int, int>, std::function<void()>> notifyHandlers_;
    std::map<int, std::function<void(CommandEnabler&)>> enablers_;
    std::map<int, QTimer*> timers_;
    int busy_ = 0;
    bool closePending_ = false;
};

// Sends every posted command, timer and repaint that is waiting, then returns: long
// operations call it between their steps so that the program stays responsive.
void PumpWaitingMessages();

// Posts a command to another window (dropped when it has gone by the time it would run).
void PostCommandTo(ControlHost* target, int id);

}  // namespace fw
