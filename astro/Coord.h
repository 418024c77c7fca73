// Coord: a spherical position triple (longitude, latitude, distance) stamped with the epoch
// of its frame and a flag word that records the frame and the reductions applied to it.
// The reductions carry a mean catalogue place to another epoch or to an apparent place:
// proper motion, rigorous precession (IAU 1976 constants), nutation in longitude and annual
// aberration (with the Earth's eccentricity terms), all on the ecliptic of the epoch.
#pragma once

#include <cstdint>

#include "astro/Angle.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"

namespace fw { class ipstream; }
namespace fw { class opstream; }
class RectCoord;

class Coord {
public:
    // Flag bits: reductions applied and frame bits. The same bits select the steps of a
    // reduction mask (0x001, 0x002, 0x004, 0x008 and 0x020 select; the rest is ignored).
    enum : std::uint32_t {
        AberrationApplied = 0x001,   // annual aberration applied
        NutationApplied = 0x002,     // nutation in longitude applied
        Precessed = 0x004,           // angles refer to the mean frame of the epoch field
        NoOperation = 0x008,         // accepted in a mask, selects nothing
        ProperMotionApplied = 0x020, // proper motion applied
        RefractionAdded = 0x040,     // refraction added to the altitude (horizontal positions)
        ThirdFrame = 0x100,
        EquatorialFrame = 0x200,
        EclipticFrame = 0x400,
        EquatorialMask = 0x2ff,      // what the equatorial forms keep of a flag word
        EclipticMask = 0x4ff,        // what the ecliptic forms keep of a flag word
    };
    // Reduction masks used throughout the planner.
    enum : std::uint32_t {
        MaskApparentPlace = 0x67,    // proper motion, precession, nutation, aberration
        MaskMeanPlace = 0x24,        // proper motion and precession
        MaskNutationOnly = 0x02,
    };

    Coord() = default;
    // Stores all five unchanged.
    Coord(const Angle& longitude, const Angle& latitude, const Distance& distance,
          const JulianDate& epoch, std::uint32_t flags)
        : lon_(longitude), lat_(latitude), dist_(distance), epoch_(epoch), flags_(flags)
    {
    }

    // Equatorial and ecliptic forms: the flag word masked with 0x2ff or 0x4ff.
    static Coord Equatorial(const Angle& ra, const Angle& dec, const Distance& distance,
                            const JulianDate& epoch, std::uint32_t flags);
    static Coord AsEquatorial(const Coord& c);
    static Coord Ecliptic(const Angle& longitude, const Angle& latitude, const Distance& distance,
                          const JulianDate& epoch, std::uint32_t flags);
    static Coord AsEcliptic(const Coord& c);

    // The first angle wrapped into [0, 2pi), the second into (-pi, pi].
    Angle Longitude() const { return Angle::Wrapped(lon_.Radians()); }
    Angle RA() const { return Longitude(); }
    Angle Latitude() const { return Angle::WrappedSigned(lat_.Radians()); }
    Angle Dec() const { return Latitude(); }
    // The stored angles as they are, unwrapped.
    const Angle& RawLongitude() const { return lon_; }
    const Angle& RawLatitude() const { return lat_; }
    const Distance& Dist() const { return dist_; }
    const JulianDate& Epoch() const { return epoch_; }
    std::uint32_t Flags() const { return flags_; }

    // Longitude, latitude, distance and flag word exactly equal; the epoch is not compared.
    bool operator==(const Coord& c) const;
    bool operator!=(const Coord& c) const { return !(*this == c); }

    // x = d cos b cos l, y = d cos b sin l, z = d sin b; epoch and flags copied.
    RectCoord ToRect() const;

    // Frame conversions through the obliquity of the position's own epoch. To ecliptic
    // always uses the mean obliquity; back to equatorial adds the nutation in obliquity
    // when aberration or nutation has been applied (the true obliquity).
    static Coord ToEcliptic(const Coord& equatorial);
    static Coord ToEquatorial(const Coord& ecliptic);

    // Applies the steps that mask selects to an ecliptic position: proper motion and
    // precession (only when target is another instant than the epoch), then nutation,
    // then aberration. Rates are angles per Julian year in right ascension and declination.
    // The flag word is not consulted: a step asked for twice is applied twice.
    static Coord ApplyReductions(const Coord& ecliptic, const JulianDate& target, std::uint32_t mask,
                                 const Angle& sunLongitude, const Angle& muAlpha, const Angle& muDelta);
    // Equatorial in, equatorial out: to ecliptic, ApplyReductions, back to equatorial.
    static Coord Reduce(const Coord& equatorial, const JulianDate& target, std::uint32_t mask,
                        const Angle& sunLongitude, const Angle& muAlpha, const Angle& muDelta);

    // In place on an equatorial position, through the ecliptic: one step alone.
    void Precess(const JulianDate& target);
    void Aberrate(const Angle& sunLongitude);
    void Nutate();

    // The steps on an ecliptic position, in place; each sets its flag bit.
    void PrecessEcliptic(const JulianDate& target);
    void NutateEcliptic();
    void AberrateEcliptic(const Angle& sunLongitude);
    void ApplyProperMotion(const JulianDate& target, const Angle& muAlpha, const Angle& muDelta);
    // Equatorial core of the proper motion: RA and Dec moved by rate x Julian years.
    void MoveByProperMotion(const JulianDate& target, const Angle& muAlpha, const Angle& muDelta);

    // Stream record: version word 5, longitude, latitude and distance as 8-byte doubles,
    // the epoch's Julian day, the flag word.
    void WriteTo(fw::opstream& os) const;
    void ReadFrom(fw::ipstream& is);

private:
    Angle lon_;
    Angle lat_;
    Distance dist_;
    JulianDate epoch_;
    std::uint32_t flags_ = 0;
};
