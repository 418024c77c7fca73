// A combo box filled from a choice list and written back into it. Every item carries its
// entry's id as item data, so a sorted box still reports the right id; the user may type a
// new entry, which gets the next free id.
#pragma once

#include "framework/gui/ComboBox.h"
#include "ui/CBdata.h"

#include <cstdint>
#include <string>

class TurboComboBox : public fw::ComboBox {
public:
    explicit TurboComboBox(QWidget* parent = nullptr, int textLimit = 40, bool sorted = false);

    // Adds an item for each valid entry (skipping the others) and selects the list's current
    // id when it is not 0. Returns the list's count.
    std::int32_t LoadChoices(const CBdata& list);
    // Adds or renames the list's entry of every valid item; the current id becomes the
    // selected item's id. Returns 1.
    std::int32_t StoreChoices(CBdata& list) const;

    // Item data of the selected item, CB_ERR when nothing is selected.
    long GetSelectedId() const;
    // Selects the first item with the id; 1 when found, 0 otherwise.
    int SelectId(long id);
    std::string GetSelectedText() const;
    // True when the text is not empty and no item has it.
    bool IsNewText(const std::string& text) const;
    // 0 when the text is not new, -1 when the id is 0, else the new item's index.
    int AddText(const std::string& text, long id);
    // One more than the largest id (unsigned), at least 1.
    long NextFreeId() const;
    // Selects the item the edit text begins (letter case ignored; item 0 is tried last) and
    // gives 0, or adds the text as a new entry, selects it and gives 1. A new text that the
    // list cannot keep is refused in a box captioned kInvalidEntryCaption; the edit then shows
    // the selected item again (or nothing) and the result is -1.
    int CommitEditText();

    // Whether a typed text can become an entry of the list (CBdata::FitsTextForm: the text
    // form of a log carries no other); otherwise the box kEntryRule with the caption, and false.
    static bool AcceptTypedEntry(QWidget* parent, const std::string& text, const std::string& caption);
    static constexpr const char* kEntryRule = "Options may be at most 49 characters long and may not contain \"|\"";
    static constexpr const char* kInvalidEntryCaption = "Error - Invalid Entry";

    const std::string& ListName() const { return listName_; }
    std::int32_t ListId() const { return listId_; }

private:
    std::string listName_;
    std::int32_t listId_ = 0;
};
