#include "framework/gui/Printer.h"

#include "framework/gui/FileDialog.h"
#include "framework/gui/PainterDC.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>
#include <cstdio>

namespace fw {

namespace {

constexpr double kThousandthsPerMillimetre = 1000.0 / 25.4;

// Runs the life cycle's closing calls whatever way the pages end.
class PrintingScope {
public:
    PrintingScope(Printout& printout, int first, int last) : printout_(printout)
    {
        printout_.BeginPrinting();
        printout_.BeginDocument(first, last);
    }
    ~PrintingScope()
    {
        printout_.EndDocument();
        printout_.EndPrinting();
    }
    PrintingScope(const PrintingScope&) = delete;
    PrintingScope& operator=(const PrintingScope&) = delete;

private:
    Printout& printout_;
};

bool HasInstalledPrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

} // namespace

const char* const Printer::kCouldNotStart = "the printer could not start";
const char* const Printer::kNothingToPrint = "nothing to print";

Printer::Printer()
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)), madeForDefault_(SystemDefaultName())
{
    // The page is the printable area; margins beyond the device's own are the printouts'.
    printer_->setFullPage(false);
    printer_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    if (!HasInstalledPrinter()) printer_->setOutputFormat(QPrinter::PdfFormat);
}

Printer::~Printer() = default;

std::string Printer::SystemDefaultName()
{
    if (auto& answer = DefaultPrinterSeam::Current()) return answer();
    return QPrinterInfo::defaultPrinterName().toStdString();
}

std::string Printer::DeviceName() const
{
    if (printer_->outputFormat() == QPrinter::PdfFormat) return "PDF";
    return printer_->printerName().toStdString();
}

std::string Printer::PortName() const
{
    if (printer_->outputFormat() == QPrinter::PdfFormat) return "FILE:";
    const QString location = QPrinterInfo::printerInfo(printer_->printerName()).location();
    return location.isEmpty() ? printer_->printerName().toStdString() : location.toStdString();
}

bool Printer::IsColorCapable() const
{
    if (printer_->outputFormat() == QPrinter::PdfFormat) return true;
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer_->printerName());
    return info.supportedColorModes().contains(QPrinter::Color);
}

int Printer::DotsPerInchX() const { return printer_->logicalDpiX(); }
int Printer::DotsPerInchY() const { return printer_->logicalDpiY(); }

PageMargins Printer::MinimumMargins() const
{
    QPageLayout layout = printer_->pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF mm = layout.minimumMargins();
    auto t = [](double v) { return static_cast<int>(std::lround(v * kThousandthsPerMillimetre)); };
    return PageMargins{t(mm.left()), t(mm.top()), t(mm.right()), t(mm.bottom())};
}

void Printer::SetOrientation(PageOrientation orientation)
{
    printer_->setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
}

PageOrientation Printer::GetOrientation() const
{
    return printer_->pageLayout().orientation() == QPageLayout::Landscape ? PageOrientation::Landscape
                                                                          : PageOrientation::Portrait;
}

void Printer::SetColor(bool color)
{
    printer_->setColorMode(color ? QPrinter::Color : QPrinter::GrayScale);
}

bool Printer::IsColor() const
{
    return printer_->colorMode() == QPrinter::Color;
}

void Printer::SetOutputFile(const std::string& path)
{
    outputFile_ = path;
    if (!path.empty()) printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(QString::fromStdString(path));
}

Size Printer::PageSize() const
{
    const QRect r = printer_->pageLayout().paintRectPixels(printer_->resolution());
    return Size(r.width(), r.height());
}

