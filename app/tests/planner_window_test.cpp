// The planner as a user meets it: the program started on the real data files opens the
// delivered "Sample.sl4" with its three panes filled, the planner's commands reach the view by
// their ids through the main window, and the sample's observing list prints.
#include "app/TStellumApp.h"
#include "app/TStellumMDIChild.h"
#include "app/TStellumMDIClient.h"
#include "app/PrintFormatWindow.h"
#include "app/tests/print_choice.h"
#include "app/tests/program_dir.h"
#include "app/StellumMenus.h"
#include "astro/ObsSite.h"
#include "astro/TimeDate.h"
#include "catalog/NGC2000Indexes.h"
#include "catalog/SortNGCdlg.h"
#include "ui/DropWindowPane.h"
#include "chart/ChartPane.h"
#include "chart/ChartWindow.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/Document.h"
#include "framework/gui/FileDialog.h"
#include "framework/gui/Help.h"
#include "framework/gui/PopupMenu.h"
#include "framework/gui/MDIFrame.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/Printer.h"
#include "framework/testsupport/Snapshot.h"
#include "globals/Globals.h"
#include "planner/AltitudePlotWindow.h"
#include "planner/GraphPane.h"
#include "planner/STLM4view.h"
#include "planner/TextPane.h"
#include "ui/ExportOptionsDialog.h"
#include "ui/RScolor.h"
#include "ui/tZoneDlg.h"

#include <QApplication>
#include <QFocusEvent>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

using namespace apptest;

namespace {

void Settle()
{
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// The program started on a program directory of its own with the delivered sample.
class PlannerWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        STELLUM_REQUIRE_DATA(program_.DataDir());
        const std::string sample = testsupport::ReadFileBytes(program_.DataDir() + "User/Sample.sl4");
        ASSERT_FALSE(sample.empty()) << "the data builder writes User/Sample.sl4";
        ASSERT_TRUE(testsupport::WriteFileBytes(program_.Path("User/Sample.sl4"), sample));
        // The first start opens both samples, the log first.
        ASSERT_TRUE(testsupport::WriteFileBytes(program_.Path("User/Sample.log"),
                                                testsupport::ReadFileBytes(program_.DataDir() + "User/Sample.log")));
        app_ = program_.App();
        ASSERT_TRUE(app_->InitInstance());
        ASSERT_EQ(app_->GetDocManager()->GetDocuments().size(), 2u);
        for (fw::Document* doc : app_->GetDocManager()->GetDocuments())
            if (auto* planner = dynamic_cast<STLM4view*>(doc->FirstView())) view_ = planner;
        ASSERT_NE(view_, nullptr) << "the sample opened in a planner view";
        frame_ = app_->GetMainWindow();
        frame_->resize(1200, 800);
        Settle();
    }
    void TearDown() override
    {
        if (app_) {
            // Nothing was changed that needs saving: the planner closes without a question
            // (the boxes are looked at after the closing, which is what would ask).
            EXPECT_TRUE(frame_->close());
            for (const auto& call : boxes_.Calls()) ADD_FAILURE() << call.title << ": " << call.text;
            app_.reset();
        }
    }

    // Makes the planner view the active window, as a click on it would.
    void ActivatePlanner()
    {
        for (auto* child : app_->GetClient()->subWindowList())
            if (child->widget() == view_) app_->GetClient()->setActiveSubWindow(child);
        Settle();
    }

    ProgramDir program_;
    fw::ScriptedMessageBoxes boxes_;
    std::unique_ptr<TStellumApp> app_;
    STLM4view* view_ = nullptr;
    fw::MDIFrame* frame_ = nullptr;
};

