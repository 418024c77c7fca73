#include "app/PrintFormatWindow.h"

#include "framework/gui/DC.h"

#include <algorithm>

namespace {

const char* const kSourceTexts[] = {"DEFAULT",
                                    "All Filtered Objects",
                                    "All Observing List Objects",
                                    "All Observing Log Objects",
                                    "Currently Displayed Object Window",
                                    "Currently Displayed Observing Log Entry",
                                    "Selected Filtered Object"};
const char* const kFormatTexts[kPrintFormatCount] = {
    "Default",
    "Landscape graphics at one object per page",
    "Landscape graphics at four objects per page",
    "Landscape graphics at six objects per page",
    "Portrait graphics at one object per page plus notes",
    "Portrait graphics at two objects per page",
    "Portrait graphics at three objects per page",
    "Portrait graphics at eight objects per page",
    "Print text in portrait format",
    "Print text in landscape format",
};

} // namespace

const char* PrintSourceText(int source)
{
    return source >= 0 && source <= PrintSourceSelectedFiltered ? kSourceTexts[source] : "";
}

const char* PrintFormatText(int format)
{
    return format >= 0 && format < kPrintFormatCount ? kFormatTexts[format] : "";
}

PrintFormatWindow::PrintFormatWindow(QWidget* parent) : fw::Window(parent) {}

int PrintFormatWindow::ComputeCells(const fw::Rect& page, int format, CellTable& table)
{
    const int L = page.left, T = page.top, R = page.right, B = page.bottom;
    const int W = page.Width(), H = page.Height();
    const double g = 0.03 * W;
    const int m = static_cast<int>(g);
    const int IW = W - 2 * m, IH = H - 2 * m;
    // Sums are formed as real numbers and cut to whole units before they are added.
    auto cut = [](double v) { return static_cast<int>(v); };
    table.count = 0;
    auto add = [&](int l, int t, int r, int b) { table.cells[static_cast<std::size_t>(table.count++)] = fw::Rect(l, t, r, b); };
    // A grid of equal cells: column and row k start at m + k (size + g).
    auto grid = [&](int columns, int rows, int w, int h) {
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column) {
                const int left = L + cut(m + column * (g + w));
                const int top = T + cut(m + row * (h + g));
                add(left, top, left + w, top + h);
            }
    };
    switch (format) {
    case 1:
    case 9: add(L + m, T + m, R - m, B - m); break;
    case 8: add(L + m, T + m, R - m, T + m + cut(IH - g)); break;
    case 4: add(L + m, T + m, R - m, T + m + cut((IH - g) / 2)); break;
    case 2: grid(2, 2, cut((IW - g) / 2), cut((IH - g) / 2)); break;
    case 3: grid(3, 2, cut((IW - 2 * g) / 3), cut((IH - g) / 2)); break;
    case 5: grid(1, 2, IW, cut((IH - g) / 2)); break;
    case 6: grid(1, 3, IW, cut((IH - 2 * g) / 3)); break;
    case 7: grid(2, 4, cut((IW - g) / 2), cut((IH - 3 * g) / 4)); break;
    default: break;
    }
    return table.count;
}

fw::Rect PrintFormatWindow::GetCellRect(const CellTable& table, int n)
{
    if (n < 1 || n > kMaxCells || n > table.count) return fw::Rect(0, 0, 1, 1);
    return table.cells[static_cast<std::size_t>(n - 1)];
}

void PrintFormatWindow::SetFormat(int format)
{
    format_ = format;
    Invalidate();
}

void PrintFormatWindow::Paint(fw::DC& dc, bool, const fw::Rect&)
{
    const fw::Rect client = GetClientRect();
    dc.FillRect(client, fw::Brush(QColor(0, 0, 200)));
    // The page at 90 % of the space, with the paper's proportions, centred.
    const bool landscape = IsLandscape(format_);
    const double aspect = landscape ? 1.0 / kPaperAspect : kPaperAspect; // width over height
    double w = client.Width() * 0.9, h = client.Height() * 0.9;
    if (w / h > aspect) w = h * aspect;
    else h = w / aspect;
    const int left = client.left + static_cast<int>((client.Width() - w) / 2);
    const int top = client.top + static_cast<int>((client.Height() - h) / 2);
    const fw::Rect page(left, top, left + static_cast<int>(w), top + static_cast<int>(h));
    const fw::Pen black(QColor(0, 0, 0));
    const fw::Pen oldPen = dc.SelectPen(black);
    const fw::Brush oldBrush = dc.SelectBrush(fw::Brush(QColor(255, 255, 255)));
    dc.Rectangle(page);

    CellTable table;
    ComputeCells(page, format_, table);
    dc.SelectBrush(fw::Brush::Hollow());
    for (int i = 1; i <= table.count; ++i) {
        const fw::Rect cell = GetCellRect(table, i);
        dc.Rectangle(cell);
        if (IsGraphicsFormat(format_)) {
            // The three panes: text on the left, altitude plot above the chart on the right.
            const int split = cell.left + static_cast<int>(cell.Width() * 0.45);
            const int third = cell.top + static_cast<int>(cell.Height() * 0.33);
            dc.Rectangle(fw::Rect(cell.left, cell.top, split, cell.bottom));
            dc.Rectangle(fw::Rect(split, cell.top, cell.right, third));
            dc.Rectangle(fw::Rect(split, third, cell.right, cell.bottom));
        } else {
            // Twenty short lines of text.
            const int inset = std::max(1, cell.Width() / 10);
            for (int line = 1; line <= 20; ++line) {
                const int y = cell.top + cell.Height() * line / 21;
                const int length = (line % 3 == 0 ? 5 : 8) * (cell.Width() - 2 * inset) / 8;
                dc.MoveTo(fw::Point(cell.left + inset, y));
                dc.LineTo(fw::Point(cell.left + inset + length, y));
            }
        }
    }
    dc.SelectBrush(oldBrush);
    dc.SelectPen(oldPen);
}
