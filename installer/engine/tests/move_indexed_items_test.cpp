// Moving chosen list items together before a target, in the order they are named.
#include "installer/engine/MoveIndexedItems.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kw;

namespace {

class Letters : public MovableList {
public:
    explicit Letters(std::string s) : items(std::move(s)) {}
    int Count() const override { return static_cast<int>(items.size()); }
    void MoveItem(int from, int to) override
    {
        ASSERT_GE(from, 0);
        ASSERT_LT(from, Count());
        ASSERT_GE(to, 0);
        ASSERT_LT(to, Count());
        const char c = items[size_t(from)];
        items.erase(size_t(from), 1);
        items.insert(size_t(to), 1, c);
        ++moves;
    }
    std::string items;
    int moves = 0;
};

TEST(MoveIndexedItems, ChosenItemsStandTogetherBeforeTheTarget)
{
    struct Case {
        const char* what;
        std::vector<int> indexes;
        int target;
        const char* expected;
    } cases[] = {
        {"two down", {0, 1}, 3, "CABDE"},
        {"two up", {3, 4}, 1, "ADEBC"},
        {"on both sides of the target", {0, 4}, 2, "BAECD"},
        {"named in reverse", {4, 0}, 2, "BEACD"},
        {"to the end", {1, 2}, 5, "ADEBC"},
        {"to the start", {2, 4}, 0, "CEABD"},
        {"already in place", {1, 2}, 1, "ABCDE"},
        {"one onto itself", {2}, 3, "ABCDE"},
        {"none", {}, 2, "ABCDE"},
        {"outside the list and twice", {7, -5, 1, 1, 5}, 4, "ACDBE"},
        {"target beyond the end", {0}, 99, "BCDEA"},
        {"target before the start", {4}, -3, "EABCD"},
        {"scattered, down and up", {4, 1, 3}, 3, "ACEBDx"},
    };
    for (const Case& c : cases) {
        Letters list(std::string(c.what) == std::string("scattered, down and up") ? "ABCDEx" : "ABCDE");
        std::vector<int> indexes = c.indexes;
        indexes.push_back(-1);
        MoveIndexedItems(list, indexes.data(), c.target);
        EXPECT_EQ(list.items, c.expected) << c.what;
    }
    Letters list("ABC");
    MoveIndexedItems(list, nullptr, 0);
    const int only[] = {2, -1};
    MoveIndexedItems(list, only, 3);
    EXPECT_EQ(list.items, "ABC");
    EXPECT_EQ(list.moves, 0) << "an item already in place is not moved";
}

} // namespace
