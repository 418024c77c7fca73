// Browser: the cursor over the catalogue database's three object lists (0 the filtered
// list, 1 the observing list, 2 the observing log). Each list has a count, a current index
// and a state telling where the index stands; moves clamp to the list and wrap from the
// first entry back to the last.
#pragma once

#include <cstdint>

namespace fw { class ipstream; }
namespace fw { class opstream; }

class Browser {
public:
    enum List { kFilteredList = 0, kObservingList = 1, kLogList = 2 };
    enum State { kEmpty = 0, kSingle = 1, kAtFirst = 2, kInMiddle = 3, kAtLast = 4 };
    static constexpr std::uint32_t kVersion = 5;

    Browser() = default;
    virtual ~Browser() = default;

    virtual int UpdateState();
    virtual int SetCount(int n);
    virtual int Count() const { return count_[selected_]; }
    virtual int CountOf(int list) const { return list >= 0 && list < 3 ? count_[list] : 0; }
    virtual bool SelectList(int list);
    virtual int First();
    virtual int Last();
    virtual int Next();
    virtual int Previous();
    virtual int GoTo(int i);
    virtual int Index() const { return index_[selected_]; }

    int Selected() const { return selected_; }
    int StateOf(int list) const { return list >= 0 && list < 3 ? state_[list] : 0; }
    int IndexOf(int list) const { return list >= 0 && list < 3 ? index_[list] : 0; }

    // Takes the other's counts and indexes of lists 1 and 2 (not of list 0) and its
    // selected list; the other ends with its own selection too.
    void Assign(Browser& other);

    void Write(fw::opstream& os) const;
    // The block as read, not yet taken by any browser.
    struct Block {
        std::int32_t selected = 0;
        std::int32_t index[3] = {0, 0, 0};
        std::int32_t state[3] = {0, 0, 0};
        std::int32_t count[3] = {0, 0, 0};
        // Selection 0 to 2, the counts of lists 0 and 1 up to maxCount (the log's count not
        // negative) and every index inside its list.
        bool IsWhole(int maxCount) const;
    };
    static Block ReadBlock(fw::ipstream& is);
    // Takes a whole block; false (and nothing changes) for one that is not whole.
    bool Take(const Block& block, int maxCount);
    // Reads a block and takes it when it is whole for lists of up to maxCount entries.
    bool Read(fw::ipstream& is, int maxCount);

protected:
    std::int32_t index_[3] = {0, 0, 0};
    std::int32_t selected_ = 0;
    std::int32_t state_[3] = {0, 0, 0};
    std::int32_t count_[3] = {0, 0, 0};
};
