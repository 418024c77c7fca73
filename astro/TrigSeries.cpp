#include "astro/TrigSeries.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Four terms at a time; the compiler splits the vectors into what the processor has.
typedef double Vd __attribute__((vector_size(2 * sizeof(double))));
typedef std::uint64_t Vu __attribute__((vector_size(2 * sizeof(double))));
constexpr std::size_t kLanes = 2;

// pi/2 in three parts of 33 significant bits each (fdlibm's pio2_1, pio2_2, pio2_3): n times a
// part is exact for |n| < 2^20, so the reduction keeps its precision up to a million radians.
constexpr double kPiOver2Part1 = 1.57079632673412561417e+00;
constexpr double kPiOver2Part2 = 6.07710050630396597660e-11;
constexpr double kPiOver2Part3 = 2.02226624871116645580e-21;
constexpr double kTwoOverPi = 6.36619772367581382433e-01;
// Adding 1.5 x 2^52 rounds to an integer and leaves it in the low bits of the significand.
constexpr double kRoundingShift = 6755399441055744.0;
constexpr double kLargestAngle = 1.0e6;

// Minimax polynomials of sin and cos on [-pi/4, pi/4] (fdlibm's __kernel_sin, __kernel_cos).
constexpr double kS1 = -1.66666666666666324348e-01, kS2 = 8.33333333332248946124e-03,
                 kS3 = -1.98412698298579493134e-04, kS4 = 2.75573137070700676789e-06,
                 kS5 = -2.50507602534068634195e-08, kS6 = 1.58969099521155010221e-10;
constexpr double kC1 = 4.16666666666666019037e-02, kC2 = -1.38888888888741095749e-03,
                 kC3 = 2.48015872894767294178e-05, kC4 = -2.75573143513906633035e-07,
                 kC5 = 2.08757232129817482790e-09, kC6 = -1.13596475577881948265e-11;

// The same bits seen as integers or as doubles.
inline Vu Bits(const Vd& v) { return (Vu)v; }
inline Vd Doubles(const Vu& v) { return (Vd)v; }

inline Vd Load(const double* p)
{
    Vd v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void Store(double* p, const Vd& v) { std::memcpy(p, &v, sizeof v); }

// x = n pi/2 + r with |r| <= pi/4: the sine and cosine of r and n mod 4; largest keeps the
// largest magnitude of x met (a NaN once one was met), for the caller to check the range.
inline void Reduce(const Vd& x, Vd& sinR, Vd& cosR, Vu& quadrant, Vd& largest)
{
    // The largest magnitude seen so far, or a NaN once one was seen.
    const Vd magnitude = Doubles(Bits(x) & 0x7fffffffffffffffu);
    largest = !(magnitude <= largest) ? magnitude : largest;
    const Vd shifted = x * kTwoOverPi + kRoundingShift;
    const Vd n = shifted - kRoundingShift;
    quadrant = Bits(shifted) & 3;
    Vd r = x - n * kPiOver2Part1;
    r = r - n * kPiOver2Part2;
    r = r - n * kPiOver2Part3;
    const Vd z = r * r;
    sinR = r + z * r * (kS1 + z * (kS2 + z * (kS3 + z * (kS4 + z * (kS5 + z * kS6)))));
    const Vd c = z * (kC1 + z * (kC2 + z * (kC3 + z * (kC4 + z * (kC5 + z * kC6)))));
    const Vd hz = 0.5 * z;
    const Vd w = 1.0 - hz;
    cosR = w + (((1.0 - w) - hz) + z * c);
}

// sin and cos of n pi/2 + r from those of r: the quadrant's odd bit swaps them, and the signs
// follow the quadrant.
inline Vd Select(const Vu& swap, const Vd& whenEven, const Vd& whenOdd)
{
    return Doubles((Bits(whenEven) & ~swap) | (Bits(whenOdd) & swap));
}

inline Vd Negated(const Vd& v, const Vu& signBit) { return Doubles(Bits(v) ^ signBit); }

inline Vd Cosine(const Vd& x, Vd& largest)
{
    Vd s, c;
    Vu q;
    Reduce(x, s, c, q, largest);
    const Vu swap = -(q & 1);
    return Negated(Select(swap, c, -s), (q & 2) << 62);
}

inline void SineAndCosine(const Vd& x, Vd& sine, Vd& cosine, Vd& largest)
{
    Vd s, c;
    Vu q;
    Reduce(x, s, c, q, largest);
    const Vu swap = -(q & 1);
    const Vu sign = (q & 2) << 62;
    sine = Negated(Select(swap, s, c), sign);
    cosine = Negated(Select(swap, c, -s), sign);
}

inline bool InRange(const Vd& largest)
{
    for (std::size_t i = 0; i < kLanes; ++i)
        if (!(largest[i] <= kLargestAngle))
            return false;
    return true;
}

} // namespace

double SumOfCosines(const double* amplitude, const double* phase, const double* frequency, std::size_t n, double t)
{
    Vd sum = {0.0, 0.0};
    Vd largest = {0.0, 0.0};
    std::size_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        sum += Load(amplitude + i) * Cosine(Load(phase + i) + Load(frequency + i) * t, largest);
    if (i < n) {
        // The last few terms, the unused lanes with amplitude 0.
        double a[kLanes] = {}, b[kLanes] = {}, f[kLanes] = {};
        for (std::size_t k = 0; i + k < n; ++k) {
            a[k] = amplitude[i + k];
            b[k] = phase[i + k];
            f[k] = frequency[i + k];
        }
        sum += Load(a) * Cosine(Load(b) + Load(f) * t, largest);
    }
    if (!InRange(largest)) {
        double s = 0.0;
        for (std::size_t k = 0; k < n; ++k)
            s += amplitude[k] * std::cos(phase[k] + frequency[k] * t);
        return s;
    }
    return sum[0] + sum[1];
}

void SinesAndCosines(const double* angles, std::size_t n, double* sines, double* cosines)
{
    Vd largest = {0.0, 0.0};
    std::size_t i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        Vd s, c;
        SineAndCosine(Load(angles + i), s, c, largest);
        Store(sines + i, s);
        Store(cosines + i, c);
    }
    if (i < n) {
        double x[kLanes] = {}, s[kLanes], c[kLanes];
        for (std::size_t k = 0; i + k < n; ++k)
            x[k] = angles[i + k];
        Vd vs, vc;
        SineAndCosine(Load(x), vs, vc, largest);
        Store(s, vs);
        Store(c, vc);
        for (std::size_t k = 0; i + k < n; ++k) {
            sines[i + k] = s[k];
            cosines[i + k] = c[k];
        }
    }
    if (!InRange(largest))
        for (std::size_t k = 0; k < n; ++k) {
            sines[k] = std::sin(angles[k]);
            cosines[k] = std::cos(angles[k]);
        }
}
