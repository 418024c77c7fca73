#include "obslog/ObsDialogView.h"

#include "catalog/NGC2000Indexes.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/DocTemplate.h"
#include "framework/gui/FileDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/StatusBar.h"
#include "globals/Globals.h"
#include "globals/ViewEvents.h"
#include "obslog/LogDocument.h"
#include "obslog/LogReport.h"
#include "ui/LogErrors.h"
#include "ui/ExportOptionsDialog.h"

#include <QApplication>

#include <algorithm>
#include <vector>

const char* const ObsDialogView::kViewName = "LOGVIEW";

ObsDialogView::ObsDialogView(LogDocument& document, QWidget* parent)
    : ObsDialog(parent, document), fw::View(document)
{
    WriteDebugLine("Constructing Dialog View - ");
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
    OnCommand(CM_LOGCONFIG, [this] { CmLogConfig(); });
    OnCommand(CM_FILTERLOG, [this] { CmFilterLog(); });
    OnCommand(CM_IMPORT, [this] { CmImport(); });
    OnCommand(CM_EXPORT, [this] { CmExport(); });
    OnCommandEnable(CM_DELETEENTRY, [this](fw::CommandEnabler& ce) {
        ce.SetCheck(WorkingCopy().IsMarkedForDeletion() ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
    fw::View::OnNotify(vnLogRecordChanged, [this](std::intptr_t argument) {
        if (argument == 1) ShowRecord(Log().GetCurrentRecord());
        return true;
    });
    // Saving writes what the form shows: the form is stored first, and a form that shows what
    // the document does not hold yet makes the log one to be saved.
    fw::View::OnNotify(fw::vnCommit, [this](std::intptr_t) {
        ControlsToRecord();
        return true;
    });
    fw::View::OnNotify(fw::vnIsDirty, [this](std::intptr_t) { return FormDiffers(); });
    // A log rebuilt after a crash is saved under a name of the user's choice (Save As).
    OnCommandEnable(fw::CM_FILESAVE, [this](fw::CommandEnabler& ce) {
        if (Log().IsRecovering()) ce.Enable(false);
        else if (fw::DocManager* manager = Log().GetDocManager()) manager->CommandEnable(ce);
        else ce.Enable(fw::DocManager::SaveEnabled(Log()));
    });
    fw::View::OnNotify(vnAppEvent, [this](std::intptr_t event) {
        if (event == aeLogClosing) ControlsToRecord();
        else if (event == aeTransferToLog) NewEntry(true);
        return false;
    });
    // The keyboard focus lands on the form's fields, not on the form itself: the status text
    // follows the focus into the view from wherever it was.
    QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget* from, QWidget* to) {
        const auto inside = [this](QWidget* w) { return w && (w == this || isAncestorOf(w)); };
        if (inside(to) && !inside(from)) ShowFilterStatus();
        else if (inside(to) || inside(from)) FieldFocusChanged(from, to);
    });
    EnsureSetUp();
}

ObsDialogView::~ObsDialogView() { WriteDebugLine("Destructing Dialog View"); }

void ObsDialogView::FieldFocusChanged(QWidget* from, QWidget* to)
{
    // The fields that say "Observing Log" when they take the focus, and the constellation
    // list when it gives the focus up.
    static const int kFields[] = {kName,     kDate,     kTime,      kRightAscension, kDeclination, kMagnitude,
                                  kSize,     kNotes,    kTelescope, kDarkness,       kTurbulence,  kTransparency,
                                  kLocation, kEyepiece, kType};
    const auto within = [this](QWidget* w, int id) {
        QWidget* control = Control(id);
        return w && control && (w == control || control->isAncestorOf(w));
    };
    bool show = within(from, kConstellation) && !within(to, kConstellation);
    for (int id : kFields) show = show || (within(to, id) && !within(from, id));
    if (show && AppGlobals.statusBar) AppGlobals.statusBar->SetText("Observing Log");
}

void ObsDialogView::RecordShown()
{
    NGC2000Indexes* db = AppGlobals.database;
    if (!db) return;
    LogDocument& log = Log();
    const bool filtered = log.Filter().active != 0;
    const int selected = db->Selected();
    db->SelectList(Browser::kLogList);
    db->SetCount(filtered ? log.FilteredCount() : log.RecordCount());
    db->GoTo(filtered ? log.FilteredPosition() - 1 : log.CurrentIndex());
    db->SelectList(selected);
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

void ObsDialogView::CmExport()
{
    int form = 0;
    {
        ExportOptionsDialog dialog(this);
        dialog.allowed = ExportOptionsDialog::ParagraphText | ExportOptionsDialog::TabDelimited |
                         ExportOptionsDialog::TheSky;
        dialog.choice = ExportOptionsDialog::ParagraphText;
        if (dialog.Execute() != fw::IDOK) return;
        form = dialog.choice;
    }
    fw::FileDialogRequest request;
    // Saving: an existing file is replaced only when the user agrees.
    request.kind = fw::FileDialogRequest::Save;
    request.filters = {{"Text files (*.txt)", "*.txt"}, {"All files (*.*)", "*.*"}};
    request.flags = fw::dtOverwritePrompt;
    switch (form) {
    case ExportOptionsDialog::ParagraphText: request.title = "Export Observing Log as Text"; break;
    case ExportOptionsDialog::TabDelimited: request.title = "Export Observing Log as Tab Delim Text"; break;
    case ExportOptionsDialog::TheSky: request.title = "Export Observing Log to TheSky"; break;
    default: return;
    }
    if (!fw::RunFileDialog(this, request) || request.path.empty()) return;
    LogReport report(Log());
    report.storeForm = [this] { ControlsToRecord(); };
    ControlsToRecord();
    if (form == ExportOptionsDialog::ParagraphText) report.PrintLogToTextFile(0, 0, request.path, false);
    else if (form == ExportOptionsDialog::TabDelimited) report.ExportText(request.path);
    else report.ExportTheSky(request.path);
    // The export leaves the log on the last record it wrote; the form follows it.
    ShowRecord(Log().GetCurrentRecord());
}

void ObsDialogView::ShowFilterStatus()
{
    if (AppGlobals.statusBar)
        AppGlobals.statusBar->SetText(Log().Filter().active ? "Observing Log Filter Active"
                                                            : "Observing Log not Filtered");
}
