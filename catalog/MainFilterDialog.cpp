#include "catalog/MainFilterDialog.h"

#include "catalog/BrightFltDlg.h"
#include "catalog/HistoryFltDlg.h"
#include "catalog/NameFltDlg.h"
#include "catalog/ObjectFlags.h"
#include "catalog/PositFltDlg.h"
#include "catalog/SizeFltDlg.h"
#include "catalog/TypeFilterDialog.h"
#include "catalog/shapeDlg.h"
#include "framework/gui/MessageBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <cmath>
#include <string>

namespace {

struct Section {
    int button;
    const char* text;
    int box;
    std::uint16_t bits;
    int count;
    int passEntry;
};
// In the order the dialog lists them.
const Section kSections[] = {
    {MainFilterDialog::kPosition, "Position...", MainFilterDialog::kPositionActive, ObjectFlag::kPositionGroup,
     MainFilterDialog::kPositionCount, FilterSettings::kPassPosition},
    {MainFilterDialog::kBrightness, "Brightness...", MainFilterDialog::kBrightnessActive,
     ObjectFlag::kBrightnessGroup, MainFilterDialog::kBrightnessCount, FilterSettings::kPassBrightness},
    {MainFilterDialog::kSize, "Size...", MainFilterDialog::kSizeActive, ObjectFlag::kSizeGroup,
     MainFilterDialog::kSizeCount, FilterSettings::kPassSize},
    {MainFilterDialog::kShape, "Shape...", MainFilterDialog::kShapeActive, ObjectFlag::kShape,
     MainFilterDialog::kShapeCount, FilterSettings::kPassShape},
    {MainFilterDialog::kType, "Type...", MainFilterDialog::kTypeActive, ObjectFlag::kType,
     MainFilterDialog::kTypeCount, FilterSettings::kPassType},
    {MainFilterDialog::kName, "Name...", MainFilterDialog::kNameActive, ObjectFlag::kName,
     MainFilterDialog::kNameCount, FilterSettings::kPassName},
    {MainFilterDialog::kHistory, "Observing History...", MainFilterDialog::kHistoryActive, ObjectFlag::kHistory,
     MainFilterDialog::kHistoryCount, FilterSettings::kPassHistory},
};

// An altitude as the settings keep it: whole degrees, cut toward zero. The reading is rounded
// to a millionth of a degree first, so that a whole number that went through radians
// (29.999999999999996) stays that number.
std::int16_t WholeDegrees(const Angle& a)
{
    const double degrees = std::round(a.Degrees() * 1e6) / 1e6;
    return std::int16_t(std::trunc(degrees));
}

} // namespace

MainFilterDialog::MainFilterDialog(QWidget* parent, int /*resourceId*/) : fw::Dialog(parent, "Filter Selection")
{
    int row = 0;
    for (const Section& s : kSections) {
        auto* button = Place(s.button, new QPushButton(s.text, this), row, 0);
        button->setAutoDefault(false);
        Place(s.box, new QCheckBox("Active", this), row, 1);
        auto* count = Place(s.count, new QLabel(this), row, 2);
        count->setMinimumWidth(count->fontMetrics().horizontalAdvance("Open Log to activate filter") + 8);
        ++row;
    }
    Body()->setHorizontalSpacing(16);
    Body()->setColumnStretch(2, 1);
    AddStandardButtons(kHelpContext);

    OnCommand(kPosition, [this] { CmPosition(); });
    OnCommand(kBrightness, [this] { CmBrightness(); });
    OnCommand(kSize, [this] { CmSize(); });
    OnCommand(kShape, [this] { CmShape(); });
    OnCommand(kType, [this] { CmType(); });
    OnCommand(kName, [this] { CmName(); });
    OnCommand(kHistory, [this] { CmHistory(); });
}

void MainFilterDialog::SetupWindow()
{
    std::int32_t enabled = settings.EnabledCriteria();
    if (!LogOpen) {
        enabled &= ~std::int32_t(ObjectFlag::kHistory);
        settings.SetEnabledCriteria(enabled);
    }
    for (const Section& s : kSections)
        CheckButton(s.box, (enabled & s.bits) ? fw::BF_CHECKED : fw::BF_UNCHECKED);
}

void MainFilterDialog::ShowPassCounts()
{
    for (const Section& s : kSections)
        SetControlText(s.count, "Filter Passes: " + std::to_string(settings.passCounts[s.passEntry]) + "  Objects");
    EnableControl(kHistory, LogOpen != 0);
    EnableControl(kHistoryActive, LogOpen != 0);
    if (!LogOpen) {
        settings.SetEnabledCriteria(settings.EnabledCriteria() & ~std::int32_t(ObjectFlag::kHistory));
        SetControlText(kHistoryCount, "Open Log to activate filter");
    }
}

