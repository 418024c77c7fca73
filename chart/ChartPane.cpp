#include "chart/ChartPane.h"

#include "chart/ChartWindow.h"
#include "framework/gui/ControlHost.h"
#include "globals/Globals.h"
#include "ui/RScolor.h"

namespace {
// The pane's colour slots: exterior, label, interior, text, outline.
constexpr int kExteriorSlot = 9;
constexpr int kLabelSlot = 6;
constexpr int kInteriorSlot = SlotSkyBackground;
constexpr int kTextSlot = 7;
constexpr int kOutlineSlot = 10;
} // namespace

ChartPane::ChartPane(QWidget* owner, const std::string& instance)
    : DropWindowPane(owner, instance), owner_(owner), instanceName_(instance)
{
    SetColorSlots(kExteriorSlot, kLabelSlot, kInteriorSlot, kTextSlot, kOutlineSlot);
    SetBkgndColor(fw::ColorFromRef(RScolor::Instance().GetColor(0)));
    settingsText = "Chart Settings...";
    // The chart's notice that it stored a frame goes on to the planner view.
    OnCommand(CM_CHARTFRAMESAVED, [this] { fw::PostCommandTo(dynamic_cast<fw::ControlHost*>(owner_), CM_CHARTFRAMESAVED); });
}

ChartPane::~ChartPane()
{
    if (chart_) chart_->Store(false);
    Store(false);
    delete chart_;
    chart_ = nullptr;
}

void ChartPane::SetupWindow()
{
    DropWindowPane::SetupWindow();
    // The frame's layout for the size the pane has now (a hidden pane gets no size events).
    EvSize(fw::Size(width(), height()));
    chart_ = new ChartWindow(this, instanceName_, "ChartWindow");
    chart_->SetRectInParent(InnerRect());
    chart_->EnsureSetUp();
    chart_->show();
    SetPaneCaption("Chart View - " + chart_->ProjectionName());
}

void ChartPane::ShowObject(ObjectId id, bool redraw)
{
    if (chart_) chart_->ShowObject(id, redraw);
}

void ChartPane::PrintTo(fw::DC& dc, int, const fw::Rect& rect)
{
    printing_ = 1;
    fw::Rect content;
    PrintFrame(dc, rect, &content);
    if (chart_ && !content.IsEmpty()) chart_->PrintTo(dc, dc.DPtoLP(content));
    printing_ = 0;
}

void ChartPane::Paint(fw::DC& dc, bool erase, const fw::Rect& rect)
{
    if (printing_ || PrintingCount != 0) return;
    DropWindowPane::Paint(dc, erase, rect);
}

void ChartPane::ShowSettings()
{
    // The chart's settings are its pop-up menu, shown at the chart's top left corner.
    if (chart_) chart_->ShowPopupMenu(fw::Point(0, 0));
}

void ChartPane::ToggleFullPane()
{
    DropWindowPane::ToggleFullPane();
    if (IsFullPane()) fw::PostCommandTo(dynamic_cast<fw::ControlHost*>(owner_), CM_CHARTFULLPANE);
}

void ChartPane::EvSize(const fw::Size& size)
{
    DropWindowPane::EvSize(size);
    if (chart_) chart_->SetRectInParent(InnerRect());
    Invalidate(true);
}
