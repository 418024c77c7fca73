#include "chart/ChartProjection.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kHourToRad = kPi / 12.0;
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

// An hour difference brought into (-12, 12].
double ShortHours(double h)
{
    h = std::fmod(h, 24.0);
    if (h > 12.0) h -= 24.0;
    if (h <= -12.0) h += 24.0;
    return h;
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

} // namespace

ChartProjection::ChartProjection()
{
    SetGeometry(18.0, -35.0, -25.0, -47.0, ProjectionStereographic);
}

bool ChartProjection::ConeN(double p1, double p2, int type, double& n) const
{
    if (BeyondNinety(p1) || BeyondNinety(p2)) return false;
    if (type == ProjectionConformalConic1) {
        n = std::sin(p1 * kDegToRad);
        return true;
    }
    if (type != ProjectionConformalConic2) return false;
    double t1, t2;
    if (!ConeT(p1, t1) || !ConeT(p2, t2)) return false;
    const double denominator = std::log(t1) - std::log(t2);
    if (denominator == 0) return false;
    n = (std::log(std::cos(p2 * kDegToRad)) - std::log(std::cos(p1 * kDegToRad))) / denominator;
    return std::isfinite(n);
}

bool ChartProjection::ConeF(double p1, double n, double& f) const
{
    double t1;
    if (n == 0 || !ConeT(p1, t1)) return false;
    f = std::cos(p1 * kDegToRad) * std::pow(t1, n) / n;
    return std::isfinite(f);
}

bool ChartProjection::ConeRho(double phi, double& rho) const
{
    if (BeyondNinety(phi) || coneN == 0) return false;
    // The pole on the cone's side is its apex; the other pole is at infinity.
    if (std::fabs(phi) >= 90.0) {
        if ((phi > 0) != (coneN > 0)) return false;
        rho = 0;
        return true;
    }
    double t;
    if (!ConeT(phi, t)) return false;
    const double tn = std::pow(t, coneN);
    if (tn == 0 || !std::isfinite(tn)) return false;
    rho = coneF / tn;
    return std::isfinite(rho);
}

// Equal-area (Albers) conic on a unit sphere: rho = sqrt(C - 2 n sin phi) / n, negative for a
// southern cone.
bool ChartProjection::AreaConeRho(double phi, double& rho) const
{
    if (areaConeN == 0 || BeyondNinety(phi)) return false;
    const double v = areaConeC - 2.0 * areaConeN * std::sin(phi * kDegToRad);
    if (v < 0) return false;
    rho = std::sqrt(v) / areaConeN;
    return true;
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
    projection = type;
    if (type == ProjectionDefault) {
        projection = ProjectionStereographic;
        type = projection;
    }
    cosCenterDec = std::cos(centerDec * kDegToRad);
    sinCenterDec = std::sin(centerDec * kDegToRad);
    if (type >= ProjectionStereographic && type <= ProjectionPolar) return !BeyondNinety(dec);
    if (type == ProjectionAreaConic) {
        if (BeyondNinety(parallel1) || BeyondNinety(parallel2)) return false;
        const double s1 = std::sin(parallel1 * kDegToRad);
        const double c1 = std::cos(parallel1 * kDegToRad);
        areaConeN = (s1 + std::sin(parallel2 * kDegToRad)) / 2.0;
        areaConeC = c1 * c1 + 2.0 * areaConeN * s1;
        return AreaConeRho(centerDec, coneRho0);
    }
    if (type == ProjectionConformalConic1 || type == ProjectionConformalConic2) {
        double n, f;
        if (!ConeN(parallel1, parallel2, type, n) || !ConeF(parallel1, n, f)) return false;
        coneN = n;
        coneF = f;
        return ConeRho(centerDec, coneRho0);
    }
    return false;
}

