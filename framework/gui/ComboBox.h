// A combo box as the program uses it: items with item data, a list-only or editable form
// with a text limit, prefix and exact searches that start after a given item and wrap.
#pragma once

#include <functional>
#include <string>

#include <QComboBox>

#include "framework/gui/ListBox.h"

namespace fw {

class ComboBox : public QComboBox {
public:
    // editable: the user may type (drop-down); otherwise a drop-down list. textLimit 0: none.
    explicit ComboBox(QWidget* parent = nullptr, bool editable = false, int textLimit = 0,
                      bool sorted = false);

    bool IsSorted() const { return sorted_; }
    void SetSorted(bool sorted) { sorted_ = sorted; }
    void SetTextLimit(int limit);
    int GetTextLimit() const { return textLimit_; }

    int AddString(const std::string& text);
    int InsertString(const std::string& text, int index);
    int DeleteString(int index);
    void ClearList();
    int GetCount() const { return count(); }
    std::string GetString(int index) const;

    bool SetItemData(int index, long value);
    long GetItemData(int index) const; // CB_ERR for no such item

    int FindString(const std::string& prefix, int start = -1) const;
    int FindExactString(const std::string& text, int start = -1) const;
    int FindItemData(long value) const;

    int GetSelIndex() const; // CB_ERR when nothing is selected
    int SetSelIndex(int index); // -1 clears the selection (and the edit text)
    std::string GetSelString() const;
    int SetSelString(const std::string& prefix, int start = -1);

    // The edit text (the selected item's text in a list-only box).
    std::string GetText() const;
    void SetText(const std::string& text);
    void ClearText();
    // Called when the box has lost the keyboard focus (the window's CBN_KILLFOCUS).
    void SetKillFocusNotify(std::function<void()> notify) { killFocusNotify_ = std::move(notify); }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    int FindFrom(const std::string& text, int start, bool exact) const;
    // Inserts an item, keeping the edit text and an empty selection as they were.
    void InsertQuietly(int index, const QString& text);

    bool sorted_;
    int textLimit_;
    std::function<void()> killFocusNotify_;
};

}  // namespace fw
