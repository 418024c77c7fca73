#include "chart/ChartProjection.h"

#include "astro/AstroConstants.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

using astro::kPi;
constexpr double kDegToRad = astro::kRadiansPerDegree;
constexpr double kHourToRad = astro::kRadiansPerHour;
// Values of a sine or cosine this far beyond +-1 are rounding and are clamped.
constexpr double kClampSlack = 0.00001;
// Right-ascension differences from the centre this close to 12 h lie on a conic chart's cut.
constexpr double kCutSlack = 1e-9;

double WrapHours(double ra)
{
    ra = std::fmod(ra, 24.0);
    if (ra < 0) ra += 24.0;
    return ra;
}

// A sine or cosine computed from rounded inputs: clamped to +-1 when only rounding put it
// beyond; false when it lies further out.
bool ClampUnit(double& v)
{
    if (v > 1.0) {
        if (v > 1.0 + kClampSlack) return false;
        v = 1.0;
    } else if (v < -1.0) {
        if (v < -1.0 - kClampSlack) return false;
        v = -1.0;
    }
    return true;
}

bool BeyondNinety(double degrees)
{
    return std::fabs(std::trunc(degrees)) > 90.0;
}

// tan(45 + phi/2) of the conformal conic; false when it is not positive.
bool ConeT(double phi, double& t)
{
    if (BeyondNinety(phi)) return false;
    t = std::tan((45.0 + phi / 2.0) * kDegToRad);
    return t > 0 && std::isfinite(t);
}


// ---- Conic constants ----

// Lambert conformal conic cone constant n from one standard parallel (n = sin p1); false when
// a parallel lies beyond 90 degrees.
bool OneParallelCone(double p1, double p2, double& n)
{
    if (BeyondNinety(p1) || BeyondNinety(p2)) return false;
    n = std::sin(p1 * kDegToRad);
    return true;
}

// Lambert conformal conic cone constant n from two standard parallels; false when they give
// no cone.
bool TwoParallelCone(double p1, double p2, double& n)
{
    if (BeyondNinety(p1) || BeyondNinety(p2)) return false;
    double t1, t2;
    if (!ConeT(p1, t1) || !ConeT(p2, t2)) return false;
    const double denominator = std::log(t1) - std::log(t2);
    if (denominator == 0) return false;
    n = (std::log(std::cos(p2 * kDegToRad)) - std::log(std::cos(p1 * kDegToRad))) / denominator;
    return std::isfinite(n);
}

bool ConeF(double p1, double n, double& f)
{
    double t1;
    if (n == 0 || !ConeT(p1, t1)) return false;
    f = std::cos(p1 * kDegToRad) * std::pow(t1, n) / n;
    return std::isfinite(f);
}

// Conformal conic radius of a declination.
bool ConeRho(const ChartProjection& p, double phi, double& rho)
{
    if (BeyondNinety(phi) || p.coneN == 0) return false;
    // The pole on the cone's side is its apex; the other pole is at infinity.
    if (std::fabs(phi) >= 90.0) {
        if ((phi > 0) != (p.coneN > 0)) return false;
        rho = 0;
        return true;
    }
    double t;
    if (!ConeT(phi, t)) return false;
    const double tn = std::pow(t, p.coneN);
    if (tn == 0 || !std::isfinite(tn)) return false;
    rho = p.coneF / tn;
    return std::isfinite(rho);
}

// Equal-area (Albers) conic on a unit sphere: rho = sqrt(C - 2 n sin phi) / n, negative for a
// southern cone.
bool AreaConeRho(const ChartProjection& p, double phi, double& rho)
{
    if (p.areaConeN == 0 || BeyondNinety(phi)) return false;
    const double v = p.areaConeC - 2.0 * p.areaConeN * std::sin(phi * kDegToRad);
    if (v < 0) return false;
    rho = std::sqrt(v) / p.areaConeN;
    return true;
}

