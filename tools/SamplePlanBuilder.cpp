// "Sample.sl4" in the user directory: the planner file a new user opens first, written by the
// planner document's own writer. An autumn evening's plan at Flagstaff, Arizona, near new
// Moon: a session from 19:30 to 23:30 local time, a filter that keeps the objects of
// magnitude 8 or brighter that stand above 20 degrees during the session, and an observing
// list of five bright Messier objects. Built after the catalogue and the common names.
#include "tools/DataBuilder.h"

#include "astro/Angle.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/ObjectFlags.h"
#include "globals/Globals.h"
#include "planner/STLM5doc.h"

#include <filesystem>
#include <iostream>

namespace {

// M 31, M 33, M 15, M 27 and M 57, in the order an October evening reaches them best.
constexpr std::uint32_t kObservingList[] = {224, 598, 7078, 6853, 6720};

bool BuildSamplePlan(const DataBuildContext& ctx)
{
    namespace fs = std::filesystem;
    // The database keeps its list state in the program directory and writes it back when it
    // goes; the builder leaves no such file behind.
    const std::string stateFile = ctx.outDir + "indexes.rsx";
    const bool stateExisted = fs::exists(stateFile);

    ObsSite site(Angle(111.651944, Angle::kDegrees), Angle(35.193056, Angle::kDegrees), "Flagstaff, Arizona", -7.0,
                 Distance(2101.46));
    // 2026 October 10, 19:30 MST.
    JulianDate now = JulianDate::FromCalendar(2026, 10, 11, 2, 30, 0);
    AppGlobals.site = &site;
    AppGlobals.now = &now;
    // The filter works at the evening above, not at the computer's clock.
    const bool followBefore = FollowSystemClock;
    FollowSystemClock = false;
    bool written = false;
    {
        NGC2000Indexes db(ctx.outDir);
        AppGlobals.database = &db;
        if (db.CatalogueReadResult() != NGC2000Indexes::ReadOk) {
            std::cerr << "Sample.sl4: the catalogue " << ctx.outDir << "ngc2k.rsx could not be read\n";
        } else {
            FilterSettings filter = db.GetFilterSettings();
            filter.SetEnabledCriteria(ObjectFlag::kPositionGroup | ObjectFlag::kBrightnessGroup);
            filter.positionCriteria = ObjectFlag::kElevation;
            filter.elevationMode = 2;  // above the limit at some time of the session
            filter.sessionStartHour = 19;
            filter.sessionStartMinute = 30;
            filter.sessionEndHour = 23;
            filter.sessionEndMinute = 30;
            filter.minAltitude = 20;
            filter.maxAltitude = 90;
            filter.brightnessCriteria = 0x1 | 0x4;  // by magnitude; objects without one fail
            filter.magnitudeMin = -2.0;
            filter.magnitudeMax = 8.0;
            db.SetFilterSettings(filter, true);
            db.ClearObservingList();
            for (std::uint32_t n : kObservingList)
                db.AddToObservingList(ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, n));
            db.SelectList(Browser::kFilteredList);
            db.FirstObject();

            STLM5doc doc;
            doc.SetDocPath(ctx.userDir + "Sample.sl4");
            // Saved in system-time mode, the mode of a first run, so that the sample opened
            // then counts as unchanged; the evening above stays in the file for manual time.
            const bool keptFollow = FollowSystemClock;
            FollowSystemClock = true;
            written = doc.Commit();
            FollowSystemClock = keptFollow;
            if (!written) std::cerr << "Sample.sl4: could not write " << ctx.userDir << "Sample.sl4\n";
            else
                std::cout << "Sample.sl4: " << db.CountOf(Browser::kFilteredList) << " objects pass the filter, "
                          << db.CountOf(Browser::kObservingList) << " on the observing list\n";
        }
        AppGlobals.database = nullptr;
    }
    AppGlobals.site = nullptr;
    AppGlobals.now = nullptr;
    FollowSystemClock = followBefore;
    std::error_code ec;
    if (!stateExisted) fs::remove(stateFile, ec);
    return written;
}

const DataBuilderRegistration kSamplePlanRegistration("sampleplan", 70, BuildSamplePlan);

} // namespace
