#include "catalog/Browser.h"

#include "astro/SignedStreamRecord.h"
#include "framework/stream/PStream.h"

int Browser::UpdateState()
{
    const int l = selected_;
    const std::int32_t n = count_[l];
    const std::uint32_t i = std::uint32_t(index_[l]);  // -1 from Previous is a huge value
    if (n <= 0) {
        state_[l] = kEmpty;
        index_[l] = 0;
    } else if (n == 1) {
        state_[l] = kSingle;
        index_[l] = 0;
    } else if (i < std::uint32_t(n - 1)) {
        state_[l] = i == 0 ? kAtFirst : kInMiddle;
    } else {
        state_[l] = kAtLast;
        index_[l] = n - 1;
    }
    return state_[l];
}

int Browser::SetCount(int n)
{
    count_[selected_] = n;
    UpdateState();
    return n;
}

bool Browser::SelectList(int list)
{
    if (list < 0 || list > 2)
        return false;
    selected_ = list;
    return true;
}

int Browser::First()
{
    index_[selected_] = 0;
    UpdateState();
    return index_[selected_];
}

int Browser::Last()
{
    index_[selected_] = count_[selected_] - 1;
    UpdateState();
    return index_[selected_];
}

int Browser::Next()
{
    index_[selected_] += 1;
    UpdateState();
    return index_[selected_];
}

int Browser::Previous()
{
    index_[selected_] -= 1;
    UpdateState();
    return index_[selected_];
}

int Browser::GoTo(int i)
{
    index_[selected_] = i;
    UpdateState();
    return index_[selected_];
}

void Browser::Assign(Browser& other)
{
    // The other's selection as it was before the lists were walked.
    const int otherSelected = other.selected_;
    for (int l = 1; l <= 2; ++l) {
        SelectList(l);
        other.SelectList(l);
        SetCount(other.Count());
        GoTo(other.Index());
        UpdateState();
    }
    SelectList(otherSelected);
    other.SelectList(otherSelected);
}

void Browser::Write(fw::opstream& os) const
{
    using R = SignedStreamRecord;
    R::WriteHeader(os, R::BrowserClass, kVersion);
    os.writeWord32(std::uint32_t(selected_));
    for (int l = 0; l < 3; ++l) {
        R::WriteRaw32(os, std::uint32_t(index_[l]));
        os.writeWord32(std::uint32_t(state_[l]));
        R::WriteRaw32(os, std::uint32_t(count_[l]));
    }
    R::WriteSignature(os, R::BrowserClass);
}

bool Browser::Block::IsWhole(int maxCount) const
{
    if (selected < 0 || selected > 2)
        return false;
    for (int l = 0; l < 3; ++l) {
        // The observing log's entries belong to the log, which may hold more than the
        // catalogue has rows; no array of the database is indexed through its count.
        if (count[l] < 0 || (l != kLogList && count[l] > maxCount))
            return false;
        if (index[l] < 0 || (count[l] == 0 ? index[l] != 0 : index[l] >= count[l]))
            return false;
    }
    return true;
}

Browser::Block Browser::ReadBlock(fw::ipstream& is)
{
    using R = SignedStreamRecord;
    Block b;
    R::ReadSignature(is);  // neither signature nor version is compared
    is.readWord32();
    b.selected = std::int32_t(is.readWord32());
    for (int l = 0; l < 3; ++l) {
        b.index[l] = std::int32_t(R::ReadRaw32(is));
        b.state[l] = std::int32_t(is.readWord32());
        b.count[l] = std::int32_t(R::ReadRaw32(is));
    }
    R::ReadSignature(is);
    return b;
}

bool Browser::Take(const Block& block, int maxCount)
{
    if (!block.IsWhole(maxCount))
        return false;
    for (int l = 0; l < 3; ++l) {
        index_[l] = block.index[l];
        count_[l] = block.count[l];
        selected_ = l;
        UpdateState();
    }
    selected_ = block.selected;
    return true;
}

bool Browser::Read(fw::ipstream& is, int maxCount)
{
    const Block b = ReadBlock(is);
    return !is.fail() && Take(b, maxCount);
}
