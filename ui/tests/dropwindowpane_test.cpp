// The pane base: layout in its parent, the pane menu and its commands, the colour commands,
// the pane's colours in the store, and its drawing on screen, through the recording DC, in
// every colour scheme and on a printer.
#include "framework/gui/Bitmap.h"
#include "framework/gui/ColorChooser.h"
#include "framework/gui/ControlHost.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/PainterDC.h"
#include "framework/gui/PopupMenu.h"
#include "framework/gui/RecordingDC.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/Configuration.h"
#include "ui/DropWindowPane.h"
#include "ui/RScolor.h"
#include "framework/testsupport/Snapshot.h"

#include <QApplication>
#include <QPrinter>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A pane as the planner view's panes derive from the base, counting what reaches it.
class TestPane : public DropWindowPane {
public:
    using DropWindowPane::DropWindowPane;
    void ShowSettings() override { ++settingsShown; }
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override
    {
        ++paints;
        DropWindowPane::Paint(dc, erase, rect);
    }
    void PaintInto(fw::DC& dc) { Paint(dc, true, GetClientRect()); }
    void Resized() { EvSize(fw::Size(width(), height())); }
    void Place(const fw::Rect& r)
    {
        setGeometry(r.ToQt());
        Resized();
    }
    int settingsShown = 0;
    int paints = 0;
};

// The planner view's stand-in: the panes' parent, counting the commands posted to it.
class TestParent : public fw::Window {
public:
    TestParent()
    {
        resize(900, 600);
        for (int id : {19146, 19147, 131}) OnCommand(id, [this, id] { ++received[id]; });
    }
    std::map<int, int> received;
};

class ChooseColorAnswer {
public:
    ChooseColorAnswer(bool ok, RGBColor color)
        : responder_([this, ok, color](QColor& c, fw::CustomColors&) {
              ++count;
              if (ok) c = fw::ColorFromRef(color);
              return ok;
          })
    {
    }
    int count = 0;

private:
    fw::Responder<fw::ColorChooserSeam> responder_;
};

} // namespace

TEST(DropWindowPane, LaysOutFromItsPlaceInTheParent)
{
    TestParent parent;
    TestPane left(&parent, "TextWin"), middle(&parent, "TimeAlt"), right(&parent, "ChartWin");
    left.Place(fw::Rect(0, 0, 300, 600));
    middle.Place(fw::Rect(300, 0, 600, 600));
    right.Place(fw::Rect(600, 0, 900, 600));
    EXPECT_EQ(left.FrameStyle(), 0);
    EXPECT_EQ(middle.FrameStyle(), 2);
    EXPECT_EQ(right.FrameStyle(), 1);
    EXPECT_EQ(left.StripHeight(), 36);  // 6% of the parent's height
    EXPECT_EQ(left.SideMargin(), 12);
    EXPECT_EQ(left.InnerRect(), fw::Rect(8, 44, 300 - 8 - 12 - 8, 592));

    parent.resize(500, 100);
    TestPane full(&parent, "Full");
    full.Place(fw::Rect(0, 0, 500, 100));
    EXPECT_EQ(full.FrameStyle(), 3);
    EXPECT_EQ(full.StripHeight(), 6);
    EXPECT_EQ(full.SideMargin(), 2);
    EXPECT_EQ(full.InnerRect(), fw::Rect(4, 8, 496, 96));  // m = 2, t = 2 also at the bottom
}

