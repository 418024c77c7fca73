#include "chart/CoordEntryDlg.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>

#include "chart/ChartFields.h"
#include "framework/gui/MessageBox.h"
#include "ui/TEditDEC.h"
#include "ui/TEditRA.h"
#include "ui/TEditSize.h"

namespace {
constexpr int kCenterLimit = 30;
constexpr int kValueWidth = 120;
} // namespace

CoordEntryDlg::CoordEntryDlg(QWidget* parent) : fw::Dialog(parent, "Center Chart")
{
    auto* center = new QGroupBox("Center", this);
    auto* centerForm = new QFormLayout(center);
    ra_ = AddControl(kCenterRA, new TEditRA(center, kCenterLimit));
    dec_ = AddControl(kCenterDec, new TEditDEC(center, kCenterLimit));
    centerForm->addRow("Right Ascension", ra_);
    centerForm->addRow("Declination", dec_);
    auto* recenter = AddControl(kRecenterOnObject, new QPushButton("Recenter on Object", center));
    recenter->setAutoDefault(false);
    centerForm->addRow(recenter);

    auto* field = new QGroupBox("Field of View (degrees)", this);
    auto* fieldForm = new QFormLayout(field);
    width_ = AddControl(kFieldWidth, new TEditSize(field));
    height_ = AddControl(kFieldHeight, new TEditSize(field));
    fieldForm->addRow("Min Horizontal", width_);
    fieldForm->addRow("Min Vertical", height_);
    auto* standard = AddControl(kDefaultField, new QPushButton("Default Field of View", field));
    standard->setAutoDefault(false);
    fieldForm->addRow(standard);

    for (QWidget* w : {static_cast<QWidget*>(ra_), static_cast<QWidget*>(dec_), static_cast<QWidget*>(width_),
                       static_cast<QWidget*>(height_)})
        w->setMinimumWidth(kValueWidth);
    Body()->addWidget(center, 0, 0);
    Body()->addWidget(field, 0, 1);
    AddStandardButtons(kHelpContext);
}

void CoordEntryDlg::SetupWindow()
{
    ra_->SetValue(centerRA);
    dec_->SetValue(centerDec);
    width_->SetValue(fieldWidth);
    height_->SetValue(fieldHeight);
    EnableControl(kRecenterOnObject, objectKnown);
}

bool CoordEntryDlg::EvCommand(int id)
{
    switch (id) {
    case kRecenterOnObject:
        if (!objectKnown) return true;
        ra_->SetValue(objectRA);
        dec_->SetValue(objectDec);
        return true;
    case kDefaultField:
        width_->SetValue(kDefaultFieldWidth);
        height_->SetValue(kDefaultFieldHeight);
        return true;
    default: return fw::Dialog::EvCommand(id);
    }
}

void CoordEntryDlg::CmOk()
{
    double ra = 0, dec = 0, width = 0, height = 0;
    if (!ReadChartField(*ra_, ra) || !ReadChartField(*dec_, dec) || !ReadChartField(*width_, width) ||
        !ReadChartField(*height_, height))
        return;
    centerRA = ra;
    centerDec = dec;
    fieldWidth = width;
    fieldHeight = height;
    CloseWindow(fw::IDOK);
}
