// The chart's nine projections: sky to pixel and back over each projection's region, the
// failure code where a projection has no place for a position, and the properties that make
// the conics what they are (equal area, conformal, true scale on the standard parallels).
#include "chart/ChartProjection.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDeg = kPi / 180.0;

double Separation(double ra1, double dec1, double ra2, double dec2)
{
    const double c = std::sin(dec1 * kDeg) * std::sin(dec2 * kDeg) +
                     std::cos(dec1 * kDeg) * std::cos(dec2 * kDeg) * std::cos((ra1 - ra2) * 15 * kDeg);
    return std::acos(std::clamp(c, -1.0, 1.0)) / kDeg;
}

struct Centre {
    double ra, dec;
};

// Centres of every kind: the equator, near 0 h (so that samples wrap through 24 h), mid
// latitudes on both sides, and the two poles.
const std::vector<Centre> kCentres = {{5.5, 0.0}, {0.1, 20.0}, {23.9, -30.0}, {18.0, -35.0}, {12.0, 65.0},
                                      {7.0, 90.0}, {3.0, -90.0}};

// The standard parallels of a conic for a centre: on the centre's side of the equator.
void Parallels(const Centre& c, double& p1, double& p2)
{
    const double s = c.dec < 0 ? -1.0 : 1.0;
    p1 = s * 25.0;
    p2 = s * 47.0;
    if (std::fabs(c.dec) > 50) {
        p1 = s * 60.0;
        p2 = s * 80.0;
    }
}

// How far from the centre a projection is tested (degrees).
double Reach(int type)
{
    switch (type) {
    case ProjectionGnomonic: return 60;
    case ProjectionOrthographic: return 80;
    case ProjectionCylindrical: return 60;
    default: return 70;
    }
}

TEST(ChartProjection, SkyToScreenAndBackAgreeWithinAPixelInEveryProjection)
{
    const fw::Rect chart(0, 0, 1000, 800);
    for (int type = 1; type <= 9; ++type) {
        for (const Centre& c : kCentres) {
            // The cylinder about the centre has no width at a pole.
            if (type == ProjectionCylindrical && std::fabs(c.dec) == 90) continue;
            // The polar chart takes the pole of the centre's hemisphere; the equator has none.
            if (type == ProjectionPolar && c.dec == 0) continue;
            double p1, p2;
            Parallels(c, p1, p2);
            ChartProjection proj;
            ASSERT_TRUE(proj.SetGeometry(c.ra, c.dec, p1, p2, type)) << type << " at " << c.ra << "," << c.dec;
            proj.scale = 0.8;
            int tested = 0;
            for (double dec = -85.0; dec <= 85.0; dec += 5.0) {
                for (double ra = 0.05; ra < 24.0; ra += 0.7) {
                    const double sep = Separation(ra, dec, c.ra, c.dec);
                    if (sep > Reach(type)) continue;
                    // The polar chart shows only the centre's hemisphere.
                    if (type == ProjectionPolar && dec * c.dec <= 0) continue;
                    // A conic's cut: positions within a pixel of it may come back across it.
                    double h = std::fmod(ra - c.ra + 36.0, 24.0) - 12.0;
                    if (proj.IsConic() && std::fabs(h) > 11.5) continue;
                    fw::Point p;
                    const int code = proj.SkyToScreen(ra, dec, p, chart);
                    if (code == MapOffChart) {
                        // Only the cut of a conic may refuse a position within reach.
                        ASSERT_TRUE(proj.IsConic()) << type << " refused " << ra << "," << dec;
                        continue;
                    }
                    double ra2 = -1, dec2 = -99;
                    ASSERT_TRUE(proj.ScreenToSky(ra2, dec2, p.x, p.y, chart))
                        << type << " centre " << c.ra << "," << c.dec << " point " << ra << "," << dec;
                    fw::Point q;
                    ASSERT_NE(proj.SkyToScreen(ra2, dec2, q, chart), MapOffChart)
                        << type << " centre " << c.ra << "," << c.dec << " at " << ra << "," << dec << " back " << ra2 << "," << dec2;
                    EXPECT_LE(std::abs(p.x - q.x), 1) << type << " centre " << c.ra << "," << c.dec << " at " << ra
                                                      << "," << dec << " back " << ra2 << "," << dec2;
                    EXPECT_LE(std::abs(p.y - q.y), 1) << type << " centre " << c.ra << "," << c.dec << " at " << ra
                                                      << "," << dec << " back " << ra2 << "," << dec2;
                    ++tested;
                }
            }
            EXPECT_GT(tested, 20) << type;
        }
    }
}

