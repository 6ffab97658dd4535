#include "tools/artwork/Noise.h"

#include <cmath>

namespace artwork {
namespace {

std::uint32_t mixBits(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

double smooth(double t) { return t * t * (3.0 - 2.0 * t); }

}  // namespace

double latticeRandom(std::int64_t x, std::int64_t y, std::uint32_t seed) {
    std::uint32_t h = mixBits(seed ^ 0x9e3779b9u);
    h = mixBits(h ^ static_cast<std::uint32_t>(x));
    h = mixBits(h ^ static_cast<std::uint32_t>(y) * 0x85ebca6bu);
    return (h >> 8) * (1.0 / 16777216.0);
}

double valueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double a = latticeRandom(ix, iy, seed), b = latticeRandom(ix + 1, iy, seed);
    const double c = latticeRandom(ix, iy + 1, seed), d = latticeRandom(ix + 1, iy + 1, seed);
    const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double fractalNoise(double x, double y, std::uint32_t seed, int octaves) {
    double sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * (2.0 * valueNoise(x, y, seed + 101u * o) - 1.0);
        total += weight;
        x *= 2.0, y *= 2.0, weight *= 0.5;
    }
    return sum / total;
}

double brushedGrain(double x, double y, std::uint32_t seed, double length) {
    const double grain = 2 * latticeRandom(static_cast<std::int64_t>(std::floor(x * 0.5)),
                                           static_cast<std::int64_t>(std::floor(y)), seed) -
                         1;
    return 0.6 * fractalNoise(x / length, y * 1.3, seed, 3) + 0.4 * grain;
}

}  // namespace artwork
