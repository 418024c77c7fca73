// Text to and from the astronomical values the user types: right ascension, declination,
// magnitude, object size, time of day and calendar date, with the reserved words "MIN", "MAX"
// and "NO ENTRY" for an open lower bound, an open upper bound and an empty field.
//
// The reader is forgiving: it cuts a text into up to three numbers and the segments around them,
// classifies each segment by its unit letters (h, d or °, m or ', s or ", am, pm, colon) and from
// the unit after the first number decides whether the numbers are units, minutes or seconds.
#pragma once

#include "framework/stream/Date.h"

#include <cstdint>
#include <string>

// What a text stands for.
enum ValueKind : std::int32_t {
    vkDate = 0,
    vkRightAscension = 1,  // hours
    vkDeclination = 2,     // degrees
    vkMagnitude = 3,
    vkSize = 4,            // degrees
    vkTime = 5,
};

class TextConvert {
public:
    explicit TextConvert(std::int32_t kind = vkDate);

    // Copies the error text of the last parse; true when there is one.
    bool GetError(std::string& text) const;
    const std::string& ErrorText() const { return error_; }
    std::int32_t Kind() const { return kind_; }

    // Reads a value of the kind (0: the converter's kind). A range error sets the error text
    // and still returns the value read. A magnitude text that ends in " (visual)" or
    // " (photo)" reads back as the stored form of that kind (value + 200 or + 400).
    double ParseValue(const std::string& text, std::int32_t kind = 0);
    // The standard text of a value of the kind (0: the converter's kind); empty for a value of
    // 2^31 whole units or more, or not a number.
    std::string FormatValue(double value, std::int32_t kind = 0);

    // A time of day on the current date; an unreadable hour gives the computer's time.
    fw::TTime ParseTime(const std::string& text);
    std::string FormatTime(const fw::TTime& time);

    // A calendar date; an impossible one gives the current date (the error text says why).
    // Two-digit years 00-49 are 2000-2049, 50-99 are 1950-1999.
    fw::TDate ParseDate(const std::string& text);
    // Styles 1-5 (0: the converter's date style, 5 unless changed).
    std::string FormatDate(const fw::TDate& date, std::int32_t style = 0);

    // The reserved values of a kind.
    static double MinValue(std::int32_t kind);
    static double MaxValue(std::int32_t kind);
    static double NoEntryValue(std::int32_t kind);
    // The reserved dates and times lie outside every date a text can give, so that no real
    // day reads back as a word and every real date lies between MIN and MAX.
    static fw::TDate MinDate();
    static fw::TDate MaxDate();
    static fw::TDate NoEntryDate();
    static fw::TTime MinTime();
    static fw::TTime MaxTime();
    static fw::TTime NoEntryTime();

    // Offsets that mark a stored magnitude's kind.
    static constexpr double kVisualOffset = 200.0;
    static constexpr double kPhotoOffset = 400.0;

private:
    enum Reading { rdUnits = 0, rdMinutes = 1, rdSeconds = 2 };
    enum { kPartLimit = 40, kScanLimit = 41 };

    struct Number {
        std::string text;
        std::int32_t sign = 1;
        std::int64_t whole = 0;
        std::int32_t shape = 0;  // 0 no digits, 1 digits only, 2 with a decimal point
        double decimal = 0.0;
    };

    void SplitText(const std::string& text);
    std::int32_t UnitCode(const std::string& segment) const;

    std::int32_t kind_;
    std::int32_t dateStyle_ = 5;
    std::int32_t reading_ = rdUnits;  // kept from one ParseValue to the next
    Number numbers_[3];
    std::string prefix_, separator1_, separator2_, suffix_;
    std::int32_t unitPrefix_ = 0, unitSeparator1_ = 0, unitSeparator2_ = 0, unitSuffix_ = 0;
    std::string error_;
};
