#include "catalog/PositFltDlg.h"

#include "catalog/ObjectFlags.h"
#include "catalog/RaDecFltDlg.h"
#include "catalog/constFilter.h"
#include "catalog/visible.h"
#include "framework/gui/MessageBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

namespace {

struct Row {
    int box;
    const char* text;
    int button;
    std::uint16_t bit;
};
const Row kRows[] = {
    {PositFltDlg::kElevationActive, "Positive Elevation Active", PositFltDlg::kModifyElevation, ObjectFlag::kElevation},
    {PositFltDlg::kConstellationActive, "Constellation Filter Active", PositFltDlg::kModifyConstellations,
     ObjectFlag::kConstellation},
    {PositFltDlg::kRaDecActive, "RA / DEC Filter Active", PositFltDlg::kModifyRaDec, ObjectFlag::kRaDec},
};

// A clock time of the session as the time field shows it: today at the hour and minute.
fw::TTime ClockTime(std::int32_t hour, std::int32_t minute)
{
    return fw::TTime(fw::TDate::Today(), int(hour), int(minute), 0);
}

} // namespace

PositFltDlg::PositFltDlg(QWidget* parent) : fw::Dialog(parent, "Object Position Filter")
{
    int r = 0;
    for (const Row& row : kRows) {
        Place(row.box, new QCheckBox(row.text, this), r, 0);
        auto* button = Place(row.button, new QPushButton("Modify...", this), r, 1);
        button->setAutoDefault(false);
        ++r;
    }
    Body()->setColumnStretch(0, 1);
    Body()->setHorizontalSpacing(24);
    AddStandardButtons(kHelpContext);
    OnCommand(kModifyElevation, [this] { CmElevation(); });
    OnCommand(kModifyConstellations, [this] { CmConstellations(); });
    OnCommand(kModifyRaDec, [this] { CmRaDec(); });
}

void PositFltDlg::SetupWindow()
{
    for (const Row& row : kRows)
        CheckButton(row.box, (positionCriteria & row.bit) ? fw::BF_CHECKED : fw::BF_UNCHECKED);
}

void PositFltDlg::CmOk()
{
    std::int32_t criteria = 0;
    for (const Row& row : kRows)
        if (IsButtonChecked(row.box) == fw::BF_CHECKED)
            criteria |= row.bit;
    positionCriteria = criteria;
    CloseWindow(fw::IDOK);
}

void PositFltDlg::CmElevation()
{
    visible dlg(this);
    dlg.sessionStart = ClockTime(sessionStartHour, sessionStartMinute);
    dlg.sessionEnd = ClockTime(sessionEndHour, sessionEndMinute);
    dlg.minAltitude = minAltitude;
    dlg.maxAltitude = maxAltitude;
    dlg.elevationMode = elevationMode;
    if (dlg.Execute() != fw::IDOK)
        return;
    sessionStartHour = dlg.sessionStart.Hour();
    sessionStartMinute = dlg.sessionStart.Minute();
    sessionEndHour = dlg.sessionEnd.Hour();
    sessionEndMinute = dlg.sessionEnd.Minute();
    minAltitude = dlg.minAltitude;
    maxAltitude = dlg.maxAltitude;
    elevationMode = dlg.elevationMode;
}

void PositFltDlg::CmConstellations()
{
    constFilter dlg(this);
    dlg.constellations = constellations;
    if (dlg.Execute() == fw::IDOK)
        constellations = dlg.constellations;
}

void PositFltDlg::CmRaDec()
{
    RaDecFltDlg dlg(this);
    dlg.raMin = raMin;
    dlg.raMax = raMax;
    dlg.decMin = decMin;
    dlg.decMax = decMax;
    if (dlg.Execute() != fw::IDOK)
        return;
    raMin = dlg.raMin;
    raMax = dlg.raMax;
    decMin = dlg.decMin;
    decMax = dlg.decMax;
}
