#include "astro/PositionTable.h"

#include "astro/Interpolation.h"

PositionTable PositionTable::FromFixed(const Coord& position)
{
    PositionTable t;
    t.kind_ = kFixed;
    t.slots_[2] = position;
    return t;
}

PositionTable PositionTable::FromThree(const JulianDate& middle, double interval, const Coord& p1,
                                       const Coord& p2, const Coord& p3)
{
    PositionTable t;
    t.kind_ = kThree;
    t.middle_ = middle;
    t.interval_ = interval;
    t.slots_[0] = p1;
    t.slots_[2] = p2;
    t.slots_[4] = p3;
    return t;
}

PositionTable PositionTable::FromFive(const JulianDate& middle, double interval, const Coord& p1, const Coord& p2,
                                      const Coord& p3, const Coord& p4, const Coord& p5)
{
    PositionTable t;
    t.kind_ = kFive;
    t.middle_ = middle;
    t.interval_ = interval;
    t.slots_[0] = p1;
    t.slots_[1] = p2;
    t.slots_[2] = p3;
    t.slots_[3] = p4;
    t.slots_[4] = p5;
    return t;
}

Coord PositionTable::At(const JulianDate& t)
{
    switch (kind_) {
    case kFixed:
        return slots_[2];
    case kThree:
        return InterpolateCoord3(t);
    case kFive:
    case kFiveAlt:
        return InterpolateCoord5(t);
    default:
        return Coord(Angle(), Angle(), Distance(), JulianDate(), Coord::MaskMeanPlace);
    }
}

Coord PositionTable::InterpolateCoord3(const JulianDate& t)
{
    const Coord& a = slots_[0];
    const Coord& b = slots_[2];
    const Coord& c = slots_[4];
    Angle dLon, dLat;
    Distance dDist;
    const Angle lon = InterpolateAngle3(t, middle_, interval_, a.Longitude(), b.Longitude(), c.Longitude(), dLon);
    const Angle lat = InterpolateAngle3(t, middle_, interval_, a.Latitude(), b.Latitude(), c.Latitude(), dLat);
    const Distance dist = InterpolateDistance3(t, middle_, interval_, a.Dist(), b.Dist(), c.Dist(), dDist);
    differences_ = Coord(dLon, dLat, dDist, b.Epoch(), b.Flags());
    return Coord(lon, lat, dist, b.Epoch(), b.Flags());
}

Coord PositionTable::InterpolateCoord5(const JulianDate& t)
{
    const Coord* s = slots_;
    Angle dLon, dLat;
    Distance dDist;
    const Angle lon = InterpolateAngle5(t, middle_, interval_, s[0].Longitude(), s[1].Longitude(), s[2].Longitude(),
                                        s[3].Longitude(), s[4].Longitude(), dLon);
    const Angle lat = InterpolateAngle5(t, middle_, interval_, s[0].Latitude(), s[1].Latitude(), s[2].Latitude(),
                                        s[3].Latitude(), s[4].Latitude(), dLat);
    const Distance dist = InterpolateDistance5(t, middle_, interval_, s[0].Dist(), s[1].Dist(), s[2].Dist(),
                                               s[3].Dist(), s[4].Dist(), dDist);
    differences_ = Coord(dLon, dLat, dDist, s[2].Epoch(), s[2].Flags());
    return Coord(lon, lat, dist, s[2].Epoch(), s[2].Flags());
}
