// JulianDate: an instant, held as its calendar reading in universal time (TimeDate) and its
// Julian day number; every constructor keeps the two consistent. An instant made from a day
// number works its calendar reading out when first asked for it: most instants (the steps of
// a series, the events of a catalogue's rise and set) are only ever used as day numbers.
#pragma once

#include "astro/AstroConstants.h"

#include "astro/Angle.h"
#include "astro/TimeDate.h"

namespace fw { class ipstream; }
namespace fw { class opstream; }

class JulianDate {
public:
    // Kinds of the value given to the constructor.
    enum Kind { kJulianDay = 2, kCenturies = 3, kMillennia = 4, kModifiedJulianDay = 5 };
    // Time scales of JD and CenturiesSinceJ2000: 8 and 16 are dynamical time, anything else
    // (2 by convention) universal time.
    enum Scale { kUniversal = 2, kDynamical = 8, kDynamical16 = 16 };

    static constexpr double kJ2000 = astro::kJ2000;

    // J2000.0 (2000 January 1, 12:00:00 UT).
    JulianDate() = default;
    // value as a Julian day (2), Julian centuries (3, x 36525), Julian millennia (4, x 365250)
    // or modified Julian day (5, + 2400000.5); any other kind gives J2000.0.
    JulianDate(double value, int kind);
    // The instant of a calendar date and time (Gregorian from 1582 October 15 on, Julian
    // before).
    explicit JulianDate(const TimeDate& t);
    static JulianDate FromCalendar(int year, int month, int day, int hour, int minute, int second);

    // Julian day from calendar fields, without building a JulianDate.
    static double CalendarToJD(int year, int month, int day, int hour, int minute, int second);

    const TimeDate& Calendar() const
    {
        if (!calendarKnown_)
            SetCalendarFromJD();
        return date_;
    }

    // The day number; for scales 8 and 16 plus Delta-T.
    double JD(int scale = kUniversal) const;
    double CenturiesSinceJ2000(int scale = kUniversal) const;

    // 0h UT of the instant's own calendar date (0), of the day before (1) or after (2).
    JulianDate StartOfDay(int which = 0) const;

    JulianDate operator+(double days) const { return JulianDate(jd_ + days, kJulianDay); }
    JulianDate operator-(double days) const { return JulianDate(jd_ - days, kJulianDay); }
    JulianDate& operator+=(double days) { return *this = JulianDate(jd_ + days, kJulianDay); }
    // Equal day numbers; the calendar part takes no part.
    bool operator==(const JulianDate& j) const { return jd_ == j.jd_; }
    bool operator!=(const JulianDate& j) const { return jd_ != j.jd_; }

    // The calendar reading of the instant in dynamical time.
    TimeDate DynamicalTimeDate() const;

    // Sidereal time at Greenwich in [0, 2pi); the apparent one adds the nutation in right
    // ascension from the shared nutation cache.
    Angle GreenwichMeanSiderealTime() const;
    Angle GreenwichApparentSiderealTime() const;
    // The mean sidereal time as a clock reading on the instant's date.
    TimeDate GreenwichSiderealClock() const;

    // Stream form: the Julian day as 8 bytes; reading rebuilds the calendar part.
    void WriteTo(fw::opstream& os) const;
    void ReadFrom(fw::ipstream& is);

private:
    // Works out the calendar reading of jd_.
    void SetCalendarFromJD() const;

    mutable TimeDate date_;
    double jd_ = kJ2000;
    mutable bool calendarKnown_ = true;
};
