#include "catalog/SAC110.h"

#include "catalog/NamedObjectTables.h"

#include <algorithm>

SAC110::SAC110() : count_(SacCount) {}

bool SAC110::Contains(std::int32_t catalogueNumber) const
{
    const std::int32_t first = SacTable[0];
    const std::int32_t last = SacTable[count_ - 1];
    if (catalogueNumber < first || catalogueNumber > last)
        return false;
    if (catalogueNumber == first || catalogueNumber == last)
        return true;
    return std::binary_search(SacTable, SacTable + count_, catalogueNumber);
}
