// A user's chart label: a text placed at a sky position (the text location), optionally tied
// to a second position (the anchor point). Right ascension in hours, declination in degrees.
#pragma once

#include <string>

struct ChartLabel {
    // Longest text a label holds, in bytes.
    static constexpr std::size_t kMaxText = 87;

    double ra1 = 0;  // anchor point
    double dec1 = 0;
    double ra2 = 0;  // text location: the text is centred above it
    double dec2 = 0;
    std::string text;
    double sizeFactor = 1.0; // text height = the chart's pixels per degree x this

    ChartLabel() = default;
    ChartLabel(double ra1_, double dec1_, double ra2_, double dec2_, std::string text_ = {}, double size = 1.0)
        : ra1(ra1_), dec1(dec1_), ra2(ra2_), dec2(dec2_), text(std::move(text_)), sizeFactor(size) {}

    // Labels are the same label when their anchor points are equal.
    bool operator==(const ChartLabel& o) const { return ra1 == o.ra1 && dec1 == o.dec1; }
    bool operator!=(const ChartLabel& o) const { return !(*this == o); }

    // The text cut to kMaxText bytes without splitting a UTF-8 character.
    static std::string FitText(const std::string& text);

    // Angular distance in degrees from a sky position to the label's centre, midway between
    // anchor and text location.
    double DistanceTo(double ra, double dec) const;
};
