#include "ui/RaDecPosition.h"

namespace {

void SplitTruncated(double value, std::int32_t& whole, std::int32_t& minutes, std::int32_t& seconds)
{
    whole = static_cast<std::int32_t>(value);
    const double m = (value - whole) * 60.0;
    minutes = static_cast<std::int32_t>(m);
    seconds = static_cast<std::int32_t>((m - minutes) * 60.0);
}

} // namespace

RaDecPosition::RaDecPosition()
{
    SetRA(18, 32, 21);
    SetDec(23, 13, 10);
}

RaDecPosition::RaDecPosition(double hours, double degrees)
{
    if (!(hours >= 0.0 && hours < 24.0))
        hours = 0.0;
    if (degrees > 90.0)
        degrees = 90.0;
    if (!(degrees >= -90.0))
        degrees = -90.0;
    ra_ = hours;
    dec_ = degrees;
    SplitTruncated(hours, raHours_, raMinutes_, raSeconds_);
    SplitTruncated(degrees, decDegrees_, decMinutes_, decSeconds_);
}

int RaDecPosition::SetRA(std::int32_t hours, std::int32_t minutes, std::int32_t seconds)
{
    if (hours < 0 || hours > 24) return 1;
    if (minutes < 0 || minutes > 60) return 2;
    if (seconds < 0 || seconds > 60) return 3;
    if (hours == 24 && (minutes != 0 || seconds != 0)) return 4;
    raHours_ = hours;
    raMinutes_ = minutes;
    raSeconds_ = seconds;
    ra_ = hours + minutes / 60.0 + seconds / 3600.0;
    return 0;
}

int RaDecPosition::SetDec(std::int32_t degrees, std::int32_t minutes, std::int32_t seconds)
{
    if (degrees < -90 || degrees > 90) return 1;
    if (minutes < -60 || minutes > 60) return 2;
    if (seconds < -60 || seconds > 60) return 3;
    decDegrees_ = degrees;
    decMinutes_ = minutes;
    decSeconds_ = seconds;
    dec_ = degrees + minutes / 60.0 + seconds / 3600.0;
    return 0;
}
