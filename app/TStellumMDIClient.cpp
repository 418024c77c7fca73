#include "app/TStellumMDIClient.h"

#include "app/PrintFormatWindow.h"
#include "app/PrintOptionsDlg.h"
#include "app/PrintPreviewFrame.h"
#include "app/Printouts.h"
#include "app/StellumMenus.h"
#include "app/TStellumMDIChild.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/Document.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/Printer.h"
#include "framework/gui/View.h"
#include "globals/Globals.h"
#include "ui/RScolor.h"

#include <QWidget>

namespace {

// Commands of the planner view that show its filtered and its observing list.
constexpr int kShowFilteredList = 132;
constexpr int kShowObservingList = 136;
// Height of the rendered preview page in pixels.
constexpr double kPreviewPixels = 1400.0;

// A view, or the window it shows, as an interface of the printouts.
template <class T>
T* ViewAs(fw::View* view)
{
    if (!view) return nullptr;
    if (auto* t = dynamic_cast<T*>(view)) return t;
    return dynamic_cast<T*>(view->GetWindow());
}

// Raised for a print's duration: the clock does not tick into it and panes do not paint.
class PrintingScope {
public:
    PrintingScope() { ++PrintingCount; }
    ~PrintingScope() { --PrintingCount; }
    PrintingScope(const PrintingScope&) = delete;
    PrintingScope& operator=(const PrintingScope&) = delete;
};

// A graphics printout draws in the printer colour scheme of the colour choice; the screen's
// scheme comes back after.
class PrinterScheme {
public:
    PrinterScheme(bool active, bool color) : active_(active), kept_(RScolor::Instance().Scheme())
    {
        if (active_) RScolor::Instance().SetScheme(color ? SchemeColorPrinter : SchemeMonoPrinter);
    }
    ~PrinterScheme()
    {
        if (active_) RScolor::Instance().SetScheme(kept_);
    }
    PrinterScheme(const PrinterScheme&) = delete;
    PrinterScheme& operator=(const PrinterScheme&) = delete;

private:
    bool active_;
    int kept_;
};

} // namespace

const char* const TStellumMDIClient::kPlannerDocName = "STLM4 Document";
const char* const TStellumMDIClient::kLogDocName = "Obslog Document";

