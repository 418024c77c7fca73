#include "ui/RScolor.h"

#include "framework/gui/PainterDC.h"
#include "framework/gui/ColorChooser.h"
#include "framework/stream/StateReset.h"

#include <QPrinter>

#include <cstdio>

namespace {

// Default colours (red-green-blue hex) of slots 0-44, schemes 0-4; slots 45-206 repeat slots 39-44.
const RGBColor kSlotDefaults[45][RScolor::kSchemeCount] = {
    /*  0 */ {0x000040, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000},
    /*  1 */ {0xB3D9FF, 0x800000, 0xC0C0C0, 0xFFFFFF, 0xC0C0C0},
    /*  2 */ {0x000040, 0x000000, 0x000000, 0x000000, 0x000000},
    /*  3 */ {0x000040, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000},
    /*  4 */ {0x000040, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000},
    /*  5 */ {0x000040, 0x000000, 0x000000, 0x000000, 0xFFFFFF},
    /*  6 */ {0xB3D9FF, 0x800000, 0xC0C0C0, 0xFFFFFF, 0xC0C0C0},
    /*  7 */ {0x000040, 0x000000, 0x000000, 0x000000, 0x000000},
    /*  8 */ {0x000040, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000},
    /*  9 */ {0x000040, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000},
    /* 10 */ {0x000040, 0x000000, 0x000000, 0x000000, 0xFFFFFF},
    /* 11 */ {0xB3D9FF, 0x800000, 0xC0C0C0, 0xFFFFFF, 0xC0C0C0},
    /* 12 */ {0x000040, 0x000000, 0x000000, 0x000000, 0x000000},
    /* 13 */ {0x000040, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000},
    /* 14 */ {0x000040, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000},
    /* 15 */ {0x000040, 0x000000, 0x000000, 0x000000, 0xFFFFFF},
    /* 16 */ {0xB3D9FF, 0xFF0000, 0x000000, 0x000000, 0x00FFFF},
    /* 17 */ {0x000040, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000},
    /* 18 */ {0x000000, 0xFF0000, 0x000000, 0x000000, 0x0000FF},
    /* 19 */ {0x000000, 0xFF0000, 0x000000, 0x000000, 0x0000FF},
    /* 20 */ {0xB3FFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x00FFFF},
    /* 21 */ {0x00329F, 0x800000, 0x000000, 0xC0C0C0, 0x400080},
    /* 22 */ {0x000040, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000},
    /* 23 */ {0x000000, 0xFF0000, 0x000000, 0x000000, 0xFF0000},
    /* 24 */ {0x000000, 0x000000, 0x000000, 0x000000, 0x000000},
    /* 25 */ {0x000000, 0x000000, 0x000000, 0x000000, 0x000000},
    /* 26 */ {0x000000, 0x000000, 0x000000, 0x000000, 0x000000},
    /* 27 */ {0x000000, 0x000000, 0x000000, 0x000000, 0x000000},
    /* 28 */ {0x000000, 0x800000, 0x000000, 0x0000FF, 0x00FF00},
    /* 29 */ {0x000000, 0x800000, 0x000000, 0x00FF00, 0x0000FF},
    /* 30 */ {0xB3FFFF, 0xFF0000, 0x000000, 0x000000, 0xFFFFFF},
    /* 31 */ {0xC0C0C0, 0x800000, 0x000000, 0x000000, 0xC0C0C0},
    /* 32 */ {0xFF0000, 0xFF0000, 0x000000, 0x0000FF, 0xFF0000},
    /* 33 */ {0xC0C0C0, 0x800000, 0x000000, 0x0000FF, 0xFFFF00},
    /* 34 */ {0x00FFFF, 0xFF0000, 0x000000, 0x000000, 0x00FFFF},
    /* 35 */ {0x000040, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000},
    /* 36 */ {0x000000, 0x000000, 0x000000, 0x000000, 0x000000},
    /* 37 */ {0x000000, 0x000000, 0x000000, 0x000000, 0x000000},
    /* 38 */ {0x000000, 0x000000, 0x000000, 0x000000, 0x000000},
    /* 39 */ {0xFFD6B3, 0x800000, 0xFFFFFF, 0xFFFFFF, 0xC0C0C0},
    /* 40 */ {0x000040, 0x000000, 0x000000, 0x000000, 0x000000},
    /* 41 */ {0x000040, 0x000000, 0x000000, 0x000000, 0x000000},
    /* 42 */ {0x000040, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000},
    /* 43 */ {0xFFFFFF, 0xFF0000, 0x000000, 0x000000, 0x00FFFF},
    /* 44 */ {0x000040, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000},
};

const RGBColor kCustomDefaults[RScolor::kCustomColorCount] = {
    0xFFD6B3, 0xFF99FF, 0xFFFF99, 0xFF99CC, 0x400080, 0x000040, 0xB3FFFF, 0x00329F,
    0xFFB3B3, 0xB3D9FF, 0xB3B3FF, 0xC7FFD9, 0xFFFFB3, 0x00329F, 0x00FFFF, 0x800080,
};

// Slot of each pen element; elements 2 and 8 take the pen width.
const int kPenSlots[10] = {19, 18, 23, 41, 44, 28, 29, 31, 32, 33};
// Slot of each brush element.
const int kBrushSlots[8] = {1, 39, 42, 20, 22, 21, 0, 30};

int SchemeIndex(int scheme) { return (scheme >= 0 && scheme <= 3) ? scheme : SchemeDefault; }

} // namespace

