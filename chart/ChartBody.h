// One solar-system body as the chart keeps it: where it is, how it looks (phase, bright limb,
// size) and the frame the chart uses when it is centred on the body.
#pragma once

#include "astro/Angle.h"
#include "astro/Coord.h"
#include "astro/JulianDate.h"

// The bodies of the chart's cache, in the order of their object numbers.
enum BodyIndex : int {
    BodySun = 0,
    BodyMercury = 1,
    BodyVenus = 2,
    BodyMoon = 3,
    BodyMars = 4,
    BodyJupiter = 5,
    BodySaturn = 6,
    BodyUranus = 7,
    BodyNeptune = 8,
    BodyPluto = 9,
    BodyCount = 10,
};

// "Sun", "Mercury", "Venus", "Moon", ... "Pluto"; "" outside 0 to 9.
const char* ChartBodyName(int index);

struct ChartBody {
    static constexpr double kDefaultField = 20.0; // degrees

    double frameWidth = kDefaultField;  // degrees
    double frameHeight = kDefaultField; // degrees
    Coord frameCenter;                  // all zero: not set
    Coord position;                     // equatorial, J2000.0; all zero before the first update
    Angle phaseAngle;
    Angle brightLimbAngle;
    Angle semiDiameter;
    JulianDate frameTime;               // when the frame centre was last refreshed

    bool HasPosition() const { return position != Coord(); }
};
