#include "catalog/CatalogueTable.h"

#include "framework/stream/StateReset.h"

#include <cstring>

const char* const CatalogueSignature = "Quillon Software - Stellum 4.4 - NGC2000 Database";

CatalogueTable NGCTable;

namespace {
const fw::StateReset resetTable{[] { NGCTable.Clear(); }};
} // namespace

void CatalogueTable::Clear()
{
    std::memset(this, 0, sizeof *this);
}

std::uint32_t ObjectNumberOfCatalogueNumber(int catalogueNumber)
{
    if (catalogueNumber >= 1 && catalogueNumber <= 7840)
        return std::uint32_t(catalogueNumber);
    if (catalogueNumber >= 10001 && catalogueNumber <= 10000 + 5386)
        return std::uint32_t(catalogueNumber - 2160);
    return 0;
}