TStellumMDIClient::TStellumMDIClient(fw::DocManager* manager, QWidget* parent)
    : fw::MDIClient(parent), manager_(manager)
{
    setBackground(palette().brush(QPalette::Dark));
    OnCommand(CM_OBSERVINGLOG, [this] { CmObservingLog(); });
    OnCommand(CM_OBSERVINGLIST, [this] { CmObservingList(); });
    OnCommand(CM_FILTEREDLIST, [this] { CmFilteredList(); });
    OnCommand(CM_FILEPRINT, [this] { CmFilePrint(); });
    OnCommand(CM_FILEPRINTSETUP, [this] { CmFilePrintSetup(); });
    OnCommand(CM_FILEPRINTPREVIEW, [this] { CmFilePrintPreview(); });
    for (int id : {CM_FILEPRINT, CM_FILEPRINTSETUP, CM_FILEPRINTPREVIEW})
        OnCommandEnable(id, [this](fw::CommandEnabler& ce) { ce.Enable(GetActiveChild() != nullptr); });
    OnCommandEnable(CM_OBSERVINGLOG, [this](fw::CommandEnabler& ce) {
        FindDocuments();
        ce.Enable(logView_ != nullptr);
        ce.SetCheck(ActiveIsKind(TStellumMDIChild::kLog) ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
    OnCommandEnable(CM_OBSERVINGLIST, [this](fw::CommandEnabler& ce) {
        FindDocuments();
        NGC2000Indexes* db = AppGlobals.database;
        ce.Enable(plannerView_ && db && db->CountOf(1) > 0);
        bool checked = plannerView_ && db && ActiveIsKind(TStellumMDIChild::kPlanner) && db->Selected() == 1;
        ce.SetCheck(checked ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
    OnCommandEnable(CM_FILTEREDLIST, [this](fw::CommandEnabler& ce) {
        FindDocuments();
        NGC2000Indexes* db = AppGlobals.database;
        ce.Enable(plannerView_ != nullptr);
        bool checked = plannerView_ && db && ActiveIsKind(TStellumMDIChild::kPlanner) && db->Selected() == 0;
        ce.SetCheck(checked ? fw::BF_CHECKED : fw::BF_UNCHECKED);
    });
}

TStellumMDIClient::~TStellumMDIClient() = default;

void TStellumMDIClient::FindDocuments()
{
    plannerDoc_ = logDoc_ = nullptr;
    plannerView_ = logView_ = nullptr;
    if (!manager_) return;
    for (fw::Document* doc : manager_->GetDocuments()) {
        std::string name = doc->PropertyText("Document Name");
        if (name == kPlannerDocName && !plannerDoc_) {
            plannerDoc_ = doc;
            plannerView_ = doc->FirstView();
        } else if (name == kLogDocName && !logDoc_) {
            logDoc_ = doc;
            logView_ = doc->FirstView();
        }
    }
}

TStellumMDIChild* TStellumMDIClient::FirstChildOfKind(int kind) const
{
    for (fw::MDIChild* child : Children())
        if (auto* stellum = dynamic_cast<TStellumMDIChild*>(child))
            if (stellum->GetKind() == kind) return stellum;
    return nullptr;
}

bool TStellumMDIClient::ActiveIsKind(int kind) const
{
    auto* active = dynamic_cast<TStellumMDIChild*>(GetActiveChild());
    return active && active->GetKind() == kind;
}

void TStellumMDIClient::ActivateAndRestore(fw::View* view)
{
    for (fw::MDIChild* child : Children())
        if (child->GetView() == view) ActivateChild(child);
    if (fw::MDIChild* active = GetActiveChild())
        if (active->isMinimized()) active->showNormal();
}

void TStellumMDIClient::CmObservingLog()
{
    FindDocuments();
    if (logView_) ActivateAndRestore(logView_);
}

void TStellumMDIClient::CmObservingList()
{
    FindDocuments();
    if (!plannerView_) return;
    ActivateAndRestore(plannerView_);
    if (auto* host = dynamic_cast<fw::ControlHost*>(plannerView_->GetWindow())) host->SendCommand(kShowObservingList);
}

void TStellumMDIClient::CmFilteredList()
{
    FindDocuments();
    if (!plannerView_) return;
    ActivateAndRestore(plannerView_);
    if (auto* host = dynamic_cast<fw::ControlHost*>(plannerView_->GetWindow())) host->SendCommand(kShowFilteredList);
}

// --- printing ------------------------------------------------------------------------

fw::Printer& TStellumMDIClient::Printer()
{
    if (!printer_) printer_ = std::make_unique<fw::Printer>();
    return *printer_;
}

void TStellumMDIClient::TakeUpDefaultPrinter()
{
    // A new default printer chosen while the program runs: the printer made for the old one
    // goes, and this command's printer is made for the new default. Checked only here, so
    // the options chosen, the printouts and the failure report of one command share a printer.
    if (printer_ && printer_->DefaultChanged()) printer_.reset();
}

PlannerPrintView* TStellumMDIClient::PlannerPrinting()
{
    FindDocuments();
    return ViewAs<PlannerPrintView>(plannerView_);
}

LogPrintView* TStellumMDIClient::LogPrinting()
{
    FindDocuments();
    return ViewAs<LogPrintView>(logView_);
}

bool TStellumMDIClient::AskPrintOptions(int& source, int& format)
{
    fw::Printer& printer = Printer();
    PrintOptionsDlg dlg(this);
    dlg.SetCaption(printer.DeviceName() + " on " + printer.PortName());
    dlg.colorCapable = printer.IsColorCapable();
    if (!PlannerPrinting())
        dlg.offeredSources &= ~(1u << PrintSourceFiltered | 1u << PrintSourceObservingList | 1u << PrintSourceCurrentObject);
    if (!LogPrinting()) dlg.offeredSources &= ~(1u << PrintSourceLog | 1u << PrintSourceCurrentLogEntry);
    if (dlg.Execute() != fw::IDOK) return false;
    source = dlg.source;
    format = dlg.format;
    const bool color = dlg.colorCapable && dlg.color;
    printer.SetColor(color);
    RScolor::Instance().colorPrinting = color;
    printer.SetOrientation(PrintFormatWindow::IsLandscape(format) ? fw::PageOrientation::Landscape
                                                                   : fw::PageOrientation::Portrait);
    return true;
}

std::unique_ptr<fw::Printout> TStellumMDIClient::MakePrintout(int source, int format)
{
    const std::string title = PrintSourceText(source);
    if (source == PrintSourceLog || source == PrintSourceCurrentLogEntry) {
        LogPrintView* log = LogPrinting();
        if (!log) {
            fw::MessageBox(this, "Error Opening Log Window", "", fw::MB_OK);
            return nullptr;
        }
        return std::make_unique<LogPrintOut>(
            Printer(), log->LogTitle(), [log](int chars, int lines, const std::string& path, int mode) {
                return log->PrintLogToTextFile(chars, lines, path, mode);
            });
    }
    PlannerPrintView* planner = PlannerPrinting();
    if (!planner) {
        fw::MessageBox(this, "Error Opening Stellum Window", "", fw::MB_OK);
        return nullptr;
    }
    if (IsGraphicsFormat(format)) return std::make_unique<NGCprintout>(title, *planner, Printer(), format, source);
    return std::make_unique<TextPrintout>(Printer(), title, *planner, source);
}

void TStellumMDIClient::RunPrint(bool preview)
{
    TakeUpDefaultPrinter();
    int source = 0, format = 0;
    if (!AskPrintOptions(source, format)) return;
    const bool log = source == PrintSourceLog || source == PrintSourceCurrentLogEntry;
    PrintingScope printing;
    PrinterScheme scheme(!log && IsGraphicsFormat(format), RScolor::Instance().colorPrinting);
    std::unique_ptr<fw::Printout> printout = MakePrintout(source, format);
    if (!printout) return;
    fw::View* view = log ? logView_ : plannerView_;
    QWidget* parent = view && view->GetWindow() ? view->GetWindow() : this;
    fw::Printer& printer = Printer();
    if (!preview) {
        if (!printer.Print(parent, *printout, false)) ReportPrintFailure(parent, source);
        if (log && view && view->GetWindow()) view->GetWindow()->update();
        return;
    }
    const fw::Size page = printer.PageSize();
    QImage image;
    if (!printer.RenderPage(*printout, 1, kPreviewPixels / std::max(1, page.cy), image)) {
        ReportPrintFailure(parent, source);
        return;
    }
    printout.reset(); // the lists, the time and the scheme are put back before the preview shows
    QWidget* main = window();
    PrintPreviewFrame frame(main, std::move(image), page);
    // A maximised main window gives a maximised frame: the same rectangle with the frame's
    // own title bar would reach below the screen and hide the page's foot.
    if (main->isMaximized()) frame.setWindowState(Qt::WindowMaximized);
    else frame.setGeometry(main->geometry());
    main->hide();
    frame.Execute();
    if (!frame.isMaximized()) main->setGeometry(frame.geometry());
    main->show();
}

// A printer that could not start offers the print dialog, so that another printer can be
// chosen (the command ends without printing); an empty printout and other failures are told.
void TStellumMDIClient::ReportPrintFailure(QWidget* parent, int source)
{
    fw::Printer& printer = Printer();
    const std::string& why = printer.LastError();
    if (why == fw::Printer::kCouldNotStart)
        printer.ChooseDevice(parent);
    else if (why == fw::Printer::kNothingToPrint)
        fw::MessageBox(parent, "There is nothing to print: the list is empty.", PrintSourceText(source), fw::MB_OK);
    else if (why != "cancelled")
        fw::MessageBox(parent, "Printing failed: " + why + ".", PrintSourceText(source),
                       fw::MB_OK | fw::MB_ICONEXCLAMATION);
}

void TStellumMDIClient::CmFilePrint()
{
    RunPrint(false);
}

void TStellumMDIClient::CmFilePrintPreview()
{
    RunPrint(true);
}

void TStellumMDIClient::CmFilePrintSetup()
{
    TakeUpDefaultPrinter();
    Printer().Setup(this, NGCprintout::margins);
}
