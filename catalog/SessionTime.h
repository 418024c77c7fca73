// SessionTime: the site and instant the catalogue's elevation filter and sort keys work
// with, and the sidereal times they refer to. The site and "now" are the program's global
// ones; before the application has made them, Greenwich at J2000.0 stands in.
#pragma once

#include "astro/JulianDate.h"

class ObsSite;

namespace SessionTime {
const ObsSite& Site();
JulianDate Now();
// Local sidereal time of an instant at the site, hours in [0, 24).
double SiderealHours(const JulianDate& ut);
// Universal time of a local clock reading of the observing night that holds "now": hours
// of 12 and more fall on the evening before the night's local midnight, earlier hours on
// the morning after it.
JulianDate NightClock(const JulianDate& midnight, int hour, int minute);
// Local sidereal time (hours) at the middle of the session from start to end.
double SessionMiddleSiderealHours(int startHour, int startMinute, int endHour, int endMinute);
} // namespace SessionTime
