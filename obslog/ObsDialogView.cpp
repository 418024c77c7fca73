#include "obslog/ObsDialogView.h"

#include "framework/gui/StatusBar.h"
#include "globals/Globals.h"
#include "globals/ViewEvents.h"
#include "obslog/LogDocument.h"
#include "obslog/LogReport.h"

#include <algorithm>
#include <vector>

const char* const ObsDialogView::kViewName = "LOGVIEW";

ObsDialogView::ObsDialogView(LogDocument& document, QWidget* parent)
    : ObsDialog(parent, document), fw::View(document)
{
    const auto move = [this](int command, int where, std::vector<int> states) {
        OnCommand(command, [this, where] { Move(where); });
        OnCommandEnable(command, [this, states](fw::CommandEnabler& ce) {
            const int state = Log().NavigationState();
            ce.Enable(std::find(states.begin(), states.end(), state) != states.end());
        });
    };
    move(CM_FIRST, 0, {LogDocument::InBetween, LogDocument::AtLast});
    move(CM_PREVIOUS, 1, {LogDocument::InBetween, LogDocument::AtLast});
    move(CM_NEXT, 2, {LogDocument::AtFirst, LogDocument::InBetween});
    move(CM_LAST, 3, {LogDocument::AtFirst, LogDocument::InBetween});
    OnCommandEnable(CM_FIND, [](fw::CommandEnabler& ce) { ce.Enable(false); });
    // In the log, Transfer to Log and New Entry both start an empty entry.
    OnCommand(CM_TRANSFERTOLOG, [this] { NewEntry(false); });
    OnCommand(CM_NEWENTRY, [this] { NewEntry(false); });
    OnCommand(CM_DELETEENTRY, [this] { CmDeleteEntry(); });
    OnCommandEnable(CM_DELETEENTRY, [this](fw::CommandEnabler& ce) {
        ce.SetCheck(WorkingCopy().IsMarkedForDeletion() ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
    fw::View::OnNotify(vnLogRecordChanged, [this](std::intptr_t argument) {
        if (argument == 1) RecordToControls(Log().GetCurrentRecord());
        return true;
    });
    fw::View::OnNotify(vnAppEvent, [this](std::intptr_t event) {
        if (event == aeLogClosing) ControlsToRecord();
        else if (event == aeTransferToLog) NewEntry(true);
        return false;
    });
    EnsureSetUp();
}

bool ObsDialogView::CanClose()
{
    return ObsDialog::CanClose() && Log().CanClose();
}

int ObsDialogView::PrintLogToTextFile(int charsPerLine, int linesPerPage, const std::string& path, int mode)
{
    LogReport report(Log());
    report.storeForm = [this] { ControlsToRecord(); };
    return report.PrintLogToTextFile(charsPerLine, linesPerPage, path, mode != 0);
}

std::string ObsDialogView::LogTitle() const
{
    return Log().GetTitle();
}
