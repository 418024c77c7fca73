#include "ui/TextConvert.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <regex>

namespace {

const char* const kMin = "MIN";
const char* const kMax = "MAX";
const char* const kNoEntry = "NO ENTRY";
const char* const kVisualSuffix = " (visual)";
const char* const kPhotoSuffix = " (photo)";
// The last year a text may give: the reserved dates lie in the year after it.
constexpr long kLastYear = 9999;

constexpr double kOneSixtieth = 0.016666666666666666;
constexpr double kOne3600th = 0.0002777777777777778;
// Beyond these no magnitude is stored in any of its kinds (a visual or photographic one is
// kept with an offset of 200 or 400; 1000 and -1000 are MIN and MAX).
constexpr double kMaxMagnitude = 999.0;
// A visual or photographic magnitude lies in [-100, 100): stored, [100, 300) or [300, 500).
constexpr double kMaxKindMagnitude = 100.0;
constexpr double kMaxSize = 99999.0;

bool ContainsAnyOf(const std::string& segment, const char* chars)
{
    return segment.find_first_of(chars) != std::string::npos;
}

// True when the segment holds `first` (either case) directly followed by `second` (either case).
bool ContainsPair(const std::string& segment, char first, char second)
{
    for (std::size_t i = 0; i + 1 < segment.size(); ++i) {
        const char a = static_cast<char>(segment[i] | 0x20);
        const char b = static_cast<char>(segment[i + 1] | 0x20);
        if (a == first && b == second)
            return true;
    }
    return false;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Leading digits as an integer, held below a bound so that a long number cannot overflow.
std::int64_t LeadingInteger(const std::string& text)
{
    std::int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        if (v < 1000000000000LL)
            v = v * 10 + (c - '0');
    }
    return v;
}

// Half rounds up: the ceiling when the fraction is at least 0.5, else the floor.
std::int32_t RoundHalfUp(double x)
{
    const double f = std::floor(x);
    return static_cast<std::int32_t>((x - f >= 0.5) ? std::ceil(x) : f);
}

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...)
{
    char buffer[128];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// The marks of the three parts of a sexagesimal text.
struct PartMarks {
    const char* units;
    const char* minutes;
    const char* seconds;
};
constexpr PartMarks kHourMarks{"h", "m", "s"};
constexpr PartMarks kDegreeMarks{"\xC2\xB0", "'", "\""};

// Whole units, minutes and seconds with their marks; the seconds show a tenth when they are
// fractional, and zero seconds, then zero minutes, are left off.
std::string Sexagesimal(const PartMarks& marks, int units, int minutes, int seconds, double exactSeconds,
                        bool fractionalSeconds)
{
    if (fractionalSeconds)
        return Printf("%i%s %i%s %.1f%s", units, marks.units, minutes, marks.minutes, exactSeconds, marks.seconds);
    if (seconds != 0)
        return Printf("%i%s %i%s %i%s", units, marks.units, minutes, marks.minutes, seconds, marks.seconds);
    if (minutes != 0)
        return Printf("%i%s %i%s", units, marks.units, minutes, marks.minutes);
    return Printf("%i%s", units, marks.units);
}

} // namespace

TextConvert::TextConvert(std::int32_t kind) : kind_(kind) {}

bool TextConvert::GetError(std::string& text) const
{
    text = error_;
    return !error_.empty();
}

double TextConvert::MinValue(std::int32_t kind)
{
    switch (kind) {
    case vkRightAscension: return -10.0;
    case vkDeclination: return -100.0;
    case vkMagnitude: return 1000.0;
    case vkSize: return -10.0;
    default: return -99999.0;
    }
}

double TextConvert::MaxValue(std::int32_t kind)
{
    switch (kind) {
    case vkRightAscension: return 25.0;
    case vkDeclination: return 100.0;
    case vkMagnitude: return -1000.0;
    case vkSize: return 400.0;
    default: return 99999.0;
    }
}

double TextConvert::NoEntryValue(std::int32_t kind)
{
    switch (kind) {
    case vkRightAscension: return -5.0;
    case vkDeclination: return -500.0;
    case vkMagnitude: return 500.0;
    default: return 0.0;
    }
}

