// Angle: the value type of every angle in the planner, one double in radians.
#pragma once

#include "astro/AstroConstants.h"

#include <cmath>
#include <string>

namespace fw { class ipstream; }
namespace fw { class opstream; }

class Angle {
public:
    // Units of a value given to the constructor (stored files keep these codes).
    enum Unit : int { kRadians = 0, kDegrees = 1, kHours = 2, kArcMinutes = 3, kArcSeconds = 4 };
    // Units that Format shows besides those: a compass direction and an altitude word.
    enum TextUnit : int { kCompass = 5, kAltitudeWord = 6 };
    // Styles of Format (stored in label settings): decimal and sexagesimal forms for the
    // numeric units, compass forms for kCompass.
    enum Style : int {
        kDecimal = 0,             // 12.50 deg
        kDecimalMinutes = 1,      // 12° 30.00'
        kMinutesSeconds = 2,      // 12° 30' 00.00"
        kAutomaticStyle = 3,      // the shortest of those that shows the value whole
        kQuadrant = 4,            // "Quadrant 2"
        kCompassFourWords = 5,    // "North", ...
        kCompassEightPoints = 6,  // "NE", ...
        kCompassSixteenPoints = 7 // "NNE", ...
    };

    Angle() = default;
    // value in the given unit; any other unit code gives 0 rad.
    explicit Angle(double value, int unit = kRadians);

    double Radians() const { return rad_; }
    void SetRadians(double radians) { rad_ = radians; }

    // Signed, unwrapped readings.
    double Degrees() const;
    double Hours() const;
    double DayFraction() const;
    double ArcMinutes() const;
    double ArcSeconds() const;

    // [0, 2pi) and (-pi, pi]; -2pi wraps to exactly 2pi.
    static Angle Wrapped(double radians);
    static Angle WrappedSigned(double radians);
    Angle Wrapped() const { return Wrapped(rad_); }
    Angle WrappedSigned() const { return WrappedSigned(rad_); }

    // 1 to 4 for the wrapped angle in the first to fourth quarter turn, 0 otherwise.
    int Quadrant() const;

    Angle operator*(double k) const { return Angle(rad_ * k); }
    Angle operator/(double k) const { return Angle(rad_ / k); }
    Angle operator+(double radians) const { return Angle(rad_ + radians); }
    Angle operator-(double radians) const { return Angle(rad_ - radians); }
    Angle operator+(const Angle& a) const { return Angle(rad_ + a.rad_); }
    Angle operator-(const Angle& a) const { return Angle(rad_ - a.rad_); }
    Angle operator-() const { return Angle(-rad_); }
    Angle& operator+=(double radians) { rad_ += radians; return *this; }
    Angle& operator-=(double radians) { rad_ -= radians; return *this; }
    Angle& operator+=(const Angle& a) { rad_ += a.rad_; return *this; }
    Angle& operator-=(const Angle& a) { rad_ -= a.rad_; return *this; }
    bool operator==(const Angle& a) const { return rad_ == a.rad_; }
    bool operator!=(const Angle& a) const { return rad_ != a.rad_; }

    double Sin() const;
    double Cos() const;
    double Tan() const;

    // atan2(y, x); 0 when both are exactly 0.
    static Angle FromAtan2(double y, double x);
    // asin / acos of a / b with the ratio clamped to [-1, 1] (a ratio that is not a number
    // counts as -1); b exactly 0 gives 0.
    static Angle FromAsin(double a, double b);
    static Angle FromAcos(double a, double b);
    // asin(Earth's equatorial radius / distance in metres); 0 for a distance of 0 or less.
    static Angle HorizontalParallax(double metres);

    // Text in decimal, sexagesimal, compass or altitude-word form.
    // unit: a Unit or a TextUnit; style: a Style, kDecimal to kAutomaticStyle for the numeric
    // units, kQuadrant to kCompassSixteenPoints for kCompass.
    static std::string Format(const Angle& angle, int unit, int style, int precision);
    std::string Format(int unit, int style, int precision) const
    {
        return Format(*this, unit, style, precision);
    }

    // Stream form: the 8 bytes of the double, little-endian.
    void WriteTo(fw::opstream& os) const;
    void ReadFrom(fw::ipstream& is);

private:
    double rad_ = 0.0;
};

inline Angle operator*(double k, const Angle& a) { return a * k; }

// Inline, as every angle is made through it and nearly all in radians.
inline Angle::Angle(double value, int unit)
{
    switch (unit) {
    case kRadians: rad_ = value; break;
    case kDegrees: rad_ = value * astro::kRadiansPerDegree; break;
    case kHours: rad_ = value * astro::kRadiansPerHour; break;
    case kArcMinutes: rad_ = value / 60.0 * astro::kRadiansPerDegree; break;
    case kArcSeconds: rad_ = value / 3600.0 * astro::kRadiansPerDegree; break;
    default: rad_ = 0.0; break;
    }
}

// Inline: every position read wraps its angles.
inline Angle Angle::Wrapped(double r)
{
    constexpr double kTwoPi = astro::kTwoPi;
    // Within two turns the remainder is exact without fmod: the value itself below one turn,
    // one subtraction (exact, the two being within a factor of two) below two.
    const double a = std::fabs(r);
    const double m = a < kTwoPi ? a : a < 2.0 * kTwoPi ? a - kTwoPi : std::fmod(a, kTwoPi);
    return Angle(r >= 0.0 ? m : kTwoPi - m);
}

inline Angle Angle::WrappedSigned(double r)
{
    const double w = Wrapped(r).rad_;
    return Angle(w > astro::kPi ? w - astro::kTwoPi : w);
}

// The two halves of modf: both carry the sign of x.
double IntegerPart(double x);
double FractionalPart(double x);
// Square root of x for x >= 0, and 0 for a negative x (or one that is not a number).
double SafeSqrt(double x);
