// A combo box of the constellations (and "(no comment)"), item data = constellation code.
#pragma once

#include "framework/gui/ComboBox.h"

class TurboCBconstel : public fw::ComboBox {
public:
    explicit TurboCBconstel(QWidget* parent = nullptr, int textLimit = 40);

    // The code of the selected item, CB_ERR when nothing is selected.
    long GetSelectedIndex() const;
    // Selects the item of the code.
    void SelectIndex(long code);
};
