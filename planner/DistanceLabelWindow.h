// A data window that shows a distance in the unit and with the significant digits the user
// chose from its menu.
#pragma once

#include "astro/Distance.h"
#include "planner/LabelWindow.h"
#include "ui/DistanceLabelConfig.h"

class DistanceLabelWindow : public LabelWindow, public DistanceLabelConfig {
public:
    static constexpr int kFirstUnitCommand = 17300;       // + unit 0-7 (7: the best unit)
    static constexpr int kFirstPrecisionCommand = 17308;  // 0, 1, 3, 6 or 9 digits

    DistanceLabelWindow(QWidget* parent, const std::string& name, const std::string& caption = {});
    LabelConfig* Settings() override { return this; }

    void SetDistance(const ::Distance& distance, bool repaint = true);
    void Choose(int command);
    // units1 is the unit, units2 the number of significant digits.
    int Unit() const { return units1; }
    int Digits() const { return units2; }

protected:
    void ShowRightButtonMenu(const fw::Point& p) override;

private:
    ::Distance distance_;
};
