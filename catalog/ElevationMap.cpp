#include "catalog/ElevationMap.h"

#include "astro/AstroConstants.h"

#include "framework/stream/StateReset.h"
#include "globals/Globals.h"
#include "ui/TStatusDlg.h"

#include <algorithm>
#include <cmath>
#include <cstring>

ElevationMap TheElevationMap;

namespace {
const fw::StateReset resetElevationMap{[] { TheElevationMap.Reset(); }};
} // namespace

namespace {
}

void ElevationMap::Reset()
{
    std::memset(cells_, 1, sizeof cells_);
    std::memset(horizon_, kNeverRises, sizeof horizon_);
    window_ = ElevationWindow();
    force_ = true;
}

void ElevationMap::ClearRows(int from, int to)
{
    from = std::max(from, 0);
    to = std::min(to, kRows - 1);
    for (int c = 0; c < kColumns; ++c)
        for (int r = from; r <= to; ++r)
            cells_[c][r] = 0;
}

void ElevationMap::ClearColumns(int row, int from, int to)
{
    from = std::max(from, 0);
    to = std::min(to, kColumns - 1);
    for (int c = from; c <= to; ++c)
        cells_[c][row] = 0;
}

void ElevationMap::SetBit(int row, int column, std::uint8_t bit)
{
    if (column >= 0 && column < kColumns)
        cells_[column][row] |= bit;
}

void ElevationMap::SetBitRange(int row, int from, int to, std::uint8_t bit)
{
    from = std::max(from, 0);
    to = std::min(to, kColumns - 1);
    for (int c = from; c <= to; ++c)
        cells_[c][row] |= bit;
}

void ElevationMap::MarkCrossing(int row, int h, std::uint8_t bit, int half)
{
    SetBit(row, 180 - h, bit);
    SetBit(row, 180 + h, bit);
    SetBitRange(row, std::max(0, 180 - h - half), 180 - h + half - 1, kCrossedInSession);
    SetBitRange(row, 180 + h - half, std::min(360, 180 + h + half) - 1, kCrossedInSession);
}

int ElevationMap::Generate(const ElevationWindow& window)
{
    if (!force_ && window == window_)
        return 0;
    window_ = window;
    // The width is bounded so that a damaged window cannot make the ranges below overflow.
    const double width = std::isfinite(window.width) ? std::clamp(window.width, -720.0, 720.0) : 0.0;
    const int half = int(width / 2);
    std::memset(cells_, 1, sizeof cells_);
    const int minimum = window.minAltitude;
    const int maximum = window.maxAltitude;

    if (window.latitude <= -90.0) {
        ClearRows(0, 90 + minimum);
        ClearRows(90 + maximum, 180);
    } else if (window.latitude >= 90.0) {
        ClearRows(0, 90 - maximum);
        ClearRows(90 - minimum, 180);
    } else {
        std::memset(horizon_, kNeverRises, sizeof horizon_);
        const double sinMin = std::sin(minimum * astro::kRadiansPerDegree);
        const double sinMax = std::sin(maximum * astro::kRadiansPerDegree);
        const double sinLat = std::sin(window.latitude * astro::kRadiansPerDegree);
        const double cosLat = std::cos(window.latitude * astro::kRadiansPerDegree);
        if (StatusWindow)
            StatusWindow->Message("Generating Elevation Filter...", true);
        for (int d = 90; d >= -90; --d) {
            const int r = 90 - d;
            if (StatusWindow && r % 10 == 0)
                StatusWindow->SetProgress(std::uint32_t(r * 100 / 180));
            if (d == 90 || d == -90) {
                if (d == 90)
                    horizon_[r] = window.latitude > 0 ? kAlwaysAbove : kNeverRises;
                else
                    horizon_[r] = window.latitude >= 0 ? kNeverRises : kAlwaysAbove;
                ClearRows(r, r);
                continue;
            }
            const double A = -std::sin(d * astro::kRadiansPerDegree) * sinLat;
            const double B = std::cos(d * astro::kRadiansPerDegree) * cosLat;
            const double x = A / B;
            if (x < -1)
                horizon_[r] = kAlwaysAbove;
            else if (x > 1)
                horizon_[r] = kNeverRises;
            else
                horizon_[r] = std::uint8_t(int(std::acos(x) / astro::kRadiansPerDegree));

            bool crossing = false;
            bool alwaysAboveMinimum = false;
            const double a = (sinMin + A) / B;
            if (a < -1) {
                alwaysAboveMinimum = true;
            } else if (a <= 1) {
                crossing = true;
                const int h = int(std::acos(a) / astro::kRadiansPerDegree);
                ClearColumns(r, 180 + h, 360);
                ClearColumns(r, 0, 180 - h);
                MarkCrossing(r, h, kCrossesMinimum, half);
            }
            const double b = (sinMax + A) / B;
            if (b < -1) {
                ClearRows(r, r);
            } else if (b <= 1) {
                crossing = true;
                const int h = int(std::acos(b) / astro::kRadiansPerDegree);
                ClearColumns(r, 180 - h, 180 + h);
                MarkCrossing(r, h, kCrossesMaximum, half);
            }
            if (!crossing && !alwaysAboveMinimum)
                ClearRows(r, r);
        }
    }
    force_ = false;
    return 1;
}
