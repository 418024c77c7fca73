#include "catalog/SortCriteria.h"

#include "astro/SignedStreamRecord.h"
#include "framework/stream/PStream.h"

SortCriteria::SortCriteria()
{
    for (int i = 0; i < 8; ++i) {
        keys[i] = kSortIgnore;
        directions[i] = kDescending;
    }
    keys[0] = kSortDreyerBrightness;
    directions[0] = kDescending;
    keys[1] = kSortObservationOrder;
    directions[1] = kAscending;
}

bool SortCriteria::SelectList(int l)
{
    if (l != 0 && l != 1)
        return false;
    list = std::int16_t(l);
    return true;
}

int SortCriteria::Key(int n) const
{
    if (n < 1 || n > 4 || (list != 0 && list != 1))
        return kSortIgnore;
    return keys[(n - 1) * 2 + list];
}

int SortCriteria::Direction(int n) const
{
    if (n < 1 || n > 4 || (list != 0 && list != 1))
        return kDescending;
    return directions[(n - 1) * 2 + list];
}

bool SortCriteria::SetKey(int n, int code)
{
    if (n < 1 || n > 4 || code <= kSortOptions || code >= kSortEndOfOptions || (list != 0 && list != 1))
        return false;
    keys[(n - 1) * 2 + list] = std::int16_t(code);
    return true;
}

bool SortCriteria::SetDirection(int n, int direction)
{
    if (n < 1 || n > 4 || (direction != 0 && direction != 1) || (list != 0 && list != 1))
        return false;
    directions[(n - 1) * 2 + list] = std::int16_t(direction);
    return true;
}

void SortCriteria::Assign(SortCriteria& other)
{
    for (int l = 0; l < 2; ++l) {
        SelectList(l);
        other.SelectList(l);
        for (int n = 1; n <= 4; ++n) {
            SetKey(n, other.Key(n));
            SetDirection(n, other.Direction(n));
        }
    }
}

bool SortCriteria::operator==(const SortCriteria& s) const
{
    if (list != s.list)
        return false;
    for (int n = 1; n <= 4; ++n)
        if (Key(n) != s.Key(n) || Direction(n) != s.Direction(n))
            return false;
    return true;
}

void SortCriteria::Write(fw::opstream& os) const
{
    using R = SignedStreamRecord;
    R::WriteHeader(os, R::SortCriteria, kVersion);
    os.writeWord16(std::uint16_t(list));
    for (int i = 0; i < 8; ++i) {
        os.writeWord16(std::uint16_t(keys[i]));
        os.writeWord16(std::uint16_t(directions[i]));
    }
    R::WriteSignature(os, R::SortCriteria);
}

void SortCriteria::Read(fw::ipstream& is)
{
    using R = SignedStreamRecord;
    valid = 0;
    if (R::ReadSignature(is) != R::SortCriteria || is.fail())
        return;
    is.readWord32();  // version, not checked
    list = std::int16_t(is.readWord16());
    for (int i = 0; i < 8; ++i) {
        keys[i] = std::int16_t(is.readWord16());
        directions[i] = std::int16_t(is.readWord16());
    }
    if (R::ReadSignature(is) == R::SortCriteria && !is.fail())
        valid = 1;
}
