// The installer's intrusive singly linked list. A node is any record derived from ListNode,
// whose first field is the link to the next node. The list does not own its nodes.
#pragma once

namespace kw {

struct ListNode {
    ListNode* next = nullptr;
};

class ListVisitor {
public:
    virtual ~ListVisitor() = default;
    // False stops the walk.
    virtual bool Visit(ListNode* node) = 0;
};

class LinkedList {
public:
    int Count() const { return count_; }
    ListNode* First() const { return first_; }
    int IndexOf(const ListNode* node) const; // -1, with a check failure, when absent
    ListNode* At(int i) const;
    void InsertAfter(ListNode* prev, ListNode* node);
    void Append(ListNode* node);
    void InsertAt(int i, ListNode* node);
    void RemoveAfter(ListNode* prev);
    void RemoveAt(int i);
    ListNode* Last() const { return At(count_ - 1); }
    bool ForEach(ListVisitor& visitor) const;
    void Swap(LinkedList& other);
    bool Move(int from, int to);
    // Moves the nodes at the listed indexes (ended by -1) to consecutive places from target.
    bool MoveIndexedItems(int* indexes, int target);

private:
    int count_ = 0;
    ListNode* first_ = nullptr;
};

}  // namespace kw
