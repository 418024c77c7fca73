// The Dreyer brightness classes that pass the brightness filter: one box per class from
// "Most Extremely Faint" to "Most Extremely Bright", and one that excludes the objects without
// a recognized brightness description.
#pragma once

#include "catalog/BitMaskDialog.h"

class brightDlg : public BitMaskDialog {
public:
    static constexpr int kTemplate = 9;
    static constexpr int kHelpContext = 5;

    explicit brightDlg(QWidget* parent);
};
