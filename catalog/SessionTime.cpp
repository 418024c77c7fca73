#include "catalog/SessionTime.h"

#include "astro/ObsSite.h"
#include "globals/Globals.h"

#include <cmath>

namespace SessionTime {

const ObsSite& Site()
{
    static const ObsSite greenwich;
    return AppGlobals.site ? *AppGlobals.site : greenwich;
}

JulianDate Now()
{
    return AppGlobals.now ? *AppGlobals.now : JulianDate();
}

double SiderealHours(const JulianDate& ut)
{
    double h = std::fmod(Site().LocalSiderealTime(ut).Hours(), 24.0);
    if (h < 0)
        h += 24.0;
    return h;
}

JulianDate NightClock(const JulianDate& midnight, int hour, int minute)
{
    const double clock = (hour + minute / 60.0) / 24.0;
    return midnight + (hour >= 12 ? clock - 1.0 : clock);
}

double SessionMiddleSiderealHours(int startHour, int startMinute, int endHour, int endMinute)
{
    const JulianDate midnight = Site().MidnightOfNight(Now());
    const double start = NightClock(midnight, startHour, startMinute).JD();
    const double end = NightClock(midnight, endHour, endMinute).JD();
    return SiderealHours(JulianDate((start + end) / 2.0, JulianDate::kJulianDay));
}

} // namespace SessionTime