TEST_F(PlannerWindow, SampleOpensWithItsPanesFilledAndCommandsReachTheView)
{
    STLM4view* view = view_;
    fw::MDIFrame* frame = frame_;

    // The first object of the filtered list fills every pane.
    NGC2000Indexes& db = *AppGlobals.database;
    EXPECT_EQ(db.Selected(), Browser::kFilteredList);
    const ObjectId first = db.CurrentObject();
    EXPECT_EQ(view->CurrentObject(), first);
    EXPECT_EQ(view->GetTextPane()->StoredObject(), first);
    EXPECT_EQ(view->GetChartPane()->Chart()->currentObject, first);
    EXPECT_EQ(view->GetGraphPane()->GetCaption(), "Altitude - Flagstaff, Arizona");
    EXPECT_EQ(view->windowTitle().toStdString(), "Sample.sl4 - " + first.Name());
    EXPECT_EQ(AppGlobals.site->Name(), "Flagstaff, Arizona");
    testsupport::SaveSnapshot(*frame, "planner_start.png");
    // The log's form beside it, as the Window menu's Tile would place them.
    app_->GetClient()->tileSubWindows();
    Settle();
    testsupport::SaveSnapshot(*frame, "planner_and_log_tiled.png");
    for (auto* child : app_->GetClient()->subWindowList())
        if (child->widget() == view) {
            app_->GetClient()->setActiveSubWindow(child);
            child->showMaximized();
        }
    Settle();

    // Next, by its id through the main window's command chain.
    ASSERT_TRUE(frame->RouteCommand(CM_NEXT));
    Settle();
    EXPECT_EQ(db.Index(), 1);
    EXPECT_NE(view->CurrentObject(), first);
    EXPECT_EQ(view->GetTextPane()->StoredObject(), view->CurrentObject());
    testsupport::SaveSnapshot(*frame, "planner_next.png");

    // Night vision: the scheme and its check mark follow.
    ASSERT_TRUE(frame->RouteCommand(18412));
    Settle();
    EXPECT_EQ(RScolor::Instance().Scheme(), 1);
    EXPECT_EQ(frame->QueryRoute(18412).check, fw::BF_CHECKED);
    EXPECT_EQ(frame->QueryRoute(18411).check, fw::BF_UNCHECKED);
    testsupport::SaveSnapshot(*frame, "planner_night_vision.png");
    ASSERT_TRUE(frame->RouteCommand(18411));

}

// The observing list of the sample (five objects) in three graphics formats and as text.
TEST_F(PlannerWindow, SampleObservingListPrints)
{
    const std::string pdf = program_.Path("list.pdf");
    app_->GetClient()->Printer().SetOutputFile(pdf);
    const struct {
        int format;
        int pages;
        const char* picture;
    } cases[] = {
        {1, 5, "print_format1.png"},  // one object per landscape page
        {2, 2, "print_format2.png"},  // four per landscape page
        {7, 1, "print_format7.png"},  // eight per portrait page
        {8, 2, "print_text.png"},     // the list as text, three objects a page
    };
    const ObjectId shown = view_->CurrentObject();
    // Manual time, so that no clock tick moves the time between the looks at it.
    FollowSystemClock = false;
    const double now = AppGlobals.now->JD();
    for (const auto& c : cases) {
        std::remove(pdf.c_str());
        fw::ScriptedDialogs dialogs(ChoosePrint(PrintSourceObservingList, c.format, true));
        app_->GetClient()->CmFilePrint();
        ASSERT_EQ(dialogs.Count(), 1) << c.format;
        const std::string bytes = testsupport::ReadFileBytes(pdf);
        EXPECT_EQ(testsupport::PdfPageCount(bytes), c.pages) << c.format;
        EXPECT_EQ(PrintingCount, 0);
        EXPECT_EQ(view_->CurrentObject(), shown) << "the view shows its object again";
        EXPECT_EQ(view_->GetTextPane()->StoredObject(), shown) << "the text pane too, format " << c.format;
        EXPECT_EQ(AppGlobals.now->JD(), now) << "the current time is put back, format " << c.format;
        // The first page as a picture, for a person to look at.
        const std::string png = testsupport::SnapshotPath(c.picture);
        if (!png.empty())
            QProcess::execute("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile",
                                           QString::fromStdString(pdf),
                                           QString::fromStdString(png.substr(0, png.size() - 4))});
    }
    EXPECT_NE(testsupport::ReadFileBytes(program_.Path("User/prntxt.txt")).find("NGC 224"), std::string::npos)
        << "the text printout keeps its copy";

    // The text printout's preview puts the time and the text pane back as well.
    {
        fw::ScriptedDialogs dialogs(std::vector<fw::DialogResponder>{
            ChoosePrint(PrintSourceObservingList, 8, true), [](fw::Dialog&) { return fw::IDCANCEL; }});
        app_->GetClient()->CmFilePrintPreview();
        EXPECT_EQ(dialogs.Count(), 2);
    }
    EXPECT_EQ(view_->GetTextPane()->StoredObject(), shown);
    EXPECT_EQ(AppGlobals.now->JD(), now);
    FollowSystemClock = true;

    // The log window prints the log through its report.
    std::remove(pdf.c_str());
    fw::ScriptedDialogs dialogs(ChoosePrint(PrintSourceLog, 8, false));
    app_->GetClient()->CmFilePrint();
    ASSERT_EQ(dialogs.Count(), 1);
    EXPECT_GE(testsupport::PdfPageCount(testsupport::ReadFileBytes(pdf)), 2);
    EXPECT_NE(testsupport::ReadFileBytes(program_.Path("User/OBSLOG.TXT")).find("M 31 is a Galaxy"), std::string::npos);
}

} // namespace

