// The name and list filter: each box narrows the filter to the objects of one list (Messier,
// Herschel 400, the 110 best, NGC, IC) or to those with a common name.
#pragma once

#include "catalog/BitMaskDialog.h"

class NameFltDlg : public BitMaskDialog {
public:
    static constexpr int kTemplate = 15;
    static constexpr int kHelpContext = 68;

    explicit NameFltDlg(QWidget* parent);
};