RScolor::RScolor()
{
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int source = slot < 45 ? slot : 39 + (slot - 39) % 6;
        for (int s = 0; s < kSchemeCount; ++s) colors[std::size_t(s)][std::size_t(slot)] = HexRGB(kSlotDefaults[source][s]);
    }
    for (int i = 0; i < kCustomColorCount; ++i) customColors[std::size_t(i)] = HexRGB(kCustomDefaults[i]);
    BuildPalette();
}

RScolor& RScolor::Instance()
{
    static RScolor colorsOfTheProgram;
    return colorsOfTheProgram;
}

namespace {
const fw::StateReset resetColors{[] { RScolor::Instance() = RScolor(); }};
} // namespace

int RScolor::SetScheme(int newScheme)
{
    scheme = SchemeIndex(newScheme);
    BuildPalette();
    return 1;
}

RGBColor RScolor::GetColor(int slot) const { return GetSchemeColor(slot, scheme); }

RGBColor RScolor::GetSchemeColor(int slot, int s) const
{
    if (!ValidSlot(slot)) return 0;
    return colors[std::size_t(SchemeIndex(s))][std::size_t(slot)];
}

int RScolor::SetSchemeColor(int slot, int s, RGBColor color)
{
    if (!ValidSlot(slot)) return 0;
    colors[std::size_t(SchemeIndex(s))][std::size_t(slot)] = color;
    return 1;
}

void RScolor::BuildPalette()
{
    palette = colors[std::size_t(scheme)];
}

RGBColor RScolor::PaletteEntry(int slot) const { return ValidSlot(slot) ? palette[std::size_t(slot)] : 0; }

RGBColor RScolor::GetDrawColor(int slot) const { return GetColor(slot); }

fw::Pen RScolor::GetPen(int element) const
{
    if (element < 0 || element > 9) return fw::Pen(QColor(0, 0, 0), 1);
    const int width = (element == 2 || element == 8) ? penWidth : 1;
    return fw::Pen(fw::ColorFromRef(GetDrawColor(kPenSlots[element])), width);
}

RSBrush RScolor::GetBrush(int element) const
{
    if (element < 0 || element > 7) return RSBrush{0, false};
    return RSBrush{GetDrawColor(kBrushSlots[element]), element == 5 && scheme == SchemeMonoPrinter};
}

int RScolor::SetFont(int index, const std::string& face, int height, int weight, bool onlyIfUnset)
{
    if (index < 0 || index > 2) return 0;
    FontChar& font = fonts[std::size_t(index)];
    if (!onlyIfUnset || !font.set) {
        font.face = face;
        font.height = height;
        font.weight = weight;
        font.set = true;
    }
    return 1;
}

fw::Font RScolor::GetFont(int index) const
{
    if (index < 0 || index > 2) return fw::Font("", 0, 400);
    const FontChar& font = fonts[std::size_t(index)];
    return fw::Font(font.face, font.height, font.weight);
}

const FontChar& RScolor::FontRecord(int index) const
{
    static const FontChar none{"", 0, 400, false};
    if (index < 0 || index > 2) return none;
    return fonts[std::size_t(index)];
}

void RScolor::SelectPalette(fw::DC& dc)
{
    bool printer = false;
    int deviceColors = 1 << 24;
    if (auto* painterDC = dynamic_cast<fw::PainterDC*>(&dc)) {
        QPaintDevice* device = painterDC->Painter().device();
        if (device && device->devType() == QInternal::Printer) {
            printer = true;
            auto* qprinter = dynamic_cast<QPrinter*>(device);
            if (qprinter && qprinter->colorMode() == QPrinter::GrayScale) deviceColors = 2;
        }
    }
    SelectPaletteFor(printer, deviceColors);
}

void RScolor::SelectPaletteFor(bool printer, int deviceColors)
{
    if (!printer) return;
    const int wanted = (deviceColors >= 4 && colorPrinting) ? SchemeColorPrinter : SchemeMonoPrinter;
    if (wanted != scheme) SetScheme(wanted);
}

bool RScolor::EditColor(int slot, QWidget* parent)
{
    if (!ValidSlot(slot)) return false;
    QColor color = fw::ColorFromRef(GetColor(slot));
    fw::CustomColors custom;
    for (std::size_t i = 0; i < custom.size(); ++i) custom[i] = fw::ColorFromRef(customColors[i]);
    // Cancel discards the changes to the custom row with the rest.
    if (!fw::ChooseColor(parent, color, &custom)) return false;
    for (std::size_t i = 0; i < custom.size(); ++i) customColors[i] = fw::ColorToRef(custom[i]);
    SetSchemeColor(slot, scheme, fw::ColorToRef(color));
    BuildPalette();
    return true;
}

std::string RScolor::ColorToHex(RGBColor color)
{
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(color));
    return text;
}
