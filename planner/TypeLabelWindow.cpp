#include "planner/TypeLabelWindow.h"

#include "catalog/CatalogueStrings.h"
#include "planner/PlannerStrings.h"

TypeLabelWindow::TypeLabelWindow(QWidget* parent, const std::string& name, const std::string& caption)
    : LabelWindow(parent, caption.empty() ? "Type" : caption), LabelConfig(name)
{
    SetColorGroup(111);
}

void TypeLabelWindow::SetType(int code, bool repaint)
{
    std::string text = ObjectTypeText(code);
    if (text.empty()) text = PlannerString(18601 + code);
    SetText(text, repaint);
}
