#include "planner/SkyAtlasLabelWindow.h"

#include "astro/Coord.h"

SkyAtlasLabelWindow::SkyAtlasLabelWindow(QWidget* parent, const std::string& name, const std::string& caption)
    : LabelWindow(parent, caption.empty() ? "SkyAtlas" : caption), LabelConfig(name)
{
    SetColorGroup(75);
}

void SkyAtlasLabelWindow::SetPosition(const Coord& position, bool repaint)
{
    SetText(atlas.SkyAtlasText(position.RA().Hours(), position.Dec().Degrees(), 0), repaint);
}
