// ElevationMap: for one site latitude and pair of altitude limits, a grid over hour angle
// and declination in whole degrees saying whether a position is between the limits, crosses
// one of them, or does so within half an observing session. The elevation filter looks each
// object up here instead of computing its altitude. The same pass fills the table of horizon
// hour angles by declination that the rise and set sort keys use.
#pragma once

#include "catalog/ElevationWindow.h"

#include <cstdint>

class ElevationMap {
public:
    static constexpr int kColumns = 361;  // hour angle -180 .. +180, west positive
    static constexpr int kRows = 181;     // declination +90 .. -90

    // Cell bits.
    static constexpr std::uint8_t kWithinLimits = 0x1;
    static constexpr std::uint8_t kCrossedInSession = 0x2;
    static constexpr std::uint8_t kCrossesMinimum = 0x4;
    static constexpr std::uint8_t kCrossesMaximum = 0x8;

    // Horizon table entries.
    static constexpr std::uint8_t kAlwaysAbove = 180;
    static constexpr std::uint8_t kNeverRises = 255;

    ElevationMap() { Reset(); }

    // Every cell 1, the next generation forced.
    void Reset();
    // Regenerates the map for the window; 0 when it already belongs to it (and no
    // generation is forced), 1 otherwise.
    int Generate(const ElevationWindow& window);
    // The cell of a position at a reference sidereal time (hours); 0 off the grid.
    std::uint8_t Lookup(double raHours, double decDegrees, double referenceHours) const
    {
        int column = int((referenceHours + 12.0 - raHours) * 15.0);
        if (column > 360)
            column -= 360;
        else if (column < 0)
            column += 360;
        if (column < 0 || column > 359)
            return 0;
        const double r = 90.0 - decDegrees;  // truncated toward zero below
        if (!(r > -1.0 && r < 180.0))
            return 0;
        return cells_[column][int(r)];
    }

    std::uint8_t Cell(int column, int row) const { return cells_[column][row]; }
    // Hour angle in whole degrees at which declination row r (90 - dec) meets the horizon;
    // 180 always above, 255 never rises.
    std::uint8_t Horizon(int row) const { return horizon_[row]; }
    const ElevationWindow& Window() const { return window_; }
    bool Forced() const { return force_; }

private:
    void ClearRows(int from, int to);
    void ClearColumns(int row, int from, int to);
    void SetBit(int row, int column, std::uint8_t bit);
    void SetBitRange(int row, int from, int to, std::uint8_t bit);
    // Marks the hour angles 180 - h and 180 + h, where the row crosses a limit, with bit, and
    // the cells within half a session of either as crossed in the session.
    void MarkCrossing(int row, int h, std::uint8_t bit, int half);

    bool force_ = true;
    ElevationWindow window_;
    std::uint8_t cells_[kColumns][kRows];  // column after column
    std::uint8_t horizon_[kRows];
};

// The program's one elevation map.
extern ElevationMap TheElevationMap;
