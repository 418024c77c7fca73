// A data window that shows an object's type by its type code.
#pragma once

#include "planner/LabelWindow.h"
#include "ui/LabelConfig.h"



class TypeLabelWindow : public LabelWindow, public LabelConfig {
public:
    TypeLabelWindow(QWidget* parent, const std::string& name, const std::string& caption = {});
    LabelConfig* Settings() override { return this; }
    // The type's text; codes the catalogue does not name (29 planet, 30 satellite of Earth)
    // come from the planner's strings.
    void SetType(int code, bool repaint = true);
};
