// Every dialog of the planner, by its resource id, on a real X display with a window manager
// (the RealDisplay test runs this program there): each opens within a 1024 x 768 screen with
// all its buttons inside it, and has the same size each time it opens. Windows that the
// offscreen platform lays out differently are seen here as a user sees them.
#include "app/PrintOptionsDlg.h"
#include "app/MainToolbar.h"
#include "app/PrintPreviewFrame.h"
#include "app/StellumStatusBar.h"
#include "app/TStellumAboutDlg.h"
#include "app/TStellumApp.h"
#include "app/TStellumMDIChild.h"
#include "app/TStellumMDIClient.h"
#include "app/tests/program_dir.h"
#include "catalog/BrightFltDlg.h"
#include "catalog/CommonNameDlg.h"
#include "catalog/HistoryFltDlg.h"
#include "catalog/ModifyFilterDialog.h"
#include "catalog/NameFltDlg.h"
#include "catalog/PositFltDlg.h"
#include "catalog/RaDecFltDlg.h"
#include "catalog/SizeFltDlg.h"
#include "catalog/SortNGCdlg.h"
#include "catalog/TFind.h"
#include "catalog/TypeFilterDialog.h"
#include "catalog/brightDlg.h"
#include "catalog/constFilter.h"
#include "catalog/shapeDlg.h"
#include "catalog/sizeDlg.h"
#include "catalog/visible.h"
#include "chart/CoordEntryDlg.h"
#include "chart/EnterLabelDialog.h"
#include "chart/LabelDlg.h"
#include "chart/StarPlotDlg.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/Document.h"
#include "framework/gui/MDIFrame.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/ScreenFit.h"
#include "globals/Globals.h"
#include "obslog/FindDialog.h"
#include "obslog/HdrDialog.h"
#include "obslog/LogDocument.h"
#include "obslog/ObsDialog.h"
#include "planner/STLM4viewCommands.h"
#include "ui/RScolor.h"
#include "ui/StellumConfig.h"
#include "ui/Clocks.h"
#include "ui/CountryDlg.h"
#include "ui/ExportOptionsDialog.h"
#include "ui/ListChooser.h"
#include "ui/Locate.h"
#include "ui/ObsSessionDlg.h"
#include "ui/TStatusDlg.h"
#include "ui/timedate.h"
#include "ui/tZoneDlg.h"

#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace apptest;

namespace {

// The program on its delivered samples, the log and the planner open.
class ScreenFit : public ::testing::Test {
protected:
    void SetUp() override
    {
        STELLUM_REQUIRE_DATA(program_.DataDir());
        for (const char* sample : {"User/Sample.sl4", "User/Sample.log"})
            ASSERT_TRUE(testsupport::WriteFileBytes(program_.Path(sample),
                                                    testsupport::ReadFileBytes(program_.DataDir() + sample)));
        app_ = program_.App();
        // The planner as it was left maximised, the log beside it.
        AppGlobals.stellumConfig->plannerWindowState |= StellumConfig::kStateMaximized;
        ASSERT_TRUE(app_->InitInstance());
        for (fw::Document* doc : app_->GetDocManager()->GetDocuments())
            if (auto* log = dynamic_cast<LogDocument*>(doc)) log_ = log;
        ASSERT_NE(log_, nullptr) << "the sample log opened";
        frame_ = app_->GetMainWindow();
    }
    void TearDown() override
    {
        RScolor::Instance() = colors_;
        if (app_) {
            EXPECT_TRUE(frame_->close());
            app_.reset();
        }
    }

