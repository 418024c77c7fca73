#include "planner/GraphPane.h"

#include "astro/ObsSite.h"
#include "globals/Globals.h"
#include "planner/AltitudePlotWindow.h"
#include "planner/STLM4viewCommands.h"
#include "ui/RectLabel.h"

bool GraphPane::panePrinting_ = false;

GraphPane::GraphPane(QWidget* parent, const std::string& name, const std::string& caption)
    : DropWindowPane(parent, name)
{
    SetColorSlots(14, 11, 17, 12, 15);
    settingsText = "Plot Settings...";
    SetCaption(caption.empty() ? "Altitude - " + (AppGlobals.site ? AppGlobals.site->Name() : std::string()) : caption);
}

GraphPane::~GraphPane() = default;

void GraphPane::SetupWindow()
{
    DropWindowPane::SetupWindow();
    plot_ = new AltitudePlotWindow(this);
    plot_->SetRectInParent(InnerRect());
    plot_->show();
}

void GraphPane::ShowObject(ObjectId id, bool redraw)
{
    if (plot_) plot_->SetObject(id, redraw);
}

void GraphPane::ShowSettings()
{
    if (plot_) plot_->ShowSettingsMenu(fw::Point(0, 0));
}

void GraphPane::EvSize(const fw::Size& size)
{
    DropWindowPane::EvSize(size);
    if (plot_) plot_->SetRectInParent(InnerRect());
    Invalidate(true);
}

void GraphPane::ToggleFullPane()
{
    DropWindowPane::ToggleFullPane();
    if (IsFullPane()) fw::PostCommandTo(dynamic_cast<fw::ControlHost*>(parentWidget()), CM_ALTITUDEFULLPANE);
}

void GraphPane::Paint(fw::DC& dc, bool erase, const fw::Rect& rect)
{
    if (panePrinting_ || PrintingCount != 0) return;
    DropWindowPane::Paint(dc, erase, rect);
}

void GraphPane::PrintPane(fw::DC& dc, const fw::Rect& rect)
{
    panePrinting_ = true;
    PrintFrame(dc, rect);
    if (plot_) {
        const fw::Rect inner = RectLabel::InnerRect(frameStyle, printStripHeight, rect.GetSize()).Offset(rect.left, rect.top);
        plot_->PaintToDC(dc, inner);
    }
    panePrinting_ = false;
}
