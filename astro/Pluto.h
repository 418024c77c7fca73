// Pluto: heliocentric rectangular position from the PLUTO95 frequency-analysis series
// (Chapront & Francou 1995), mean equator and equinox of J2000.0, read from "9.rsx".
#pragma once

#include "astro/JulianDate.h"

#include <string>

class RectCoord;

class Pluto {
public:
    static constexpr int kTerms = 106;

    // Builds the path (data directory + "9.rsx") and reads the file.
    explicit Pluto(const std::string& dataDirectory);

    // Reads and checks the file; the loaded flag is set only when the signature, the version
    // and the trailing signature are right. A failed read keeps terms read earlier.
    void Read();
    bool IsLoaded() const { return loaded_ != 0; }
    const std::string& Path() const { return path_; }

    // Heliocentric x, y, z in au (mean equator and equinox J2000.0); false (and zeros) while
    // the file cannot be read.
    bool Evaluate(const JulianDate& jd, double xyz[3]);
    // The same as a RectCoord of three distances in au, epoch J2000.0, flag word 0; the zero
    // position while the file cannot be read.
    RectCoord HeliocentricPosition(const JulianDate& jd);

private:
    std::int32_t loaded_ = 0;
    std::string path_;
    JulianDate epoch_;
    double x_ = 0.0, y_ = 0.0, z_ = 0.0;
    double normalisedTime_ = 0.0, daysFromMiddle_ = 0.0;
    // Entries 1..106: frequency (rad/day), Cx, Sx, Cy, Sy, Cz, Sz (1e-10 au).
    double fq_[110] = {}, cx_[110] = {}, sx_[110] = {}, cy_[110] = {}, sy_[110] = {}, cz_[110] = {},
           sz_[110] = {};
};