namespace {

// The paragraph export computes each object for its own moment of the session, in system time
// (the first run's mode) as in manual time: the clock update it asks for keeps the moved time.
TEST_F(PlannerWindow, ParagraphExportSharesOutTheSessionInEitherClockMode)
{
    // The computer's clock in the morning; the sample's session runs from 19:30 to 23:30.
    const TimeDate morning(2026, 10, 10, 10, 0, 0);
    const TimeDate::Clock previous = TimeDate::SetClock([&] { return morning; });
    ActivatePlanner();
    auto exportTo = [&](const std::string& name) {
        fw::ScriptedFileDialogs files({program_.Path(name)});
        fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
            d.PressButton(ExportOptionsDialog::ID_PARAGRAPH);
            d.PressButton(fw::IDOK);
            return fw::IDOK;
        });
        EXPECT_TRUE(frame_->RouteCommand(STLM4view::CM_EXPORT));
        return testsupport::ReadFileBytes(program_.Path(name));
    };
    FollowSystemClock = true;
    app_->UpdateClock();
    const double before = AppGlobals.now->JD();
    const std::string system = exportTo("system.txt");
    EXPECT_TRUE(FollowSystemClock);
    EXPECT_EQ(AppGlobals.now->JD(), before) << "the current time is put back";
    FollowSystemClock = false;
    const std::string manual = exportTo("manual.txt");
    FollowSystemClock = true;
    TimeDate::SetClock(previous);
    ASSERT_NE(system.find("NGC 224"), std::string::npos);
    EXPECT_EQ(system, manual) << "the same session whatever the clock mode";
}

// The time-zone command runs its own clock update though its dialog took the focus from the
// planner view: the site's new zone recomputes the night at once, in manual time too.
TEST_F(PlannerWindow, TimeZoneCommandUpdatesTheClockThoughTheViewLostTheFocus)
{
    ActivatePlanner();
    FollowSystemClock = false;
    const ObsSite before = *AppGlobals.site;
    {
        fw::ScriptedDialogs dialogs([this](fw::Dialog& d) {
            // The dialog takes the focus from the view, as a modal window does.
            QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
            QApplication::sendEvent(view_, &out);
            d.PressButton(tZoneDlg::kPacific);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        });
        fw::ScriptedMessageBoxes boxes({fw::IDNO, fw::IDNO});
        ASSERT_TRUE(frame_->RouteCommand(CM_TIMEZONE));
    }
    EXPECT_EQ(AppGlobals.site->ZoneName(), "PACIFIC");
    EXPECT_EQ(TStellumApp::savedSite, *AppGlobals.site) << "the night's values were made for the new zone";
    EXPECT_EQ(UpdateInProgress, 0);
    // The planner document changed with the site: put it back so that it closes unasked.
    *AppGlobals.site = before;
    FollowSystemClock = true;
    app_->UpdateClock();
}

