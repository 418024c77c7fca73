#include "astro/Coord.h"

#include "astro/AstroConstants.h"

#include <cmath>

#include "astro/Nutation.h"
#include "astro/RectCoord.h"
#include "astro/SignedStreamRecord.h"
#include "framework/stream/PStream.h"

namespace {

constexpr double kCenturiesPerDay = 0.000027378507871321012;
constexpr double kYearsPerDay = 0.0027378507871321013;

double Clamp1(double x)
{
    if (!(x > -1.0)) return -1.0; // also a ratio that is not a number
    return x < 1.0 ? x : 1.0;
}

// Mean obliquity of the ecliptic for a date, radians.
double MeanObliquity(const JulianDate& jd)
{
    return ObliquityOfEcliptic(jd).Radians();
}

// Nutation in longitude and in obliquity for a date from the shared per-date cache, radians.
double NutationInLongitude(const JulianDate& jd)
{
    return SharedNutation.Longitude(jd).Radians();
}

double NutationInObliquity(const JulianDate& jd)
{
    return SharedNutation.Obliquity(jd).Radians();
}

} // namespace

Coord Coord::Equatorial(const Angle& ra, const Angle& dec, const Distance& distance,
                        const JulianDate& epoch, std::uint32_t flags)
{
    return Coord(ra, dec, distance, epoch, flags & EquatorialMask);
}

Coord Coord::AsEquatorial(const Coord& c)
{
    Coord r(c);
    r.flags_ &= EquatorialMask;
    return r;
}

Coord Coord::Ecliptic(const Angle& longitude, const Angle& latitude, const Distance& distance,
                      const JulianDate& epoch, std::uint32_t flags)
{
    return Coord(longitude, latitude, distance, epoch, flags & EclipticMask);
}

Coord Coord::AsEcliptic(const Coord& c)
{
    Coord r(c);
    r.flags_ &= EclipticMask;
    return r;
}

bool Coord::operator==(const Coord& c) const
{
    return lon_ == c.lon_ && lat_ == c.lat_ && dist_ == c.dist_ && flags_ == c.flags_;
}

RectCoord Coord::ToRect() const
{
    const double d = dist_.Meters();
    const double cb = std::cos(lat_.Radians());
    return RectCoord(Distance(d * cb * std::cos(lon_.Radians())), Distance(d * cb * std::sin(lon_.Radians())),
                     Distance(d * std::sin(lat_.Radians())), epoch_, flags_);
}

// Equatorial to ecliptic with the mean obliquity of the epoch (Meeus 13.1, 13.2). Both atan2
// arguments are multiplied by cos delta: the same angle wherever tan delta is defined, and
// still the right one at a pole and for a declination carried past it by proper motion.
Coord Coord::ToEcliptic(const Coord& c)
{
    const double eps = MeanObliquity(c.epoch_);
    const double se = std::sin(eps), ce = std::cos(eps);
    const double a = c.lon_.Radians(), d = c.lat_.Radians();
    const double cd = std::cos(d), sd = std::sin(d);
    const Angle lon = Angle::FromAtan2(std::sin(a) * cd * ce + sd * se, std::cos(a) * cd);
    const Angle lat = Angle::FromAsin(sd * ce - cd * se * std::sin(a), 1.0);
    return Ecliptic(lon, lat, c.dist_, c.epoch_, c.flags_);
}

// Ecliptic to equatorial (Meeus 13.3, 13.4, atan2 arguments multiplied by cos beta as above);
// the true obliquity once nutation or aberration has been applied.
Coord Coord::ToEquatorial(const Coord& c)
{
    double eps = MeanObliquity(c.epoch_);
    if (c.flags_ & (AberrationApplied | NutationApplied)) eps += NutationInObliquity(c.epoch_);
    const double se = std::sin(eps), ce = std::cos(eps);
    const double l = c.Longitude().Radians(), b = c.Latitude().Radians();
    const double cb = std::cos(b), sb = std::sin(b);
    const Angle ra = Angle::Wrapped(std::atan2(std::sin(l) * cb * ce - sb * se, std::cos(l) * cb));
    const Angle dec = Angle::WrappedSigned(std::asin(Clamp1(sb * ce + cb * se * std::sin(l))));
    return Equatorial(ra, dec, c.dist_, c.epoch_, c.flags_);
}

Coord Coord::ApplyReductions(const Coord& c, const JulianDate& target, std::uint32_t mask,
                             const Angle& sunLongitude, const Angle& muAlpha, const Angle& muDelta)
{
    Coord r = AsEcliptic(c);
    if (target != r.epoch_) {
        if (mask & ProperMotionApplied) r.ApplyProperMotion(target, muAlpha, muDelta);
        if (mask & Precessed) r.PrecessEcliptic(target);
    }
    if (mask & NutationApplied) r.NutateEcliptic();
    if (mask & AberrationApplied) r.AberrateEcliptic(sunLongitude);
    return AsEcliptic(r);
}

Coord Coord::Reduce(const Coord& c, const JulianDate& target, std::uint32_t mask,
                    const Angle& sunLongitude, const Angle& muAlpha, const Angle& muDelta)
{
    return ToEquatorial(ApplyReductions(ToEcliptic(c), target, mask, sunLongitude, muAlpha, muDelta));
}

void Coord::Precess(const JulianDate& target)
{
    Coord e = ToEcliptic(*this);
    e.PrecessEcliptic(target);
    *this = ToEquatorial(e);
}

void Coord::Aberrate(const Angle& sunLongitude)
{
    Coord e = ToEcliptic(*this);
    e.AberrateEcliptic(sunLongitude);
    *this = ToEquatorial(e);
}

void Coord::Nutate()
{
    Coord e = ToEcliptic(*this);
    e.NutateEcliptic();
    *this = ToEquatorial(e);
}