TEST(ChartProjection, RefusesPositionsAProjectionCannotShow)
{
    const fw::Rect chart(0, 0, 640, 480);
    struct Case {
        int type;
        Centre centre;
        double ra, dec;
        const char* what;
    };
    const Case cases[] = {
        {ProjectionGnomonic, {6, 0}, 18.0, 0.0, "gnomonic: the opposite point"},
        {ProjectionGnomonic, {6, 0}, 12.0, 0.0, "gnomonic: 90 degrees away"},
        {ProjectionOrthographic, {6, 0}, 18.0, -10.0, "orthographic: beyond 90 degrees"},
        {ProjectionOrthographic, {0, 90}, 3.0, -10.0, "orthographic: the far hemisphere of the pole"},
        {ProjectionStereographic, {6, 20}, 18.0, -20.0, "stereographic: the point opposite the centre"},
        {ProjectionPolar, {6, 40}, 6.0, -1.0, "polar: the other hemisphere"},
        {ProjectionAreaConic, {18, -35}, 6.0, -35.0, "equal-area conic: the cut meridian"},
        {ProjectionConformalConic1, {18, -35}, 6.0, -20.0, "conformal conic: the cut meridian"},
        {ProjectionConformalConic2, {2, 50}, 14.0, 50.0, "conformal conic: the cut meridian"},
        {ProjectionConformalConic2, {2, 50}, 2.0, -90.0, "conformal conic: the pole opposite the apex"},
    };
    for (const Case& k : cases) {
        double p1, p2;
        Parallels(Centre{k.centre.ra, k.centre.dec}, p1, p2);
        ChartProjection proj;
        proj.SetGeometry(k.centre.ra, k.centre.dec, p1, p2, k.type);
        fw::Point p(-7, -7);
        EXPECT_EQ(proj.SkyToScreen(k.ra, k.dec, p, chart), MapOffChart) << k.what;
    }
    // Pixels that show no sky: beyond the disc of the orthographic and the azimuthal equal-area
    // charts, in the wedge a conic leaves open at its cut, beyond the cylinder's poles.
    struct Pixel {
        int type;
        Centre centre;
        int x, y;
        const char* what;
    };
    const fw::Rect wide(0, 0, 1000, 800);
    const Pixel pixels[] = {
        {ProjectionOrthographic, {6, 0}, 999, 400, "orthographic: beyond the disc"},
        {ProjectionLambertAzimuthal, {6, 0}, 500, 0, "azimuthal equal-area: beyond the disc"},
        {ProjectionConformalConic2, {0, 90}, 500, 50, "conformal conic: inside the cut"},
        {ProjectionAreaConic, {0, 90}, 500, 50, "equal-area conic: inside the cut"},
        {ProjectionCylindrical, {6, 60}, 500, 0, "cylindrical: beyond the pole"},
    };
    for (const Pixel& k : pixels) {
        double p1, p2;
        Parallels(k.centre, p1, p2);
        ChartProjection proj;
        proj.SetGeometry(k.centre.ra, k.centre.dec, p1, p2, k.type);
        proj.scale = 0.5;
        double ra = -1, dec = -99;
        EXPECT_FALSE(proj.ScreenToSky(ra, dec, k.x, k.y, wide)) << k.what;
        EXPECT_EQ(ra, -1) << k.what;
    }

    // A scaled plane coordinate beyond 64000 / width pixels never wraps into the window.
    ChartProjection proj;
    proj.SetGeometry(6, 0, -25, -47, ProjectionGnomonic);
    proj.scale = 120.0; // tan 45 x 120 = 120 > 64000 / 640
    fw::Point p;
    EXPECT_EQ(proj.SkyToScreen(3.0, 0.0, p, chart), MapOffChart);
    proj.scale = 90.0;
    EXPECT_NE(proj.SkyToScreen(3.0, 0.0, p, chart), MapOffChart);
}

TEST(ChartProjection, CodesSayWhereThePointLies)
{
    const fw::Rect chart(0, 0, 400, 300);
    const fw::Rect inner(40, 20, 360, 280);
    ChartProjection proj;
    proj.SetGeometry(6, 0, -25, -47, ProjectionStereographic);
    proj.scale = 1.0;
    fw::Point p;
    EXPECT_EQ(proj.SkyToScreen(6, 0, p, chart, inner), MapInside);
    EXPECT_EQ(p, fw::Point(200, 150));
    // East to the left, north up.
    fw::Point east, north;
    proj.SkyToScreen(6.5, 0, east, chart, inner);
    proj.SkyToScreen(6, 5, north, chart, inner);
    EXPECT_LT(east.x, 200);
    EXPECT_LT(north.y, 150);
    // Between the inner rectangle and the chart's edge; beyond the chart; far beyond.
    double ra, dec;
    ASSERT_TRUE(proj.ScreenToSky(ra, dec, 380, 150, chart));
    EXPECT_EQ(proj.SkyToScreen(ra, dec, p, chart, inner), MapOnEdge);
    ASSERT_TRUE(proj.ScreenToSky(ra, dec, 500, 150, chart));
    EXPECT_EQ(proj.SkyToScreen(ra, dec, p, chart, inner), MapNear);
    ASSERT_TRUE(proj.ScreenToSky(ra, dec, 900, 150, chart));
    EXPECT_EQ(proj.SkyToScreen(ra, dec, p, chart, inner), MapOutside);
}

