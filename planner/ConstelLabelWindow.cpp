#include "planner/ConstelLabelWindow.h"

#include "astro/ConstellationLookup.h"
#include "astro/ConstellationTable.h"
#include "astro/Coord.h"

ConstelLabelWindow::ConstelLabelWindow(QWidget* parent, const std::string& name, const std::string& caption)
    : LabelWindow(parent, caption.empty() ? "Constel" : caption), LabelConfig(name)
{
    SetColorGroup(117);
}

bool ConstelLabelWindow::SetConstellation(int code, bool repaint)
{
    const std::string entry = ConstellationString(code);
    const auto bar = entry.find('|');
    if (code < 0 || code >= ConstellationCount || bar == std::string::npos) return false;
    SetText(entry.substr(bar + 1) + " (" + entry.substr(0, bar) + ")", repaint);
    return true;
}

bool ConstelLabelWindow::SetPosition(const Coord& position, bool repaint)
{
    return SetConstellation(ConstellationIndex(position), repaint);
}
