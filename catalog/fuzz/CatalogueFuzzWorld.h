// What the fuzz targets of the planner's files need around them: an application object, an
// observing site and time, and a catalogue database without catalogue, set in the program-wide
// objects as the planner sets them.
#pragma once

#include "astro/Angle.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "catalog/NGC2000Indexes.h"
#include "globals/Globals.h"

#include <QApplication>

#include <memory>

namespace fuzzsupport {

struct CatalogueWorld {
    explicit CatalogueWorld(const char* programName)
    {
        static int argc = 1;
        static char* argv[] = {const_cast<char*>(programName), nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        site = ObsSite(Angle(111.65, Angle::kDegrees), Angle(35.19, Angle::kDegrees), "Flagstaff", -7.0, Distance());
        now = JulianDate::FromCalendar(2026, 10, 11, 2, 30, 0);
        AppGlobals.site = &site;
        AppGlobals.now = &now;
        database = std::make_unique<NGC2000Indexes>("/nonexistent-stellum-fuzz/");
        AppGlobals.database = database.get();
    }
    std::unique_ptr<QApplication> app;
    ObsSite site;
    JulianDate now;
    std::unique_ptr<NGC2000Indexes> database;
};

} // namespace fuzzsupport
