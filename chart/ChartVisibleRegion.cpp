#include "chart/ChartVisibleRegion.h"

ChartVisibleRegion& ChartVisibleRegion::Instance()
{
    static ChartVisibleRegion regionOfTheChart;
    return regionOfTheChart;
}
