#include "chart/ConstelLineArray.h"

ConstelLineArray& ConstelLineArray::Instance()
{
    static ConstelLineArray linesOfTheProgram;
    return linesOfTheProgram;
}
