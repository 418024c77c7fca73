// The printer runs a printout's life cycle page by page into a PDF file, renders one page for
// a preview, and asks for a file when no printer is installed.
#include "framework/gui/FileDialog.h"
#include "framework/gui/Printer.h"
#include "framework/testsupport/TestSupport.h"

#include <gtest/gtest.h>

#include <QPrinter>

#include <string>
#include <vector>

namespace {

class Recording : public fw::Printout {
public:
    Recording(int pages, std::vector<std::string>& calls) : Printout("Three Pages"), pages_(pages), calls_(calls) {}
    void SetPrintParams(fw::DC* dc, fw::Size size) override
    {
        Printout::SetPrintParams(dc, size);
        calls_.push_back("params");
    }
    fw::PageRange GetDialogInfo() override
    {
        calls_.push_back("info");
        return fw::PageRange{1, pages_ > 0 ? pages_ : 1, 0, 0};
    }
    void BeginPrinting() override { calls_.push_back("begin"); }
    void BeginDocument(int first, int last) override
    {
        calls_.push_back("document " + std::to_string(first) + "-" + std::to_string(last));
    }
    bool HasPage(int page) override { return page <= pages_; }
    void PrintPage(int page) override
    {
        calls_.push_back("page " + std::to_string(page));
        const fw::Size size = GetPageSize();
        GetDC()->FillRect(fw::Rect(0, 0, size.cx / 2, size.cy / 2), fw::Brush(QColor(0, 0, 0)));
    }
    void EndDocument() override { calls_.push_back("end document"); }
    void EndPrinting() override { calls_.push_back("end"); }

private:
    int pages_;
    std::vector<std::string>& calls_;
};

TEST(Printer, PrintsEveryPageInOrderIntoTheFile)
{
    testsupport::TempDir dir;
    fw::Printer printer;
    printer.SetOutputFile(dir.file("out.pdf"));
    std::vector<std::string> calls;
    Recording printout(3, calls);
    ASSERT_TRUE(printer.Print(nullptr, printout, false)) << printer.LastError();
    EXPECT_EQ(calls, (std::vector<std::string>{"params", "info", "begin", "document 1-3", "page 1", "page 2",
                                               "page 3", "end document", "end"}));
    EXPECT_EQ(testsupport::PdfPageCount(testsupport::ReadFileBytes(dir.file("out.pdf"))), 3);
    EXPECT_GT(printout.GetPageSize().cx, 0);
}

TEST(Printer, NothingToPrintIsAFailureThatStillEndsTheJob)
{
    testsupport::TempDir dir;
    fw::Printer printer;
    printer.SetOutputFile(dir.file("none.pdf"));
    std::vector<std::string> calls;
    Recording printout(0, calls);
    EXPECT_FALSE(printer.Print(nullptr, printout, false));
    EXPECT_EQ(printer.LastError(), "nothing to print");
    EXPECT_EQ(calls.back(), "end");
    EXPECT_EQ(testsupport::ReadFileBytes(dir.file("none.pdf")), "") << "no empty document is left";
}

TEST(Printer, LandscapeExchangesThePageSidesAndARenderedPageKeepsTheProportions)
{
    fw::Printer printer;
    printer.SetOrientation(fw::PageOrientation::Portrait);
    const fw::Size portrait = printer.PageSize();
    printer.SetOrientation(fw::PageOrientation::Landscape);
    const fw::Size landscape = printer.PageSize();
    EXPECT_LT(portrait.cx, portrait.cy);
    EXPECT_GT(landscape.cx, landscape.cy);

    std::vector<std::string> calls;
    Recording printout(2, calls);
    QImage page;
    ASSERT_TRUE(printer.RenderPage(printout, 1, 0.1, page));
    EXPECT_NEAR(double(page.width()) / page.height(), double(landscape.cx) / landscape.cy, 0.01);
    EXPECT_EQ(page.pixelColor(2, 2), QColor(0, 0, 0)) << "the page's drawing";
    EXPECT_EQ(page.pixelColor(page.width() - 2, page.height() - 2), QColor(255, 255, 255));
    EXPECT_FALSE(printer.RenderPage(printout, 3, 0.1, page));
}

TEST(Printer, WithoutAnOutputFileAPdfPrinterAsksWhereAndCancelPrintsNothing)
{
    fw::Printer printer;
    if (printer.Device().outputFormat() != QPrinter::PdfFormat) GTEST_SKIP() << "a printer is installed";
    EXPECT_EQ(printer.DeviceName() + " on " + printer.PortName(), "PDF on FILE:");
    EXPECT_TRUE(printer.IsColorCapable());
    testsupport::TempDir dir;
    std::vector<std::string> calls;
    Recording printout(1, calls);
    {
        fw::ScriptedFileDialogs dialogs({""});
        EXPECT_FALSE(printer.Print(nullptr, printout, false));
        ASSERT_EQ(dialogs.Count(), 1);
        EXPECT_EQ(dialogs.Requests()[0].path, "Three Pages.pdf");
        EXPECT_TRUE(calls.empty());
    }
    fw::ScriptedFileDialogs dialogs({dir.file("chosen.pdf")});
    EXPECT_TRUE(printer.Print(nullptr, printout, false));
    EXPECT_EQ(testsupport::PdfPageCount(testsupport::ReadFileBytes(dir.file("chosen.pdf"))), 1);
}

TEST(Printer, PageSetupTakesTheChosenMargins)
{
    fw::Printer printer;
    fw::PageMargins asked;
    fw::Responder<fw::PageSetupSeam> setup([&](QWidget*, fw::PageMargins& m) {
        asked = m;
        m = fw::PageMargins{500, 750, 500, 1000};
        return true;
    });
    fw::PageMargins margins{250, 250, 250, 250};
    EXPECT_TRUE(printer.Setup(nullptr, margins));
    EXPECT_EQ(asked, (fw::PageMargins{250, 250, 250, 250}));
    EXPECT_EQ(margins, (fw::PageMargins{500, 750, 500, 1000}));
}

} // namespace
