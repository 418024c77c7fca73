// The program's solar-system objects for one instant, made from the built data files and put
// into the application's global block the way start-up does: the planets with their full
// series, the Moon, the Sun's and the Moon's rise/set objects, the site and "now".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "astro/JulianDate.h"
#include "astro/Moon.h"
#include "astro/ObsSite.h"
#include "astro/Planets.h"
#include "astro/RiseSetTransit.h"
#include "framework/stream/PStream.h"
#include "globals/Globals.h"
#include "ui/StellumConfig.h"

namespace chart_testing {

// A star of the star catalogue file: place (hours, degrees) and its two magnitudes.
struct Star {
    double ra, dec;
    float m1, m2;
};

// The star catalogue's bytes for the given stars, record by record.
inline std::string StarRecords(const std::vector<Star>& stars)
{
    fw::omstream os;
    for (const Star& s : stars) {
        os.writeDouble(s.ra);
        os.writeDouble(s.dec);
        os.writeFloat(s.m1);
        os.writeFloat(s.m2);
    }
    return os.str();
}

class SkyObjects {
public:
    SkyObjects(const std::string& programDir, const JulianDate& when)
        : planets(std::make_unique<Planets>(programDir)), moon(std::make_unique<Moon>(programDir)),
          site(StellumConfig::DefaultSite()), now(when)
    {
        for (int b = 1; b <= 8; ++b) planets->LoadPlanet(b, 2);
        moon->LoadLowRes();
        saved_ = AppGlobals;
        AppGlobals.planets = planets.get();
        AppGlobals.moon = moon.get();
        AppGlobals.site = &site;
        AppGlobals.now = &now;
        SetTime(when);
    }
    ~SkyObjects() { AppGlobals = saved_; }
    SkyObjects(const SkyObjects&) = delete;
    SkyObjects& operator=(const SkyObjects&) = delete;

    // Moves "now" and makes the Sun's and the Moon's rise/set objects for its night.
    void SetTime(const JulianDate& when)
    {
        now = when;
        AppGlobals.sunRst = planets->GetRiseSetTransit(0, now, site, Planets::kFullLevel);
        const JulianDate mid = site.MidnightOfNight(now);
        moonRst = std::make_unique<RiseSetTransit>(RiseSetTransit::FromPositions(
            moon->ApparentPosition(mid - 1.0), moon->ApparentPosition(mid - 0.5), moon->ApparentPosition(mid),
            moon->ApparentPosition(mid + 0.5), moon->ApparentPosition(mid + 1.0), mid, site,
            moon->RiseSetAltitude(mid)));
        AppGlobals.moonRst = moonRst.get();
    }

    std::unique_ptr<Planets> planets;
    std::unique_ptr<Moon> moon;
    std::unique_ptr<RiseSetTransit> moonRst;
    ObsSite site;
    JulianDate now;

private:
    AppGlobalsBlock saved_;
};

} // namespace chart_testing
