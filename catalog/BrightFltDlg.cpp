#include "catalog/BrightFltDlg.h"

#include "ui/FieldReading.h"
#include "catalog/FilterSettings.h"
#include "catalog/ObjectFlags.h"
#include "catalog/brightDlg.h"
#include "framework/gui/MessageBox.h"
#include "ui/TEditFloat.h"

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
    {BrightFltDlg::kDreyerActive, ObjectFlag::kDreyerBrightness},
    {BrightFltDlg::kMagnitudeActive, ObjectFlag::kMagnitude},
    {BrightFltDlg::kMagnitudeRequired, FilterSettings::kNoMagnitudeFails},
};

} // namespace

BrightFltDlg::BrightFltDlg(QWidget* parent) : fw::Dialog(parent, "Object Brightness Filter")
{
    auto* dreyer = new QGroupBox("Dreyer Brightness", this);
    auto* dreyerRow = new QHBoxLayout(dreyer);
    dreyerRow->addWidget(AddControl(kDreyerActive, new QCheckBox("Active", dreyer)));
    dreyerRow->addStretch(1);
    auto* modify = AddControl(kModifyDreyer, new QPushButton("Modify...", dreyer));
    modify->setAutoDefault(false);
    dreyerRow->addWidget(modify);

    auto* total = new QGroupBox("Total Magnitude", this);
    auto* totalColumn = new QVBoxLayout(total);
    totalColumn->addWidget(AddControl(kMagnitudeActive, new QCheckBox("Total Magnitude is Active", total)));
    totalColumn->addWidget(AddControl(kMagnitudeRequired, new QCheckBox("Must Have a Magnitude Entry", total)));
    auto* form = new QFormLayout();
    brightest_ = AddControl(kBrightest, new TEditFloat(total));
    dimmest_ = AddControl(kDimmest, new TEditFloat(total));
    brightest_->setMinimumWidth(kFieldWidth);
    dimmest_->setMinimumWidth(kFieldWidth);
    form->addRow("Brightest", brightest_);
    form->addRow("Dimmest", dimmest_);
    totalColumn->addLayout(form);

    Body()->addWidget(dreyer, 0, 0);
    Body()->addWidget(total, 1, 0);
    AddStandardButtons(kHelpContext);
    OnCommand(kModifyDreyer, [this] { CmDreyer(); });
}

void BrightFltDlg::SetupWindow()
{
    for (const Box& b : kBoxes)
        CheckButton(b.id, (brightnessCriteria & b.bit) ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    brightest_->SetValue(magnitudeMin);
    dimmest_->SetValue(magnitudeMax);
}

void BrightFltDlg::CmOk()
{
    double brightest = 0, dimmest = 0;
    if (!ReadValueField(*brightest_, brightest) || !ReadValueField(*dimmest_, dimmest))
        return;
    std::int32_t criteria = 0;
    for (const Box& b : kBoxes)
        if (IsButtonChecked(b.id) == fw::BF_CHECKED)
            criteria |= b.bit;
    brightnessCriteria = criteria;
    magnitudeMin = brightest;
    magnitudeMax = dimmest;
    CloseWindow(fw::IDOK);
}

void BrightFltDlg::CmDreyer()
{
    brightDlg dlg(this);
    dlg.mask = dreyerBrightnessMask;
    if (dlg.Execute() == fw::IDOK)
        dreyerBrightnessMask = dlg.mask;
}
