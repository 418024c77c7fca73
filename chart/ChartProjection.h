// The star chart's geometry: centre, standard parallels, projection type and its constants,
// and the two mappings between sky positions (right ascension in hours, declination in
// degrees, J2000.0) and pixels of the chart's rectangle. North is up and east to the left.
#pragma once

#include <string>

#include "framework/gui/Geometry.h"

// Projection types of the chart.
enum ChartProjectionType : int {
    ProjectionDefault = 0,       // taken as stereographic
    ProjectionStereographic = 1, // azimuthal, rho = tan(c/2)
    ProjectionGnomonic = 2,      // azimuthal, rho = tan c, the centre's hemisphere only
    ProjectionLambertAzimuthal = 3, // azimuthal equal-area, rho = sin(c/2)
    ProjectionOrthographic = 4,  // azimuthal, rho = sin c, the centre's hemisphere only
    ProjectionCylindrical = 5,   // cylindrical about the centre
    ProjectionPolar = 6,         // polar azimuthal equidistant about the centre's pole
    ProjectionAreaConic = 7,     // equal-area conic on the two standard parallels
    ProjectionConformalConic1 = 8, // Lambert conformal conic, one standard parallel
    ProjectionConformalConic2 = 9, // Lambert conformal conic, two standard parallels
};

// Results of SkyToScreen.
enum MapCode : int {
    MapOutside = -1,   // projectable, far outside the chart
    MapOffChart = 0,   // not on this projection (far hemisphere, cut meridian, too far out)
    MapNear = 1,       // within half a chart's size around the chart
    MapOnEdge = 2,     // on the test rectangle's border, or inside the chart but not the test rectangle
    MapInside = 3,     // inside the test rectangle
};

// An hour difference brought into (-12, 12]: two right ascensions apart the short way round.
double ShortHours(double hours);

class ChartProjection {
public:
    ChartProjection();

    // Sets the centre, the standard parallels (the one of larger magnitude first) and the
    // type and computes the projection constants. False when the type's constants cannot be
    // formed (a parallel beyond 90 degrees, parallels giving no cone); the fields set before
    // stay.
    bool SetGeometry(double ra, double dec, double p1, double p2, int type);

    // Sky position to pixel: the code says where the point lies (see MapCode).
    int SkyToScreen(double ra, double dec, fw::Point& point, const fw::Rect& chartRect, const fw::Rect& testRect) const;
    int SkyToScreen(double ra, double dec, fw::Point& point, const fw::Rect& chartRect) const
    {
        return SkyToScreen(ra, dec, point, chartRect, chartRect);
    }
    // Pixel to sky position; false (outputs untouched) where the pixel shows no sky.
    bool ScreenToSky(double& ra, double& dec, int px, int py, const fw::Rect& chartRect) const;

    // Sky position to projection-plane coordinates (x to the right, y up); false off the
    // projection.
    bool SkyToPlane(double ra, double dec, double& x, double& y) const;
    bool PlaneToSky(double x, double y, double& ra, double& dec) const;

    // Whether a grid segment between two right ascensions crosses the cut of a conic chart.
    bool CrossesCut(double ra1, double dec, double ra2) const;
    // Plane units per degree of declination at the centre (0 when it cannot be measured).
    double PlanePerDegree() const;

    // "Stereographic", "Gnomonic", "Lambert Equal Area", "Orthographic", "Default"; the
    // empty string for types 5 to 9.
    std::string ProjectionName() const;

    // A conic kind: cut along the meridian opposite the centre.
    bool IsConic() const;

    // The plane extent (half-widths) that a field of view spans on this kind of chart, and
    // whether the kind shows it at half scale whatever the field.
    struct FieldExtent {
        double rx = 1;
        double ry = 1;
        bool halfScale = false;
    };
    // The extent of a field width x height degrees; the field is first brought within what the
    // kind can show (a stereographic chart shows less than 179 degrees, a gnomonic one less
    // than 89).
    FieldExtent FieldOfView(double& width, double& height) const;

    double centerRA = 18.0;
    double centerDec = -35.0;
    double parallel1 = -47.0;
    double parallel2 = -25.0;
    double antiMeridianRA = 6.0;
    double scale = 1.0;
    int projection = ProjectionStereographic;
    double sinCenterDec = 0;
    double cosCenterDec = 1;
    double coneN = 0;
    double coneF = 0;
    double coneRho0 = 0;
    double areaConeN = 0;
    double areaConeC = 0;
};
