#include "astro/Moon.h"

#include "astro/AstroConstants.h"

#include "astro/Planets.h"
#include "astro/SignedStreamRecord.h"
#include "astro/SolarReport.h"
#include "framework/stream/PStream.h"

#include <cmath>

namespace {


} // namespace

Moon::Moon(const std::string& dataDirectory) : dataDirectory_(dataDirectory) {}

Moon::~Moon() = default;

int Moon::LoadLowRes() { return Load("elplores.rsx", kLowRes); }
int Moon::LoadHighRes() { return Load("elphires.rsx", kHighRes); }

const ELPseries* Moon::Series(int n) const
{
    if (!series_ || n < 1 || n > kSeries)
        return nullptr;
    return &series_[n - 1];
}

// Blocks of signature, version 4, series number and term count, then the terms; a block with
// number or count 0 (or the end of the file) ends the series. The new series replace the old
// ones only when the whole file read cleanly and gave the main problem (series 1-3).
int Moon::Load(const std::string& name, int state)
{
    if (series_ && state_ != kNothing && loadedFile_ == name)
        return state_;
    const std::string path = dataDirectory_ + name;
    auto fail = [&](const char* what) {
        if (reported_.insert(path).second)
            SolarReportProblem("Moon series file " + path + " " + what);
        return static_cast<int>(state_);
    };
    fw::ifpstream is;
    if (!is.open(path))
        return fail("is missing");
    std::unique_ptr<ELPseries[]> fresh(new ELPseries[kSeries]);
    while (is.remaining() > 0) {
        const SignedStreamRecord::Header header = SignedStreamRecord::ReadHeader(is);
        const std::uint32_t number = is.readWord32();
        const std::uint32_t count = is.readWord32();
        if (is.fail())
            return fail("is damaged");
        if (number == 0 || count == 0)
            break;
        if (!header.Matches(SignedStreamRecord::MoonData, 4))
            return fail("is not a Moon series file of this version");
        if (number > kSeries)
            return fail("is damaged");
        if (!fresh[number - 1].Read(is, static_cast<int>(number), count))
            return fail("is damaged");
    }
    for (int n = 0; n < 3; ++n)
        if (!fresh[n].IsLoaded())
            return fail("lacks the main lunar series");
    series_ = std::move(fresh);
    state_ = state;
    loadedFile_ = name;
    positionValid_ = false;
    phaseValid_ = false;
    return state_;
}

Angle Moon::TruncationError() const
{
    const ELPseries* s = Series(1);
    if (!s || !s->IsLoaded() || s->Count() < 2)
        return Angle();
    return Angle(2.0 * std::sqrt(static_cast<double>(s->Count())) * std::fabs(s->Coefficient(s->Count() - 1)), 4);
}