bool Printer::Print(QWidget* parent, Printout& printout, bool)
{
    lastError_.clear();
    if (printer_->outputFormat() == QPrinter::PdfFormat && outputFile_.empty()) {
        // No printer to send the pages to: they go to a PDF file the user names.
        FileDialogRequest request;
        request.kind = FileDialogRequest::Save;
        request.title = "Print to File";
        request.filters = {{"PDF Files", "*.pdf"}};
        request.defaultExt = "pdf";
        request.path = printout.GetTitle() + ".pdf";
        if (!RunFileDialog(parent, request)) {
            lastError_ = "cancelled";
            return false;
        }
        printer_->setOutputFileName(QString::fromStdString(request.path));
    }
    printer_->setDocName(QString::fromStdString(printout.GetTitle()));
    // A file is written beside its name and put in place only when every page is in it, so
    // that a failed or empty print neither leaves a blank document nor spoils an older one.
    const QString target = printer_->outputFileName();
    const QString partial = target.isEmpty() ? QString() : target + ".printing";
    if (!partial.isEmpty()) printer_->setOutputFileName(partial);
    const bool ok = PrintPages(printout);
    if (!partial.isEmpty()) {
        printer_->setOutputFileName(target);
        if (ok && std::rename(partial.toLocal8Bit().constData(), target.toLocal8Bit().constData()) == 0)
            return true;
        std::remove(partial.toLocal8Bit().constData());
        if (ok) lastError_ = "the file could not be written";
        return false;
    }
    return ok;
}

bool Printer::PrintPages(Printout& printout)
{
    QPainter painter;
    if (!painter.begin(printer_.get())) {
        lastError_ = kCouldNotStart;
        return false;
    }
    const Size size = PageSize();
    int printed = 0;
    {
        PainterDC dc(painter, size, DotsPerInchX(), DotsPerInchY());
        dc.SetDeviceFacts(true, IsColor() ? 1 << 24 : 2);
        printout.SetPrintParams(&dc, size);
        const PageRange range = printout.GetDialogInfo();
        const int first = range.selFrom > 0 ? range.selFrom : range.minPage;
        const int last = range.selTo > 0 ? range.selTo : range.maxPage;
        PrintingScope scope(printout, first, last);
        for (int page = first; page <= last && printout.HasPage(page); ++page) {
            if (printed > 0 && !printer_->newPage()) {
                lastError_ = "the printer stopped";
                break;
            }
            printout.PrintPage(page);
            ++printed;
        }
    }
    if (printed == 0) {
        printer_->abort();
        painter.end();
        if (lastError_.empty()) lastError_ = kNothingToPrint;
        return false;
    }
    return painter.end() && lastError_.empty();
}

bool Printer::RenderPage(Printout& printout, int page, double scale, QImage& image)
{
    lastError_.clear();
    const Size size = PageSize();
    if (size.cx <= 0 || size.cy <= 0 || scale <= 0) {
        lastError_ = kCouldNotStart;
        return false;
    }
    image = QImage(std::max(1, static_cast<int>(size.cx * scale)), std::max(1, static_cast<int>(size.cy * scale)),
                   QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    bool drawn = false;
    {
        PainterDC dc(painter, size, DotsPerInchX(), DotsPerInchY());
        dc.SetDeviceFacts(true, IsColor() ? 1 << 24 : 2);
        printout.SetPrintParams(&dc, size);
        printout.GetDialogInfo();
        PrintingScope scope(printout, page, page);
        if (printout.HasPage(page)) {
            printout.PrintPage(page);
            drawn = true;
        }
    }
    if (!drawn) lastError_ = kNothingToPrint;
    return drawn;
}

bool Printer::ChooseDevice(QWidget* parent)
{
    if (auto& answer = PrintDialogSeam::Current()) return answer(parent);
    QPrintDialog dialog(printer_.get(), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool Printer::Setup(QWidget* parent, PageMargins& margins)
{
    if (auto& answer = PageSetupSeam::Current()) return answer(parent, margins);
    QPageLayout layout = printer_->pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    auto mm = [](int thousandths) { return thousandths / kThousandthsPerMillimetre; };
    layout.setMargins(QMarginsF(mm(margins.left), mm(margins.top), mm(margins.right), mm(margins.bottom)));
    printer_->setPageLayout(layout);
    QPageSetupDialog dialog(printer_.get(), parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    QPageLayout chosen = printer_->pageLayout();
    chosen.setUnits(QPageLayout::Millimeter);
    const QMarginsF m = chosen.margins();
    auto t = [](double v) { return static_cast<int>(std::lround(v * kThousandthsPerMillimetre)); };
    margins = PageMargins{t(m.left()), t(m.top()), t(m.right()), t(m.bottom())};
    // The printouts apply the margins themselves; the device keeps its own minimum.
    printer_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    return true;
}

} // namespace fw
