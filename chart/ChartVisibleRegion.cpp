#include "chart/ChartVisibleRegion.h"

#include "framework/stream/StateReset.h"

ChartVisibleRegion& ChartVisibleRegion::Instance()
{
    static ChartVisibleRegion regionOfTheChart;
    return regionOfTheChart;
}

namespace {
const fw::StateReset resetRegion{[] { ChartVisibleRegion::Instance().Reset(); }};
} // namespace
