// The planner window's string table: captions of the data windows, their menu texts and the
// words the coordinate windows compose their captions from.
#pragma once

#include "framework/gui/ResourceModule.h"

// The planner's one string table, filled on first use.
const fw::ResourceModule& PlannerStrings();
// One string of it ("" when the table has none).
std::string PlannerString(int id);