TEST(DropWindowPane, PaneMenuAndItsCommands)
{
    TestParent parent;
    TestPane pane(&parent, "TextWin");
    pane.Place(fw::Rect(0, 0, 900, 600));
    {
        fw::ScriptedMenus menus({19145, 19145, 150});
        pane.SimulateMouse(QEvent::MouseButtonPress, Qt::RightButton, fw::Point(50, 60));
        EXPECT_TRUE(pane.IsFullPane());
        pane.SimulateMouse(QEvent::MouseButtonPress, Qt::RightButton, fw::Point(50, 60));
        EXPECT_FALSE(pane.IsFullPane());
        pane.SimulateMouse(QEvent::MouseButtonPress, Qt::RightButton, fw::Point(50, 60));
        EXPECT_EQ(pane.settingsShown, 1);
        ASSERT_EQ(menus.Shown().size(), 3u);
        EXPECT_EQ(menus.Shown()[0].Describe(),
                  "Full Pane|-|Panel Label Color|Panel Text Color|Exterior Panel Color|Interior Panel Color|"
                  "Panel Label Outline Color|-|Pane Settings");
        EXPECT_EQ(menus.Shown()[1].Items()[0].text, "Normal Pane");
        EXPECT_EQ(menus.Shown()[2].Items()[0].text, "Full Pane");
    }
    // Leaving the full-pane state, and only that, asks the parent for its normal layout.
    QApplication::processEvents();
    EXPECT_EQ(parent.received[19146], 1);
    EXPECT_TRUE(pane.SendCommand(19145));
    QApplication::processEvents();
    EXPECT_EQ(parent.received[19146], 1);
    EXPECT_TRUE(pane.SendCommand(19145));
    QApplication::processEvents();
    EXPECT_EQ(parent.received[19146], 2);

    // Every colour command opens the colour dialog for its role's slot.
    ChooseColorAnswer cancel(false, 0);
    fw::ScriptedMessageBoxes boxes;
    for (int id : {126, 127, 131, 148, 130}) EXPECT_TRUE(pane.SendCommand(id)) << id;
    EXPECT_EQ(cancel.count, 5);
    EXPECT_EQ(boxes.Count(), 0);  // cancelled: no question
    EXPECT_TRUE(pane.SendCommand(150));
    EXPECT_EQ(pane.settingsShown, 2);

    // A left click goes on to the parent.
    class ClickParent : public fw::Window {
    public:
        fw::Point clicked{-1, -1};

    protected:
        void EvLButtonDown(unsigned, const fw::Point& p) override { clicked = p; }
    } clickParent;
    TestPane child(&clickParent, "Child");
    child.setGeometry(40, 30, 200, 100);
    child.SimulateMouse(QEvent::MouseButtonPress, Qt::LeftButton, fw::Point(5, 6));
    EXPECT_EQ(clickParent.clicked, fw::Point(45, 36));
}

TEST(DropWindowPane, ColourCommandsGiveTheColourToEveryPaneOnYes)
{
    RScolor& rs = RScolor::Instance();
    rs.SetScheme(SchemeNormal);
    const RGBColor chosen = HexRGB(0x13579B);
    TestParent parent;
    // The altitude pane's slots.
    TestPane altitude(&parent, "TimeAlt"), text(&parent, "TextWin");
    altitude.SetColorSlots(14, 11, 17, 12, 15);
    altitude.Place(fw::Rect(0, 0, 450, 600));
    text.Place(fw::Rect(450, 0, 900, 600));
    parent.show();
    QApplication::processEvents();

    struct Case {
        int command, answer;
        std::vector<int> changed;
    };
    const Case cases[] = {
        {126, fw::IDYES, {1, 6, 11}},
        {148, fw::IDYES, {3, 8, 13, 17, 35}},
        {127, fw::IDYES, {2, 7, 12}},
        {131, fw::IDYES, {4, 9, 14}},
        {130, fw::IDYES, {5, 10, 15}},
        {126, fw::IDNO, {11}},
        {148, fw::IDCANCEL, {17}},
    };
    for (const Case& c : cases) {
        RScolor before = rs;
        ChooseColorAnswer answer(true, chosen);
        fw::ScriptedMessageBoxes boxes({c.answer});
        altitude.paints = text.paints = 0;
        ASSERT_TRUE(altitude.SendCommand(c.command));
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Last().text, "Apply Color Changes to All Panes?");
        EXPECT_EQ(boxes.Last().style, fw::MB_YESNOCANCEL | fw::MB_ICONQUESTION);
        for (int slot = 0; slot < RScolor::kSlotCount; ++slot) {
            const bool changed = std::find(c.changed.begin(), c.changed.end(), slot) != c.changed.end();
            EXPECT_EQ(rs.GetColor(slot), changed ? chosen : before.GetColor(slot)) << c.command << " slot " << slot;
            EXPECT_EQ(rs.GetSchemeColor(slot, SchemeNightVision), before.GetSchemeColor(slot, SchemeNightVision));
        }
        EXPECT_EQ(rs.PaletteEntry(c.changed.back()), chosen);
        // Nothing reopens a colour dialog afterwards; on Yes every pane repaints, else only
        // the edited one.
        QApplication::processEvents();
        fw::PumpWaitingMessages();
        EXPECT_EQ(answer.count, 1) << c.command;
        EXPECT_EQ(parent.received[131], 0);
        EXPECT_GT(altitude.paints, 0) << c.command;
        if (c.answer == fw::IDYES)
            EXPECT_GT(text.paints, 0) << c.command;
        else
            EXPECT_EQ(text.paints, 0) << c.command;
        rs = before;
    }
}

