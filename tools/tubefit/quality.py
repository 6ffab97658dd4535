"""Measures a built slice against the reference figures, the solved curve and its own
smoothness, and checks the tables' tolerances."""

import numpy as np

import reference as ref

TELLING_TOLERANCE = {"A": 0.02, "B": 0.02, "C": 0.02, "D": 0.02}
TELLING_TOLERANCE_B0 = 0.05  # the cutoff corner of the first slice is the hardest shape
END_TOLERANCE = 0.01
JITTER_LIMIT = 0.001
GRID_CURRENT_FLOOR = -0.01
DRAWDOWN_LIMIT = {"B": 0.05, "D": 0.001}


def _polynomial_double(coefficients, x):
    return np.polynomial.polynomial.polyval(np.asarray(x, dtype=float),
                                            np.asarray(coefficients, dtype=float))


def measure(family, k, table, coefficients, fit_entries, curve, x):
    """All figures of one slice, in units of its scale. table: the float build (44100
    entries); coefficients: the float32 coefficients, ascending; curve: the normalised
    solved curve at fit_entries."""
    scale = ref.SCALE[family][k]
    t = table.astype(np.float64) / scale
    smooth = _polynomial_double(coefficients, x) * (np.float64(np.float32(scale)) / scale)
    noise = t - smooth
    figures = {
        "curve": np.max(np.abs(t[fit_entries] - curve)),
        "noise": np.max(np.abs(noise)),
        "jitter": np.max(np.abs(np.diff(noise, 2))),
        "second_difference": np.max(np.abs(np.diff(t, 2))),
        "end": abs(t[ref.LAST_ENTRY] - 1.0),
        "minimum": t.min(),
        "drawdown": np.max(np.maximum.accumulate(t) - t),
        "largest_coefficient": np.max(np.abs(coefficients)),
        "coefficient_sum": np.sum(np.abs(coefficients)),
    }
    if (family, k) in ref.TELLING_VALUES:
        values = np.array(ref.TELLING_VALUES[(family, k)]) / scale
        figures["telling"] = np.max(np.abs(t[ref.TELLING_ENTRIES] - values))
    return figures


def failures(family, k, figures):
    """The tolerances a slice misses, as text."""
    out = []
    if "telling" in figures:
        limit = TELLING_TOLERANCE_B0 if (family, k) == ("B", 0) else TELLING_TOLERANCE[family]
        if figures["telling"] > limit:
            out.append(f"published values off by {figures['telling']:.2%}")
    if figures["end"] > END_TOLERANCE:
        out.append(f"entry 44099 off by {figures['end']:.2%}")
    if figures["jitter"] > JITTER_LIMIT:
        out.append(f"jitter {figures['jitter']:.3%}")
    if family in "AC" and figures["minimum"] < GRID_CURRENT_FLOOR:
        out.append(f"grid current down to {figures['minimum']:.2%}")
    if family in DRAWDOWN_LIMIT and figures["drawdown"] > DRAWDOWN_LIMIT[family]:
        out.append(f"drops by {figures['drawdown']:.3%}")
    return [f"{family}{k}: {text}" for text in out]
