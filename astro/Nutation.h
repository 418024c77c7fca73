// Nutation in longitude and obliquity (IAU 1980 series) with a one-date cache, and the mean
// obliquity of the ecliptic.
#pragma once

#include "astro/Angle.h"
#include "astro/JulianDate.h"

// Mean obliquity of the ecliptic (Laskar's expression, dynamical time); exactly
// 23.4392911 degrees at J2000.0.
Angle ObliquityOfEcliptic(const JulianDate& jd);

class Nutation {
public:
    explicit Nutation(const JulianDate& jd = JulianDate());

    // Nutation in longitude (delta psi) and in obliquity (delta epsilon) for the date; the
    // series runs again only when the date's Julian day differs from the cached one.
    Angle Longitude(const JulianDate& jd);
    Angle Obliquity(const JulianDate& jd);
    // Nutation in right ascension (the equation of the equinoxes):
    // delta psi x cos(mean obliquity + delta epsilon).
    Angle RightAscension(const JulianDate& jd);

    const JulianDate& Date() const { return date_; }
    // How many times the series has been evaluated by this object.
    unsigned long Evaluations() const { return evaluations_; }

    // One evaluation of the 106-term series for t Julian centuries of dynamical time since
    // J2000.0; results in radians.
    static void Evaluate(double t, double& dpsi, double& deps);

    // Back to the state at start-up: the values for J2000.0, no evaluations counted.
    void Reset() { *this = Nutation(); }

private:
    void Compute(const JulianDate& jd);
    void Update(const JulianDate& jd);

    JulianDate date_;
    Angle longitude_;
    Angle obliquity_;
    unsigned long evaluations_ = 0;
};

// The one nutation cache of the program, shared by sidereal time and the coordinate
// reductions; built for J2000.0 at start-up.
extern Nutation SharedNutation;
