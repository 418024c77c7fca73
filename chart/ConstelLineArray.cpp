#include "chart/ConstelLineArray.h"

#include "framework/stream/StateReset.h"

ConstelLineArray& ConstelLineArray::Instance()
{
    static ConstelLineArray linesOfTheProgram;
    return linesOfTheProgram;
}

namespace {
const fw::StateReset resetLines{[] { ConstelLineArray::Instance().Reset(); }};
} // namespace
