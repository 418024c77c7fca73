#include "catalog/AtlasReference.h"

#include <cmath>
#include <iterator>

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

// The Uranometria bands below 72.5 degrees, north to south: pages of a band are counted from
// 0 h at the given pages per hour, the page past the last wrapping to the first; a southern
// page lies southOffset pages after its northern twin (the equatorial band is shared).
struct UranometriaBand {
    double minDeclination;
    double pagesPerHour;
    int pages;
    int firstPage;
    int southOffset;
};
constexpr UranometriaBand kUranometriaBands[] = {
    {61, 0.8333333333333334, 20, 15, 425},
    {50, 1, 24, 35, 381},
    {39, 1.25, 30, 59, 327},
    {28, 1.5, 36, 89, 261},
    {17, 1.875, 45, 125, 180},
    {5.5, 1.875, 45, 170, 90},
    {0, 1.875, 45, 215, 0},
};

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
    if (d >= 72.5) {
        const int p = int(std::trunc(raHours / 2 + 0.4166666666666667));
        const int page = p == 12 ? 3 : p + 3;
        return north ? page : page + 457;
    }
    // The first band the declination reaches; the equatorial band takes whatever is left.
    const UranometriaBand* band = std::end(kUranometriaBands) - 1;
    for (const UranometriaBand& b : kUranometriaBands) {
        if (d >= b.minDeclination) {
            band = &b;
            break;
        }
    }
    const int p = Near(raHours * band->pagesPerHour);
    const int page = p == band->pages ? band->firstPage : p + band->firstPage;
    return north ? page : page + band->southOffset;
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
