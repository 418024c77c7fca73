// The uninstaller's dialogs over its controller: the simple one ("DLGUNDOMAINSIM": the current
// change and a gauge), the advanced one ("DLGUNDOMAINADV": every change of the log with its
// state, undo or keep for the selected one, its details) and the unattended one
// ("DLGUNDOMAINSLT": shown while the undo runs at once). Button 1 starts the undo and, while
// it runs, asks it to stop; 2 closes (asking through "DLGUNDOASKQUIT" while changes chosen
// for undo remain); 108 switches between the simple and the advanced dialog.
#pragma once

#include "installer/support/DialogBox.h"
#include "installer/support/InstallerGauge.h"

#include <string>

class QTreeWidget;

namespace kw {

class UninstallController;

class UndoDialog : public Dialog {
public:
    enum Mode { kSimple = 0, kAdvanced = 1, kUnattended = 2 };
    // Controls.
    enum {
        kStart = 1, kClose = 2, kRecordText = 101, kList = 101, kUndoChoice = 102,
        kKeepChoice = 103, kGauge = 104, kLabel = 105, kDetails = 106, kSwitch = 108,
    };
    // The answers of "DLGUNDOASKQUIT".
    enum { kQuitCancelled = 1, kQuitStay = 2, kQuitFinished = 101 };

    UndoDialog(UninstallController& controller, int mode);
    static const char* TemplateName(int mode);

    // Runs the dialog of the mode: the controller's kFinished or kCancelled, or kSwitch to
    // reopen the other dialog.
    int Show();

    // The undo's reports.
    void UndoStarted();
    void Announce(int record);
    void Progress(int record);
    void UndoEnded();

    intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override;

    // The state text of a record's choice, and its detail lines aligned at their colons.
    static std::string ChoiceText(int choice);
    static std::string AlignedDetails(const std::string& detail);

private:
    void Init();
    void Close();
    void FillList();
    void ShowSelected();
    void SetChoiceOfSelected(int choice);
    void ShowGauge();
    void SetRunning(bool running);
    int SelectedRecord() const;

    UninstallController& controller_;
    int mode_;
    Gauge gauge_;
    QTreeWidget* list_ = nullptr;
    std::string startText_;
};

} // namespace kw