// A four-digit year reaches 9999 at most, so the reserved days sit in the year 10000:
// NO ENTRY on 1 January, MAX on the day after it.
fw::TDate TextConvert::MinDate() { return fw::TDate(); }
fw::TDate TextConvert::MaxDate() { return fw::TDate(2u, 1u, 10000); }
fw::TDate TextConvert::NoEntryDate() { return fw::TDate(1u, 1u, 10000); }
fw::TTime TextConvert::MinTime() { return fw::TTime(MinDate(), 0, 0, 0); }
fw::TTime TextConvert::MaxTime() { return fw::TTime(MaxDate(), 23, 59, 59); }
fw::TTime TextConvert::NoEntryTime() { return fw::TTime(NoEntryDate(), 0, 0, 0); }

void TextConvert::SplitText(const std::string& text)
{
    for (auto& n : numbers_)
        n = Number();
    prefix_.clear();
    separator1_.clear();
    separator2_.clear();
    suffix_.clear();
    unitPrefix_ = unitSeparator1_ = unitSeparator2_ = unitSuffix_ = 0;
    error_.clear();

    std::string* before[3] = {&prefix_, &separator1_, &separator2_};
    std::string* after[3] = {&separator1_, &separator2_, &suffix_};
    auto append = [](std::string& part, char c) {
        if (part.size() < kPartLimit)
            part += c;
    };

    int state = 0;
    const std::size_t limit = std::min<std::size_t>(text.size(), kScanLimit);
    for (std::size_t i = 0; i < limit; ++i) {
        const char c = text[i];
        if (c == '\0')
            break;
        Number& n = numbers_[state];
        const bool isDigit = c >= '0' && c <= '9';
        if (c == '-' && n.text.empty()) {
            n.sign = -1;
        } else if (isDigit) {
            append(n.text, c);
            if (n.shape == 0)
                n.shape = 1;
        } else if (n.text.empty()) {
            append(*before[state], c);
        } else if (c == '.') {
            append(n.text, c);
            n.shape = 2;
        } else {
            append(*after[state], c);
            if (state < 2)
                ++state;
        }
    }
    for (auto& n : numbers_) {
        n.decimal = n.text.empty() ? 0.0 : std::strtod(n.text.c_str(), nullptr);
        n.whole = LeadingInteger(n.text);
    }
    unitPrefix_ = UnitCode(prefix_);
    unitSeparator1_ = UnitCode(separator1_);
    unitSeparator2_ = UnitCode(separator2_);
    unitSuffix_ = UnitCode(suffix_);
}

// The unit a segment names; of the tests below, the last that finds something decides.
std::int32_t TextConvert::UnitCode(const std::string& segment) const
{
    std::int32_t code = 0;
    if (ContainsAnyOf(segment, "nNsSeEwW")) code = 7;  // compass letter
    if (ContainsAnyOf(segment, "hH")) code = 1;        // hours
    if (ContainsAnyOf(segment, "\xC2\xB0" "dD")) code = 2;  // degrees (the degree sign in UTF-8)
    if (ContainsAnyOf(segment, "mM'")) code = 3;       // minutes
    if (ContainsAnyOf(segment, "sS\"")) code = 4;      // seconds
    if (ContainsAnyOf(segment, "aA")) code = 5;        // am
    if (ContainsAnyOf(segment, "pP")) code = 6;        // pm
    if (kind_ == vkTime) {
        if (ContainsAnyOf(segment, ":")) code = 8;     // time separator
        if (ContainsPair(segment, 'a', 'm')) code = 5;
        if (ContainsPair(segment, 'p', 'm')) code = 6;
    }
    return code;
}

