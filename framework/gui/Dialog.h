// Dialog base: controls under numeric ids, OK (1), Cancel (2) and Help (9), modal execution
// that returns the id the dialog closed with, a set-up step after the controls exist and a
// can-close step that runs the validators first.
//
// Tests never wait on a modal dialog: with a dialog responder installed, Execute sets the
// dialog up and hands it to the responder, which drives it by control id, instead of
// entering a modal loop.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "framework/gui/ControlHost.h"
#include "framework/gui/Responder.h"

class QGridLayout;
class QHBoxLayout;
class QPushButton;

namespace fw {

class Dialog : public QDialog, public ControlHost {
public:
    explicit Dialog(QWidget* parent = nullptr, const std::string& caption = {});
    ~Dialog() override;

    // Sets the dialog up (once) and runs it modally; returns the id it closed with
    // (IDOK, IDCANCEL or another command id given to CloseWindow).
    int Execute();
    // Sets the dialog up (once) and shows it modeless.
    void Create(bool show = true);
    // Runs the set-up step now if it has not run yet (tests drive a dialog after this).
    void EnsureSetUp();
    bool IsSetUp() const { return setUp_; }

    // Ends the dialog with the id: a modal one returns it from Execute, a modeless one hides.
    void CloseWindow(int id);
    int Result() const { return result_; }

    void SetCaption(const std::string& caption);
    std::string GetCaption() const;
    // The help context number the Help button (9) opens.
    void SetHelpContext(int context) { helpContext_ = context; }
    int HelpContext() const { return helpContext_; }

    // Layout helpers: controls go into a grid body; push buttons given to AddButton go into
    // the row of buttons at the bottom unless placed in the grid.
    QGridLayout* Body() const { return body_; }
    QPushButton* AddButton(int id, const std::string& text, bool isDefault = false);
    // OK, Cancel and (when helpContext is not 0) Help in the button row.
    void AddStandardButtons(int helpContext = 0);
    template <class T>
    T* Place(int id, T* control, int row, int column, int rowSpan = 1, int columnSpan = 1)
    {
        AddControl(id, control);
        PlaceWidget(control, row, column, rowSpan, columnSpan);
        return control;
    }

protected:
    // Runs once, after the controls exist and before the dialog is shown.
    virtual void SetupWindow() {}
    // Asked before OK closes the dialog: the validators first, then derived classes add theirs.
    virtual bool CanClose() { return ValidateControls(); }
    virtual void CmOk();
    virtual void CmCancel();
    virtual void CmHelp();
    bool EvCommand(int id) override;

    void reject() override; // Escape and the window's close button mean Cancel
    void closeEvent(QCloseEvent* event) override;

private:
    void PlaceWidget(QWidget* w, int row, int column, int rowSpan, int columnSpan);

    QGridLayout* body_;
    QHBoxLayout* buttons_;
    bool setUp_ = false;
    bool modal_ = false;
    int result_ = 0;
    int helpContext_ = 0;
};

// For tests: answers Dialog::Execute. The responder gets the set-up dialog, drives it by
// control id (SetControlText, PressButton ...) and returns the id to close with when the
// dialog is still open afterwards.
using DialogSeam = ModalSeam<struct DialogTag, int(Dialog&)>;
using DialogResponder = DialogSeam::Function;

// Installs a dialog responder for its lifetime and counts the dialogs it answered.
class ScriptedDialogs {
public:
    explicit ScriptedDialogs(DialogResponder responder);
    // Answers the dialogs in the order they are executed, one responder each (nested
    // dialogs included); dialogs beyond the list are cancelled.
    explicit ScriptedDialogs(std::vector<DialogResponder> inOrder);
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;
    int Count() const { return count_; }
    const std::vector<std::string>& Captions() const { return captions_; }

private:
    DialogResponder Answering(std::function<DialogResponder(std::size_t)> pick);
    int count_ = 0;
    std::vector<std::string> captions_;
    Responder<DialogSeam> responder_;
};

}  // namespace fw
