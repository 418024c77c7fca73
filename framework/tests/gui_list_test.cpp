// List and combo boxes: item data, sorted insertion, prefix search that wraps, exact search,
// single and multiple selection, caret; the percentage gauge.
#include "framework/gui/ComboBox.h"
#include "framework/gui/Gauge.h"
#include "framework/gui/ListBox.h"

#include <gtest/gtest.h>

namespace {

template <class Box>
void Fill(Box& box, std::initializer_list<std::pair<const char*, long>> items)
{
    for (const auto& it : items) box.SetItemData(box.AddString(it.first), it.second);
}

// The same searches must hold for both kinds of box.
template <class Box>
void CheckSearches(Box& box)
{
    Fill(box, {{"Celestron 8", 3}, {"Meade 10", 7}, {"celestial", 2}, {"Dob", 9}});
    struct Case { const char* text; int start; bool exact; int expected; } cases[] = {
        {"Cel", -1, false, 0},       // first from the top
        {"Cel", 0, false, 2},        // starts after item 0
        {"Cel", 2, false, 0},        // wraps around
        {"cel", 3, false, 0},        // letter case ignored
        {"", 1, false, 2},           // empty prefix: the next item
        {"Zeiss", -1, false, -1},
        {"meade 10", -1, true, 1},
        {"Meade", -1, true, -1},     // exact means the whole text
        {"Dob", 3, true, 3},         // the start item is tried last
    };
    for (const auto& c : cases) {
        int got = c.exact ? box.FindExactString(c.text, c.start) : box.FindString(c.text, c.start);
        EXPECT_EQ(got, c.expected) << c.text << " from " << c.start;
    }
    EXPECT_EQ(box.FindItemData(9), 3);
    EXPECT_EQ(box.FindItemData(4), -1);
    EXPECT_EQ(box.GetItemData(1), 7);
    EXPECT_EQ(box.GetItemData(10), -1);
    EXPECT_EQ(box.GetSelIndex(), -1);
    EXPECT_EQ(box.SetSelIndex(1), 1);
    EXPECT_EQ(box.GetSelString(), "Meade 10");
    EXPECT_EQ(box.SetSelIndex(-1), 0);
    EXPECT_EQ(box.GetSelIndex(), -1);
    EXPECT_EQ(box.DeleteString(0), 3);
    EXPECT_EQ(box.GetItemData(0), 7); // data moves with its item
    EXPECT_EQ(box.DeleteString(5), -1);
}

TEST(GuiListBox, SearchesSelectionAndItemData)
{
    fw::ListBox list;
    CheckSearches(list);
}

TEST(GuiComboBox, SearchesSelectionAndItemData)
{
    fw::ComboBox combo(nullptr, true, 20);
    CheckSearches(combo);
}

TEST(GuiListBox, SortedBoxesKeepDataWithTheirItems)
{
    fw::ListBox list(nullptr, true);
    Fill(list, {{"Gamma", 9}, {"alpha", 3}, {"Beta", 4}, {"Alpha", 5}});
    std::vector<std::string> texts;
    std::vector<long> data;
    for (int i = 0; i < list.GetCount(); ++i) {
        texts.push_back(list.GetString(i));
        data.push_back(list.GetItemData(i));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"alpha", "Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(data, (std::vector<long>{3, 5, 4, 9}));

    fw::ComboBox combo(nullptr, false, 0, true);
    Fill(combo, {{"Vul", 87}, {"And", 0}});
    EXPECT_EQ(combo.GetString(0), "And");
    EXPECT_EQ(combo.GetItemData(1), 87);
    // InsertString never sorts.
    EXPECT_EQ(list.InsertString("Zeta", 0), 0);
    EXPECT_EQ(list.GetString(0), "Zeta");
    EXPECT_EQ(list.InsertString("x", 99), -1);
}

TEST(GuiListBox, MultipleSelectionAndCaret)
{
    fw::ListBox list(nullptr, false, fw::ListBox::Selection::Extended);
    for (int i = 0; i < 50; ++i) list.SetItemData(list.AddString("item " + std::to_string(i)), i);
    list.SetSelIndexes({5, 2, 40}, true);
    EXPECT_EQ(list.GetSelCount(), 3);
    EXPECT_EQ(list.GetSelIndexes(), (std::vector<int>{2, 5, 40}));
    list.SetSel(5, false);
    EXPECT_FALSE(list.GetSel(5));
    // Moving the caret leaves the selection alone.
    list.SetCaretIndex(30);
    EXPECT_EQ(list.GetCaretIndex(), 30);
    EXPECT_EQ(list.GetSelIndexes(), (std::vector<int>{2, 40}));
    list.SetSel(-1, true);
    EXPECT_EQ(list.GetSelCount(), 50);
    list.SetSel(-1, false);
    EXPECT_EQ(list.GetSelCount(), 0);

    // A single-selection box selects the caret item.
    fw::ListBox single;
    single.AddString("a");
    single.AddString("b");
    single.SetCaretIndex(1);
    EXPECT_EQ(single.GetSelIndex(), 1);
}

TEST(GuiComboBox, EditTextAndSelectionAreSeparate)
{
    fw::ComboBox combo(nullptr, true, 5);
    combo.SetText("Celestron");
    EXPECT_EQ(combo.GetText(), "Celes"); // the text limit holds
    combo.AddString("Dob");
    EXPECT_EQ(combo.GetText(), "Celes"); // adding keeps the edit text
    EXPECT_EQ(combo.GetSelIndex(), -1);
    combo.SetSelIndex(0);
    EXPECT_EQ(combo.GetText(), "Dob");

    fw::ComboBox list(nullptr, false);
    list.AddString("One");
    list.AddString("Two");
    EXPECT_EQ(list.GetSelIndex(), -1); // a list-only box starts with nothing selected
    list.SetText("two");
    EXPECT_EQ(list.GetSelIndex(), 1);
}

TEST(GuiGauge, ValueClampedAndCaptionFormatted)
{
    fw::Gauge gauge(nullptr, "%d%%");
    gauge.SetValue(42);
    EXPECT_EQ(gauge.Text(), "42%");
    gauge.SetValue(150);
    EXPECT_EQ(gauge.GetValue(), 100);
    gauge.SetValue(-3);
    EXPECT_EQ(gauge.GetValue(), 0);
    gauge.SetCaption("Step %d of 100");
    gauge.SetValue(7);
    EXPECT_EQ(gauge.Text(), "Step 7 of 100");
}

} // namespace