// A change of site asks what the session dialog asks, and the filter then works with the new
// site's horizon: the sample's list for Flagstaff is made again for a southern site.
TEST_F(PlannerWindow, ChangingTheSiteAsksToRefilter)
{
    ActivatePlanner();
    // The program's clock stands still, so that every refilter below sees the same sky.
    const TimeDate::Clock previous = TimeDate::SetClock([] { return TimeDate(2026, 10, 10, 21, 0, 0); });
    NGC2000Indexes& db = *AppGlobals.database;
    const ObsSite before = *AppGlobals.site;
    {
        fw::ScriptedMessageBoxes boxes({fw::IDYES});
        app_->UpdateClock();
        app_->PositionFilterChanged(nullptr);
    }
    const int northern = db.CountOf(Browser::kFilteredList);
    {
        fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
            d.PressButton(tZoneDlg::kEastern);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        });
        fw::ScriptedMessageBoxes boxes({fw::IDNO, fw::IDYES});
        ASSERT_TRUE(frame_->RouteCommand(CM_TIMEZONE));
        ASSERT_EQ(boxes.Calls().size(), 2u);
        EXPECT_EQ(boxes.Calls()[1].title, "Position Filter Changed");
        EXPECT_EQ(boxes.Calls()[1].text, "Refilter Database?");
    }
    // The site moved south by hand (the locations dialog's own tests cover its list).
    AppGlobals.site->SetPosition(before.Longitude(), Angle(-35.0, Angle::kDegrees), Distance());
    {
        fw::ScriptedMessageBoxes boxes({fw::IDYES});
        app_->PositionFilterChanged(nullptr);
        EXPECT_EQ(boxes.Calls().size(), 1u);
    }
    EXPECT_NEAR(db.GetFilterSettings().elevationWindow.latitude, -35.0, 1e-9);
    EXPECT_NE(db.CountOf(Browser::kFilteredList), northern) << "the southern sky passes, not the northern";
    *AppGlobals.site = before;
    {
        fw::ScriptedMessageBoxes boxes({fw::IDYES});
        app_->PositionFilterChanged(nullptr);
    }
    EXPECT_EQ(db.CountOf(Browser::kFilteredList), northern);
    TimeDate::SetClock(previous);
}

// The time-zone dialog shows the sample's daylight-saving dates by the United States' rule.
TEST_F(PlannerWindow, TimeZoneDialogShowsTheUnitedStatesDates)
{
    const TimeDate::Clock previous = TimeDate::SetClock([] { return TimeDate(2026, 10, 10, 10, 0, 0); });
    std::string begins, ends;
    fw::ScriptedDialogs dialogs([&](fw::Dialog& d) {
        begins = d.ControlText(tZoneDlg::kDstBegins);
        ends = d.ControlText(tZoneDlg::kDstEnds);
        return fw::IDCANCEL;
    });
    ASSERT_TRUE(frame_->RouteCommand(CM_TIMEZONE));
    TimeDate::SetClock(previous);
    EXPECT_EQ(begins, "02:00:00 March 8, 2026");
    EXPECT_EQ(ends, "02:00:00 November 1, 2026");
}

} // namespace

