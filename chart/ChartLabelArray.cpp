#include "chart/ChartLabelArray.h"

ChartLabelArray& ChartLabelArray::Instance()
{
    static ChartLabelArray labelsOfTheProgram;
    return labelsOfTheProgram;
}
