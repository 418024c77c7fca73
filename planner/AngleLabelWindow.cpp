#include "planner/AngleLabelWindow.h"

#include "framework/gui/PopupMenu.h"
#include "planner/PlannerStrings.h"

namespace {
// Menu order of the units: offer bit and string of each.
struct UnitItem {
    int unit;
    int bit;
    int string;
};
constexpr UnitItem kUnits[] = {{AngleLabelWindow::Radians, 0, 19003},    {AngleLabelWindow::Hours, 2, 19002},
                               {AngleLabelWindow::Degrees, 1, 19001},    {AngleLabelWindow::Arcminutes, 3, 19004},
                               {AngleLabelWindow::Arcseconds, 4, 19005}, {AngleLabelWindow::Sector, 5, 19007},
                               {AngleLabelWindow::Elevation, 6, 19008}};
constexpr int kFormatCommands[8] = {17407, 17408, 17409, 17414, 17410, 17411, 17412, 17413};
constexpr int kFormatBits[8] = {7, 8, 9, 10, 12, 13, 14, 15};
const char* const kFormatSuffix[8] = {"", "", "", " (AUTO UNITS)", "", "", " (Compass 8pt)", " (Compass 16pt)"};
} // namespace

AngleLabelWindow::AngleLabelWindow(QWidget* parent, const std::string& name, const std::string& caption,
                                   std::uint32_t offered)
    : LabelWindow(parent, caption.empty() ? "Angle" : caption), AngleLabelConfig(name), offered_(offered)
{
    SetColorGroup(45);
    for (int unit = 0; unit <= 6; ++unit) OnCommand(kFirstUnitCommand + unit, [this, unit] { Choose(kFirstUnitCommand + unit); });
    for (int command : kFormatCommands) OnCommand(command, [this, command] { Choose(command); });
    for (int p = 0; p <= 5; ++p)
        OnCommand(kFirstPrecisionCommand + p, [this, p] { Choose(kFirstPrecisionCommand + p); });
}

int AngleLabelWindow::FormatCommand(int format)
{
    return format >= 0 && format < 8 ? kFormatCommands[format] : 0;
}

int AngleLabelWindow::FormatOfCommand(int command)
{
    for (int f = 0; f < 8; ++f)
        if (kFormatCommands[f] == command) return f;
    return -1;
}

std::string AngleLabelWindow::Formatted() const
{
    return Angle::Format(angle_, units, format, precision);
}

void AngleLabelWindow::SetAngle(const Angle& angle, bool repaint)
{
    angle_ = angle;
    SetText(Formatted(), repaint);
}

// A sector always takes the four-word format with it; afterwards a compass unit keeps a
// compass format and any other unit a numeric one.
void AngleLabelWindow::Choose(int command)
{
    if (command >= kFirstUnitCommand && command <= kFirstUnitCommand + 6) {
        units = command - kFirstUnitCommand;
        if (units == Sector) format = Angle::kCompassFourWords;
    } else if (const int f = FormatOfCommand(command); f >= 0) {
        format = f;
    } else if (command >= kFirstPrecisionCommand && command <= kFirstPrecisionCommand + 5) {
        precision = command - kFirstPrecisionCommand;
    } else {
        return;
    }
    if (units > Arcseconds && format <= Angle::kQuadrant) format = Angle::kCompassFourWords;
    if (units < Sector && format > Angle::kAutomaticStyle) format = Angle::kAutomaticStyle;
    SetText(Formatted(), true);
    NotifyPartnerOwner();
}

void AngleLabelWindow::ShowRightButtonMenu(const fw::Point& p)
{
    fw::PopupMenu menu;
    fw::PopupMenu& unitsMenu = menu.AppendPopup("&Units");
    for (const UnitItem& u : kUnits) {
        if (!Offers(u.bit)) continue;
        unitsMenu.AppendItem(kFirstUnitCommand + u.unit, PlannerString(u.string), units == u.unit ? fw::MF_CHECKED : fw::MF_STRING);
    }
    if (units == Degrees || units == Hours || units == Sector) {
        fw::PopupMenu& formats = menu.AppendPopup("&Format");
        const int first = units == Sector ? Angle::kQuadrant : Angle::kDecimal;
        for (int f = first; f < first + 4; ++f) {
            if (!Offers(kFormatBits[f])) continue;
            formats.AppendItem(kFormatCommands[f], Angle::Format(angle_, units, f, precision) + kFormatSuffix[f],
                               format == f ? fw::MF_CHECKED : fw::MF_STRING);
        }
    }
    if (units != Sector && units != Elevation) {
        fw::PopupMenu& precisions = menu.AppendPopup("&Precision");
        for (int q = 0; q <= 5; ++q) {
            if (!Offers(20 + q)) continue;
            precisions.AppendItem(kFirstPrecisionCommand + q, Angle::Format(angle_, units, format, q),
                                  precision == q ? fw::MF_CHECKED : fw::MF_STRING);
        }
    }
    AppendColorMenu(menu.AppendPopup("&Colors..."));
    menu.Track(*this, p.x < 0 ? fw::Point(1, 1) : p);
}
