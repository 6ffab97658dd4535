// Stereo material played round and round, read from the audio thread without locks or
// allocation.
#pragma once

#include "tools/host/StereoStream.h"

namespace vsthost {

class LoopingMaterial {
public:
    explicit LoopingMaterial(StereoBuffer material) : material(std::move(material)) {}

    void read(float* left, float* right, int frames);
    double sampleRate() const { return material.sampleRate; }

private:
    StereoBuffer material;
    std::int64_t position = 0;
};

}  // namespace vsthost
