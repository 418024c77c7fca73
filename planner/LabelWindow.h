// A data window of the text pane: one captioned value of the current object, drawn as a
// rounded caption box on the left and a rounded value box on the right in the colours of the
// window's colour group. Subclasses turn typed values (angles, times, codes, positions) into
// the value text and are settings records of their kind; the right-button menu offers the
// colours and, in some subclasses, units, formats and precision.
#pragma once

#include "framework/gui/Window.h"
#include "ui/ConfigInfo.h"

#include <string>

class LabelConfig;
namespace fw { class PopupMenu; }
namespace fw { class ResourceModule; }

// Colour commands of every data window.
constexpr int CM_LABELOUTLINECOLOR = 16502;
constexpr int CM_LABELTEXTCOLOR = 16503;
constexpr int CM_LABELBACKCOLOR = 16504;
constexpr int CM_DATATEXTCOLOR = 16505;
constexpr int CM_DATABACKCOLOR = 16506;
// Sent to a coordinate window by a partner window after the user changed one of its choices.
constexpr int CM_PARTNERCHOICECHANGED = 29100;

class LabelWindow : public fw::Window {
public:
    // Colour roles, in the order of the settings record and of the five slot numbers.
    enum Role { LabelBack = 0, LabelText = 1, DataBack = 2, DataText = 3, Outline = 4, kRoleCount = 5 };
    // Label widths with a meaning of their own: the caption over the whole window, and the
    // caption stacked over the value.
    static constexpr int kCaptionOnly = 100;
    static constexpr int kStacked = 200;
    // Colour groups hold six slots from slot 39 on; the last group ends below slot 207.
    static constexpr int kFirstGroupSlot = 39;
    static constexpr int kSlotLimit = 207;
    // Longest shrinking of the value font, in one-pixel steps.
    static constexpr int kMaxFontSteps = 200;

    explicit LabelWindow(QWidget* parent, const std::string& caption = {});
    ~LabelWindow() override;

    // Store a new caption or value; with repaint the window's text area is redrawn. The same
    // text again changes and repaints nothing.
    void SetTitle(const std::string& text, bool repaint = true);
    void SetText(const std::string& text, bool repaint = true);
    const std::string& Title() const { return caption_; }
    const std::string& Text() const { return value_; }
    // Percentage of the width given to the caption (0-99), kCaptionOnly or kStacked.
    int SetLabelWidth(int percent, bool repaint = true);
    int LabelWidth() const { return labelWidth_; }

    // Colour group from its first slot (39 + 6k): label back b, label text b+1, outline b+2,
    // data back b+3, data text b+4.
    void SetColorGroup(int firstSlot);
    int ColorSlot(int role) const { return slots_[role]; }

    // The window's settings record (its colours and its choices); null in the base.
    virtual LabelConfig* Settings() { return nullptr; }
    // Colours of the record into the window's slots of every scheme, and back.
    bool LoadColors();
    bool StoreColors();

    // Draws the window into a rectangle of another device (a printer cell).
    bool PaintToDC(fw::DC& dc, const fw::Rect& target);
    // The drawing itself, into the rectangle of any device.
    void Draw(fw::DC& dc, const fw::Rect& r);

    // Strings for the menus; without them the colour menu stays empty.
    void SetModule(const fw::ResourceModule* module) { module_ = module; }
    const fw::ResourceModule* Module() const { return module_; }

    // The colour menu at a client point; a negative x opens it at the window's own corner.
    void ShowMenu(const fw::Point& point);
    virtual void AppendColorMenu(fw::PopupMenu& menu);
    // Asks whether a colour change goes to every data window; Yes sets the colour at the slot
    // and every sixth slot after it.
    void ApplyColorsToAll(int firstSlot, RGBColor color);

    // What the last drawing found.
    bool CaptionDoesNotFit() const { return captionDoesNotFit_; }
    bool ValueFontReduced() const { return valueFontReduced_; }
    int ValueFontHeight() const { return valueFontHeight_; }
    // How often the window asked to be repainted (tests see needless repaints by it).
    int RepaintRequests() const { return repaintRequests_; }
    // Whether the window told the user that memory ran out for its off-screen bitmap.
    bool MemoryReported() const { return memoryReported_; }

protected:
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvSize(const fw::Size& size) override;
    void EvRButtonDown(unsigned keys, const fw::Point& p) override;
    // The right-button menu; subclasses with choices show their own.
    virtual void ShowRightButtonMenu(const fw::Point& p) { ShowMenu(p); }
    // Tells the coordinate window that owns this window (when one does) that a choice changed.
    void NotifyPartnerOwner();
    void RepaintText();

public:
    // The coordinate window that fills this window, or null.
    LabelWindow* partnerOwner = nullptr;

private:
    void ColorCommand(int role);
    // The font height for a text in a box: one unit smaller per step from the full height
    // until it fits, at most kMaxFontSteps steps and never below one unit.
    static int FittingHeight(fw::DC& dc, const std::string& text, int fullHeight, int room);

    std::string caption_;
    std::string value_;
    int labelWidth_ = 30;
    int slots_[kRoleCount] = {39, 40, 42, 43, 41};
    bool printing_ = false;
    bool captionDoesNotFit_ = false;
    bool valueFontReduced_ = false;
    int valueFontHeight_ = 0;
    int repaintRequests_ = 0;
    bool memoryReported_ = false;
    const fw::ResourceModule* module_ = nullptr;
};
