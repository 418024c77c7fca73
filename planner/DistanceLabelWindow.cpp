#include "planner/DistanceLabelWindow.h"

#include "framework/gui/PopupMenu.h"

namespace {
constexpr int kDigits[5] = {0, 1, 3, 6, 9};
// Indexed by Distance unit code, kAutomatic last.
const char* const kUnitNames[::Distance::kAutomatic + 1] = {"Meters", "Kilometers", "AU", "Light Years",
                                   "Parsecs", "Kiloparsecs", "Megaparsecs", "(Best Units)"};
} // namespace

DistanceLabelWindow::DistanceLabelWindow(QWidget* parent, const std::string& name, const std::string& caption)
    : LabelWindow(parent, caption.empty() ? "Distance" : caption), DistanceLabelConfig(name)
{
    SetColorGroup(45);
    for (int c = kFirstUnitCommand; c < kFirstPrecisionCommand + 5; ++c) OnCommand(c, [this, c] { Choose(c); });
}

void DistanceLabelWindow::SetDistance(const ::Distance& distance, bool repaint)
{
    distance_ = distance;
    SetText(distance_.Format(units1, units2), repaint);
}

void DistanceLabelWindow::Choose(int command)
{
    if (command >= kFirstUnitCommand && command <= kFirstUnitCommand + ::Distance::kAutomatic) units1 = command - kFirstUnitCommand;
    else if (command >= kFirstPrecisionCommand && command < kFirstPrecisionCommand + 5)
        units2 = kDigits[command - kFirstPrecisionCommand];
    else return;
    SetText(distance_.Format(units1, units2), true);
    NotifyPartnerOwner();
}

void DistanceLabelWindow::ShowRightButtonMenu(const fw::Point& p)
{
    fw::PopupMenu menu;
    fw::PopupMenu& unitMenu = menu.AppendPopup("&Units...");
    for (int u = ::Distance::kMeters; u <= ::Distance::kAutomatic; ++u) unitMenu.AppendItem(kFirstUnitCommand + u, kUnitNames[u], units1 == u ? fw::MF_CHECKED : fw::MF_STRING);
    fw::PopupMenu& digitMenu = menu.AppendPopup("&Precision...");
    for (int i = 0; i < 5; ++i)
        digitMenu.AppendItem(kFirstPrecisionCommand + i, distance_.Format(units1, kDigits[i]),
                             units2 == kDigits[i] ? fw::MF_CHECKED : fw::MF_STRING);
    AppendColorMenu(menu.AppendPopup("&Colors..."));
    menu.Track(*this, p.x < 0 ? fw::Point(1, 1) : p);
}
