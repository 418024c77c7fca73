#include "catalog/SortKeys.h"

#include "astro/AstroConstants.h"

#include "catalog/AtlasReference.h"
#include "catalog/CatalogueTable.h"
#include "catalog/ElevationMap.h"
#include "catalog/NamedObjects.h"
#include "catalog/SortCriteria.h"

#include <algorithm>
#include <cmath>

namespace {


// Row of the horizon table for a declination; -1 off the table.
int HorizonRow(double decDegrees)
{
    const double r = 90.0 - decDegrees;
    if (!(r > -1.0 && r < 181.0))
        return -1;
    return int(r);
}

// Angle in radians into [-pi, pi).
double WrapSigned(double a)
{
    a = std::fmod(a + astro::kPi, 2 * astro::kPi);
    if (a < 0)
        a += 2 * astro::kPi;
    return a - astro::kPi;
}

// A sentinel of the rise/set keys that lies above every time.
constexpr int kLateSentinel = 540;

// Key of a rise or set at the sidereal time of the given whole degrees: the degrees past the
// noon before the night's midnight, wrapped into [0, 360], plus one (so that 0 stays free).
int SiderealKey(int degrees, double midnightSiderealDegrees)
{
    if (degrees > 180)
        degrees -= 360;
    int e = int(degrees + 180 - midnightSiderealDegrees);
    if (e < 0)
        e += 360;
    else if (e > 360)
        e -= 360;
    return e + 1;
}

} // namespace

int SortKeys::Range(int code)
{
    switch (code) {
    case kSortObservationOrder: return 10860;
    case kSortConstellation: return 90;
    case kSortObjectType: return 16;
    case kSortDreyerBrightness: return 16;
    case kSortDreyerSize: return 16;
    case kSortDreyerShape: return 16;
    case kSortNumber: return 13227;
    case kSortRightAscension: return 24001;
    case kSortDeclination: return 180001;
    case kSortMagnitude: return 601;
    case kSortDiameter: return 2401;
    case kSortMessierNumber: return 123;
    case kSortHerschelNumber: return 775;
    case kSortHerschelClass: return 9;  // classes 0 (none) to 8
    case kSortCommonName: return 123;
    case kSortRiseLST: return 361;
    case kSortSetLST: return 361;
    case kSortRiseLMT: return 26001;
    case kSortSetLMT: return 26001;
    case kSortTransitLMT: return 2601;
    case kSortSkyAtlasChart: return 30;
    case kSortUranometriaPage: return 500;
    default: return 1;
    }
}

int SortKeys::ObservationOrder(double raHours, double decDegrees, const Context& c)
{
    int row = HorizonRow(decDegrees);
    if (row < 0)
        row = 0;
    const int h0 = c.map->Horizon(row);
    int f = int(raHours * 15.0) - int(c.sessionSiderealHours * 15.0);
    while (f < -180)
        f += 360;
    while (f > 180)
        f -= 360;
    int g;
    if (h0 == ElevationMap::kNeverRises)
        g = 540;
    else if (f < 0)
        g = h0 + f;
    else
        g = 360 - h0 + f;
    const int G = int((g + 180) / 15.0);
    const bool southern = c.map->Horizon(0) == ElevationMap::kNeverRises;
    return southern ? G * 180 + 90 - row : G * 180 + row + 90;
}

int SortKeys::RiseLST(double raHours, double decDegrees, const Context& c)
{
    const int row = HorizonRow(decDegrees);
    if (row < 0)
        return 0;
    const int h0 = c.map->Horizon(row);
    if (h0 == ElevationMap::kAlwaysAbove)
        return kLateSentinel;
    if (h0 == ElevationMap::kNeverRises)
        return 0;
    return SiderealKey(int(raHours * 15.0) - h0, c.midnightSiderealDegrees);
}

int SortKeys::SetLST(double raHours, double decDegrees, const Context& c)
{
    const int row = HorizonRow(decDegrees);
    if (row < 0)
        return 0;
    const int h0 = c.map->Horizon(row);
    if (h0 == ElevationMap::kAlwaysAbove)
        return 0;
    if (h0 == ElevationMap::kNeverRises)
        return kLateSentinel;
    return SiderealKey(int(raHours * 15.0) + h0, c.midnightSiderealDegrees);
}

