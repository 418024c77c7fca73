// The Dreyer shape classes that pass the shape filter: one box per class from "Round" to
// "Extremely Extended", and one that excludes the objects without a recognized shape
// description.
#pragma once

#include "catalog/BitMaskDialog.h"

class shapeDlg : public BitMaskDialog {
public:
    static constexpr int kTemplate = 10;
    static constexpr int kHelpContext = 6;

    explicit shapeDlg(QWidget* parent);
};
