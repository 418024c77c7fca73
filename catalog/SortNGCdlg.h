// "Sort Order Selection": up to four sort keys, each with its direction, for the list the
// sort criteria have selected (the filtered list or the observing list).
#pragma once

#include "catalog/SortCriteria.h"
#include "framework/gui/Dialog.h"

namespace fw { class ComboBox; }

class SortNGCdlg : public fw::Dialog {
public:
    static constexpr int kTemplate = 1;
    static constexpr int kHelpContext = 79;
    static constexpr int kKeyCount = 4;
    // Combo box, "Ascending" and "Descending" of key n (1-4).
    static int KeyCombo(int n) { return 101 + (n - 1) * 3; }
    static int AscendingButton(int n) { return KeyCombo(n) + 1; }
    static int DescendingButton(int n) { return KeyCombo(n) + 2; }

    explicit SortNGCdlg(QWidget* parent, int resourceId = kTemplate);

    // The criteria edited, with the list to edit selected; set before execution, read after OK.
    SortCriteria criteria;

protected:
    void SetupWindow() override;
    void CmOk() override;

private:
    fw::ComboBox* keys_[kKeyCount];
};
