#include "chart/LabelDlg.h"

#include <QCheckBox>
#include <QGridLayout>

#include "framework/gui/MessageBox.h"

LabelDlg::LabelDlg(QWidget* parent) : fw::Dialog(parent, "Chart Label Options")
{
    Place(kUserLabels, new QCheckBox("User Defined Labels", this), 0, 0);
    Place(kListObjects, new QCheckBox("Show Observing List Objects", this), 1, 0);
    Place(kListOrder, new QCheckBox("Show Observing Order", this), 2, 0);
    AddStandardButtons();
}

void LabelDlg::SetupWindow()
{
    CheckButton(kUserLabels, userLabels ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    CheckButton(kListObjects, listObjects ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    CheckButton(kListOrder, listOrder ? fw::BF_CHECKED : fw::BF_UNCHECKED);
}

void LabelDlg::CmOk()
{
    userLabels = IsButtonChecked(kUserLabels) == fw::BF_CHECKED ? 1 : 0;
    listObjects = IsButtonChecked(kListObjects) == fw::BF_CHECKED ? 1 : 0;
    listOrder = IsButtonChecked(kListOrder) == fw::BF_CHECKED ? 1 : 0;
    CloseWindow(fw::IDOK);
}
