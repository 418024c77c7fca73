// SignedDMS: a signed decimal value (degrees or hours) split into sign, whole units, minutes
// and rounded seconds, with the carry of 60 seconds into the minutes and of 60 minutes into
// the whole units.
#pragma once

#include <cstdint>

class SignedDMS {
public:
    explicit SignedDMS(double value);

    std::int32_t sign = 1;       // +1 or -1
    double value = 0.0;          // magnitude of the input
    std::int32_t whole = 0;      // whole units of the magnitude (truncated)
    double decimalMinutes = 0.0; // fraction of the magnitude x 60
    std::int32_t minutes = 0;    // decimal minutes truncated
    double seconds = 0.0;        // seconds left after the minutes; 0 when the rounding carried
    std::int32_t roundedSeconds = 0;
};
