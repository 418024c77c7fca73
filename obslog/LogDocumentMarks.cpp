// The log document's marks in the catalogue: an object with a logged record that passes the
// filter is marked as observed.
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

// ---- catalogue marks ------------------------------------------------------------------------

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
void LogDocument::RemarkRow(std::int32_t row)
{
    if (row < 0)
        return;
    // The mark stands while any record of the object passes the filter.
    for (std::int32_t i = 0; i < RecordCount(); ++i)
        if (records_[static_cast<std::size_t>(i)].crossRef == row && Matches(i)) {
            SetLogEntryBit(row);
            return;
        }
    ClearLogEntryBit(row);
}
bool LogDocument::UpdateCrossRef(ObsRecord& record)
{
    const int row = NGC2000Indexes::RowIndex(NGC2000Indexes::ParseObjectName(record.name));
    if (row < 0) {
        record.crossRef = -1;
        return false;
    }
    record.crossRef = row;
    if (filter_.Match(record))
        SetLogEntryBit(row);
    else
        ClearLogEntryBit(row);
    return true;
}
