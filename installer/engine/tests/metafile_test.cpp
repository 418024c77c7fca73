// Windows metafiles: plain and placeable ones load and play their records into a rectangle,
// objects are made, selected and deleted by their table places, other records are stepped
// over, and damaged files are refused or end their picture safely.
#include "installer/engine/Metafile.h"

#include "framework/gui/Bitmap.h"
#include "framework/gui/RecordingDC.h"
#include "framework/sys/WinFileSystem.h"
#include "framework/testsupport/RootFixture.h"
#include "installer/engine/tests/PictureBytes.h"

using namespace kw;
using namespace std::string_literals;
using picturebytes::Wmf;

namespace {

enum : unsigned {
    kSetBkMode = 0x0102, kSetTextAlign = 0x012E, kSaveDc = 0x001E, kRestoreDc = 0x0127,
    kSelectObject = 0x012D, kDeleteObject = 0x01F0, kSetTextColor = 0x0209, kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C, kLineTo = 0x0213, kMoveTo = 0x0214, kCreatePen = 0x02FA, kCreateFont = 0x02FB,
    kCreateBrush = 0x02FC, kPolygon = 0x0324, kPolyline = 0x0325, kEllipse = 0x0418, kRectangle = 0x041B,
    kTextOut = 0x0521, kPolyPolygon = 0x0538, kCreateRegion = 0x06FF, kStretchDib = 0x0F43, kEscape = 0x0626,
};

std::string Face(const char* name)
{
    std::string f(name);
    f.resize(32, '\0');
    return f;
}

// A picture with every record the screen needs.
Wmf Sample()
{
    Wmf w;
    w.objects = 3;
    w.Record(kSetWindowOrg, {0, 0});
    w.Record(kSetWindowExt, {200, 100}); // y, x
    w.Record(kCreatePen, {0, 2, 0, 0x00FF, 0});          // solid, width 2, red -> place 0
    w.Record(kCreateBrush, {0, 0xFF00, 0, 0});           // solid green -> place 1
    w.Record(kSelectObject, {0});
    w.Record(kSelectObject, {1});
    w.Record(kMoveTo, {10, 5}); // y, x
    w.Record(kLineTo, {20, 30});
    w.Record(kPolyline, {3, 0, 0, 10, 0, 10, 10});
    w.Record(kPolygon, {3, 1, 1, 5, 1, 5, 5});
    w.Record(kPolyPolygon, {2, 3, 4, 0, 0, 1, 0, 1, 1, 2, 2, 3, 2, 3, 3, 2, 3});
    w.Record(kRectangle, {40, 30, 20, 10}); // bottom, right, top, left
    w.Record(kEllipse, {90, 80, 60, 50});
    w.Record(kStretchDib, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}); // stepped over
    w.Record(kEscape, {15, 0});                                // stepped over
    w.Record(kDeleteObject, {0});
    w.Record(kCreateFont, {-12, 0, 0, 0, 700, 1, 0, 0, 0}, Face("Arial")); // takes the freed place 0
    w.Record(kSelectObject, {0});
    w.Record(kSetTextColor, Wmf::Colour(0xFF0000));
    w.Record(kSetBkMode, {1});
    w.Record(kSetTextAlign, {6}); // centred
    w.Record(kTextOut, {5}, "Hello\0\x08\x00\x07\x00"s);
    return w;
}

