// A multiple-selection list box filled from a choice list, whose selection is read and
// written as a set of ids (0 to 255).
#pragma once

#include "framework/gui/ListBox.h"
#include "ui/CBdata.h"

#include <bitset>
#include <cstdint>
#include <string>

// A set of ids 0 to 255.
using TBitSet = std::bitset<256>;

class TurboListBox : public fw::ListBox {
public:
    explicit TurboListBox(QWidget* parent = nullptr, bool sorted = true);

    // Adds the entries in order up to the first whose id is outside 1-255 or whose text is
    // empty. Returns the number of items added.
    int LoadChoices(const CBdata& list);
    void SetChosenIds(const TBitSet& ids) { chosen_ = ids; }
    // Selects every item whose id is in the stored set.
    void ApplySelection();
    // The ids of the selected items (at most 255 are read).
    TBitSet GetChosenIds() const;

    const std::string& ListName() const { return listName_; }
    std::int32_t ListId() const { return listId_; }

private:
    std::string listName_;
    std::int32_t listId_ = 0;
    TBitSet chosen_;
};
