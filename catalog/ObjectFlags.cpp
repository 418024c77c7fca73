#include "catalog/ObjectFlags.h"

std::uint16_t ObjectFlags[CatalogueCapacity];
std::int32_t FilteredList[CatalogueCapacity];
std::int32_t ObservingList[CatalogueCapacity];
