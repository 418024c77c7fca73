#include "planner/DreyerSizeLabelWindow.h"

#include "catalog/CatalogueStrings.h"

DreyerSizeLabelWindow::DreyerSizeLabelWindow(QWidget* parent, const std::string& name, const std::string& caption)
    : LabelWindow(parent, caption.empty() ? "Size" : caption), LabelConfig(name)
{
    SetColorGroup(93);
}

void DreyerSizeLabelWindow::SetCode(int code, bool repaint)
{
    SetText(DreyerSizeText(code), repaint);
}
