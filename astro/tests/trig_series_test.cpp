#include "astro/TrigSeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

const double kPi = 3.141592653589793;

// Runs the checks with the four-term kernel where the processor has it, then with the
// two-term kernel that every processor runs.
template <class Checks>
void WithEachKernel(Checks checks)
{
    for (bool wide : {true, false}) {
        const bool before = AllowWideTrigKernel(wide);
        SCOPED_TRACE(UsesWideTrigKernel() ? "four-term kernel" : "two-term kernel");
        checks();
        AllowWideTrigKernel(before);
    }
}

// Angles where a reduction goes wrong first: zero and tiny values, the edges of the octants,
// multiples of pi/2 (where the reduced angle cancels almost to nothing), both signs, and the
// sizes a series meets (a frequency of 1e5 rad per millennium over a few millennia).
std::vector<double> AwkwardAngles()
{
    std::vector<double> x = {0.0, -0.0, 1e-300, -1e-20, 1e-8, 0.5, 1.0, 2.0, 3.0, 100.0, -100.0, 12345.678,
                             -98765.4321, 333333.3, 999999.0, -999999.0};
    for (int k = -9; k <= 9; ++k) {
        x.push_back(k * kPi / 4);
        x.push_back(k * kPi / 2);
        x.push_back(std::nextafter(k * kPi / 4, 1e9));
    }
    for (double n : {1e3, 1e4, 1e5, 6e5})
        x.push_back(n * kPi / 2);
    return x;
}

TEST(TrigSeries, SinesAndCosinesAgreeWithTheLibraryToTheLastBits)
{
    WithEachKernel([] {
        const std::vector<double> angles = AwkwardAngles();
        // Every count up to the whole table, so that every way the last terms fill a pass is met.
        for (std::size_t n = 0; n <= angles.size(); ++n) {
            std::vector<double> s(n + 1, 7.0), c(n + 1, 7.0);
            SinesAndCosines(angles.data(), n, s.data(), c.data());
            for (std::size_t i = 0; i < n; ++i) {
                EXPECT_NEAR(s[i], std::sin(angles[i]), 3e-16) << angles[i] << " of " << n;
                EXPECT_NEAR(c[i], std::cos(angles[i]), 3e-16) << angles[i] << " of " << n;
            }
            EXPECT_EQ(s[n], 7.0) << "written past the end, n = " << n;
            EXPECT_EQ(c[n], 7.0) << "written past the end, n = " << n;
        }
    });
}

// An angle the reduction cannot take (beyond a million radians, infinite, not a number) sends
// the whole call to the C library, whose answers come back unchanged.
TEST(TrigSeries, AnglesOutOfRangeFallBackToTheLibrary)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    WithEachKernel([&] {
        for (double odd : {1.0e6 + 1.0, -3.0e7, 1e300, inf, -inf, nan}) {
            const std::vector<double> angles = {0.3, -2.0, odd, 7.0, 1.5};
            std::vector<double> s(angles.size()), c(angles.size());
            SinesAndCosines(angles.data(), angles.size(), s.data(), c.data());
            for (std::size_t i = 0; i < angles.size(); ++i) {
                if (std::isnan(std::sin(angles[i]))) {
                    EXPECT_TRUE(std::isnan(s[i]) && std::isnan(c[i])) << odd;
                    continue;
                }
                EXPECT_EQ(s[i], std::sin(angles[i])) << angles[i];
                EXPECT_EQ(c[i], std::cos(angles[i])) << angles[i];
            }
            const std::vector<double> amplitude = {1.0, 2.0, 3.0, 4.0, 5.0}, zero(5, 0.0);
            const double sum = SumOfCosines(amplitude.data(), angles.data(), zero.data(), angles.size(), 0.0);
            if (std::isnan(odd)) {
                EXPECT_TRUE(std::isnan(sum));
            } else if (std::isfinite(odd)) {
                EXPECT_EQ(sum, 1.0 * std::cos(0.3) + 2.0 * std::cos(-2.0) + 3.0 * std::cos(odd) + 4.0 * std::cos(7.0) +
                                   5.0 * std::cos(1.5));
            }
        }
    });
}

// A VSOP87-like series: amplitudes falling from 1, phases in a turn, frequencies up to 1e5
// rad per unit time, at times over several units either side of the origin.
TEST(TrigSeries, SumOfCosinesIsTheSeriesSum)
{
    WithEachKernel([] {
        std::mt19937_64 random(31);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (std::size_t n : {0u, 1u, 2u, 3u, 5u, 8u, 1001u}) {
            std::vector<double> a(n), b(n), f(n);
            for (std::size_t i = 0; i < n; ++i) {
                a[i] = std::pow(10.0, -8.0 * unit(random)) * (unit(random) < 0.5 ? -1 : 1);
                b[i] = 2 * kPi * unit(random);
                f[i] = 1e5 * std::pow(unit(random), 3);
            }
            for (double t : {0.0, 0.3, -1.7, 4.0, -9.5}) {
                double plain = 0.0, scale = 0.0;
                for (std::size_t i = 0; i < n; ++i) {
                    plain += a[i] * std::cos(b[i] + f[i] * t);
                    scale += std::fabs(a[i]);
                }
                EXPECT_NEAR(SumOfCosines(a.data(), b.data(), f.data(), n, t), plain, 1e-15 * (scale + 1e-300))
                    << n << " terms at " << t;
            }
        }
    });
}

} // namespace
