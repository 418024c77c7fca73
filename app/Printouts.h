// The planner's and the log's printouts: the planner's objects drawn into page cells (its
// panes for each object, the observing session shared out among them), the lists as lines of
// text with a copy in "prntxt.txt", and the observing log's report "OBSLOG.TXT" page by page.
#pragma once

#include "app/PrintFormatWindow.h"
#include "astro/JulianDate.h"
#include "catalog/Browser.h"
#include "catalog/ObjectId.h"
#include "framework/gui/Printer.h"
#include "obslog/LogPrintView.h"
#include "planner/PlannerPrintView.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

class NGC2000Indexes;

// Page metrics of the text printouts, in device units.
struct TextPageMetrics {
    int width = 0, height = 0;           // the page, its sides matching the orientation
    int dpiX = 0, dpiY = 0;              // exchanged with the sides when they were
    int leftMargin = 0, topMargin = 0;   // half an inch
    int lineHeight = 1, charWidth = 1;
    int linesPerPage = 0, charsPerLine = 0;

    // From the page size the printer gives, its resolution, its orientation and the font's
    // metrics. A page whose sides do not match the orientation is turned first.
    static TextPageMetrics Compute(fw::Size page, int dpiX, int dpiY, bool landscape, const fw::TextMetrics& font);
};

// The device's default text font at a resolution: DejaVu Sans Mono, 10 points.
fw::Font DeviceDefaultFont(int dpiY);

// The session's length in hours from the applied filter settings (across midnight when the
// end is earlier than the start).
double SessionLengthHours(const NGC2000Indexes& database);

class NGCprintout : public fw::Printout {
public:
    // The page margins of Print Setup, in thousandths of an inch; all 0: the whole page.
    static fw::PageMargins margins;

    NGCprintout(const std::string& title, PlannerPrintView& view, fw::Printer& printer, int format, int source);
    ~NGCprintout() override;

    void SetPrintParams(fw::DC* dc, fw::Size pageSize) override;
    fw::PageRange GetDialogInfo() override { return fw::PageRange{1, 400, 0, 0}; }
    void BeginDocument(int first, int last) override;
    bool HasPage(int page) override { return PageCount() >= page; }
    void PrintPage(int page) override;
    void EndDocument() override;

    int PageCount() const;
    int ObjectCount() const { return objects_; }
    double TimeStepDays() const { return timeStep_; }
    JulianDate SessionStart() const { return start_; }
    const PrintFormatWindow::CellTable& Cells() const { return cells_; }

private:
    PlannerPrintView& view_;
    fw::Printer& printer_;
    int format_;
    int source_;
    Browser savedCursor_;
    JulianDate savedNow_;
    bool savedFollowClock_;
    JulianDate start_;
    double timeStep_ = 0;
    int objects_ = 0;
    PrintFormatWindow::CellTable cells_;
    bool documentBegun_ = false;
};

// A printout of lines of text in the device's default font: the page's metrics for the
// printer's page and orientation, and the device's map mode and font put back at the end.
class TextPagePrintout : public fw::Printout {
public:
    void SetPrintParams(fw::DC* dc, fw::Size pageSize) override;
    const TextPageMetrics& Metrics() const { return metrics_; }

protected:
    TextPagePrintout(const std::string& title, fw::Printer& printer) : Printout(title), printer_(printer) {}
    void RestoreDC();

    fw::Printer& printer_;
    TextPageMetrics metrics_;

private:
    int oldMapMode_ = 0;
    fw::Font oldFont_;
};

class TextPrintout : public TextPagePrintout {
public:
    TextPrintout(fw::Printer& printer, const std::string& title, PlannerPrintView& view, int source);

    fw::PageRange GetDialogInfo() override;
    void BeginPrinting() override;
    // The view's object, lists and the current time are kept at the start and put back at
    // the end: each printed object moves the time on by its share of the session.
    void BeginDocument(int startPage, int endPage) override;
    bool HasPage(int page) override { return pageCount_ >= page; }
    void PrintPage(int page) override;
    void EndDocument() override;
    void EndPrinting() override;

    int ObjectsPerPage() const { return objectsPerPage_; }
    // Objects of 18 lines each below a header and a blank line; a page too short for one
    // object's lines still takes one.
    static int ObjectsPerPage(int linesPerPage);
    int PageCount() const { return pageCount_; }
    // Where the copy of the printed lines goes ("prntxt.txt" in the user directory).
    std::string copyPath;

private:
    void Line(int n, const std::string& text, unsigned align, int x);

    PlannerPrintView& view_;
    int source_;
    int count_ = 0;
    int objectsPerPage_ = 1;
    int pageCount_ = 0;
    bool documentBegun_ = false;
    std::ofstream copy_;
};

class LogPrintOut : public TextPagePrintout {
public:
    // Writes the report for the given characters per line and lines per page into the file,
    // and gives its page count (the log form's report writer).
    using ReportWriter = std::function<int(int charsPerLine, int linesPerPage, const std::string& path, int mode)>;

    LogPrintOut(fw::Printer& printer, const std::string& logTitle, ReportWriter writer);

    fw::PageRange GetDialogInfo() override;
    void BeginPrinting() override;
    bool HasPage(int page) override { return pageCount_ >= page; }
    void PrintPage(int page) override;
    void EndPrinting() override;

    int PageCount() const { return pageCount_; }
    // The report ("OBSLOG.TXT" in the user directory).
    std::string reportPath;

private:
    std::string logTitle_;
    ReportWriter writer_;
    int pageCount_ = 0;
    std::ifstream report_;
};