namespace {

// Commands a user reaches from the menus, each by its id through the main window, with what
// it shows or changes.
TEST_F(PlannerWindow, MenuCommandsReachTheirWindows)
{
    ActivatePlanner();
    NGC2000Indexes& db = *AppGlobals.database;

    // Pane settings: each pane's menu at its corner; its Full Pane item fills the view with it.
    const struct {
        int command;
        std::int32_t mode;
    } panes[] = {{STLM4view::CM_CHARTPANESETTINGS, 3},
                 {STLM4view::CM_ALTITUDEPANESETTINGS, 2},
                 {STLM4view::CM_TEXTPANESETTINGS, 1}};
    for (const auto& p : panes) {
        fw::ScriptedMenus menus({CM_TOGGLEFULLPANE});
        ASSERT_TRUE(frame_->RouteCommand(p.command)) << p.command;
        ASSERT_EQ(menus.Shown().size(), 1u) << p.command;
        EXPECT_EQ(menus.Shown()[0].Items()[0].text, "Full Pane");
        Settle();
        EXPECT_EQ(view_->GetPaneMode(), p.mode) << p.command;
        fw::ScriptedMenus back({CM_TOGGLEFULLPANE});
        ASSERT_TRUE(frame_->RouteCommand(p.command));
        EXPECT_EQ(back.Shown()[0].Items()[0].text, "Normal Pane");
        Settle();
        EXPECT_EQ(view_->GetPaneMode(), 0) << p.command;
    }

    // Sort: by magnitude, the brightest object first; the document's order is put back after.
    const SortCriteria sort = db.GetSortCriteria();
    {
        fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
            auto& dialog = dynamic_cast<SortNGCdlg&>(d);
            dialog.criteria.SetKey(1, kSortMagnitude);
            dialog.criteria.SetDirection(1, SortCriteria::kAscending);
            return fw::IDOK;
        });
        ASSERT_TRUE(frame_->RouteCommand(STLM4view::CM_SORT));
        ASSERT_EQ(dialogs.Count(), 1);
        EXPECT_EQ(dialogs.Captions()[0], "Sort Order Selection");
    }
    const double first = db.GetObjectData(db.CurrentObject()).magnitude.Visual();
    db.Next();
    EXPECT_LE(first, db.GetObjectData(db.CurrentObject()).magnitude.Visual()) << "brightest first";
    EXPECT_EQ(db.Index(), 1);
    db.SetSortCriteria(sort, true);
    ASSERT_TRUE(frame_->RouteCommand(CM_FIRST));

    // Refresh redraws the chart with the shown object.
    ASSERT_TRUE(frame_->RouteCommand(STLM4view::CM_REFRESH));
    EXPECT_TRUE(view_->GetChartPane()->Chart()->needsRedraw);
    Settle();

    // Tool Bar hides and shows the tool bar; its menu item's check follows.
    EXPECT_EQ(frame_->QueryRoute(CM_TOOLBAR).check, fw::BF_CHECKED);
    ASSERT_TRUE(frame_->RouteCommand(CM_TOOLBAR));
    EXPECT_EQ(frame_->QueryRoute(CM_TOOLBAR).check, fw::BF_UNCHECKED);
    ASSERT_TRUE(frame_->RouteCommand(CM_TOOLBAR));
    EXPECT_EQ(frame_->QueryRoute(CM_TOOLBAR).check, fw::BF_CHECKED);

    // Lat + Long and Clocks open their dialogs; cancelled, the site stays and nothing is asked.
    const ObsSite site = *AppGlobals.site;
    {
        fw::ScriptedDialogs dialogs([](fw::Dialog&) { return fw::IDCANCEL; });
        ASSERT_TRUE(frame_->RouteCommand(CM_SITELOCATION));
        ASSERT_TRUE(frame_->RouteCommand(CM_CLOCKS));
        EXPECT_EQ(dialogs.Captions(), (std::vector<std::string>{"OBSERVATION LOCATION", "Astronomical Clocks and Data"}));
    }
    EXPECT_EQ(*AppGlobals.site, site);

    // The Help buttons of the four time dialogs show their own help.
    fw::RecordedHelp help;
    fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
        d.PressButton(fw::IDHELP);
        return fw::IDCANCEL;
    });
    for (int command : {CM_MANUALTIME, CM_TIMEZONE, CM_OBSERVINGSESSION, CM_CLOCKS})
        ASSERT_TRUE(frame_->RouteCommand(command)) << command;
    EXPECT_EQ(help.Contexts(), (std::vector<int>{80, 76, 93, 78}));
}

} // namespace
