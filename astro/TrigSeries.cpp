#include "astro/TrigSeries.h"

#include "framework/stream/StateReset.h"

#include <cmath>
#include <cstdint>
#include <cstring>

// The wider kernel where GCC builds it for x86-64 processors that have AVX2 and FMA, chosen at
// run time. Its vectors pass between inlined functions only, never across the ABI, so the
// compiler's note on how such vectors are passed does not apply.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define STELLUM_WIDE_KERNEL 1
#pragma GCC diagnostic ignored "-Wpsabi"
#else
#define STELLUM_WIDE_KERNEL 0
#endif

namespace {

// Two terms at a time on every processor (the vectors of the baseline instruction set), four
// with fused multiply-adds where the processor has AVX2 and FMA.
typedef double V2d __attribute__((vector_size(2 * sizeof(double))));
typedef std::uint64_t V2u __attribute__((vector_size(2 * sizeof(double))));
typedef double V4d __attribute__((vector_size(4 * sizeof(double))));
typedef std::uint64_t V4u __attribute__((vector_size(4 * sizeof(double))));

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

// The kernel, written once for both widths; always inlined, so that each width is compiled
// for the instructions of the function that uses it.
#define STELLUM_KERNEL inline __attribute__((always_inline))

// The same bits seen as integers or as doubles.
template <class Vd, class Vu>
STELLUM_KERNEL Vu Bits(const Vd& v)
{
    return (Vu)v;
}

template <class Vd, class Vu>
STELLUM_KERNEL Vd Doubles(const Vu& v)
{
    return (Vd)v;
}

template <class Vd>
STELLUM_KERNEL Vd Load(const double* p)
{
    Vd v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class Vd>
STELLUM_KERNEL void Store(double* p, const Vd& v)
{
    std::memcpy(p, &v, sizeof v);
}

// The value as it stands, rounded: a product passed through here is not fused with the sum it
// goes into, so that the series' angles are the same as without fused multiply-adds.
template <class Vd>
STELLUM_KERNEL Vd Rounded(const Vd& v)
{
    Vd r = v;
#if STELLUM_WIDE_KERNEL
    __asm__("" : "+x"(r));
#endif
    return r;
}

// x = n pi/2 + r with |r| <= pi/4: the sine and cosine of r and n mod 4; largest keeps the
// largest magnitude of x met (a NaN once one was met), for the caller to check the range.
template <class Vd, class Vu>
STELLUM_KERNEL void Reduce(const Vd& x, Vd& sinR, Vd& cosR, Vu& quadrant, Vd& largest)
{
    const Vd magnitude = Doubles<Vd, Vu>(Bits<Vd, Vu>(x) & 0x7fffffffffffffffu);
    largest = !(magnitude <= largest) ? magnitude : largest;
    const Vd shifted = x * kTwoOverPi + kRoundingShift;
    const Vd n = shifted - kRoundingShift;
    quadrant = Bits<Vd, Vu>(shifted) & 3;
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
template <class Vd, class Vu>
STELLUM_KERNEL Vd Select(const Vu& swap, const Vd& whenEven, const Vd& whenOdd)
{
    return Doubles<Vd, Vu>((Bits<Vd, Vu>(whenEven) & ~swap) | (Bits<Vd, Vu>(whenOdd) & swap));
}

template <class Vd, class Vu>
STELLUM_KERNEL Vd Negated(const Vd& v, const Vu& signBit)
{
    return Doubles<Vd, Vu>(Bits<Vd, Vu>(v) ^ signBit);
}

template <class Vd, class Vu>
STELLUM_KERNEL Vd Cosine(const Vd& x, Vd& largest)
{
    Vd s, c;
    Vu q;
    Reduce(x, s, c, q, largest);
    const Vu swap = -(q & 1);
    return Negated(Select(swap, c, -s), Vu((q & 2) << 62));
}

template <class Vd, class Vu>
STELLUM_KERNEL void SineAndCosine(const Vd& x, Vd& sine, Vd& cosine, Vd& largest)
{
    Vd s, c;
    Vu q;
    Reduce(x, s, c, q, largest);
    const Vu swap = -(q & 1);
    const Vu sign = (q & 2) << 62;
    sine = Negated(Select(swap, s, c), sign);
    cosine = Negated(Select(swap, c, -s), sign);
}

template <class Vd>
STELLUM_KERNEL bool InRange(const Vd& largest)
{
    for (std::size_t i = 0; i < sizeof(Vd) / sizeof(double); ++i)
        if (!(largest[i] <= kLargestAngle))
            return false;
    return true;
}

// The kernels give false, and leave the work to the C library's functions below, when an angle
// is out of their range.
template <class Vd, class Vu>
STELLUM_KERNEL bool SumOfCosinesKernel(const double* amplitude, const double* phase, const double* frequency,
                                       std::size_t n, double t, double& result)
{
    constexpr std::size_t kLanes = sizeof(Vd) / sizeof(double);
    Vd sum = {}, largest = {};
    std::size_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        sum += Load<Vd>(amplitude + i) *
               Cosine<Vd, Vu>(Load<Vd>(phase + i) + Rounded<Vd>(Load<Vd>(frequency + i) * t), largest);
    if (i < n) {
        // The last few terms, the unused lanes with amplitude 0.
        double a[kLanes] = {}, b[kLanes] = {}, f[kLanes] = {};
        for (std::size_t k = 0; i + k < n; ++k) {
            a[k] = amplitude[i + k];
            b[k] = phase[i + k];
            f[k] = frequency[i + k];
        }
        sum += Load<Vd>(a) * Cosine<Vd, Vu>(Load<Vd>(b) + Rounded<Vd>(Load<Vd>(f) * t), largest);
    }
    if (!InRange(largest))
        return false;
    result = 0.0;
    for (std::size_t k = 0; k < kLanes; ++k)
        result += sum[k];
    return true;
}

template <class Vd, class Vu>
STELLUM_KERNEL bool SinesAndCosinesKernel(const double* angles, std::size_t n, double* sines, double* cosines)
{
    constexpr std::size_t kLanes = sizeof(Vd) / sizeof(double);
    Vd largest = {};
    std::size_t i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        Vd s, c;
        SineAndCosine<Vd, Vu>(Load<Vd>(angles + i), s, c, largest);
        Store(sines + i, s);
        Store(cosines + i, c);
    }
    if (i < n) {
        double x[kLanes] = {}, s[kLanes], c[kLanes];
        for (std::size_t k = 0; i + k < n; ++k)
            x[k] = angles[i + k];
        Vd vs, vc;
        SineAndCosine<Vd, Vu>(Load<Vd>(x), vs, vc, largest);
        Store(s, vs);
        Store(c, vc);
        for (std::size_t k = 0; i + k < n; ++k) {
            sines[i + k] = s[k];
            cosines[i + k] = c[k];
        }
    }
    return InRange(largest);
}

bool SumOfCosinesNarrow(const double* amplitude, const double* phase, const double* frequency, std::size_t n,
                        double t, double& result)
{
    return SumOfCosinesKernel<V2d, V2u>(amplitude, phase, frequency, n, t, result);
}

bool SinesAndCosinesNarrow(const double* angles, std::size_t n, double* sines, double* cosines)
{
    return SinesAndCosinesKernel<V2d, V2u>(angles, n, sines, cosines);
}

#if STELLUM_WIDE_KERNEL
__attribute__((target("avx2,fma"))) bool SumOfCosinesWide(const double* amplitude, const double* phase,
                                                         const double* frequency, std::size_t n, double t,
                                                         double& result)
{
    return SumOfCosinesKernel<V4d, V4u>(amplitude, phase, frequency, n, t, result);
}

__attribute__((target("avx2,fma"))) bool SinesAndCosinesWide(const double* angles, std::size_t n, double* sines,
                                                            double* cosines)
{
    return SinesAndCosinesKernel<V4d, V4u>(angles, n, sines, cosines);
}

// Asked once; the detection is started here, as the first caller may run before the
// program's constructors (the shared nutation is built at start-up).
bool ProcessorHasWideKernel()
{
    static const bool wide = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    }();
    return wide;
}
#endif

bool wideKernelAllowed = true;

const fw::StateReset resetWideKernel{[] { wideKernelAllowed = true; }};

bool HasWideKernel()
{
#if STELLUM_WIDE_KERNEL
    return wideKernelAllowed && ProcessorHasWideKernel();
#else
    return false;
#endif
}

} // namespace

