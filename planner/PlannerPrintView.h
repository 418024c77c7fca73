// What the planner's printouts ask of the planner view: it keeps and puts back its state
// around a printout, shows objects one by one, paints its panes into page cells and gives the
// texts of single fields.
#pragma once

#include "catalog/ObjectId.h"

#include <cstdint>
#include <string>

namespace fw { class DC; }
namespace fw { struct Rect; }

// What the printouts need of the planner's view.
class PlannerPrintView {
public:
    virtual ~PlannerPrintView() = default;
    // Raised and lowered around a printout: the view keeps and puts back its lists, scheme and
    // time, and paints nothing on screen meanwhile.
    virtual void SavePrintState() = 0;
    virtual void RestorePrintState() = 0;
    virtual void ShowObject(ObjectId id) = 0;
    // Draws the panes of the current object into a page cell.
    virtual void PaintPanesToDC(fw::DC& dc, const fw::Rect& cell) = 0;
    // A field of an object: 1 loads it at the current time (which then moves on by the time
    // step) and gives ""; 0 and 2 its name; 3 and more the loaded object's field texts.
    virtual std::string GetObjectFieldText(ObjectId id, int code) = 0;
    virtual void SetTimeStep(std::int32_t seconds) = 0;
};

