// The framed caption of a pane: a rounded frame in the caption label colour with a caption
// strip along its top, an inner rounded area in the interior colour, and the caption text,
// drawn through a device context on the screen or into a rectangle of a printer page.
#pragma once

#include "framework/gui/Geometry.h"

#include <functional>
#include <string>

namespace fw { class DC; }

class RectLabel {
public:
    // Colour slots, in the order exterior, caption label, interior, caption text, outline.
    enum Role { Exterior = 0, Label = 1, Interior = 2, Text = 3, Outline = 4 };
    static constexpr int kRoleCount = 5;

    RectLabel() = default;

    // Draws the frame into the area (0, 0, size) of the device context. frameStyle 0-3 says
    // which sides face other panes (0 the pane touches only the left edge of its parent, 1
    // only the right, 2 neither or both, 3 it fills the parent). content receives the area
    // left inside the frame, in device units. Returns 1.
    int Paint(fw::DC& dc, fw::Size size, const std::string& caption, int frameStyle, int stripHeight,
              fw::Rect* content = nullptr);
    // Draws the frame into a rectangle of a printer page (device units); the rest of the page
    // is left alone. Returns 1.
    int PrintPaint(fw::DC& dc, const fw::Rect& deviceRect, const std::string& caption, int frameStyle, int stripHeight,
                   fw::Rect* content = nullptr);

    // Frame style of a pane from the parent's client rectangle and the pane's rectangle in it.
    static int FrameStyleOf(const fw::Rect& parentClient, const fw::Rect& pane);
    // The area inside the frame for a style, strip height and client size.
    static fw::Rect InnerRect(int frameStyle, int stripHeight, fw::Size client);
    // The caption cut to fit the room: before its last '-', then its last '=', its first
    // '-' and its first '=', each step only while the text is still too wide.
    static std::string FitCaption(const std::string& caption, int room,
                                  const std::function<int(const std::string&)>& width);

    bool printing = false;
    fw::Rect rect;
    int colorSlots[kRoleCount] = {4, 1, 3, 2, 5};
    int sixth = 1;

private:
    void Draw(fw::DC& dc, fw::Size size, const std::string& caption, int frameStyle, int stripHeight, fw::Rect* content);
};
