// Print, Print Preview and Print Setup of the MDI client with stand-in planner and log views
// that implement the printouts' interfaces: the dialog's offers, the device set up for the
// choice, the pages in a PDF file, and everything back as it was afterwards.
#include "app/PrintOptionsDlg.h"
#include "app/PrintPreviewFrame.h"
#include "app/Printouts.h"
#include "app/TStellumMDIClient.h"
#include "app/tests/print_choice.h"
#include "app/tests/test_templates.h"
#include "framework/gui/ComboBox.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/Printer.h"
#include "framework/testsupport/Snapshot.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "ui/RScolor.h"

#include <gtest/gtest.h>

#include <QMainWindow>


namespace {

using apptest::LogDoc;
using apptest::PlannerDoc;

// The planner stand-in prints one object per call, drawing a frame into the cell.
class PrintingPlannerView : public fw::WindowView, public PlannerPrintView {
public:
    static inline int saved = 0, restored = 0, cells = 0, schemeWhilePrinting = -1;
    explicit PrintingPlannerView(PlannerDoc& doc) : fw::WindowView(doc) {}
    std::string GetViewName() const override { return "STLM4view Window View"; }
    void SavePrintState() override { ++saved; }
    void RestorePrintState() override { ++restored; }
    void ShowObject(ObjectId) override {}
    void PaintPanesToDC(fw::DC& dc, const fw::Rect& cell) override
    {
        ++cells;
        schemeWhilePrinting = RScolor::Instance().Scheme();
        dc.Rectangle(cell);
    }
    std::string GetObjectFieldText(ObjectId, int code) override { return "field " + std::to_string(code); }
    void SetTimeStep(std::int32_t) override {}
};

class PrintingLogView : public fw::WindowView, public LogPrintView {
public:
    explicit PrintingLogView(LogDoc& doc) : fw::WindowView(doc) {}
    std::string GetViewName() const override { return "LOGVIEW"; }
    int PrintLogToTextFile(int, int, const std::string& path, int) override
    {
        testsupport::WriteFileBytes(path, "one\n\f\ntwo\n");
        return 2;
    }
    std::string LogTitle() const override { return "night.log"; }
};

class PrintCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        UserDirectory = dir_.path();
        PrintingPlannerView::saved = PrintingPlannerView::restored = PrintingPlannerView::cells = 0;
        manager_.AttachTemplate(*planner_);
        manager_.AttachTemplate(*log_);
        main_.setCentralWidget(client_);
        main_.setGeometry(50, 60, 800, 600);
        client_->Printer().SetOutputFile(dir_.file("out.pdf"));
    }
    void Open(const std::string& name)
    {
        ASSERT_TRUE(testsupport::WriteFileBytes(dir_.file(name), "x\n"));
        ASSERT_NE(manager_.CreateAnyDoc(dir_.file(name), 0), nullptr);
    }
    std::string Pdf() const { return testsupport::ReadFileBytes(dir_.file("out.pdf")); }

    testsupport::TempDir dir_;
    fw::DocManager manager_{0};
    std::unique_ptr<fw::DocTemplate> planner_ =
        fw::DocTemplate::Make<PlannerDoc, PrintingPlannerView>("Planning Files", "*.sl4", "", "sl4", 0);
    std::unique_ptr<fw::DocTemplate> log_ =
        fw::DocTemplate::Make<LogDoc, PrintingLogView>("Log Files", "*.log", "", "log", 0);
    QMainWindow main_;
    TStellumMDIClient* client_ = new TStellumMDIClient(&manager_);
};

TEST_F(PrintCommands, SourcesFollowTheOpenViews)
{
    unsigned offered = 0;
    fw::ScriptedDialogs dialogs([&](fw::Dialog& d) {
        offered = dynamic_cast<PrintOptionsDlg&>(d).offeredSources;
        return fw::IDCANCEL;
    });
    client_->CmFilePrint();
    EXPECT_EQ(offered, 0u) << "no view open";
    Open("plan.sl4");
    client_->CmFilePrint();
    EXPECT_EQ(offered, 1u << 1 | 1u << 2 | 1u << 4);
    Open("night.log");
    client_->CmFilePrint();
    EXPECT_EQ(offered, 0x3Eu);
    EXPECT_TRUE(Pdf().empty()) << "Cancel prints nothing";
}

// A source whose window is not open (chosen though not offered, as by a window closed while
// the dialog stood open) says so and prints nothing,
// for Print and Print Preview alike.
TEST_F(PrintCommands, ASourceWithoutItsWindowSaysSo)
{
    const struct {
        int source, format;
        const char* text;
    } cases[] = {
        {PrintSourceFiltered, 1, "Error Opening Stellum Window"},
        {PrintSourceCurrentObject, 8, "Error Opening Stellum Window"},
        {PrintSourceLog, 8, "Error Opening Log Window"},
        {PrintSourceCurrentLogEntry, 9, "Error Opening Log Window"},
    };
    for (bool preview : {false, true})
        for (const auto& c : cases) {
            fw::ScriptedMessageBoxes boxes;
            fw::ScriptedDialogs dialogs([&](fw::Dialog& d) {
                auto& options = dynamic_cast<PrintOptionsDlg&>(d);
                options.source = c.source;
                options.format = c.format;
                return fw::IDOK;
            });
            if (preview) client_->CmFilePrintPreview();
            else client_->CmFilePrint();
            ASSERT_EQ(boxes.Count(), 1) << c.text;
            EXPECT_EQ(boxes.Last().text, c.text);
            EXPECT_EQ(dialogs.Count(), 1) << "no preview window";
        }
    EXPECT_TRUE(Pdf().empty());
    EXPECT_EQ(PrintingCount, 0);
}

