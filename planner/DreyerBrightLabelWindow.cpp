#include "planner/DreyerBrightLabelWindow.h"

#include "catalog/CatalogueStrings.h"

DreyerBrightLabelWindow::DreyerBrightLabelWindow(QWidget* parent, const std::string& name, const std::string& caption)
    : LabelWindow(parent, caption.empty() ? "Brightness" : caption), LabelConfig(name)
{
    SetColorGroup(105);
}

void DreyerBrightLabelWindow::SetCode(int code, bool repaint)
{
    SetText(DreyerBrightnessText(code), repaint);
}
