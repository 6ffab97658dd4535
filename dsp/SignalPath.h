// The whole signal path of one instance: block coefficients, compressor and tube stage,
// with all their state and the tube tables inline (several megabytes; allocate it with
// its owner, never on a stack).
#pragma once

#include "dsp/Compressor.h"
#include "dsp/Coefficients.h"
#include "dsp/ParameterSnapshot.h"
#include "dsp/TubeStage.h"
#include "dsp/TubeTableData.h"
#include "dsp/TubeTables.h"

namespace dsp {

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
    // The construction step at 44100 Hz, with tables from the library's coefficient data
    // or from the given data.
    SignalPath();
    explicit SignalPath(const TubeTableCoefficients& tubeTableData);

    // Rates that are not finite or below kMinimumSampleRate are refused (false) and
    // the previous rate is kept. The tube stage runs 192000 / rate steps per host sample,
    // so a rate of a few hertz would make one block take minutes: no host runs below 8 kHz.
    static constexpr float kMinimumSampleRate = 8000.0f;
    bool setSampleRate(float rate);
    float sampleRate() const { return rate_.sampleRate; }

    // Inputs and outputs may be the same buffers.
    BlockMeters processBlock(const float* inLeft, const float* inRight, float* outLeft,
                             float* outRight, int frames, const ParameterSnapshot& parameters);

    // Read access for tests and tools.
    const RateQuantities& rateQuantities() const { return rate_; }
    const FixedCoefficients& fixedCoefficients() const { return fixed_; }
    const BlockCoefficients& blockCoefficients() const { return block_; }
    const CompressorChannel& compressor(int channel) const { return compressors_[channel]; }
    const TubeStage& tubeStage() const { return tubeStage_; }

private:
    // Everything that carries signal, back to its construction state.
    void resetSignalState();
    bool signalStateIsFinite() const;

    RateQuantities rate_;
    FixedCoefficients fixed_;
    BlockCoefficients block_;
    CompressorChannel compressors_[2];
    TubeStage tubeStage_;
    float inputLevelSmoother_;
    float outputLevelSmoother_;
    TubeTables tubeTables_;
};

}  // namespace dsp