double TextConvert::ParseValue(const std::string& text, std::int32_t kind)
{
    if (kind != 0)
        kind_ = kind;
    error_.clear();
    if (text == kMin) return MinValue(kind_);
    if (text == kMax) return MaxValue(kind_);
    if (text == kNoEntry) return NoEntryValue(kind_);

    // A magnitude written with its kind reads back into the stored form of that kind.
    if (kind_ == vkMagnitude) {
        const std::string trimmed = text.substr(0, text.find_last_not_of(' ') + 1);
        for (const auto& [suffix, offset] : {std::pair<std::string, double>{kVisualSuffix, kVisualOffset},
                                             std::pair<std::string, double>{kPhotoSuffix, kPhotoOffset}}) {
            if (trimmed.size() > suffix.size() && EndsWith(trimmed, suffix)) {
                const double plain = ParseValue(trimmed.substr(0, trimmed.size() - suffix.size()), vkMagnitude);
                // A magnitude of a kind stays within its kind's band (a second suffix would
                // carry it into the next kind's, or beyond every kind).
                if (error_.empty() && plain >= kMaxKindMagnitude)
                    error_ = "Magnitude Cannot Exceed 100";
                else if (error_.empty() && plain < -kMaxKindMagnitude)
                    error_ = "Magnitude Cannot Exceed -100";
                return plain + offset;
            }
        }
    }

    SplitText(text);
    const std::int32_t s1 = numbers_[0].shape, s2 = numbers_[1].shape, s3 = numbers_[2].shape;
    switch (unitSeparator1_) {
    case 0:
    case 1:
    case 2:
        if (s1 != 0)
            reading_ = rdUnits;
        break;
    case 3:
        if (s1 == 2 || s2 == 2 || (s1 == 1 && s2 == 0) || (s1 == 1 && s2 == 1 && s3 == 0))
            reading_ = rdMinutes;
        break;
    case 4:
        reading_ = rdSeconds;
        break;
    default:
        break;  // the reading of the previous text stays
    }

    const double x = numbers_[0].decimal, y = numbers_[1].decimal, z = numbers_[2].decimal;
    double value;
    switch (reading_) {
    case rdMinutes: value = x * kOneSixtieth + y * kOne3600th; break;
    case rdSeconds: value = x * kOne3600th; break;
    default: value = x + y * kOneSixtieth + z * kOne3600th; break;
    }
    value *= numbers_[0].sign;

    if (kind_ == vkRightAscension) {
        if (value > 24.0)
            error_ = "Right Ascension Cannot Exceed 24 Hours";
        else if (value < 0.0)
            error_ = "Right Ascension Must Be Positive";
    } else if (kind_ == vkDeclination) {
        if (value > 90.0)
            error_ = "Declination Cannot Exceed 90\xC2\xB0";
        else if (value < -90.0)
            error_ = "Declination Cannot Exceed -90\xC2\xB0";
    } else if (kind_ == vkMagnitude) {
        if (value > kMaxMagnitude)
            error_ = "Magnitude Cannot Exceed 999";
        else if (value < -kMaxMagnitude)
            error_ = "Magnitude Cannot Exceed -999";
    } else if (kind_ == vkSize) {
        if (value > kMaxSize)
            error_ = "Size Cannot Exceed 99999";
        else if (value < 0.0)
            error_ = "Size Must Be Positive";
    }
    return value;
}