// ---- Setting up: the kind's constants from the centre and the parallels ----

bool SetUpCentred(ChartProjection& p) { return !BeyondNinety(p.centerDec); }

bool SetUpNothing(ChartProjection&) { return false; }

bool SetUpAreaConic(ChartProjection& p)
{
    if (BeyondNinety(p.parallel1) || BeyondNinety(p.parallel2)) return false;
    const double s1 = std::sin(p.parallel1 * kDegToRad);
    const double c1 = std::cos(p.parallel1 * kDegToRad);
    p.areaConeN = (s1 + std::sin(p.parallel2 * kDegToRad)) / 2.0;
    p.areaConeC = c1 * c1 + 2.0 * p.areaConeN * s1;
    return AreaConeRho(p, p.centerDec, p.coneRho0);
}

template <bool (*ConeN)(double, double, double&)>
bool SetUpConformal(ChartProjection& p)
{
    double n, f;
    if (!ConeN(p.parallel1, p.parallel2, n) || !ConeF(p.parallel1, n, f)) return false;
    p.coneN = n;
    p.coneF = f;
    return ConeRho(p, p.centerDec, p.coneRho0);
}

// ---- Azimuthal kinds: the plane radius of a point c radians from the centre, and back ----

bool StereographicRadius(double c, double& rho)
{
    rho = std::tan(c / 2.0);
    return true;
}

bool StereographicDistance(double rho, double& c)
{
    c = 2.0 * std::atan(rho);
    return true;
}

bool GnomonicRadius(double c, double& rho)
{
    if (c >= 1.570796326) return false;
    rho = std::tan(c);
    return true;
}

bool GnomonicDistance(double rho, double& c)
{
    c = std::atan(rho);
    return true;
}

bool LambertRadius(double c, double& rho)
{
    rho = std::sin(c / 2.0);
    return true;
}

bool LambertDistance(double rho, double& c)
{
    if (rho > 1) return false;
    c = 2.0 * std::asin(rho);
    return true;
}

bool OrthographicRadius(double c, double& rho)
{
    if (c >= 1.5707) return false;
    rho = std::sin(c);
    return true;
}

bool OrthographicDistance(double rho, double& c)
{
    if (rho > 1) return false;
    c = std::asin(rho);
    return true;
}

// ---- Sky to plane ----

bool NoPlane(const ChartProjection&, double, double, double&, double&) { return false; }

template <bool (*Radius)(double, double&)>
bool AzimuthalToPlane(const ChartProjection& p, double ra, double dec, double& x, double& y)
{
    double dRA = ra - p.centerRA;
    if (dRA < 0) dRA += 24.0;
    const double sd = std::sin(dec * kDegToRad), cd = std::cos(dec * kDegToRad);
    const double ch = std::cos(dRA * kHourToRad);
    const double cosc = cd * p.cosCenterDec * ch + sd * p.sinCenterDec;
    const double c = cosc >= 1 ? 0.0 : cosc <= -1 ? kPi : std::acos(cosc);
    const double sinc = std::sin(c);
    if (c == 0) {
        x = y = 0;
        return true;
    }
    // The point opposite the centre has no single place on any azimuthal chart.
    if (c == kPi || sinc == 0) return false;
    double rho;
    if (!Radius(c, rho)) return false;
    const double w = (sd * p.cosCenterDec - cd * p.sinCenterDec * ch) / sinc;
    if (w >= 1) {
        x = 0;
        y = rho;
    } else if (w <= -1) {
        x = 0;
        y = -rho;
    } else {
        x = std::sin(std::acos(w)) * rho;
        if (dRA < 12.0) x = -x; // east of the centre goes left
        y = rho * w;
    }
    return true;
}

