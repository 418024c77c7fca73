#include "ui/ObsSessionDlg.h"

#include "ui/FieldReading.h"
#include "ui/TEditTime.h"

#include <QFormLayout>
#include <QWidget>

ObsSessionDlg::ObsSessionDlg(QWidget* parent) : fw::Dialog(parent, "Observing Session Times")
{
    auto* fields = new QWidget(this);
    auto* form = new QFormLayout(fields);
    start_ = AddControl(kStart, new TEditTime(fields));
    finish_ = AddControl(kFinish, new TEditTime(fields));
    start_->setMinimumWidth(120);
    finish_->setMinimumWidth(120);
    form->addRow("START TIME (LMT)", start_);
    form->addRow("FINISH TIME (LMT)", finish_);
    Body()->addWidget(fields, 0, 0);
    AddStandardButtons(kHelpContext);
}

void ObsSessionDlg::SetupWindow()
{
    start_->SetValue(sessionStart);
    finish_->SetValue(sessionFinish);
}

void ObsSessionDlg::CmOk()
{
    // A time that cannot be read is said so; the dialog stays open on it.
    fw::TTime start, finish;
    if (!ReadTimeField(*start_, start) || !ReadTimeField(*finish_, finish)) return;
    sessionStart = start;
    sessionFinish = finish;
    fw::Dialog::CmOk();
}
