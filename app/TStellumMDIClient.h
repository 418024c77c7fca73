// The planner's MDI client: finds the open planner and log documents and their views, and
// carries the commands that switch between them (Filtered List, Observing List, Observing
// Log).
#pragma once

#include "framework/gui/MDIClient.h"

#include <memory>
#include <string>

namespace fw { class DocManager; }
namespace fw { class Document; }
namespace fw { class View; }
namespace fw { class Printer; }
namespace fw { class Printout; }
class LogPrintView;
class PlannerPrintView;
class TStellumMDIChild;

class TStellumMDIClient : public fw::MDIClient {
public:
    static const char* const kPlannerDocName; // "STLM4 Document"
    static const char* const kLogDocName;     // "Obslog Document"

    explicit TStellumMDIClient(fw::DocManager* manager, QWidget* parent = nullptr);
    ~TStellumMDIClient() override;

    // Looks the two documents and their first views up again.
    void FindDocuments();
    fw::Document* PlannerDocument() const { return plannerDoc_; }
    fw::Document* LogDocument() const { return logDoc_; }
    fw::View* PlannerView() const { return plannerView_; }
    fw::View* LogView() const { return logView_; }
    // The first child of a kind (TStellumMDIChild::Kind); null when none.
    TStellumMDIChild* FirstChildOfKind(int kind) const;

    void CmObservingLog();
    void CmObservingList();
    void CmFilteredList();

    // Print, Print Setup and Print Preview.
    void CmFilePrint();
    void CmFilePrintSetup();
    void CmFilePrintPreview();
    // The application's printer, made when first needed. Once the system's default printer
    // changes, the next print command replaces it with one made for the new default.
    fw::Printer& Printer();
    // The planner's and the log's views as the printouts use them (null when not open).
    PlannerPrintView* PlannerPrinting();
    LogPrintView* LogPrinting();

private:
    // Activates the view's child and restores it.
    void ActivateAndRestore(fw::View* view);
    bool ActiveIsKind(int kind) const;
    // The Print Options dialog and the device's orientation and colour for the choice; false
    // for Cancel.
    bool AskPrintOptions(int& source, int& format);
    // The printout for the choice; null (and the user told) when its view is not open.
    std::unique_ptr<fw::Printout> MakePrintout(int source, int format);
    // Drops the printer when the system's default printer changed since it was made, so that
    // the command starting now makes one for the new default.
    void TakeUpDefaultPrinter();
    // Prints or previews the choice; the clock waits and the panes do not paint meanwhile.
    void RunPrint(bool preview);
    // Tells the user why a print or a preview failed (after the printer set its last error).
    void ReportPrintFailure(QWidget* parent, int source);

    fw::DocManager* manager_;
    fw::Document* plannerDoc_ = nullptr;
    fw::Document* logDoc_ = nullptr;
    fw::View* plannerView_ = nullptr;
    fw::View* logView_ = nullptr;
    std::unique_ptr<fw::Printer> printer_;
};
