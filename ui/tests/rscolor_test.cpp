// Colour schemes: slot defaults, scheme switching, pens and brushes by element, fonts, the
// printer switch and the colour dialog.
#include "framework/gui/ColorChooser.h"
#include "ui/RScolor.h"

#include <gtest/gtest.h>

namespace {
constexpr RGBColor kEditedCustom = 0x00123456;

// Answers every colour dialog while it lives: OK with a colour, or Cancel; counts the dialogs
// and keeps the colour the last one started at. Each dialog also edits the first custom colour.
class ScriptedColorChooser {
public:
    explicit ScriptedColorChooser(bool ok = false, RGBColor answer = 0)
        : responder_([this, ok, answer](QColor& color, fw::CustomColors& custom) {
              ++count_;
              lastStart_ = fw::ColorToRef(color);
              custom[0] = fw::ColorFromRef(kEditedCustom);
              if (ok) color = fw::ColorFromRef(answer);
              return ok;
          })
    {
    }
    int Count() const { return count_; }
    RGBColor LastStart() const { return lastStart_; }

private:
    int count_ = 0;
    RGBColor lastStart_ = 0;
    fw::Responder<fw::ColorChooserSeam> responder_;
};
} // namespace

TEST(RScolor, SlotDefaultsAndSchemes)
{
    RScolor c;
    EXPECT_EQ(c.Scheme(), SchemeDefault);
    struct Case {
        int slot, scheme;
        RGBColor color;
    };
    const Case cases[] = {
        {0, 0, 0x000040},  {1, 0, 0xB3D9FF},  {5, 4, 0xFFFFFF},  {6, 1, 0x800000},  {15, 4, 0xFFFFFF},
        {21, 3, 0xC0C0C0}, {28, 3, 0x0000FF}, {33, 4, 0xFFFF00}, {39, 0, 0xFFD6B3}, {44, 2, 0xFFFFFF},
        // the data-window groups repeat slots 39-44
        {45, 0, 0xFFD6B3}, {49, 1, 0xFF0000}, {206, 2, 0xFFFFFF}, {205, 4, 0x00FFFF},
        // outside the slots: black; a scheme above 3 is the default scheme
        {207, 0, 0}, {-1, 4, 0}, {43, 9, 0x00FFFF},
    };
    for (const Case& k : cases) EXPECT_EQ(c.GetSchemeColor(k.slot, k.scheme), HexRGB(k.color)) << k.slot << "/" << k.scheme;

    // Edits of one scheme survive a switch to another and back.
    c.SetScheme(SchemeNormal);
    c.SetSchemeColor(30, SchemeNormal, HexRGB(0x123456));
    EXPECT_EQ(c.GetColor(30), HexRGB(0x123456));
    EXPECT_EQ(c.PaletteEntry(30), HexRGB(0xB3FFFF));  // rebuilt only on request
    c.BuildPalette();
    EXPECT_EQ(c.PaletteEntry(30), HexRGB(0x123456));
    c.SetScheme(SchemeNightVision);
    EXPECT_EQ(c.GetColor(30), HexRGB(0xFF0000));
    EXPECT_EQ(c.BackgroundColor(), HexRGB(0x000000));
    EXPECT_EQ(c.PaletteEntry(30), HexRGB(0xFF0000));
    c.SetScheme(SchemeNormal);
    EXPECT_EQ(c.GetDrawColor(30), HexRGB(0x123456));
    EXPECT_FALSE(c.PaletteRealised());
    EXPECT_EQ(c.SetSchemeColor(207, 0, 1), 0);
}

TEST(RScolor, PensAndBrushesByElement)
{
    RScolor c;
    c.SetScheme(SchemeNormal);
    c.penWidth = 5;
    const int penSlots[] = {19, 18, 23, 41, 44, 28, 29, 31, 32, 33};
    for (int e = 0; e < 10; ++e) {
        fw::Pen pen = c.GetPen(e);
        EXPECT_EQ(pen.color, fw::ColorFromRef(c.GetColor(penSlots[e]))) << e;
        EXPECT_EQ(pen.width, (e == 2 || e == 8) ? 5 : 1) << e;
    }
    EXPECT_EQ(c.GetPen(10).color, QColor(0, 0, 0));
    EXPECT_EQ(c.GetPen(-1).width, 1);
    const int brushSlots[] = {1, 39, 42, 20, 22, 21, 0, 30};
    for (int e = 0; e < 8; ++e) {
        EXPECT_EQ(c.GetBrush(e).color, c.GetColor(brushSlots[e])) << e;
        EXPECT_FALSE(c.GetBrush(e).crossHatch);
    }
    EXPECT_EQ(c.GetBrush(8).color, 0u);
    // Twilight on the monochrome printer is cross-hatched.
    c.SetScheme(SchemeMonoPrinter);
    EXPECT_TRUE(c.GetBrush(5).crossHatch);
    EXPECT_FALSE(c.GetBrush(4).crossHatch);
}

