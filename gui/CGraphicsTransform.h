// An affine transform: x' = m11 x + m12 y + dx, y' = m21 x + m22 y + dy.
#pragma once

#include <numbers>
#include <cmath>

#include "gui/CRect.h"

namespace VSTGUI {

struct CGraphicsTransform {
    double m11 = 1.0, m12 = 0.0, m21 = 0.0, m22 = 1.0, dx = 0.0, dy = 0.0;

    bool isIdentity() const {
        return m11 == 1.0 && m12 == 0.0 && m21 == 0.0 && m22 == 1.0 && dx == 0.0 && dy == 0.0;
    }
    // Rotation by `degrees` clockwise on screen (y down) about `center`.
    CGraphicsTransform& rotate(double degrees, const CPoint& center) {
        const double a = degrees * std::numbers::pi / 180.0;
        const double c = std::cos(a);
        const double s = std::sin(a);
        CGraphicsTransform r{c, -s, s, c, 0.0, 0.0};
        r.dx = center.x - c * center.x + s * center.y;
        r.dy = center.y - s * center.x - c * center.y;
        return *this = r * *this;
    }
    // (a * b) applies b first, then a.
    friend CGraphicsTransform operator*(const CGraphicsTransform& a, const CGraphicsTransform& b) {
        return {a.m11 * b.m11 + a.m12 * b.m21, a.m11 * b.m12 + a.m12 * b.m22,
                a.m21 * b.m11 + a.m22 * b.m21, a.m21 * b.m12 + a.m22 * b.m22,
                a.m11 * b.dx + a.m12 * b.dy + a.dx, a.m21 * b.dx + a.m22 * b.dy + a.dy};
    }
    CPoint transform(const CPoint& p) const {
        return {m11 * p.x + m12 * p.y + dx, m21 * p.x + m22 * p.y + dy};
    }
};

}  // namespace VSTGUI