bool CylindricalToPlane(const ChartProjection& p, double ra, double dec, double& x, double& y)
{
    if (p.cosCenterDec == 0 || std::fabs(dec - p.centerDec) > 90.0) return false;
    y = std::sin((dec - p.centerDec) * kDegToRad) / p.cosCenterDec;
    double h = p.centerRA - ra;
    if (h < -12.0) h += 24.0;
    if (h > 12.0) h -= 24.0;
    x = h * kHourToRad * p.cosCenterDec;
    return true;
}

bool PolarToPlane(const ChartProjection& p, double ra, double dec, double& x, double& y)
{
    if ((p.centerDec < 0 && dec > 0) || (p.centerDec > 0 && dec < 0)) return false;
    const double a = ra * kHourToRad;
    if (p.centerDec > 0) {
        // Seen towards the north pole right ascension runs clockwise: east stays left, as on
        // every other chart.
        const double r = (90.0 - dec) / 90.0;
        x = r * std::cos(a);
        y = -r * std::sin(a);
    } else {
        const double r = (90.0 + dec) / 90.0;
        x = r * std::cos(a);
        y = r * std::sin(a);
    }
    return true;
}

bool AreaConicToPlane(const ChartProjection& p, double ra, double dec, double& x, double& y)
{
    const double h = ShortHours(ra - p.centerRA);
    if (std::fabs(h) >= 12.0 - kCutSlack) return false;
    double rho;
    if (!AreaConeRho(p, dec, rho)) return false;
    const double theta = h * p.areaConeN * kHourToRad;
    x = -rho * std::sin(theta);
    y = p.coneRho0 - rho * std::cos(theta);
    return true;
}

bool ConformalToPlane(const ChartProjection& p, double ra, double dec, double& x, double& y)
{
    const double h = ShortHours(p.centerRA - ra);
    if (std::fabs(h) >= 12.0 - kCutSlack) return false;
    double rho;
    if (!ConeRho(p, dec, rho)) return false;
    const double theta = p.coneN * kHourToRad * h;
    x = std::sin(theta) * rho;
    y = p.coneRho0 - std::cos(theta) * rho;
    return true;
}

// ---- Plane to sky ----

bool NoSky(const ChartProjection&, double, double, double&, double&) { return false; }

template <bool (*Distance)(double, double&)>
bool AzimuthalToSky(const ChartProjection& p, double u, double v, double& ra, double& dec)
{
    if (u == 0 && v == 0) {
        ra = p.centerRA;
        dec = p.centerDec;
        return true;
    }
    const double rho = std::hypot(u, v);
    double c;
    if (!Distance(rho, c)) return false;
    const double sinc = std::sin(c), cosc = std::cos(c);
    double sd = cosc * p.sinCenterDec + sinc * (v / rho) * p.cosCenterDec;
    if (!ClampUnit(sd)) return false;
    // Right ascension by the two-argument arc tangent, which also holds at the poles; u is to
    // the right, that is to the west.
    const double dRA = std::atan2(-u * sinc, rho * p.cosCenterDec * cosc - v * p.sinCenterDec * sinc);
    dec = std::asin(sd) / kDegToRad;
    ra = WrapHours(p.centerRA + dRA / kHourToRad);
    return true;
}

bool CylindricalToSky(const ChartProjection& p, double u, double v, double& ra, double& dec)
{
    if (p.cosCenterDec == 0) return false;
    const double s = v * p.cosCenterDec;
    if (std::fabs(s) > 1) return false;
    const double d = p.centerDec + std::asin(s) / kDegToRad;
    if (d < -90.0 || d > 90.0) return false;
    ra = WrapHours(p.centerRA - u / kHourToRad / p.cosCenterDec);
    dec = d;
    return true;
}

bool PolarToSky(const ChartProjection& p, double u, double v, double& ra, double& dec)
{
    const double r = std::hypot(u, v);
    if (p.centerDec > 0) {
        ra = r == 0 ? 0.0 : WrapHours(std::atan2(-v, u) / kHourToRad);
        dec = 90.0 - 90.0 * r;
    } else {
        ra = r == 0 ? 0.0 : WrapHours(std::atan2(v, u) / kHourToRad);
        dec = 90.0 * r - 90.0;
    }
    return dec >= -90.0 && dec <= 90.0;
}

