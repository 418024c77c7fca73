// The colour schemes of every drawing: 207 colour slots held in five schemes (0 normal,
// 1 night vision, 2 monochrome printer, 3 colour printer, 4 default), pens and brushes by
// drawing element, three font records and the colour dialog for one slot. Windows keep only
// their slot numbers and copy their slots to and from their settings records.
//
// There is no palette device here: the palette is a plain table of the current scheme's
// colours, never realised, so a drawing colour is always the slot's RGB value.
#pragma once

#include "framework/gui/DC.h"
#include "ui/ConfigInfo.h"

#include <array>
#include <cstdint>
#include <string>

class QWidget;

// Colour scheme numbers, with the planner view's commands that choose them.
enum ColorScheme : std::int32_t {
    SchemeNormal = 0,
    SchemeNightVision = 1,
    SchemeMonoPrinter = 2,
    SchemeColorPrinter = 3,
    SchemeDefault = 4,
};

// One font record.
struct FontChar {
    std::string face = "Arial";
    std::int32_t height = 10;
    std::int32_t weight = 600;
    bool set = false;  // false while the record still holds its defaults
};

// A brush of a drawing element: solid, or a diagonal cross-hatch in the colour.
struct RSBrush {
    RGBColor color = 0;
    bool crossHatch = false;
    // The solid brush of the drawing layer (a cross-hatch is drawn by the caller).
    fw::Brush ToBrush() const { return fw::Brush(fw::ColorFromRef(color)); }
};

class RScolor {
public:
    static constexpr int kSlotCount = 207;
    static constexpr int kSchemeCount = 5;
    static constexpr int kCustomColorCount = 16;

    // The defaults of every slot, scheme 4 current and the palette built.
    RScolor();

    // The program's one colour object, made on first use before any window.
    static RScolor& Instance();

    // Sets the current scheme (0-4; anything else counts as 4) and rebuilds the palette.
    int SetScheme(int scheme);
    int Scheme() const { return scheme; }

    // Current scheme's colour of a slot; black outside 0-206.
    RGBColor GetColor(int slot) const;
    RGBColor BackgroundColor() const { return GetColor(0); }
    // Colour of a slot in a scheme (a scheme above 3 means 4); black outside 0-206.
    RGBColor GetSchemeColor(int slot, int scheme) const;
    // Sets a slot of a scheme; ignored outside 0-206. The palette is not rebuilt: the caller
    // calls BuildPalette after a batch.
    int SetSchemeColor(int slot, int scheme, RGBColor color);
    // Rebuilds the palette from the current scheme.
    void BuildPalette();
    RGBColor PaletteEntry(int slot) const;
    bool PaletteRealised() const { return paletteRealised; }
    // The colour to draw a slot with (the current scheme's colour).
    RGBColor GetDrawColor(int slot) const;

    // Pens and brushes by drawing element; black for an element outside the tables.
    fw::Pen GetPen(int element) const;
    RSBrush GetBrush(int element) const;

    // Font records 0-2. SetFont with onlyIfUnset changes a record only while it holds its
    // defaults; 0 for another index.
    int SetFont(int index, const std::string& face, int height, int weight, bool onlyIfUnset);
    // A font of the record's face, height and weight; no face, height 0 and weight 400 for
    // an index outside 0-2.
    fw::Font GetFont(int index) const;
    const FontChar& FontRecord(int index) const;

    // Adapts to a device before drawing: a printer switches to a printer scheme (monochrome
    // with fewer than 4 colours or while colour printing is off, else colour), any other
    // device keeps the scheme. The printer scheme stays after the drawing: the printing code
    // saves the scheme before it prints and restores it afterwards.
    void SelectPalette(fw::DC& dc);
    void SelectPaletteFor(bool printer, int deviceColors);
    // Nothing to undo without a palette device.
    void RestorePalette(fw::DC&) {}

    // Lets the user choose the colour of a slot of the current scheme with the colour dialog
    // (custom colours row of this object); on OK stores it, rebuilds the palette and gives
    // true; on cancel (or a slot outside 0-206) changes nothing and gives false.
    bool EditColor(int slot, QWidget* parent);

    // Colour printing, set by the print options.
    bool colorPrinting = false;
    // Width of the pens of elements 2 and 8.
    int penWidth = 2;
    std::array<RGBColor, kCustomColorCount> customColors{};

    // Lower-case hexadecimal digits of the colour number, without leading zeros.
    static std::string ColorToHex(RGBColor color);

private:
    static bool ValidSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

    std::array<std::array<RGBColor, kSlotCount>, kSchemeCount> colors{};
    std::array<RGBColor, kSlotCount> palette{};
    bool paletteRealised = false;
    std::int32_t scheme = SchemeDefault;
    std::array<FontChar, 3> fonts{};
};
