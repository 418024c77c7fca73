// The observing-history filter: pass the objects of the filtered observing log, or reject
// them. historyCriteria 1 rejects them; 2 (like the default 0) passes them.
#pragma once

#include "framework/gui/Dialog.h"

#include <cstdint>

class HistoryFltDlg : public fw::Dialog {
public:
    static constexpr int kTemplate = 28;
    static constexpr int kHelpContext = 66;
    enum : int { kPass = 101, kReject = 102, kGroup = 107 };

    explicit HistoryFltDlg(QWidget* parent);

    std::int32_t historyCriteria = 0;

protected:
    void SetupWindow() override;
    void CmOk() override;
};
