// Numeric helpers, inclusive rectangles, the four-corner gradient and picture variants.
#include "framework/gui/Bitmap.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/testsupport/RootFixture.h"
#include "installer/support/BitmapRef.h"
#include "installer/support/Drawing.h"
#include "framework/testsupport/Snapshot.h"

#include <QLabel>

#include <cstdlib>

using namespace kw;

namespace {

using Rect = kw::Rect;

TEST(Drawing, NumericHelpers)
{
    struct ModCase {
        int a, b, r;
    } mods[] = {{-1, 360, 359}, {725, 360, 5}, {-720, 360, 0}, {7, 0, 0}, {-7, -3, 2}};
    for (const ModCase& c : mods) EXPECT_EQ(Modulo(c.a, c.b), c.r) << c.a << " " << c.b;
    struct RoundCase {
        double x;
        int r;
    } rounds[] = {{2.5, 3}, {2.49, 2}, {-0.4, 0}, {-1.5, -1}, {-2.6, -2}};
    for (const RoundCase& c : rounds) EXPECT_EQ(RoundToInt(c.x), c.r) << c.x;
    EXPECT_EQ(MulDiv(5, 8, 16), 3);   // 2.5 rounds away from zero
    EXPECT_EQ(MulDiv(-5, 8, 16), -3);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000); // no overflow
    EXPECT_EQ(Distance(0, 0, 3, 4), 5);
    EXPECT_EQ(Clamp(300, 0, 255), 255);
    EXPECT_TRUE(InRange(1.0, 1.0, 2.0));
}

TEST(Drawing, InclusiveRectangles)
{
    Rect r(10, 20, 5, 8);
    r.Normalise();
    EXPECT_EQ(r, Rect(5, 8, 10, 20));
    EXPECT_EQ(r.Width(), 6);
    fw::Rect device = r.ToDevice();
    EXPECT_EQ(device.right, 11);
    EXPECT_EQ(Rect::FromDevice(device), r);
    Rect out;
    EXPECT_TRUE(Rect::Intersect(r, Rect(10, 20, 30, 30), out));
    EXPECT_EQ(out, Rect(10, 20, 10, 20)); // one shared pixel
    EXPECT_FALSE(Rect::Intersect(r, Rect(11, 0, 30, 30), out));
}

