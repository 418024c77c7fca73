// A data window that shows a magnitude with the precision the user chose from its menu.
#pragma once

#include "astro/Magnitude.h"
#include "planner/LabelWindow.h"
#include "ui/MagLabelConfig.h"

class MagLabelWindow : public LabelWindow, public MagLabelConfig {
public:
    static constexpr int kFirstPrecisionCommand = 17220;  // + precision 0-2

    MagLabelWindow(QWidget* parent, const std::string& name, const std::string& caption = {});
    LabelConfig* Settings() override { return this; }

    void SetMagnitude(const Magnitude& magnitude, bool repaint = true);
    void Choose(int command);

protected:
    void ShowRightButtonMenu(const fw::Point& p) override;

private:
    Magnitude magnitude_;
};
