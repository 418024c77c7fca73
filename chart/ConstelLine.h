// One segment of a constellation figure between two sky positions (right ascension in hours,
// declination in degrees), with the screen segment where the last drawing put it.
#pragma once

#include "chart/ScreenLine.h"

struct ConstelLine {
    double ra1 = 0;
    double dec1 = 0;
    double ra2 = 0;
    double dec2 = 0;
    ScreenLine screen; // all zero until the line is drawn

    ConstelLine() = default;
    ConstelLine(double ra1_, double dec1_, double ra2_, double dec2_) : ra1(ra1_), dec1(dec1_), ra2(ra2_), dec2(dec2_) {}

    // Equal when the four sky coordinates are; the screen segment does not count.
    bool operator==(const ConstelLine& o) const
    {
        return ra1 == o.ra1 && dec1 == o.dec1 && ra2 == o.ra2 && dec2 == o.dec2;
    }
    bool operator!=(const ConstelLine& o) const { return !(*this == o); }
};
