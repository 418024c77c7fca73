// Device-independent bitmaps: row strides, colour tables, refused files, top-down rows, the
// sources a picture comes from, drawing at size, stretched, tiled and with a transparent colour.
#include "installer/engine/DibPicture.h"

#include "framework/gui/Bitmap.h"
#include "framework/sys/WinFileSystem.h"
#include "installer/support/tests/InstallerRootFixture.h"
#include "installer/engine/tests/PictureBytes.h"
#include "installer/support/FilePath.h"
#include "installer/support/LanguageLibrary.h"

#include <cstdlib>
#include <functional>

using namespace kw;
using picturebytes::Bmp;

namespace {

// Draws into a fresh white image of the size and answers it.
QImage Drawn(int w, int h, const std::function<void(DrawContext&)>& draw)
{
    fw::Bitmap bitmap(w, h);
    bitmap.Fill(QColor(255, 255, 255));
    {
        fw::PainterDC pdc(bitmap);
        DrawContext dc(pdc, w, h);
        draw(dc);
    }
    return bitmap.Image();
}

void Patch32(std::string& s, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) s[at + size_t(i)] = char((v >> (8 * i)) & 255);
}

uint32_t Rgb24(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

TEST(DibPicture, RowStridesAreWholeWordsForEveryWidthAndDepth)
{
    struct Known { int width, bits, stride; } known[] = {
        {1, 1, 4}, {32, 1, 4}, {33, 1, 8}, {7, 4, 4}, {8, 4, 4}, {9, 4, 8}, {3, 8, 4}, {4, 8, 4},
        {5, 8, 8}, {1, 24, 4}, {2, 24, 8}, {4, 24, 12}, {33, 24, 100},
    };
    for (const Known& k : known) EXPECT_EQ(DibPicture::StrideFor(k.width, k.bits), k.stride) << k.width << "x" << k.bits;

    // Every width and depth loads and reads back its last pixel of each row, which lies just
    // before the row's padding.
    for (int bits : {1, 4, 8, 24}) {
        for (int width = 1; width <= 33; ++width) {
            Bmp b;
            b.width = width;
            b.height = 3;
            b.bits = bits;
            b.pixel = [](int x, int y) -> uint32_t { return uint32_t((x * 7 + y * 5) % 2 ? 0xFFFFFF : 0); };
            if (bits < 24) {
                b.table = {0x000000, 0xFFFFFF};
                b.pixel = [](int x, int y) -> uint32_t { return uint32_t((x * 7 + y * 5) % 2); };
            }
            DibPicture p;
            ASSERT_TRUE(p.LoadBytes(b.Bytes())) << width << "x" << bits;
            EXPECT_EQ(p.Stride(), ((width * bits + 31) / 32) * 4);
            for (int y = 0; y < 3; ++y)
                for (int x : {0, width - 1})
                    EXPECT_EQ(p.PixelAt(x, y), (x * 7 + y * 5) % 2 ? 0xFFFFFFu : 0u) << width << "x" << bits;
        }
    }
}

TEST(DibPicture, ColourTablesAndPalettes)
{
    Bmp full; // 8 bits, no count given: the whole table of 256
    DibPicture p;
    ASSERT_TRUE(p.LoadBytes(full.Bytes()));
    EXPECT_EQ(p.ColourCount(), 256);
    EXPECT_EQ(p.ColourTable().size(), 256u);
    DibPalette palette;
    EXPECT_TRUE(p.BuildPalette(palette));
    ASSERT_EQ(palette.Entries().size(), 256u);
    EXPECT_EQ(palette.Entries()[5].red, 5);

    Bmp few; // 8 bits with three colours: the rest of the table is black
    few.used = 3;
    few.table = {0x102030, 0x405060, 0x708090};
    few.pixel = [](int x, int) -> uint32_t { return uint32_t(x); };
    ASSERT_TRUE(p.LoadBytes(few.Bytes()));
    EXPECT_EQ(p.ColourCount(), 3);
    EXPECT_EQ(p.ColourTable().size(), 256u);
    EXPECT_EQ(p.PixelAt(2, 0), 0x708090u);
    EXPECT_EQ(p.PixelAt(3, 0), 0u);
    ASSERT_TRUE(p.BuildPalette(palette));
    ASSERT_EQ(palette.Entries().size(), 3u);
    EXPECT_EQ(palette.Entries()[0].red, 0x10);
    EXPECT_EQ(palette.Entries()[0].green, 0x20);
    EXPECT_EQ(palette.Entries()[0].blue, 0x30);
    EXPECT_EQ(palette.Entries()[0].flags, 0);

    Bmp rgb; // 24 bits: no table and no palette, even with an optional table in the file
    rgb.bits = 24;
    rgb.used = 2;
    rgb.pixel = [](int x, int y) -> uint32_t { return uint32_t(0x010203 * (x + 1) + y); };
    ASSERT_TRUE(p.LoadBytes(rgb.Bytes()));
    EXPECT_EQ(p.ColourCount(), 0);
    EXPECT_TRUE(p.ColourTable().empty());
    EXPECT_EQ(p.PixelAt(1, 1), 0x020406u + 1);
    ASSERT_TRUE(p.BuildPalette(palette));
    EXPECT_TRUE(palette.IsEmpty());

    Bmp four; // 4 bits: a table of 16 but no palette
    four.bits = 4;
    ASSERT_TRUE(p.LoadBytes(four.Bytes()));
    EXPECT_EQ(p.ColourCount(), 16);
    ASSERT_TRUE(p.BuildPalette(palette));
    EXPECT_TRUE(palette.IsEmpty());
    fw::Bitmap surface(4, 4);
    fw::PainterDC pdc(surface);
    palette.Realize(pdc); // no palette devices: nothing happens
    palette.Restore();
}

TEST(DibPicture, DamagedOrUnsupportedFilesAreRefusedQuietly)
{
    struct Case {
        const char* what;
        std::function<void(Bmp&)> change;
        std::function<void(std::string&)> cut;
    } cases[] = {
        {"32 bits", [](Bmp& b) { b.bits = 32; }, nullptr},
        {"0 bits", [](Bmp& b) { b.bits = 0; b.tableEntries = 0; }, nullptr},
        {"2 bits", [](Bmp& b) { b.bits = 2; b.tableEntries = 4; }, nullptr},
        {"16 bits", [](Bmp& b) { b.bits = 16; b.tableEntries = 0; }, nullptr},
        {"compressed", [](Bmp& b) { b.compression = 1; }, nullptr},
        {"more colours than 8 bits hold", [](Bmp& b) { b.used = 257; b.tableEntries = 257; }, nullptr},
        {"more colours than 1 bit holds", [](Bmp& b) { b.bits = 1; b.used = 3; b.tableEntries = 3; }, nullptr},
        {"a colour count far beyond the file", [](Bmp& b) { b.bits = 24; b.used = 0x40000000; b.tableEntries = 0; }, nullptr},
        {"width 0", [](Bmp& b) { b.width = 0; }, nullptr},
        {"negative width", [](Bmp& b) { b.width = -4; }, nullptr},
        {"height 0", [](Bmp& b) { b.height = 0; }, nullptr},
        {"huge and short", nullptr, [](std::string& s) { Patch32(s, 18, 30000); Patch32(s, 22, 30000); }},
        {"more pixels than a picture may have", nullptr, [](std::string& s) { Patch32(s, 18, 20000); Patch32(s, 22, 20000); }},
        {"rows beyond the file", nullptr, [](std::string& s) { s.pop_back(); }},
        {"pixels placed beyond the file", [](Bmp& b) { b.offBits = 1 << 20; }, nullptr},
        {"the old short header", [](Bmp& b) { b.infoSize = 12; }, nullptr},
        {"a header longer than the file", nullptr, [](std::string& s) { Patch32(s, 14, 1 << 20); }},
        {"not a bitmap", nullptr, [](std::string& s) { s[0] = 'X'; }},
        {"header only", nullptr, [](std::string& s) { s.resize(53); }},
        {"table cut short", [](Bmp& b) { b.tableEntries = 10; b.used = 0; }, nullptr},
    };
    for (const Case& c : cases) {
        Bmp b;
        if (c.change) c.change(b);
        std::string bytes = b.Bytes();
        if (c.cut) c.cut(bytes);
        DibPicture p;
        ASSERT_TRUE(p.LoadBytes(Bmp().Bytes()));
        EXPECT_FALSE(p.LoadBytes(bytes)) << c.what;
        EXPECT_FALSE(p.IsLoaded()) << c.what;
        EXPECT_FALSE(p.HasBits()) << c.what;
        EXPECT_TRUE(p.Image().isNull()) << c.what;
    }
    EXPECT_FALSE(DibPicture().LoadBytes(""));
}

TEST(DibPicture, RowsStoredFromTheTopReadAsTheSamePicture)
{
    for (int bits : {1, 4, 8, 24}) {
        Bmp up, down;
        up.bits = down.bits = bits;
        up.width = down.width = 5;
        up.height = 3;
        down.height = -3;
        up.pixel = down.pixel = [](int x, int y) -> uint32_t { return uint32_t((x + 2 * y) % 2 ? 0xFFFFFF : 0); };
        DibPicture a, b;
        ASSERT_TRUE(a.LoadBytes(up.Bytes()));
        ASSERT_TRUE(b.LoadBytes(down.Bytes()));
        EXPECT_EQ(b.Height(), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(a.PixelAt(x, y), b.PixelAt(x, y)) << bits << " " << x << "," << y;
    }
    std::string lowest = Bmp().Bytes();
    Patch32(lowest, 22, 0x80000000u); // the lowest height there is
    EXPECT_FALSE(DibPicture().LoadBytes(lowest));
}

TEST(DibPicture, SizesWithoutBitsAndPixelsWhereTheFileHeaderPutsThem)
{
    Bmp b;
    b.width = 6;
    b.height = 5;
    DibPicture p;
    ASSERT_TRUE(p.LoadBytes(b.Bytes(), false));
    EXPECT_EQ(p.Width(), 6);
    EXPECT_EQ(p.Height(), 5);
    EXPECT_FALSE(p.HasBits());
    EXPECT_TRUE(p.Image().isNull());

    // A gap between the table and the pixels, as the file header says.
    std::string bytes = b.Bytes();
    const size_t pixels = 14 + 40 + 256 * 4;
    bytes.insert(pixels, 16, '\x7F');
    bytes[10] = char((pixels + 16) & 255);
    bytes[11] = char((pixels + 16) >> 8);
    ASSERT_TRUE(p.LoadBytes(bytes));
    EXPECT_EQ(p.PixelAt(2, 1), 0x050505u); // index 2 + 3 × 1 of a grey table
}

class DibPictureSources : public InstallerRootFixture {};

TEST_F(DibPictureSources, FilesOfTheMachineAndPicturesOfThePackage)
{
    Bmp b;
    ASSERT_TRUE(Write("SETUP/logo.bmp", b.Bytes()));
    DibPicture p;
    EXPECT_TRUE(p.LoadFile("C:\\SETUP\\LOGO.BMP"));
    EXPECT_EQ(p.Width(), 4);
    EXPECT_FALSE(p.LoadFile("C:\\SETUP\\missing.bmp"));
    EXPECT_FALSE(p.IsLoaded());

    PictureSource file;
    file.SetFile("C:\\SETUP\\logo.bmp");
    EXPECT_TRUE(p.Load(file));
    BitmapRef ref;
    ref.path.SetText("C:\\SETUP\\logo.bmp");
    EXPECT_TRUE(p.Load(ref));

    const char* dir = std::getenv("STELLUM_PROGRAM_DIR");
    ASSERT_TRUE(dir);
    ASSERT_TRUE(Write("SETUP/kwenu.dll", testsupport::ReadFileBytes(std::string(dir) + "/kwenu.dll")));
    ASSERT_TRUE(LanguageLibrary::Instance().LoadFile("C:\\SETUP\\kwenu.dll"));
    PictureSource resource;
    for (const char* name : {"BMEXITUP", "BMEXITDN", "BMHELPUP", "BMHELPDN", "BMMINZUP", "BMMINZDN"}) {
        resource.SetResource(name);
        ASSERT_TRUE(p.Load(resource)) << name;
        EXPECT_EQ(p.Width(), 63);
        EXPECT_EQ(p.Height(), 39);
    }
    resource.SetResource("NOSUCHPICTURE");
    EXPECT_FALSE(p.Load(resource));
}

TEST(DibPicture, DrawsAtItsSizeStretchedTiledAndWithATransparentColour)
{
    Bmp b; // 2 x 2: red, green / blue, black
    b.width = 2;
    b.height = 2;
    b.used = 4;
    b.table = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000};
    b.pixel = [](int x, int y) -> uint32_t { return uint32_t(x + 2 * y); };
    DibPicture p;
    ASSERT_TRUE(p.LoadBytes(b.Bytes()));

    QImage at = Drawn(6, 6, [&](DrawContext& dc) { p.Draw(dc, 3, 1); });
    EXPECT_EQ(Rgb24(at, 3, 1), 0xFF0000u);
    EXPECT_EQ(Rgb24(at, 4, 1), 0x00FF00u);
    EXPECT_EQ(Rgb24(at, 3, 2), 0x0000FFu);
    EXPECT_EQ(Rgb24(at, 4, 2), 0x000000u);
    EXPECT_EQ(Rgb24(at, 2, 1), 0xFFFFFFu);

    QImage stretched = Drawn(6, 6, [&](DrawContext& dc) { p.DrawInto(dc, Rect(0, 0, 3, 3)); });
    EXPECT_EQ(Rgb24(stretched, 1, 1), 0xFF0000u);
    EXPECT_EQ(Rgb24(stretched, 2, 0), 0x00FF00u);
    EXPECT_EQ(Rgb24(stretched, 3, 3), 0x000000u);
    EXPECT_EQ(Rgb24(stretched, 4, 4), 0xFFFFFFu);

    // Tiles from the area's corner (1, 1), drawn only inside the clip (2, 2)-(4, 4).
    QImage tiled = Drawn(6, 6, [&](DrawContext& dc) { p.DrawTiled(dc, Rect(1, 1, 5, 5), Rect(2, 2, 4, 4)); });
    EXPECT_EQ(Rgb24(tiled, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(Rgb24(tiled, 5, 5), 0xFFFFFFu);
    EXPECT_EQ(Rgb24(tiled, 2, 2), 0x000000u);
    EXPECT_EQ(Rgb24(tiled, 3, 3), 0xFF0000u);
    EXPECT_EQ(Rgb24(tiled, 4, 3), 0x00FF00u);
    EXPECT_EQ(Rgb24(tiled, 3, 4), 0x0000FFu);

    // A one-pixel picture over a large window.
    Bmp dot;
    dot.width = dot.height = 1;
    dot.bits = 24;
    dot.pixel = [](int, int) -> uint32_t { return 0x123456; };
    DibPicture one;
    ASSERT_TRUE(one.LoadBytes(dot.Bytes()));
    QImage large = Drawn(1600, 1200, [&](DrawContext& dc) { one.DrawTiled(dc, Rect(0, 0, 1599, 1199), Rect(0, 0, 1598, 1199)); });
    EXPECT_EQ(Rgb24(large, 0, 0), 0x123456u);
    EXPECT_EQ(Rgb24(large, 1598, 1199), 0x123456u);
    EXPECT_EQ(Rgb24(large, 1599, 1199), 0xFFFFFFu);

    p.SetTransparentPixel(1, 0); // green is left out
    QImage keyed = Drawn(6, 6, [&](DrawContext& dc) { p.Draw(dc, 0, 0); });
    EXPECT_EQ(Rgb24(keyed, 0, 0), 0xFF0000u);
    EXPECT_EQ(Rgb24(keyed, 1, 0), 0xFFFFFFu);
    p.SetTransparentPixel(9, 9); // outside: nothing is transparent
    EXPECT_FALSE(p.HasTransparentPixel());
    QImage plain = Drawn(6, 6, [&](DrawContext& dc) { p.Draw(dc, 0, 0); });
    EXPECT_EQ(Rgb24(plain, 1, 0), 0x00FF00u);
}

} // namespace
