// Sines and cosines for the terms of the trigonometric series (planets, Pluto, nutation), several
// terms at a time: a Cody-Waite reduction by pi/2 and the fdlibm kernel polynomials, written with
// the compiler's vector types. Two terms at a time on any processor, four with fused
// multiply-adds where an x86-64 processor has AVX2 and FMA (chosen at run time). Each value
// agrees with the C library's to within an ulp or two, and a series' angles are formed exactly
// as the plain sum forms them; an angle beyond the reduction's range (a million radians) or not
// a number sends the whole call to the C library.
#pragma once

#include <cstddef>

// Sum over i of amplitude[i] cos(phase[i] + frequency[i] t) (the VSOP87 form; phases in
// radians, frequencies in radians per unit of t, the sum in the amplitudes' unit).
double SumOfCosines(const double* amplitude, const double* phase, const double* frequency, std::size_t n, double t);

// sines[i] = sin(angles[i]), cosines[i] = cos(angles[i]) for i < n (angles in radians).
void SinesAndCosines(const double* angles, std::size_t n, double* sines, double* cosines);

// Whether the four-term kernel may be used where the processor has it (it may, by default);
// tests turn it off to try the two-term kernel on any processor. Returns the setting before.
bool AllowWideTrigKernel(bool allowed);
// Whether the four-term kernel is in use.
bool UsesWideTrigKernel();
