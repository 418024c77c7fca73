// The chart's visible region: the one box of sky that drawing tests positions against, set by
// the chart window before it draws (and put back after a print). This class is its one owner;
// tests bring it back to the whole sky through Reset.
#pragma once

#include "chart/VisibleRegion.h"

class ChartVisibleRegion {
public:
    // The program's one chart region, made on first use.
    static ChartVisibleRegion& Instance();

    VisibleRegion& Region() { return region_; }
    const VisibleRegion& Region() const { return region_; }

    // Back to the state at start-up: the whole sky.
    void Reset() { region_ = VisibleRegion(); }

private:
    VisibleRegion region_;
};
