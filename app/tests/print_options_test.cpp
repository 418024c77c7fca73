// The print formats' cell layouts and the Print Options dialog driven by control id.
#include "app/PrintFormatWindow.h"
#include "app/PrintOptionsDlg.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/ComboBox.h"
#include "framework/gui/ControlHost.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/Snapshot.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Cells = std::vector<fw::Rect>;

Cells CellsOf(int format)
{
    PrintFormatWindow::CellTable table;
    const int n = PrintFormatWindow::ComputeCells(fw::Rect(0, 0, 1000, 1400), format, table);
    Cells cells;
    for (int i = 1; i <= n; ++i) cells.push_back(PrintFormatWindow::GetCellRect(table, i));
    return cells;
}

bool Same(const Cells& a, const Cells& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].left != b[i].left || a[i].top != b[i].top || a[i].right != b[i].right || a[i].bottom != b[i].bottom)
            return false;
    return true;
}

TEST(PrintFormats, CellsOfEveryFormatOnAThousandByFourteenHundredPage)
{
    // g = 30 = m; inner 940 x 1340; divisions cut to whole units.
    const struct {
        int format;
        Cells cells;
    } cases[] = {
        {0, {}},
        {1, {{30, 30, 970, 1370}}},
        {2, {{30, 30, 485, 685}, {515, 30, 970, 685}, {30, 715, 485, 1370}, {515, 715, 970, 1370}}},
        {3, {{30, 30, 323, 685}, {353, 30, 646, 685}, {676, 30, 969, 685},
             {30, 715, 323, 1370}, {353, 715, 646, 1370}, {676, 715, 969, 1370}}},
        {4, {{30, 30, 970, 685}}},
        {5, {{30, 30, 970, 685}, {30, 715, 970, 1370}}},
        {6, {{30, 30, 970, 456}, {30, 486, 970, 912}, {30, 942, 970, 1368}}},
        {7, {{30, 30, 485, 342}, {515, 30, 970, 342}, {30, 372, 485, 684}, {515, 372, 970, 684},
             {30, 714, 485, 1026}, {515, 714, 970, 1026}, {30, 1056, 485, 1368}, {515, 1056, 970, 1368}}},
        {8, {{30, 30, 970, 1340}}},
        {9, {{30, 30, 970, 1370}}},
        {10, {}},
    };
    for (const auto& c : cases) EXPECT_TRUE(Same(CellsOf(c.format), c.cells)) << "format " << c.format;

    PrintFormatWindow::CellTable table;
    PrintFormatWindow::ComputeCells(fw::Rect(0, 0, 1000, 1400), 2, table);
    for (int n : {0, 5, 17, -1}) {
        const fw::Rect r = PrintFormatWindow::GetCellRect(table, n);
        EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == 1 && r.bottom == 1) << n;
    }
    for (int f = 0; f < kPrintFormatCount; ++f)
        EXPECT_EQ(PrintFormatWindow::IsLandscape(f), f == 1 || f == 2 || f == 3 || f == 9) << f;
}

std::vector<int> Stepped(PrintOptionsDlg& dlg, int id, int times)
{
    std::vector<int> seen{dlg.format};
    for (int i = 0; i < times; ++i) {
        dlg.PressButton(id);
        seen.push_back(dlg.format);
    }
    return seen;
}

TEST(PrintOptions, SourcesFormatsAndTheirButtons)
{
    PrintOptionsDlg dlg(nullptr);
    dlg.EnsureSetUp();
    auto* box = dlg.ControlAs<fw::ComboBox>(PrintOptionsDlg::kSourceId);
    ASSERT_EQ(box->GetCount(), 5);
    EXPECT_EQ(box->GetString(0), "All Filtered Objects");
    EXPECT_EQ(dlg.source, PrintSourceCurrentObject) << "the current object first";
    EXPECT_EQ(dlg.format, 1) << "the first offered format";
    EXPECT_EQ(dlg.ControlText(PrintOptionsDlg::kFormatTextId), "Landscape graphics at one object per page");
    EXPECT_FALSE(dlg.Control(PrintOptionsDlg::kPrevId)->isEnabled());
    EXPECT_EQ(Stepped(dlg, PrintOptionsDlg::kNextId, 9), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 9}));
    EXPECT_FALSE(dlg.Control(PrintOptionsDlg::kNextId)->isEnabled());
    EXPECT_TRUE(dlg.Control(PrintOptionsDlg::kPrevId)->isEnabled());
    EXPECT_EQ(dlg.Miniature()->Format(), 9);

    // The log allows only the two text formats.
    box->SetSelIndex(box->FindItemData(PrintSourceLog));
    dlg.SendNotify(PrintOptionsDlg::kSourceId, fw::CBN_SELCHANGE);
    EXPECT_EQ(dlg.OfferedFormats(), (std::vector<int>{8, 9}));
    EXPECT_EQ(dlg.format, 8);
    EXPECT_EQ(Stepped(dlg, PrintOptionsDlg::kNextId, 2), (std::vector<int>{8, 9, 9}));
    EXPECT_EQ(Stepped(dlg, PrintOptionsDlg::kPrevId, 2), (std::vector<int>{9, 8, 8}));

    // A device with one format left for the source: both buttons off.
    PrintOptionsDlg one(nullptr);
    one.deviceFormats = 1u << 8;
    one.offeredSources = 1u << PrintSourceLog | 1u << PrintSourceCurrentLogEntry;
    one.EnsureSetUp();
    EXPECT_EQ(one.source, PrintSourceCurrentLogEntry);
    EXPECT_EQ(one.format, 8);
    EXPECT_FALSE(one.Control(PrintOptionsDlg::kPrevId)->isEnabled());
    EXPECT_FALSE(one.Control(PrintOptionsDlg::kNextId)->isEnabled());
}

TEST(PrintOptions, ColourOnlyOnAColourPrinterAndRecordedByOk)
{
    PrintOptionsDlg mono(nullptr);
    mono.EnsureSetUp();
    EXPECT_FALSE(mono.Control(PrintOptionsDlg::kColorId)->isEnabled());

    PrintOptionsDlg colour(nullptr);
    colour.colorCapable = true;
    colour.offeredSources = 1u << PrintSourceFiltered | 1u << PrintSourceObservingList;
    colour.EnsureSetUp();
    EXPECT_EQ(colour.source, PrintSourceFiltered) << "neither current object nor log entry offered";
    colour.CheckButton(PrintOptionsDlg::kColorId, fw::BF_CHECKED);
    colour.PressButton(fw::IDOK);
    EXPECT_TRUE(colour.color);
    testsupport::SaveDialogSnapshot(colour, "print_options.png");
}

TEST(PrintOptions, MiniatureDrawsThePageAndItsCells)
{
    PrintFormatWindow window;
    window.resize(200, 160);
    window.SetFormat(2); // landscape, four cells
    fw::Bitmap picture(200, 160);
    window.RenderTo(picture);
    EXPECT_EQ(picture.PixelAt(2, 2), QColor(0, 0, 200)) << "the background";
    EXPECT_EQ(picture.PixelAt(100, 80), QColor(255, 255, 255)) << "the page between the cells";
    testsupport::SaveSnapshot(picture.Image(), "print_format_2.png");
}

} // namespace
