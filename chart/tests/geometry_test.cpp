// Screen geometry of the chart: the distance from a point to a segment (the mouse's pick of
// a constellation line) and where a grid line crosses the grid's rectangle (edge labels).
#include "chart/LineEquation.h"
#include "chart/ScreenLine.h"

#include <gtest/gtest.h>

namespace {

struct DistanceCase {
    const char* what;
    ScreenLine line;
    fw::Point q;
    int result;
    double distance;
};

TEST(ScreenLine, DistanceToPointAndWhetherItLiesBesideTheSegment)
{
    const DistanceCase cases[] = {
        {"horizontal, beside", {fw::Point(0, 10), fw::Point(100, 10)}, fw::Point(50, 20), 1, 10},
        {"horizontal given backwards", {fw::Point(100, 10), fw::Point(0, 10)}, fw::Point(50, 20), 1, 10},
        {"horizontal, beyond the end", {fw::Point(0, 10), fw::Point(100, 10)}, fw::Point(150, 20), 0, 10},
        {"horizontal, at an end (not strictly between)", {fw::Point(0, 10), fw::Point(100, 10)}, fw::Point(100, 0), 0, 10},
        {"vertical, beside", {fw::Point(10, 0), fw::Point(10, 100)}, fw::Point(20, 50), 1, 10},
        {"vertical, beyond", {fw::Point(10, 100), fw::Point(10, 0)}, fw::Point(-5, 120), 0, 15},
        {"sloped, foot inside", {fw::Point(0, 0), fw::Point(100, 100)}, fw::Point(0, 100), 1, 70.710678},
        {"sloped, foot past the end (distance to that end)", {fw::Point(0, 0), fw::Point(100, 100)}, fw::Point(200, 210), -1, 148.6606875},
        {"sloped, foot within the 3-pixel margin", {fw::Point(0, 0), fw::Point(100, 100)}, fw::Point(104, 100), 1, 4.0},
        {"nearly horizontal, beside", {fw::Point(0, 100), fw::Point(300, 101)}, fw::Point(150, 110), 1, 9.4999472},
        {"nearly vertical, beside", {fw::Point(100, 0), fw::Point(101, 300)}, fw::Point(110, 150), 1, 9.4999472},
        {"empty segment", {}, fw::Point(5, 5), 0, 0},
        {"both ends the same", {fw::Point(5, 5), fw::Point(5, 5)}, fw::Point(9, 8), 0, 0},
    };
    for (const auto& c : cases) {
        double d = -99;
        EXPECT_EQ(c.line.DistanceTo(c.q, d), c.result) << c.what;
        EXPECT_NEAR(d, c.distance, 1e-6) << c.what;
    }
    EXPECT_TRUE(ScreenLine().IsEmpty());
    EXPECT_FALSE(ScreenLine(fw::Point(0, 0), fw::Point(0, 1)).IsEmpty());
}

TEST(LineEquation, SlopeInterceptFormAndItsFailures)
{
    const LineEquation sloped(0, 25, 100, 75);
    EXPECT_DOUBLE_EQ(sloped.slope, 0.5);
    EXPECT_DOUBLE_EQ(sloped.intercept, 25);
    double v = 0;
    EXPECT_EQ(sloped.XAtY(50, v), 1);
    EXPECT_DOUBLE_EQ(v, 50);
    EXPECT_EQ(sloped.YAtX(20, v), 1);
    EXPECT_DOUBLE_EQ(v, 35);

    const LineEquation vertical(7, 0, 7, 50);
    EXPECT_EQ(vertical.vertical, 1);
    EXPECT_EQ(vertical.XAtY(30, v), 1);
    EXPECT_DOUBLE_EQ(v, 7);
    EXPECT_EQ(vertical.YAtX(7, v), 0);

    const LineEquation horizontal(0, 9, 50, 9);
    v = -1;
    EXPECT_EQ(horizontal.XAtY(9, v), 0);
    EXPECT_EQ(v, -1);
    EXPECT_EQ(horizontal.YAtX(1000, v), 1);
    EXPECT_DOUBLE_EQ(v, 9);
}

TEST(LineEquation, EdgeOfPointTestsLeftRightTopBottomInThatOrder)
{
    const fw::Rect r(0, 0, 100, 100);
    EXPECT_EQ(EdgeOfPoint(r, fw::Point(0, 0)), EdgeLeft); // a corner belongs to the side edge
    EXPECT_EQ(EdgeOfPoint(r, fw::Point(100, 100)), EdgeRight);
    EXPECT_EQ(EdgeOfPoint(r, fw::Point(50, 0)), EdgeTop);
    EXPECT_EQ(EdgeOfPoint(r, fw::Point(50, 100)), EdgeBottom);
    EXPECT_EQ(EdgeOfPoint(r, fw::Point(50, 50)), EdgeNone);
    EXPECT_EQ(EdgeOfPoint(r, fw::Point(0, 101)), EdgeNone);

    fw::Point p;
    EXPECT_EQ(EndPointInside(LineEquation(0, 50, 50, 50), r, p), 1); // (0, 50) is on the border
    EXPECT_EQ(p, fw::Point(50, 50));
    EXPECT_EQ(EndPointInside(LineEquation(0, 50, 100, 50), r, p), 0);
}

struct CrossingCase {
    const char* what;
    LineEquation line;
    int code;
    fw::Point point;
};

TEST(LineEquation, BorderCrossingOfGridLines)
{
    const fw::Rect r(0, 0, 100, 100);
    const CrossingCase cases[] = {
        {"vertical outside the x range", LineEquation(150, 50, 150, -20), EdgeNone, fw::Point()},
        {"vertical through the top", LineEquation(50, 50, 50, -20), EdgeTop, fw::Point(50, 0)},
        {"vertical through the bottom", LineEquation(50, 50, 50, 150), EdgeBottom, fw::Point(50, 100)},
        {"vertical inside", LineEquation(50, 20, 50, 80), EdgeNone, fw::Point()},
        {"end exactly on the left border", LineEquation(0, 50, 50, 70), EdgeLeft, fw::Point(0, 50)},
        {"second end on the bottom border", LineEquation(50, 50, 60, 100), EdgeBottom, fw::Point(60, 100)},
        {"sloped through the right edge", LineEquation(50, 50, 150, 100), EdgeRight, fw::Point(100, 75)},
        {"sloped through the top", LineEquation(40, 50, 60, -50), EdgeTop, fw::Point(50, 0)},
        {"sloped, both ends outside, missing", LineEquation(150, 150, 200, 120), EdgeNone, fw::Point()},
        {"horizontal nearer the left", LineEquation(20, 50, 40, 50), EdgeLeft, fw::Point(0, 50)},
        {"horizontal nearer the right", LineEquation(70, 50, 90, 50), EdgeRight, fw::Point(100, 50)},
        {"horizontal outside", LineEquation(20, 150, 40, 150), EdgeNone, fw::Point()},
    };
    for (const auto& c : cases) {
        fw::Point p;
        EXPECT_EQ(BorderCrossing(c.line, r, p), c.code) << c.what;
        if (c.code != EdgeNone) {
            EXPECT_EQ(p, c.point) << c.what;
        }
    }
}

} // namespace
