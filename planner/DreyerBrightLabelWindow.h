// A data window that shows an object's brightness in the words of Dreyer's descriptions.
#pragma once

#include "planner/LabelWindow.h"
#include "ui/LabelConfig.h"



class DreyerBrightLabelWindow : public LabelWindow, public LabelConfig {
public:
    DreyerBrightLabelWindow(QWidget* parent, const std::string& name, const std::string& caption = {});
    LabelConfig* Settings() override { return this; }
    // Codes 1-12; any other code shows "No Dreyer Description".
    void SetCode(int code, bool repaint = true);
};