TEST(DropWindowPane, KeepsItsColoursInTheStore)
{
    RScolor& rs = RScolor::Instance();
    testsupport::TempDir dir;
    auto store = std::make_unique<Configuration>(dir.file("STLMCNFG.RSX"));
    AppGlobals.config = store.get();
    {
        // No record yet: the defaults go to the colour schemes all the same.
        TestPane chart(nullptr, "ChartWin");
        chart.SetColorSlots(9, 6, 35, 7, 10);
        EXPECT_EQ(chart.Load(), 0);
        EXPECT_EQ(rs.GetSchemeColor(6, SchemeNormal), HexRGB(0xFFB3B3));
        EXPECT_EQ(rs.GetSchemeColor(35, SchemeNightVision), HexRGB(0x000000));
        EXPECT_EQ(rs.GetSchemeColor(7, SchemeDefault), HexRGB(0x00FFFF));
        EXPECT_EQ(rs.GetSchemeColor(10, SchemeDefault), HexRGB(0xC0C0C0));
        rs.SetSchemeColor(6, SchemeColorPrinter, HexRGB(0x224466));
    }  // stored when destroyed
    rs = RScolor();
    {
        TestPane chart(nullptr, "ChartWin");
        chart.SetColorSlots(9, 6, 35, 7, 10);
        EXPECT_EQ(chart.Load(), 1);
        EXPECT_EQ(rs.GetSchemeColor(6, SchemeColorPrinter), HexRGB(0x224466));
        EXPECT_EQ(chart.SchemeColor(SchemeColorPrinter, RectLabel::Label), HexRGB(0x224466));
    }
    store.reset();
    AppGlobals.config = nullptr;
    Configuration reread(dir.file("STLMCNFG.RSX"));
    DropConfig record("ChartWin");
    ASSERT_EQ(reread.Load(record), 1);
    EXPECT_EQ(record.SchemeColor(SchemeColorPrinter, RectLabel::Label), HexRGB(0x224466));
}

