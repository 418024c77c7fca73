#include "catalog/ObjectFlags.h"

#include "framework/stream/StateReset.h"

#include <algorithm>
#include <iterator>

std::uint16_t ObjectFlags[CatalogueCapacity];
std::int32_t FilteredList[CatalogueCapacity];
std::int32_t ObservingList[CatalogueCapacity];

namespace {
const fw::StateReset resetObjectLists{ResetObjectLists};
} // namespace

void ResetObjectLists()
{
    std::fill(std::begin(ObjectFlags), std::end(ObjectFlags), 0);
    std::fill(std::begin(FilteredList), std::end(FilteredList), 0);
    std::fill(std::begin(ObservingList), std::end(ObservingList), 0);
}
