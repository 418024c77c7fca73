// Base of the filter dialogs that edit one mask with one check box per bit (Dreyer
// brightness, size and shape, object type, name and list). Set-up checks each box whose bit
// is set; OK rebuilds the mask from 0, so bits that no box shows are dropped.
#pragma once

#include "framework/gui/Dialog.h"

#include <cstdint>
#include <vector>

class BitMaskDialog : public fw::Dialog {
public:
    struct Box {
        std::int32_t bit;
        int id;
        const char* text;
    };
    // How the boxes stand: the columns of the group in display order, then the boxes that
    // take a whole row of their own below them.
    struct Layout {
        const char* groupTitle;
        int groupId;  // 0: the group box has no id
        std::vector<std::vector<Box>> columns;
        std::vector<Box> wide;
    };

    // The mask the dialog edits: set by the creator before execution, read after OK.
    std::int32_t mask = 0;

protected:
    BitMaskDialog(QWidget* parent, const char* caption, int helpContext, const Layout& layout);

    void SetupWindow() override;
    void CmOk() override;

private:
    std::vector<Box> boxes_;
};