    ProgramDir program_;
    const RScolor colors_ = RScolor::Instance();
    fw::ScriptedMessageBoxes boxes_;
    std::unique_ptr<TStellumApp> app_;
    LogDocument* log_ = nullptr;
    fw::MDIFrame* frame_ = nullptr;
};

TEST_F(ScreenFit, EveryPlannerDialogFitsTheScreenAndKeepsItsSize)
{
    STELLUM_REQUIRE_REAL_DISPLAY();
    QWidget* parent = frame_;
    LogDocument& log = *log_;
    const std::string statusLog = program_.Path("status-test.txt");
    // Resource id, class and how the program makes it.
    const std::vector<testsupport::ScreenEntry<fw::Dialog>> dialogs = {
        {1, "SortNGCdlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<SortNGCdlg>(parent); }},
        {2, "TypeFilterDialog", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<TypeFilterDialog>(parent); }},
        {3, "ModifyFilterDialog", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<ModifyFilterDialog>(parent); }},
        {4, "PositFltDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<PositFltDlg>(parent); }},
        {5, "timedate", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<timedate>(parent); }},
        {6, "Locate", [=]() -> std::unique_ptr<fw::Dialog> {
             return std::make_unique<Locate>(parent, UserDirectory + "prefloc.rsx", ProgramDirectory + "defloc.rsx");
         }},
        {7, "sizeDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<sizeDlg>(parent); }},
        {8, "StarPlotDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<StarPlotDlg>(parent); }},
        {9, "brightDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<brightDlg>(parent); }},
        {10, "shapeDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<shapeDlg>(parent); }},
        {11, "tZoneDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<tZoneDlg>(parent); }},
        {12, "Clocks", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<Clocks>(parent); }},
        {13, "visible", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<visible>(parent); }},
        {14, "TStatusDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<TStatusDlg>(parent, statusLog); }},
        {15, "NameFltDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<NameFltDlg>(parent); }},
        {16, "BrightFltDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<BrightFltDlg>(parent); }},
        {19, "ListChooser", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<ListChooser>(parent, 0); }},
        {20, "FindDialog", [=, &log]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<FindDialog>(parent, &log.Header()); }},
        {23, "constFilter", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<constFilter>(parent); }},
        {24, "TFind", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<TFind>(parent); }},
        {25, "RaDecFltDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<RaDecFltDlg>(parent); }},
        {26, "SizeFltDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<SizeFltDlg>(parent); }},
        {28, "HistoryFltDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<HistoryFltDlg>(parent); }},
        {29, "CommonNameDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<CommonNameDlg>(parent); }},
        {30, "PrintOptionsDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<PrintOptionsDlg>(parent); }},
        {31, "EnterLabelDialog", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<EnterLabelDialog>(parent); }},
        {32, "CoordEntryDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<CoordEntryDlg>(parent); }},
        {33, "ObsSessionDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<ObsSessionDlg>(parent); }},
        {35, "ExportOptionsDialog", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<ExportOptionsDialog>(parent); }},
        {40, "LabelDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<LabelDlg>(parent); }},
        {220, "CountryDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<CountryDlg>(parent, ProgramDirectory + "defloc.rsx"); }},
        {230, "ObsDialog", [=, &log]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<ObsDialog>(parent, log); }},
        {260, "HdrDialog", [=, &log]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<HdrDialog>(parent, log.Header(), log.DefaultHeader()); }},
        {22000, "TStellumAboutDlg", [=]() -> std::unique_ptr<fw::Dialog> { return std::make_unique<TStellumAboutDlg>(parent); }},
        {0, "PrintPreviewFrame", [=]() -> std::unique_ptr<fw::Dialog> {
             QImage page(850, 1100, QImage::Format_RGB32);
             page.fill(Qt::white);
             return std::make_unique<PrintPreviewFrame>(parent, page, fw::Size(8500, 11000));
         }},
    };
    const bool logFormOpen = ObservingLogOpen;
    for (const auto& entry : dialogs) {
        SCOPED_TRACE(entry.Name());
        testsupport::CheckFitsAndKeepsItsSize<fw::Dialog>(entry, [](fw::Dialog& d) { d.EnsureSetUp(); });
        // A second form on the log leaves the flag of the one the program shows cleared.
        ObservingLogOpen = logFormOpen;
    }

    // The main window with both documents open.
    SCOPED_TRACE("main window");
    frame_->show();
    testsupport::CheckFits(*frame_);
    testsupport::SaveScreenSnapshot("screen-main-window.png");
}

TEST_F(ScreenFit, TheLogOpensBesideTheMaximisedPlannerWithItsTitleBar)
{
    frame_->show();
    QApplication::processEvents();
    TStellumMDIClient* client = app_->GetClient();
    TStellumMDIChild* planner = client->FirstChildOfKind(TStellumMDIChild::kPlanner);
    TStellumMDIChild* log = client->FirstChildOfKind(TStellumMDIChild::kLog);
    ASSERT_TRUE(planner && log);
    client->ActivateChild(log);
    QApplication::processEvents();
    EXPECT_TRUE(planner->isMaximized()) << "the planner stays as it was left";
    EXPECT_FALSE(log->isMaximized()) << "the log's form keeps its own size and title bar";
    EXPECT_GT(log->height(), log->widget()->height()) << "a title bar above the form";
    EXPECT_EQ(frame_->windowTitle().toStdString(), "Stellum - [Sample.log]");
    client->ActivateChild(planner);
    QApplication::processEvents();
    EXPECT_EQ(frame_->windowTitle().toStdString(), "Stellum - [Sample.sl4]");
    client->ActivateChild(log);
    testsupport::CheckFits(*frame_);
    testsupport::SaveScreenSnapshot("screen-log-beside-planner.png");
}

TEST_F(ScreenFit, NightSchemeDarkensTheWholeWindow)
{
    frame_->show();
    const QPalette day = QApplication::palette();
    const auto dark = [](const QWidget* w) {
        const QColor c = w->palette().color(QPalette::Window);
        return c.green() == 0 && c.blue() == 0 && c.red() < 64;
    };
    ASSERT_TRUE(frame_->RouteCommand(CM_NIGHTVISIONSCHEME));
    QApplication::processEvents();
    for (const QWidget* part : {static_cast<const QWidget*>(frame_->menuBar()),
                                static_cast<const QWidget*>(app_->GetStatusBar()),
                                static_cast<const QWidget*>(app_->GetToolbar()),
                                static_cast<const QWidget*>(frame_)})
        EXPECT_TRUE(dark(part)) << part->metaObject()->className();
    EXPECT_EQ(frame_->menuBar()->palette().color(QPalette::ButtonText),
              TStellumApp::NightVisionPalette().color(QPalette::ButtonText));
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        testsupport::WaitForWindowManager(*frame_);
        testsupport::SaveScreenSnapshot("screen-night-scheme.png");
    }
    ASSERT_TRUE(frame_->RouteCommand(CM_NORMALCOLORSCHEME));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::palette(), day) << "the desktop's palette comes back";
    EXPECT_FALSE(dark(frame_->menuBar()));
    // Night again, and the program's end gives the desktop its palette back.
    ASSERT_TRUE(frame_->RouteCommand(CM_NIGHTVISIONSCHEME));
    EXPECT_TRUE(frame_->close());
    app_.reset();
    EXPECT_EQ(QApplication::palette(), day);
}

} // namespace