TEST(Metafile, APlainMetafilePlaysItsRecordsInOrder)
{
    Metafile m;
    ASSERT_TRUE(m.LoadBytes(Sample().Plain()));
    EXPECT_FALSE(m.IsPlaceable());
    EXPECT_EQ(m.ObjectCount(), 3);
    fw::RecordingDC rec(fw::Size(400, 200));
    DrawContext dc(rec, 400, 200);
    const Metafile::PlayCount count = m.Play(dc, 0, 0, 400, 200);
    EXPECT_EQ(count.skipped, 2);
    EXPECT_EQ(count.played, 20);
    const std::vector<std::string> log = rec.Log();
    ASSERT_EQ(rec.Count("Line"), 1);
    EXPECT_EQ(rec.CallsOf("Line")[0].args, (std::vector<int>{5, 10, 30, 20}));
    EXPECT_EQ(rec.CallsOf("Line")[0].pen, fw::Pen(QColor(255, 0, 0), 2));
    ASSERT_EQ(rec.Count("Polyline"), 1);
    EXPECT_EQ(rec.Count("Polygon"), 3); // one, then the two of the poly-polygon
    EXPECT_EQ(rec.CallsOf("Polygon")[2].args, (std::vector<int>{2, 2, 3, 2, 3, 3, 2, 3}));
    ASSERT_EQ(rec.Count("Rectangle"), 1);
    EXPECT_EQ(rec.CallsOf("Rectangle")[0].args, (std::vector<int>{10, 20, 30, 40}));
    EXPECT_EQ(rec.CallsOf("Rectangle")[0].brush, fw::Brush(QColor(0, 255, 0)));
    EXPECT_EQ(rec.CallsOf("Ellipse")[0].args, (std::vector<int>{50, 60, 80, 90}));
    ASSERT_EQ(rec.Count("TextOut"), 1);
    const fw::DrawCall text = rec.CallsOf("TextOut")[0];
    EXPECT_EQ(text.text, "Hello");
    EXPECT_EQ(text.args[0], 7);
    EXPECT_EQ(text.args[1], 8);
    EXPECT_EQ(text.font.face, "Arial");
    EXPECT_EQ(text.font.height, -12);
    EXPECT_EQ(text.font.weight, 700);
    EXPECT_TRUE(text.font.italic);
    EXPECT_EQ(text.textColor, QColor(0, 0, 255));
    EXPECT_EQ(text.bkMode, fw::TRANSPARENT);
    EXPECT_EQ(text.textAlign, fw::TA_CENTER);
    // The context is as it was.
    EXPECT_EQ(rec.GetMapMode(), fw::MM_TEXT);
    EXPECT_EQ(rec.GetPen(), fw::Pen());
    EXPECT_EQ(rec.GetTextColor(), QColor(0, 0, 0));
}

TEST(Metafile, ThePictureFillsItsRectangle)
{
    Wmf w;
    w.objects = 1;
    w.Record(kCreateBrush, {0, 0x00FF, 0, 0}); // red
    w.Record(kSelectObject, {0});
    w.Record(kRectangle, {50, 50, 0, 0});
    auto draw = [](const std::string& bytes, int x, int y, int size) {
        Metafile m;
        EXPECT_TRUE(m.LoadBytes(bytes));
        fw::Bitmap bitmap(100, 100);
        bitmap.Fill(Qt::white);
        {
            fw::PainterDC pdc(bitmap);
            DrawContext dc(pdc, 100, 100);
            m.Play(dc, x, y, size, size);
        }
        return bitmap.Image();
    };
    // Placeable: its box (0, 0)-(100, 100) is the rectangle (20, 20) of 60; the square is its
    // top-left quarter.
    QImage placeable = draw(w.Placeable(0, 0, 100, 100), 20, 20, 60);
    EXPECT_EQ(placeable.pixelColor(35, 35), QColor(255, 0, 0));
    EXPECT_EQ(placeable.pixelColor(60, 60), QColor(255, 255, 255));
    EXPECT_EQ(placeable.pixelColor(10, 10), QColor(255, 255, 255));
    // Plain, without a window of its own: one unit per pixel from the rectangle's corner.
    QImage plain = draw(w.Plain(), 10, 10, 80);
    EXPECT_EQ(plain.pixelColor(40, 40), QColor(255, 0, 0));
    EXPECT_EQ(plain.pixelColor(70, 70), QColor(255, 255, 255));
}

