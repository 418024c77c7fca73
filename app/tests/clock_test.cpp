// The planner's clock on the real data files, driven by a clock of the test's own: the ticks
// that do nothing, the first tick's change, a new night at local noon and a moved site that
// recompute the daily values once, a tick that arrives while the views are being told, the
// retry question asked once however many ticks arrive, and the session command's notice.
#include "app/StellumMenus.h"
#include "app/StellumStatusBar.h"
#include "app/TStellumApp.h"
#include "app/tests/program_dir.h"
#include "app/tests/test_templates.h"
#include "astro/ObsSite.h"
#include "astro/TimeDate.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/Document.h"
#include "framework/gui/MDIFrame.h"
#include "framework/gui/MessageBox.h"
#include "framework/gui/View.h"
#include "globals/Globals.h"
#include "globals/ViewEvents.h"
#include "ui/ObsSessionDlg.h"
#include "ui/timedate.h"
#include "ui/tZoneDlg.h"
#include "ui/TStatusDlg.h"

#include <gtest/gtest.h>

using namespace apptest;

namespace {

class Clock : public ::testing::Test {
protected:
    void SetUp() override
    {
        STELLUM_REQUIRE_DATA(program_.DataDir());
        // 10:00 in the morning, local time at the site, by the program's clock.
        TimeDate::SetClock([this] { return local_; });
        ASSERT_TRUE(testsupport::WriteFileBytes(program_.Path("plan.sl4"), "plan\n"));
        app_ = program_.App();
        ASSERT_TRUE(app_->InitInstance());
        FollowSystemClock = true;
        app_->OpenFiles({program_.Path("plan.sl4")});
        ASSERT_EQ(app_->GetDocManager()->GetDocuments().size(), 1u);
        fw::View* view = app_->GetDocManager()->GetDocuments()[0]->FirstView();
        ASSERT_NE(view, nullptr);
        view->OnNotify(vnAppEvent, [this](std::intptr_t code) {
            codes_.push_back(static_cast<int>(code));
            if (onNotice_) onNotice_();
            return true;
        });
        frame_ = app_->GetMainWindow();
        // The first tick finds the clock moved since start-up.
        Tick();
        codes_.clear();
    }
    void TearDown() override
    {
        if (app_) {
            frame_->close();
            app_.reset();
        }
    }
    void Tick() { frame_->FireTimer(TStellumApp::kClockTimer); }
    void Advance(int seconds)
    {
        const JulianDate t = JulianDate(local_) + seconds / 86400.0;
        local_ = t.Calendar();
    }
    int DailyRuns() const
    {
        int n = 0;
        for (int i = 0; i < StatusWindow->LineCount(); ++i)
            n += StatusWindow->Line(i).rfind("Calculating Lunar Coordinates", 0) == 0;
        return n;
    }

