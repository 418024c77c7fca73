#include "chart/VisibleRegion.h"

#include <algorithm>

namespace {
constexpr double kDecMargin = 5.0; // degrees added above and below the chart's corners
}

VisibleRegion::VisibleRegion() : allSky(1) {}

VisibleRegion::VisibleRegion(const SkyPoint& TL, const SkyPoint& TR, const SkyPoint& BL, const SkyPoint& BR,
                             const SkyPoint& BM, const SkyPoint& TM, bool north, bool south)
{
    allSky = 0;
    wraps = 0;
    if (north && south) {
        // Caps that overlap: every position passes.
        northCap = -90;
        southCap = 90;
    } else if (north) {
        raUpper = TL.ra;
        raLower = TR.ra;
        decUpper = 90;
        decLower = std::min(BL.dec, BM.dec) - kDecMargin;
        northCap = TR.dec;
        southCap = -90;
    } else if (south) {
        raUpper = BL.ra;
        raLower = BR.ra;
        decUpper = std::max(TL.dec, TM.dec) + kDecMargin;
        decLower = -90;
        northCap = 90;
        southCap = BR.dec;
    } else {
        // East is to the left: the left corners carry the upper right ascension. South of
        // the equator the bottom edge is the wider one.
        if ((BM.dec + TM.dec) / 2 >= 0) {
            raUpper = TL.ra;
            raLower = TR.ra;
        } else {
            raUpper = BL.ra + 0.5;
            raLower = BR.ra - 0.5;
        }
        decUpper = std::max(TL.dec, TM.dec) + kDecMargin;
        decLower = std::min(BL.dec, BM.dec) - kDecMargin;
        northCap = 90;
        southCap = -90;
    }
    // The half-hour widening may carry a limit past 0 h or 24 h: bring both back into the
    // day, so that a box across 0 h is seen as one that wraps.
    if (raLower < 0)
        raLower += 24;
    if (raUpper >= 24)
        raUpper -= 24;
    wraps = raUpper < raLower ? 1 : 0;
}

bool VisibleRegion::Contains(double ra, double dec) const
{
    if (allSky)
        return true;
    if (dec < southCap || dec > northCap)
        return true;
    if (dec > decUpper || dec < decLower)
        return false;
    if (wraps)
        return ra > raLower || ra < raUpper;
    return ra > raLower && ra < raUpper;
}

#if __has_include("astro/Coord.h")
#include "astro/Coord.h"

bool VisibleRegion::Contains(const Coord& c) const
{
    return Contains(c.RA().Hours(), c.Dec().Degrees());
}
#endif
