// Moving chosen items of a list to one place, keeping the order in which they are named.
#pragma once

namespace kw {

// A list whose items can be moved: the item at `from` is taken out and put back so that it
// stands at index `to` of the list.
class MovableList {
public:
    virtual ~MovableList() = default;
    virtual int Count() const = 0;
    virtual void MoveItem(int from, int to) = 0;
};

// Moves the items at the indexes (ending with -1) so that they stand together, in the order
// given, before the item that stood at `target` (at the end for target = Count()). Indexes
// outside the list, or named twice, are passed over; the target is held within 0..Count().
void MoveIndexedItems(MovableList& list, const int* indexes, int target);

} // namespace kw
