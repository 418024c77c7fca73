#include "catalog/TypeFilterDialog.h"

namespace {

const BitMaskDialog::Layout& Boxes()
{
    static const BitMaskDialog::Layout layout{
        "NGC 2000.0 Type",
        0,
        {
            {
                {0x0001, 101, "Galaxy"},
                {0x0002, 102, "Open Cluster"},
                {0x0004, 103, "Globular Cluster"},
                {0x0008, 104, "Bright Nebula"},
                {0x0010, 105, "Planetary Nebula"},
            },
            {
                {0x0020, 107, "Cluster+Nebulosity"},
                {0x0040, 108, "Asterism"},
                {0x0080, 109, "Knot (nebulous)"},
                {0x0100, 110, "Triple Star"},
                {0x0200, 111, "Double Star"},
            },
            {
                {0x0400, 112, "Single Star"},
                {0x0800, 113, "Uncertain"},
                {0x1000, 114, "Unknown"},
                {0x2000, 115, "Nonexistent"},
                {0x4000, 106, "Plate Defect"},
            },
        },
        {},
    };
    return layout;
}

} // namespace

TypeFilterDialog::TypeFilterDialog(QWidget* parent)
    : BitMaskDialog(parent, "Object Type Filter", kHelpContext, Boxes())
{
}
