// A data window that shows the text it is given (name, database information, Dreyer
// description, phase, illumination).
#pragma once

#include "planner/LabelWindow.h"
#include "ui/LabelConfig.h"

class TextLabelWindow : public LabelWindow, public LabelConfig {
public:
    TextLabelWindow(QWidget* parent, const std::string& name, const std::string& caption = {});
    LabelConfig* Settings() override { return this; }
};
