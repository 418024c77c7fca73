// The night's daily values: the Moon's, the Sun's and twilight's rise, transit and set for
// the night that holds the current instant at the site.
#include "app/TStellumApp.h"

#include "astro/Moon.h"
#include "astro/Planets.h"
#include "astro/RiseSetTransit.h"
#include "framework/gui/MessageBox.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

#include <cstdlib>
#include <exception>

namespace {
constexpr int kSun = 0; // body number of the Sun
}

JulianDate TStellumApp::UpdateDailyCalculations()
{
    JulianDate result;
    TStatusDlg* status = StatusWindow;
    if (!status) return result;
    const std::pair<const void*, const char*> needed[] = {
        {AppGlobals.site, "Site"},           {AppGlobals.planets, "Planets"},
        {AppGlobals.moon, "Moon"},           {AppGlobals.moonRst, "MoonRiseSet"},
        {AppGlobals.sunRst, "SunRiseSetInfo"}, {AppGlobals.twilightRst, "TwilightRiseSetInfo"},
    };
    for (const auto& [object, name] : needed)
        if (!object) {
            status->Message(std::string("WARNING: Attempting to use ") + name + " before initialization");
            return result;
        }
    if (!AppGlobals.now) return result;

    const ObsSite& site = *AppGlobals.site;
    Planets& planets = *AppGlobals.planets;
    Moon& moon = *AppGlobals.moon;
    try {
        status->SetProgress(0);
        const JulianDate m = site.MidnightOfNight(*AppGlobals.now);
        const std::string date = site.ToLocal(m).Format(0, 8, 1);
        status->Message("Calculating Lunar Coordinates \u00B112hr for " + date);
        // Without their series files the bodies have no positions: their values stay as
        // they were rather than being made from nothing.
        const bool sunKnown = planets.IsAvailable(kSun);
        if (sunKnown) planets.ApparentPosition(m, kSun);
        status->SetProgress(20);
        if (moon.IsAvailable()) {
            Coord p1 = moon.ApparentPosition(m - 1.0);
            status->SetProgress(40);
            Coord p2 = moon.ApparentPosition(m - 0.5);
            status->SetProgress(60);
            Coord p4 = moon.ApparentPosition(m + 0.5);
            status->SetProgress(80);
            Coord p5 = moon.ApparentPosition(m + 1.0);
            status->SetProgress(90);
            Coord p3 = moon.ApparentPosition(m);
            status->SetProgress(100);
            Angle h0 = moon.RiseSetAltitude(m);
            *AppGlobals.moonRst = RiseSetTransit::FromPositions(p1, p2, p3, p4, p5, m, site, h0);
        } else {
            status->Message("Moon series not loaded");
        }

        status->SetProgress(0);
        status->Message("Calculating Solar Coordinates \u00B112hr for " + date);
        if (sunKnown) {
            Coord p1 = planets.ApparentPosition(m - 1.0, kSun);
            status->SetProgress(20);
            Coord p2 = planets.ApparentPosition(m - 0.5, kSun);
            status->SetProgress(40);
            Coord p4 = planets.ApparentPosition(m + 0.5, kSun);
            status->SetProgress(60);
            Coord p5 = planets.ApparentPosition(m + 1.0, kSun);
            status->SetProgress(80);
            Coord p3 = planets.ApparentPosition(m, kSun);
            status->SetProgress(90);
            *AppGlobals.sunRst =
                RiseSetTransit::FromPositions(p1, p2, p3, p4, p5, m, site, Angle(-0.833, Angle::kDegrees));
            *AppGlobals.twilightRst =
                RiseSetTransit::FromPositions(p1, p2, p3, p4, p5, m, site, Angle(-18.833, Angle::kDegrees));
        } else {
            status->Message("Sun series not loaded");
        }
        status->SetProgress(100);
        savedSite = site;
        lastNight = m;
        result = m;
    } catch (const std::exception&) {
        int answer = fw::MessageBox(nullptr, "Error During Update Calculations", "", fw::MB_ABORTRETRYIGNORE);
        if (answer == fw::IDABORT) std::exit(0);
    }
    return result;
}
