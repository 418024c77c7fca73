// The planner's and the log's printouts on the real catalogue with a recording planner view:
// pages and cells, the session shared out among the objects, the text lines and their copy,
// the report's pages, and everything put back afterwards.
#include "app/Printouts.h"
#include "astro/ObsSite.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/RecordingDC.h"
#include "framework/testsupport/TestSupport.h"
#include "globals/Globals.h"
#include "obslog/LogDocument.h"
#include "obslog/LogReport.h"

#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

ObjectId Ngc(std::uint32_t n) { return ObjectId::FromCatalogue(1, n); }

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class RecordingView : public PlannerPrintView {
public:
    int saved = 0, restored = 0;
    std::vector<ObjectId> shown;
    std::vector<double> shownAt; // the current time at each object, Julian days
    std::vector<fw::Rect> cells;
    std::int32_t timeStep = -1;

    void SavePrintState() override
    {
        ++saved;
        ++PrintingCount;
    }
    void RestorePrintState() override
    {
        ++restored;
        --PrintingCount;
    }
    void ShowObject(ObjectId id) override
    {
        shown.push_back(id);
        shownAt.push_back(AppGlobals.now->JD());
    }
    void PaintPanesToDC(fw::DC& dc, const fw::Rect& cell) override
    {
        cells.push_back(cell);
        dc.Rectangle(cell);
    }
    std::string GetObjectFieldText(ObjectId id, int code) override
    {
        return code == 1 ? std::string() : "NGC " + std::to_string(id.Number()) + " field " + std::to_string(code);
    }
    void SetTimeStep(std::int32_t seconds) override { timeStep = seconds; }
};

class Printouts : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string data = testsupport::ProgramDataDir("ngc2k.rsx");
        STELLUM_REQUIRE_DATA(data);
        testsupport::LinkProgramFiles(data, dir_.path(), {"ngc2k.rsx", "dreyer.rsx", "User/comname.txt"});
        saved_ = AppGlobals;
        UserDirectory = dir_.file("User/");
        site_ = ObsSite(Angle(77.0, Angle::kDegrees), Angle(38.9, Angle::kDegrees), "Washington", -5, Distance());
        now_ = JulianDate::FromCalendar(2026, 10, 16, 3, 0, 0);
        AppGlobals.site = &site_;
        AppGlobals.now = &now_;
        db_ = std::make_unique<NGC2000Indexes>(dir_.path());
        AppGlobals.database = db_.get();
        printer_.SetOutputFile(dir_.file("out.pdf"));
    }
    void TearDown() override
    {
        db_.reset();
        AppGlobals = saved_;
    }
    // An observing list of the first n NGC objects.
    void ObservingList(int n)
    {
        db_->ClearObservingList();
        for (int i = 1; i <= n; ++i) db_->AddToObservingList(Ngc(static_cast<std::uint32_t>(i * 10)));
        ASSERT_EQ(db_->CountOf(Browser::kObservingList), n);
    }
    void Session(int startHour, int endHour)
    {
        FilterSettings f = db_->GetFilterSettings();
        f.sessionStartHour = static_cast<std::int16_t>(startHour);
        f.sessionStartMinute = 0;
        f.sessionEndHour = static_cast<std::int16_t>(endHour);
        f.sessionEndMinute = 0;
        db_->SetFilterSettings(f, false);
    }
    std::string Pdf() const { return testsupport::ReadFileBytes(dir_.file("out.pdf")); }

    testsupport::TempDir dir_;
    AppGlobalsBlock saved_;
    ObsSite site_;
    JulianDate now_;
    std::unique_ptr<NGC2000Indexes> db_;
    fw::Printer printer_;
    RecordingView view_;
};

TEST_F(Printouts, GraphicsPagesFollowTheCellsPerPage)
{
    ObservingList(13);
    const struct {
        int format;
        int pages;
        int lastPageCells;
    } cases[] = {{2, 4, 1}, {7, 2, 5}, {1, 13, 1}};
    for (const auto& c : cases) {
        printer_.SetOrientation(PrintFormatWindow::IsLandscape(c.format) ? fw::PageOrientation::Landscape
                                                                         : fw::PageOrientation::Portrait);
        RecordingView view;
        {
            NGCprintout printout("All Observing List Objects", view, printer_, c.format, PrintSourceObservingList);
            ASSERT_TRUE(printer_.Print(nullptr, printout, false)) << printer_.LastError();
            EXPECT_EQ(printout.PageCount(), c.pages) << c.format;
        }
        EXPECT_EQ(testsupport::PdfPageCount(Pdf()), c.pages) << c.format;
        ASSERT_EQ(view.shown.size(), 13u) << c.format;
        EXPECT_EQ(view.shown.front(), Ngc(10));
        EXPECT_EQ(view.shown.back(), Ngc(130));
        EXPECT_EQ(view.saved, 1);
        EXPECT_EQ(view.restored, 1);
    }
    EXPECT_EQ(PrintingCount, 0);
}

