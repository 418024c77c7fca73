// The brightness section of the filter: the Dreyer brightness classes (edited in their own
// dialog) and a window of total magnitude, each switched on by its box.
#pragma once

#include "framework/gui/Dialog.h"

#include <cstdint>

class TEditFloat;

class BrightFltDlg : public fw::Dialog {
public:
    static constexpr int kTemplate = 16;
    static constexpr int kHelpContext = 70;
    enum : int {
        kDreyerActive = 101,
        kMagnitudeActive = 102,
        kDimmest = 103,
        kBrightest = 104,
        kMagnitudeRequired = 105,
        kModifyDreyer = 106,
    };

    explicit BrightFltDlg(QWidget* parent);

    std::int32_t brightnessCriteria = 0;
    std::int32_t dreyerBrightnessMask = 0;
    double magnitudeMin = 0;
    double magnitudeMax = 10;

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    void CmDreyer();

    TEditFloat* brightest_;
    TEditFloat* dimmest_;
};
