#include "astro/RiseSetTransit.h"

#include "astro/AstroConstants.h"

#include "astro/TrigSeries.h"

#include <cmath>

namespace {

// Sidereal turns per solar day.
constexpr double kSiderealRate = 1.00273790935;
// Largest distance from the standard altitude (radians, 0.1 degree) at which an iterated rise
// or set is still an event; a converged one lies well within it.
constexpr double kEventTolerance = 0.1 * astro::kTwoPi / 360;

double Wrap(double radians) { return Angle::WrappedSigned(radians).Radians(); }

double Days(double radians) { return Angle(radians).DayFraction(); }

double Asin(double v) { return std::asin(v > 1.0 ? 1.0 : (v < -1.0 ? -1.0 : v)); }

// Correction of a rise or set time from the altitude h reached there (Meeus 15.x); no
// correction where the divisor vanishes (a pole, or an hour angle of 0), so the result stays
// finite for any interpolated position.
double EventCorrection(double h, double h0, double cosDelta, double cosPhi, double sinH)
{
    const double divisor = cosDelta * cosPhi * sinH;
    if (std::fabs(divisor) < 1e-12)
        return 0.0;
    return (h - h0) / divisor;
}

Coord DefaultPosition()
{
    return Coord(Angle(), Angle(), Distance(), JulianDate(), Coord::MaskMeanPlace);
}

} // namespace

RiseSetTransit::RiseSetTransit()
    : risePosition_(DefaultPosition()),
      setPosition_(DefaultPosition()),
      transitPosition_(DefaultPosition()),
      site_(Angle(), Angle(), std::string(), 0.0, Distance())
{
}

RiseSetTransit::RiseSetTransit(const JulianDate& date, const ObsSite& site, const PositionTable& positions)
    : risePosition_(DefaultPosition()),
      setPosition_(DefaultPosition()),
      transitPosition_(DefaultPosition()),
      date_(date),
      site_(site),
      positions_(positions)
{
}

std::int32_t RiseSetTransit::StatusAndH0(double phi, double sinPhi, double cosPhi, double delta, double sinDelta,
                                         double cosDelta, double sinH0, double& H0)
{
    const double c = cosPhi * cosDelta;
    const double s = sinPhi * sinDelta;
    H0 = 0.0;
    if (c != 0.0) {
        const double x = (sinH0 - s) / c;
        if (x >= 1.0)
            return kAlwaysBelow;
        if (x > -1.0) {
            H0 = Angle::FromAcos(x, 1).Radians();
            return kRisesAndSets;
        }
        return kAlwaysAbove;
    }
    return std::fabs(delta - phi) >= astro::kTwoPi / 4 ? kAlwaysBelow : kAlwaysAbove;
}

RiseSetTransit::Night::Night(const JulianDate& date, const ObsSite& site, const Angle& h0)
    : date_(date),
      site_(site),
      h0_(h0.Radians()),
      sinH0_(std::sin(h0.Radians())),
      phi_(site.Position().Latitude().Radians()),
      sinPhi_(std::sin(phi_)),
      cosPhi_(std::cos(phi_)),
      L_(site.Position().Longitude().Radians()),
      theta0_(date.GreenwichMeanSiderealTime().Radians())
{
}

RiseSetTransit RiseSetTransit::FromFixedPosition(const Coord& position, const JulianDate& date,
                                                 const ObsSite& site, const Angle& h0)
{
    return Night(date, site, h0).FixedPosition(position);
}

RiseSetTransit RiseSetTransit::Night::FixedPosition(const Coord& position) const
{
    RiseSetTransit r(date_, site_, PositionTable::FromFixed(position));
    const double alpha = position.RA().Radians();
    const double delta = position.Dec().Radians();
    const double sinDelta = std::sin(delta), cosDelta = std::cos(delta);
    double H0 = 0.0;
    r.status_ = StatusAndH0(phi_, sinPhi_, cosPhi_, delta, sinDelta, cosDelta, sinH0_, H0);

    double m[3];
    m[0] = Wrap(alpha + L_ - theta0_);
    H0 = Wrap(H0);
    m[1] = Wrap(m[0] - H0);
    m[2] = Wrap(m[0] + H0);
    double H[3];
    for (int i = 0; i < 3; ++i)
        H[i] = theta0_ + kSiderealRate * m[i] - L_ - alpha;
    m[0] -= Wrap(H[0]);
    if (r.status_ == kRisesAndSets) {
        // Both hour angles in one pass.
        double sinH[2], cosH[2];
        SinesAndCosines(H + 1, 2, sinH, cosH);
        for (int i = 1; i <= 2; ++i) {
            const double h = Asin(sinPhi_ * sinDelta + cosPhi_ * cosDelta * cosH[i - 1]);
            m[i] += EventCorrection(h, h0_, cosDelta, cosPhi_, sinH[i - 1]);
        }
        r.rise_ = date_ + Days(m[1]);
        r.set_ = date_ + Days(m[2]);
    }
    r.transit_ = date_ + Days(m[0]);
    return r;
}

