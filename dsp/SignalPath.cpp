#include "dsp/SignalPath.h"

#include <cmath>

namespace dsp {

SignalPath::SignalPath() = default;

bool SignalPath::setSampleRate(float rate) {
    if (!std::isfinite(rate) || rate < kMinimumSampleRate) return false;
    sampleRate_ = rate;
    return true;
}

BlockMeters SignalPath::processBlock(const float* inLeft, const float* inRight, float* outLeft,
                                     float* outRight, int frames, const ParameterSnapshot&) {
    for (int i = 0; i < frames; ++i) {
        outLeft[i] = inLeft[i];
        outRight[i] = inRight[i];
    }
    return {};
}

}  // namespace dsp
