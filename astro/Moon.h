// Moon: the Moon's position from the lunar theory ELP 2000-82B (36 series read from
// "elplores.rsx" or "elphires.rsx"), with its phase angle, illuminated fraction, semidiameter,
// bright-limb angle and standard altitude for rising and setting, each cached per date.
#pragma once

#include "astro/Angle.h"
#include "astro/Coord.h"
#include "astro/Distance.h"
#include "astro/ELPseries.h"
#include "astro/JulianDate.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>

class Moon {
public:
    // 0 nothing loaded, 1 low resolution, 2 high resolution.
    enum State { kNothing = 0, kLowRes = 1, kHighRes = 2 };
    static constexpr int kSeries = 36;

    explicit Moon(const std::string& dataDirectory);
    ~Moon();
    Moon(const Moon&) = delete;
    Moon& operator=(const Moon&) = delete;

    // Load "elplores.rsx" or "elphires.rsx"; the result is the state. A file that cannot be
    // read, is damaged or lacks the main-problem series 1-3 is reported once and leaves the
    // series loaded before (and the state) as they were.
    int LoadLowRes();
    int LoadHighRes();
    std::int32_t State() const { return state_; }
    bool IsAvailable() const { return state_ != kNothing; }
    const std::string& LoadedFile() const { return loadedFile_; }
    // Series n (1 to 36); null when no series are loaded.
    const ELPseries* Series(int n) const;

    // Estimate of the truncation of series 1: 2 sqrt(n) |last coefficient| arcseconds.
    Angle TruncationError() const;

    Coord EclipticPosition(const JulianDate& jd);
    Coord EquatorialPosition(const JulianDate& jd);
    Coord ApparentPosition(const JulianDate& jd);
    ::Distance Distance(const JulianDate& jd);
    Angle HorizontalParallax(const JulianDate& jd);
    Angle SemiDiameter(const JulianDate& jd);
    // 0.7275 x horizontal parallax - 34 arcminutes.
    Angle RiseSetAltitude(const JulianDate& jd);

    Angle PhaseAngle(const JulianDate& jd, const Coord& sun);
    double IlluminatedFraction(const JulianDate& jd, const Coord& sun);
    Angle BrightLimbAngle(const JulianDate& jd, const Coord& sun);
    Angle Elongation(const JulianDate& jd, const Coord& sun);

    static Angle ComputeElongation(const Coord& moon, const Coord& sun);
    static Angle ComputePhaseAngle(const Coord& moon, const Coord& sun);
    static Angle ComputeBrightLimbAngle(const Coord& moon, const Coord& sun);

private:
    int Load(const std::string& name, int state);
    void Recompute(const JulianDate& jd);
    void RecomputePhase(const JulianDate& jd, const Coord& sun);

    std::int32_t state_ = kNothing;
    std::unique_ptr<ELPseries[]> series_;
    std::string dataDirectory_;
    std::string loadedFile_;
    bool positionValid_ = false;
    JulianDate date_;
    Coord ecliptic_;
    Coord equatorial_;
    Coord apparent_;
    Angle parallax_;
    Angle semiDiameter_;
    bool phaseValid_ = false;
    JulianDate phaseDate_;
    Coord sun_;
    Angle elongation_;
    Angle phaseAngle_;
    double illuminated_ = 0.0;
    Angle brightLimb_;
    std::set<std::string> reported_;
};
