#include "ui/timedate.h"

#include "framework/gui/MessageBox.h"
#include "ui/Spinner.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace {

struct FieldSpec {
    int id;
    const char* caption;
    int minimum, maximum, textLimit, style;
};
// In the order the fields stand: the date, then the time.
constexpr FieldSpec kFields[6] = {
    {timedate::kMonth, "Month", 1, 12, 15, spinner::MonthName}, {timedate::kDay, "Day", 1, 31, 3, spinner::Number},
    {timedate::kYear, "Year", -4000, 3000, 7, spinner::Number}, {timedate::kHour, "Hour", 0, 23, 3, spinner::Number},
    {timedate::kMinute, "Minute", 0, 59, 3, spinner::Number},   {timedate::kSecond, "Second", 0, 59, 3, spinner::Number},
};

} // namespace

timedate::timedate(QWidget* parent) : fw::Dialog(parent, "Time and Date")
{
    auto* mode = new QGroupBox("Clock", this);
    auto* modeRow = new QHBoxLayout(mode);
    modeRow->addWidget(AddControl(kSystem, new QRadioButton("SYSTEM", mode)));
    modeRow->addWidget(AddControl(kManual, new QRadioButton("MANUAL", mode)));
    GroupRadioButtons({kSystem, kManual});
    Body()->addWidget(mode, 0, 0, 1, 3);

    for (int i = 0; i < 6; ++i) {
        const FieldSpec& f = kFields[i];
        const int row = 1 + 2 * (i / 3), column = i % 3;
        Body()->addWidget(new QLabel(f.caption, this), row, column);
        fields_[i] = new spinner(this, f.id, f.minimum, f.maximum, f.textLimit, f.style, this);
        fields_[i]->setMinimumWidth(f.style == spinner::MonthName ? 130 : 90);
        Body()->addWidget(fields_[i], row + 1, column);
    }
    AddStandardButtons(kHelpContext);
    OnCommand(kSystem, [this] { SetMode(true); });
    OnCommand(kManual, [this] { SetMode(false); });
}

timedate::~timedate()
{
    KillTimer(kTimer);
}

void timedate::SetupWindow()
{
    SetTimer(kTimer, 1000);
    WriteFields();
    SetMode(follow);
}

void timedate::WriteFields()
{
    const int values[6] = {edited.month, edited.day, edited.year, edited.hour, edited.minute, edited.second};
    for (int i = 0; i < 6; ++i) fields_[i]->SetValue(values[i]);
}

void timedate::SetMode(bool system)
{
    follow = system;
    CheckButton(kSystem, system ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    CheckButton(kManual, system ? fw::BF_UNCHECKED : fw::BF_CHECKED);
    if (system) {
        edited = TimeDate::Now();
        WriteFields();
    }
    for (spinner* field : fields_) {
        field->setReadOnly(system);
        field->ShowArrows(!system);
    }
}

void timedate::EvTimer(int id)
{
    if (id != kTimer || !follow) return;
    edited = TimeDate::Now();
    WriteFields();
}

void timedate::CmOk()
{
    if (!follow) {
        int v[6];
        for (int i = 0; i < 6; ++i) v[i] = fields_[i]->GetValue();
        edited = TimeDate(v[2], v[0], v[1], v[3], v[4], v[5]);
    }
    fw::Dialog::CmOk();
}

bool timedate::CanClose()
{
    if (!fw::Dialog::CanClose()) return false;
    if (edited.IsValid()) return true;
    fw::MessageBox(this, "Invalid Date Entered...", "ENTRY ERROR", fw::MB_OK | fw::MB_ICONEXCLAMATION);
    return false;
}