bool ChartProjection::SkyToPlane(double ra, double dec, double& x, double& y) const
{
    switch (projection) {
    case ProjectionStereographic:
    case ProjectionGnomonic:
    case ProjectionLambertAzimuthal:
    case ProjectionOrthographic: {
        double dRA = ra - centerRA;
        if (dRA < 0) dRA += 24.0;
        const double sd = std::sin(dec * kDegToRad), cd = std::cos(dec * kDegToRad);
        const double ch = std::cos(dRA * kHourToRad);
        const double cosc = cd * cosCenterDec * ch + sd * sinCenterDec;
        const double c = cosc >= 1 ? 0.0 : cosc <= -1 ? kPi : std::acos(cosc);
        const double sinc = std::sin(c);
        if (c == 0) {
            x = y = 0;
            return true;
        }
        // The point opposite the centre has no single place on any of the four.
        if (c == kPi || sinc == 0) return false;
        double rho;
        switch (projection) {
        case ProjectionGnomonic:
            if (c >= 1.570796326) return false;
            rho = std::tan(c);
            break;
        case ProjectionLambertAzimuthal: rho = std::sin(c / 2.0); break;
        case ProjectionOrthographic:
            if (c >= 1.5707) return false;
            rho = sinc;
            break;
        default: rho = std::tan(c / 2.0); break;
        }
        const double w = (sd * cosCenterDec - cd * sinCenterDec * ch) / sinc;
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
    case ProjectionCylindrical: {
        if (cosCenterDec == 0 || std::fabs(dec - centerDec) > 90.0) return false;
        y = std::sin((dec - centerDec) * kDegToRad) / cosCenterDec;
        double h = centerRA - ra;
        if (h < -12.0) h += 24.0;
        if (h > 12.0) h -= 24.0;
        x = h * kHourToRad * cosCenterDec;
        return true;
    }
    case ProjectionPolar: {
        if ((centerDec < 0 && dec > 0) || (centerDec > 0 && dec < 0)) return false;
        const double a = ra * kHourToRad;
        if (centerDec > 0) {
            // Seen towards the north pole right ascension runs clockwise: east stays left, as
            // on every other chart.
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
    case ProjectionAreaConic: {
        const double h = ShortHours(ra - centerRA);
        if (std::fabs(h) >= 12.0 - kCutSlack) return false;
        double rho;
        if (!AreaConeRho(dec, rho)) return false;
        const double theta = h * areaConeN * kHourToRad;
        x = -rho * std::sin(theta);
        y = coneRho0 - rho * std::cos(theta);
        return true;
    }
    case ProjectionConformalConic1:
    case ProjectionConformalConic2: {
        const double h = ShortHours(centerRA - ra);
        if (std::fabs(h) >= 12.0 - kCutSlack) return false;
        double rho;
        if (!ConeRho(dec, rho)) return false;
        const double theta = coneN * kHourToRad * h;
        x = std::sin(theta) * rho;
        y = coneRho0 - std::cos(theta) * rho;
        return true;
    }
    default: return false;
    }
}

bool ChartProjection::PlaneToSky(double u, double v, double& ra, double& dec) const
{
    switch (projection) {
    case ProjectionStereographic:
    case ProjectionGnomonic:
    case ProjectionLambertAzimuthal:
    case ProjectionOrthographic: {
        if (u == 0 && v == 0) {
            ra = centerRA;
            dec = centerDec;
            return true;
        }
        const double rho = std::hypot(u, v);
        double c;
        switch (projection) {
        case ProjectionGnomonic: c = std::atan(rho); break;
        case ProjectionLambertAzimuthal:
            if (rho > 1) return false;
            c = 2.0 * std::asin(rho);
            break;
        case ProjectionOrthographic:
            if (rho > 1) return false;
            c = std::asin(rho);
            break;
        default: c = 2.0 * std::atan(rho); break;
        }
        const double sinc = std::sin(c), cosc = std::cos(c);
        double sd = cosc * sinCenterDec + sinc * (v / rho) * cosCenterDec;
        if (!ClampUnit(sd)) return false;
        // Right ascension by the two-argument arc tangent, which also holds at the poles; u is
        // to the right, that is to the west.
        const double dRA = std::atan2(-u * sinc, rho * cosCenterDec * cosc - v * sinCenterDec * sinc);
        dec = std::asin(sd) / kDegToRad;
        ra = WrapHours(centerRA + dRA / kHourToRad);
        return true;
    }
    case ProjectionCylindrical: {
        if (cosCenterDec == 0) return false;
        const double s = v * cosCenterDec;
        if (std::fabs(s) > 1) return false;
        const double d = centerDec + std::asin(s) / kDegToRad;
        if (d < -90.0 || d > 90.0) return false;
        ra = WrapHours(centerRA - u / kHourToRad / cosCenterDec);
        dec = d;
        return true;
    }
    case ProjectionPolar: {
        const double r = std::hypot(u, v);
        if (centerDec > 0) {
            ra = r == 0 ? 0.0 : WrapHours(std::atan2(-v, u) / kHourToRad);
            dec = 90.0 - 90.0 * r;
        } else {
            ra = r == 0 ? 0.0 : WrapHours(std::atan2(v, u) / kHourToRad);
            dec = 90.0 * r - 90.0;
        }
        return dec >= -90.0 && dec <= 90.0;
    }
    case ProjectionAreaConic: {
        const double n = areaConeN;
        if (n == 0) return false;
        const double s = n > 0 ? 1.0 : -1.0;
        const double rho = s * std::hypot(u, coneRho0 - v);
        const double theta = std::atan2(-s * u, s * (coneRho0 - v));
        const double h = theta / (n * kHourToRad);
        if (std::fabs(h) >= 12.0) return false;
        double sd = (areaConeC - rho * rho * n * n) / (2.0 * n);
        if (!ClampUnit(sd)) return false;
        ra = WrapHours(centerRA + h);
        dec = std::asin(sd) / kDegToRad;
        return true;
    }
    case ProjectionConformalConic1:
    case ProjectionConformalConic2: {
        const double n = coneN;
        if (n == 0 || coneF == 0) return false;
        const double s = n > 0 ? 1.0 : -1.0;
        const double rho = s * std::hypot(u, coneRho0 - v);
        const double theta = std::atan2(s * u, s * (coneRho0 - v));
        const double h = theta / (n * kHourToRad);
        if (std::fabs(h) >= 12.0) return false;
        double d;
        if (rho == 0) {
            d = 90.0 * s;
        } else {
            const double t = std::exp(std::log(coneF / rho) / n);
            if (!std::isfinite(t)) return false;
            d = 2.0 * std::atan(t) / kDegToRad - 90.0;
        }
        ra = WrapHours(centerRA - h);
        dec = d;
        return true;
    }
    default: return false;
    }
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
    switch (projection) {
    case ProjectionDefault: return "Default";
    case ProjectionStereographic: return "Stereographic";
    case ProjectionGnomonic: return "Gnomonic";
    case ProjectionLambertAzimuthal: return "Lambert Equal Area";
    case ProjectionOrthographic: return "Orthographic";
    default: return "";
    }
}
