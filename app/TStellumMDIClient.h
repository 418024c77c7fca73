// The planner's MDI client: finds the open planner and log documents and their views, and
// carries the commands that switch between them (Filtered List, Observing List, Observing
// Log).
#pragma once

#include "framework/gui/MDIClient.h"

namespace fw { class DocManager; }
namespace fw { class Document; }
namespace fw { class View; }
class TStellumMDIChild;

class TStellumMDIClient : public fw::MDIClient {
public:
    static const char* const kPlannerDocName; // "STLM4 Document"
    static const char* const kLogDocName;     // "Obslog Document"

    explicit TStellumMDIClient(fw::DocManager* manager, QWidget* parent = nullptr);

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

private:
    // Activates the view's child and restores it.
    void ActivateAndRestore(fw::View* view);
    bool ActiveIsKind(int kind) const;

    fw::DocManager* manager_;
    fw::Document* plannerDoc_ = nullptr;
    fw::Document* logDoc_ = nullptr;
    fw::View* plannerView_ = nullptr;
    fw::View* logView_ = nullptr;
};
