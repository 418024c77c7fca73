#include "ui/tZoneDlg.h"

#include "astro/TimeDate.h"
#include "framework/gui/InputDialog.h"
#include "framework/gui/MessageBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// An offset in hours as a clock is set to it: whole hours without a fraction ("-5"), the
// quarter and half hours of the world's zones in full ("5.5", "5.75", "12.75").
std::string Hours(double hours)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", hours);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

} // namespace

tZoneDlg::tZoneDlg(QWidget* parent) : fw::Dialog(parent, "Time Zone Dialog")
{
    auto* presets = new QGroupBox("Zone", this);
    auto* presetColumn = new QVBoxLayout(presets);
    const struct {
        int id;
        const char* text;
    } buttons[] = {{kPacific, "Pacific"}, {kMountain, "Mountain"}, {kCentral, "Central"}, {kEastern, "Eastern"},
                   {kCustom, "Custom"}};
    for (const auto& b : buttons) presetColumn->addWidget(AddControl(b.id, new QPushButton(b.text, presets)));
    Body()->addWidget(presets, 0, 0, 2, 1);

    auto* mode = new QGroupBox("Daylight Savings", this);
    auto* modeGrid = new QGridLayout(mode);
    modeGrid->addWidget(AddControl(kAutomatic, new QRadioButton("Automatic", mode)), 0, 0);
    modeGrid->addWidget(AddControl(kManual, new QRadioButton("Manual", mode)), 1, 0);
    modeGrid->addWidget(AddControl(kSavingsTime, new QRadioButton("Savings Time", mode)), 0, 1);
    modeGrid->addWidget(AddControl(kStandardTime, new QRadioButton("Standard Time", mode)), 1, 1);
    modeGrid->addWidget(new QLabel("Begins", mode), 2, 0);
    modeGrid->addWidget(AddControl(kDstBegins, new QLabel(mode)), 2, 1);
    modeGrid->addWidget(new QLabel("Ends", mode), 3, 0);
    modeGrid->addWidget(AddControl(kDstEnds, new QLabel(mode)), 3, 1);
    GroupRadioButtons({kAutomatic, kManual});
    GroupRadioButtons({kSavingsTime, kStandardTime});
    Body()->addWidget(mode, 0, 1);

    auto* summaryLine = Place(kSummary, new QLabel(this), 1, 1);
    summaryLine->setMinimumWidth(380);
    AddStandardButtons(kHelpContext);

    OnCommand(kPacific, [this] { Preset(-8.0, "PACIFIC", 1); });
    OnCommand(kMountain, [this] { Preset(-7.0, "MOUNTAIN", 2); });
    OnCommand(kCentral, [this] { Preset(-6.0, "CENTRAL", 3); });
    OnCommand(kEastern, [this] { Preset(-5.0, "EASTERN", 4); });
    OnCommand(kCustom, [this] { CmCustom(); });
    OnCommand(kAutomatic, [this] {
        automatic = true;
        dstNow = zone.IsDst(TimeDate::Now());
        Refresh();
    });
    OnCommand(kManual, [this] {
        automatic = false;
        Refresh();
    });
    OnCommand(kSavingsTime, [this] {
        dstNow = true;
        Refresh();
    });
    OnCommand(kStandardTime, [this] {
        dstNow = false;
        Refresh();
    });
}

std::string tZoneDlg::Summary(const std::string& name, double offset, bool dst)
{
    if (dst) return name + " DAYLIGHT SAVINGS TIME (" + Hours(offset) + " + 1) = " + Hours(offset + 1);
    return name + " STANDARD TIME = " + Hours(offset);
}

void tZoneDlg::SetupWindow()
{
    const TimeDate now = TimeDate::Now();
    dstNow = zone.IsDst(now);
    SetControlText(kDstBegins, zone.DstStart(now.year).Format(0, 8, 2));
    SetControlText(kDstEnds, zone.DstEnd(now.year).Format(0, 8, 2));
    automatic = (zone.Flags() & TimeZone::DstForced) == 0;
    zoneName = zone.ZoneName();
    zoneNumber = zone.ZoneNumber();
    standardOffset = zone.OffsetMinutes(nullptr) * -0.016666666666666666;
    Refresh();
}

void tZoneDlg::Refresh()
{
    if (std::fabs(standardOffset) < 0.1) standardOffset = 0;
    shownOffset = dstNow ? standardOffset + 1 : standardOffset;
    CheckButton(kAutomatic, automatic ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    CheckButton(kManual, automatic ? fw::BF_UNCHECKED : fw::BF_CHECKED);
    EnableControl(kSavingsTime, !automatic);
    EnableControl(kStandardTime, !automatic);
    CheckButton(kSavingsTime, dstNow ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    CheckButton(kStandardTime, dstNow ? fw::BF_UNCHECKED : fw::BF_CHECKED);
    summary = Summary(zoneName, standardOffset, dstNow);
    SetControlText(kSummary, summary);
}

void tZoneDlg::Preset(double offset, const char* name, int number)
{
    standardOffset = offset;
    zoneName = name;
    zoneNumber = number;
    Refresh();
}

void tZoneDlg::CmCustom()
{
    zoneNumber = 0;
    std::string name = zoneName;
    if (fw::InputBox(this, "Custom Time Zone", "Please Enter Zone Name", name, 20) == fw::IDOK) zoneName = name;
    // The offer is the offset as it stands, fractions kept: confirming it changes nothing.
    std::string number = Hours(standardOffset);
    if (fw::InputBox(this, "Custom Time Zone", "Please Enter Zone Number (-12 to 11)", number) == fw::IDOK) {
        // Hours east as typed, fractions allowed; a text that is no number of hours a clock
        // can be off (nothing readable, infinite, beyond a day) keeps the offset as it was.
        const double hours = std::strtod(number.c_str(), nullptr);
        if (std::isfinite(hours) && std::fabs(hours) <= 24.0) standardOffset = hours;
    }
    Refresh();
}

void tZoneDlg::CmOk()
{
    zone.SetUtcOffset(static_cast<int>(standardOffset * -60.0));
    zone.SetDstShift(-60);
    zone.ClearFlags(TimeZone::DstForced);
    if (automatic) {
        zone.ClearFlags(TimeZone::DstForced);
        zone.SetFlags(TimeZone::DstObserved);
    } else {
        zone.SetFlags(TimeZone::DstForced);
        if (dstNow) zone.SetFlags(TimeZone::DstObserved);
        else zone.ClearFlags(TimeZone::DstObserved);
    }
    zone.SetName(zoneName);
    zone.SetZoneNumber(zoneNumber);
    fw::Dialog::CmOk();
}
