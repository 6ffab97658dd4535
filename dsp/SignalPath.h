// The whole signal path of one instance: block coefficients, compressor and tube stage,
// with all their state; the tube tables it reads are shared.
#pragma once

#include <memory>

#include "dsp/Compressor.h"
#include "dsp/Coefficients.h"
#include "dsp/ParameterSnapshot.h"
#include "dsp/TubeStage.h"
#include "dsp/TubeTables.h"

namespace dsp {

// What a block publishes for the meters: gain reduction (0 none, 1 for kGainReductionRangeDb)
// left and right, and the smoothed input and output levels.
struct BlockMeters {
    static constexpr float kGainReductionRangeDb = 25.0f;

    float gainReductionLeft = 0.0f;
    float gainReductionRight = 0.0f;
    float inputLevel = 0.0f;
    float outputLevel = 0.0f;

    // The meters of this block and a later one taken as one block: each is a peak.
    BlockMeters followedBy(const BlockMeters& later) const {
        const auto peak = [](float a, float b) { return b > a ? b : a; };
        return {peak(gainReductionLeft, later.gainReductionLeft),
                peak(gainReductionRight, later.gainReductionRight), peak(inputLevel, later.inputLevel),
                peak(outputLevel, later.outputLevel)};
    }
};

class SignalPath {
public:
    // The construction step at 44100 Hz, reading the process's shared tables of the
    // library's coefficient data, or the given tables (not null).
    SignalPath();
    explicit SignalPath(std::shared_ptr<const TubeTables> tubeTables);

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
    const Compressor<Float4>& compressor() const { return compressor_; }  // left, right lanes
    const TubeStage& tubeStage() const { return tubeStage_; }
    const TubeTables& tubeTables() const { return *tubeTables_; }

private:
    // At most LowpassPair::kMaxChunk frames, in one loop that runs each host sample's work
    // beside the circuit's recursion of another.
    void processChunk(const float* inLeft, const float* inRight, float* outLeft,
                      float* outRight, int frames, const TubeStageSettings& stage,
                      const TubeTables& tables, BlockMeters& meters);
    // Everything that carries signal, back to its construction state.
    void resetSignalState();
    bool signalStateIsFinite() const;

    RateQuantities rate_;
    FixedCoefficients fixed_;
    BlockCoefficients block_;
    Compressor<Float4> compressor_;
    TubeStage tubeStage_;
    float inputLevelSmoother_;
    float outputLevelSmoother_;
    std::shared_ptr<const TubeTables> tubeTables_;
};

}  // namespace dsp
