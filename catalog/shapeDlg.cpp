#include "catalog/shapeDlg.h"

namespace {

const BitMaskDialog::Layout& Boxes()
{
    static const BitMaskDialog::Layout layout{
        "Dreyer Shape",
        0,
        {
            {
                {0x0001, 101, "Round"},
                {0x0002, 102, "Pretty Round"},
                {0x0004, 103, "Very Very Little Extended"},
                {0x0008, 104, "Very Little Extended"},
                {0x0010, 105, "Pretty Little Extended"},
                {0x0020, 106, "Little Extended"},
                {0x0040, 107, "Extended"},
            },
            {
                {0x0080, 108, "Pretty Extended"},
                {0x0100, 109, "Considerably Extended"},
                {0x0200, 110, "Pretty Much Extended"},
                {0x0400, 111, "Much Extended"},
                {0x0800, 112, "Very Extended"},
                {0x1000, 113, "Very Much Extended"},
                {0x2000, 114, "Extremely Extended"},
            },
        },
        {{0x4000, 115, "Exclude Objects with No Recognized Shape Description"}},
    };
    return layout;
}

} // namespace

shapeDlg::shapeDlg(QWidget* parent)
    : BitMaskDialog(parent, "Object Shape Filter", kHelpContext, Boxes())
{
}