double SumOfCosines(const double* amplitude, const double* phase, const double* frequency, std::size_t n, double t)
{
    double result = 0.0;
#if STELLUM_WIDE_KERNEL
    const bool done = HasWideKernel() ? SumOfCosinesWide(amplitude, phase, frequency, n, t, result)
                                      : SumOfCosinesNarrow(amplitude, phase, frequency, n, t, result);
#else
    const bool done = SumOfCosinesNarrow(amplitude, phase, frequency, n, t, result);
#endif
    if (done)
        return result;
    result = 0.0;
    for (std::size_t k = 0; k < n; ++k)
        result += amplitude[k] * std::cos(phase[k] + frequency[k] * t);
    return result;
}

void SinesAndCosines(const double* angles, std::size_t n, double* sines, double* cosines)
{
#if STELLUM_WIDE_KERNEL
    // Fewer angles than the wide kernel takes in one pass (a rise and a set) go two at a time.
    const bool done = n >= 4 && HasWideKernel() ? SinesAndCosinesWide(angles, n, sines, cosines)
                                                : SinesAndCosinesNarrow(angles, n, sines, cosines);
#else
    const bool done = SinesAndCosinesNarrow(angles, n, sines, cosines);
#endif
    if (done)
        return;
    for (std::size_t k = 0; k < n; ++k) {
        sines[k] = std::sin(angles[k]);
        cosines[k] = std::cos(angles[k]);
    }
}

bool AllowWideTrigKernel(bool allowed)
{
    const bool before = wideKernelAllowed;
    wideKernelAllowed = allowed;
    return before;
}

bool UsesWideTrigKernel()
{
    return HasWideKernel();
}
