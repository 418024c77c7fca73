// The Dreyer size classes that pass the size filter: one box per class from "Most Extremely
// Small" to "Most Extremely Large", and one that excludes the objects without a recognized
// size description.
#pragma once

#include "catalog/BitMaskDialog.h"

class sizeDlg : public BitMaskDialog {
public:
    static constexpr int kTemplate = 7;
    static constexpr int kHelpContext = 4;

    explicit sizeDlg(QWidget* parent);
};
