// Planets: the one object that gives the positions of the Sun, the eight major planets and
// Pluto (VSOP87A series files, PLUTO95 for Pluto), the quantities derived from them, and a
// cached rise/transit/set per body.
//
// Body numbers: 0 Sun, 1 Mercury, 2 Venus, 3 "Moon" (the slot holds the Earth's series),
// 4 Mars, 5 Jupiter, 6 Saturn, 7 Uranus, 8 Neptune, 9 Pluto.
#pragma once

#include "astro/Angle.h"
#include "astro/Coord.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"
#include "astro/Magnitude.h"
#include "astro/ObsSite.h"
#include "astro/RectCoord.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>

class Planet;
class Pluto;
class RiseSetTransit;

class Planets {
public:
    static constexpr int kBodies = 10;
    // Rise/set levels: computed with the light (0x10) or the full (0x20) series.
    static constexpr int kLightLevel = 0x10;
    static constexpr int kFullLevel = 0x20;

    explicit Planets(const std::string& dataDirectory);
    ~Planets();
    Planets(const Planets&) = delete;
    Planets& operator=(const Planets&) = delete;

    // The body's name ("Sun", "Mercury", ... "Pluto"); "" outside 0 to 9.
    static const char* BodyName(int body);

    // Loads the body's light (mode 1) or full (mode 2) series; the result is the status word.
    // A file that cannot be read is reported once; the series loaded before stay in use.
    int LoadPlanet(int body, int mode);
    void UnloadPlanet(int body);
    // Low nibble: 1 light, 2 full, 0 none; 0x10/0x20: rise/set computed at that level.
    std::int32_t Status(int body) const { return (body >= 0 && body < kBodies) ? status_[body] : 0; }
    // False for a body without series (its positions would be meaningless): callers leave it
    // out. The Sun needs the Earth's series, every planet its own and the Earth's, Pluto its
    // file and the Earth's.
    bool IsAvailable(int body) const;

    RectCoord HeliocentricPosition(const JulianDate& t, int body);
    Coord HeliocentricEquatorial(const JulianDate& t, int body);
    // Apparent geocentric equatorial place of date (no light time).
    Coord ApparentPosition(const JulianDate& date, int body);
    // The Sun's geometric ecliptic longitude referred to the mean equinox of the date, from its
    // geocentric position on the J2000.0 equator: what the annual aberration of a place of
    // date takes.
    static Angle SunLongitudeOfDate(const RectCoord& sun, const JulianDate& date);
    // Geometric geocentric equatorial place referred to J2000.0.
    Coord GeocentricPosition(const JulianDate& t, int body);

    Distance TruncationError(int body) const;
    Angle SemiDiameter(const Coord& position, int body) const;
    // The altitude at which the body rises or sets: -0 deg 34' (refraction) minus its
    // semidiameter at the given position.
    Angle StandardAltitude(const Coord& position, int body) const;

    // The body's rise/transit/set for the night of t at the site, at least at the level asked;
    // computed when the cache is for another night, another site or a lower level. Null for a
    // body that is not available.
    RiseSetTransit* GetRiseSetTransit(int body, const JulianDate& t, const ObsSite& site, int level);
    // 1, or 0 (and no cache) when the body is not available.
    int ComputeRiseSetTransit(int body, const JulianDate& t, const ObsSite& site, int level);

    static Angle Elongation(const Coord& body, const Coord& sun);
    static Angle PhaseAngle(const Coord& body, const Coord& sun);
    static double IlluminatedFraction(const Coord& body, const Coord& sun);
    static Angle BrightLimbAngle(const Coord& body, const Coord& sun);
    static Angle Parallax(const Coord& position);
    static Angle MoonStandardAltitude(const Coord& moon);
    static Magnitude VisualMagnitude(const Coord& position, const Coord& sun, int body);

    Pluto* PlutoSeries() const { return pluto_.get(); }
    const Planet* PlanetSeries(int body) const
    {
        return (body >= 1 && body <= 8) ? planet_[body].get() : nullptr;
    }

private:
    void ReportFailure(const std::string& path, const char* what);

    std::string dataDirectory_;
    std::int32_t status_[kBodies] = {};
    std::unique_ptr<Planet> planet_[kBodies];
    std::unique_ptr<RiseSetTransit> riseSet_[kBodies];
    std::unique_ptr<Pluto> pluto_;
    // Level each cache was computed at (0x10 or 0x20).
    int cacheLevel_[kBodies] = {};
    // Series files already reported as unreadable.
    std::set<std::string> reported_;
};
