#include "chart/BodySymbols.h"

#include <cmath>
#include <vector>

#include "astro/AstroConstants.h"
#include "framework/gui/DC.h"

namespace {

constexpr int kSteps = 40; // 9 degrees apiece

// Fills and outlines a polygon in one colour with a solid brush and a 1-pixel pen, then
// gives back the previous brush and pen.
void FillPolygon(fw::DC& dc, const std::vector<fw::Point>& points, std::uint32_t colour)
{
    const QColor c = fw::ColorFromRef(colour);
    const fw::Brush oldBrush = dc.SelectBrush(fw::Brush(c));
    const fw::Pen oldPen = dc.SelectPen(fw::Pen(c, 1, fw::PenStyle::Solid));
    dc.Polygon(points);
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
}

} // namespace

int DrawBodyDisc(fw::DC& dc, int x, int y, int radius, std::uint32_t colour)
{
    const QColor c = fw::ColorFromRef(colour);
    const fw::Brush oldBrush = dc.SelectBrush(fw::Brush(c));
    const fw::Pen oldPen = dc.SelectPen(fw::Pen(c, 1, fw::PenStyle::Solid));
    dc.Ellipse(fw::Rect(x - radius, y - radius, x + radius, y + radius));
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
    return 1;
}

int DrawBodyPhase(fw::DC& dc, int x, int y, int radius, const Angle& phaseAngle, const Angle& positionAngle,
                  std::uint32_t litColour, std::uint32_t darkColour)
{
    const double R = radius;
    const double step = 2 * astro::kPi / kSteps;
    const double r = positionAngle.Radians() - astro::kPi / 2;
    const double cr = std::cos(r), sr = std::sin(r);

    // Half-width of the terminator ellipse, signed: -R puts it on the far side (full disc),
    // 0 makes it a straight line (half), +R lays it on the limb (nothing lit). A phase angle
    // of exactly 180 degrees belongs to the new phase, not to the third quarter turn.
    const double wrapped = Angle::Wrapped(phaseAngle.Radians()).Radians();
    const int quadrant = phaseAngle.Quadrant();
    const bool farHalf = (quadrant == 3 || quadrant == 4) && wrapped != astro::kPi;
    const double w = farHalf ? R * phaseAngle.Cos() : -R * phaseAngle.Cos();

    auto place = [&](double u, double v) {
        return fw::Point(x + static_cast<int>(std::trunc(cr * u + sr * v)),
                     y + static_cast<int>(std::trunc(-sr * u + cr * v)));
    };

    std::vector<fw::Point> lit;
    std::vector<fw::Point> disc;
    lit.reserve(kSteps + 1);
    disc.reserve(kSteps + 1);
    for (int i = 0; i < kSteps; ++i) {
        // Limb: half a circle (i = 0..20); terminator: half an ellipse back (i = 21..39).
        const int k = i <= kSteps / 2 ? i : kSteps - i;
        const double theta = astro::kPi / 2 + k * step;
        const double u = (i <= kSteps / 2 ? R : w) * std::cos(theta);
        lit.push_back(place(u, R * std::sin(theta)));

        const double phi = astro::kPi / 2 + i * step;
        disc.push_back(place(R * std::cos(phi), R * std::sin(phi)));
    }
    lit.push_back(lit.front());
    disc.push_back(disc.front());

    FillPolygon(dc, disc, darkColour);
    FillPolygon(dc, lit, litColour);
    return 1;
}
