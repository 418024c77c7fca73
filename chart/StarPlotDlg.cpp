#include "chart/StarPlotDlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QWidget>

#include "chart/ChartFields.h"
#include "framework/gui/MessageBox.h"
#include "ui/TEditFloat.h"

StarPlotDlg::StarPlotDlg(QWidget* parent) : fw::Dialog(parent, "Star Chart Preferences")
{
    auto* fields = new QWidget(this);
    auto* form = new QFormLayout(fields);
    magnitude_ = AddControl(kMagnitude, new TEditFloat(fields, 10));
    magnitude_->setMinimumWidth(90);
    form->addRow("Plot Stars Brighter than Mag", magnitude_);
    form->addRow(AddControl(kDisplayStars, new QCheckBox("Display Stars", fields)));
    Body()->addWidget(fields, 0, 0);
    AddButton(fw::IDOK, "OK", true);
}

void StarPlotDlg::SetupWindow()
{
    CheckButton(kDisplayStars, displayStars ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    magnitude_->SetValue(magnitudeLimit);
}

void StarPlotDlg::CmOk()
{
    double limit = 0;
    if (!ReadChartField(*magnitude_, limit)) return;
    magnitudeLimit = limit;
    displayStars = IsButtonChecked(kDisplayStars) == fw::BF_CHECKED ? 1 : 0;
    CloseWindow(fw::IDOK);
}
