// A data window that shows an object's shape in the words of Dreyer's descriptions.
#pragma once

#include "planner/LabelWindow.h"
#include "ui/LabelConfig.h"



class DreyerShapeLabelWindow : public LabelWindow, public LabelConfig {
public:
    DreyerShapeLabelWindow(QWidget* parent, const std::string& name, const std::string& caption = {});
    LabelConfig* Settings() override { return this; }
    // Codes 1-14 (the observed mark of the shape byte ignored); any other code shows
    // "No Dreyer Description".
    void SetCode(int code, bool repaint = true);
};
