#include "installer/engine/MoveIndexedItems.h"

#include <cstddef>
#include <vector>

namespace kw {

void MoveIndexedItems(MovableList& list, const int* indexes, int target)
{
    if (!indexes) return;
    const int count = list.Count();
    std::vector<int> rest; // the indexes still to move, kept up to date as items move
    std::vector<bool> named(static_cast<size_t>(count > 0 ? count : 0), false);
    for (const int* p = indexes; *p != -1; ++p) {
        if (*p < 0 || *p >= count || named[static_cast<size_t>(*p)]) continue;
        named[static_cast<size_t>(*p)] = true;
        rest.push_back(*p);
    }
    // The target is a gap between items: the items go before the one that stands after it.
    int gap = target < 0 ? 0 : target > count ? count : target;
    for (size_t k = 0; k < rest.size(); ++k) {
        const int from = rest[k];
        const int to = from < gap ? gap - 1 : gap; // where it stands once taken out and put back
        if (from != to) list.MoveItem(from, to);
        // Items between the old and the new place move by one toward the old place.
        for (size_t j = k + 1; j < rest.size(); ++j) {
            int& i = rest[j];
            if (from < to && i > from && i <= to) --i;
            else if (to < from && i >= to && i < from) ++i;
        }
        // The next item goes right after this one.
        gap = to + 1;
    }
}

} // namespace kw
