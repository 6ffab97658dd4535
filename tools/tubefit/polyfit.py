"""The degree-20 polynomial of one slice, in x = 2g - 1, normalised to about 1 at g = 1.

The table is built in single precision from monomial coefficients, so large alternating
coefficients turn into rounding noise from one entry to the next. The fit is therefore a
linear programme: minimise the largest deviation from the solved curve (plus its mean),
with the coefficients' absolute sum bounded, which bounds the rounding noise; with the
value at g = 1 and the published values of slices 0 and 9 held within a small tolerance;
grid currents kept from dipping below zero, plate currents kept rising."""

import numpy as np
from scipy import sparse
from scipy.optimize import linprog

import reference as ref

COEFFICIENT_SUM = 2000.0  # sum of |c_p|; the float build's noise grows with it
PIN_TOLERANCE = 0.003     # published values, in units of the scale
END_TOLERANCE = 0.002     # value at g = 1 (the scale), in units of the scale
CURRENT_FLOOR = 0.002     # how far a current may dip below zero
MEAN_WEIGHT = 1.0         # share of the mean deviation in the objective
TERMS = ref.DEGREE + 1


def vandermonde(x):
    return np.vander(np.asarray(x, dtype=float), TERMS, increasing=True)


def slope_rows(x):
    x = np.asarray(x, dtype=float)
    rows = np.zeros((x.size, TERMS))
    for p in range(1, TERMS):
        rows[:, p] = p * x ** (p - 1)
    return rows


def fit(x, curve, rising, floor, pins):
    """Ascending coefficients (float64) of the slice polynomial.

    x, curve: fit points and the normalised solved curve there; rising: require a
    non-negative slope at the fit points; floor: lower bound of the values (None: no
    bound); pins: (x, value, tolerance) triples held within tolerance."""
    n = len(x)
    # variables: c (TERMS), |c| bounds a (TERMS), largest deviation t, deviations e (n)
    ic, ia, it, ie = 0, TERMS, 2 * TERMS, 2 * TERMS + 1
    nv = ie + n
    V = sparse.csr_matrix(vandermonde(x))
    eye_n = sparse.identity(n, format="csr")
    eye_t = sparse.identity(TERMS, format="csr")

    def block(parts, rows):
        """One group of constraint rows from (first variable, matrix) parts."""
        pieces, position = [], 0
        for start, matrix in sorted(parts, key=lambda part: part[0]):
            matrix = sparse.csr_matrix(matrix)
            if start > position:
                pieces.append(sparse.csr_matrix((rows, start - position)))
            pieces.append(matrix)
            position = start + matrix.shape[1]
        if position < nv:
            pieces.append(sparse.csr_matrix((rows, nv - position)))
        return sparse.hstack(pieces, format="csr")

    rows, rhs = [], []
    rows += [block([(ic, V), (ie, -eye_n)], n), block([(ic, -V), (ie, -eye_n)], n)]
    rhs += [curve, -curve]
    rows.append(block([(it, -np.ones((n, 1))), (ie, eye_n)], n))
    rhs.append(np.zeros(n))
    rows += [block([(ic, eye_t), (ia, -eye_t)], TERMS), block([(ic, -eye_t), (ia, -eye_t)], TERMS)]
    rhs += [np.zeros(TERMS), np.zeros(TERMS)]
    rows.append(block([(ia, np.ones((1, TERMS)))], 1))
    rhs.append([COEFFICIENT_SUM])
    if floor is not None:
        rows.append(block([(ic, -V)], n))
        rhs.append(np.full(n, -floor))
    if rising:
        rows.append(block([(ic, -slope_rows(x))], n))
        rhs.append(np.zeros(n))
    for px, value, tolerance in pins:
        row = vandermonde([px])
        rows += [block([(ic, row)], 1), block([(ic, -row)], 1)]
        rhs += [[value + tolerance], [tolerance - value]]

    objective = np.zeros(nv)
    objective[it] = 1.0
    objective[ie:] = MEAN_WEIGHT / n
    bounds = [(None, None)] * TERMS + [(0.0, None)] * (TERMS + 1 + n)
    result = linprog(objective, A_ub=sparse.vstack(rows, format="csr"),
                     b_ub=np.concatenate([np.asarray(r, dtype=float) for r in rhs]),
                     bounds=bounds, method="highs")
    if result.status != 0:
        raise RuntimeError(f"polynomial fit failed: {result.message}")
    return result.x[:TERMS]