// Sign of the turn from the direction of 0 h to that of 6 h around a pole on the chart.
double TurnAtPole(const ChartProjection& proj, double poleDec)
{
    const double dec = poleDec > 0 ? 80.0 : -80.0;
    double x0, y0, x6, y6, xp, yp;
    proj.SkyToPlane(0.0, dec, x0, y0);
    proj.SkyToPlane(6.0, dec, x6, y6);
    proj.SkyToPlane(0.0, poleDec, xp, yp);
    return (x0 - xp) * (y6 - yp) - (y0 - yp) * (x6 - xp);
}

TEST(ChartProjection, EveryChartOfAPoleHasEastOnTheSameHand)
{
    for (double pole : {90.0, -90.0}) {
        ChartProjection reference;
        reference.SetGeometry(3.0, pole, 0, 0, ProjectionStereographic);
        const double hand = TurnAtPole(reference, pole);
        ASSERT_NE(hand, 0);
        for (int type : {ProjectionGnomonic, ProjectionLambertAzimuthal, ProjectionOrthographic, ProjectionPolar,
                         ProjectionAreaConic, ProjectionConformalConic1, ProjectionConformalConic2}) {
            ChartProjection proj;
            ASSERT_TRUE(proj.SetGeometry(3.0, pole, pole > 0 ? 60 : -60, pole > 0 ? 80 : -80, type)) << type;
            EXPECT_GT(TurnAtPole(proj, pole) * hand, 0) << type << " at " << pole;
        }
    }
}

TEST(ChartProjection, ParallelsInEitherOrderGiveTheSameChart)
{
    for (int type : {ProjectionAreaConic, ProjectionConformalConic1, ProjectionConformalConic2}) {
        ChartProjection a, b;
        ASSERT_TRUE(a.SetGeometry(18, -35, -25, -47, type));
        ASSERT_TRUE(b.SetGeometry(18, -35, -47, -25, type));
        EXPECT_EQ(a.parallel1, -47);
        EXPECT_EQ(b.parallel1, -47);
        double xa, ya, xb, yb;
        ASSERT_TRUE(a.SkyToPlane(16.5, -20, xa, ya));
        ASSERT_TRUE(b.SkyToPlane(16.5, -20, xb, yb));
        EXPECT_DOUBLE_EQ(xa, xb);
        EXPECT_DOUBLE_EQ(ya, yb);
    }
}

TEST(ChartProjection, TheCentreComesOutAtThePlaneOriginAndTheNamesOfTheTypes)
{
    const char* names[] = {"Default", "Stereographic", "Gnomonic", "Lambert Equal Area", "Orthographic",
                           "", "", "", "", ""};
    for (int type = 0; type <= 9; ++type) {
        ChartProjection proj;
        EXPECT_TRUE(proj.SetGeometry(20.0, 35.0, 25.0, 47.0, type)) << type;
        if (type == 0) {
            EXPECT_EQ(proj.projection, ProjectionStereographic);
            EXPECT_EQ(proj.ProjectionName(), "Stereographic");
            continue;
        }
        proj.projection = type;
        EXPECT_EQ(proj.ProjectionName(), names[type]) << type;
        if (type == ProjectionPolar) continue; // centred on the pole, not on the centre
        double x, y;
        ASSERT_TRUE(proj.SkyToPlane(20.0, 35.0, x, y)) << type;
        EXPECT_NEAR(x, 0, 1e-7) << type;
        EXPECT_NEAR(y, 0, 1e-7) << type;
    }
}

// Plane derivatives by central differences, per radian of longitude (to the east) and of
// latitude.
struct Derivatives {
    double xl, yl, xp, yp;
};
Derivatives Differentiate(const ChartProjection& proj, double ra, double dec)
{
    const double h = 1e-4; // degrees
    double x1, y1, x2, y2, x3, y3, x4, y4;
    proj.SkyToPlane(ra + h / 15, dec, x1, y1);
    proj.SkyToPlane(ra - h / 15, dec, x2, y2);
    proj.SkyToPlane(ra, dec + h, x3, y3);
    proj.SkyToPlane(ra, dec - h, x4, y4);
    const double d = 2 * h * kDeg;
    return {(x1 - x2) / d, (y1 - y2) / d, (x3 - x4) / d, (y3 - y4) / d};
}

