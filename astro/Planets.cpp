#include "astro/Planets.h"

#include "astro/AstroConstants.h"

#include "astro/Planet.h"
#include "astro/Pluto.h"
#include "astro/RiseSetTransit.h"
#include "astro/SolarReport.h"
#include "framework/stream/PStream.h"
#include "globals/Globals.h"

#include <cmath>

namespace {

const char* const kBodyNames[Planets::kBodies] = {"Sun",     "Mercury", "Venus",  "Moon",   "Mars",
                                                   "Jupiter", "Saturn",  "Uranus", "Neptune", "Pluto"};

// Semidiameters at 1 au, arcseconds (Meeus, chapter 55); body 3 has none.
const double kSemiDiameterAt1Au[Planets::kBodies] = {959.63, 3.36, 8.34, 0.0, 4.68, 98.44, 82.73, 35.02, 33.50, 2.07};

constexpr double kAuPerMetre = 6.684587153547039e-12;

bool Readable(const std::string& path)
{
    fw::ifpstream is;
    return is.open(path);
}

double Length(const RectCoord& r)
{
    return r.Length().Meters() * kAuPerMetre;
}

} // namespace

Planets::Planets(const std::string& dataDirectory) : dataDirectory_(dataDirectory)
{
    for (int body = 0; body <= 8; ++body)
        LoadPlanet(body, 1);
    pluto_ = std::make_unique<Pluto>(dataDirectory_);
    status_[9] = pluto_->IsLoaded() ? 0x22 : 0;
    if (!pluto_->IsLoaded())
        ReportFailure(pluto_->Path(), "missing or damaged");
}

Planets::~Planets() = default;

const char* Planets::BodyName(int body)
{
    return (body >= 0 && body < kBodies) ? kBodyNames[body] : "";
}

void Planets::ReportFailure(const std::string& path, const char* what)
{
    if (!reported_.insert(path).second)
        return;
    SolarReportProblem("Series file " + path + " is " + what);
}

int Planets::LoadPlanet(int body, int mode)
{
    if (body == 9)
        return 1;
    if (body == 0) {
        status_[0] = 0;
        return 1;
    }
    if (body < 1 || body > 8)
        return 0;
    if (status_[body] & mode & 0x0f)
        return mode;
    const std::string light = dataDirectory_ + std::to_string(body) + "l.rsx";
    const std::string full = dataDirectory_ + std::to_string(body) + ".rsx";
    std::string path = mode == 2 ? full : light;
    if (!Readable(path)) {
        const std::string other = mode == 2 ? light : full;
        if (!Readable(other)) {
            ReportFailure(path, "missing");
            // The series loaded before, if any, stay in use and keep their status.
            if (!planet_[body] || !planet_[body]->IsLoaded())
                status_[body] &= ~0x0f;
            return status_[body];
        }
        path = other;
        mode = mode == 2 ? 1 : 2;
    }
    auto fresh = std::make_unique<Planet>(path);
    if (fresh->IsLoaded()) {
        planet_[body] = std::move(fresh);
        status_[body] = (status_[body] & ~0x0f) | mode;
    } else {
        ReportFailure(path, fresh->LastRead() == Planet::kForeign ? "not a planet series file" : "damaged");
    }
    return status_[body];
}

void Planets::UnloadPlanet(int body)
{
    if (body < 0 || body > 8)
        return;
    planet_[body].reset();
    status_[body] &= ~0x0f;
}

bool Planets::IsAvailable(int body) const
{
    const bool earth = planet_[3] && planet_[3]->IsLoaded();
    if (body == 0 || body == 3)
        return earth;
    if (body == 9)
        return earth && pluto_ && pluto_->IsLoaded();
    if (body < 1 || body > 8)
        return false;
    return earth && planet_[body] && planet_[body]->IsLoaded();
}

RectCoord Planets::HeliocentricPosition(const JulianDate& t, int body)
{
    if (body == 9)
        return pluto_ ? pluto_->HeliocentricPosition(t) : RectCoord();
    if (body < 1 || body > 8 || !planet_[body] || !planet_[body]->IsLoaded())
        return RectCoord();
    const double tau = t.CenturiesSinceJ2000(JulianDate::kDynamical) / 10.0;
    double v[3];
    planet_[body]->Evaluate(tau, v);
    // VSOP87 ecliptic of J2000.0 to the FK5 equator of J2000.0.
    const double x = v[0] + 0.00000044036 * v[1] - 0.000000190919 * v[2];
    const double y = -0.000000479966 * v[0] + 0.917482137087 * v[1] - 0.397776982902 * v[2];
    const double z = 0.397776982902 * v[1] + 0.917482137087 * v[2];
    return RectCoord(Distance(x, Distance::kAstronomicalUnits), Distance(y, Distance::kAstronomicalUnits),
                     Distance(z, Distance::kAstronomicalUnits), JulianDate(), Coord::Precessed);
}