TEST_F(PrintCommands, GraphicsPrintUsesThePrinterSchemeAndPutsItBack)
{
    Open("plan.sl4");
    RScolor::Instance().SetScheme(SchemeNightVision);
    PrintOptionsDlg* dlg = nullptr;
    {
        fw::ScriptedDialogs dialogs(apptest::ChoosePrint(PrintSourceCurrentObject, 2, true, &dlg));
        client_->CmFilePrint();
        EXPECT_EQ(dialogs.Count(), 1);
    }
    EXPECT_EQ(testsupport::PdfPageCount(Pdf()), 1);
    EXPECT_EQ(PrintingPlannerView::cells, 1);
    EXPECT_EQ(PrintingPlannerView::schemeWhilePrinting, SchemeColorPrinter);
    EXPECT_EQ(RScolor::Instance().Scheme(), SchemeNightVision);
    EXPECT_EQ(client_->Printer().GetOrientation(), fw::PageOrientation::Landscape);
    EXPECT_TRUE(client_->Printer().IsColor());
    EXPECT_EQ(PrintingPlannerView::saved, PrintingPlannerView::restored);
    EXPECT_EQ(PrintingCount, 0);

    // Without colour the monochrome printer scheme draws.
    fw::ScriptedDialogs dialogs(apptest::ChoosePrint(PrintSourceCurrentObject, 4, false));
    client_->CmFilePrint();
    EXPECT_EQ(PrintingPlannerView::schemeWhilePrinting, SchemeMonoPrinter);
    EXPECT_EQ(client_->Printer().GetOrientation(), fw::PageOrientation::Portrait);
    RScolor::Instance().SetScheme(SchemeNormal);
}

TEST_F(PrintCommands, LogPrintAndAnEmptyListSaySo)
{
    Open("plan.sl4");
    Open("night.log");
    {
        fw::ScriptedDialogs dialogs(apptest::ChoosePrint(PrintSourceLog, 8, false));
        client_->CmFilePrint();
    }
    EXPECT_EQ(testsupport::PdfPageCount(Pdf()), 2);
    EXPECT_EQ(testsupport::ReadFileBytes(dir_.file("OBSLOG.TXT")), "one\n\f\ntwo\n");

    // The filtered list of a planner without a database is empty.
    fw::ScriptedMessageBoxes boxes;
    fw::ScriptedDialogs dialogs(apptest::ChoosePrint(PrintSourceFiltered, 1, false));
    client_->CmFilePrint();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, "There is nothing to print: the list is empty.");
    EXPECT_EQ(PrintingCount, 0);
}

// A printer that cannot start offers the print dialog, to choose another printer, and prints
// nothing; no message box stands in its place.
TEST_F(PrintCommands, APrinterThatCannotStartOffersThePrintDialog)
{
    Open("plan.sl4");
    client_->Printer().SetOutputFile(dir_.file("no such folder/out.pdf"));
    int offered = 0;
    fw::Responder<fw::PrintDialogSeam> printDialog([&](QWidget*) {
        ++offered;
        return false;
    });
    fw::ScriptedMessageBoxes boxes;
    fw::ScriptedDialogs dialogs(apptest::ChoosePrint(PrintSourceCurrentObject, 2, false));
    client_->CmFilePrint();
    EXPECT_EQ(offered, 1);
    for (const auto& call : boxes.Calls()) ADD_FAILURE() << call.text;
    EXPECT_EQ(PrintingPlannerView::cells, 0) << "nothing printed";
    EXPECT_EQ(PrintingCount, 0);
}

// A new default printer chosen while the program runs is taken up by the next print command
// (Print, Print Preview or Print Setup); the printer stays as set up while the default stays.
TEST_F(PrintCommands, ANewDefaultPrinterIsTakenUpByTheNextCommand)
{
    std::string systemDefault;
    fw::Responder<fw::DefaultPrinterSeam> defaults([&] { return systemDefault; });
    fw::Responder<fw::PageSetupSeam> setup([](QWidget*, fw::PageMargins&) { return false; });
    fw::ScriptedDialogs cancel([](fw::Dialog&) { return fw::IDCANCEL; });
    const struct {
        const char* name;
        void (TStellumMDIClient::*command)();
    } cases[] = {
        {"Print", &TStellumMDIClient::CmFilePrint},
        {"Print Preview", &TStellumMDIClient::CmFilePrintPreview},
        {"Print Setup", &TStellumMDIClient::CmFilePrintSetup},
    };
    for (const auto& c : cases) {
        systemDefault = std::string("Office for ") + c.name;
        client_->Printer().SetOutputFile(dir_.file("out.pdf"));
        EXPECT_EQ(client_->Printer().OutputFile(), dir_.file("out.pdf")) << "no command yet: " << c.name;
        (client_->*c.command)();
        EXPECT_TRUE(client_->Printer().OutputFile().empty()) << "a printer made afresh for " << c.name;
        EXPECT_FALSE(client_->Printer().DefaultChanged()) << c.name;
        client_->Printer().SetOutputFile(dir_.file("out.pdf"));
        (client_->*c.command)();
        EXPECT_EQ(client_->Printer().OutputFile(), dir_.file("out.pdf")) << "the same printer: " << c.name;
    }
}