bool AreaConicToSky(const ChartProjection& p, double u, double v, double& ra, double& dec)
{
    const double n = p.areaConeN;
    if (n == 0) return false;
    const double s = n > 0 ? 1.0 : -1.0;
    const double rho = s * std::hypot(u, p.coneRho0 - v);
    const double theta = std::atan2(-s * u, s * (p.coneRho0 - v));
    const double h = theta / (n * kHourToRad);
    if (std::fabs(h) >= 12.0) return false;
    double sd = (p.areaConeC - rho * rho * n * n) / (2.0 * n);
    if (!ClampUnit(sd)) return false;
    ra = WrapHours(p.centerRA + h);
    dec = std::asin(sd) / kDegToRad;
    return true;
}

bool ConformalToSky(const ChartProjection& p, double u, double v, double& ra, double& dec)
{
    const double n = p.coneN;
    if (n == 0 || p.coneF == 0) return false;
    const double s = n > 0 ? 1.0 : -1.0;
    const double rho = s * std::hypot(u, p.coneRho0 - v);
    const double theta = std::atan2(s * u, s * (p.coneRho0 - v));
    const double h = theta / (n * kHourToRad);
    if (std::fabs(h) >= 12.0) return false;
    double d;
    if (rho == 0) {
        d = 90.0 * s;
    } else {
        const double t = std::exp(std::log(p.coneF / rho) / n);
        if (!std::isfinite(t)) return false;
        d = 2.0 * std::atan(t) / kDegToRad - 90.0;
    }
    ra = WrapHours(p.centerRA - h);
    dec = d;
    return true;
}

// ---- Field of view: the plane extent a field spans, the field first brought within what the
// kind can show ----

using FieldExtent = ChartProjection::FieldExtent;

void StereographicField(const ChartProjection&, double& width, double& height, FieldExtent& e)
{
    if (width >= 179) width = 178;
    if (height >= 179) height = 178;
    if (std::cos(width / 2 * kDegToRad) != 0 && std::cos(height / 2 * kDegToRad) != 0) {
        e.rx = std::tan(width / 2 * kDegToRad);
        e.ry = std::tan(height / 2 * kDegToRad);
    }
}

void GnomonicField(const ChartProjection&, double& width, double& height, FieldExtent& e)
{
    if (width >= 89) width = 88;
    if (height >= 89) height = 88;
    if (std::cos(width * kDegToRad) != 0 && std::cos(height * kDegToRad) != 0) {
        e.rx = std::tan(width * kDegToRad);
        e.ry = std::tan(height * kDegToRad);
    }
}

void LambertField(const ChartProjection&, double& width, double& height, FieldExtent& e)
{
    if (width >= 180 || height >= 180) width = height = 180;
    e.rx = std::sin(width / 2 * kDegToRad);
    e.ry = std::sin(height / 2 * kDegToRad);
}

void OrthographicField(const ChartProjection&, double& width, double& height, FieldExtent& e)
{
    e.rx = std::sin(width * kDegToRad);
    e.ry = std::sin(height * kDegToRad);
    e.halfScale = width >= 89 || height >= 89;
}

// The field spans the plane distance of its degrees at the centre, so that zooming works on
// the cylindrical, polar and conic charts too.
void PlaneDistanceField(const ChartProjection& p, double& width, double& height, FieldExtent& e)
{
    const double perDegree = p.PlanePerDegree();
    if (perDegree > 0) {
        e.rx = width * perDegree;
        e.ry = height * perDegree;
    }
}

// ---- The kinds ----