Coord Planets::HeliocentricEquatorial(const JulianDate& t, int body)
{
    return Coord::AsEquatorial(HeliocentricPosition(t, body).ToSpherical());
}

Coord Planets::GeocentricPosition(const JulianDate& t, int body)
{
    const RectCoord g = HeliocentricPosition(t, body) - HeliocentricPosition(t, 3);
    return Coord::AsEquatorial(g.ToSpherical());
}

Angle Planets::SunLongitudeOfDate(const RectCoord& sun, const JulianDate& date)
{
    Coord s = Coord::ToEcliptic(Coord::AsEquatorial(sun.ToSpherical()));
    s.PrecessEcliptic(date);
    return s.Longitude();
}

Coord Planets::ApparentPosition(const JulianDate& date, int body)
{
    const RectCoord earth = HeliocentricPosition(date, 3);
    const RectCoord sun = earth.Negated();
    const RectCoord geo = HeliocentricPosition(date, body) - earth;
    const Coord g = Coord::AsEquatorial(geo.ToSpherical());
    return Coord::AsEquatorial(Coord::Reduce(g, date, Coord::MaskApparentPlace, SunLongitudeOfDate(sun, date),
                                             Angle(), Angle()));
}

Distance Planets::TruncationError(int body) const
{
    if (body == 0)
        body = 3;
    if (body == 9)
        return Distance(std::fabs(std::sqrt(106.0) * 212.0 * 6e-10), 2);
    if (body < 1 || body > 8 || !planet_[body] || !planet_[body]->IsLoaded())
        return Distance();
    const int n = planet_[body]->TermCount(1, 1);
    if (n == 0)
        return Distance();
    return Distance(std::fabs(2.0 * std::sqrt(static_cast<double>(n)) * planet_[body]->Amplitude(1, 1, n)), 2);
}

Angle Planets::SemiDiameter(const Coord& position, int body) const
{
    if (body < 0 || body >= kBodies)
        return Angle();
    const double delta = position.Dist().Meters() * kAuPerMetre;
    if (!(delta > 0.0)) {
        SolarDebugLine("Zero Distance when computing SemiDiameter");
        return Angle();
    }
    return Angle(kSemiDiameterAt1Au[body] / delta, Angle::kArcSeconds);
}

Angle Planets::StandardAltitude(const Coord& position, int body) const
{
    return Angle(-34.0, Angle::kArcMinutes) - SemiDiameter(position, body);
}

namespace {

// Sites compared as places and time zones: the record of the last daylight-saving enquiry
// changes with every question asked and says nothing of the site.
bool SameSite(const ObsSite& a, const ObsSite& b)
{
    if ((a.Flags() ^ b.Flags()) == 0)
        return a == b;
    ObsSite x = a, y = b;
    x.ClearFlags(TimeZone::DstLastFound);
    y.ClearFlags(TimeZone::DstLastFound);
    return x == y;
}

} // namespace

RiseSetTransit* Planets::GetRiseSetTransit(int body, const JulianDate& t, const ObsSite& site, int level)
{
    if (body < 0 || body >= kBodies)
        return nullptr;
    const JulianDate midnight = site.MidnightOfNight(t);
    const int wanted = level >= kFullLevel ? kFullLevel : kLightLevel;
    RiseSetTransit* cache = riseSet_[body].get();
    if (cache && cache->Date() == midnight && SameSite(cache->Site(), site) && cacheLevel_[body] >= wanted)
        return cache;
    ComputeRiseSetTransit(body, midnight, site, level);
    return riseSet_[body].get();
}

