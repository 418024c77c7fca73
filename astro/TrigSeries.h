// Sines and cosines for the terms of the trigonometric series (planets, Pluto, nutation), four
// terms at a time: a Cody-Waite reduction by pi/2 and the fdlibm kernel polynomials, written
// with the compiler's vector types so that one pass handles several terms. Each value agrees
// with the C library's to within an ulp or two; an angle beyond the reduction's range (a
// million radians) or not a number falls back to the C library for the whole call.
#pragma once

#include <cstddef>

// Sum over i of amplitude[i] cos(phase[i] + frequency[i] t) (the VSOP87 form).
double SumOfCosines(const double* amplitude, const double* phase, const double* frequency, std::size_t n, double t);

// sines[i] = sin(angles[i]), cosines[i] = cos(angles[i]) for i < n.
void SinesAndCosines(const double* angles, std::size_t n, double* sines, double* cosines);
