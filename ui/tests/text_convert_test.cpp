#include "ui/TextConvert.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ValueCase {
    const char* text;
    int kind;
    double value;
};

TEST(TextConvert, ReadsValuesInEveryLayout)
{
    const ValueCase cases[] = {
        {"12h 30m 15s", vkRightAscension, 12.504166666666666},
        {"12 30 15", vkRightAscension, 12.504166666666666},
        {"12:30:15", vkRightAscension, 12.504166666666666},
        {"12.5", vkRightAscension, 12.5},
        {"30m", vkRightAscension, 0.5},
        {"45s", vkRightAscension, 0.0125},
        {"24", vkRightAscension, 24.0},
        {"-0 30", vkDeclination, -0.5},
        {"30' 15\"", vkDeclination, 30.0 / 60 + 15.0 / 3600},
        {"-12\xC2\xB0 30' 36\"", vkDeclination, -12.51},
        {"45 deg 30 min", vkDeclination, 45.5},
        {"6.5", vkMagnitude, 6.5},
        {"12.3 (visual)", vkMagnitude, 212.3},
        {"6.0 (photo) ", vkMagnitude, 406.0},
        {"-1.5 (visual)", vkMagnitude, 198.5},
        {"2.5 deg", vkSize, 2.5},
        {"15 min", vkSize, 0.25},
        {"30 sec", vkSize, 30.0 / 3600},
    };
    for (const auto& c : cases) {
        TextConvert tc(c.kind);
        EXPECT_NEAR(tc.ParseValue(c.text, c.kind), c.value, 1e-9) << c.text;
        EXPECT_EQ(tc.ErrorText(), "") << c.text;
    }
}

TEST(TextConvert, ReportsRangeErrorsButReturnsTheValue)
{
    struct Case { const char* text; int kind; double value; const char* error; };
    const Case cases[] = {
        {"24.01", vkRightAscension, 24.01, "Right Ascension Cannot Exceed 24 Hours"},
        {"-1", vkRightAscension, -1.0, "Right Ascension Must Be Positive"},
        {"91", vkDeclination, 91.0, "Declination Cannot Exceed 90\xC2\xB0"},
        {"-90 30", vkDeclination, -90.5, "Declination Cannot Exceed -90\xC2\xB0"},
        {"6022280818", vkMagnitude, 6022280818.0, "Magnitude Cannot Exceed 999"},
        {"-1000.5", vkMagnitude, -1000.5, "Magnitude Cannot Exceed -999"},
        {"1500", vkMagnitude, 1500.0, "Magnitude Cannot Exceed 999"},
        {"6022280818", vkSize, 6022280818.0, "Size Cannot Exceed 99999"},
        {"-3", vkSize, -3.0, "Size Must Be Positive"},
        {"5 (photo) (photo)", vkMagnitude, 805.0, "Magnitude Cannot Exceed 100"},
        {"150 (visual)", vkMagnitude, 350.0, "Magnitude Cannot Exceed 100"},
        {"-101 (visual)", vkMagnitude, 99.0, "Magnitude Cannot Exceed -100"},
    };
    for (const auto& c : cases) {
        TextConvert tc(c.kind);
        EXPECT_NEAR(tc.ParseValue(c.text), c.value, 1e-9) << c.text;
        std::string error;
        EXPECT_TRUE(tc.GetError(error));
        EXPECT_EQ(error, c.error);
        tc.ParseValue("1");
        EXPECT_FALSE(tc.GetError(error)) << "the next parse clears the error";
    }
}

TEST(TextConvert, ValuesBeyondThirtyTwoBitsHaveNoText)
{
    TextConvert tc;
    for (int kind : {vkMagnitude, vkSize, vkRightAscension, vkDeclination}) {
        for (double v : {6022280818.0, -6022280818.0, 2147483648.0, 1e300, std::nan("")})
            EXPECT_EQ(tc.FormatValue(v, kind), "") << kind << " " << v;
        EXPECT_NE(tc.FormatValue(2147483000.0, kind), "") << kind;
    }
    // A magnitude of its own kinds still reads back within the field's range.
    EXPECT_NEAR(tc.ParseValue("12.5 (visual)", vkMagnitude), 212.5, 1e-9);
    EXPECT_EQ(tc.ErrorText(), "");
}

