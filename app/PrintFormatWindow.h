// The cell layouts of the ten print formats, and a miniature page that shows the chosen one
// in the print options dialog.
#pragma once

#include "framework/gui/Window.h"

#include <array>

// Print sources and formats, by code.
enum PrintSource {
    PrintSourceDefault = 0,
    PrintSourceFiltered = 1,
    PrintSourceObservingList = 2,
    PrintSourceLog = 3,
    PrintSourceCurrentObject = 4,
    PrintSourceCurrentLogEntry = 5,
    PrintSourceSelectedFiltered = 6,
};
constexpr int kPrintFormatCount = 10;
// Formats 1-7 draw the planner's panes, 8 and 9 print text.
inline bool IsGraphicsFormat(int format) { return format >= 1 && format <= 7; }
inline bool IsTextFormat(int format) { return format == 8 || format == 9; }

// The source's and the format's names as the dialog and the printout's title show them.
const char* PrintSourceText(int source);
const char* PrintFormatText(int format);

class PrintFormatWindow : public fw::Window {
public:
    static constexpr int kMaxCells = 16;
    struct CellTable {
        int count = 0;
        std::array<fw::Rect, kMaxCells> cells{};
    };
    // The paper's short side over its long side.
    static constexpr double kPaperAspect = 0.7728;

    explicit PrintFormatWindow(QWidget* parent = nullptr);

    // Fills the table with the format's cells in the page rectangle, row by row from the top
    // left, and returns their count (0 for a format without cells).
    static int ComputeCells(const fw::Rect& page, int format, CellTable& table);
    // Cell n (1-16); (0, 0, 1, 1) when n is out of range or beyond the count.
    static fw::Rect GetCellRect(const CellTable& table, int n);
    static bool IsLandscape(int format) { return format == 1 || format == 2 || format == 3 || format == 9; }

    void SetFormat(int format);
    int Format() const { return format_; }

protected:
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;

private:
    int format_ = 0;
};
