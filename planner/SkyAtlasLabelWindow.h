// A data window that shows the Sky Atlas 2000.0 chart on which a position lies.
#pragma once

#include "planner/LabelWindow.h"
#include "ui/LabelConfig.h"

#include "catalog/AtlasReference.h"
class Coord;

class SkyAtlasLabelWindow : public LabelWindow, public LabelConfig {
public:
    SkyAtlasLabelWindow(QWidget* parent, const std::string& name, const std::string& caption = {});
    LabelConfig* Settings() override { return this; }
    void SetPosition(const Coord& position, bool repaint = true);
    AtlasReference atlas;
};
