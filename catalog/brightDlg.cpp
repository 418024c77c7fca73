#include "catalog/brightDlg.h"

namespace {

const BitMaskDialog::Layout& Boxes()
{
    static const BitMaskDialog::Layout layout{
        "Dreyer Brightness",
        113,
        {
            {
                {0x0001, 101, "Most Extremely Faint"},
                {0x0002, 102, "Extremely Faint"},
                {0x0004, 103, "Very Faint"},
                {0x0008, 104, "Faint"},
                {0x0010, 105, "Considerably Faint"},
                {0x0020, 106, "Pretty Faint"},
            },
            {
                {0x0040, 107, "Pretty Bright"},
                {0x0080, 108, "Considerably Bright"},
                {0x0100, 109, "Bright"},
                {0x0200, 110, "Very Bright"},
                {0x0400, 111, "Extremely Bright"},
                {0x0800, 112, "Most Extremely Bright"},
            },
        },
        {{0x1000, 115, "Exclude Objects with No Recognized Brightness Description"}},
    };
    return layout;
}

} // namespace

brightDlg::brightDlg(QWidget* parent)
    : BitMaskDialog(parent, "Object Brightness Filter Dialog", kHelpContext, Boxes())
{
}
