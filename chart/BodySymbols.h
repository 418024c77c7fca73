// Symbols of the solar-system bodies on the chart and in the altitude plot: a plain disc (the
// Sun) and a disc with its lit part (the Moon and the planets). Screen pixels, y downwards;
// colours are colour numbers (0x00BBGGRR).
#pragma once

#include <cstdint>

#include "astro/Angle.h"

namespace fw { class DC; }

// A disc of the radius around (x, y), filled and outlined in the colour; returns 1.
int DrawBodyDisc(fw::DC& dc, int x, int y, int radius, std::uint32_t colour);

// A disc in darkColour with its lit part drawn over it in litColour. The phase angle is the
// angle Sun-body-observer (0 full, 90 half, 180 new); the lit limb faces the position angle
// (measured from screen-up towards screen-left). Returns 1 when both polygons were drawn.
int DrawBodyPhase(fw::DC& dc, int x, int y, int radius, const Angle& phaseAngle, const Angle& positionAngle,
                  std::uint32_t litColour, std::uint32_t darkColour);
