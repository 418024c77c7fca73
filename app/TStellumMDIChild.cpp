#include "app/TStellumMDIChild.h"

#include "framework/gui/View.h"

const char* const TStellumMDIChild::kLogViewName = "LOGVIEW";
const char* const TStellumMDIChild::kPlannerViewName = "STLM4view Window View";

namespace {

int KindOf(const fw::View& view)
{
    std::string name = view.GetViewName();
    if (name == TStellumMDIChild::kLogViewName) return TStellumMDIChild::kLog;
    if (name == TStellumMDIChild::kPlannerViewName) return TStellumMDIChild::kPlanner;
    return TStellumMDIChild::kOther;
}

} // namespace

TStellumMDIChild::TStellumMDIChild(fw::MDIClient& client, fw::View& view, fw::MenuDescr menu)
    : fw::MDIChild(client, view, std::move(menu)), kind_(KindOf(view))
{
}

int TStellumMDIChild::WindowStateWord() const
{
    if (isMinimized()) return 3;
    if (isMaximized()) return 9;
    return 5;
}
