// The chart's solar-system cache and framing the chart on an object.
#include "chart/ChartWindow.h"

#include <cmath>
#include <exception>

#include "astro/Moon.h"
#include "astro/Planets.h"
#include "astro/RiseSetTransit.h"
#include "catalog/NGC2000Indexes.h"
#include "chart/ChartFormat.h"
#include "framework/gui/MessageBox.h"
#include "globals/Globals.h"

namespace {

// A frame older than this many days follows its body again.
constexpr double kFrameLifetimeDays = 2.0;

// The stars and the grid are referred to J2000.0: a position of date is carried there by
// precession alone (what is stored is already the apparent place).
Coord ToChartEquinox(Coord position)
{
    position.Precess(JulianDate());
    return Coord::AsEquatorial(position);
}

// The rise/set level in force for a body: the full series when start-up (or an earlier
// computation) brought the body to them, else the light ones.
int LevelInForce(const Planets& planets, int body)
{
    const std::int32_t status = planets.Status(body);
    return ((status & Planets::kFullLevel) || (status & 0x0f) == 2) ? Planets::kFullLevel : Planets::kLightLevel;
}

bool FrameIsOld(const ChartBody& body, const JulianDate& now)
{
    return std::fabs(body.frameTime.JD() - now.JD()) > kFrameLifetimeDays;
}

} // namespace

const char* ChartBodyName(int index)
{
    static const char* const names[BodyCount] = {"Sun",     "Mercury", "Venus",  "Moon",    "Mars",
                                                 "Jupiter", "Saturn",  "Uranus", "Neptune", "Pluto"};
    return index >= 0 && index < BodyCount ? names[index] : "";
}

void ChartWindow::UpdateSolarSystem()
{
    if (!AppGlobals.now) return;
    const JulianDate now = *AppGlobals.now;
    Coord sunOfDate;
    bool haveSun = false;
    if (AppGlobals.sunRst) {
        sunOfDate = AppGlobals.sunRst->PositionAt(now);
        haveSun = true;
        ChartBody& sun = bodies[BodySun];
        sun.position = ToChartEquinox(sunOfDate);
        if (AppGlobals.planets) sun.semiDiameter = AppGlobals.planets->SemiDiameter(sunOfDate, BodySun);
        if (FrameIsOld(sun, now)) {
            sun.frameCenter = sun.position;
            sun.frameTime = now;
        }
    }
    if (AppGlobals.moonRst && haveSun) {
        const Coord moonOfDate = AppGlobals.moonRst->PositionAt(now);
        ChartBody& moon = bodies[BodyMoon];
        moon.position = ToChartEquinox(moonOfDate);
        if (AppGlobals.moon) moon.semiDiameter = AppGlobals.moon->SemiDiameter(now);
        moon.phaseAngle = Moon::ComputePhaseAngle(moonOfDate, sunOfDate);
        moon.brightLimbAngle = Moon::ComputeBrightLimbAngle(moonOfDate, sunOfDate);
        if (FrameIsOld(moon, now)) {
            moon.frameCenter = moon.position;
            moon.frameTime = now;
        }
    }
    if (AppGlobals.planets && AppGlobals.site && haveSun) {
        Planets& planets = *AppGlobals.planets;
        for (int i : {BodyMercury, BodyVenus, BodyMars, BodyJupiter, BodySaturn, BodyUranus, BodyNeptune, BodyPluto}) {
            RiseSetTransit* r = planets.GetRiseSetTransit(i, now, *AppGlobals.site, LevelInForce(planets, i));
            if (!r) continue;
            const Coord ofDate = r->PositionAt(now);
            ChartBody& body = bodies[i];
            body.position = ToChartEquinox(ofDate);
            body.semiDiameter = planets.SemiDiameter(ofDate, i);
            body.phaseAngle = Planets::PhaseAngle(ofDate, sunOfDate);
            body.brightLimbAngle = Planets::BrightLimbAngle(ofDate, sunOfDate);
            if (FrameIsOld(body, now)) {
                body.frameCenter = Coord();
                body.frameTime = now;
            }
        }
    }
    SolarSystemReady = true;
    needsRedraw = true;
}

bool ChartWindow::ShowObject(ObjectId id, bool redraw)
{
    currentObject = id;
    bool shown = true;
    try {
        const std::uint32_t v = id.Value();
        const bool solar = id.Catalogue() == ObjectId::kSolarSystemCatalogue &&
                           ((v & 0xFF) == 0 || v == ObjectId::kMoon) && id.Number() / 256 < BodyCount;
        if (solar) {
            if (v == ObjectId::kSun || v == ObjectId::kMoon) UpdateSolarSystem();
            ChartBody& body = bodies[id.Number() / 256];
            if (body.frameCenter == Coord()) body.frameCenter = body.position;
            SetCenter(body.frameCenter.RA().Hours(), body.frameCenter.Dec().Degrees());
            SetMark(body.position.RA().Hours(), body.position.Dec().Degrees());
            SetField(body.frameWidth, body.frameHeight);
        } else {
            // Only objects of the catalogue have a row, a frame and a position.
            const int row = NGC2000Indexes::RowIndex(id);
            if (row < 0) return false;
            frameIndex = row;
            double ra, dec, w, h;
            if (chartFrames->ReadFrame(frameIndex, ra, dec, w, h)) {
                SetCenter(ra, dec);
                SetField(w, h);
            }
            const double markRa = NGCTable.ra[row], markDe = NGCTable.dec[row];
            SetMark(markRa, markDe);
        }
    } catch (...) {
        fw::MessageBox(this, "Critical Error in Chart->ShowObject", "", fw::MB_OK);
    }
    if (redraw) Invalidate(true);
    return shown;
}
