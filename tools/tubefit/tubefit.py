#!/usr/bin/python3
"""Derives the tube tables' polynomial coefficients and writes dsp/TubeTableData.cpp.

    /usr/bin/python3 tools/tubefit/tubefit.py           write the data, print the figures
    /usr/bin/python3 tools/tubefit/tubefit.py --check   compare with the committed data

Steps: fit each triode's law and coupling to the reference figures; solve the forty
curves; fit one polynomial per slice; build the tables as the plug-in does, in single
precision; check the tolerances. Deterministic: no random numbers, one thread."""

import os

# Single-threaded linear algebra, so that no reduction depends on the thread count.
for _variable in ("OMP_NUM_THREADS", "OPENBLAS_NUM_THREADS", "MKL_NUM_THREADS"):
    os.environ[_variable] = "1"

import argparse
import sys
from pathlib import Path

import numpy as np

import emit
import floatbuild
import modelfit
import polyfit
import quality
import reference as ref
import triode

OUTPUT = Path(__file__).resolve().parents[2] / "dsp" / "TubeTableData.cpp"
FIT_STRIDE = 20  # every 20th grid entry, plus the published entries
# The solved curves are rounded to multiples of 2^-30 of the scale before the polynomial
# fit, so that last-bit differences of the maths library cannot reach the coefficients.
CURVE_QUANTUM = 2.0 ** -30


def fit_entries():
    entries = set(range(0, ref.GRID_POINTS, FIT_STRIDE)) | set(ref.TELLING_ENTRIES)
    return np.array(sorted(entries))


def slice_pins(family, k, x):
    pins = [(x[ref.LAST_ENTRY], 1.0, polyfit.END_TOLERANCE)]
    if (family, k) in ref.TELLING_VALUES:
        scale = ref.SCALE[family][k]
        for j, value in zip(ref.TELLING_ENTRIES, ref.TELLING_VALUES[(family, k)]):
            pins.append((x[j], value / scale, polyfit.PIN_TOLERANCE))
    return pins


def derive(log):
    entries = fit_entries()
    x = floatbuild.X.astype(np.float64)
    g = (x[entries] + 1.0) / 2.0
    params_by_triode, coefficients, figures = {}, {}, {}
    for number, circuit in ref.TRIODES.items():
        params, residuals = modelfit.fit(number)
        params_by_triode[number] = params
        log(f"triode {number}: " + ", ".join(
            f"{n} {v:.6g}" for n, v in zip(triode.PARAMETER_NAMES, params)))
        log(f"  figures reproduced within {np.max(np.abs(residuals)):.3%} of scale")
        for member, family in enumerate(circuit["families"]):
            for k in range(ref.SLICES):
                currents = triode.solve(params, ref.grid_voltage(number, g),
                                        ref.plate_voltage(number, k))
                curve = np.round(currents[member] / ref.SCALE[family][k] / CURVE_QUANTUM) * CURVE_QUANTUM
                c = polyfit.fit(x[entries], curve, rising=family in "BD",
                                floor=-polyfit.CURRENT_FLOOR,
                                pins=slice_pins(family, k, x))
                coefficients[(family, k)] = c.astype(np.float32) + np.float32(0.0)  # no -0
                table = floatbuild.build(coefficients[(family, k)], ref.SCALE[family][k])
                figures[(family, k)] = quality.measure(family, k, table, coefficients[(family, k)],
                                                       entries, curve, x)
    return params_by_triode, coefficients, figures


def report(figures, log):
    log("In units of the slice's scale: published = worst of the published values, g=1 =")
    log("entry 44099 against the scale, curve = largest deviation from the solved curve,")
    log("noise = float build against the exact polynomial, jitter = its largest second")
    log("difference, d2 = largest second difference of the table itself, min = lowest")
    log("entry, drop = largest fall as g rises.")
    log("slice  published  g=1     curve    noise    jitter   d2       min      drop     max|c|  sum|c|")
    for (family, k), f in sorted(figures.items()):
        published = f"{f['telling']:8.3%}" if "telling" in f else "       -"
        log(f"{family}{k}     {published} {f['end']:7.3%} {f['curve']:7.3%} {f['noise']:8.4%} "
            f"{f['jitter']:8.4%} {f['second_difference']:8.4%} {f['minimum']:7.3%} {f['drawdown']:8.4%} "
            f"{f['largest_coefficient']:7.1f} {f['coefficient_sum']:7.1f}")
    for family in ref.FAMILIES:
        rows = [f for (fam, _), f in figures.items() if fam == family]
        worst = lambda key: max(f[key] for f in rows if key in f)
        log(f"family {family}: published within {worst('telling'):.3%}, g=1 within {worst('end'):.3%}, "
            f"jitter {worst('jitter'):.4%}, lowest {min(f['minimum'] for f in rows):.3%}, "
            f"largest drop {worst('drawdown'):.4%}")
    missed = [m for (family, k), f in sorted(figures.items()) for m in quality.failures(family, k, f)]
    for m in missed:
        log("MISSED " + m)
    return not missed


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the committed data instead of writing it")
    parser.add_argument("--output", type=Path, default=OUTPUT)
    args = parser.parse_args()

    params, coefficients, figures = derive(lambda text: print(text, flush=True))
    if not report(figures, print):
        return 1
    text = emit.source(params, coefficients)
    if args.check:
        same = args.output.read_text() == text
        print(f"{args.output}: {'identical' if same else 'DIFFERS'}")
        return 0 if same else 1
    args.output.write_text(text)
    print(f"wrote {args.output}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
