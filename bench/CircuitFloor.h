// The floor of the signal path: the tube circuit's recursion alone, one 192 kHz step of
// both channels after another, driven by the drive signal the path derives from the
// material. Nothing else in the path has to wait for this chain, so no arrangement of the
// rest can make a host sample cheaper than its share of these steps.
#pragma once

#include <vector>

#include "bench/BenchMaterial.h"
#include "dsp/TubeTables.h"

namespace bench {

class CircuitFloor {
public:
    CircuitFloor(const StereoMaterial& material, float sampleRate, const dsp::TubeTables& tables);

    // One pass over the material: thread CPU nanoseconds per host stereo sample.
    double timePass();
    int stepsPerPass() const { return static_cast<int>(drive_.size() / 2); }

private:
    std::vector<float> drive_;  // per 192 kHz step: left, right
    int hostFrames_;
    const dsp::TubeTables& tables_;
};

}  // namespace bench