TEST(ChartProjection, EqualAreaConicKeepsAreasAndIsTrueAlongItsParallels)
{
    for (double s : {1.0, -1.0}) {
        ChartProjection proj;
        ASSERT_TRUE(proj.SetGeometry(3.0, s * 40, s * 30, s * 55, ProjectionAreaConic));
        for (double dec : {-60.0, -20.0, 0.0, 15.0, 40.0, 75.0}) {
            for (double ra : {3.0, 0.5, 8.0}) {
                const Derivatives d = Differentiate(proj, ra, dec);
                // Area of the sphere's element: cos(dec) dlon ddec.
                const double jacobian = std::fabs(d.xl * d.yp - d.yl * d.xp);
                EXPECT_NEAR(jacobian, std::cos(dec * kDeg), 1e-6) << s << " " << ra << "," << dec;
            }
        }
        for (double p : {30.0, 55.0}) {
            const Derivatives d = Differentiate(proj, 5.0, s * p);
            EXPECT_NEAR(std::hypot(d.xl, d.yl), std::cos(p * kDeg), 1e-6) << p;
        }
        // East is to the left on either side of the equator.
        double xe, ye;
        proj.SkyToPlane(4.0, s * 40, xe, ye);
        EXPECT_LT(xe, 0);
    }
}

TEST(ChartProjection, ConformalConicIsConformalAndTrueOnBothStandardParallels)
{
    for (double s : {1.0, -1.0}) {
        ChartProjection proj;
        ASSERT_TRUE(proj.SetGeometry(10.0, s * 45, s * 33, s * 60, ProjectionConformalConic2));
        for (double dec : {10.0, 45.0, 70.0}) {
            const Derivatives d = Differentiate(proj, 11.0, s * dec);
            const double along = std::hypot(d.xl, d.yl) / std::cos(dec * kDeg);
            const double across = std::hypot(d.xp, d.yp);
            EXPECT_NEAR(along / across, 1.0, 1e-6) << dec;
            EXPECT_NEAR(d.xl * d.xp + d.yl * d.yp, 0, 1e-6) << dec; // meridians cross parallels square
        }
        for (double p : {33.0, 60.0}) {
            const Derivatives d = Differentiate(proj, 10.0, s * p);
            EXPECT_NEAR(std::hypot(d.xp, d.yp), 1.0, 1e-6) << p;
        }
        double xe, ye;
        proj.SkyToPlane(11.0, s * 45, xe, ye);
        EXPECT_LT(xe, 0);
    }
}

TEST(ChartProjection, ConicsAreCutAtTheMeridianOppositeTheCentre)
{
    ChartProjection proj;
    proj.SetGeometry(18.0, 40.0, 30.0, 50.0, ProjectionConformalConic2);
    EXPECT_DOUBLE_EQ(proj.antiMeridianRA, 6.0);
    EXPECT_TRUE(proj.CrossesCut(5.5, 0, 6.5));
    EXPECT_FALSE(proj.CrossesCut(6.0, 0, 6.5)); // ends on the cut
    EXPECT_FALSE(proj.CrossesCut(17.5, 0, 18.5));
    proj.SetGeometry(12.5, 40.0, 30.0, 50.0, ProjectionConformalConic2); // cut at 0.5 h
    EXPECT_TRUE(proj.CrossesCut(23.5, 0, 1.0));  // the short way passes 0 h and the cut
    EXPECT_FALSE(proj.CrossesCut(23.5, 0, 0.25));
    proj.projection = ProjectionStereographic;
    EXPECT_FALSE(proj.CrossesCut(23.5, 0, 1.0));
}

TEST(ChartProjection, ConeConstantsFailOutsideTheirDomain)
{
    ChartProjection proj;
    EXPECT_FALSE(proj.SetGeometry(0, 0, 91.5, 20, ProjectionConformalConic2));
    EXPECT_FALSE(proj.SetGeometry(0, 0, 30, 30, ProjectionConformalConic2)); // no cone from one parallel twice
    EXPECT_FALSE(proj.SetGeometry(0, 0, 0, 0, ProjectionConformalConic1));   // the equator: a cylinder
    EXPECT_FALSE(proj.SetGeometry(0, 0, 30, -30, ProjectionAreaConic));      // parallels symmetric about the equator
    EXPECT_TRUE(proj.SetGeometry(0, 0, 30, 0, ProjectionConformalConic1));
}

TEST(ChartProjection, ShortHoursGoTheShortWayRound)
{
    const std::pair<double, double> cases[] = {{0.0, 0.0},   {12.0, 12.0},  {-12.0, 12.0}, {13.0, -11.0},
                                               {-13.0, 11.0}, {23.5, -0.5}, {-23.5, 0.5},  {36.0, 12.0},
                                               {-30.0, -6.0}};
    for (const auto& [hours, expected] : cases) EXPECT_DOUBLE_EQ(ShortHours(hours), expected) << hours;
}

} // namespace
