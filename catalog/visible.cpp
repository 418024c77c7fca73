#include "catalog/visible.h"

#include "ui/FieldReading.h"
#include "framework/gui/MessageBox.h"
#include "ui/TEditDEC.h"
#include "ui/TEditTime.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kFieldWidth = 120;
} // namespace

visible::visible(QWidget* parent) : fw::Dialog(parent, "Time & Altitude Filter")
{
    auto* note = new QLabel("In order to pass this filter, an object must enter the altitude window at some "
                            "point during the specified time interval",
                            this);
    note->setWordWrap(true);
    Body()->addWidget(note, 0, 0, 1, 2);

    auto* time = AddControl(kTimeGroup, new QGroupBox("Time Interval", this));
    auto* timeColumn = new QVBoxLayout(time);
    timeColumn->addWidget(AddControl(kCurrentTime, new QRadioButton("Current Time", time)));
    timeColumn->addWidget(AddControl(kSession, new QRadioButton("Observing Session", time)));
    auto* sessionForm = new QFormLayout();
    sessionForm->setContentsMargins(20, 0, 0, 0);
    start_ = AddControl(kSessionStart, new TEditTime(time));
    end_ = AddControl(kSessionEnd, new TEditTime(time));
    sessionForm->addRow("Observing Session Start", start_);
    sessionForm->addRow("Observing Session End", end_);
    timeColumn->addLayout(sessionForm);
    timeColumn->addStretch(1);

    auto* altitude = AddControl(kAltitudeGroup, new QGroupBox("Altitude Window", this));
    auto* altitudeForm = new QFormLayout(altitude);
    minimum_ = AddControl(kMinAltitude, new TEditDEC(altitude));
    maximum_ = AddControl(kMaxAltitude, new TEditDEC(altitude));
    altitudeForm->addRow("Minimum Altitude", minimum_);
    altitudeForm->addRow("Maximum Altitude", maximum_);

    for (QWidget* field : {static_cast<QWidget*>(start_), static_cast<QWidget*>(end_),
                           static_cast<QWidget*>(minimum_), static_cast<QWidget*>(maximum_)})
        field->setMinimumWidth(kFieldWidth);
    Body()->addWidget(time, 1, 0);
    Body()->addWidget(altitude, 1, 1, Qt::AlignTop);
    GroupRadioButtons({kCurrentTime, kSession});
    AddStandardButtons(kHelpContext);
}

void visible::SetupWindow()
{
    if (elevationMode & kAtCurrentTime)
        CheckButton(kCurrentTime, fw::BF_CHECKED);
    else if (elevationMode & kDuringSession)
        CheckButton(kSession, fw::BF_CHECKED);
    start_->SetValue(sessionStart);
    end_->SetValue(sessionEnd);
    minimum_->SetValue(minAltitude.Degrees());
    maximum_->SetValue(maxAltitude.Degrees());
}

void visible::CmOk()
{
    fw::TTime start, end;
    double minimum = 0, maximum = 0;
    if (!ReadTimeField(*start_, start) || !ReadTimeField(*end_, end) || !ReadValueField(*minimum_, minimum) ||
        !ReadValueField(*maximum_, maximum))
        return;
    sessionStart = start;
    sessionEnd = end;
    minAltitude = Angle(minimum, Angle::kDegrees);
    maxAltitude = Angle(maximum, Angle::kDegrees);
    if (IsButtonChecked(kCurrentTime) == fw::BF_CHECKED)
        elevationMode = kAtCurrentTime;
    else if (IsButtonChecked(kSession) == fw::BF_CHECKED)
        elevationMode = kDuringSession;
    else
        elevationMode = 0;
    CloseWindow(fw::IDOK);
}