// Everything that differs between the projection kinds. A new kind is one entry here (and its
// number in ChartProjectionType) plus its own functions.
struct ProjectionKind {
    ChartProjectionType type;
    const char* name;  // as the chart's caption shows it; empty for the kinds it does not name
    bool conic;        // cut along the meridian opposite the centre
    bool (*setUp)(ChartProjection& p);
    bool (*toPlane)(const ChartProjection& p, double ra, double dec, double& x, double& y);
    bool (*toSky)(const ChartProjection& p, double u, double v, double& ra, double& dec);
    void (*field)(const ChartProjection& p, double& width, double& height, FieldExtent& e);
};

// Indexed by type. The default kind is set up as stereographic (SetGeometry makes it so) and
// maps nothing while it stands as the default.
constexpr ProjectionKind kKinds[] = {
    {ProjectionDefault, "Default", false, SetUpCentred, NoPlane, NoSky, StereographicField},
    {ProjectionStereographic, "Stereographic", false, SetUpCentred, AzimuthalToPlane<StereographicRadius>,
     AzimuthalToSky<StereographicDistance>, StereographicField},
    {ProjectionGnomonic, "Gnomonic", false, SetUpCentred, AzimuthalToPlane<GnomonicRadius>,
     AzimuthalToSky<GnomonicDistance>, GnomonicField},
    {ProjectionLambertAzimuthal, "Lambert Equal Area", false, SetUpCentred, AzimuthalToPlane<LambertRadius>,
     AzimuthalToSky<LambertDistance>, LambertField},
    {ProjectionOrthographic, "Orthographic", false, SetUpCentred, AzimuthalToPlane<OrthographicRadius>,
     AzimuthalToSky<OrthographicDistance>, OrthographicField},
    {ProjectionCylindrical, "", false, SetUpCentred, CylindricalToPlane, CylindricalToSky, PlaneDistanceField},
    {ProjectionPolar, "", false, SetUpCentred, PolarToPlane, PolarToSky, PlaneDistanceField},
    {ProjectionAreaConic, "", true, SetUpAreaConic, AreaConicToPlane, AreaConicToSky, PlaneDistanceField},
    {ProjectionConformalConic1, "", true, SetUpConformal<OneParallelCone>, ConformalToPlane, ConformalToSky,
     PlaneDistanceField},
    {ProjectionConformalConic2, "", true, SetUpConformal<TwoParallelCone>, ConformalToPlane, ConformalToSky,
     PlaneDistanceField},
};

constexpr bool KindsInTypeOrder()
{
    int i = 0;
    for (const ProjectionKind& k : kKinds)
        if (k.type != i++) return false;
    return true;
}
static_assert(KindsInTypeOrder(), "kKinds is indexed by ChartProjectionType");

// A type number no kind has: nothing is set up or mapped.
constexpr ProjectionKind kUnknownKind = {ProjectionDefault, "", false, SetUpNothing, NoPlane, NoSky,
                                         PlaneDistanceField};

const ProjectionKind& KindOf(int type)
{
    return type >= 0 && type < int(std::size(kKinds)) ? kKinds[type] : kUnknownKind;
}

} // namespace

double ShortHours(double h)
{
    h = std::fmod(h, 24.0);
    if (h > 12.0) h -= 24.0;
    if (h <= -12.0) h += 24.0;
    return h;
}

ChartProjection::ChartProjection()
{
    SetGeometry(18.0, -35.0, -25.0, -47.0, ProjectionStereographic);
}

bool ChartProjection::SetGeometry(double ra, double dec, double p1, double p2, int type)
{
    centerRA = ra;
    centerDec = dec;
    antiMeridianRA = ra + 12.0;
    if (antiMeridianRA > 24.0) antiMeridianRA -= 24.0;
    if (std::fabs(std::trunc(p1)) > std::fabs(std::trunc(p2))) {
        parallel1 = p1;
        parallel2 = p2;
    } else {
        parallel1 = p2;
        parallel2 = p1;
    }
    projection = type == ProjectionDefault ? ProjectionStereographic : type;
    cosCenterDec = std::cos(centerDec * kDegToRad);
    sinCenterDec = std::sin(centerDec * kDegToRad);
    return KindOf(projection).setUp(*this);
}