TEST_F(Printouts, TheSessionIsSharedOutAndEverythingIsPutBack)
{
    ObservingList(8);
    Session(21, 1); // four hours across midnight: half an hour per object
    db_->SelectList(Browser::kObservingList);
    db_->GoTo(5);
    db_->SelectList(Browser::kFilteredList);
    FollowSystemClock = false;
    const double before = now_.JD();
    {
        NGCprintout printout("All Observing List Objects", view_, printer_, 7, PrintSourceObservingList);
        EXPECT_NEAR(printout.TimeStepDays() * 24 * 60, 30.0, 1e-9);
        // 2026 October 15, 23:00 local at the site: the session starts at 21:00 that date.
        EXPECT_NEAR(printout.SessionStart().JD(),
                    site_.LocalToUT(TimeDate(2026, 10, 15, 21, 0, 0)).JD(), 1e-9);
        ASSERT_TRUE(printer_.Print(nullptr, printout, false));
    }
    ASSERT_EQ(view_.shownAt.size(), 8u);
    for (std::size_t i = 1; i < view_.shownAt.size(); ++i)
        EXPECT_NEAR((view_.shownAt[i] - view_.shownAt[i - 1]) * 24 * 60, 30.0, 1e-6) << i;
    EXPECT_EQ(now_.JD(), before);
    EXPECT_FALSE(FollowSystemClock);
    EXPECT_EQ(db_->Selected(), Browser::kFilteredList);
    EXPECT_EQ(db_->IndexOf(Browser::kObservingList), 5);
    FollowSystemClock = true;
}

TEST_F(Printouts, EmptyListPrintsNothingAndDividesByNothing)
{
    db_->ClearObservingList();
    NGCprintout printout("All Observing List Objects", view_, printer_, 2, PrintSourceObservingList);
    EXPECT_EQ(printout.TimeStepDays(), 0.0);
    EXPECT_FALSE(printer_.Print(nullptr, printout, false));
    EXPECT_EQ(printer_.LastError(), "nothing to print");
    EXPECT_TRUE(view_.shown.empty());
    EXPECT_EQ(view_.restored, view_.saved) << "the view is put back also when nothing prints";
}

TEST_F(Printouts, MarginsShrinkTheCellsArea)
{
    ObservingList(1);
    NGCprintout::margins = fw::PageMargins{1000, 1000, 1000, 1000};
    NGCprintout printout("One", view_, printer_, 1, PrintSourceObservingList);
    fw::RecordingDC dc(printer_.PageSize(), printer_.DotsPerInchX(), printer_.DotsPerInchY());
    printout.SetPrintParams(&dc, printer_.PageSize());
    // The device's own margins are already outside the page.
    const fw::PageMargins device = printer_.MinimumMargins();
    const int left = (1000 - device.left) * printer_.DotsPerInchX() / 1000;
    const int right = (1000 - device.right) * printer_.DotsPerInchX() / 1000;
    EXPECT_EQ(printout.GetPageSize().cx, printer_.PageSize().cx - left - right);
    const fw::Rect cell = PrintFormatWindow::GetCellRect(printout.Cells(), 1);
    EXPECT_EQ(cell.left, left + static_cast<int>(0.03 * printout.GetPageSize().cx));
}

TEST(TextPageMetrics, OrientationMarginsAndLines)
{
    fw::TextMetrics font;
    font.height = 40;
    font.internalLeading = 10;
    font.maxCharWidth = 25;
    // 600 dpi, a portrait page: margins of 300; (6600 - 600) / 50 - 1 = 119 lines.
    TextPageMetrics m = TextPageMetrics::Compute(fw::Size(5100, 6600), 600, 300, false, font);
    EXPECT_EQ(m.leftMargin, 300);
    EXPECT_EQ(m.topMargin, 150);
    EXPECT_EQ(m.linesPerPage, (6600 - 300) / 50 - 1);
    EXPECT_EQ(m.charsPerLine, (5100 - 600) / 25 - 1);
    // A landscape device with a portrait page size: sides and resolutions exchanged first.
    m = TextPageMetrics::Compute(fw::Size(5100, 6600), 600, 300, true, font);
    EXPECT_EQ(m.width, 6600);
    EXPECT_EQ(m.height, 5100);
    EXPECT_EQ(m.leftMargin, 150);
    EXPECT_EQ(m.topMargin, 300);
}

