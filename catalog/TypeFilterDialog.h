// The object types that pass the type filter: bit n of the mask stands for type code n.
#pragma once

#include "catalog/BitMaskDialog.h"

class TypeFilterDialog : public BitMaskDialog {
public:
    static constexpr int kTemplate = 2;
    static constexpr int kHelpContext = 2;

    explicit TypeFilterDialog(QWidget* parent);
};