bool ChartProjection::SkyToPlane(double ra, double dec, double& x, double& y) const
{
    return KindOf(projection).toPlane(*this, ra, dec, x, y);
}

bool ChartProjection::PlaneToSky(double u, double v, double& ra, double& dec) const
{
    return KindOf(projection).toSky(*this, u, v, ra, dec);
}

bool ChartProjection::IsConic() const
{
    return KindOf(projection).conic;
}

ChartProjection::FieldExtent ChartProjection::FieldOfView(double& width, double& height) const
{
    FieldExtent extent;
    KindOf(projection).field(*this, width, height, extent);
    return extent;
}

int ChartProjection::SkyToScreen(double ra, double dec, fw::Point& point, const fw::Rect& chartRect,
                                 const fw::Rect& testRect) const
{
    double x, y;
    if (!SkyToPlane(ra, dec, x, y)) return MapOffChart;
    const int W = chartRect.Width(), H = chartRect.Height();
    if (W <= 0 || H <= 0) return MapOffChart;
    const double X = scale * x, Y = scale * y;
    // Pixel coordinates stay within 16 bits.
    if (!(std::fabs(X) < 1e9) || !(std::fabs(Y) < 1e9)) return MapOffChart;
    if (std::trunc(std::fabs(X)) > 64000 / W || std::trunc(std::fabs(Y)) > 64000 / H) return MapOffChart;
    const int cx = chartRect.left + W / 2;
    const int cy = chartRect.top + H / 2;
    const double half = W / 2.0; // both axes: the chart keeps its aspect ratio
    point = fw::Point(fw::TruncToInt(X * half + cx), fw::TruncToInt(cy - Y * half));
    if (point.x == testRect.left || point.x == testRect.right || point.y == testRect.top ||
        point.y == testRect.bottom)
        return MapOnEdge;
    if (point.x >= testRect.left && point.x <= testRect.right && point.y >= testRect.top &&
        point.y <= testRect.bottom)
        return MapInside;
    if (chartRect.Contains(point)) return MapOnEdge;
    if (chartRect.Inflated(W / 2, H / 2).Contains(point)) return MapNear;
    return MapOutside;
}

bool ChartProjection::ScreenToSky(double& ra, double& dec, int px, int py, const fw::Rect& chartRect) const
{
    const int W = chartRect.Width(), H = chartRect.Height();
    if (W <= 0 || H <= 0 || scale == 0) return false;
    const double half = W / 2.0;
    const int cx = chartRect.left + W / 2;
    const int cy = chartRect.top + H / 2;
    const double u = (px - cx) / half / scale;
    const double v = (cy - py) / half / scale;
    double r, d;
    if (!PlaneToSky(u, v, r, d)) return false;
    ra = r;
    dec = d;
    return true;
}

bool ChartProjection::CrossesCut(double ra1, double, double ra2) const
{
    if (!IsConic()) return false;
    const double lo = std::min(ra1, ra2), hi = std::max(ra1, ra2);
    if (std::trunc(std::fabs(ra2 - ra1)) > 12.0) return antiMeridianRA < lo || antiMeridianRA > hi;
    return lo < antiMeridianRA && antiMeridianRA < hi;
}

double ChartProjection::PlanePerDegree() const
{
    const double d1 = std::min(centerDec + 0.5, 90.0), d2 = std::max(centerDec - 0.5, -90.0);
    double x1, y1, x2, y2;
    if (d1 <= d2 || !SkyToPlane(centerRA, d1, x1, y1) || !SkyToPlane(centerRA, d2, x2, y2)) return 0;
    return std::hypot(x1 - x2, y1 - y2) / (d1 - d2);
}

std::string ChartProjection::ProjectionName() const
{
    return KindOf(projection).name;
}
