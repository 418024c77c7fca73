// Menu descriptions: a menu bar as data (pop-ups of items with command ids), which the main
// window turns into its menu bar, and the merge of an MDI child's pop-ups into the frame's:
// a child pop-up replaces the frame's pop-up of the same text in place, the others go in
// before the frame's window pop-up.
#pragma once

#include <QString>

#include <string>
#include <vector>

namespace fw {

struct MenuItem {
    int id = 0;                  // command id; 0 for a separator or a sub-menu
    std::string text;            // "&Clocks\tF10": the accelerator's name after a tab
    std::vector<MenuItem> items; // a sub-menu's items

    static MenuItem Command(int id, std::string text) { return {id, std::move(text), {}}; }
    static MenuItem Separator() { return {}; }
    static MenuItem Popup(std::string text, std::vector<MenuItem> items)
    {
        return {0, std::move(text), std::move(items)};
    }
    bool IsSeparator() const { return id == 0 && text.empty(); }
    bool IsPopup() const { return id == 0 && !text.empty(); }
};

class MenuDescr {
public:
    MenuDescr() = default;
    explicit MenuDescr(std::vector<MenuItem> popups) : popups_(std::move(popups)) {}

    const std::vector<MenuItem>& Popups() const { return popups_; }
    std::vector<MenuItem>& Popups() { return popups_; }
    bool IsEmpty() const { return popups_.empty(); }
    // The item with the command id anywhere in the menu; null when none.
    const MenuItem* FindItem(int id) const;
    // The top-level pop-up texts, '|' between them ("&File|&Edit|...").
    std::string Describe() const;

    // The frame's menu with the child's pop-ups merged in. windowPopup is the text of the
    // frame's pop-up before which new pop-ups go (at the end when the frame has none).
    static MenuDescr Merge(const MenuDescr& frame, const MenuDescr& child,
                           const std::string& windowPopup = "&Window");

private:
    std::vector<MenuItem> popups_;
};

// The text of a menu item as Qt shows it: "&" before a letter marks that letter; an "&" before
// a space ("RA & DEC grid") marks nothing and is shown as itself.
QString MenuItemLabel(const std::string& text);

} // namespace fw
