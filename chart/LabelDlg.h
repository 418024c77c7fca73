// Which labels the chart draws: the user's own labels, the observing-list objects' catalogue
// numbers and their places in the list. The caller fills the three flags, executes the
// dialog and takes them back after OK.
#pragma once

#include <cstdint>

#include "framework/gui/Dialog.h"

class LabelDlg : public fw::Dialog {
public:
    static constexpr int kTemplate = 40;
    enum : int { kUserLabels = 101, kListObjects = 102, kListOrder = 103 };

    explicit LabelDlg(QWidget* parent);

    std::uint8_t userLabels = 0;
    std::uint8_t listObjects = 0;
    std::uint8_t listOrder = 0;

protected:
    void SetupWindow() override;
    void CmOk() override;
};
