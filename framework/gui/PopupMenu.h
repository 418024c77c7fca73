// Pop-up menus built from items with command ids. Before the menu shows, the owner's command
// enablers decide which items are enabled and checked; the chosen item's id is sent to the
// owner as a command. Tests install a responder that picks an item instead of a menu window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/gui/Geometry.h"
#include "framework/gui/Responder.h"

class QMenu;

namespace fw {

class ControlHost;

// Item flags.
constexpr unsigned MF_STRING = 0x000;
constexpr unsigned MF_GRAYED = 0x001;
constexpr unsigned MF_DISABLED = 0x002;
constexpr unsigned MF_CHECKED = 0x008;
constexpr unsigned MF_SEPARATOR = 0x800;

class PopupMenu {
public:
    struct Item {
        int id = 0; // 0 for separators and sub-menus
        std::string text;
        bool separator = false;
        bool enabled = true;
        bool checked = false;
        std::shared_ptr<PopupMenu> submenu;
    };

    void AppendItem(int id, const std::string& text, unsigned flags = MF_STRING);
    void AppendSeparator();
    // Adds a sub-menu under the text and returns it to be filled.
    PopupMenu& AppendPopup(const std::string& text);
    void EnableItem(int id, bool enable);
    void CheckItem(int id, bool check);
    const std::vector<Item>& Items() const { return items_; }
    // The item with the id anywhere in the menu or its sub-menus; null when none.
    const Item* FindItem(int id) const;
    // "Full Pane|-|Panel Label Color|..." of the top level ("-" a separator, ">" before a
    // sub-menu's text); tests compare menus with it.
    std::string Describe() const;

    // Applies the owner's enablers to every item with an enabler, then shows the menu at the
    // client point of the owner's window and sends the chosen id to the owner. Returns the
    // chosen id, 0 when the menu was dismissed or a disabled item was picked.
    int Track(ControlHost& owner, const Point& clientPoint);
    // Puts the items, as they stand, into a Qt menu (the window Track shows; snapshots).
    void FillQtMenu(QMenu& menu) const;
    // The items keep the states they were given: Track asks no enabler (a menu that offers
    // its commands whatever state the owner is in).
    void KeepItemStates() { keepStates_ = true; }

private:
    void ApplyEnablers(const ControlHost& owner);
    std::vector<Item> items_;
    bool keepStates_ = false;
};

// For tests: answers Track with the id it returns (0: dismissed) and sees the menu as it
// would show, enablers applied.
using PopupMenuSeam = ModalSeam<struct PopupMenuTag, int(const PopupMenu&)>;

class ScriptedMenus {
public:
    explicit ScriptedMenus(std::vector<int> choices = {});
    ScriptedMenus(const ScriptedMenus&) = delete;
    ScriptedMenus& operator=(const ScriptedMenus&) = delete;
    // Copies of the menus shown, enablers applied.
    const std::vector<PopupMenu>& Shown() const { return shown_; }

private:
    std::vector<int> choices_;
    std::size_t next_ = 0;
    std::vector<PopupMenu> shown_;
    Responder<PopupMenuSeam> responder_;
};

}  // namespace fw
