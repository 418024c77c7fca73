// Base of the panes of the planner view (text pane, altitude pane, chart pane): a window that
// is also its own settings record (the pane's five colours in every scheme), draws itself as
// a rounded frame with a caption strip, works out from its place in the parent which of its
// sides face other panes, and offers a pop-up menu for its colours, its settings and the
// switch between the normal layout and a full-pane view.
#pragma once

#include "framework/gui/Window.h"
#include "ui/DropConfig.h"
#include "ui/RectLabel.h"

#include <string>

namespace fw { class PopupMenu; }

// Commands of the pane and its menu.
constexpr int CM_PANELLABELCOLOR = 126;
constexpr int CM_PANELTEXTCOLOR = 127;
constexpr int CM_PANELOUTLINECOLOR = 130;
constexpr int CM_EXTERIORPANELCOLOR = 131;
constexpr int CM_INTERIORPANELCOLOR = 148;
constexpr int CM_PANESETTINGS = 150;
constexpr int CM_TOGGLEFULLPANE = 19145;
// Posted to the planner view by a pane: lay the panes out normally again, or give the pane
// that switched to its full-pane state the whole area.
constexpr int CM_NORMALPANES = 19146;
constexpr int CM_CHARTFULLPANE = 19147;
constexpr int CM_TEXTFULLPANE = 19148;
constexpr int CM_ALTITUDEFULLPANE = 19149;

class DropWindowPane : public DropConfig, public fw::Window {
public:
    // The title is both the window caption and the instance name of the pane's record.
    DropWindowPane(QWidget* parent, const std::string& title);
    // Keeps the pane's colours in the store.
    ~DropWindowPane() override;

    // Copies the five slots of every scheme from the colour schemes into the record, then
    // into the store.
    int Store(bool writeFileNow = false) override;
    // Takes the stored record (or keeps the defaults) and gives its colours to the colour
    // schemes; the planner view calls it right after creating the pane.
    int Load() override;

    // The menu's settings item; nothing in the base.
    virtual void ShowSettings() {}
    // Flips the full-pane state; leaving it asks the parent to lay its panes out normally.
    virtual void ToggleFullPane();

    void SetPaneCaption(const std::string& text);
    // Draws the frame and caption into a rectangle (device units) of a printer page; content,
    // when given, receives the area inside the frame.
    void PrintFrame(fw::DC& dc, const fw::Rect& rect, fw::Rect* content = nullptr);
    void AppendPaneMenu(fw::PopupMenu& menu);
    void ShowPaneMenu(const fw::Point& point);

    // The colour slots of the five roles (exterior, label, interior, text, outline).
    void SetColorSlots(int exterior, int label, int interior, int text, int outline);
    int ColorSlot(int role) const { return frame.colorSlots[role]; }

    int FrameStyle() const { return frameStyle; }
    int StripHeight() const { return stripHeight; }
    int SideMargin() const { return sideMargin; }
    fw::Rect InnerRect() const { return innerRect; }
    bool IsFullPane() const { return fullPane; }
    const std::string& SettingsText() const { return settingsText; }

    // Strip height on the printer; the planner view sets it for each page cell.
    int printStripHeight = 0;

    // True while a pane prints its frame: no pane paints on screen then.
    static bool PrintingFrame() { return printingFrame; }

protected:
    void SetupWindow() override;
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvSize(const fw::Size& size) override;
    void EvLButtonDown(unsigned keys, const fw::Point& p) override;
    void EvRButtonDown(unsigned keys, const fw::Point& p) override;

    // Lets the user change the colour of one role; see the source for the steps.
    void ColorCommand(int role);

    RectLabel frame;
    int frameStyle = 0;
    int stripHeight = 0;
    int sideMargin = 0;
    fw::Rect innerRect;
    std::string settingsText = "Pane Settings";
    bool fullPane = false;

private:
    static bool printingFrame;
};
