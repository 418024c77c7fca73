#include "planner/TextLabelWindow.h"

TextLabelWindow::TextLabelWindow(QWidget* parent, const std::string& name, const std::string& caption)
    : LabelWindow(parent, caption.empty() ? "Text" : caption), LabelConfig(name)
{
    SetColorGroup(111);
}
