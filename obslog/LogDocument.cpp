#include "obslog/LogDocument.h"

#include "catalog/CatalogueTable.h"
#include "catalog/NGC2000Indexes.h"
#include "globals/Globals.h"

namespace {
void InvalidateHistoryStage()
{
    if (AppGlobals.database)
        AppGlobals.database->ClearStageCacheBits(NGC2000Indexes::kHistoryStage);
}
} // namespace

bool LogDocument::SetLogEntryBit(int row)
{
    if (row < 0 || row > kMaxMarkedRow)
        return false;
    NGCTable.shape[row] |= ObservedMark;
    InvalidateHistoryStage();
    return true;
}

bool LogDocument::ClearLogEntryBit(int row)
{
    if (row < 0 || row > kMaxMarkedRow)
        return false;
    NGCTable.shape[row] &= std::uint8_t(~ObservedMark);
    InvalidateHistoryStage();
    return true;
}
