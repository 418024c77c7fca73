// A data window that shows the Uranometria 2000.0 volume and page on which a position lies.
#pragma once

#include "planner/LabelWindow.h"
#include "ui/LabelConfig.h"

#include "catalog/AtlasReference.h"
class Coord;

class UranoLabelWindow : public LabelWindow, public LabelConfig {
public:
    UranoLabelWindow(QWidget* parent, const std::string& name, const std::string& caption = {});
    LabelConfig* Settings() override { return this; }
    void SetPosition(const Coord& position, bool repaint = true);
    AtlasReference atlas;
};
