// The chart's star preferences: the magnitude below which stars are drawn and whether stars
// are drawn at all. The caller fills the two fields, executes the dialog and takes them back
// after OK.
#pragma once

#include <cstdint>

#include "framework/gui/Dialog.h"

class TEditFloat;

class StarPlotDlg : public fw::Dialog {
public:
    static constexpr int kTemplate = 8;
    enum : int { kMagnitude = 101, kDisplayStars = 102 };

    explicit StarPlotDlg(QWidget* parent);

    double magnitudeLimit = 9.5;
    std::uint8_t displayStars = 1;

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    TEditFloat* magnitude_;
};
