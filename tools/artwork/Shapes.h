// Small shape and easing helpers shared by the shaded parts.
#pragma once

#include <algorithm>
#include <cmath>

namespace artwork {

constexpr double kPi = 3.14159265358979323846;

inline double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Signed distance from (x, y) to a rectangle with rounded corners, negative inside.
inline double roundedBoxDistance(double left, double top, double width, double height, double radius, double x,
                                 double y) {
    const double qx = std::abs(x - (left + 0.5 * width)) - (0.5 * width - radius);
    const double qy = std::abs(y - (top + 0.5 * height)) - (0.5 * height - radius);
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
}

// Distance from the centre to the outline of a regular hexagon of corner radius 1 along
// angle a; its flats face a = pi/6 + k pi/3.
inline double hexagonRadius(double a) {
    const double sector = kPi / 3;
    const double local = std::fmod(std::fmod(a, sector) + sector, sector) - sector / 2;
    return std::cos(sector / 2) / std::cos(local);
}

// Unit vector along the rise of a distance field at (x, y): outwards from a shape.
template <class Distance>
void outwardDirection(const Distance& distance, double x, double y, double& ux, double& uy) {
    const double e = 0.25;
    ux = distance(x + e, y) - distance(x - e, y);
    uy = distance(x, y + e) - distance(x, y - e);
    const double n = std::max(std::hypot(ux, uy), 1e-9);
    ux /= n, uy /= n;
}

}  // namespace artwork
