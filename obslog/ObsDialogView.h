// ObsDialogView: the record form as the observing log document's view ("LOGVIEW"), with the
// log's navigation, new-entry and delete commands, the notices of a changed record, the
// planner's transfer of its current object, and closing only with the document.
#pragma once

#include "framework/gui/View.h"
#include "globals/ListCommands.h"
#include "obslog/LogPrintView.h"
#include "obslog/ObsDialog.h"

class ObsDialogView : public ObsDialog, public fw::View, public LogPrintView {
public:
    static const char* const kViewName;  // "LOGVIEW"
    enum Command : int {
        CM_TRANSFERTOLOG = 125,
        CM_NEWENTRY = 190,
        CM_DELETEENTRY = 133,
        CM_FIND = 24351,
        CM_EXPORT = 24343,
    };

    explicit ObsDialogView(LogDocument& document, QWidget* parent = nullptr);
    ~ObsDialogView() override;

    std::string GetViewName() const override { return kViewName; }
    QWidget* GetWindow() override { return this; }
    bool CanClose() override;

    // Writes the log out as the report, a tab-delimited table or a TheSky label file, as the
    // user chooses.
    void CmExport();

    // Printing: the report (the form stored first) and the log's title.
    int PrintLogToTextFile(int charsPerLine, int linesPerPage, const std::string& path, int mode) override;
    std::string LogTitle() const override;

protected:
    // Keeps the catalogue's list of the log's objects (list 2) at the log's count and cursor.
    void RecordShown() override;

private:
    // The status text of the log filter, when the focus comes into the view.
    void ShowFilterStatus();
    // The status text as the focus moves from one of the form's fields to another.
    void FieldFocusChanged(QWidget* from, QWidget* to);
};
