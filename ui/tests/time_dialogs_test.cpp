// The time, time-zone, session and clock dialogs driven by control id: the preset and custom
// zones and the daylight-saving choices, the date fields in system and manual mode with an
// impossible date refused, the session times read back, and the clocks that run only while the
// planner follows the computer's clock.
#include "astro/Angle.h"
#include "astro/Distance.h"
#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "astro/TimeDate.h"
#include "framework/gui/Dialog.h"
#include "framework/gui/InputDialog.h"
#include "framework/gui/MessageBox.h"
#include "framework/testsupport/Snapshot.h"
#include "globals/Globals.h"
#include "ui/Clocks.h"
#include "ui/ObsSessionDlg.h"
#include "ui/Spinner.h"
#include "ui/timedate.h"
#include "ui/tZoneDlg.h"

#include <gtest/gtest.h>

namespace {

// The program's clock stands still at a chosen moment for the test's scope.
class FixedClock {
public:
    explicit FixedClock(TimeDate at) : previous_(TimeDate::SetClock([this] { return now; })), now(at) {}
    ~FixedClock() { TimeDate::SetClock(previous_); }
    TimeDate::Clock previous_;
    TimeDate now;
};

// Runs the zone dialog on a zone with a script, pressing OK at the end; the zone after OK.
TimeZone RunZone(const TimeZone& start, const std::function<void(tZoneDlg&)>& script,
                 std::vector<std::string> typed = {})
{
    tZoneDlg dlg;
    dlg.zone = start;
    std::size_t next = 0;
    fw::ScriptedDialogs inputs([&](fw::Dialog& d) {
        if (next < typed.size()) d.SetControlText(fw::InputDialog::kEditId, typed[next]);
        ++next;
        d.PressButton(fw::IDOK);
        return fw::IDCANCEL;
    });
    dlg.EnsureSetUp();
    script(dlg);
    dlg.PressButton(fw::IDOK);
    return dlg.zone;
}

TEST(TimeZoneDialog, PresetsCustomZonesAndDaylightSaving)
{
    FixedClock clock(TimeDate(2026, 7, 1, 12, 0, 0));
    TimeZone pacific;
    pacific.SetUtcOffset(480);
    const TimeZone eastern = RunZone(pacific, [](tZoneDlg& d) { d.PressButton(tZoneDlg::kEastern); });
    EXPECT_EQ(eastern.UtcOffset(), 300);
    EXPECT_EQ(eastern.DstShift(), -60);
    EXPECT_EQ(eastern.ZoneName(), "EASTERN");
    EXPECT_EQ(eastern.ZoneNumber(), 4);
    EXPECT_TRUE(eastern.Flags() & TimeZone::DstObserved) << "automatic: the zone's rules decide";
    EXPECT_FALSE(eastern.Flags() & TimeZone::DstForced);
    EXPECT_TRUE(eastern.IsDst(TimeDate(2026, 7, 1, 12, 0, 0)));

    const struct {
        const char* typed;
        int minutesWest;
    } customs[] = {{"5.5", -330}, {"0.05", 0}, {"-3", 180}, {"inf", 300}, {"zone", 0}};
    for (const auto& c : customs) {
        const TimeZone custom =
            RunZone(eastern, [](tZoneDlg& d) { d.PressButton(tZoneDlg::kCustom); }, {"Kathmandu-ish", c.typed});
        EXPECT_EQ(custom.UtcOffset(), c.minutesWest) << c.typed;
        EXPECT_EQ(custom.ZoneNumber(), 0) << c.typed;
        EXPECT_EQ(custom.ZoneName(), "Kathmandu-ish");
    }

    // Manual with Standard Time: forced, never in force.
    const TimeZone standard = RunZone(eastern, [](tZoneDlg& d) {
        d.PressButton(tZoneDlg::kManual);
        EXPECT_TRUE(d.IsControlEnabled(tZoneDlg::kStandardTime));
        d.PressButton(tZoneDlg::kStandardTime);
        EXPECT_EQ(d.ControlText(tZoneDlg::kSummary), "EASTERN STANDARD TIME = -5");
    });
    EXPECT_TRUE(standard.Flags() & TimeZone::DstForced);
    EXPECT_FALSE(standard.Flags() & TimeZone::DstObserved);
    EXPECT_FALSE(standard.IsDst(TimeDate(2026, 7, 1, 12, 0, 0)));
    const TimeZone savings = RunZone(standard, [](tZoneDlg& d) {
        EXPECT_EQ(d.IsButtonChecked(tZoneDlg::kManual), fw::BF_CHECKED) << "a forced zone opens in manual";
        d.PressButton(tZoneDlg::kSavingsTime);
        EXPECT_EQ(d.ControlText(tZoneDlg::kSummary), "EASTERN DAYLIGHT SAVINGS TIME (-5 + 1) = -4");
    });
    EXPECT_TRUE(savings.IsDst(TimeDate(2026, 12, 1, 12, 0, 0))) << "in force all year";
    // Automatic again: the buttons of the manual choice are off.
    RunZone(savings, [](tZoneDlg& d) {
        d.PressButton(tZoneDlg::kAutomatic);
        EXPECT_FALSE(d.IsControlEnabled(tZoneDlg::kSavingsTime));
        EXPECT_EQ(d.ControlText(tZoneDlg::kDstBegins), "02:00:00 March 8, 2026");
    });

    tZoneDlg shown;
    shown.zone = eastern;
    shown.EnsureSetUp();
    testsupport::SaveDialogSnapshot(shown, "time_zone_dialog.png");
}

// A custom zone of half or three-quarter hours is renamed without its offset changing: the
// offer holds the offset in full, and the summary shows it so.
TEST(TimeZoneDialog, RenamingAFractionalZoneKeepsItsOffset)
{
    FixedClock clock(TimeDate(2026, 1, 15, 12, 0, 0));
    const struct {
        double hours;
        const char* offered;
        const char* summary;
    } cases[] = {
        {5.5, "5.5", "Renamed STANDARD TIME = 5.5"},     {5.75, "5.75", "Renamed STANDARD TIME = 5.75"},
        {12.75, "12.75", "Renamed STANDARD TIME = 12.75"}, {-3.5, "-3.5", "Renamed STANDARD TIME = -3.5"},
        {9.5, "9.5", "Renamed STANDARD TIME = 9.5"},     {-5, "-5", "Renamed STANDARD TIME = -5"},
    };
    for (const auto& c : cases) {
        const ObsSite start(Angle(), Angle(), "site", c.hours, Distance());
        std::string offered, summary;
        tZoneDlg dlg;
        dlg.zone = start;
        int input = 0;
        fw::ScriptedDialogs inputs([&](fw::Dialog& d) {
            // The name is typed; the number is confirmed as offered.
            if (input++ == 0) d.SetControlText(fw::InputDialog::kEditId, "Renamed");
            else offered = d.ControlText(fw::InputDialog::kEditId);
            d.PressButton(fw::IDOK);
            return fw::IDCANCEL;
        });
        dlg.EnsureSetUp();
        dlg.PressButton(tZoneDlg::kManual);
        dlg.PressButton(tZoneDlg::kStandardTime);
        dlg.PressButton(tZoneDlg::kCustom);
        summary = dlg.ControlText(tZoneDlg::kSummary);
        dlg.PressButton(fw::IDOK);
        EXPECT_EQ(offered, c.offered) << c.hours;
        EXPECT_EQ(summary, c.summary) << c.hours;
        EXPECT_EQ(dlg.zone.UtcOffset(), start.UtcOffset()) << c.hours;
        EXPECT_EQ(dlg.zone.ZoneName(), "Renamed");
    }
}

TEST(TimeDateDialog, SystemFollowsTheClockManualEditsAndAnImpossibleDateIsRefused)
{
    FixedClock clock(TimeDate(2026, 10, 10, 19, 30, 5));
    timedate dlg;
    dlg.edited = TimeDate(2026, 2, 3, 4, 5, 6);
    dlg.follow = false;
    dlg.EnsureSetUp();
    auto field = [&](int id) { return dlg.ControlAs<spinner>(id); };
    EXPECT_EQ(dlg.IsButtonChecked(timedate::kManual), fw::BF_CHECKED);
    EXPECT_EQ(field(timedate::kMonth)->GetValue(), 2);
    EXPECT_EQ(field(timedate::kYear)->GetValue(), 2026);
    EXPECT_FALSE(field(timedate::kHour)->isReadOnly());
    EXPECT_TRUE(dlg.HasTimer(timedate::kTimer));
    testsupport::SaveDialogSnapshot(dlg, "time_date_dialog.png");

    // SYSTEM: the fields show the clock and cannot be changed; the timer keeps them running.
    dlg.PressButton(timedate::kSystem);
    EXPECT_TRUE(dlg.follow);
    EXPECT_TRUE(field(timedate::kHour)->isReadOnly());
    EXPECT_EQ(field(timedate::kHour)->GetValue(), 19);
    clock.now = TimeDate(2026, 10, 10, 19, 31, 0);
    dlg.FireTimer(timedate::kTimer);
    EXPECT_EQ(field(timedate::kMinute)->GetValue(), 31);

    // MANUAL: edited fields give the date; 31 February is refused and the dialog stays open.
    dlg.PressButton(timedate::kManual);
    EXPECT_FALSE(field(timedate::kHour)->isReadOnly());
    field(timedate::kMonth)->SetValue(2);
    field(timedate::kDay)->SetValue(31);
    fw::ScriptedMessageBoxes boxes;
    dlg.PressButton(fw::IDOK);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].title, "ENTRY ERROR");
    EXPECT_EQ(boxes.Calls()[0].text, "Invalid Date Entered...");
    EXPECT_EQ(dlg.Result(), 0) << "still open";
    field(timedate::kDay)->SetValue(28);
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.Result(), fw::IDOK);
    EXPECT_EQ(dlg.edited, TimeDate(2026, 2, 28, 19, 31, 0));
}

