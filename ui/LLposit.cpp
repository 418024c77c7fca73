#include "ui/LLposit.h"

#include "framework/stream/PStream.h"
#include "framework/stream/StringUtil.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::uint32_t kMaxNameLength = 1024;

// A text read as an integer: leading blanks, an optional sign and the digits that follow.
int TextToInt(const std::string& text)
{
    const long v = std::strtol(text.c_str(), nullptr, 10);
    if (v > 1000000) return 1000000;
    if (v < -1000000) return -1000000;
    return static_cast<int>(v);
}

// Checks the parts of an angle (code 1 degrees, 2 minutes, 3 seconds, 4 sign; 0 when all are
// in range) and only then stores the signed angle in value.
int CheckedDms(int degrees, int minutes, int seconds, int sign, int maxDegrees, double& value)
{
    if (degrees < 0 || degrees > maxDegrees) return 1;
    if (minutes < 0 || minutes > 60) return 2;
    if (seconds < 0 || seconds > 60) return 3;
    if (sign != 1 && sign != -1) return 4;
    value = sign * (degrees + minutes / 60.0 + seconds / 3600.0);
    return 0;
}

} // namespace

LLposit::LLposit() : latitude_(32.0 + 52.0 / 60.0), longitude_(-117.0), name_("San Diego") {}

LLposit::LLposit(double latitude, double longitude, const std::string& name)
    : latitude_(latitude), longitude_(longitude), name_(fw::Trim(name))
{
    Clamp();
}

void LLposit::Clamp()
{
    if (!(latitude_ >= -90.0)) latitude_ = -90.0;  // also catches a NaN from a damaged file
    if (latitude_ > 90.0) latitude_ = 90.0;
    if (!(longitude_ > -180.0)) longitude_ = 180.0;
    if (longitude_ > 180.0) longitude_ = 180.0;
}

void LLposit::Read(fw::ipstream& in)
{
    latitude_ = in.readDouble();
    longitude_ = in.readDouble();
    name_ = fw::Trim(in.readString(kMaxNameLength));
    Clamp();
}

void LLposit::Write(fw::opstream& out) const
{
    out.writeDouble(latitude_);
    out.writeDouble(longitude_);
    out.writeString(name_);
}

void LLposit::SetName(const std::string& name)
{
    name_ = fw::Trim(name);
}

int LLposit::SetLatitude(int degrees, int minutes, int seconds, int sign)
{
    const int code = CheckedDms(degrees, minutes, seconds, sign, 90, latitude_);
    if (code == 0)
        Clamp();
    return code;
}

int LLposit::SetLatitude(const std::string& d, const std::string& m, const std::string& s, int sign)
{
    return SetLatitude(TextToInt(d), TextToInt(m), TextToInt(s), sign);
}

int LLposit::SetLongitude(int degrees, int minutes, int seconds, int sign)
{
    const int code = CheckedDms(degrees, minutes, seconds, sign, 180, longitude_);
    if (code == 0)
        Clamp();
    return code;
}

int LLposit::SetLongitude(const std::string& d, const std::string& m, const std::string& s, int sign)
{
    return SetLongitude(TextToInt(d), TextToInt(m), TextToInt(s), sign);
}

void LLposit::SplitDms(double value, int& degrees, int& minutes, int& seconds)
{
    double m = std::fabs(value);
    degrees = static_cast<int>(m);
    m = (m - degrees) * 60.0;
    minutes = static_cast<int>(m);
    m = (m - minutes) * 60.0;
    seconds = static_cast<int>(m);
    const int tenths = static_cast<int>((m - seconds) * 10.0);
    if (tenths >= 5 && ++seconds >= 60) {
        seconds = 0;
        if (++minutes >= 60) {
            minutes = 0;
            ++degrees;
        }
    }
}

std::string LLposit::LatitudeDegreesText() const { int d, m, s; SplitDms(latitude_, d, m, s); return std::to_string(d); }
std::string LLposit::LatitudeMinutesText() const { int d, m, s; SplitDms(latitude_, d, m, s); return std::to_string(m); }
std::string LLposit::LatitudeSecondsText() const { int d, m, s; SplitDms(latitude_, d, m, s); return std::to_string(s); }
std::string LLposit::LongitudeDegreesText() const { int d, m, s; SplitDms(longitude_, d, m, s); return std::to_string(d); }
std::string LLposit::LongitudeMinutesText() const { int d, m, s; SplitDms(longitude_, d, m, s); return std::to_string(m); }
std::string LLposit::LongitudeSecondsText() const { int d, m, s; SplitDms(longitude_, d, m, s); return std::to_string(s); }

double LLposit::LocalSidereal(double greenwichSiderealHours) const
{
    const double t = greenwichSiderealHours + longitude_ * 0.06666666666666667;
    return t - 24.0 * std::floor(t / 24.0);
}

double LLposit::DmsToDecimal(double degrees, double minutes, double seconds)
{
    const double parts = std::fabs(minutes) / 60.0 + std::fabs(seconds) / 3600.0;
    return degrees >= 0.0 ? degrees + parts : degrees - parts;
}

std::string LLposit::ClockText(double hours)
{
    const int h = static_cast<int>(hours);
    const double minutes = (hours - h) * 60.0;
    const int m = static_cast<int>(minutes);
    const int s = static_cast<int>((minutes - m) * 60.0);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%2.2i:%2.2i:%2.2i", h, m, s);
    return buffer;
}

double LLposit::RangeWrap(double value, double low, double high)
{
    const double period = high - low;
    if (!(period > 0.0))
        return value;
    if (value > high)
        value -= period * std::ceil((value - high) / period);
    if (value < low)
        value += period * std::ceil((low - value) / period);
    return value;
}