TEST(TextConvert, ATextWithoutItsOwnUnitKeepsThePreviousReading)
{
    TextConvert tc(vkRightAscension);
    EXPECT_NEAR(tc.ParseValue("30m"), 0.5, 1e-12);
    // "10 am" names no unit the value reader knows, so the minutes reading stays.
    EXPECT_NEAR(tc.ParseValue("10 am"), 10.0 / 60, 1e-12);
    EXPECT_EQ(tc.ParseValue("hours"), 0.0);
}

TEST(TextConvert, FormatsValuesInTheirStandardForm)
{
    struct Case { double value; int kind; const char* text; };
    const Case cases[] = {
        {12.504166666666666, vkRightAscension, "12h 30m 15s"},
        {12.5, vkRightAscension, "12h 30m"},
        {12.999999, vkRightAscension, "13h"},
        {1.0 + 2.0 / 60 + 3.4 / 3600, vkRightAscension, "1h 2m 3.4s"},
        {0.5, vkDeclination, "0\xC2\xB0 30'"},
        {-0.5, vkDeclination, "-0\xC2\xB0 30'"},
        {-12.51, vkDeclination, "-12\xC2\xB0 30' 36\""},
        {45.0, vkDeclination, "45\xC2\xB0"},
        {212.3, vkMagnitude, "12.3 (visual)"},
        {406.0, vkMagnitude, "6.0 (photo)"},
        {499.98, vkMagnitude, "99.9 (photo)"},
        {299.96, vkMagnitude, "99.9 (visual)"},
        {100.0, vkMagnitude, "-100.0 (visual)"},
        {-1.46, vkMagnitude, "-1.5"},
        {0.0, vkSize, "NO ENTRY"},
        {0.25, vkSize, "15 min"},
        {2.0, vkSize, "2 deg"},
        {2.5, vkSize, "2.5 deg"},
        {0.4 / 60, vkSize, "24 sec"},
        {0.25 + 0.5 / 60, vkSize, "15.5 min"},
    };
    for (const auto& c : cases) {
        TextConvert tc(c.kind);
        EXPECT_EQ(tc.FormatValue(c.value, c.kind), c.text) << c.value;
    }
}

TEST(TextConvert, AMagnitudeAtTheTopOfItsKindReadsBackFromItsText)
{
    // Found by fuzzing: 99.98 (photo) was shown as "100.0 (photo)", which is out of range.
    TextConvert tc(vkMagnitude);
    for (double value : {299.95, 299.99, 499.951, 499.98}) {
        const std::string shown = tc.FormatValue(value);
        tc.ParseValue(shown);
        EXPECT_EQ(tc.ErrorText(), "") << value << " shown as " << shown;
    }
}

TEST(TextConvert, WordsRoundTripForEveryKind)
{
    for (int kind : {vkRightAscension, vkDeclination, vkMagnitude, vkSize}) {
        TextConvert tc(kind);
        for (const char* word : {"MIN", "MAX"}) {
            const double v = tc.ParseValue(word);
            EXPECT_EQ(tc.FormatValue(v), word) << kind;
        }
        // A size of 0 is "no entry", so all four kinds read and write the word.
        EXPECT_EQ(tc.FormatValue(tc.ParseValue("NO ENTRY")), "NO ENTRY") << kind;
        EXPECT_EQ(tc.ParseValue("max"), 0.0) << "lower case is no word";
    }
    TextConvert dates(vkDate);
    for (const char* word : {"MIN", "MAX", "NO ENTRY"})
        EXPECT_EQ(dates.FormatDate(dates.ParseDate(word)), word);
    TextConvert times(vkTime);
    for (const char* word : {"MIN", "MAX", "NO ENTRY"})
        EXPECT_EQ(times.FormatTime(times.ParseTime(word)), word);
}

