#include "planner/MagLabelWindow.h"

#include "framework/gui/PopupMenu.h"

MagLabelWindow::MagLabelWindow(QWidget* parent, const std::string& name, const std::string& caption)
    : LabelWindow(parent, caption.empty() ? "Mag" : caption), MagLabelConfig(name)
{
    SetColorGroup(57);
    for (int p = 0; p <= 2; ++p) OnCommand(kFirstPrecisionCommand + p, [this, p] { Choose(kFirstPrecisionCommand + p); });
}

void MagLabelWindow::SetMagnitude(const Magnitude& magnitude, bool repaint)
{
    magnitude_ = magnitude;
    SetText(magnitude_.Format(precision, 0), repaint);
}

void MagLabelWindow::Choose(int command)
{
    if (command < kFirstPrecisionCommand || command > kFirstPrecisionCommand + 2) return;
    precision = command - kFirstPrecisionCommand;
    SetText(magnitude_.Format(precision, 0), true);
    NotifyPartnerOwner();
}

void MagLabelWindow::ShowRightButtonMenu(const fw::Point& p)
{
    fw::PopupMenu menu;
    fw::PopupMenu& precisions = menu.AppendPopup("&Precision");
    const char* const texts[] = {"X", "X.Y", "X.YY"};
    for (int q = 0; q <= 2; ++q)
        precisions.AppendItem(kFirstPrecisionCommand + q, texts[q], precision == q ? fw::MF_CHECKED : fw::MF_STRING);
    AppendColorMenu(menu.AppendPopup("&Colors..."));
    menu.Track(*this, p.x < 0 ? fw::Point(1, 1) : p);
}
