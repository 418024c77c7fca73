// Constellation of a position: the boundary table of the IAU constellations for the equinox
// of 1875 (N. G. Roman, 1987) and the lookup that walks it.
#pragma once

// One row of the boundary table: the constellation whose area lies above decLow between
// raLow and raHigh (hours, degrees, equinox 1875). The row after the last published one is the
// end row 0, 24, -90 with the code 88 (the letter 'X').
struct ConstellationBoundary {
    double raLow;
    double raHigh;
    double decLow;
    signed char code;
};

// Number of published rows; the table holds one more, the end row.
constexpr int ConstellationBoundaryRows = 357;
// Code byte of the end row.
constexpr signed char ConstellationBoundaryEnd = 88;

// The table, ConstellationBoundaryRows + 1 rows in their published order, with the codes of
// the constellation table (0 And ... 87 Vul).
const ConstellationBoundary* ConstellationBoundaries();

// Constellation code (0 to 87) of a position already referred to the equinox of 1875: the first
// row with dec not below its lower declination and raLow <= ra < raHigh wins; -1 when only the
// end row matches.
int ConstellationLookup(double raHours, double decDegrees);

class Coord;

// Constellation code of an equatorial position: the position is carried back to the equinox
// of 1875.0 (precession and proper motion only, no nutation or aberration) and looked up.
int ConstellationIndex(const Coord& position);
