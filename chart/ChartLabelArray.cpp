#include "chart/ChartLabelArray.h"

#include "framework/stream/StateReset.h"

ChartLabelArray& ChartLabelArray::Instance()
{
    static ChartLabelArray labelsOfTheProgram;
    return labelsOfTheProgram;
}

namespace {
const fw::StateReset resetLabels{[] { ChartLabelArray::Instance().Reset(); }};
} // namespace
