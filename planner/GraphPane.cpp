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
    if (plot_) plot_->ShowSettingsMenu(Point(0, 0));
}

void GraphPane::EvSize(const Size& size)
{
    DropWindowPane::EvSize(size);
    if (plot_) plot_->SetRectInParent(InnerRect());
    Invalidate(true);
}

void GraphPane::ToggleFullPane()
{
    DropWindowPane::ToggleFullPane();
    if (IsFullPane()) PostCommandTo(dynamic_cast<ControlHost*>(parentWidget()), CM_ALTITUDEFULLPANE);
}

void GraphPane::Paint(DC& dc, bool erase, const Rect& rect)
{
    if (panePrinting_ || PrintingCount != 0) return;
    DropWindowPane::Paint(dc, erase, rect);
}

void GraphPane::PrintPane(DC& dc, const Rect& rect)
{
    panePrinting_ = true;
    PrintFrame(dc, rect);
    if (plot_) {
        const Rect inner = RectLabel::InnerRect(frameStyle, printStripHeight, rect.GetSize()).Offset(rect.left, rect.top);
        plot_->PaintToDC(dc, inner);
    }
    panePrinting_ = false;
}
