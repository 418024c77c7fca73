#include "catalog/NameFltDlg.h"

namespace {

const BitMaskDialog::Layout& Boxes()
{
    static const BitMaskDialog::Layout layout{
        "Lists and Names",
        0,
        {
            {
                {0x0008, 101, "Display Messier Objects Only"},
                {0x0001, 102, "Display Objects with Common Names"},
                {0x0002, 103, "Display Herschel Objects Only"},
                {0x0010, 104, "Display NGC Objects Only"},
                {0x0004, 105, "Display IC Objects Only"},
                {0x0020, 106, "Display SAC 110 Best Objects Only"},
            },
        },
        {},
    };
    return layout;
}

} // namespace

NameFltDlg::NameFltDlg(QWidget* parent)
    : BitMaskDialog(parent, "Object List and Name Filter", kHelpContext, Boxes())
{
}