// Sum of the 36 series with the fundamental arguments of ELP 2000-82B (arcseconds, t in Julian
// centuries of dynamical time); the longitude is referred to the mean equinox of date.
void Moon::Recompute(const JulianDate& jd)
{
    if (!series_ || (positionValid_ && jd == date_))
        return;
    const double t = jd.CenturiesSinceJ2000(JulianDate::kDynamical16);
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    const double w1 = (218.3164591 + 481267.88134236 * t - 0.0013268 * t2 + t3 * 1.855835023689734e-6 -
                       t4 * 1.5338834862103876e-8) * 3600.0;
    ELParguments a{};
    a.D = (1072260.73512 + 1602961601.4603 * t - 5.8681 * t2 + 0.006595 * t3 - 0.00003184 * t4) * astro::kRadiansPerArcsecond;
    a.lp = (1287104.79306 + 129596581.0474 * t - 0.5529 * t2 + 0.000147 * t3) * astro::kRadiansPerArcsecond;
    a.l = (485868.28096 + 1717915923.4728 * t + 32.3893 * t2 + 0.051651 * t3 - 0.0002447 * t4) * astro::kRadiansPerArcsecond;
    a.F = (335779.55755 + 1739527263.098 * t - 12.2505 * t2 - 0.001021 * t3 + 4.17e-6 * t4) * astro::kRadiansPerArcsecond;
    // zeta: the Moon's mean longitude on the fixed ecliptic of J2000.0 plus the general
    // precession in longitude, linear in t (W1 above is already referred to the equinox of date).
    a.zeta = (785939.95571 + (1732559343.73604 + 5029.0966) * t) * astro::kRadiansPerArcsecond;
    a.Me = (908103.25986 + 538101628.68898 * t) * astro::kRadiansPerArcsecond;
    a.V = (655127.28305 + 210664136.43355 * t) * astro::kRadiansPerArcsecond;
    a.T = (361679.22059 + 129597742.2758 * t - 0.0202 * t2 + 9e-6 * t3 + 1.5e-7 * t4) * astro::kRadiansPerArcsecond;
    a.Ma = (1279559.78866 + 68905077.59284 * t) * astro::kRadiansPerArcsecond;
    a.J = (123665.34212 + 10925660.42861 * t) * astro::kRadiansPerArcsecond;
    a.S = (180278.89694 + 4399609.65932 * t) * astro::kRadiansPerArcsecond;
    a.U = (1130598.01841 + 1542481.19393 * t) * astro::kRadiansPerArcsecond;
    a.N = (1095655.19575 + 786550.32074 * t) * astro::kRadiansPerArcsecond;

    const double u = jd.CenturiesSinceJ2000(JulianDate::kUniversal);
    const double u2 = u * u;
    double sum[3] = {0.0, 0.0, 0.0};
    for (int n = 1; n <= kSeries; ++n) {
        const ELPseries& s = series_[n - 1];
        if (!s.IsLoaded())
            continue;
        double v = s.Value(a);
        if ((n >= 7 && n <= 9) || (n >= 13 && n <= 15) || (n >= 19 && n <= 21) || (n >= 25 && n <= 27))
            v *= u;
        else if (n >= 34)
            v *= u2;
        sum[(n - 1) % 3] += v;
    }
    const Angle longitude = Angle::Wrapped((w1 + sum[0]) * astro::kRadiansPerArcsecond);
    const Angle latitude = Angle::WrappedSigned(sum[1] * astro::kRadiansPerArcsecond);
    const ::Distance distance(sum[2], 1);
    ecliptic_ = Coord::Ecliptic(longitude, latitude, distance, jd, Coord::Precessed);
    equatorial_ = Coord::ToEquatorial(ecliptic_);
    apparent_ = Coord::AsEquatorial(
        Coord::Reduce(equatorial_, jd, Coord::MaskNutationOnly, Angle(), Angle(), Angle()));
    parallax_ = Angle::HorizontalParallax(distance.Meters());
    semiDiameter_ = Angle(std::asin(0.272481 * std::sin(parallax_.Radians())));
    date_ = jd;
    positionValid_ = true;
}

Coord Moon::EclipticPosition(const JulianDate& jd)
{
    Recompute(jd);
    return ecliptic_;
}

Coord Moon::EquatorialPosition(const JulianDate& jd)
{
    Recompute(jd);
    return equatorial_;
}

Coord Moon::ApparentPosition(const JulianDate& jd)
{
    Recompute(jd);
    return apparent_;
}

::Distance Moon::Distance(const JulianDate& jd)
{
    Recompute(jd);
    return ecliptic_.Dist();
}

Angle Moon::HorizontalParallax(const JulianDate& jd)
{
    Recompute(jd);
    return parallax_;
}

Angle Moon::SemiDiameter(const JulianDate& jd)
{
    Recompute(jd);
    return semiDiameter_;
}

Angle Moon::RiseSetAltitude(const JulianDate& jd)
{
    Recompute(jd);
    return parallax_ * 0.7275 - Angle(34.0, Angle::kArcMinutes);
}

// The phase geometry is that of any body lit by the Sun.
Angle Moon::ComputeElongation(const Coord& moon, const Coord& sun)
{
    return Planets::Elongation(moon, sun);
}

Angle Moon::ComputePhaseAngle(const Coord& moon, const Coord& sun)
{
    return Planets::PhaseAngle(moon, sun);
}

Angle Moon::ComputeBrightLimbAngle(const Coord& moon, const Coord& sun)
{
    return Planets::BrightLimbAngle(moon, sun);
}

void Moon::RecomputePhase(const JulianDate& jd, const Coord& sun)
{
    if (phaseValid_ && jd == phaseDate_ && sun == sun_ && positionValid_ && jd == date_)
        return;
    Recompute(jd);
    elongation_ = ComputeElongation(apparent_, sun);
    phaseAngle_ = ComputePhaseAngle(apparent_, sun);
    illuminated_ = (1.0 + std::cos(phaseAngle_.Radians())) / 2.0;
    brightLimb_ = ComputeBrightLimbAngle(apparent_, sun);
    phaseDate_ = jd;
    sun_ = sun;
    phaseValid_ = true;
}

Angle Moon::PhaseAngle(const JulianDate& jd, const Coord& sun)
{
    RecomputePhase(jd, sun);
    return phaseAngle_;
}

double Moon::IlluminatedFraction(const JulianDate& jd, const Coord& sun)
{
    RecomputePhase(jd, sun);
    return illuminated_;
}

Angle Moon::BrightLimbAngle(const JulianDate& jd, const Coord& sun)
{
    RecomputePhase(jd, sun);
    return brightLimb_;
}

Angle Moon::Elongation(const JulianDate& jd, const Coord& sun)
{
    RecomputePhase(jd, sun);
    return elongation_;
}