TEST(Metafile, DamagedFilesAreRefusedOrEndTheirPicture)
{
    Wmf w;
    w.objects = 1;
    w.Record(kRectangle, {10, 10, 0, 0});
    const std::string good = w.Plain();
    struct Refused { const char* what; std::string bytes; } refused[] = {
        {"empty", ""},
        {"shorter than its header", good.substr(0, 17)},
        {"placeable key only", "\xD7\xCD\xC6\x9A"s},
        {"placeable header without a metafile", w.Placeable(0, 0, 10, 10).substr(0, 21)},
        {"placeable header and half a metafile header", w.Placeable(0, 0, 10, 10).substr(0, 30)},
        {"wrong type", "\x07\x00"s + good.substr(2)},
        {"wrong header size", good.substr(0, 2) + "\x0A\x00"s + good.substr(4)},
    };
    for (const Refused& r : refused) {
        Metafile m;
        EXPECT_FALSE(m.LoadBytes(r.bytes)) << r.what;
        EXPECT_FALSE(m.IsLoaded()) << r.what;
    }

    // Records that do not fit end the picture; those before them are drawn.
    struct Ending { const char* what; std::string bytes; int drawn; } endings[] = {
        {"a record longer than the file", w.Plain(false) + "\xFF\x00\x00\x00\x1B\x04"s, 1},
        {"a record shorter than its head", w.Plain(false) + "\x02\x00\x00\x00\x1B\x04"s, 1},
        {"a record cut short", good.substr(0, good.size() - 8), 0},
        {"no end record", w.Plain(false), 1},
    };
    for (const Ending& e : endings) {
        Metafile m;
        ASSERT_TRUE(m.LoadBytes(e.bytes)) << e.what;
        fw::RecordingDC rec;
        DrawContext dc(rec, 100, 100);
        m.Play(dc, 0, 0, 100, 100);
        EXPECT_EQ(rec.Count("Rectangle"), e.drawn) << e.what;
    }

    // Parameters missing from a record, objects beyond the table, restores without saves.
    Wmf odd;
    odd.objects = 1;
    odd.Record(kPolygon, {40, 0, 0});              // 40 points announced, one given
    odd.Record(kPolyPolygon, {3, 1});               // counts missing
    odd.Record(kTextOut, {200}, "abc");            // text longer than the record
    odd.Record(kCreateBrush, {0, 0xFF, 0, 0});
    odd.Record(kCreateBrush, {0, 0xFF00, 0, 0});    // no free place: not made
    odd.Record(kSelectObject, {7});
    odd.Record(kDeleteObject, {3});
    odd.Record(kCreateRegion, {0});
    odd.Record(kRestoreDc, {static_cast<int>(0xFFF0u)});
    odd.Record(kSaveDc, {});
    odd.Record(kSetWindowExt, {0, 0});
    odd.Record(kRectangle, {1, 1, 0, 0});
    Metafile m;
    ASSERT_TRUE(m.LoadBytes(odd.Plain()));
    fw::RecordingDC rec;
    DrawContext dc(rec, 100, 100);
    const Metafile::PlayCount count = m.Play(dc, 0, 0, 100, 100);
    EXPECT_EQ(rec.Count("Polygon"), 0);
    EXPECT_EQ(rec.Count("TextOut"), 0);
    EXPECT_EQ(rec.Count("Rectangle"), 1);
    EXPECT_EQ(count.played, 4); // the brush, the save, the window extent and the rectangle
    EXPECT_EQ(rec.GetMapMode(), fw::MM_TEXT);
}

class MetafileFiles : public RootFixture {};

TEST_F(MetafileFiles, LoadsFromTheMachine)
{
    Wmf w;
    w.Record(kRectangle, {10, 10, 0, 0});
    ASSERT_TRUE(Write("picture.wmf", w.Placeable(-5, -5, 5, 5)));
    Metafile m;
    ASSERT_TRUE(m.Load("c:\\PICTURE.WMF"));
    EXPECT_TRUE(m.IsPlaceable());
    EXPECT_EQ(m.Box(), fw::Rect(-5, -5, 5, 5));
    EXPECT_FALSE(m.Load("c:\\missing.wmf"));
    ASSERT_TRUE(Write("short.wmf", "\xD7\xCD\xC6\x9A\x00\x00"s));
    EXPECT_FALSE(m.Load("c:\\short.wmf"));
}

} // namespace