TEST(RScolor, PrinterSchemeSwitch)
{
    struct Case {
        bool printer;
        int colors;
        bool colorPrinting;
        int scheme;
    };
    const Case cases[] = {
        {false, 1 << 24, true, SchemeNightVision}, {true, 2, true, SchemeMonoPrinter},
        {true, 256, false, SchemeMonoPrinter},     {true, 256, true, SchemeColorPrinter},
    };
    for (const Case& k : cases) {
        RScolor c;
        c.SetScheme(SchemeNightVision);
        c.colorPrinting = k.colorPrinting;
        c.SelectPaletteFor(k.printer, k.colors);
        EXPECT_EQ(c.Scheme(), k.scheme);
        EXPECT_EQ(c.PaletteEntry(0), c.GetColor(0));
    }
}

TEST(RScolor, FontsAndHex)
{
    RScolor c;
    EXPECT_EQ(c.GetFont(1), fw::Font("Arial", 10, 600));
    EXPECT_EQ(c.SetFont(1, "Courier", 14, 400, true), 1);
    EXPECT_EQ(c.SetFont(1, "Times", 20, 700, true), 1);
    EXPECT_EQ(c.GetFont(1).face, "Courier");
    EXPECT_EQ(c.SetFont(1, "Times", 20, 700, false), 1);
    EXPECT_EQ(c.GetFont(1).height, 20);
    EXPECT_EQ(c.SetFont(3, "Times", 20, 700, false), 0);
    EXPECT_EQ(c.GetFont(3).face, "");
    EXPECT_EQ(c.GetFont(3).height, 0);
    EXPECT_EQ(c.GetFont(3).weight, 400);
    EXPECT_EQ(RScolor::ColorToHex(HexRGB(0x00FF00)), "ff00");
    EXPECT_EQ(RScolor::ColorToHex(HexRGB(0xFF0000)), "ff");  // red is the low byte
    EXPECT_EQ(RScolor::ColorToHex(0), "0");
    EXPECT_EQ(RScolor::ColorToHex(HexRGB(0xB3D9FF)), "ffd9b3");
}

TEST(RScolor, EditColorThroughTheColourDialog)
{
    RScolor c;
    c.SetScheme(SchemeNormal);
    {
        ScriptedColorChooser cancel;
        EXPECT_FALSE(c.EditColor(28, nullptr));
        EXPECT_EQ(cancel.Count(), 1);
        EXPECT_EQ(cancel.LastStart(), c.GetColor(28));
        EXPECT_EQ(c.GetColor(28), HexRGB(0x000000));
        EXPECT_EQ(c.Scheme(), SchemeNormal);
        EXPECT_EQ(c.customColors[0], HexRGB(0xFFD6B3)) << "Cancel discards the edited custom colours";
    }
    {
        ScriptedColorChooser ok(true, HexRGB(0x00FF80));
        EXPECT_TRUE(c.EditColor(28, nullptr));
        EXPECT_EQ(c.GetColor(28), HexRGB(0x00FF80));
        EXPECT_EQ(c.PaletteEntry(28), HexRGB(0x00FF80));
        EXPECT_EQ(c.GetSchemeColor(28, SchemeNightVision), HexRGB(0x800000));  // other schemes keep theirs
        EXPECT_FALSE(c.EditColor(207, nullptr));
        EXPECT_EQ(ok.Count(), 1);
        EXPECT_EQ(c.customColors[0], kEditedCustom) << "OK keeps them";
    }
    // The rest of the custom colours row keeps its defaults.
    EXPECT_EQ(c.customColors[15], HexRGB(0x800080));
}