// A default printer changed while a print command runs leaves that command's printer, and
// its options and output, in place; the next command takes the new default up.
TEST_F(PrintCommands, ADefaultChangedDuringAPrintWaitsForTheNextCommand)
{
    Open("plan.sl4");
    std::string systemDefault = "Office";
    fw::Responder<fw::DefaultPrinterSeam> defaults([&] { return systemDefault; });
    {
        fw::ScriptedDialogs cancel([](fw::Dialog&) { return fw::IDCANCEL; });
        client_->CmFilePrint();
    }
    client_->Printer().SetOutputFile(dir_.file("out.pdf"));
    const fw::DialogResponder choose = apptest::ChoosePrint(PrintSourceCurrentObject, 2, true);
    fw::ScriptedDialogs dialogs([&](fw::Dialog& d) {
        systemDefault = "Lab";
        return choose(d);
    });
    client_->CmFilePrint();
    EXPECT_EQ(testsupport::PdfPageCount(Pdf()), 1) << "printed to the command's printer";
    EXPECT_EQ(client_->Printer().GetOrientation(), fw::PageOrientation::Landscape);
    EXPECT_TRUE(client_->Printer().IsColor());
    EXPECT_TRUE(client_->Printer().DefaultChanged()) << "taken up by the next command";
}

TEST_F(PrintCommands, PreviewTakesTheMainWindowsPlaceAndGivesItBack)
{
    Open("plan.sl4");
    main_.show();
    bool mainHidden = false;
    fw::ScriptedDialogs dialogs(std::vector<fw::DialogResponder>{
        apptest::ChoosePrint(PrintSourceCurrentObject, 5, false), [&](fw::Dialog& d) {
            auto& frame = dynamic_cast<PrintPreviewFrame&>(d);
            mainHidden = !main_.isVisible();
            EXPECT_EQ(frame.geometry(), main_.geometry()) << "the frame takes the main window's place";
            EXPECT_LT(frame.Page().width(), frame.Page().height()) << "a portrait page";
            testsupport::SaveSnapshot(frame, "print_preview.png");
            frame.setGeometry(120, 130, 700, 500);
            return fw::IDCANCEL;
        }});
    client_->CmFilePrintPreview();
    EXPECT_EQ(dialogs.Count(), 2);
    EXPECT_TRUE(mainHidden);
    EXPECT_TRUE(main_.isVisible());
    EXPECT_EQ(main_.geometry(), QRect(120, 130, 700, 500));
    EXPECT_EQ(PrintingPlannerView::cells, 1) << "page 1 only";
    EXPECT_TRUE(Pdf().empty()) << "a preview prints nothing";
}

TEST(PrintPreviewFrame, PageKeepsThePapersProportions)
{
    const struct {
        fw::Size client, page;
        fw::Rect expected;
    } cases[] = {
        {{830, 630}, {1000, 500}, {15, 15, 815, 415}},  // landscape: the width spans
        {{830, 630}, {500, 1000}, {15, 15, 315, 615}},  // portrait: the height spans
        {{830, 630}, {7728, 10000}, {15, 15, 477, 615}}, // 77 % of the height
        // A window flatter or narrower than the paper: the page fits the other side, whole.
        {{830, 330}, {1000, 500}, {15, 15, 615, 315}},
        {{330, 630}, {500, 1000}, {15, 15, 315, 615}},
        {{230, 630}, {500, 1000}, {15, 15, 215, 415}},
    };
    for (const auto& c : cases) {
        const fw::Rect r = PrintPreviewFrame::PageRect(c.client, c.page);
        EXPECT_TRUE(r.left == c.expected.left && r.top == c.expected.top && r.right == c.expected.right &&
                    r.bottom == c.expected.bottom)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST_F(PrintCommands, PrintSetupKeepsTheMarginsForTheSession)
{
    fw::Responder<fw::PageSetupSeam> setup([](QWidget*, fw::PageMargins& m) {
        m = fw::PageMargins{500, 500, 500, 500};
        return true;
    });
    client_->CmFilePrintSetup();
    EXPECT_EQ(NGCprintout::margins, (fw::PageMargins{500, 500, 500, 500}));
    NGCprintout::margins = fw::PageMargins{};
}

} // namespace
