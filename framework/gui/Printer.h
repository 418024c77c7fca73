// Printing: a printout that draws its pages through a DC, and the printer that runs it page by
// page (or renders one page for a preview). The printer is Qt's; without an installed printer
// the pages go to a PDF file the user names.
#pragma once

#include "framework/gui/DC.h"
#include "framework/gui/Responder.h"

#include <QImage>

#include <memory>
#include <string>

class QPrinter;
class QWidget;

namespace fw {

// Page margins in thousandths of an inch.
struct PageMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool IsZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool operator==(const PageMargins& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The pages a printout offers: from minPage to maxPage, the selection from selFrom to selTo.
struct PageRange {
    int minPage = 1, maxPage = 1, selFrom = 0, selTo = 0;
};

// One print job's drawing. The printer calls, in order: SetPrintParams, GetDialogInfo,
// BeginPrinting, BeginDocument, then HasPage/PrintPage for each page, EndDocument and
// EndPrinting (the last two also when the job stops early).
class Printout {
public:
    explicit Printout(std::string title) : title_(std::move(title)) {}
    virtual ~Printout() = default;
    Printout(const Printout&) = delete;
    Printout& operator=(const Printout&) = delete;

    const std::string& GetTitle() const { return title_; }

    // The page's DC and size in device units (the printable area).
    virtual void SetPrintParams(DC* dc, Size pageSize)
    {
        dc_ = dc;
        pageSize_ = pageSize;
    }
    virtual PageRange GetDialogInfo() { return PageRange{}; }
    virtual void BeginPrinting() {}
    virtual void BeginDocument(int /*startPage*/, int /*endPage*/) {}
    virtual bool HasPage(int page) { return page == 1; }
    virtual void PrintPage(int page) = 0;
    virtual void EndDocument() {}
    virtual void EndPrinting() {}

    DC* GetDC() const { return dc_; }
    Size GetPageSize() const { return pageSize_; }

protected:
    // Puts a different DC in place for the pages (a printout's own text DC, say).
    void SetDC(DC* dc) { dc_ = dc; }

private:
    std::string title_;
    DC* dc_ = nullptr;
    Size pageSize_;
};

enum class PageOrientation { Portrait, Landscape };

// The page set-up question: margins in, the chosen margins out; false for Cancel.
using PageSetupSeam = ModalSeam<struct PageSetupTag, bool(QWidget* owner, PageMargins& margins)>;
// The print dialog, offered when the printer could not start: true when the user chose.
using PrintDialogSeam = ModalSeam<struct PrintDialogTag, bool(QWidget* owner)>;
// The system's default printer by name, as a test sets it ("" for none).
using DefaultPrinterSeam = ModalSeam<struct DefaultPrinterTag, std::string()>;

class Printer {
public:
    Printer();
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // The device's name and where it prints ("PDF" on "FILE:" without an installed printer).
    std::string DeviceName() const;
    // The system's default printer ("" for none), and whether it is another one than when this
    // printer was made (the user chose a new default while the program runs).
    static std::string SystemDefaultName();
    bool DefaultChanged() const { return SystemDefaultName() != madeForDefault_; }
    std::string PortName() const;
    bool IsColorCapable() const;
    // Device resolution (dots per inch) and the margins the device cannot print in, in
    // thousandths of an inch.
    int DotsPerInchX() const;
    int DotsPerInchY() const;
    PageMargins MinimumMargins() const;

    void SetOrientation(PageOrientation orientation);
    PageOrientation GetOrientation() const;
    void SetColor(bool color);
    bool IsColor() const;

    // Sends every page to a PDF file (tests, and the choice made when no printer is installed).
    void SetOutputFile(const std::string& path);
    const std::string& OutputFile() const { return outputFile_; }

    // Prints the printout's pages. Without an installed printer and no output file, the user
    // is asked for a PDF file first (prompt or not). False when nothing was printed (cancelled,
    // no page, or the device could not start); lastError says why.
    bool Print(QWidget* parent, Printout& printout, bool prompt);
    const std::string& LastError() const { return lastError_; }

    // Draws one page of the printout into an image of the page's proportions, `scale` image
    // pixels per device unit; false when the printout has no such page (kNothingToPrint) or
    // the device gives no page to draw on (kCouldNotStart), as lastError says.
    bool RenderPage(Printout& printout, int page, double scale, QImage& image);
    // The text lastError holds when the device could not start.
    static const char* const kCouldNotStart;
    // The text lastError holds when the printout had no page to print.
    static const char* const kNothingToPrint;
    // The print dialog on this printer, so that the user can choose another printer or its
    // settings; false for Cancel.
    bool ChooseDevice(QWidget* parent);
    // The printable page size in device units for the current orientation.
    Size PageSize() const;

    // The page set-up: shows the margins and takes the chosen ones; false for Cancel.
    bool Setup(QWidget* parent, PageMargins& margins);

    QPrinter& Device() { return *printer_; }

private:
    bool PrintPages(Printout& printout);

    std::unique_ptr<QPrinter> printer_;
    std::string madeForDefault_;
    std::string outputFile_;
    std::string lastError_;
};

} // namespace fw