TEST(DropWindowPane, DrawsItsFrameInEverySchemeAndNotWhilePrinting)
{
    RScolor& rs = RScolor::Instance();
    TestParent parent;
    parent.resize(960, 400);
    TestPane textPane(&parent, "TextWin"), altitude(&parent, "TimeAlt"), chart(&parent, "ChartWin");
    altitude.SetColorSlots(14, 11, 17, 12, 15);
    chart.SetColorSlots(9, 6, 35, 7, 10);
    for (TestPane* p : {&textPane, &altitude, &chart}) p->Load();
    textPane.SetPaneCaption("Text - NGC 7331 = C 30");
    altitude.SetPaneCaption("Altitude - 2026 Dec 10");
    chart.SetPaneCaption("Chart - NGC 7331 = C 30 - Pegasus");
    textPane.Place(fw::Rect(0, 0, 320, 400));
    altitude.Place(fw::Rect(320, 0, 640, 400));
    chart.Place(fw::Rect(640, 0, 960, 400));
    parent.show();
    QApplication::processEvents();

    const char* names[] = {"normal", "nightvision", "monoprinter", "colorprinter", "default"};
    for (int scheme = 0; scheme < 5; ++scheme) {
        rs.SetScheme(scheme);
        const QImage shot = parent.grab().toImage();
        testsupport::SaveSnapshot(shot, std::string("pane-") + std::to_string(scheme) + "-" + names[scheme] + ".png");
        // The exterior outside the middle pane's rounded corner, the caption label of the left
        // pane (no rounded corner on that side) and the interior in the middle of each pane.
        EXPECT_EQ(shot.pixelColor(321, 1), fw::ColorFromRef(rs.GetColor(14))) << scheme;
        EXPECT_EQ(shot.pixelColor(1, 1), fw::ColorFromRef(rs.GetColor(1))) << scheme;
        EXPECT_EQ(shot.pixelColor(160, 300), fw::ColorFromRef(rs.GetColor(3))) << scheme;
        EXPECT_EQ(shot.pixelColor(480, 300), fw::ColorFromRef(rs.GetColor(17))) << scheme;
        EXPECT_EQ(shot.pixelColor(800, 300), fw::ColorFromRef(rs.GetColor(35))) << scheme;
    }

    // Through the recording DC: the chart pane at the right edge shows its top-left corner.
    rs.SetScheme(SchemeNightVision);
    fw::RecordingDC dc(fw::Size(320, 400));
    chart.PaintInto(dc);
    ASSERT_EQ(dc.Count("RoundRect"), 2);
    EXPECT_EQ(dc.CallsOf("RoundRect")[0].args, (std::vector<int>{0, 0, 640, 800, 48, 48}));  // right pane
    EXPECT_EQ(dc.CallsOf("RoundRect")[0].brush.color, QColor(0x80, 0, 0));
    EXPECT_EQ(dc.CallsOf("RoundRect")[1].brush.color, QColor(0, 0, 0));
    ASSERT_EQ(dc.Count("TextOut"), 1);
    EXPECT_EQ(dc.CallsOf("TextOut")[0].textColor, QColor(0xFF, 0, 0));
    // 12 units a character, room 320 - 4 x 24 for 18 characters: cut before the last '-',
    // still too wide, then before the last '='.
    EXPECT_EQ(dc.CallsOf("TextOut")[0].text, "Chart - NGC 7331 ");

    // Nothing is painted on screen while a printout runs.
    PrintingCount = 1;
    fw::RecordingDC quiet(fw::Size(320, 400));
    chart.PaintInto(quiet);
    PrintingCount = 0;
    EXPECT_TRUE(quiet.Calls().empty());
}

TEST(DropWindowPane, PrintsItsFrameInAPrinterScheme)
{
    RScolor& rs = RScolor::Instance();
    rs.SetScheme(SchemeNightVision);
    testsupport::TempDir dir;
    TestPane pane(nullptr, "TextWin");
    pane.SetCaption("Printed pane");
    pane.printStripHeight = 40;
    pane.Place(fw::Rect(0, 0, 300, 300));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.file("page.pdf")));
    {
        fw::PainterDC dc(&printer);
        pane.PrintFrame(dc, fw::Rect(100, 100, 1100, 800));
        EXPECT_FALSE(DropWindowPane::PrintingFrame());
    }
    // A printer with colour printing off prints in the monochrome printer scheme, which stays.
    EXPECT_EQ(rs.Scheme(), SchemeMonoPrinter);
    rs.colorPrinting = true;
    rs.SetScheme(SchemeNormal);
    {
        fw::PainterDC dc(&printer);
        pane.PrintFrame(dc, fw::Rect(100, 100, 1100, 800));
    }
    EXPECT_EQ(rs.Scheme(), SchemeColorPrinter);

    // Printing into a page bitmap draws inside the given rectangle only.
    fw::Bitmap page(600, 400);
    page.Fill(QColor(0, 255, 0));
    {
        fw::PainterDC dc(page);
        pane.PrintFrame(dc, fw::Rect(50, 50, 450, 350));
    }
    testsupport::SaveSnapshot(page.Image(), "pane-printed.png");
    EXPECT_EQ(page.PixelAt(49, 200), QColor(0, 255, 0));
    EXPECT_EQ(page.PixelAt(450, 200), QColor(0, 255, 0));
    EXPECT_EQ(page.PixelAt(250, 250), fw::ColorFromRef(rs.GetColor(3)));
}