TEST(ObsSessionDialog, TimesAreReadBackAndABadOneKeepsTheDialogOpen)
{
    ObsSessionDlg dlg;
    const fw::TDate day = fw::TTime::Now().Date();
    dlg.sessionStart = fw::TTime(day, 20, 30, 0);
    dlg.sessionFinish = fw::TTime(day, 23, 45, 0);
    dlg.EnsureSetUp();
    testsupport::SaveDialogSnapshot(dlg, "observing_session_dialog.png");
    dlg.SetControlText(ObsSessionDlg::kFinish, "1:15");
    dlg.PressButton(fw::IDOK);
    EXPECT_EQ(dlg.sessionStart.Hour(), 20);
    EXPECT_EQ(dlg.sessionStart.Minute(), 30);
    EXPECT_EQ(dlg.sessionFinish.Hour(), 1);
    EXPECT_EQ(dlg.sessionFinish.Minute(), 15);

    ObsSessionDlg bad;
    bad.EnsureSetUp();
    bad.SetControlText(ObsSessionDlg::kStart, "late");
    fw::ScriptedMessageBoxes boxes;
    bad.PressButton(fw::IDOK);
    EXPECT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(bad.Result(), 0) << "still open";
}

TEST(ClocksDialog, ShowsTheInstantAndRunsOnlyWhileFollowingTheClock)
{
    FixedClock clock(TimeDate(2026, 10, 10, 19, 30, 0));
    ObsSite site(Angle(111.65, Angle::kDegrees), Angle(35.19, Angle::kDegrees), "Flagstaff", -7.0, Distance());
    JulianDate now = JulianDate::FromCalendar(2026, 10, 11, 2, 30, 0);
    AppGlobals.site = &site;
    AppGlobals.now = &now;
    for (bool following : {false, true}) {
        FollowSystemClock = following;
        Clocks dlg;
        dlg.EnsureSetUp();
        EXPECT_TRUE(dlg.IsOpen());
        EXPECT_EQ(dlg.HasTimer(Clocks::kTimer), following);
        EXPECT_EQ(dlg.ControlText(Clocks::kSiteName), "Flagstaff");
        EXPECT_EQ(dlg.ControlText(Clocks::kLocalTime), "19:30:00");
        EXPECT_EQ(dlg.ControlText(Clocks::kUniversalTime), "02:30:00");
        EXPECT_EQ(dlg.ControlText(Clocks::kJulianDay), "2461324.60417");
        if (following) {
            // A tick in a new second moves the program's instant on with the clock.
            clock.now = TimeDate(2026, 10, 10, 19, 30, 1);
            dlg.FireTimer(Clocks::kTimer);
            EXPECT_EQ(dlg.ControlText(Clocks::kUniversalTime), "02:30:01");
            EXPECT_NEAR(now.JD(), JulianDate::FromCalendar(2026, 10, 11, 2, 30, 1).JD(), 1e-9);
            testsupport::SaveDialogSnapshot(dlg, "clocks_dialog.png");
        }
    }
}

} // namespace
