#include "catalog/HistoryFltDlg.h"

#include "catalog/FilterSettings.h"

#include "framework/gui/MessageBox.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

HistoryFltDlg::HistoryFltDlg(QWidget* parent) : fw::Dialog(parent, "Observing History")
{
    auto* group = AddControl(kGroup, new QGroupBox("Filtered Observing Log ", this));
    auto* column = new QVBoxLayout(group);
    column->addWidget(AddControl(kPass, new QRadioButton("Pass Objects", group)));
    column->addWidget(AddControl(kReject, new QRadioButton("Reject Objects", group)));
    Body()->addWidget(group, 0, 0);
    GroupRadioButtons({kPass, kReject});
    AddStandardButtons(kHelpContext);
}

void HistoryFltDlg::SetupWindow()
{
    CheckButton(historyCriteria == FilterSettings::kHistoryRejectLogged ? kReject : kPass, fw::BF_CHECKED);
}

void HistoryFltDlg::CmOk()
{
    historyCriteria = IsButtonChecked(kReject) == fw::BF_CHECKED ? FilterSettings::kHistoryRejectLogged
                                                                    : FilterSettings::kHistoryPassLogged;
    CloseWindow(fw::IDOK);
}
