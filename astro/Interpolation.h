// Three- and five-point interpolation of values tabulated at equal steps (Meeus,
// Astronomical Algorithms, chapter 3).
#pragma once

#include "astro/Angle.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"

// y at x from y1, y2, y3 tabulated at x2 - step, x2, x2 + step; secondDifference receives
// the second difference. A step of 0 gives the middle value.
double Interpolate3(double x, double x2, double step, double y1, double y2, double y3,
                    double& secondDifference);
// y at x from y1 .. y5 tabulated around x3; fourthDifference receives the fourth difference.
double Interpolate5(double x, double x3, double step, double y1, double y2, double y3,
                    double y4, double y5, double& fourthDifference);

// The same for angles at instants (step in days). Jumps across the 0/2pi seam are removed
// first, from the first value onward; the result is not wrapped.
Angle InterpolateAngle3(const JulianDate& x, const JulianDate& x2, double step,
                        const Angle& y1, const Angle& y2, const Angle& y3, Angle& secondDifference);
Angle InterpolateAngle5(const JulianDate& x, const JulianDate& x3, double step,
                        const Angle& y1, const Angle& y2, const Angle& y3, const Angle& y4,
                        const Angle& y5, Angle& fourthDifference);

// The same for distances, interpolating the metres.
Distance InterpolateDistance3(const JulianDate& x, const JulianDate& x2, double step,
                              const Distance& y1, const Distance& y2, const Distance& y3,
                              Distance& secondDifference);
Distance InterpolateDistance5(const JulianDate& x, const JulianDate& x3, double step,
                              const Distance& y1, const Distance& y2, const Distance& y3,
                              const Distance& y4, const Distance& y5, Distance& fourthDifference);
