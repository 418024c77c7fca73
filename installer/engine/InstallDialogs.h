// What the installer's own dialogs share: the prompt for a string, the user-name
// dialog, the component selection and the start-up file review all run modally over the
// install screen, carry the installer's icon and a help button, and all but the start-up file
// review are shown again after Cancel until the install controller's abort question confirms
// that the user wants to stop. The dialogs themselves: PromptDialog.h, UserNameDialog.h,
// ComponentDialog.h, StartupMerge.h; the file dialog: InstallFileDialog.h.
#pragma once

#include "installer/support/DialogBox.h"

#include <cstdint>
#include <initializer_list>
#include <string>

class QWidget;

namespace kw {

class InstallerHost;

// The message handling the installer's own dialogs share. kMsgInitDialog runs Init(); a click
// on OK runs Ok(); Cancel and the window's Close run Cancel(); any other button's click goes to
// Command(), whose answer (handled or not) the procedure returns; other notifications and
// messages answer 0. Init() ends with PushWindow(), which puts the dialog's window on the
// window stack; when the window is destroyed, Destroyed() runs and the window leaves the stack.
// A dialog's destructor calls DestroyWindow() itself, so that its own Destroyed() runs.
class InstallerDialog : public Dialog {
public:
    intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override;

protected:
    virtual void Init() = 0;
    virtual void Ok() = 0;
    virtual void Cancel() = 0;
    virtual bool Command(int id);
    virtual void Destroyed() {}
    void PushWindow();

private:
    bool pushed_ = false;
};

// Runs the dialog modally over the host's window until it ends with 0 (OK): true. Any other
// end (Cancel, closing the window) asks host.QueryAbort(): a confirmed abort answers false,
// a refusal shows the dialog again. False as well when the dialog cannot be made.
bool RunUntilConfirmed(InstallerHost& host, Dialog& dialog, const char* templateName);

// The owner of the installer's dialogs: the host's window, else the top of the window stack.
QWidget* DialogOwner(InstallerHost& host);

// Shows the installer's icon in an icon control of the dialog: the language package's picture
// "ICONSETUP" when it has one, else the application's icon, else the system's computer icon.
void ShowInstallerIcon(Dialog& dialog, int id);

// Puts a control made by the dialog in the place of a placeholder control of its template:
// the same rectangle, font and place in the tab order, the same id; the placeholder is hidden
// (it stays a child of the dialog's window, out of the way).
void ReplacePlaceholder(Dialog& dialog, int id, QWidget* control);

// A language string with each "%s" replaced, in order, by the texts ("%%" gives "%"); nothing
// else of the string is read as a format, so a translation cannot break the call.
std::string FillIn(int stringId, std::initializer_list<std::string> texts);

// The class of a drive for the component dialog's free-space list and the file search:
// 1 fixed; 2 removable with more than 4095 units of 10 KB free; 3 remote; 4 CD-ROM; 0 any
// other (a removable drive with less space, a drive that is not there). drive: a letter.
int DriveClass(char drive);

// One line of the component dialog's free-space list, "%c: %5uMb + %4uKb": the drive letter,
// then the free kilobytes (units of 10 KB times 10) as whole megabytes and the rest.
std::string FreeSpaceLine(char drive, long long units);

} // namespace kw
