#include "astro/Angle.h"

#include "astro/AstroConstants.h"

#include "astro/SignedDMS.h"
#include "astro/TextFormat.h"
#include "framework/stream/PStream.h"

#include <cmath>

namespace {

constexpr double kEarthEquatorialRadius = 6378140.0; // metres

// Clamps a ratio into [-1, 1]; a ratio that is not a number counts as -1.
double ClampRatio(double r)
{
    if (!(r > -1.0))
        return -1.0;
    if (r >= 1.0)
        return 1.0;
    return r;
}

const char* CompassFourWords(double az)
{
    if (az > 315) return "North";
    if (az > 225) return "West";
    if (az > 135) return "South";
    if (az > 45) return "East";
    return "North";
}

const char* CompassEightPoints(double az)
{
    if (az > 337.5) return "N";
    if (az > 292.5) return "NW";
    if (az > 247.5) return "W";
    if (az > 202.5) return "SW";
    if (az > 157.5) return "S";
    if (az > 112.5) return "SE";
    if (az > 67.5) return "E";
    if (az > 22.5) return "NE";
    return "N";
}

const char* CompassSixteenPoints(double az)
{
    static const struct { double above; const char* name; } points[] = {
        {348.75, "N"},   {326.25, "N-NW"}, {303.75, "NW"},   {281.25, "W-NW"},
        {258.75, "W"},   {236.25, "W-SW"}, {213.75, "SW"},   {191.25, "S-SW"},
        {168.75, "S"},   {146.25, "S-SE"}, {123.75, "SE"},   {101.25, "E-SE"},
        {78.75, "E"},    {56.25, "E-NE"},  {33.75, "NE"},    {11.25, "N-NE"},
    };
    for (const auto& p : points)
        if (az > p.above)
            return p.name;
    return "N";
}

const char* AltitudeWordFor(double alt)
{
    if (alt > 85) return "Overhead";
    if (alt > 60) return "High";
    if (alt > 30) return "Medium";
    if (alt > 0) return "Low";
    return "Below";
}

} // namespace

double Angle::Degrees() const { return rad_ * astro::kDegreesPerRadian; }
double Angle::Hours() const { return rad_ * astro::kHoursPerRadian; }
double Angle::DayFraction() const { return Hours() * 0.041666666666666664; }
double Angle::ArcMinutes() const { return Degrees() * 60.0; }
double Angle::ArcSeconds() const { return Degrees() * 3600.0; }

int Angle::Quadrant() const
{
    double w = Wrapped(rad_).rad_;
    if (w < astro::kPi / 2) return 1;
    if (w < astro::kPi) return 2;
    if (w < 3 * astro::kPi / 2) return 3;
    if (w < astro::kTwoPi) return 4;
    return 0;
}

double Angle::Sin() const { return std::sin(rad_); }
double Angle::Cos() const { return std::cos(rad_); }
double Angle::Tan() const { return std::tan(rad_); }

Angle Angle::FromAtan2(double y, double x)
{
    if (y == 0.0 && x == 0.0)
        return Angle(0.0, Angle::kDegrees);
    return Angle(std::atan2(y, x));
}

Angle Angle::FromAsin(double a, double b)
{
    if (b == 0.0)
        return Angle();
    return Angle(std::asin(ClampRatio(a / b)));
}

Angle Angle::FromAcos(double a, double b)
{
    if (b == 0.0)
        return Angle();
    return Angle(std::acos(ClampRatio(a / b)));
}

Angle Angle::HorizontalParallax(double metres)
{
    if (!(metres > 0.0))
        return Angle();
    return FromAsin(kEarthEquatorialRadius / metres, 1.0);
}

std::string Angle::Format(const Angle& angle, int unit, int style, int precision)
{
    if (unit < kRadians || unit > kAltitudeWord)
        return std::string();

    if (unit >= kCompass) {
        if (style < kQuadrant)
            style = kCompassFourWords;
        if (unit == kAltitudeWord)
            return AltitudeWordFor(angle.WrappedSigned().Degrees());
        double az = angle.Wrapped().Degrees();
        switch (style) {
        case kQuadrant: return FormatText("Quadrant %d", angle.Quadrant());
        case kCompassFourWords: return CompassFourWords(az);
        case kCompassEightPoints: return CompassEightPoints(az);
        case kCompassSixteenPoints: return CompassSixteenPoints(az);
        default: return std::string();
        }
    }

    if (style > kAutomaticStyle)
        style = kAutomaticStyle;
    double v = unit == kDegrees ? angle.Degrees() : unit == kHours ? angle.Hours() : 0.0;
    const std::string F = NumberFormat(precision, 'f');

    SignedDMS dms(0.0);
    bool split = style >= kDecimalMinutes && style <= kAutomaticStyle;
    if (split)
        dms = SignedDMS(v);
    bool automatic = style == kAutomaticStyle;
    if (automatic) {
        if (dms.roundedSeconds != 0)
            style = kMinutesSeconds;
        else if (dms.minutes != 0)
            style = kDecimalMinutes;
        else
            style = kDecimal;
        if (unit == kDegrees && dms.whole == 0)
            unit = dms.minutes != 0 ? kArcMinutes : kArcSeconds;
    }

    std::string text;
    bool prefixed = split && dms.sign < 0;
    if (prefixed)
        text = "-";
    // After the sign prefix the magnitude is printed; without it the signed value.
    auto shown = [&](double x) { return prefixed ? std::fabs(x) : x; };

    switch (unit) {
    case kRadians:
        text += FormatText((F + " rad").c_str(), angle.Radians());
        break;
    case kDegrees:
    case kHours: {
        const bool deg = unit == kDegrees;
        if (style == kDecimal) {
            text += FormatText((F + (deg ? " deg" : " hrs")).c_str(), automatic ? dms.value : v);
        } else if (style == kDecimalMinutes) {
            // Decimal minutes take no part in the seconds' carry: when that carry reached the
            // whole units, show the whole units before it (10.9999 is 10° 59.99', not 11° 59.99').
            const std::int32_t whole = dms.whole > dms.value ? dms.whole - 1 : dms.whole;
            text += FormatText((std::string(deg ? "%i° " : "%ih ") + F + (deg ? "'" : "m")).c_str(),
                               whole, dms.decimalMinutes);
        } else if (style == kMinutesSeconds) {
            text += FormatText((std::string(deg ? "%i° %2.2i' " : "%ih %2.2im ") + F + (deg ? "\"" : "s")).c_str(),
                               dms.whole, dms.minutes, dms.seconds);
        } else {
            return std::string();
        }
        break;
    }
    case kArcMinutes:
        text += FormatText((F + " min").c_str(), shown(angle.ArcMinutes()));
        break;
    case kArcSeconds:
        text += FormatText((F + " sec").c_str(), shown(angle.ArcSeconds()));
        break;
    }
    return text;
}

void Angle::WriteTo(fw::opstream& os) const { os.writeDouble(rad_); }
void Angle::ReadFrom(fw::ipstream& is) { rad_ = is.readDouble(); }

double IntegerPart(double x)
{
    double i;
    std::modf(x, &i);
    return i;
}

double FractionalPart(double x)
{
    double i;
    return std::modf(x, &i);
}

double SafeSqrt(double x)
{
    return x >= 0.0 ? std::sqrt(x) : 0.0;
}