void SortKeys::LocalTimes(double raHours, double decDegrees, const Context& c, double& rise, double& set,
                          double& transit)
{
    const double H = raHours * 15.0 * astro::kRadiansPerDegree - c.midnightSiderealDegrees * astro::kRadiansPerDegree;
    transit = (WrapSigned(H) + astro::kPi) * 12.0 / astro::kPi;
    const double dec = decDegrees * astro::kRadiansPerDegree;
    const double B = std::cos(dec) * c.cosLatitude;
    bool never = false, always = false;
    double h0 = 0;
    if (B == 0) {
        if (std::fabs(decDegrees - c.latitudeDegrees) >= 90.0)
            never = true;
        else
            always = true;
    } else {
        const double x = -(std::sin(dec) * c.sinLatitude) / B;
        if (x >= 1)
            never = true;
        else if (x <= -1)
            always = true;
        else
            h0 = std::acos(x);
    }
    if (never) {
        rise = 0;
        set = 26;
    } else if (always) {
        rise = 26;
        set = 0;
    } else {
        rise = (WrapSigned(H - h0) + astro::kPi) * 12.0 / astro::kPi;
        set = (WrapSigned(H + h0) + astro::kPi) * 12.0 / astro::kPi;
    }
}

int SortKeys::Value(int code, int row, const Context& c)
{
    const CatalogueTable& t = NGCTable;
    const std::int32_t k = t.catalogueNumber[row];
    const double ra = t.ra[row];
    const double dec = t.dec[row];
    const int range = Range(code);
    double v = 0;
    // The rise/set sentinels go to the top of the range; other values stay below it.
    auto riseSet = [range](int x) { return x == kLateSentinel ? range - 1 : std::min(x + 1, range - 2); };
    switch (code) {
    case kSortObservationOrder: v = ObservationOrder(ra, dec, c) + 1; break;
    case kSortConstellation: v = t.constellation[row]; break;
    case kSortObjectType: v = t.type[row]; break;
    case kSortDreyerBrightness: v = t.brightness[row]; break;
    case kSortDreyerSize: v = t.size[row]; break;
    case kSortDreyerShape: v = t.shape[row] & std::uint8_t(~ObservedMark); break;
    case kSortNumber: v = k > 8000 ? k - 2160 : k; break;
    case kSortRightAscension: v = ra * 1000.0 + 1; break;
    case kSortDeclination: v = (dec + 90.0) * 1000.0 + 1; break;
    // Magnitude and diameter step in tenths held in single precision (8.7 as 8.6999998):
    // rounded to their step, never truncated into the tenth below.
    case kSortMagnitude: v = std::round((MagnitudeValue(t.magnitude[row]) + 30.0) * 10.0); break;
    case kSortDiameter: v = std::round(t.diameter[row] * 10.0) + 1; break;
    case kSortMessierNumber: v = NamedObjects::MessierNumber(k) + 1; break;
    case kSortHerschelNumber: v = NamedObjects::HerschelNumber(k) + 1; break;
    case kSortHerschelClass: v = NamedObjects::HerschelClass(k); break;
    case kSortCommonName: {
        const ObjectId id = ObjectId::FromCatalogue(ObjectId::kNgcCatalogue, ObjectNumberOfCatalogueNumber(k));
        v = (c.names ? c.names->CommonNamePosition(id) : 0) + 1;
        break;
    }
    case kSortRiseLST: return riseSet(RiseLST(ra, dec, c));
    case kSortSetLST: return riseSet(SetLST(ra, dec, c));
    case kSortRiseLMT:
    case kSortSetLMT:
    case kSortTransitLMT: {
        double rise, set, transit;
        LocalTimes(ra, dec, c, rise, set, transit);
        if (code == kSortTransitLMT)
            v = transit * 100.0 + 1;
        else
            v = (code == kSortRiseLMT ? rise : set) * 1000.0 + 1;
        break;
    }
    case kSortSkyAtlasChart: {
        AtlasReference atlas;
        v = atlas.SkyAtlasChart(ra, dec);
        break;
    }
    case kSortUranometriaPage: {
        AtlasReference atlas;
        v = atlas.UranometriaPage(ra, dec);
        break;
    }
    default: return 0;
    }
    // Every value within its key's range, so that no key reaches into the next one.
    v = std::floor(v);
    if (!(v >= 0))
        return 0;
    if (v > range - 1)
        return range - 1;
    return int(v);
}

int SortKeys::Directed(int code, int direction, int v)
{
    if (direction != 0 || Range(code) == 1)
        return v;
    return Range(code) - 1 - v;
}