void MainFilterDialog::CmOk()
{
    std::int32_t enabled = 0;
    for (const Section& s : kSections)
        if (IsButtonChecked(s.box) == fw::BF_CHECKED)
            enabled |= s.bits;
    if (!LogOpen)
        enabled &= ~std::int32_t(ObjectFlag::kHistory);
    settings.SetEnabledCriteria(enabled);
    if (ApplyOnOk())
        CloseWindow(fw::IDOK);
}

void MainFilterDialog::CmPosition()
{
    FilterSettings& s = settings;
    PositFltDlg dlg(this);
    dlg.positionCriteria = s.positionCriteria;
    dlg.raMin = s.raMin;
    dlg.raMax = s.raMax;
    dlg.decMin = s.decMin;
    dlg.decMax = s.decMax;
    dlg.constellations = s.constellations;
    dlg.elevationMode = s.elevationMode;
    dlg.sessionStartHour = s.sessionStartHour;
    dlg.sessionStartMinute = s.sessionStartMinute;
    dlg.sessionEndHour = s.sessionEndHour;
    dlg.sessionEndMinute = s.sessionEndMinute;
    dlg.minAltitude = Angle(s.minAltitude, Angle::kDegrees);
    dlg.maxAltitude = Angle(s.maxAltitude, Angle::kDegrees);
    if (dlg.Execute() != fw::IDOK)
        return;
    s.positionCriteria = dlg.positionCriteria;
    s.raMin = dlg.raMin;
    s.raMax = dlg.raMax;
    s.decMin = dlg.decMin;
    s.decMax = dlg.decMax;
    s.constellations = dlg.constellations;
    s.elevationMode = dlg.elevationMode;
    s.sessionStartHour = std::int16_t(dlg.sessionStartHour);
    s.sessionStartMinute = std::int16_t(dlg.sessionStartMinute);
    s.sessionEndHour = std::int16_t(dlg.sessionEndHour);
    s.sessionEndMinute = std::int16_t(dlg.sessionEndMinute);
    s.minAltitude = WholeDegrees(dlg.minAltitude);
    s.maxAltitude = WholeDegrees(dlg.maxAltitude);
    PositionChanged();
}

void MainFilterDialog::CmBrightness()
{
    FilterSettings& s = settings;
    BrightFltDlg dlg(this);
    dlg.brightnessCriteria = s.brightnessCriteria;
    dlg.dreyerBrightnessMask = s.dreyerBrightnessMask;
    dlg.magnitudeMin = s.magnitudeMin;
    dlg.magnitudeMax = s.magnitudeMax;
    if (dlg.Execute() != fw::IDOK)
        return;
    s.brightnessCriteria = dlg.brightnessCriteria;
    s.dreyerBrightnessMask = dlg.dreyerBrightnessMask;
    s.magnitudeMin = dlg.magnitudeMin;
    s.magnitudeMax = dlg.magnitudeMax;
    BrightnessChanged();
}

void MainFilterDialog::CmSize()
{
    FilterSettings& s = settings;
    SizeFltDlg dlg(this);
    dlg.sizeCriteria = s.sizeCriteria;
    dlg.dreyerSizeMask = s.dreyerSizeMask;
    dlg.diameterMin = s.diameterMin;
    dlg.diameterMax = s.diameterMax;
    if (dlg.Execute() != fw::IDOK)
        return;
    s.sizeCriteria = dlg.sizeCriteria;
    s.dreyerSizeMask = dlg.dreyerSizeMask;
    s.diameterMin = dlg.diameterMin;
    s.diameterMax = dlg.diameterMax;
    SizeChanged();
}

void MainFilterDialog::CmShape()
{
    shapeDlg dlg(this);
    dlg.mask = settings.shapeMask;
    if (dlg.Execute() != fw::IDOK)
        return;
    settings.shapeMask = dlg.mask;
    ShapeChanged();
}

void MainFilterDialog::CmType()
{
    TypeFilterDialog dlg(this);
    dlg.mask = settings.typeMask;
    if (dlg.Execute() != fw::IDOK)
        return;
    settings.typeMask = dlg.mask;
    TypeChanged();
}

void MainFilterDialog::CmName()
{
    NameFltDlg dlg(this);
    dlg.mask = settings.nameCriteria;
    if (dlg.Execute() != fw::IDOK)
        return;
    settings.nameCriteria = dlg.mask;
    NameChanged();
}

void MainFilterDialog::CmHistory()
{
    HistoryFltDlg dlg(this);
    dlg.historyCriteria = settings.historyCriteria;
    if (dlg.Execute() != fw::IDOK)
        return;
    settings.historyCriteria = dlg.historyCriteria;
    HistoryChanged();
}
