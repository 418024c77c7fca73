#include "planner/TimeDateLabelWindow.h"

#include "astro/ObsSite.h"
#include "catalog/SessionTime.h"
#include "framework/gui/PopupMenu.h"
#include "globals/Globals.h"
#include "planner/PlannerStrings.h"

namespace {
const char* const kCompositions[4] = {"Time Only", "Date Only", "Time Date", "Date Time"};

int DateStyleCommand(int style)
{
    return style < 4 ? TimeDateLabelWindow::kFirstDateStyleCommand + style
                     : TimeDateLabelWindow::kMoreDateStylesCommand + style - 4;
}
} // namespace

TimeDateLabelWindow::TimeDateLabelWindow(QWidget* parent, const std::string& name, const std::string& caption,
                                         std::uint32_t offered, std::uint32_t scales)
    : LabelWindow(parent, caption.empty() ? "Time" : caption), TimeDateLabelConfig(name), offered_(offered),
      scales_(scales)
{
    SetColorGroup(45);
    for (int c = kFirstCompositionCommand; c <= kFirstScaleCommand + 7; ++c)
        if (IsTimeCommand(c)) OnCommand(c, [this, c] { Choose(c); });
}

bool TimeDateLabelWindow::IsTimeCommand(int c)
{
    return (c >= kFirstCompositionCommand && c <= kFirstCompositionCommand + 3) ||
           (c >= kMoreDateStylesCommand && c <= kFirstScaleCommand + 7);
}

std::string TimeDateLabelWindow::ScaleAbbreviation(int scale)
{
    const char* const names[8] = {"TAI", "UTC", "LMT", "UT1", "GMST", "LAST", "TT", "TDB"};
    return scale >= 0 && scale < 8 ? names[scale] : "";
}

std::string TimeDateLabelWindow::Formatted(const JulianDate& date) const
{
    const ObsSite& site = SessionTime::Site();
    TimeDate t = date.Calendar();
    switch (settings[kScale]) {
    case LMT: t = site.ToLocal(date); break;
    case GMST: t = date.GreenwichSiderealClock(); break;
    case LAST: t = site.LocalSiderealClock(date); break;
    case TT:
    case TDB: t = date.DynamicalTimeDate(); break;
    default: break; // the instant as held, in universal time
    }
    return t.Format(settings[kTimeStyle], settings[kDateStyle], settings[kComposition]);
}

void TimeDateLabelWindow::SetDate(const JulianDate& date, bool repaint)
{
    date_ = date;
    hasDate_ = true;
    SetText(Formatted(date_), repaint);
}

void TimeDateLabelWindow::SetMessage(const std::string& text, bool repaint)
{
    hasDate_ = false;
    SetText(text, repaint);
}

void TimeDateLabelWindow::Choose(int c)
{
    if (c >= kFirstCompositionCommand && c <= kFirstCompositionCommand + 3) settings[kComposition] = c - kFirstCompositionCommand;
    else if (c >= kFirstDateStyleCommand && c <= kFirstDateStyleCommand + 3) settings[kDateStyle] = c - kFirstDateStyleCommand;
    else if (c >= kMoreDateStylesCommand && c < kFirstDateStyleCommand) settings[kDateStyle] = c - kMoreDateStylesCommand + 4;
    else if (c >= kFirstTimeStyleCommand && c <= kFirstTimeStyleCommand + 3) settings[kTimeStyle] = c - kFirstTimeStyleCommand;
    else if (c >= kFirstScaleCommand && c <= kFirstScaleCommand + 7) settings[kScale] = c - kFirstScaleCommand;
    else return;
    if (hasDate_) SetText(Formatted(date_), true);
    NotifyPartnerOwner();
}

void TimeDateLabelWindow::AppendTimeMenus(fw::PopupMenu& menu) const
{
    const JulianDate sample = hasDate_ ? date_ : JulianDate();
    auto checked = [](bool on) { return on ? fw::MF_CHECKED : fw::MF_STRING; };
    fw::PopupMenu& scales = menu.AppendPopup("Time &Scale");
    for (int s = 0; s < 8; ++s)
        if ((scales_ >> s) & 1u) scales.AppendItem(kFirstScaleCommand + s, PlannerString(17601 + s), checked(settings[kScale] == s));
    fw::PopupMenu& times = menu.AppendPopup("&Time Format");
    for (int c = 0; c < 4; ++c)
        if ((offered_ >> c) & 1u)
            times.AppendItem(kFirstCompositionCommand + c, kCompositions[c], checked(settings[kComposition] == c));
    times.AppendSeparator();
    for (int s = 0; s < 4; ++s)
        if ((offered_ >> (17 + s)) & 1u)
            times.AppendItem(kFirstTimeStyleCommand + s, sample.Calendar().Format(s, 0, 0), checked(settings[kTimeStyle] == s));
    fw::PopupMenu& dates = menu.AppendPopup("&Date Format");
    for (int s = 0; s < 13; ++s)
        if ((offered_ >> (4 + s)) & 1u)
            dates.AppendItem(DateStyleCommand(s), sample.Calendar().Format(0, s, 1), checked(settings[kDateStyle] == s));
}

void TimeDateLabelWindow::ShowRightButtonMenu(const fw::Point& p)
{
    fw::PopupMenu menu;
    AppendTimeMenus(menu);
    menu.AppendSeparator();
    AppendColorMenu(menu.AppendPopup("&Colors..."));
    menu.Track(*this, p.x < 0 ? fw::Point(1, 1) : p);
}
