#include "astro/ELPseries.h"

#include "astro/TrigSeries.h"
#include "framework/stream/PStream.h"

#include <algorithm>
#include <cmath>

int ELPseries::MultiplierCount(int number)
{
    if (number < 1 || number > 36)
        return 0;
    if (number <= 3)
        return 4;
    if (number <= 9)
        return 5;
    if (number <= 21)
        return 11;
    return 4;
}

void ELPseries::Clear()
{
    for (auto& m : multipliers_)
        m.clear();
    coefficients_.clear();
    phases_.clear();
    count_ = 0;
    number_ = 0;
    loaded_ = 0;
}

bool ELPseries::Read(fw::ipstream& is, int number, std::uint32_t count)
{
    Clear();
    const int nm = MultiplierCount(number);
    if (nm == 0 || count > kMaxTerms)
        return false;
    const bool hasPhase = number >= 4;
    for (int k = 0; k < nm; ++k)
        multipliers_[k].resize(count);
    coefficients_.resize(count);
    if (hasPhase)
        phases_.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        for (int k = 0; k < nm; ++k)
            multipliers_[k][i] = static_cast<std::int8_t>(is.readByte());
        coefficients_[i] = is.readDouble();
        if (hasPhase)
            phases_[i] = is.readDouble();
    }
    if (is.fail()) {
        Clear();
        return false;
    }
    count_ = static_cast<std::int32_t>(count);
    number_ = number;
    loaded_ = 1;
    return true;
}

// The terms' angles a block at a time, then their sines (cosines for series 3) in one pass of
// the series kernel; the sum runs in the terms' order.
double ELPseries::Value(const ELParguments& a) const
{
    if (!loaded_)
        return 0.0;
    const int n = number_;
    const auto& m = multipliers_;
    constexpr std::int32_t kBlock = 256;
    double angle[kBlock], sines[kBlock], cosines[kBlock];
    const double* const values = n == 3 ? cosines : sines;
    double sum = 0.0;
    for (std::int32_t start = 0; start < count_; start += kBlock) {
        const std::int32_t length = std::min(kBlock, count_ - start);
        for (std::int32_t k = 0; k < length; ++k) {
            const std::int32_t i = start + k;
            double arg;
            if (n <= 3 || n >= 22)
                arg = m[0][i] * a.D + m[1][i] * a.lp + m[2][i] * a.l + m[3][i] * a.F;
            else if (n <= 9)
                arg = m[0][i] * a.zeta + m[1][i] * a.D + m[2][i] * a.lp + m[3][i] * a.l + m[4][i] * a.F;
            else if (n <= 15)
                arg = m[0][i] * a.Me + m[1][i] * a.V + m[2][i] * a.T + m[3][i] * a.Ma + m[4][i] * a.J +
                      m[5][i] * a.S + m[6][i] * a.U + m[7][i] * a.N + m[8][i] * a.D + m[9][i] * a.l +
                      m[10][i] * a.F;
            else
                arg = m[0][i] * a.Me + m[1][i] * a.V + m[2][i] * a.T + m[3][i] * a.Ma + m[4][i] * a.J +
                      m[5][i] * a.S + m[6][i] * a.U + m[7][i] * a.D + m[8][i] * a.lp + m[9][i] * a.l +
                      m[10][i] * a.F;
            if (n >= 4)
                arg += phases_[static_cast<size_t>(i)];
            angle[k] = arg;
        }
        SinesAndCosines(angle, static_cast<std::size_t>(length), sines, cosines);
        for (std::int32_t k = 0; k < length; ++k)
            sum += coefficients_[static_cast<size_t>(start + k)] * values[k];
    }
    return sum;
}
