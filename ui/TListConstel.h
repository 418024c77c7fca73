// A multiple-selection list box of the constellations (and "(no comment)"), item data =
// constellation code.
#pragma once

#include "framework/gui/ListBox.h"

class TListConstel : public fw::ListBox {
public:
    explicit TListConstel(QWidget* parent = nullptr, bool sorted = true);

    // Index of the item of the code, LB_ERR when none.
    int IndexOfCode(long code) const;
};
