"""The tables exactly as the plug-in builds them, in single precision: x = step * j - 1
with step = 2/44099 rounded to single precision; sum over p = 0..20 of (x^p correctly
rounded to single precision) * coefficient, accumulated in single precision; times the
scale. numpy's float32 arithmetic rounds each operation as the C++ build does (IEEE mode,
no fused multiply-add)."""

from fractions import Fraction

import numpy as np

import reference as ref

F32 = np.float32
STEP = F32(2.0 / ref.LAST_ENTRY)
X = STEP * np.arange(ref.GRID_POINTS, dtype=F32) - F32(1.0)


def _exact_float32(value):
    """value (a Fraction) rounded to the nearest single-precision number, ties to even."""
    low = F32(float(value))  # within an ulp of the answer; step to the right neighbours
    candidates = [np.nextafter(low, F32(-np.inf)), low, np.nextafter(low, F32(np.inf))]
    return min(candidates, key=lambda c: (abs(Fraction(float(c)) - value),
                                          int(c.view(np.uint32)) & 1))


def _rounded_powers():
    """float32(x^p) for p = 0..20, correctly rounded. The double power is exact to well
    under a single-precision ulp; only values near a rounding midpoint are redone exactly."""
    xd = X.astype(np.float64)
    powers = np.empty((ref.DEGREE + 1, ref.GRID_POINTS), dtype=F32)
    for p in range(ref.DEGREE + 1):
        exact = xd ** p
        rounded = exact.astype(F32)
        nearest = rounded.astype(np.float64)
        ulp = np.abs(np.nextafter(rounded, F32(np.inf)).astype(np.float64) - nearest)
        ulp = np.maximum(ulp, np.finfo(F32).smallest_subnormal)
        distance_to_midpoint = np.abs(np.abs(exact - nearest) - 0.5 * ulp)
        for j in np.flatnonzero(distance_to_midpoint < 1e-9 * ulp + 64 * np.abs(exact) * 2.0 ** -53):
            rounded[j] = _exact_float32(Fraction(float(X[j])) ** p)
        powers[p] = rounded
    return powers


POWERS = _rounded_powers()


def build(coefficients, scale):
    """One slice's 44100 entries (the guard entry left out) from its float32 coefficients
    in ascending powers and its scale."""
    coefficients = np.asarray(coefficients, dtype=F32)
    total = np.zeros(ref.GRID_POINTS, dtype=F32)
    for p in range(ref.DEGREE + 1):
        total = total + POWERS[p] * coefficients[p]
    return total * F32(scale)
