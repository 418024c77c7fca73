#include "installer/support/LinkedList.h"

#include "installer/support/CheckFailed.h"

#include <algorithm>
#include <vector>

namespace kw {

int LinkedList::IndexOf(const ListNode* node) const
{
    int i = 0;
    for (ListNode* n = first_; n; n = n->next, ++i)
        if (n == node) return i;
    CheckFailed("SLLIST", 40, false);
    return -1;
}

ListNode* LinkedList::At(int i) const
{
    CheckFailed("SLLIST", 149, i < count_);
    if (i < 0) return nullptr;
    ListNode* n = first_;
    int k = 0;
    while (n && k < i) {
        n = n->next;
        ++k;
    }
    CheckFailed("SLLIST", 153, n != nullptr && k == i);
    return n;
}

void LinkedList::InsertAfter(ListNode* prev, ListNode* node)
{
    if (!node) return;
    if (prev) {
        node->next = prev->next;
        prev->next = node;
    } else {
        node->next = first_;
        first_ = node;
    }
    ++count_;
}

void LinkedList::Append(ListNode* node)
{
    ListNode* last = first_;
    while (last && last->next) last = last->next;
    InsertAfter(last, node);
}

void LinkedList::InsertAt(int i, ListNode* node)
{
    CheckFailed("SLLIST", 78, i <= count_);
    if (i <= 0)
        InsertAfter(nullptr, node);
    else if (i >= count_)
        Append(node);
    else
        InsertAfter(At(i - 1), node);
}

void LinkedList::RemoveAfter(ListNode* prev)
{
    if (!first_) return;
    ListNode* victim = prev ? prev->next : first_;
    if (!victim) return;
    if (prev)
        prev->next = victim->next;
    else
        first_ = victim->next;
    victim->next = nullptr;
    --count_;
}

void LinkedList::RemoveAt(int i)
{
    if (i == 0) {
        RemoveAfter(nullptr);
        return;
    }
    ListNode* prev = At(i - 1);
    if (prev) RemoveAfter(prev); // an index past the end is reported by At and ignored
}

bool LinkedList::ForEach(ListVisitor& visitor) const
{
    for (ListNode* n = first_; n;) {
        ListNode* next = n->next; // the visitor may unlink the node
        if (!visitor.Visit(n)) return false;
        n = next;
    }
    return true;
}

void LinkedList::Swap(LinkedList& other)
{
    int c = count_;
    count_ = other.count_;
    other.count_ = c;
    ListNode* f = first_;
    first_ = other.first_;
    other.first_ = f;
}

bool LinkedList::Move(int from, int to)
{
    if (to == from || to == from + 1) return true;
    if (from < 0 || from >= count_ || to < 0 || to > count_) {
        CheckFailed("SLLIST", __LINE__, false);
        return false;
    }
    ListNode* node = At(from);
    if (!node) return false;
    RemoveAt(from);
    InsertAt(from < to ? to - 1 : to, node);
    return true;
}

bool LinkedList::MoveIndexedItems(int* indexes, int target)
{
    // The nodes are taken by identity first, so that moving one cannot make a later index
    // name another node; they end up in listed order before the node that stood at target.
    std::vector<ListNode*> nodes;
    for (int j = 0; indexes[j] != -1; ++j) {
        if (indexes[j] < 0 || indexes[j] >= count_) {
            CheckFailed("SLLIST", __LINE__, false);
            return false;
        }
        ListNode* n = At(indexes[j]);
        if (std::find(nodes.begin(), nodes.end(), n) == nodes.end()) nodes.push_back(n);
    }
    ListNode* anchor = target >= 0 && target < count_ ? At(target) : nullptr;
    while (anchor && std::find(nodes.begin(), nodes.end(), anchor) != nodes.end())
        anchor = anchor->next;
    for (ListNode* n : nodes) RemoveAt(IndexOf(n));
    int at = anchor ? IndexOf(anchor) : count_;
    for (ListNode* n : nodes) InsertAt(at++, n);
    return true;
}

}  // namespace kw
