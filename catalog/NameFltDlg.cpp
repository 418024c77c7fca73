#include "catalog/NameFltDlg.h"

#include "catalog/FilterSettings.h"

namespace {

const BitMaskDialog::Layout& Boxes()
{
    static const BitMaskDialog::Layout layout{
        "Lists and Names",
        0,
        {
            {
                {FilterSettings::kNameMessier, 101, "Display Messier Objects Only"},
                {FilterSettings::kNameCommon, 102, "Display Objects with Common Names"},
                {FilterSettings::kNameHerschel400, 103, "Display Herschel Objects Only"},
                {FilterSettings::kNameNgcOnly, 104, "Display NGC Objects Only"},
                {FilterSettings::kNameIcOnly, 105, "Display IC Objects Only"},
                {FilterSettings::kNameSac110, 106, "Display SAC 110 Best Objects Only"},
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