TEST(TextConvert, FormattedValuesReadBackUnchanged)
{
    // What a field writes when it loses the focus must read back as the same value.
    for (double v : {212.3, 406.0, 6.5, -1.5, 100.0, 199.9, 300.0}) {
        TextConvert tc(vkMagnitude);
        EXPECT_NEAR(tc.ParseValue(tc.FormatValue(v)), v, 1e-9) << v;
    }
    for (double v : {0.0, 5.25, 12.504166666666666, 23.99}) {
        TextConvert tc(vkRightAscension);
        EXPECT_NEAR(tc.ParseValue(tc.FormatValue(v)), v, 0.05 / 3600) << v;
    }
    for (double v : {-89.5, -0.5, 12.51, 0.25}) {
        TextConvert tc(vkDeclination);
        EXPECT_NEAR(tc.ParseValue(tc.FormatValue(v)), v, 0.05 / 3600) << v;
    }
    for (double v : {2.5, 2.0, 0.25, 0.4 / 60}) {
        TextConvert tc(vkSize);
        EXPECT_NEAR(tc.ParseValue(tc.FormatValue(v)), v, 1e-9) << v;
    }
}

TEST(TextConvert, ReadsAndWritesTimesOfDay)
{
    struct Case { const char* text; int h, m, s; };
    const Case cases[] = {
        {"7:05 pm", 19, 5, 0}, {"12:30 am", 0, 30, 0}, {"12 pm", 12, 0, 0},
        {"12:30:15", 12, 30, 15}, {"12 75", 13, 15, 0}, {"0:00:01 am", 0, 0, 1},
    };
    for (const auto& c : cases) {
        TextConvert tc(vkTime);
        const fw::TTime t = tc.ParseTime(c.text);
        EXPECT_EQ(t.Date(), fw::TDate::Today()) << c.text;
        EXPECT_EQ(t.Hour(), c.h) << c.text;
        EXPECT_EQ(t.Minute(), c.m) << c.text;
        EXPECT_EQ(t.Second(), c.s) << c.text;
    }
    TextConvert tc(vkTime);
    const fw::TDate day(22u, 1u, 1996);
    EXPECT_EQ(tc.FormatTime(fw::TTime(day, 19, 5, 0)), "07:05 pm");
    EXPECT_EQ(tc.FormatTime(fw::TTime(day, 0, 30, 15)), "00:30:15 am");
    EXPECT_EQ(tc.FormatTime(fw::TTime(day, 12, 0, 0)), "12:00 pm");
    for (const char* text : {"07:05 pm", "00:30:15 am", "12:00 pm", "11:59:59 pm"})
        EXPECT_EQ(tc.FormatTime(tc.ParseTime(text)), text);

    // Reading a time leaves the converter's own kind: it still writes its values.
    TextConvert ra(vkRightAscension);
    const std::string before12h = ra.FormatValue(12.5);
    ASSERT_NE(before12h, "");
    ra.ParseTime("7:05 pm");
    EXPECT_EQ(ra.Kind(), vkRightAscension);
    EXPECT_EQ(ra.FormatValue(12.5), before12h);
    EXPECT_NEAR(ra.ParseValue("12h 30m"), 12.5, 1e-12);

    const fw::TTime before = fw::TTime::Now();
    const fw::TTime unreadable = tc.ParseTime("25:00");
    EXPECT_GE(unreadable, before);
    EXPECT_LE(unreadable, fw::TTime::Now());
}

TEST(TextConvert, ReadsDatesInEveryForm)
{
    const fw::TDate expected(22u, 1u, 1996);
    for (const char* text : {"19960122", "Jan 22, 1996", "22 Jan 1996", "1/22/1996", "01/22/96", "22 January 96"}) {
        TextConvert tc(vkDate);
        EXPECT_EQ(tc.ParseDate(text), expected) << text;
        EXPECT_EQ(tc.ErrorText(), "") << text;
    }
    // Two-digit years: 00-49 are this century, 50-99 the last.
    TextConvert tc(vkDate);
    EXPECT_EQ(tc.ParseDate("3/4/05"), fw::TDate(4u, 3u, 2005));
    EXPECT_EQ(tc.ParseDate("4 Mar 49"), fw::TDate(4u, 3u, 2049));
    EXPECT_EQ(tc.ParseDate("4 Mar 50"), fw::TDate(4u, 3u, 1950));
    EXPECT_EQ(tc.ErrorText(), "");
}

