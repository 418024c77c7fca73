#include "catalog/AtlasReference.h"

#include <cmath>

namespace {

// Absolute declination truncated toward zero: the atlases' bands are whole degrees.
double BandDeclination(double decDegrees)
{
    return std::trunc(std::fabs(decDegrees));
}

int Near(double x)
{
    return int(std::trunc(x + 0.5));
}

} // namespace

int AtlasReference::SkyAtlasChart(double raHours, double decDegrees)
{
    ra = raHours;
    dec = decDegrees;
    const double d = BandDeclination(decDegrees);
    const bool south = decDegrees < 0;
    if (d >= 52)
        return int(std::trunc(raHours / 8)) + (south ? 24 : 1);
    if (d >= 18.5)
        return int(std::trunc(raHours / 4)) + (south ? 18 : 4);
    const int c = int(std::trunc(raHours / 3 + 0.8333333333333334));
    return c == 0 ? 17 : c + 9;
}

int AtlasReference::UranometriaVolume(double /*raHours*/, double decDegrees)
{
    volume = (BandDeclination(decDegrees) >= 5.5 && decDegrees < 0) ? 2 : 1;
    return volume;
}

int AtlasReference::UranometriaPage(double raHours, double decDegrees) const
{
    const double d = BandDeclination(decDegrees);
    const bool north = decDegrees >= 0;
    if (d >= 84.5)
        return north ? (raHours < 12 ? 1 : 2) : (raHours < 12 ? 473 : 472);
    int page;
    int southOffset;
    if (d >= 72.5) {
        const int p = int(std::trunc(raHours / 2 + 0.4166666666666667));
        page = p == 12 ? 3 : p + 3;
        southOffset = 457;
    } else if (d >= 61) {
        const int p = Near(raHours * 0.8333333333333334);
        page = p == 20 ? 15 : p + 15;
        southOffset = 425;
    } else if (d >= 50) {
        const int p = Near(raHours);
        page = p == 24 ? 35 : p + 35;
        southOffset = 381;
    } else if (d >= 39) {
        const int p = Near(raHours * 1.25);
        page = p == 30 ? 59 : p + 59;
        southOffset = 327;
    } else if (d >= 28) {
        const int p = Near(raHours * 1.5);
        page = p == 36 ? 89 : p + 89;
        southOffset = 261;
    } else if (d >= 17) {
        const int p = Near(raHours * 1.875);
        page = p == 45 ? 125 : p + 125;
        southOffset = 180;
    } else if (d >= 5.5) {
        const int p = Near(raHours * 1.875);
        page = p == 45 ? 170 : p + 170;
        southOffset = 90;
    } else {
        const int p = Near(raHours * 1.875);
        return p == 45 ? 215 : p + 215;
    }
    return north ? page : page + southOffset;
}

std::string AtlasReference::SkyAtlasText(double raHours, double decDegrees, int style)
{
    if (raHours < 0) {
        raHours = ra;
        decDegrees = dec;
    }
    if (style != 0)
        skyAtlasStyle = style;
    const std::string chart = std::to_string(SkyAtlasChart(raHours, decDegrees));
    switch (skyAtlasStyle) {
    case 0:
    case 1: return "Chart " + chart;
    case 2: return "Chart #" + chart;
    case 3: return "#" + chart;
    case 4: return chart;
    default: return "";
    }
}

std::string AtlasReference::UranometriaText(double raHours, double decDegrees, int style)
{
    if (raHours < 0) {
        raHours = ra;
        decDegrees = dec;
    }
    if (style != 0)
        uranometriaStyle = style;
    const int v = UranometriaVolume(raHours, decDegrees);
    const std::string vs = std::to_string(v);
    const std::string ps = std::to_string(UranometriaPage(raHours, decDegrees));
    switch (uranometriaStyle) {
    case 0: return "v" + vs + " p" + ps;
    case 1:
    case 3: return "vol " + vs + ", p " + ps;
    case 2: return "p " + ps + ", Vol " + vs;
    case 4: return "p " + ps + (v == 1 ? " v.1" : " v.2");
    case 5: return "Vol " + vs + " Page " + ps;
    case 6: return "Page " + ps + " Vol " + vs;
    default: return "";
    }
}
