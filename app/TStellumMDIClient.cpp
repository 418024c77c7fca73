#include "app/TStellumMDIClient.h"

#include "app/StellumMenus.h"
#include "app/TStellumMDIChild.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/Document.h"
#include "framework/gui/View.h"
#include "globals/Globals.h"

namespace {

// Commands of the planner view that show its filtered and its observing list.
constexpr int kShowFilteredList = 132;
constexpr int kShowObservingList = 136;

} // namespace

const char* const TStellumMDIClient::kPlannerDocName = "STLM4 Document";
const char* const TStellumMDIClient::kLogDocName = "Obslog Document";

TStellumMDIClient::TStellumMDIClient(fw::DocManager* manager, QWidget* parent)
    : fw::MDIClient(parent), manager_(manager)
{
    setBackground(palette().brush(QPalette::Dark));
    OnCommand(CM_OBSERVINGLOG, [this] { CmObservingLog(); });
    OnCommand(CM_OBSERVINGLIST, [this] { CmObservingList(); });
    OnCommand(CM_FILTEREDLIST, [this] { CmFilteredList(); });
    OnCommandEnable(CM_OBSERVINGLOG, [this](fw::CommandEnabler& ce) {
        FindDocuments();
        ce.Enable(logView_ != nullptr);
        ce.SetCheck(ActiveIsKind(TStellumMDIChild::kLog) ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
    OnCommandEnable(CM_OBSERVINGLIST, [this](fw::CommandEnabler& ce) {
        FindDocuments();
        NGC2000Indexes* db = AppGlobals.database;
        ce.Enable(plannerView_ && db && db->CountOf(1) > 0);
        bool checked = plannerView_ && db && ActiveIsKind(TStellumMDIChild::kPlanner) && db->Selected() == 1;
        ce.SetCheck(checked ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
    OnCommandEnable(CM_FILTEREDLIST, [this](fw::CommandEnabler& ce) {
        FindDocuments();
        NGC2000Indexes* db = AppGlobals.database;
        ce.Enable(plannerView_ != nullptr);
        bool checked = plannerView_ && db && ActiveIsKind(TStellumMDIChild::kPlanner) && db->Selected() == 0;
        ce.SetCheck(checked ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
}

void TStellumMDIClient::FindDocuments()
{
    plannerDoc_ = logDoc_ = nullptr;
    plannerView_ = logView_ = nullptr;
    if (!manager_) return;
    for (fw::Document* doc : manager_->GetDocuments()) {
        std::string name = doc->PropertyText("Document Name");
        if (name == kPlannerDocName && !plannerDoc_) {
            plannerDoc_ = doc;
            plannerView_ = doc->FirstView();
        } else if (name == kLogDocName && !logDoc_) {
            logDoc_ = doc;
            logView_ = doc->FirstView();
        }
    }
}

TStellumMDIChild* TStellumMDIClient::FirstChildOfKind(int kind) const
{
    for (fw::MDIChild* child : Children())
        if (auto* stellum = dynamic_cast<TStellumMDIChild*>(child))
            if (stellum->GetKind() == kind) return stellum;
    return nullptr;
}

bool TStellumMDIClient::ActiveIsKind(int kind) const
{
    auto* active = dynamic_cast<TStellumMDIChild*>(GetActiveChild());
    return active && active->GetKind() == kind;
}

void TStellumMDIClient::ActivateAndRestore(fw::View* view)
{
    for (fw::MDIChild* child : Children())
        if (child->GetView() == view) ActivateChild(child);
    if (fw::MDIChild* active = GetActiveChild())
        if (active->isMinimized()) active->showNormal();
}

void TStellumMDIClient::CmObservingLog()
{
    FindDocuments();
    if (logView_) ActivateAndRestore(logView_);
}

void TStellumMDIClient::CmObservingList()
{
    FindDocuments();
    if (!plannerView_) return;
    ActivateAndRestore(plannerView_);
    if (auto* host = dynamic_cast<fw::ControlHost*>(plannerView_->GetWindow())) host->SendCommand(kShowObservingList);
}

void TStellumMDIClient::CmFilteredList()
{
    FindDocuments();
    if (!plannerView_) return;
    ActivateAndRestore(plannerView_);
    if (auto* host = dynamic_cast<fw::ControlHost*>(plannerView_->GetWindow())) host->SendCommand(kShowFilteredList);
}