// Rigorous precession in ecliptic coordinates with the IAU 1976 constants (Meeus 21.5, 21.7);
// angles in arcseconds, T centuries of the starting epoch from J2000.0, t centuries elapsed.
void Coord::PrecessEcliptic(const JulianDate& target)
{
    const double jd0 = epoch_.JD(2);
    const double jd1 = target.JD(2);
    if (jd0 == jd1) return;
    const double T = epoch_.CenturiesSinceJ2000(2);
    const double t = (jd1 - jd0) * kCenturiesPerDay;
    const double eta = ((47.0029 - 0.06603 * T + 0.000598 * T * T) * t
                        + (-0.03302 + 0.000598 * T) * t * t + 0.00006 * t * t * t) * astro::kRadiansPerArcsecond;
    const double bigPi = (629554.9824 + 3289.4789 * T + 0.60622 * T * T
                          - (869.8089 + 0.50491 * T) * t + 0.03536 * t * t) * astro::kRadiansPerArcsecond;
    const double p = ((5029.0966 + 2.22226 * T - 0.000042 * T * T) * t
                      + (1.11113 - 0.000042 * T) * t * t - 0.000006 * t * t * t) * astro::kRadiansPerArcsecond;
    const double l0 = lon_.Radians(), b0 = lat_.Radians();
    const double ce = std::cos(eta), se = std::sin(eta);
    const double cb = std::cos(b0), sb = std::sin(b0);
    const double sl = std::sin(bigPi - l0), cl = std::cos(bigPi - l0);
    const double a = ce * cb * sl - se * sb;
    const double b = cb * cl;
    const double c = ce * sb + se * cb * sl;
    lon_ = Angle(p + bigPi - Angle::FromAtan2(a, b).Radians());
    lat_ = Angle::FromAsin(c, 1.0);
    epoch_ = target;
    flags_ |= Precessed;
}

void Coord::NutateEcliptic()
{
    lon_ += NutationInLongitude(epoch_);
    flags_ |= NutationApplied;
}

// Annual aberration in ecliptic coordinates with the Earth's eccentricity terms (Meeus 23.2);
// kappa the constant of aberration, e the eccentricity and pi the longitude of perihelion of
// the Earth's orbit, sun the Sun's geometric longitude. The two corrections, delta lambda
// cos beta and delta beta, are applied as a displacement on the sphere (along the tangent
// directions of longitude and latitude, then normalised) rather than added to the angles:
// the same to first order, but it stays exact near the ecliptic poles, where delta lambda
// alone grows without bound and adding it would move a position by up to an arcsecond.
void Coord::AberrateEcliptic(const Angle& sunLongitude)
{
    const double T = epoch_.CenturiesSinceJ2000(2);
    const double kappa = 20.49552 * astro::kRadiansPerArcsecond;
    const double e = 0.016708617 - 0.000042037 * T - 0.0000001236 * T * T;
    const double peri = (102.93735 + 0.71953 * T + 0.00046 * T * T) * (astro::kTwoPi / 360.0);
    const double l = lon_.Radians(), b = lat_.Radians();
    const double sun = sunLongitude.Radians();
    const double east = -kappa * std::cos(sun - l) + e * kappa * std::cos(peri - l); // delta lambda cos beta
    const double north = -kappa * std::sin(b) * (std::sin(sun - l) - e * std::sin(peri - l));
    const double cl = std::cos(l), sl = std::sin(l), cb = std::cos(b), sb = std::sin(b);
    const double x = cb * cl - east * sl - north * sb * cl;
    const double y = cb * sl + east * cl - north * sb * sl;
    const double z = sb + north * cb;
    const double rho = std::sqrt(x * x + y * y);
    // Keep the longitude continuous with the old one (no wrap), as adding to it would.
    lon_ = Angle(l + std::remainder(Angle::FromAtan2(y, x).Radians() - l, astro::kTwoPi));
    lat_ = Angle::FromAtan2(z, rho);
    flags_ |= AberrationApplied;
}

void Coord::ApplyProperMotion(const JulianDate& target, const Angle& muAlpha, const Angle& muDelta)
{
    if (muAlpha.Radians() == 0.0 && muDelta.Radians() == 0.0) return;
    Coord eq = ToEquatorial(*this);
    eq.MoveByProperMotion(target, muAlpha, muDelta);
    *this = ToEcliptic(eq);
    flags_ |= ProperMotionApplied;
}

void Coord::MoveByProperMotion(const JulianDate& target, const Angle& muAlpha, const Angle& muDelta)
{
    const double years = (target.JD(2) - epoch_.JD(2)) * kYearsPerDay;
    lon_ += muAlpha.Radians() * years;
    lat_ += muDelta.Radians() * years;
}

void Coord::WriteTo(fw::opstream& os) const
{
    os.writeWord32(SignedStreamRecord::CurrentVersion);
    SignedStreamRecord::WriteRawDouble(os, lon_.Radians());
    SignedStreamRecord::WriteRawDouble(os, lat_.Radians());
    SignedStreamRecord::WriteRawDouble(os, dist_.Meters());
    SignedStreamRecord::WriteRawDouble(os, epoch_.JD(2));
    os.writeWord32(flags_);
}

void Coord::ReadFrom(fw::ipstream& is)
{
    is.readWord(); // version, not checked
    lon_ = Angle(SignedStreamRecord::ReadRawDouble(is));
    lat_ = Angle(SignedStreamRecord::ReadRawDouble(is));
    dist_ = Distance(SignedStreamRecord::ReadRawDouble(is));
    epoch_ = JulianDate(SignedStreamRecord::ReadJulianDay(is), JulianDate::kJulianDay);
    flags_ = is.readWord();
}
