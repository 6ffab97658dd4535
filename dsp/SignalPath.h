// The whole signal path of one instance: block coefficients, compressor and tube stage,
// with all their state and the tube tables inline (several megabytes; allocate it with
// its owner, never on a stack).
#pragma once

namespace dsp {

// The eleven parameter values that act on the sound, in parameter-index order
// (Gain, Volume, Attack, Release, Ratio, LeftGrid, RightGrid, Dry-Wet, Power, Autogain,
// Sidechain), normalised and unclamped, read once at the start of a block.
struct ParameterSnapshot {
    static constexpr int kCount = 11;
    float values[kCount];
};

// What a block publishes for the meters: gain reduction (0 none, 1 for 25 dB) left and
// right, and the smoothed input and output levels.
struct BlockMeters {
    float gainReductionLeft = 0.0f;
    float gainReductionRight = 0.0f;
    float inputLevel = 0.0f;
    float outputLevel = 0.0f;
};

class SignalPath {
public:
    SignalPath();

    // Rates that are not finite or below kMinimumSampleRate are refused (false) and
    // the previous rate is kept.
    static constexpr float kMinimumSampleRate = 1.0f;
    bool setSampleRate(float rate);
    float sampleRate() const { return sampleRate_; }

    BlockMeters processBlock(const float* inLeft, const float* inRight, float* outLeft,
                             float* outRight, int frames, const ParameterSnapshot& parameters);

private:
    float sampleRate_ = 44100.0f;
};

}  // namespace dsp
