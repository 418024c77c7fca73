// RiseSetTransit: a body's rise, transit and set for one site around one date (Meeus,
// Astronomical Algorithms, chapter 15), with the sampled positions from which its position and
// altitude at any instant of the night are interpolated. Times are handled as angles in which
// a full turn is one day.
#pragma once

#include "astro/Coord.h"
#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "astro/PositionTable.h"
#include "astro/TimeDate.h"

#include <cstdint>

class RiseSetTransit {
public:
    // 0 rises and sets; 1 always above the standard altitude; 2 always below; 3 not computed.
    enum Status { kRisesAndSets = 0, kAlwaysAbove = 1, kAlwaysBelow = 2, kNotComputed = 3 };
    // Standard altitude of a star's or catalogue object's rise and set: the refraction at the
    // horizon, in degrees.
    static constexpr double kStarStandardAltitudeDegrees = -0.5667;

    RiseSetTransit();

    // One night at one site, for the rise, transit and set of many positions that do not move
    // (a catalogue): the sidereal time at the date and the site's trigonometry are computed
    // once and shared by every position.
    class Night {
    public:
        Night(const JulianDate& date, const ObsSite& site, const Angle& h0);
        // The same as FromFixedPosition(position, date, site, h0).
        RiseSetTransit FixedPosition(const Coord& position) const;

    private:
        JulianDate date_;
        ObsSite site_;
        double h0_;
        double sinH0_;
        double phi_, sinPhi_, cosPhi_;
        double L_;
        double theta0_;
    };

    // A body that does not move: one correction step from the fixed position.
    static RiseSetTransit FromFixedPosition(const Coord& position, const JulianDate& date, const ObsSite& site,
                                            const Angle& h0);
    // A moving body from five apparent positions at date - 1, - 0.5, 0, + 0.5 and + 1 day.
    static RiseSetTransit FromPositions(const Coord& p1, const Coord& p2, const Coord& p3, const Coord& p4,
                                        const Coord& p5, const JulianDate& date, const ObsSite& site,
                                        const Angle& h0);
    // The same from three positions at date - 1, date and date + 1 day.
    static RiseSetTransit FromThreePositions(const Coord& p1, const Coord& p2, const Coord& p3,
                                             const JulianDate& date, const ObsSite& site, const Angle& h0);

    // Interpolated equatorial position and its altitude (no refraction) at t.
    Coord PositionAt(const JulianDate& t);
    Angle AltitudeAt(const JulianDate& t);
    // Horizontal position with refraction added.
    Coord HorizontalAt(const JulianDate& t);

    // True when t lies less than one day from the date the object was computed for.
    bool IsForDate(const JulianDate& t) const;

    TimeDate RiseLocal() const;
    TimeDate TransitLocal() const;
    TimeDate SetLocal() const;

    std::int32_t Status() const { return status_; }
    const JulianDate& Rise() const { return rise_; }
    const JulianDate& Transit() const { return transit_; }
    const JulianDate& Set() const { return set_; }
    const JulianDate& Date() const { return date_; }
    const ObsSite& Site() const { return site_; }
    const Coord& RisePosition() const { return risePosition_; }
    const Coord& SetPosition() const { return setPosition_; }
    const Coord& TransitPosition() const { return transitPosition_; }
    const PositionTable& Positions() const { return positions_; }

private:
    RiseSetTransit(const JulianDate& date, const ObsSite& site, const PositionTable& positions);

    // Status and hour angle at the standard altitude (H0, 0 unless the body rises and sets) of a
    // position at declination delta, from the site's latitude phi and the sines and cosines.
    static std::int32_t StatusAndH0(double phi, double sinPhi, double cosPhi, double delta, double sinDelta,
                                    double cosDelta, double sinH0, double& H0);
    // Rise, transit and set by iteration over a table of moving positions whose middle entry
    // is at date.
    static RiseSetTransit FromTable(const PositionTable& positions, const Coord& middle, const JulianDate& date,
                                    const ObsSite& site, const Angle& h0);
    void Iterate(const JulianDate& date, const Angle& h0, double H0, const Coord& middle);
    void CheckEvents(const JulianDate& date, const Angle& h0, double m1, double m2);

    std::int32_t status_ = kNotComputed;
    Coord risePosition_;
    Coord setPosition_;
    Coord transitPosition_;
    JulianDate rise_;
    JulianDate transit_;
    JulianDate set_;
    JulianDate date_;
    ObsSite site_;
    PositionTable positions_;
};
