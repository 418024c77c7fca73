// The size section of the filter: the Dreyer size classes (edited in their own dialog) and
// a window of diameter in degrees, each switched on by its box.
#pragma once

#include "framework/gui/Dialog.h"

#include <cstdint>

class TEditSize;

class SizeFltDlg : public fw::Dialog {
public:
    static constexpr int kTemplate = 26;
    static constexpr int kHelpContext = 69;
    enum : int {
        kDreyerActive = 101,
        kDiameterActive = 102,
        kMinimum = 103,
        kMaximum = 104,
        kDiameterRequired = 105,
        kModifyDreyer = 106,
    };

    explicit SizeFltDlg(QWidget* parent);

    std::int32_t sizeCriteria = 0;
    std::int32_t dreyerSizeMask = 0;
    double diameterMin = 0;
    double diameterMax = 0;

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    void CmDreyer();

    TEditSize* minimum_;
    TEditSize* maximum_;
};
