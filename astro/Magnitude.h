// Magnitude: the visual and the photographic magnitude of an object, with reserved values
// for "no value" and for the lower and upper bound of a filter range.
#pragma once

#include <string>

class Magnitude {
public:
    static constexpr double kNoValue = 20000.0;
    static constexpr double kMinBound = 20001.0; // shown "MIN"
    static constexpr double kMaxBound = 20002.0; // shown "MAX"

    // Kinds: 0 the best available (visual, else photographic), 1 visual, 2 photographic.
    Magnitude() = default;
    Magnitude(double visual, double photographic) : visual_(visual), photo_(photographic) {}

    double Visual() const { return visual_; }
    double Photographic() const { return photo_; }
    void SetVisual(double v) { visual_ = v; }
    void SetPhotographic(double v) { photo_ = v; }

    double Value(int kind) const;
    // "%.<precision>f Visual" / " Photo", "No Entry", "MIN", "MAX" or "INVALID".
    std::string Format(int precision, int kind) const;

private:
    double visual_ = kNoValue;
    double photo_ = kNoValue;
};
