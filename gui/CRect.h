// Points and rectangles in pixels, y growing downwards. A rectangle includes its left and
// top edges and excludes its right and bottom ones.
#pragma once

#include <algorithm>

namespace VSTGUI {

struct CPoint {
    double x = 0.0;
    double y = 0.0;

    // Constructors rather than parenthesised aggregate initialisation, which clang before
    // 16 (the fuzz build's compiler) does not accept.
    constexpr CPoint() = default;
    constexpr CPoint(double px, double py) : x(px), y(py) {}

    constexpr bool operator==(const CPoint&) const = default;
    CPoint& offset(double dx, double dy) {
        x += dx;
        y += dy;
        return *this;
    }
};

struct CRect {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    constexpr CRect() = default;
    constexpr CRect(double l, double t, double r, double b) : left(l), top(t), right(r), bottom(b) {}

    constexpr bool operator==(const CRect&) const = default;

    double getWidth() const { return right - left; }
    double getHeight() const { return bottom - top; }
    CPoint getCenter() const { return {left + getWidth() / 2, top + getHeight() / 2}; }
    bool isEmpty() const { return right <= left || bottom <= top; }

    bool pointInside(const CPoint& p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    // Edges included on every side, as the buttons test a release.
    bool pointInsideInclusive(const CPoint& p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    bool rectOverlap(const CRect& other) const {
        return left < other.right && other.left < right && top < other.bottom &&
               other.top < bottom;
    }
    CRect& offset(double dx, double dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    CRect& inset(double dx, double dy) {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
        return *this;
    }
    CRect& bound(const CRect& other) {
        left = std::clamp(left, other.left, std::max(other.left, other.right));
        right = std::clamp(right, other.left, std::max(other.left, other.right));
        top = std::clamp(top, other.top, std::max(other.top, other.bottom));
        bottom = std::clamp(bottom, other.top, std::max(other.top, other.bottom));
        return *this;
    }
    CRect& normalize() {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
        return *this;
    }
};

}  // namespace VSTGUI
