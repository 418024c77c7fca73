// ELPseries: one of the 36 series of the lunar theory ELP 2000-82B as the Moon's series files
// hold it: per term the integer multipliers of the fundamental arguments, a coefficient
// (arcseconds, or kilometres for distance) and, for series 4-36, a phase (radians).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw { class ipstream; }

// The fundamental arguments of the theory for one instant, radians.
struct ELParguments {
    double D, lp, l, F, zeta;
    double Me, V, T, Ma, J, S, U, N;
};

class ELPseries {
public:
    // Largest term count accepted from a file.
    static constexpr std::uint32_t kMaxTerms = 40000;

    ELPseries() = default;

    // Number of multipliers per term of series n: 4 (1-3), 5 (4-9), 11 (10-21), 4 (22-36); 0
    // outside 1-36.
    static int MultiplierCount(int number);

    // Reads count terms of series number from the stream; false when the stream fails on the
    // way or the number or count is out of range (the series is then empty).
    bool Read(fw::ipstream& is, int number, std::uint32_t count);
    void Clear();

    bool IsLoaded() const { return loaded_ != 0; }
    std::int32_t Count() const { return count_; }
    std::int32_t Number() const { return number_; }
    double Coefficient(int i) const { return coefficients_[static_cast<size_t>(i)]; }

    // The series' sum for the arguments (sine series, cosine for series 3).
    double Value(const ELParguments& a) const;

private:
    std::int32_t count_ = 0;
    std::int32_t number_ = 0;
    std::uint8_t loaded_ = 0;
    std::vector<std::int8_t> multipliers_[11];
    std::vector<double> coefficients_;
    std::vector<double> phases_;
};
