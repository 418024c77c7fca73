#include "catalog/ElevationWindow.h"

bool ElevationWindow::Set(int startHour, int startMinute, int endHour, int endMinute,
                          int minimumAltitude, int maximumAltitude, double latitudeDegrees)
{
    const double start = startHour + startMinute / 60.0;
    const double end = endHour + endMinute / 60.0;
    double hours = end - start;
    if (endHour < startHour)
        hours += 24.0;
    width = hours * 15.0;
    minAltitude = minimumAltitude;
    maxAltitude = maximumAltitude;
    latitude = latitudeDegrees;
    return true;
}
