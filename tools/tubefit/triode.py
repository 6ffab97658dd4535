"""The triode law and its solution against the circuit.

Plate current: the Koren law, ip = 2 E1^ex / kg1 with
E1 = vp / kp * softplus(kp * (1/mu + vg / sqrt(kvb + vp^2))).
Grid current: a sharp knee, ig = gg * (softplus(cg * (vg - vg0)) / cg)^xi.

The tables are indexed by the circuit's predicted voltages p (grid, plate); the tube sees
v = p + K i, with K the symmetric 2x2 coupling of the triode's own currents i = (ig, ip).
Each table entry is the solution of i = F(p + K i)."""

import numpy as np
from scipy.special import expit

PARAMETER_NAMES = ("mu", "ex", "kg1", "kp", "kvb", "gg", "cg", "xi", "vg0", "k00", "k01", "k11")


def _softplus(z):
    return np.logaddexp(0.0, z)


def currents(params, vg, vp):
    """Grid and plate current at tube voltages vg, vp, with their partial derivatives
    (d ig/d vg, d ip/d vg, d ip/d vp)."""
    mu, ex, kg1, kp, kvb, gg, cg, xi, vg0 = params[:9]
    vp = np.maximum(vp, 0.0)  # the law has no current at a non-positive plate
    root = np.sqrt(kvb + vp * vp)
    z = kp * (1.0 / mu + vg / root)
    e1 = vp / kp * _softplus(z)
    live = e1 > 0.0
    e1 = np.where(live, e1, 1.0)
    ip = np.where(live, 2.0 * e1 ** ex / kg1, 0.0)
    dip_de1 = np.where(live, 2.0 * ex * e1 ** (ex - 1.0) / kg1, 0.0)
    sig = expit(z)
    de1_dvg = vp * sig / root
    de1_dvp = _softplus(z) / kp - vp * sig * vg * vp / root ** 3

    knee = _softplus(cg * (vg - vg0)) / cg
    ig = gg * knee ** xi
    dig_dvg = gg * xi * knee ** (xi - 1.0) * expit(cg * (vg - vg0))
    return ig, ip, dig_dvg, dip_de1 * de1_dvg, dip_de1 * de1_dvp


def _residual(params, pg, pp, ig, ip):
    k00, k01, k11 = params[9:12]
    fg, fp, dg, dpg, dpp = currents(params, pg + k00 * ig + k01 * ip, pp + k01 * ig + k11 * ip)
    return ig - fg, ip - fp, dg, dpg, dpp


def solve(params, pg, pp, iterations=100):
    """Currents (ig, ip) at predicted voltages pg, pp (arrays of one shape): Newton's
    method from zero current, each step halved until the residual shrinks."""
    k00, k01, k11 = params[9:12]
    pg = np.asarray(pg, dtype=float)
    pp = np.broadcast_to(np.asarray(pp, dtype=float), pg.shape)
    ig = np.zeros_like(pg)
    ip = np.zeros_like(pg)
    r0, r1, dg, dpg, dpp = _residual(params, pg, pp, ig, ip)
    for _ in range(iterations):
        # Jacobian of i - F(p + K i)
        a00 = 1.0 - dg * k00
        a01 = -dg * k01
        a10 = -(dpg * k00 + dpp * k01)
        a11 = 1.0 - (dpg * k01 + dpp * k11)
        det = a00 * a11 - a01 * a10
        d0 = (a11 * r0 - a01 * r1) / det
        d1 = (a00 * r1 - a10 * r0) / det
        if np.all(np.abs(d0) + np.abs(d1) <= 1e-15 * (np.abs(ig) + np.abs(ip)) + 1e-24):
            break
        norm = np.abs(r0) + np.abs(r1)
        t = np.ones_like(pg)
        todo = np.ones(pg.shape, dtype=bool)
        new = [ig.copy(), ip.copy(), r0.copy(), r1.copy(), dg.copy(), dpg.copy(), dpp.copy()]
        for _ in range(60):
            ni = np.maximum(ig[todo] - t[todo] * d0[todo], 0.0)
            np_ = np.maximum(ip[todo] - t[todo] * d1[todo], 0.0)
            trial = _residual(params, pg[todo], pp[todo], ni, np_)
            accepted = np.abs(trial[0]) + np.abs(trial[1]) <= norm[todo]
            where = np.flatnonzero(todo)[accepted]
            for target, value in zip(new, (ni, np_) + trial):
                target[where] = value[accepted]
            todo[where] = False
            if not todo.any():
                break
            t[todo] *= 0.5
        ig, ip, r0, r1, dg, dpg, dpp = new
    return ig, ip
