// A list box as the program uses it: items with a number of item data each, optionally kept
// sorted (letter case ignored), single or multiple selection, a caret, prefix and exact
// searches that start after a given item and wrap around.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QListWidget>

namespace fw {

// The error value of list and combo box queries (no such item, nothing selected).
constexpr long LB_ERR = -1;
constexpr long CB_ERR = -1;

class ListBox : public QListWidget {
public:
    enum class Selection { Single, Multiple, Extended };

    explicit ListBox(QWidget* parent = nullptr, bool sorted = false,
                     Selection selection = Selection::Single);

    bool IsSorted() const { return sorted_; }
    void SetSorted(bool sorted) { sorted_ = sorted; }
    bool IsMultipleSelection() const;
    void SetSelectionKind(Selection selection);

    // Adds an item (in its sorted place when sorted, else at the end); returns its index.
    int AddString(const std::string& text);
    // Inserts at index (-1: at the end), never sorting; returns the index or LB_ERR.
    int InsertString(const std::string& text, int index);
    // Removes an item; returns the remaining count or LB_ERR.
    int DeleteString(int index);
    void ClearList();
    int GetCount() const { return count(); }
    std::string GetString(int index) const;

    bool SetItemData(int index, long value);
    long GetItemData(int index) const; // LB_ERR for no such item

    // First item after 'start' (-1: from the top) whose text begins with the prefix (an
    // empty prefix matches any item), letter case ignored; wraps around so that 'start' is
    // tried last. LB_ERR when none.
    int FindString(const std::string& prefix, int start = -1) const;
    // The same, for an item whose whole text equals the text (letter case ignored).
    int FindExactString(const std::string& text, int start = -1) const;
    // First item whose item data equals data, LB_ERR when none.
    int FindItemData(long value) const;

    // Single selection: the selected item or LB_ERR; SetSelIndex(-1) clears the selection.
    int GetSelIndex() const;
    int SetSelIndex(int index);
    std::string GetSelString() const;
    // First item with the text as prefix, selected; its index or LB_ERR.
    int SetSelString(const std::string& prefix, int start = -1);

    // Multiple selection.
    int GetSelCount() const;
    std::vector<int> GetSelIndexes() const; // ascending
    bool GetSel(int index) const;
    void SetSel(int index, bool select); // index -1: every item
    void SetSelIndexes(const std::vector<int>& indexes, bool select);

    // The item with the focus rectangle; setting it scrolls it fully into view and leaves the
    // selection of a multiple-selection box alone (a single-selection box selects it).
    int GetCaretIndex() const;
    void SetCaretIndex(int index);
    int GetTopIndex() const;

    // Width in pixels over which the list scrolls horizontally.
    void SetHorizontalExtent(int pixels);
    int GetHorizontalExtent() const { return horizontalExtent_; }

private:
    int FindFrom(const std::string& text, int start, bool exact) const;

    bool sorted_;
    int horizontalExtent_ = 0;
};

// Letter-case-blind comparisons used by list and combo searches and sorted insertion.
bool TextStartsWithNoCase(const QString& text, const QString& prefix);
// Where a text goes in a sorted list of n item texts: after every item that does not sort
// above it (letter case ignored), so equal texts keep their order.
int SortedItemIndex(int n, const std::function<QString(int)>& textAt, const QString& text);
// The search of lists and combo boxes over n item texts: the first item after 'start' (-1:
// from the top) whose text begins with text (exact: equals it), letter case ignored; wraps
// around so that 'start' is tried last. -1 (LB_ERR, CB_ERR) when none.
int FindItemText(int n, const std::function<QString(int)>& textAt, const std::string& text, int start, bool exact);

}  // namespace fw