TEST(TextConvert, ReportsBadDatesAndGivesTheCurrentDate)
{
    // An impossible calendar date gives today; a real date outside the years still reports.
    struct Case { const char* text; const char* error; bool today; };
    const Case cases[] = {
        {"13/45/1996", "Invalid Month Entry\nInvalid Day Entry\nLooking for Format = 1/1/1996\n", true},
        {"2/30/96", "", true},
        {"30 Xyz 1996", "Invalid Month Entry\nLooking for Format = 23 Jan 1995\n", true},
        {"Feb 3, 1850", "Invalid Year Entry\nLooking for Format = Jan 1, 1996\n", false},
        {"1/2/300", "Invalid Year Entry\nLooking for Format = 1/1/1996\n", false},
        // Five-digit years would reach the reserved dates ("1/1/10000" is NO ENTRY's day).
        {"1/1/10000", "Invalid Year Entry\nLooking for Format = 1/1/1996\n", true},
        {"Jan 2, 10000", "Invalid Year Entry\nLooking for Format = Jan 1, 1996\n", true},
        {"5 Mar 123456", "Invalid Year Entry\nLooking for Format = 23 Jan 1995\n", true},
    };
    for (const auto& c : cases) {
        TextConvert tc(vkDate);
        const fw::TDate d = tc.ParseDate(c.text);
        EXPECT_EQ(tc.ErrorText(), c.error) << c.text;
        EXPECT_EQ(d == fw::TDate::Today(), c.today) << c.text;
    }
}

TEST(TextConvert, WritesDatesInFiveStyles)
{
    TextConvert tc(vkDate);
    const fw::TDate d95(23u, 1u, 1995), d96(22u, 1u, 1996), d05(4u, 3u, 2005);
    EXPECT_EQ(tc.FormatDate(d95, 1), "23 Jan 95");
    EXPECT_EQ(tc.FormatDate(d95, 2), "23 Jan 1995");
    EXPECT_EQ(tc.FormatDate(d96, 3), "01/22/96");
    EXPECT_EQ(tc.FormatDate(d96, 4), "01/22/1996");
    EXPECT_EQ(tc.FormatDate(d96, 5), "Jan 22, 1996");
    EXPECT_EQ(tc.FormatDate(d96), "Jan 22, 1996");
    EXPECT_EQ(tc.FormatDate(d05, 3), "03/04/05");
    for (int style = 1; style <= 5; ++style)
        for (const fw::TDate& d : {d95, d96, d05, fw::TDate(31u, 12u, 2029), fw::TDate(1u, 1u, 2030)})
            EXPECT_EQ(tc.ParseDate(tc.FormatDate(d, style)), d) << tc.FormatDate(d, style);
}

TEST(TextConvert, ReservedDatesLieOutsideEveryRealDate)
{
    TextConvert tc(vkDate);
    // The days that once stood for the words are ordinary dates now.
    EXPECT_EQ(tc.FormatDate(fw::TDate(31u, 12u, 2029)), "Dec 31, 2029");
    EXPECT_EQ(tc.FormatDate(fw::TDate(1u, 1u, 2030)), "Jan 1, 2030");
    const fw::TDate latest = tc.ParseDate("99991231");
    EXPECT_LT(latest, TextConvert::NoEntryDate());
    EXPECT_LT(latest, TextConvert::MaxDate());
    EXPECT_GT(fw::TDate(1u, 1u, 1900), TextConvert::MinDate());
    EXPECT_LT(fw::TTime(latest, 23, 59, 59), TextConvert::NoEntryTime());
    EXPECT_LT(TextConvert::NoEntryTime(), TextConvert::MaxTime());
}

TEST(TextConvert, ScanStopsAt41Characters)
{
    TextConvert tc(vkRightAscension);
    // Forty blanks, then "1" at position 41 (read), then "2" at 42 (cut off).
    const std::string text = std::string(40, ' ') + "12";
    EXPECT_EQ(tc.ParseValue(text), 1.0);
    const std::string longNumber = "1" + std::string(60, '0');
    EXPECT_TRUE(std::isfinite(tc.ParseValue(longNumber)));
}

} // namespace
