#include "astro/TimeDate.h"

#include <utility>

#include "astro/JulianDate.h"
#include "astro/TextFormat.h"
#include "framework/stream/PStream.h"
#include "framework/stream/StateReset.h"

#include <cmath>
#include <ctime>

const char* const TimeDate::kMonthNames[12] = {
    "January", "February", "March", "April", "May", "June",
    "July", "August", "September", "October", "November", "December"};
const char* const TimeDate::kMonthShortNames[12] = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const TimeDate::kMonthUpperNames[12] = {
    "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
const char* const TimeDate::kWeekdayNames[7] = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const TimeDate::kWeekdayShortNames[7] = {
    "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

namespace {

const int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int MonthIndex(int month)
{
    return month < 1 ? 0 : month > 12 ? 11 : month - 1;
}

} // namespace

TimeDate::TimeDate(int y, int mo, int d, int h, int mi, int s)
    : year(static_cast<std::int16_t>(y)), month(static_cast<std::int16_t>(mo)),
      day(static_cast<std::int16_t>(d)), hour(static_cast<std::int16_t>(h)),
      minute(static_cast<std::int16_t>(mi)), second(static_cast<std::int16_t>(s))
{
}

namespace {
TimeDate::Clock& CurrentClock()
{
    static TimeDate::Clock clock;
    return clock;
}

const fw::StateReset resetClock{[] { CurrentClock() = nullptr; }};
} // namespace

TimeDate::Clock TimeDate::SetClock(Clock clock)
{
    return std::exchange(CurrentClock(), std::move(clock));
}

TimeDate TimeDate::Now()
{
    if (const Clock& clock = CurrentClock()) return clock();
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return TimeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                    local.tm_hour, local.tm_min, local.tm_sec);
}

bool TimeDate::IsLeapYear(int y)
{
    if (y > 1582)
        return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return y % 4 == 0; // Julian calendar (1582 itself is no leap year under either rule)
}

int TimeDate::MonthLength(int y, int mo)
{
    if (mo == 2 && IsLeapYear(y))
        return 29;
    return kMonthDays[MonthIndex(mo)];
}

bool TimeDate::IsValid() const
{
    return month >= 1 && month <= 12 && day >= 1 && day <= MonthLength(year, month) &&
           hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

int TimeDate::DayOfYear() const
{
    int k = IsLeapYear() ? 1 : 2;
    return (275 * month) / 9 - k * ((month + 9) / 12) + day - 30;
}

int TimeDate::DayOfWeek() const
{
    double jd = JulianDate::FromCalendar(year, month, day, 0, 0, 0).JD(2);
    double w = std::fmod(jd + 1.5, 7.0);
    if (w < 0.0)
        w += 7.0; // days before the start of the Julian day count
    int d = static_cast<int>(w);
    return d < 0 ? 0 : d > 6 ? 6 : d;
}

double TimeDate::DecimalHours() const
{
    return hour + minute * 0.016666666666666666 + second * 0.0002777777777777778;
}

TimeDate TimeDate::FromWeekdayRule(int y, int mo, int ordinal, int weekday, int h, int mi, int s)
{
    // A weekday beyond 0..6 (from a damaged file) counts round the week.
    weekday = (weekday % 7 + 7) % 7;
    int w1 = TimeDate(y, mo, 1, 0, 0, 0).DayOfWeek();
    int d = weekday == w1 ? 0 : weekday < w1 ? weekday - w1 + 7 : weekday - w1;
    int dd;
    switch (ordinal) {
    case 1: dd = d + 8; break;
    case 2: dd = d + 15; break;
    case 3: dd = d + 22; break;
    case 4: dd = d + 29; break;
    default: dd = d + 1; break;
    }
    // A fifth occurrence that does not fit the month falls back to the fourth; February has
    // 29 days in a leap year, so its last weekday can be the 29th.
    if (dd > MonthLength(y, mo))
        dd = d + 22;
    return TimeDate(y, mo, dd, h, mi, s);
}

bool TimeDate::operator>(const TimeDate& t) const
{
    if (year != t.year) return year > t.year;
    if (month != t.month) return month > t.month;
    if (day != t.day) return day > t.day;
    if (hour != t.hour) return hour > t.hour;
    if (minute != t.minute) return minute > t.minute;
    return second > t.second;
}

bool TimeDate::operator<(const TimeDate& t) const
{
    return t > *this;
}

bool TimeDate::operator==(const TimeDate& t) const
{
    return year == t.year && month == t.month && day == t.day && hour == t.hour &&
           minute == t.minute && second == t.second;
}

std::string TimeDate::Format(int timeStyle, int dateStyle, int composition) const
{
    std::string timeText;
    const bool pm = hour >= 12;
    const int h12 = hour > 12 ? hour - 12 : hour;
    switch (timeStyle) {
    case 0: timeText = FormatText("%2.2i:%2.2i:%2.2i", hour, minute, second); break;
    case 1: timeText = FormatText(pm ? "%2.2i:%2.2i:%2.2ipm" : "%2.2i:%2.2i:%2.2iam", h12, minute, second); break;
    case 2: timeText = FormatText("%2.2i:%2.2i", hour, minute); break;
    case 3: timeText = FormatText(pm ? "%2.2i:%2.2ipm" : "%2.2i:%2.2iam", h12, minute); break;
    default: break;
    }

    if (month < 1 || month > 12)
        return std::string();
    const int m = month - 1;
    const int yy = year % 100;

    std::string dateText;
    switch (dateStyle) {
    case 0:
        if (IsLeapYear())
            dateText = FormatText("J%6.2f", year + DayOfYear() / 366.0);
        else
            dateText = FormatText("%6.2f", year + DayOfYear() / 365.0);
        break;
    case 1: dateText = kWeekdayShortNames[DayOfWeek()]; break;
    case 2: dateText = kWeekdayNames[DayOfWeek()]; break;
    case 3: dateText = FormatText("%s %s%i", kWeekdayNames[DayOfWeek()], kMonthShortNames[m], day); break;
    case 4: dateText = FormatText("%i%s%2.2i", day, kMonthShortNames[m], yy); break;
    case 5: dateText = FormatText("%i%s%4.4i", day, kMonthShortNames[m], year); break;
    case 6: dateText = FormatText("%i%s%2.2i", day, kMonthUpperNames[m], yy); break;
    case 7: dateText = FormatText("%i%s%4.4i", day, kMonthUpperNames[m], year); break;
    case 8: dateText = FormatText("%s %i, %4.4i", kMonthNames[m], day, year); break;
    case 9: dateText = FormatText("%s %i, %4.4i", kMonthShortNames[m], day, year); break;
    case 10: dateText = FormatText("%s %i, %4.4i", kMonthUpperNames[m], day, year); break;
    case 11: dateText = FormatText("%i/%i/%2.2i", month, day, yy); break;
    case 12: dateText = FormatText("%i/%i/%4.4i", month, day, year); break;
    default: break;
    }

    switch (composition) {
    case 0: return timeText;
    case 1: return dateText;
    case 2: return timeText + " " + dateText;
    case 3: return dateText + " " + timeText;
    default: return std::string();
    }
}

void TimeDate::WriteTo(fw::opstream& os) const
{
    os.writeWord32(5);
    const std::int16_t fields[6] = {year, month, day, hour, minute, second};
    for (std::int16_t f : fields)
        os.writeWord16(static_cast<std::uint16_t>(f));
}

void TimeDate::ReadFrom(fw::ipstream& is)
{
    is.readWord32(); // version, not checked
    year = is.readInt16();
    month = is.readInt16();
    day = is.readInt16();
    hour = is.readInt16();
    minute = is.readInt16();
    second = is.readInt16();
}
