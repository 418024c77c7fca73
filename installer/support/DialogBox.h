// The installer's dialogs (module DLGBOX): a dialog object with its dialog procedure, made
// from a dialog description of the language package (the installer's own resources while
// none is loaded), modal or modeless. Messages reach the procedure as numbers, as the
// installer's dialogs expect: initialisation, commands, system commands, activation and the
// end of the window. Controls are reached by their ids.
//
// Headless runs: with a responder on DialogSeam, a modal dialog is made but not shown, it is
// initialised, and the responder drives it (Command, Item) and answers in its place.
#pragma once

#include "framework/gui/Responder.h"

#include <cstdint>
#include <map>
#include <string>

class QDialog;
class QWidget;

namespace kw {

// Message numbers of the dialog procedure.
enum : unsigned {
    kMsgDestroy = 0x0002,
    kMsgActivate = 0x0006,
    kMsgInitDialog = 0x0110,
    kMsgCommand = 0x0111,
    kMsgSysCommand = 0x0112,
};
enum : unsigned { kScClose = 0xF060 };
enum { kCmdOk = 1, kCmdCancel = 2, kCmdHelp = 113, kCmdHelpContext = 1234 };

// Anything with a window.
class WindowObject {
public:
    virtual ~WindowObject() = default;
    virtual QWidget* Window() const = 0;
};

class Dialog;
using DialogSeam = fw::ModalSeam<struct KwDialogTag, int(Dialog& dialog, const std::string& templateName)>;

class Dialog : public WindowObject {
public:
    Dialog() = default;
    ~Dialog() override; // a window still alive is a check failure; it is destroyed
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    QWidget* Window() const override;
    // The dialog's procedure; the answer is the message's result (true: handled).
    virtual intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam);

    QWidget* Item(int id) const; // null when the dialog has no such control
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text);
    void ShowItem(int id, bool show);
    // Sends a command as a press of the control (or key) with that id would.
    intptr_t Command(int id);
    void EndDialog(int result);
    bool Ended() const { return ended_; }
    int Result() const { return result_; }
    // The window's word 0: a dialog keeps its help context there when asked (command 1234).
    void SetWindowWord0(int value) { word0_ = value; }
    int WindowWord0() const { return word0_; }
    // Destroys the window (a modeless dialog's end); the procedure sees kMsgDestroy.
    void DestroyWindow();

    // Registers a control made by the dialog itself under its id.
    void AddItem(int id, QWidget* control) { items_[id] = control; }

    // For the dialog functions below.
    bool Build(const std::string& templateName, QWidget* owner);
    int RunModal();

private:
    QDialog* window_ = nullptr;
    std::map<int, QWidget*> items_;
    bool ended_ = false;
    int result_ = 0;
    int word0_ = 0;
};

// Modal, owned by the top of the window stack; the dialog's result, or -1 with a check
// failure when the description is missing or the window cannot be made.
int RunDialog(Dialog& dialog, const char* templateName);
int RunDialogWithOwner(Dialog& dialog, QWidget* owner, const char* templateName);
bool CreateModelessDialog(Dialog& dialog, QWidget* owner, const char* templateName);

// The dialog object bound to a window made here, null for any other window.
Dialog* DialogOf(QWidget* window);

// Dialog units of the installer's dialog font and points to pixels.
int DialogUnitsToPixelsX(int n);
int DialogUnitsToPixelsY(int n);
int PointsToPixelsX(int n);
int PointsToPixelsY(int n);

} // namespace kw
