// The planner view's altitude pane: the pane frame around the altitude plot.
#pragma once

#include "catalog/ObjectId.h"
#include "ui/DropWindowPane.h"

class AltitudePlotWindow;

class GraphPane : public DropWindowPane {
public:
    GraphPane(QWidget* parent, const std::string& name = "TimeAlt", const std::string& caption = {});
    ~GraphPane() override;

    void ShowObject(ObjectId id, bool redraw = true);
    // Frame, caption and plot into a rectangle of a printer page.
    void PrintPane(fw::DC& dc, const fw::Rect& rect);
    AltitudePlotWindow* Plot() const { return plot_; }
    static bool PanePrinting() { return panePrinting_; }

    void ShowSettings() override;
    void ToggleFullPane() override;

protected:
    void SetupWindow() override;
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvSize(const fw::Size& size) override;

private:
    AltitudePlotWindow* plot_ = nullptr;
    static bool panePrinting_;
};