std::string TextConvert::FormatValue(double value, std::int32_t kind)
{
    if (kind != 0)
        kind_ = kind;

    std::string tail;
    if (kind_ != vkRightAscension && kind_ != vkDeclination && kind_ != vkSize && kind_ != vkMagnitude)
        return std::string();
    if (value == MinValue(kind_)) return kMin;
    if (value == NoEntryValue(kind_)) return kNoEntry;
    if (value == MaxValue(kind_)) return kMax;
    if (kind_ == vkMagnitude) {
        if (value >= 100.0 && value < 300.0) {
            value -= kVisualOffset;
            tail = kVisualSuffix;
        } else if (value >= 300.0 && value < 500.0) {
            value -= kPhotoOffset;
            tail = kPhotoSuffix;
        }
    }

    // Split into whole units, minutes and seconds, rounding the seconds half up with carries.
    const bool negative = value < 0.0;
    const double m = std::fabs(value);
    // The whole units are counted in 32 bits: a value beyond them (or none at all) has no text.
    if (!(m < 2147483647.0))
        return std::string();
    std::int32_t w = static_cast<std::int32_t>(m);
    const double decimalMinutes = (m - w) * 60.0;
    std::int32_t minutes = static_cast<std::int32_t>(decimalMinutes);
    double S = (m - w - minutes / 60.0) * 3600.0;
    std::int32_t s = RoundHalfUp(S);
    if (s > 59) {
        s = 0;
        S = 0.0;
        if (++minutes > 59) {
            minutes = 0;
            ++w;
        }
    }
    const bool fractionalSeconds = std::fabs(S - s) >= 0.05;

    std::string text;
    switch (kind_) {
    case vkRightAscension:
        text = Sexagesimal(kHourMarks, w, minutes, s, S, fractionalSeconds);
        break;
    case vkDeclination:
        text = Sexagesimal(kDegreeMarks, w, minutes, s, S, fractionalSeconds);
        break;
    case vkMagnitude:
        // A magnitude of a kind is shown within its kind's band: rounding 99.96 up to "100.0"
        // would write a text that no longer reads back.
        text = !tail.empty() && !negative && m >= kMaxKindMagnitude - 0.05 ? "99.9" : Printf("%.1f", m);
        break;
    default:  // size
        if (m >= 1.0 && (minutes != 0 || S > 0.05)) text = Printf("%.1f deg", m);
        else if (m >= 1.0) text = Printf("%i deg", w);
        else if (decimalMinutes >= 1.0 && S > 0.05) text = Printf("%.1f min", m * 60.0);
        else if (decimalMinutes >= 1.0) text = Printf("%.0f min", m * 60.0);
        else if (fractionalSeconds) text = Printf("%.1f sec", m * 3600.0);
        else text = Printf("%.0f sec", m * 3600.0);
        break;
    }
    if (negative)
        text = "-" + text;
    return text + tail;
}

fw::TTime TextConvert::ParseTime(const std::string& text)
{
    error_.clear();
    if (text == kMin) return MinTime();
    if (text == kMax) return MaxTime();
    if (text == kNoEntry) return NoEntryTime();

    // The segments are classified as a time's (colon, am, pm); the converter keeps its kind.
    const std::int32_t kind = kind_;
    kind_ = vkTime;
    SplitText(text);
    kind_ = kind;
    std::int64_t hours = numbers_[0].whole;
    const std::int64_t minutes = numbers_[1].whole;
    const std::int64_t seconds = numbers_[2].whole;
    if (hours < 0 || hours > 24)
        return fw::TTime::Now();
    const auto names = [&](std::int32_t code) {
        return unitSeparator1_ == code || unitSeparator2_ == code || unitSuffix_ == code;
    };
    if (names(6)) {
        if (hours < 12)
            hours += 12;
    } else if (names(5)) {
        if (hours == 12)
            hours = 0;
    }
    // Minutes and seconds carry over; bound them so that a long number cannot overflow.
    const auto bounded = [](std::int64_t v) { return static_cast<int>(std::min<std::int64_t>(v, 100000000)); };
    return fw::TTime(fw::TDate::Today(), static_cast<int>(hours), bounded(minutes), bounded(seconds));
}

std::string TextConvert::FormatTime(const fw::TTime& time)
{
    if (time == MinTime()) return kMin;
    if (time == MaxTime()) return kMax;
    if (time == NoEntryTime()) return kNoEntry;
    const int h = time.Hour(), m = time.Minute(), s = time.Second();
    const int shown = h > 12 ? h - 12 : h;
    const char* half = h < 12 ? "am" : "pm";
    if (s != 0)
        return Printf("%2.2i:%2.2i:%2.2i %s", shown, m, s, half);
    return Printf("%2.2i:%2.2i %s", shown, m, half);
}

