#include "planner/UranoLabelWindow.h"

#include "astro/Coord.h"

UranoLabelWindow::UranoLabelWindow(QWidget* parent, const std::string& name, const std::string& caption)
    : LabelWindow(parent, caption.empty() ? "Uranometria" : caption), LabelConfig(name)
{
    SetColorGroup(69);
}

void UranoLabelWindow::SetPosition(const Coord& position, bool repaint)
{
    SetText(atlas.UranometriaText(position.RA().Hours(), position.Dec().Degrees(), 0), repaint);
}
