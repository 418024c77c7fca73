#include "catalog/sizeDlg.h"

namespace {

const BitMaskDialog::Layout& Boxes()
{
    static const BitMaskDialog::Layout layout{
        "Dreyer Description of Size",
        0,
        {
            {
                {0x0001, 101, "Most Extremely Small"},
                {0x0002, 102, "Extremely Small"},
                {0x0004, 103, "Very Small"},
                {0x0008, 104, "Small"},
                {0x0010, 105, "Considerably Small"},
                {0x0020, 106, "Pretty Small"},
            },
            {
                {0x0040, 107, "Pretty Large"},
                {0x0080, 108, "Considerably Large"},
                {0x0100, 109, "Large"},
                {0x0200, 110, "Very Large"},
                {0x0400, 111, "Extremely Large"},
                {0x0800, 112, "Most Extremely Large"},
            },
        },
        {{0x1000, 113, "Exclude Objects with No Recognized Size Description"}},
    };
    return layout;
}

} // namespace

sizeDlg::sizeDlg(QWidget* parent)
    : BitMaskDialog(parent, "Object Size Filter Dialog", kHelpContext, Boxes())
{
}
