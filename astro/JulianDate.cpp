#include "astro/JulianDate.h"

#include "astro/AstroConstants.h"
#include "astro/DeltaT.h"
#include "astro/Nutation.h"
#include "framework/stream/PStream.h"

#include <cmath>
#include <cstdint>

namespace {

using astro::kDaysPerHour;
using astro::kDaysPerMinute;
using astro::kDaysPerSecond;

// floor(x) as an integer, for |x| well inside the range of the integer: the truncation, one
// less for a negative x with a fraction (no call into the C library).
std::int64_t FloorToInteger(double x)
{
    const std::int64_t t = static_cast<std::int64_t>(x);
    return static_cast<double>(t) > x ? t - 1 : t;
}

} // namespace

JulianDate::JulianDate(double value, int kind)
{
    switch (kind) {
    case kJulianDay: jd_ = value; break;
    case kCenturies: jd_ = value * astro::kDaysPerJulianCentury; break;
    case kMillennia: jd_ = value * (10.0 * astro::kDaysPerJulianCentury); break;
    case kModifiedJulianDay: jd_ = value + 2400000.5; break;
    default: jd_ = kJ2000; break;
    }
    calendarKnown_ = false;
}

JulianDate::JulianDate(const TimeDate& t)
    : date_(t.year, t.month, t.day, t.hour, t.minute, t.second),
      jd_(CalendarToJD(t.year, t.month, t.day, t.hour, t.minute, t.second))
{
}

JulianDate JulianDate::FromCalendar(int year, int month, int day, int hour, int minute, int second)
{
    return JulianDate(TimeDate(year, month, day, hour, minute, second));
}

// Meeus, Astronomical Algorithms, chapter 7: Julian day of a calendar date.
double JulianDate::CalendarToJD(int year, int month, int day, int hour, int minute, int second)
{
    long y = year;
    long m = month;
    if (month == 1 || month == 2) {
        y = year - 1;
        m = month + 12;
    }
    const bool gregorian =
        year > 1582 || (year == 1582 && (month > 10 || (month == 10 && day >= 15)));
    long g = gregorian ? 2 - y / 100 + y / 400 : 0;
    return std::trunc(365.25 * (y + 4716)) + std::trunc(30.6001 * (m + 1)) + day + g - 1524.5 +
           hour * kDaysPerHour + minute * kDaysPerMinute + second * kDaysPerSecond;
}

// Meeus, Astronomical Algorithms, chapter 7: calendar date of a Julian day (Julian calendar
// up to JD 2299160, Gregorian after).
void JulianDate::SetCalendarFromJD() const
{
    double jd = jd_;
    if (!std::isfinite(jd))
        jd = kJ2000; // no calendar reading exists; show J2000.0 rather than garbage
    // Keep the integer arithmetic in range for any finite day number.
    if (jd > 1e10) jd = 1e10;
    if (jd < -1e10) jd = -1e10;

    std::int64_t z = FloorToInteger(jd + 0.5);
    double f = jd + 0.5 - static_cast<double>(z);
    if (f > 0.9999942) { // within half a second of midnight: midnight of the next day
        z += 1;
        f = 0.0;
    }
    std::int64_t a = z;
    if (z > 2299160) {
        std::int64_t alpha = static_cast<std::int64_t>((z - 1867216.25) * (1.0 / 36524.25));
        a = z + 1 + alpha - alpha / 4;
    }
    std::int64_t b = a + 1524;
    std::int64_t c = static_cast<std::int64_t>((b - 122.1) * (1.0 / 365.25));
    std::int64_t d = static_cast<std::int64_t>(c * 365.25);
    std::int64_t e = static_cast<std::int64_t>((b - d) * (1.0 / 30.6001));

    int day = static_cast<int>(b - d - FloorToInteger(30.6001 * e) + f);
    int month = static_cast<int>(e > 13 ? e - 13 : e - 1);
    std::int64_t year = month < 3 ? c - 4715 : c - 4716;

    double h = f * 24.0;
    int hour = static_cast<int>(h);
    double mm = (h - hour) * 60.0;
    int minute = static_cast<int>(mm);
    double s = (mm - minute) * 60.0;
    int second = static_cast<int>(s);
    if (s - second > 0.5)
        ++second;
    if (second >= 60) {
        second = 0;
        ++minute;
    }
    if (minute >= 60) {
        minute = 0;
        ++hour;
    }
    // Field by field rather than through a temporary: the same reading, without copying a
    // record just written.
    date_.year = static_cast<std::int16_t>(year);
    date_.month = static_cast<std::int16_t>(month);
    date_.day = static_cast<std::int16_t>(day);
    date_.hour = static_cast<std::int16_t>(hour);
    date_.minute = static_cast<std::int16_t>(minute);
    date_.second = static_cast<std::int16_t>(second);
    calendarKnown_ = true;
}

double JulianDate::JD(int scale) const
{
    if (scale == kDynamical || scale == kDynamical16)
        return jd_ + DeltaT(*this) * kDaysPerSecond;
    return jd_;
}

double JulianDate::CenturiesSinceJ2000(int scale) const
{
    return (JD(scale) - kJ2000) * astro::kJulianCenturiesPerDay;
}

JulianDate JulianDate::StartOfDay(int which) const
{
    const TimeDate& c = Calendar();
    double start = std::floor(jd_ - (c.hour / 24.0 + c.minute / 1440.0 + c.second / 86400.0)) + 0.5;
    if (which == 1)
        start -= 1.0;
    else if (which == 2)
        start += 1.0;
    return JulianDate(start, kJulianDay);
}

TimeDate JulianDate::DynamicalTimeDate() const
{
    return JulianDate(JD(kDynamical), kJulianDay).Calendar();
}

// Meeus, Astronomical Algorithms, chapter 12: mean sidereal time at Greenwich (degrees) from
// the 0h UT value of the date plus the elapsed clock time in whole seconds.
Angle JulianDate::GreenwichMeanSiderealTime() const
{
    double t = StartOfDay(0).CenturiesSinceJ2000(kUniversal);
    double theta0 = 100.46061837 + 36000.770053608 * t + 0.000387933 * t * t -
                    t * t * t * (1.0 / 38710000.0);
    const TimeDate& c = Calendar();
    double dayFraction = c.hour * kDaysPerHour + c.minute * kDaysPerMinute +
                         c.second * kDaysPerSecond;
    double theta = theta0 + dayFraction * 360.0 * 1.00273790935;
    return Angle::Wrapped(Angle(theta, Angle::kDegrees).Radians());
}

Angle JulianDate::GreenwichApparentSiderealTime() const
{
    Angle mean = GreenwichMeanSiderealTime();
    return Angle::Wrapped(mean.Radians() + SharedNutation.RightAscension(*this).Radians());
}

TimeDate JulianDate::GreenwichSiderealClock() const
{
    return (StartOfDay(0) + GreenwichMeanSiderealTime().DayFraction()).Calendar();
}

void JulianDate::WriteTo(fw::opstream& os) const
{
    os.writeDouble(jd_);
}

void JulianDate::ReadFrom(fw::ipstream& is)
{
    *this = JulianDate(is.readDouble(), kJulianDay);
}
