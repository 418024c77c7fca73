#include "catalog/SizeFltDlg.h"

#include "ui/FieldReading.h"
#include "catalog/FilterSettings.h"
#include "catalog/ObjectFlags.h"
#include "catalog/sizeDlg.h"
#include "framework/gui/MessageBox.h"
#include "ui/TEditSize.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kFieldWidth = 120;

struct Box {
    int id;
    std::int32_t bit;
};
const Box kBoxes[] = {
    {SizeFltDlg::kDreyerActive, ObjectFlag::kDreyerSize},
    {SizeFltDlg::kDiameterActive, ObjectFlag::kDiameter},
    {SizeFltDlg::kDiameterRequired, FilterSettings::kNoDiameterFails},
};

} // namespace

SizeFltDlg::SizeFltDlg(QWidget* parent) : fw::Dialog(parent, "Object Size Filter")
{
    auto* dreyer = new QGroupBox("Dreyer Description", this);
    auto* dreyerRow = new QHBoxLayout(dreyer);
    dreyerRow->addWidget(AddControl(kDreyerActive, new QCheckBox("Dreyer Size", dreyer)));
    dreyerRow->addStretch(1);
    auto* modify = AddControl(kModifyDreyer, new QPushButton("Modify...", dreyer));
    modify->setAutoDefault(false);
    dreyerRow->addWidget(modify);

    auto* measured = new QGroupBox("Measured Size", this);
    auto* measuredColumn = new QVBoxLayout(measured);
    measuredColumn->addWidget(AddControl(kDiameterActive, new QCheckBox("Diameter", measured)));
    measuredColumn->addWidget(AddControl(kDiameterRequired, new QCheckBox("Must have a Diameter Entry", measured)));
    auto* form = new QFormLayout();
    minimum_ = AddControl(kMinimum, new TEditSize(measured));
    maximum_ = AddControl(kMaximum, new TEditSize(measured));
    minimum_->setMinimumWidth(kFieldWidth);
    maximum_->setMinimumWidth(kFieldWidth);
    form->addRow("Minimum", minimum_);
    form->addRow("Maximum", maximum_);
    measuredColumn->addLayout(form);

    Body()->addWidget(dreyer, 0, 0);
    Body()->addWidget(measured, 1, 0);
    AddStandardButtons(kHelpContext);
    OnCommand(kModifyDreyer, [this] { CmDreyer(); });
}

void SizeFltDlg::SetupWindow()
{
    for (const Box& b : kBoxes)
        CheckButton(b.id, (sizeCriteria & b.bit) ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    minimum_->SetValue(diameterMin);
    maximum_->SetValue(diameterMax);
}

void SizeFltDlg::CmOk()
{
    double minimum = 0, maximum = 0;
    if (!ReadValueField(*minimum_, minimum) || !ReadValueField(*maximum_, maximum))
        return;
    std::int32_t criteria = 0;
    for (const Box& b : kBoxes)
        if (IsButtonChecked(b.id) == fw::BF_CHECKED)
            criteria |= b.bit;
    sizeCriteria = criteria;
    diameterMin = minimum;
    diameterMax = maximum;
    CloseWindow(fw::IDOK);
}

void SizeFltDlg::CmDreyer()
{
    sizeDlg dlg(this);
    dlg.mask = dreyerSizeMask;
    if (dlg.Execute() == fw::IDOK)
        dreyerSizeMask = dlg.mask;
}
