// The log document's cursor: the record shown, moved over the whole log or over the records
// that pass the filter.
#include "obslog/LogDocument.h"

#include <algorithm>

// ---- filter ---------------------------------------------------------------------------------

std::int32_t LogDocument::ApplyFilter()
{
    firstFiltered_ = lastFiltered_ = filteredCount_ = 0;
    for (int row = 0; row < kCatalogueRows; ++row)
        ClearLogEntryBit(row);
    bool first = true;
    for (std::int32_t i = 0; i < RecordCount(); ++i) {
        if (!Matches(i))
            continue;
        if (first) {
            firstFiltered_ = i;
            first = false;
        }
        lastFiltered_ = i;
        ++filteredCount_;
        const std::int32_t row = records_[static_cast<std::size_t>(i)].crossRef;
        if (row >= 0)
            SetLogEntryBit(row);
    }
    return filteredCount_;
}
// ---- cursor ---------------------------------------------------------------------------------

void LogDocument::ClampCursor()
{
    if (current_ > RecordCount() - 1)
        current_ = RecordCount() - 1;
    if (current_ < 0)
        current_ = 0;
}

void LogDocument::MoveNext()
{
    if (!filter_.active) {
        ++current_;
    } else if (current_ < lastFiltered_) {
        std::int32_t i = current_ + 1;
        while (i < lastFiltered_ && !Matches(i))
            ++i;
        current_ = i;
        ++position_;
    }
    if (current_ > RecordCount() - 1)
        current_ = RecordCount() - 1;
}

void LogDocument::MovePrevious()
{
    if (!filter_.active) {
        --current_;
    } else if (current_ > firstFiltered_) {
        std::int32_t i = current_ - 1;
        while (i > firstFiltered_ && !Matches(i))
            --i;
        current_ = i;
        --position_;
    }
    if (current_ < 0)
        current_ = 0;
}

ObsRecord LogDocument::FirstRecord()
{
    if (filter_.active) {
        current_ = firstFiltered_;
        position_ = 1;
    } else {
        current_ = 0;
    }
    NavigationState();
    return GetCurrentRecord();
}

ObsRecord LogDocument::LastRecord()
{
    if (filter_.active) {
        current_ = lastFiltered_;
        position_ = filteredCount_;
    } else {
        current_ = RecordCount() - 1;
    }
    NavigationState();
    return GetCurrentRecord();
}

ObsRecord LogDocument::NextRecord()
{
    MoveNext();
    NavigationState();
    return GetCurrentRecord();
}

ObsRecord LogDocument::PreviousRecord()
{
    MovePrevious();
    NavigationState();
    return GetCurrentRecord();
}

ObsRecord LogDocument::GetCurrentRecord()
{
    ClampCursor();
    if (records_.empty()) {
        if (auto added = AddRecord(false))
            return *added;
        return ObsRecord();
    }
    currentRecord_ = records_[static_cast<std::size_t>(current_)];
    return currentRecord_;
}

void LogDocument::GoToRecord(const ObsRecord& record)
{
    const std::int32_t index = IndexOf(record.number);
    if (index >= 0)
        current_ = index;
    else
        MovePrevious();
    ClampCursor();
    if (!records_.empty())
        currentRecord_ = records_[static_cast<std::size_t>(current_)];
}

LogDocument::NavState LogDocument::NavigationState()
{
    if (filter_.active) {
        if (firstFiltered_ >= current_)
            nav_ = AtFirst;
        else if (current_ < lastFiltered_)
            nav_ = InBetween;
        else
            nav_ = AtLast;
        if (filteredCount_ == 1)
            nav_ = OneRecord;
        if (filteredCount_ == 0)
            nav_ = NoRecord;
    } else {
        if (current_ == 0)
            nav_ = AtFirst;
        else if (current_ == RecordCount() - 1)
            nav_ = AtLast;
        else
            nav_ = InBetween;
        if (RecordCount() == 0)
            nav_ = NoRecord;
        if (RecordCount() == 1)
            nav_ = OneRecord;
    }
    return nav_;
}
