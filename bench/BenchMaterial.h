// Input the benchmarks play: seconds of stereo at a host rate, deterministic.
#pragma once

#include <vector>

namespace bench {

enum class Material {
    kSignal,        // two tones and noise near -12 dBFS, music-like
    kSilence,       // zeros
    kDecayingTail,  // noise decaying from -20 dBFS to below the smallest subnormal
};

struct StereoMaterial {
    std::vector<float> left, right;
    int frames() const { return static_cast<int>(left.size()); }
};

StereoMaterial makeMaterial(Material kind, float sampleRate, int seconds);

}  // namespace bench
