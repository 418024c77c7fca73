#include "astro/SignedDMS.h"

#include <cmath>
#include <limits>

namespace {

// Truncation toward zero into a 32-bit integer that never leaves the integer range
// (a value that is not a number gives 0).
std::int32_t TruncToInt(double x)
{
    if (!(x == x))
        return 0;
    if (x >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (x <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(x);
}

} // namespace

SignedDMS::SignedDMS(double v)
{
    sign = v >= 0.0 ? 1 : -1;
    value = v * sign;
    whole = TruncToInt(value);
    double f = value - whole;
    decimalMinutes = f * 60.0;
    minutes = TruncToInt(decimalMinutes);
    seconds = (f - minutes * 0.016666666666666666) * 3600.0;
    double fl = std::floor(seconds);
    roundedSeconds = TruncToInt(seconds - fl >= 0.5 ? std::ceil(seconds) : fl);
    if (roundedSeconds > 59) {
        roundedSeconds = 0;
        seconds = 0.0;
        if (minutes >= 59) {
            minutes = 0;
            if (whole < std::numeric_limits<std::int32_t>::max())
                ++whole;
        } else {
            ++minutes;
        }
    }
}