TEST(Drawing, GradientValues)
{
    // value = MulDiv(b-a, x, w) + MulDiv(c-a, y, h) + a + MulDiv(MulDiv(a+d-b-c, x, w), y, h)
    struct Case {
        int a, b, c, d, x, y, w, h, value;
    } cases[] = {
        {10, 20, 30, 45, 8, 8, 16, 16, 27}, // 5 + 10 + 10 + MulDiv(MulDiv(5, 8, 16) = 3, 8, 16) = 2
        {0, 100, 100, 0, 8, 8, 16, 16, 50}, // 50 + 50 + 0 - 50
        {0, 255, 0, 255, 16, 0, 16, 16, 255},
        {200, 255, 255, 255, 16, 16, 16, 16, 255},
        {0, 0, 255, 255, 0, 8, 16, 16, 128},
        {50, 50, 50, 50, 3, 9, 16, 16, 50},
        {0, 255, 255, 0, 0, 0, 16, 16, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GradientValue(c.a, c.b, c.c, c.d, c.x, c.y, c.w, c.h), c.value)
            << c.a << " " << c.b << " " << c.c << " " << c.d << " at " << c.x << "," << c.y;
    const uint32_t corners[4] = {Rgb(10, 0, 0), Rgb(20, 0, 0), Rgb(30, 0, 0), Rgb(45, 0, 255)};
    EXPECT_EQ(GradientColour(corners, 8, 8, 16, 16), Rgb(27, 0, 64));
}

TEST(Drawing, GradientFillsCellsWithTheColourAtTheirCentre)
{
    QLabel window;
    window.resize(64, 32);
    {
        const uint32_t same[4] = {Rgb(1, 2, 3), Rgb(1, 2, 3), Rgb(1, 2, 3), Rgb(1, 2, 3)};
        DrawContext dc(&window);
        FillGradient(dc, Rect(0, 0, 63, 31), same, 8, 8);
        for (int y : {0, 15, 31})
            for (int x : {0, 33, 63}) EXPECT_EQ(dc.MemoryBitmap()->PixelAt(x, y), QColor(1, 2, 3));
    }
    fw::Bitmap bitmap(64, 32);
    bitmap.Fill(Qt::black);
    {
        fw::PainterDC painter(bitmap);
        DrawContext dc(painter, 64, 32);
        const uint32_t corners[4] = {Rgb(0, 0, 0), Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(255, 255, 0)};
        // Rectangle from (4, 4) to (35, 19): cells on the grid anchored at 0, cut at the edges.
        FillGradient(dc, Rect(4, 4, 35, 19), corners, 8, 8);
    }
    EXPECT_EQ(bitmap.PixelAt(3, 10), QColor(0, 0, 0)) << "outside the rectangle";
    // The cell (0,0)-(7,7) has its centre at (4, 4), i.e. (0, 0) inside the rectangle.
    EXPECT_EQ(bitmap.PixelAt(4, 4), QColor(0, 0, 0));
    EXPECT_EQ(bitmap.PixelAt(7, 7), QColor(0, 0, 0));
    // The cell (8,8)-(15,15): centre (12, 12), i.e. (8, 8) of a 32 × 16 rectangle.
    QColor mid(GradientValue(0, 255, 0, 255, 8, 8, 32, 16), GradientValue(0, 0, 255, 255, 8, 8, 32, 16), 0);
    EXPECT_EQ(bitmap.PixelAt(8, 8), mid);
    EXPECT_EQ(bitmap.PixelAt(15, 15), mid);
    EXPECT_EQ(bitmap.PixelAt(36, 10), QColor(0, 0, 0)) << "outside the rectangle";
}

TEST(Drawing, GradientWindowForAPerson)
{
    QLabel window;
    window.resize(480, 300);
    {
        DrawContext dc(&window);
        const uint32_t corners[4] = {Rgb(0, 0, 96), Rgb(0, 64, 160), Rgb(0, 0, 16), Rgb(120, 40, 90)};
        FillGradient(dc, Rect(0, 0, 479, 299), corners, 4, 4);
        EXPECT_EQ(dc.MemoryBitmap()->PixelAt(1, 1), ToQColor(GradientColour(corners, 2, 2, 480, 300)));
    }
    testsupport::SaveSnapshot(window, "kw_gradient.png");
}

class Pictures : public RootFixture {};

TEST_F(Pictures, VariantForTheScreenDepth)
{
    fw::WinFileSystem::CreateDirectory("C:\\PIX");
    ASSERT_TRUE(Write("PIX/logo.bmp", "b"));
    BitmapRef ref;
    ref.kind = BitmapRef::kWith256And64k;
    ref.path.SetText("C:\\PIX\\logo.bmp");
    auto resolve = [&](int depth) {
        ScreenInfo s{800, 600, depth};
        ScreenInfo::SetForTest(&s);
        PathBuffer out;
        EXPECT_TRUE(ref.ResolvePath(out));
        ScreenInfo::SetForTest(nullptr);
        return std::string(out.Text());
    };
    EXPECT_EQ(resolve(16), "C:\\PIX\\logo.bmp");
    ASSERT_TRUE(Write("PIX/logo256.bmp", "b"));
    EXPECT_EQ(resolve(16), "C:\\PIX\\logo256.bmp");
    EXPECT_EQ(resolve(4), "C:\\PIX\\logo.bmp");
    EXPECT_EQ(resolve(24), "C:\\PIX\\logo256.bmp");
    ASSERT_TRUE(Write("PIX/logo64k.bmp", "b"));
    EXPECT_EQ(resolve(24), "C:\\PIX\\logo64k.bmp");
    ref.kind = BitmapRef::kWith256;
    EXPECT_EQ(resolve(24), "C:\\PIX\\logo256.bmp");
    ref.kind = BitmapRef::kPlain;
    EXPECT_EQ(resolve(24), "C:\\PIX\\logo.bmp");
}

} // namespace
