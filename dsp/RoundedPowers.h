// x^0 .. x^20 of a single-precision x, each correctly rounded to single precision, as the
// tube-table polynomials need them. Computed by repeated double-double multiplication,
// which is accurate far beyond the final rounding; no pow() call.
#pragma once

namespace dsp {

inline constexpr int kPolynomialDegree = 20;

void roundedPowers(float x, float (&powers)[kPolynomialDegree + 1]);

}  // namespace dsp
