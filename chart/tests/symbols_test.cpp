// Symbols of the solar-system bodies: the outlines the phase symbol draws (recorded), and the
// phases rendered with QPainter into a picture (saved for a look when snapshots are asked for).
#include "chart/BodySymbols.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/PainterDC.h"
#include "framework/gui/RecordingDC.h"
#include "framework/testsupport/Snapshot.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kLit = 0x00C0F0FF;  // pale yellow (0x00BBGGRR)
constexpr std::uint32_t kDark = 0x00504040; // dark grey-blue

std::vector<fw::Point> PointsOf(const fw::DrawCall& call)
{
    std::vector<fw::Point> pts;
    for (std::size_t i = 0; i + 1 < call.args.size(); i += 2)
        pts.emplace_back(call.args[i], call.args[i + 1]);
    return pts;
}

Angle Deg(double d)
{
    return Angle(d, Angle::kDegrees);
}

// Disc first in the dark colour, then the lit part over it, each a closed 41-point outline;
// the caller's pen and brush come back afterwards.
TEST(BodySymbols, PhaseDrawsDiscThenLitPartAndRestoresPenAndBrush)
{
    fw::RecordingDC dc;
    const fw::Pen pen(QColor(1, 2, 3), 3);
    const fw::Brush brush(QColor(4, 5, 6));
    dc.SelectPen(pen);
    dc.SelectBrush(brush);
    EXPECT_EQ(DrawBodyPhase(dc, 50, 50, 20, Deg(90), Deg(90), kLit, kDark), 1);
    ASSERT_EQ(dc.Calls().size(), 2u);
    const auto disc = PointsOf(dc.Calls()[0]);
    const auto lit = PointsOf(dc.Calls()[1]);
    EXPECT_EQ(dc.Calls()[0].brush.color, fw::ColorFromRef(kDark));
    EXPECT_EQ(dc.Calls()[0].pen, fw::Pen(fw::ColorFromRef(kDark), 1));
    EXPECT_EQ(dc.Calls()[1].brush.color, fw::ColorFromRef(kLit));
    ASSERT_EQ(disc.size(), 41u);
    ASSERT_EQ(lit.size(), 41u);
    EXPECT_EQ(disc.front(), disc.back());
    EXPECT_EQ(lit.front(), lit.back());
    // The disc from the bottom through the left (east), top and right, 9 degrees a step.
    EXPECT_EQ(disc[0], fw::Point(50, 70));
    EXPECT_EQ(disc[10], fw::Point(30, 50));
    EXPECT_EQ(disc[20], fw::Point(50, 30));
    EXPECT_EQ(disc[30], fw::Point(70, 50));
    // Half phase: the limb is the disc's left half, the terminator the straight line x = 50.
    for (int i = 0; i <= 20; ++i)
        EXPECT_EQ(lit[i], disc[i]) << i;
    for (int i = 21; i < 40; ++i)
        EXPECT_EQ(lit[i].x, 50) << i;
    EXPECT_EQ(dc.GetPen(), pen);
    EXPECT_EQ(dc.GetBrush(), brush);
}

struct PhaseCase {
    double phase;
    fw::Point terminatorMiddle; // lit[30], where the terminator crosses the disc's middle row
};

TEST(BodySymbols, TerminatorFollowsThePhaseAngle)
{
    // Radius 20 at (50, 50), lit limb to the east (left): the terminator's middle point moves
    // from the far limb (full) through the centre (half) to the lit limb (new).
    const PhaseCase cases[] = {
        {0, fw::Point(70, 50)}, {45, fw::Point(64, 50)}, {90, fw::Point(50, 50)}, {135, fw::Point(36, 50)}, {180, fw::Point(30, 50)},
    };
    for (const auto& c : cases) {
        fw::RecordingDC dc;
        DrawBodyPhase(dc, 50, 50, 20, Deg(c.phase), Deg(90), kLit, kDark);
        const auto lit = PointsOf(dc.Calls().at(1));
        EXPECT_EQ(lit[30], c.terminatorMiddle) << c.phase;
        EXPECT_EQ(lit[10], fw::Point(30, 50)) << c.phase; // the lit limb stays put
    }
}

TEST(BodySymbols, PositionAngleTurnsTheLitLimb)
{
    fw::RecordingDC dc;
    DrawBodyPhase(dc, 50, 50, 20, Deg(90), Deg(0), kLit, kDark); // bright limb to the north
    const auto lit = PointsOf(dc.Calls().at(1));
    EXPECT_EQ(lit[10], fw::Point(50, 30));
    for (int i = 21; i < 40; ++i)
        EXPECT_EQ(lit[i].y, 50) << i;
}

TEST(BodySymbols, DiscIsOneEllipseInItsColour)
{
    fw::RecordingDC dc;
    EXPECT_EQ(DrawBodyDisc(dc, 40, 30, 6, kLit), 1);
    ASSERT_EQ(dc.Log(), std::vector<std::string>{"Ellipse 34,24 46,36"});
    EXPECT_EQ(dc.Calls()[0].brush.color, fw::ColorFromRef(kLit));
    EXPECT_EQ(dc.Calls()[0].pen, fw::Pen(fw::ColorFromRef(kLit), 1));
}

// The five phases side by side, as the Moon shows them with its bright limb to the east.
TEST(BodySymbols, PhasesRenderedWithQPainter)
{
    const double phases[] = {0, 45, 90, 135, 180};
    const int cell = 100, radius = 40;
    fw::Bitmap bitmap(cell * 5, cell);
    ASSERT_TRUE(bitmap.IsValid());
    bitmap.Fill(QColor(0, 0, 0));
    {
        fw::PainterDC dc(bitmap);
        for (int i = 0; i < 5; ++i)
            DrawBodyPhase(dc, cell * i + cell / 2, cell / 2, radius, Deg(phases[i]), Deg(90), kLit, kDark);
    }
    testsupport::SaveSnapshot(bitmap.Image(), "chart_moon_phases.png");

    const QColor lit = fw::ColorFromRef(kLit), dark = fw::ColorFromRef(kDark);
    auto at = [&](int i, int dx) { return bitmap.PixelAt(cell * i + cell / 2 + dx, cell / 2); };
    // Samples across the middle row: the east limb side (-35, -25) and the west side (+25, +35).
    EXPECT_EQ(at(0, -35), lit);
    EXPECT_EQ(at(0, 35), lit);
    EXPECT_EQ(at(1, 25), lit);
    EXPECT_EQ(at(1, 35), dark);
    EXPECT_EQ(at(2, -25), lit);
    EXPECT_EQ(at(2, 25), dark);
    EXPECT_EQ(at(3, -35), lit);
    EXPECT_EQ(at(3, -25), dark);
    EXPECT_EQ(at(4, -35), dark);
    EXPECT_EQ(at(4, 35), dark);
    EXPECT_EQ(bitmap.PixelAt(cell / 2, 2), QColor(0, 0, 0)); // outside the disc
}

} // namespace
