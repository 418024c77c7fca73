// A coarse right-ascension/declination box around the part of the sky the chart shows.
// Drawing tests grid cells, objects, stars and bodies against it before projecting them.
// Right ascension in hours, declination in degrees, J2000.0.
#pragma once

#include <cstdint>

class Coord;

// A sky position of the chart: right ascension in hours, declination in degrees.
struct SkyPoint {
    double ra = 0;
    double dec = 0;
};

class VisibleRegion {
public:
    // The whole sky: every position passes.
    VisibleRegion();
    // From the sky positions of six points of the chart's rectangle (top-left, top-right,
    // bottom-left, bottom-right, middle of the bottom edge, middle of the top edge) and
    // whether the north and the south pole lie on the chart.
    VisibleRegion(const SkyPoint& topLeft, const SkyPoint& topRight, const SkyPoint& bottomLeft,
                  const SkyPoint& bottomRight, const SkyPoint& bottomMiddle, const SkyPoint& topMiddle,
                  bool northPoleOnChart, bool southPoleOnChart);

    // Whether a position may be visible.
    bool Contains(double ra, double dec) const;
    // The same for a position triple, taken as its right ascension and declination.
    bool Contains(const Coord& c) const;

    // Marks the region as the whole sky (when the chart's corners cannot be converted).
    void SetAllSky() { allSky = 1; }

    std::int32_t allSky = 0;
    double raUpper = 24;
    double raLower = 0;
    double decUpper = 90;
    double decLower = -90;
    double northCap = 90;
    double southCap = -90;
    std::int32_t wraps = 0;
};
