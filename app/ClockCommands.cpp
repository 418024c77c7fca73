// The planner's clock and the application's time commands: now follows the computer's clock in
// system-time mode, a new night or site recomputes the daily values, and the views of the
// focused document hear of each change; the time, site, time-zone, observing-session and
// clocks commands.
#include "app/TStellumApp.h"

#include "app/StellumStatusBar.h"
#include "astro/ObsSite.h"
#include "catalog/NGC2000Indexes.h"
#include "framework/gui/DocManager.h"
#include "framework/gui/Document.h"
#include "framework/gui/MDIFrame.h"
#include "framework/gui/MessageBox.h"
#include "framework/stream/StringUtil.h"
#include "globals/Globals.h"
#include "globals/ViewEvents.h"
#include "ui/Clocks.h"
#include "ui/Locate.h"
#include "ui/ObsSessionDlg.h"
#include "ui/TStatusDlg.h"
#include "ui/timedate.h"
#include "ui/tZoneDlg.h"

#include <QCoreApplication>

void TStellumApp::EvTimer(int id)
{
    if (startupComplete && id == kClockTimer && PrintingCount == 0 && FollowSystemClock) UpdateClock();
}

void TStellumApp::NotifyCurrentDocViews(int code)
{
    fw::DocManager* manager = GetDocManager();
    if (fw::Document* doc = manager ? manager->GetCurrentDoc() : nullptr) doc->NotifyViews(vnAppEvent, code);
}

bool TStellumApp::DailyValuesOutOfDate()
{
    if (!AppGlobals.site || !AppGlobals.now) return false;
    return *AppGlobals.site != savedSite ||
           AppGlobals.site->MidnightOfNight(*AppGlobals.now).JD() != lastNight.JD();
}

void TStellumApp::UpdateClock()
{
    if (!AllGlobalsInitialized()) {
        // One question at a time: ticks that arrive while it is open ask nothing.
        if (askingRetry_) return;
        askingRetry_ = true;
        const int answer =
            fw::MessageBox(nullptr, "Possible Initialization Error - Attempt Retry?", "", fw::MB_ABORTRETRYIGNORE);
        askingRetry_ = false;
        if (answer == fw::IDABORT) QCoreApplication::exit(0);
        return;
    }
    ObsSite& site = *AppGlobals.site;
    JulianDate& now = *AppGlobals.now;
    if (FollowSystemClock) now = site.NowAsUT();
    const bool nowChanged = now.JD() != lastNotifiedNow.JD();
    const bool newDay = DailyValuesOutOfDate();
    if (statusBar_) statusBar_->UpdateTimes();

    // A tick that arrives while the views are being told (or while the clock is held) stops
    // at the status bar.
    if (UpdateInProgress) return;
    UpdateInProgress = 1;
    if (newDay) {
        UpdateDailyCalculations();
        savedSite = site;
        lastNight = site.MidnightOfNight(now);
        NotifyCurrentDocViews(aeNewNight);
    }
    if (nowChanged) {
        lastNotifiedNow = now;
        NotifyCurrentDocViews(aeNowChanged);
    }
    if (StatusWindow) StatusWindow->HideUnlessPinned();
    UpdateInProgress = 0;
}

// ---- commands ----

void TStellumApp::CmSystemTime()
{
    const double nightBefore =
        AppGlobals.site && AppGlobals.now ? AppGlobals.site->MidnightOfNight(*AppGlobals.now).JD() : 0.0;
    FollowSystemClock = true;
    UpdateClock();
    if (AppGlobals.site && AppGlobals.now && AppGlobals.site->MidnightOfNight(*AppGlobals.now).JD() != nightBefore)
        PositionFilterChanged(nullptr);
}

void TStellumApp::CmManualTime()
{
    if (!AppGlobals.site || !AppGlobals.now) return;
    const ObsSite& site = *AppGlobals.site;
    timedate dialog(GetMainWindow());
    dialog.edited = site.ToLocal(*AppGlobals.now);
    dialog.follow = false;
    const TimeDate before = dialog.edited;
    if (dialog.Execute() != fw::IDOK) return;
    const bool timeChanged = JulianDate(dialog.edited).JD() != JulianDate(before).JD();
    if (!timeChanged && dialog.follow == FollowSystemClock) return;
    const double nightBefore = site.MidnightOfNight(*AppGlobals.now).JD();
    FollowSystemClock = dialog.follow;
    *AppGlobals.now = site.LocalToUT(dialog.edited);
    UpdateClock();
    if (site.MidnightOfNight(*AppGlobals.now).JD() != nightBefore) PositionFilterChanged(nullptr);
}

