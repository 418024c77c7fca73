#include "catalog/RaDecFltDlg.h"

#include "ui/FieldReading.h"
#include "framework/gui/MessageBox.h"
#include "ui/TEditDEC.h"
#include "ui/TEditRA.h"

#include <QFormLayout>
#include <QGroupBox>

namespace {
constexpr int kFieldWidth = 130;
} // namespace

RaDecFltDlg::RaDecFltDlg(QWidget* parent) : fw::Dialog(parent, "RA & DEC filter")
{
    auto* ra = AddControl(kRaGroup, new QGroupBox("Right Ascension", this));
    auto* raForm = new QFormLayout(ra);
    raMin_ = AddControl(kRaMin, new TEditRA(ra));
    raMax_ = AddControl(kRaMax, new TEditRA(ra));
    raForm->addRow("Min", raMin_);
    raForm->addRow("Max", raMax_);

    auto* dec = new QGroupBox("Declination", this);
    auto* decForm = new QFormLayout(dec);
    decMin_ = AddControl(kDecMin, new TEditDEC(dec));
    decMax_ = AddControl(kDecMax, new TEditDEC(dec));
    decForm->addRow("Min", decMin_);
    decForm->addRow("Max", decMax_);

    for (QWidget* field : {static_cast<QWidget*>(raMin_), static_cast<QWidget*>(raMax_),
                           static_cast<QWidget*>(decMin_), static_cast<QWidget*>(decMax_)})
        field->setMinimumWidth(kFieldWidth);
    Body()->addWidget(ra, 0, 0);
    Body()->addWidget(dec, 0, 1);
    AddStandardButtons(kHelpContext);
}

void RaDecFltDlg::SetupWindow()
{
    raMin_->SetValue(raMin);
    raMax_->SetValue(raMax);
    decMin_->SetValue(decMin);
    decMax_->SetValue(decMax);
}

void RaDecFltDlg::CmOk()
{
    double values[4];
    if (!ReadValueField(*raMin_, values[0]) || !ReadValueField(*raMax_, values[1]) ||
        !ReadValueField(*decMin_, values[2]) || !ReadValueField(*decMax_, values[3]))
        return;
    raMin = values[0];
    raMax = values[1];
    decMin = values[2];
    decMax = values[3];
    CloseWindow(fw::IDOK);
}
