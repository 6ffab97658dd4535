// Seeded, platform-independent noise for material textures: the same seed gives the same
// picture on every machine and every run.
#pragma once

#include <cstdint>

namespace artwork {

// Uniform in [0, 1) for a lattice point.
double latticeRandom(std::int64_t x, std::int64_t y, std::uint32_t seed);
// Smoothly interpolated lattice noise in [0, 1).
double valueNoise(double x, double y, std::uint32_t seed);
// Brushed metal: streaks `length` pixels long along x, fine across y, with a pixel grain;
// result about -1 to 1.
double brushedGrain(double x, double y, std::uint32_t seed, double length);

// Sum of octaves of value noise, each twice as fine and half as strong; result in [-1, 1).
double fractalNoise(double x, double y, std::uint32_t seed, int octaves);

}  // namespace artwork
