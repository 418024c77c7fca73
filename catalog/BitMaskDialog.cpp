#include "catalog/BitMaskDialog.h"

#include "framework/gui/MessageBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>

#include <algorithm>

BitMaskDialog::BitMaskDialog(QWidget* parent, const char* caption, int helpContext, const Layout& layout)
    : fw::Dialog(parent, caption)
{
    auto* group = new QGroupBox(layout.groupTitle, this);
    if (layout.groupId != 0)
        AddControl(layout.groupId, group);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(18);
    int rows = 0;
    for (std::size_t c = 0; c < layout.columns.size(); ++c) {
        const auto& column = layout.columns[c];
        for (std::size_t r = 0; r < column.size(); ++r) {
            grid->addWidget(AddControl(column[r].id, new QCheckBox(column[r].text, group)), int(r), int(c));
            boxes_.push_back(column[r]);
        }
        rows = std::max(rows, int(column.size()));
    }
    const int span = std::max<int>(1, int(layout.columns.size()));
    for (std::size_t w = 0; w < layout.wide.size(); ++w) {
        // A gap sets the exclusion boxes apart from the codes.
        if (w == 0)
            grid->setRowMinimumHeight(rows++, 8);
        grid->addWidget(AddControl(layout.wide[w].id, new QCheckBox(layout.wide[w].text, group)), rows++, 0, 1, span);
        boxes_.push_back(layout.wide[w]);
    }
    Body()->addWidget(group, 0, 0);
    AddStandardButtons(helpContext);
}

void BitMaskDialog::SetupWindow()
{
    for (const Box& b : boxes_)
        CheckButton(b.id, (mask & b.bit) ? fw::BF_CHECKED : fw::BF_UNCHECKED);
}

void BitMaskDialog::CmOk()
{
    std::int32_t rebuilt = 0;
    for (const Box& b : boxes_)
        if (IsButtonChecked(b.id) == fw::BF_CHECKED)
            rebuilt |= b.bit;
    mask = rebuilt;
    CloseWindow(fw::IDOK);
}
