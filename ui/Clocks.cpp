#include "ui/Clocks.h"

#include "astro/JulianDate.h"
#include "astro/ObsSite.h"
#include "astro/TimeDate.h"
#include "framework/gui/MessageBox.h"
#include "globals/Globals.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>

#include <cstdio>

namespace {

struct Field {
    int id;
    const char* caption;
};
constexpr Field kFields[] = {
    {Clocks::kLocalSidereal, "LOCAL SIDEREAL TIME"}, {Clocks::kLocalTime, "LOCAL TIME"},
    {Clocks::kLocalDate, "LOCAL DATE"},              {Clocks::kGreenwichSidereal, "GREENWICH SIDEREAL TIME"},
    {Clocks::kUniversalTime, "UNIVERSAL TIME"},      {Clocks::kUniversalDate, "GREENWICH DATE"},
    {Clocks::kJulianDay, "JULIAN DAY"},              {Clocks::kSiteName, "SITE"},
};

// The seconds of the clock the program reads (the computer's, or a test's).
std::time_t ClockSeconds()
{
    const TimeDate t = TimeDate::Now();
    return static_cast<std::time_t>(JulianDate(t).JD() * 86400.0);
}

} // namespace

Clocks::Clocks(QWidget* parent) : fw::Dialog(parent, "Astronomical Clocks and Data")
{
    int row = 0;
    for (const Field& f : kFields) {
        Body()->addWidget(new QLabel(f.caption, this), row, 0);
        auto* value = Place(f.id, new QLabel(this), row, 1);
        value->setMinimumWidth(200);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        ++row;
    }
    AddButton(fw::IDCANCEL, "Close", true);
    AddButton(9, "Help");
    SetHelpContext(kHelpContext);
}

Clocks::~Clocks()
{
    KillTimer(kTimer);
}

void Clocks::SetupWindow()
{
    open_ = true;
    lastRefresh_ = ClockSeconds();
    Refresh();
    if (FollowSystemClock) SetTimer(kTimer, 100);
}

void Clocks::Refresh()
{
    const ObsSite* site = AppGlobals.site;
    const JulianDate* now = AppGlobals.now;
    if (!site || !now) return;
    SetControlText(kLocalSidereal, site->LocalSiderealClock(*now).Format(0, 8, 0));
    const TimeDate local = site->ToLocal(*now);
    SetControlText(kLocalTime, local.Format(0, 8, 0));
    SetControlText(kLocalDate, local.Format(0, 8, 1));
    SetControlText(kGreenwichSidereal, now->GreenwichSiderealClock().Format(0, 8, 0));
    const TimeDate universal = now->Calendar();
    SetControlText(kUniversalTime, universal.Format(0, 8, 0));
    SetControlText(kUniversalDate, universal.Format(0, 8, 1));
    char jd[32];
    std::snprintf(jd, sizeof jd, "%.5f", now->JD());
    SetControlText(kJulianDay, jd);
    SetControlText(kSiteName, site->Name());
}

void Clocks::EvTimer(int id)
{
    if (id != kTimer) return;
    const std::time_t seconds = ClockSeconds();
    if (seconds == lastRefresh_ || !AppGlobals.site || !AppGlobals.now) return;
    *AppGlobals.now = AppGlobals.site->NowAsUT();
    lastRefresh_ = seconds;
    Refresh();
}

void Clocks::closeEvent(QCloseEvent* event)
{
    open_ = false;
    fw::Dialog::closeEvent(event);
}
