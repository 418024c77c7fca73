// The planner view's pane that holds the star chart: a framed pane whose one child, the chart
// window, fills the area inside the frame. Through it the planner view shows objects on the
// chart and prints it; it passes the chart's "frame saved" notice on to the view.
#pragma once

#include <string>

#include "catalog/ObjectId.h"
#include "ui/DropWindowPane.h"

class ChartWindow;
namespace fw { class DC; }

class ChartPane : public DropWindowPane {
public:
    ChartPane(QWidget* owner, const std::string& instance);
    ~ChartPane() override;

    // Frames the chart on the object; nothing before the chart exists.
    void ShowObject(ObjectId id, bool redraw);
    // The frame with its caption and the chart inside it, into a printer DC (device units).
    void PrintTo(fw::DC& dc, int page, const fw::Rect& rect);

    void ShowSettings() override;
    void ToggleFullPane() override;

    ChartWindow* Chart() const { return chart_; }
    bool IsPrinting() const { return printing_ != 0; }

protected:
    void SetupWindow() override;
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvSize(const fw::Size& size) override;

private:
    QWidget* owner_;
    std::string instanceName_;
    ChartWindow* chart_ = nullptr;
    unsigned char printing_ = 0;
};