// Runs the locations dialog on the site; a changed location moves the site. True when it moved.
static bool AskSiteLocation(QWidget* parent)
{
    ObsSite& site = *AppGlobals.site;
    Locate dialog(parent, UserDirectory + "prefloc.rsx", ProgramDirectory + "defloc.rsx");
    const LLposit before(site.Latitude().Degrees(), -site.Longitude().Degrees(), site.Name());
    dialog.SetSite(before);
    if (dialog.Execute() != fw::IDOK) return false;
    const LLposit& chosen = dialog.Site();
    if (chosen.Latitude() == before.Latitude() && chosen.Longitude() == before.Longitude() &&
        fw::Trim(chosen.GetName()) == fw::Trim(before.GetName()))
        return false;
    site.SetPosition(Angle(-chosen.Longitude(), Angle::kDegrees), Angle(chosen.Latitude(), Angle::kDegrees),
                     Distance());
    site.SetName(chosen.GetName());
    return true;
}

// Runs the time-zone dialog on the site's zone; a changed zone becomes the site's. True when
// it changed.
static bool AskTimeZone(QWidget* parent)
{
    ObsSite& site = *AppGlobals.site;
    tZoneDlg dialog(parent);
    dialog.zone = site.Zone();
    if (dialog.Execute() != fw::IDOK || dialog.zone == site.Zone()) return false;
    site.SetTimeZone(dialog.zone);
    return true;
}

void TStellumApp::CmSiteLocation()
{
    if (!AppGlobals.site) return;
    const ObsSite before = *AppGlobals.site;
    if (AskSiteLocation(GetMainWindow()) &&
        fw::MessageBox(GetMainWindow(), "Do you want to modify the time zone?", "", fw::MB_YESNO | fw::MB_ICONQUESTION) ==
            fw::IDYES)
        AskTimeZone(GetMainWindow());
    UpdateClock();
    if (*AppGlobals.site != before) PositionFilterChanged(nullptr);
}

void TStellumApp::CmTimeZone()
{
    if (!AppGlobals.site) return;
    const ObsSite before = *AppGlobals.site;
    if (AskTimeZone(GetMainWindow()) &&
        fw::MessageBox(GetMainWindow(), "Do you want to modify the site location?", "",
                       fw::MB_YESNO | fw::MB_ICONQUESTION) == fw::IDYES)
        AskSiteLocation(GetMainWindow());
    UpdateClock();
    if (*AppGlobals.site != before) PositionFilterChanged(nullptr);
}

void TStellumApp::PositionFilterChanged(const FilterSettings* changed)
{
    NGC2000Indexes* db = AppGlobals.database;
    if (!db || !AppGlobals.site) return;
    FilterSettings settings = changed ? *changed : db->GetFilterSettings();
    settings.elevationWindow = settings.WindowAt(AppGlobals.site->Latitude().Degrees());
    const bool force = fw::MessageBox(GetMainWindow(), "Refilter Database?", "Position Filter Changed",
                                      fw::MB_YESNO | fw::MB_ICONQUESTION) == fw::IDYES;
    db->SetFilterSettings(settings, force);
    NotifyCurrentDocViews(aePositionFilterChanged);
}

void TStellumApp::CmObservingSession()
{
    NGC2000Indexes* db = AppGlobals.database;
    if (!db || !AppGlobals.site) return;
    FilterSettings settings = db->GetFilterSettings();
    ObsSessionDlg dialog(GetMainWindow());
    const fw::TDate today = fw::TTime::Now().Date();
    dialog.sessionStart = fw::TTime(today, settings.sessionStartHour, settings.sessionStartMinute, 0);
    dialog.sessionFinish = fw::TTime(today, settings.sessionEndHour, settings.sessionEndMinute, 0);
    if (dialog.Execute() != fw::IDOK) return;
    settings.sessionStartHour = static_cast<std::int16_t>(dialog.sessionStart.Hour());
    settings.sessionStartMinute = static_cast<std::int16_t>(dialog.sessionStart.Minute());
    settings.sessionEndHour = static_cast<std::int16_t>(dialog.sessionFinish.Hour());
    settings.sessionEndMinute = static_cast<std::int16_t>(dialog.sessionFinish.Minute());
    PositionFilterChanged(&settings);
}

void TStellumApp::CmClocks()
{
    Clocks dialog(GetMainWindow());
    dialog.Execute();
}
