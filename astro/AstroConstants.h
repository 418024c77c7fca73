// The astronomical constants of the planner, written as the books write them. Every part of
// the program that turns angles or dates from one unit to another takes them from here.
#pragma once

namespace astro {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kRadiansPerDegree = kPi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / kPi;
constexpr double kHoursPerRadian = 12.0 / kPi;
constexpr double kRadiansPerHour = kPi / 12.0;
constexpr double kRadiansPerArcsecond = kPi / 648000.0;
constexpr double kArcsecondsPerRadian = 648000.0 / kPi;

// Julian dates.
constexpr double kJ2000 = 2451545.0;         // 2000 January 1, 12:00 TT
constexpr double kDaysPerJulianCentury = 36525.0;
constexpr double kJulianCenturiesPerDay = 1.0 / 36525.0;

// Fractions of a day, as multipliers.
constexpr double kDaysPerHour = 1.0 / 24.0;
constexpr double kDaysPerMinute = 1.0 / 1440.0;
constexpr double kDaysPerSecond = 1.0 / 86400.0;

} // namespace astro