    ProgramDir program_;
    TestTemplates templates_;
    fw::ScriptedMessageBoxes boxes_;
    TimeDate local_ = TimeDate(2026, 10, 10, 10, 0, 0);
    std::unique_ptr<TStellumApp> app_;
    fw::MDIFrame* frame_ = nullptr;
    std::vector<int> codes_;
    std::function<void()> onNotice_;
};

TEST_F(Clock, TicksThatDoNothing)
{
    struct Case {
        const char* what;
        std::function<void()> set, reset;
    } cases[] = {
        {"before start-up", [] { TStellumApp::startupComplete = false; }, [] { TStellumApp::startupComplete = true; }},
        {"manual time", [] { FollowSystemClock = false; }, [] { FollowSystemClock = true; }},
        {"printing", [] { PrintingCount = 1; }, [] { PrintingCount = 0; }},
        {"suspended", [] { UpdateInProgress = 1; }, [] { UpdateInProgress = 0; }},
    };
    for (const Case& c : cases) {
        const double before = AppGlobals.now->JD();
        Advance(30);
        c.set();
        Tick();
        c.reset();
        EXPECT_TRUE(codes_.empty()) << c.what;
        if (std::string(c.what) != "suspended") {
            EXPECT_EQ(AppGlobals.now->JD(), before) << c.what;
        }
        codes_.clear();
    }
    // The clock runs again: one notice of the moved instant.
    Tick();
    EXPECT_EQ(codes_, std::vector<int>{aeNowChanged});
}

TEST_F(Clock, NoonStartsANewNightAndAMovedSiteRecomputesTheDay)
{
    Advance(1);
    Tick();
    EXPECT_EQ(codes_, std::vector<int>{aeNowChanged});
    Tick();
    EXPECT_EQ(codes_, std::vector<int>{aeNowChanged}) << "no change, no notice";

    // 11:59:59 still belongs to last night; 12:00:00 to the next.
    const int runs = DailyRuns();
    const double lastNight = TStellumApp::lastNight.JD();
    local_ = TimeDate(2026, 10, 10, 11, 59, 59);
    codes_.clear();
    Tick();
    EXPECT_EQ(codes_, std::vector<int>{aeNowChanged});
    EXPECT_EQ(TStellumApp::lastNight.JD(), lastNight);
    local_ = TimeDate(2026, 10, 10, 12, 0, 0);
    codes_.clear();
    Tick();
    EXPECT_EQ(codes_, (std::vector<int>{aeNewNight, aeNowChanged}));
    EXPECT_NEAR(TStellumApp::lastNight.JD() - lastNight, 1.0, 1e-9);
    EXPECT_EQ(DailyRuns(), runs + 1) << "the daily values once";

    // A moved site recomputes them too, whatever the time.
    AppGlobals.site->SetName("Elsewhere");
    codes_.clear();
    Tick();
    EXPECT_EQ(codes_, std::vector<int>{aeNewNight});
    EXPECT_EQ(DailyRuns(), runs + 2);
    EXPECT_EQ(TStellumApp::savedSite, *AppGlobals.site);
}

TEST_F(Clock, TickWhileNotifyingUpdatesTheStatusBarOnly)
{
    onNotice_ = [this] {
        onNotice_ = nullptr;
        local_ = TimeDate(2026, 10, 10, 10, 42, 0);
        Tick();
    };
    Advance(60);
    Tick();
    EXPECT_EQ(codes_, std::vector<int>{aeNowChanged}) << "the inner tick told no one";
    EXPECT_NE(app_->GetStatusBar()->GadgetText(StellumStatusBar::kLocalTimeGadget).find("10:42"), std::string::npos);
    codes_.clear();
    Tick();
    EXPECT_EQ(codes_, std::vector<int>{aeNowChanged}) << "the next tick tells of the instant the inner one read";
}

TEST_F(Clock, RetryQuestionIsAskedOnceHoweverManyTicksArrive)
{
    RiseSetTransit* moon = AppGlobals.moonRst;
    AppGlobals.moonRst = nullptr;
    int asked = 0;
    {
        fw::Responder<fw::MessageBoxSeam> answer([&](const fw::MessageBoxCall& call) {
            EXPECT_EQ(call.text, "Possible Initialization Error - Attempt Retry?");
            ++asked;
            // Ticks go on arriving while the question is open.
            for (int i = 0; i < 10; ++i) Tick();
            return fw::IDIGNORE;
        });
        Tick();
        EXPECT_EQ(asked, 1);
        Tick();
        EXPECT_EQ(asked, 2) << "asked again at the next tick once the first was answered";
    }
    AppGlobals.moonRst = moon;
    EXPECT_TRUE(codes_.empty());
}

TEST_F(Clock, ObservingSessionNoStillNotifiesThePositionFilter)
{
    fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
        d.PressButton(fw::IDOK);
        return fw::IDCANCEL;
    });
    fw::ScriptedMessageBoxes boxes({fw::IDNO});
    ASSERT_TRUE(frame_->RouteCommand(CM_OBSERVINGSESSION));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].title, "Position Filter Changed");
    EXPECT_EQ(boxes.Calls()[0].text, "Refilter Database?");
    EXPECT_EQ(codes_, std::vector<int>{aePositionFilterChanged});
    EXPECT_EQ(dialogs.Captions().at(0), "Observing Session Times");
}

} // namespace

namespace {

TEST_F(Clock, ManualTimeAndTimeZoneCommandsMoveTheClock)
{
    // Manual time: the dialog's local time becomes now, and the clock stops following.
    {
        fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
            d.PressButton(timedate::kManual);
            d.SetControlText(timedate::kHour, "22");
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        });
        ASSERT_TRUE(frame_->RouteCommand(CM_MANUALTIME));
        EXPECT_EQ(dialogs.Count(), 1);
    }
    EXPECT_FALSE(FollowSystemClock);
    EXPECT_EQ(AppGlobals.site->ToLocal(*AppGlobals.now).hour, 22);
    EXPECT_EQ(codes_, (std::vector<int>{aeNewNight, aeNowChanged, aePositionFilterChanged}))
        << "22:00 is past noon: the next night, and the position filter follows it";
    EXPECT_EQ(boxes_.Last().text, "Refilter Database?");
    EXPECT_EQ(frame_->QueryRoute(CM_MANUALTIME).check, fw::BF_CHECKED);

    // Time zone: Pacific, not the location; the site's zone changes and the daily values follow.
    codes_.clear();
    {
        fw::ScriptedDialogs dialogs([](fw::Dialog& d) {
            d.PressButton(tZoneDlg::kPacific);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        });
        fw::ScriptedMessageBoxes boxes({fw::IDNO, fw::IDNO});
        ASSERT_TRUE(frame_->RouteCommand(CM_TIMEZONE));
        ASSERT_EQ(boxes.Calls().size(), 2u);
        EXPECT_EQ(boxes.Calls()[0].text, "Do you want to modify the site location?");
        EXPECT_EQ(boxes.Calls()[1].text, "Refilter Database?") << "a new zone moves the session: as the session dialog";
    }
    EXPECT_EQ(AppGlobals.site->ZoneName(), "PACIFIC");
    EXPECT_EQ(AppGlobals.site->UtcOffset(), 480);
    EXPECT_EQ(codes_.front(), aeNewNight);
    EXPECT_EQ(codes_.back(), aePositionFilterChanged);

    // System time again: the clock follows the computer once more.
    ASSERT_TRUE(frame_->RouteCommand(CM_SYSTEMTIME));
    EXPECT_TRUE(FollowSystemClock);
    EXPECT_EQ(AppGlobals.site->ToLocal(*AppGlobals.now), local_);
}

} // namespace