int Planets::ComputeRiseSetTransit(int body, const JulianDate& t, const ObsSite& site, int level)
{
    if (body < 0 || body >= kBodies)
        return 0;
    const bool full = level == kFullLevel;
    // The body's series are read again at the level asked (a reload that fails keeps the
    // series in use). Every geocentric place rests on the Earth's series too, which a full
    // computation brings to the full series; a light one leaves it as it is.
    auto reload = [&](int b) {
        const std::int32_t before = status_[b] & 0x0f;
        status_[b] &= ~0x0f;
        LoadPlanet(b, full ? 2 : 1);
        if ((status_[b] & 0x0f) == 0 && b >= 1 && b <= 8 && planet_[b] && planet_[b]->IsLoaded())
            status_[b] |= before;
    };
    if (body != 9) {
        reload(body);
        status_[body] |= full ? kFullLevel : kLightLevel;
    }
    if (full && body != 3)
        reload(3);
    // Without series the body would be placed at the Sun (or the Sun at the Earth): no times
    // rather than another body's.
    if (!IsAvailable(body)) {
        riseSet_[body].reset();
        return 0;
    }

    UpdateInProgress = 1;
    const JulianDate midnight = site.MidnightOfNight(t);
    const std::string dateText = site.ToLocal(midnight).Format(0, 8, 2);
    SolarStatusProgress(0);
    SolarStatusMessage(std::string("Calculating ") + BodyName(body) + " Coordinates \u00b112hr for " + dateText);
    const Coord p1 = ApparentPosition(midnight - 1.0, body);
    SolarStatusProgress(20);
    const Coord p2 = ApparentPosition(midnight - 0.5, body);
    SolarStatusProgress(40);
    const Coord p4 = ApparentPosition(midnight + 0.5, body);
    SolarStatusProgress(60);
    const Coord p5 = ApparentPosition(midnight + 1.0, body);
    SolarStatusProgress(80);
    const Coord p3 = ApparentPosition(midnight, body);
    SolarStatusProgress(90);

    riseSet_[body] = std::make_unique<RiseSetTransit>(
        RiseSetTransit::FromPositions(p1, p2, p3, p4, p5, midnight, site, StandardAltitude(p4, body)));
    cacheLevel_[body] = full ? kFullLevel : kLightLevel;
    UpdateInProgress = 0;
    return 1;
}

Angle Planets::Elongation(const Coord& body, const Coord& sun)
{
    const double d1 = body.Dec().Radians(), d2 = sun.Dec().Radians();
    const double a1 = body.RA().Radians(), a2 = sun.RA().Radians();
    return Angle::FromAcos(std::sin(d1) * std::sin(d2) + std::cos(d1) * std::cos(d2) * std::cos(a1 - a2), 1);
}

Angle Planets::PhaseAngle(const Coord& body, const Coord& sun)
{
    const double psi = Elongation(body, sun).Radians();
    const double delta = body.Dist().Meters();
    const double r = sun.Dist().Meters();
    return Angle::FromAtan2(r * std::sin(psi), delta - r * std::cos(psi));
}

double Planets::IlluminatedFraction(const Coord& body, const Coord& sun)
{
    return (1.0 + std::cos(PhaseAngle(body, sun).Radians())) / 2.0;
}

Angle Planets::BrightLimbAngle(const Coord& body, const Coord& sun)
{
    const double a0 = sun.RA().Radians(), d0 = sun.Dec().Radians();
    const double a = body.RA().Radians(), d = body.Dec().Radians();
    return Angle::FromAtan2(std::cos(d0) * std::sin(a0 - a),
                            std::sin(d0) * std::cos(d) - std::cos(d0) * std::sin(d) * std::cos(a0 - a));
}

Angle Planets::Parallax(const Coord& position)
{
    return Angle::HorizontalParallax(position.Dist().Meters());
}

Angle Planets::MoonStandardAltitude(const Coord& moon)
{
    return Parallax(moon) * 0.7275 - Angle(34.0, Angle::kArcMinutes);
}

Magnitude Planets::VisualMagnitude(const Coord& body, const Coord& sun, int number)
{
    if (number == 0)
        return Magnitude(-26.8, Magnitude::kNoValue);
    const RectCoord b = body.ToRect();
    const RectCoord s = sun.ToRect();
    const double delta = Length(b);
    const double r = Length(s - b);
    const double i = PhaseAngle(body, sun).Radians() * astro::kDegreesPerRadian;
    const double L = (r * delta > 0.0) ? 5.0 * std::log10(r * delta) : 0.0;
    double v;
    switch (number) {
    case 1: v = L - 0.42 + 0.038 * i - 0.000273 * i * i + 2e-6 * i * i * i; break;
    case 2: v = L - 4.40 + 0.0009 * i + 0.000239 * i * i - 6.5e-7 * i * i * i; break;
    case 4: v = L - 1.52 + 0.016 * i; break;
    case 5: v = L - 9.40 + 0.005 * i; break;
    case 6: v = L - 8.68 + 0.044 * i; break;
    case 7: v = L - 7.19; break;
    case 8: v = L - 6.87; break;
    case 9: v = L - 1.00; break;
    default: return Magnitude();
    }
    return Magnitude(v, Magnitude::kNoValue);
}