void RiseSetTransit::Iterate(const JulianDate& date, const Angle& h0, double H0, const Coord& middle)
{
    const double phi = site_.Position().Latitude().Radians();
    const double L = site_.Position().Longitude().Radians();
    const double theta0 = date.GreenwichMeanSiderealTime().Radians();
    const double alpha = middle.RA().Radians();
    double m0 = Wrap(alpha + L - theta0);
    H0 = Wrap(H0);
    double m1 = Wrap(m0 - H0);
    double m2 = Wrap(m0 + H0);

    for (int iteration = 0; iteration < 6; ++iteration) {
        const double theta = theta0 + kSiderealRate * m0;
        transitPosition_ = Coord::AsEquatorial(positions_.At(date + Days(m0)));
        const double H = Wrap(theta - L - transitPosition_.RA().Radians());
        m0 -= H;
        if (status_ == kRisesAndSets) {
            double* ms[2] = {&m1, &m2};
            Coord* ps[2] = {&risePosition_, &setPosition_};
            for (int e = 0; e < 2; ++e) {
                double& mi = *ms[e];
                const double thetaI = theta0 + kSiderealRate * mi;
                *ps[e] = Coord::AsEquatorial(positions_.At(date + Days(mi)));
                const double alphaI = ps[e]->RA().Radians();
                const double deltaI = ps[e]->Dec().Radians();
                const double Hi = thetaI - L - alphaI;
                const double h =
                    Asin(std::sin(phi) * std::sin(deltaI) + std::cos(phi) * std::cos(deltaI) * std::cos(Hi));
                mi += EventCorrection(h, h0.Radians(), std::cos(deltaI), std::cos(phi), std::sin(Hi));
            }
        }
        if (H == 0.0)
            break;
    }
    rise_ = date + Days(m1);
    set_ = date + Days(m2);
    transit_ = date + Days(m0);
    if (status_ == kRisesAndSets)
        CheckEvents(date, h0, m1, m2);
}

// The status comes from one sample: at the edge of circumpolar the body's motion through the
// day can leave it without a crossing, and the iteration then ends far from the standard
// altitude. Such an event is no event: the status becomes what the body's culminations at
// that instant give (never above the standard altitude, or never below it).
void RiseSetTransit::CheckEvents(const JulianDate& date, const Angle& h0, double m1, double m2)
{
    const double phi = site_.Position().Latitude().Radians();
    const double L = site_.Position().Longitude().Radians();
    const double theta0 = date.GreenwichMeanSiderealTime().Radians();
    for (double mi : {m1, m2}) {
        const Coord p = Coord::AsEquatorial(positions_.At(date + Days(mi)));
        const double delta = p.Dec().Radians();
        const double Hi = theta0 + kSiderealRate * mi - L - p.RA().Radians();
        const double h = Asin(std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(Hi));
        if (std::fabs(h - h0.Radians()) <= kEventTolerance)
            continue;
        const double highest = astro::kTwoPi / 4 - std::fabs(phi - delta);
        const double lowest = std::fabs(phi + delta) - astro::kTwoPi / 4;
        if (highest < h0.Radians())
            status_ = kAlwaysBelow;
        else if (lowest > h0.Radians())
            status_ = kAlwaysAbove;
        else
            status_ = h < h0.Radians() ? kAlwaysBelow : kAlwaysAbove;
        return;
    }
}

RiseSetTransit RiseSetTransit::FromPositions(const Coord& p1, const Coord& p2, const Coord& p3, const Coord& p4,
                                             const Coord& p5, const JulianDate& date, const ObsSite& site,
                                             const Angle& h0)
{
    return FromTable(PositionTable::FromFive(date, 0.5, p1, p2, p3, p4, p5), p3, date, site, h0);
}

RiseSetTransit RiseSetTransit::FromThreePositions(const Coord& p1, const Coord& p2, const Coord& p3,
                                                  const JulianDate& date, const ObsSite& site, const Angle& h0)
{
    return FromTable(PositionTable::FromThree(date, 1.0, p1, p2, p3), p2, date, site, h0);
}

RiseSetTransit RiseSetTransit::FromTable(const PositionTable& positions, const Coord& middle, const JulianDate& date,
                                         const ObsSite& site, const Angle& h0)
{
    RiseSetTransit r(date, site, positions);
    const double phi = site.Position().Latitude().Radians();
    const double delta = middle.Dec().Radians();
    double H0 = 0.0;
    r.status_ = StatusAndH0(phi, std::sin(phi), std::cos(phi), delta, std::sin(delta), std::cos(delta),
                            std::sin(h0.Radians()), H0);
    r.Iterate(date, h0, H0, middle);
    return r;
}

Coord RiseSetTransit::PositionAt(const JulianDate& t)
{
    return Coord::AsEquatorial(positions_.At(t));
}

Angle RiseSetTransit::AltitudeAt(const JulianDate& t)
{
    return site_.Altitude(t, PositionAt(t));
}

Coord RiseSetTransit::HorizontalAt(const JulianDate& t)
{
    return site_.ToHorizontal(t, PositionAt(t), Coord::MaskApparentPlace);
}

bool RiseSetTransit::IsForDate(const JulianDate& t) const
{
    return std::fabs(t.JD() - date_.JD()) < 1.0;
}

TimeDate RiseSetTransit::RiseLocal() const { return site_.ToLocal(rise_); }
TimeDate RiseSetTransit::TransitLocal() const { return site_.ToLocal(transit_); }
TimeDate RiseSetTransit::SetLocal() const { return site_.ToLocal(set_); }
