// SortKeys: the integer value and range of each sort key for one catalogue row, and the
// site-dependent quantities (sidereal times, horizon hour angles) the time keys need. The
// composite sort key of a list entry is built from these by the catalogue database.
#pragma once

#include <cstdint>

class ElevationMap;
class NamedObjects;

class SortKeys {
public:
    // Values fixed for one sorting pass.
    struct Context {
        double midnightSiderealDegrees = 0;  // local sidereal time at the night's midnight, [0, 360)
        double sessionSiderealHours = 0;     // local sidereal time at the middle of the session
        double sinLatitude = 0;
        double cosLatitude = 1;
        double latitudeDegrees = 0;
        const ElevationMap* map = nullptr;      // horizon hour angles by declination
        const NamedObjects* names = nullptr;    // common names (may be null)
    };

    // The range R of a key code (1 for "Ignore" and for unknown codes).
    static int Range(int code);
    // The key's value for a row, 0 <= v < R, before the direction is applied.
    static int Value(int code, int row, const Context& context);
    // The value after the direction: descending (0) gives R - 1 - v; "Ignore" has none.
    static int Directed(int code, int direction, int v);

    // Objects in the order they set, in steps of 15 degrees of hour angle, then from north to
    // south (south to north at southern sites); v before the + 1.
    static int ObservationOrder(double raHours, double decDegrees, const Context& context);
    // Local sidereal times of rise and set in whole degrees + 1; 0 for rows off the table;
    // 540 for "always up" (rise) or "never rises" (set).
    static int RiseLST(double raHours, double decDegrees, const Context& context);
    static int SetLST(double raHours, double decDegrees, const Context& context);
    // Local times of rise, set and transit in hours from the noon before midnight (0 to 24);
    // a never-rising object rises at 0 and sets at 26, a circumpolar one rises at 26 and
    // sets at 0.
    static void LocalTimes(double raHours, double decDegrees, const Context& context, double& rise,
                           double& set, double& transit);
};
