#include "planner/DreyerShapeLabelWindow.h"

#include "catalog/CatalogueStrings.h"

DreyerShapeLabelWindow::DreyerShapeLabelWindow(QWidget* parent, const std::string& name, const std::string& caption)
    : LabelWindow(parent, caption.empty() ? "Shape" : caption), LabelConfig(name)
{
    SetColorGroup(99);
}

void DreyerShapeLabelWindow::SetCode(int code, bool repaint)
{
    SetText(DreyerShapeText(code), repaint);
}
