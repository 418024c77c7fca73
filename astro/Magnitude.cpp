#include "astro/Magnitude.h"

#include "astro/TextFormat.h"

double Magnitude::Value(int kind) const
{
    switch (kind) {
    case 0:
        if (visual_ < kNoValue) return visual_;
        if (photo_ < kNoValue) return photo_;
        return kNoValue;
    case 1: return visual_;
    case 2: return photo_;
    default: return kNoValue;
    }
}

std::string Magnitude::Format(int precision, int kind) const
{
    if (kind == 0) {
        if (visual_ >= kNoValue && photo_ >= kNoValue)
            return "No Entry";
        kind = visual_ < kNoValue ? 1 : 2;
    }
    double value = kNoValue;
    const char* suffix = "";
    if (kind == 1) {
        value = visual_;
        suffix = " Visual";
    } else if (kind == 2) {
        value = photo_;
        suffix = " Photo";
    }
    if (value < kNoValue)
        return FormatText((NumberFormat(precision, 'f') + suffix).c_str(), value);
    if (value == kMinBound)
        return "MIN";
    if (value == kMaxBound)
        return "MAX";
    return "INVALID";
}