TEST_F(Printouts, TextPagesAndTheirCopy)
{
    ObservingList(7);
    Session(21, 23);
    TextPrintout printout(printer_, "All Observing List Objects", view_, PrintSourceObservingList);
    EXPECT_EQ(view_.timeStep, 2 * 3600 / 7);
    ASSERT_TRUE(printer_.Print(nullptr, printout, false));
    const int lines = printout.Metrics().linesPerPage;
    EXPECT_EQ(printout.ObjectsPerPage(), std::max(1, (lines - 2) / 18));
    EXPECT_EQ(printout.PageCount(), (7 + printout.ObjectsPerPage() - 1) / printout.ObjectsPerPage());
    EXPECT_EQ(testsupport::PdfPageCount(Pdf()), printout.PageCount());

    const std::vector<std::string> copy = Lines(testsupport::ReadFileBytes(dir_.file("User/prntxt.txt")));
    ASSERT_EQ(copy.size(), static_cast<std::size_t>(printout.PageCount() + 7 * 18));
    EXPECT_EQ(copy[0].rfind("Stellum Observing List for ", 0), 0u) << copy[0];
    EXPECT_NE(copy[0].find(" page 1 of " + std::to_string(printout.PageCount())), std::string::npos);
    EXPECT_EQ(copy[1], "") << "field 1 loads the object";
    EXPECT_EQ(copy[2], "NGC 10 field 2");
    EXPECT_EQ(copy[18], "NGC 10 field 18");
}

TEST(TextPrintout, ObjectsPerPageNeverNone)
{
    const struct {
        int lines, objects;
    } cases[] = {{60, 3}, {56, 3}, {55, 2}, {20, 1}, {19, 1}, {2, 1}, {0, 1}, {-1, 1}};
    for (const auto& c : cases) EXPECT_EQ(TextPrintout::ObjectsPerPage(c.lines), c.objects) << c.lines;
}

TEST_F(Printouts, LogReportPagesStartAtTheirFormFeeds)
{
    const std::string report = "first page line\nmore\n\f\nsecond page line\n<ERROR>\nnot printed\n\f\nthird\n<END OF FILE>\n";
    int asked = 0;
    LogPrintOut printout(printer_, "night.log", [&](int chars, int lines, const std::string& path, int mode) {
        ++asked;
        EXPECT_GT(chars, 0);
        EXPECT_GT(lines, 0);
        EXPECT_EQ(mode, 0);
        testsupport::WriteFileBytes(path, report);
        return 3;
    });
    EXPECT_EQ(printout.reportPath, dir_.file("User/OBSLOG.TXT"));
    fw::RecordingDC dc(printer_.PageSize(), printer_.DotsPerInchX(), printer_.DotsPerInchY());
    printout.SetPrintParams(&dc, printer_.PageSize());
    EXPECT_EQ(printout.GetDialogInfo().maxPage, 3);
    printout.BeginPrinting();
    auto texts = [&](int page) {
        dc.Clear();
        printout.PrintPage(page);
        std::vector<std::string> t;
        for (const auto& call : dc.CallsOf("TextOut")) t.push_back(call.text);
        return t;
    };
    EXPECT_EQ(texts(3), (std::vector<std::string>{"Stellum Observing Log (night.log)", "third", "Page 3"}));
    EXPECT_EQ(texts(2), (std::vector<std::string>{"Stellum Observing Log (night.log)", "second page line", "Page 2"}));
    EXPECT_EQ(texts(1), (std::vector<std::string>{"Stellum Observing Log (night.log)", "first page line", "more", "Page 1"}));
    printout.EndPrinting();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(texts(1).empty()) << "a closed report prints nothing";
}

// The delivered "Sample.log" printed through its report, as the log window prints it.
TEST_F(Printouts, DeliveredSampleLogPrints)
{
    const std::string data = testsupport::ProgramDataDir("User/Sample.log");
    STELLUM_REQUIRE_DATA(data);
    ASSERT_TRUE(testsupport::WriteFileBytes(dir_.file("User/Sample.log"),
                                            testsupport::ReadFileBytes(data + "User/Sample.log")));
    LogDocument log(dir_.path(), dir_.file("User/"));
    ASSERT_TRUE(log.Open(0, dir_.file("User/Sample.log")));
    LogReport report(log);
    LogPrintOut printout(printer_, "Sample.log", [&](int chars, int lines, const std::string& path, int mode) {
        return report.PrintLogToTextFile(chars, lines, path, mode != 0);
    });
    ASSERT_TRUE(printer_.Print(nullptr, printout, false));
    const int pages = testsupport::PdfPageCount(Pdf());
    EXPECT_EQ(pages, printout.PageCount());
    EXPECT_GE(pages, 2) << "seven observations with their notes fill more than a page";
    const std::string text = testsupport::ReadFileBytes(dir_.file("User/OBSLOG.TXT"));
    EXPECT_NE(text.find("M 31"), std::string::npos);
    EXPECT_NE(text.find("Trapezium"), std::string::npos);
    // The first page as a picture, for a person to look at.
    const std::string png = testsupport::SnapshotPath("print_sample_log.png");
    if (!png.empty())
        QProcess::execute("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile",
                                       QString::fromStdString(dir_.file("out.pdf")),
                                       QString::fromStdString(png.substr(0, png.size() - 4))});
}

} // namespace
