// A data window that shows a constellation: its name and, in parentheses, its abbreviation.
#pragma once

#include "planner/LabelWindow.h"
#include "ui/LabelConfig.h"

class Coord;

class ConstelLabelWindow : public LabelWindow, public LabelConfig {
public:
    ConstelLabelWindow(QWidget* parent, const std::string& name, const std::string& caption = {});
    LabelConfig* Settings() override { return this; }
    // A constellation code (0-87); false, and the value unchanged, for any other code.
    bool SetConstellation(int code, bool repaint = true);
    // The constellation that holds an equatorial position.
    bool SetPosition(const Coord& position, bool repaint = true);
};