fw::TDate TextConvert::ParseDate(const std::string& text)
{
    error_.clear();
    if (text == kMin) return MinDate();
    if (text == kMax) return MaxDate();
    if (text == kNoEntry) return NoEntryDate();

    long day = 0, month = 0, year = 0;
    bool allDigits = text.size() == 8;
    for (char c : text)
        allDigits = allDigits && c >= '0' && c <= '9';
    if (allDigits) {
        year = std::strtol(text.substr(0, 4).c_str(), nullptr, 10);
        month = std::strtol(text.substr(4, 2).c_str(), nullptr, 10);
        day = std::strtol(text.substr(6, 2).c_str(), nullptr, 10);
    } else {
        static const std::regex monthWord("[A-Za-z][A-Za-z][A-Za-z]");
        static const std::regex leadNumber("^[0-9]+");
        static const std::regex middleNumber("[^0-9][0-9]+[^0-9]");
        static const std::regex digits("[0-9]+");
        static const std::regex yearNumber("[0-9]+$");
        const auto number = [](const std::string& digitsText) {
            return static_cast<long>(std::min<std::int64_t>(LeadingInteger(digitsText), 1000000));
        };
        std::smatch match;
        std::string word;
        if (std::regex_search(text, match, monthWord))
            word = match.str();
        for (auto& c : word)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        bool hasLead = false;
        long lead = 0, middle = 0;
        if (std::regex_search(text, match, leadNumber)) {
            hasLead = true;
            lead = number(match.str());
        }
        if (std::regex_search(text, match, middleNumber)) {
            const std::string m = match.str();
            std::smatch inner;
            if (std::regex_search(m, inner, digits))
                middle = number(inner.str());
        }
        bool hasYear = false;
        if (std::regex_search(text, match, yearNumber)) {
            hasYear = true;
            year = number(match.str());
        }

        int form;
        if (!word.empty()) {
            static const char* const months[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
            month = 0;
            for (int i = 0; i < 12; ++i)
                if (word == months[i])
                    month = i + 1;
            if (hasLead) {
                day = lead;
                form = year < 100 ? 1 : 2;
            } else {
                day = middle;
                form = 5;
            }
        } else {
            month = lead;
            day = middle;
            form = year < 100 ? 3 : 4;
        }
        if (hasYear && year < 100)
            year += year < 50 ? 2000 : 1900;

        std::string errors;
        if (month < 1 || month > 12) errors += "Invalid Month Entry\n";
        if (day < 1 || day > 31) errors += "Invalid Day Entry\n";
        if (year < 1900 || year > 2100) errors += "Invalid Year Entry\n";
        if (!errors.empty()) {
            switch (form) {
            case 1:
            case 2: errors += "Looking for Format = 23 Jan 1995\n"; break;
            case 3: errors += "Looking for Format = 1/22/96\n"; break;
            case 4: errors += "Looking for Format = 1/1/1996\n"; break;
            default: errors += "Looking for Format = Jan 1, 1996\n"; break;
            }
            error_ = errors;
        }
    }
    // Years past the calendar's last one would reach the reserved dates of year 10000.
    if (year > kLastYear) {
        if (error_.empty())
            error_ = "Invalid Year Entry\n";
        return fw::TDate::Today();
    }
    if (day < 1 || month < 1 || !fw::TDate::IsValidDate(static_cast<unsigned>(day), static_cast<unsigned>(month),
                                                     static_cast<int>(year)))
        return fw::TDate::Today();
    return fw::TDate(static_cast<unsigned>(day), static_cast<unsigned>(month), static_cast<int>(year));
}

std::string TextConvert::FormatDate(const fw::TDate& date, std::int32_t style)
{
    if (date == MinDate()) return kMin;
    if (date == MaxDate()) return kMax;
    if (date == NoEntryDate()) return kNoEntry;
    if (style == 0)
        style = dateStyle_;
    const unsigned day = date.Day(), month = date.Month();
    const int year = date.Year();
    const std::string mon = std::string(fw::TDate::MonthName(month)).substr(0, 3);
    const int yy = year < 2000 ? year - 1900 : year - 2000;
    switch (style) {
    case 1: return Printf("%u %s %u", day, mon.c_str(), static_cast<unsigned>(yy));
    case 2: return Printf("%u %s %u", day, mon.c_str(), static_cast<unsigned>(year));
    case 3: return Printf("%2.2u/%2.2u/%2.2u", month, day, static_cast<unsigned>(yy));
    case 4: return Printf("%2.2u/%2.2u/%u", month, day, static_cast<unsigned>(year));
    case 5: return Printf("%s %u, %u", mon.c_str(), day, static_cast<unsigned>(year));
    default: return std::string();
    }
}
