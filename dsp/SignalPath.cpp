#include "dsp/SignalPath.h"

#include <cmath>
#include <utility>

#include "dsp/FloatMode.h"
#include "dsp/LevelTables.h"
#include "dsp/SharedTubeTables.h"

namespace dsp {
namespace {

constexpr float kConstructionRate = 44100.0f;
constexpr float kMeterSmootherStart = 0.1f;

float gainFactor(float gainDb) {
    return gainDb < -80.0f ? 0.0001f : levelTables.dbToLevel(gainDb);
}

float gainReduction(float gainDb) { return 1.0f - (gainDb + 25.0f) * 0.04f; }

float maxOf(float a, float b) { return b > a ? b : a; }

}  // namespace

SignalPath::SignalPath() : SignalPath(sharedTubeTables()) {}

SignalPath::SignalPath(std::shared_ptr<const TubeTables> tubeTables)
    : rate_(RateQuantities::forRate(kConstructionRate)),
      fixed_(FixedCoefficients::forRate(rate_)),
      block_{},
      tubeTables_(std::move(tubeTables)) {
    resetSignalState();
}

void SignalPath::resetSignalState() {
    for (CompressorChannel& channel : compressors_) channel.reset();
    tubeStage_.reset();
    inputLevelSmoother_ = kMeterSmootherStart;
    outputLevelSmoother_ = kMeterSmootherStart;
}

bool SignalPath::signalStateIsFinite() const {
    return compressors_[0].isFinite() && compressors_[1].isFinite() && tubeStage_.isFinite() &&
           allFinite(inputLevelSmoother_) && allFinite(outputLevelSmoother_);
}

bool SignalPath::setSampleRate(float rate) {
    if (!std::isfinite(rate) || rate < kMinimumSampleRate) return false;
    rate_ = RateQuantities::forRate(rate);
    tubeStage_.resetResampler();
    return true;
}

BlockMeters SignalPath::processBlock(const float* inLeft, const float* inRight, float* outLeft,
                                     float* outRight, int frames,
                                     const ParameterSnapshot& parameters) {
    ScopedNoDenormals noDenormals;
    block_ = BlockCoefficients::derive(parameters, rate_.rateRatio);
    const TubeStageSettings stage = TubeStageSettings::from(block_, rate_, fixed_);
    const TubeTables& tables = *tubeTables_;
    BlockMeters meters;

    for (int n = 0; n < frames; ++n) {
        // Read before writing: the host may pass the same buffers in and out.
        const float xL = inLeft[n];
        const float xR = inRight[n];

        const float gainDbL = compressors_[0].process(xL, block_, fixed_);
        const float gainDbR = compressors_[1].process(xR, block_, fixed_);
        meters.gainReductionLeft = maxOf(meters.gainReductionLeft, gainReduction(gainDbL));
        meters.gainReductionRight = maxOf(meters.gainReductionRight, gainReduction(gainDbR));
        const float factorL = gainFactor(gainDbL);
        const float factorR = gainFactor(gainDbR);
        const float factor = factorR < factorL ? factorR : factorL;

        const float mL = factor * xL * block_.inputGain * block_.wet + xL * block_.dry;
        const float mR = factor * xR * block_.inputGain * block_.wet + xR * block_.dry;
        const Float4 tube = tubeStage_.process(stereo(mL, mR), stage, tables);
        const float tL = tube[0];
        const float tR = tube[1];

        outLeft[n] = block_.powerOn ? tL * block_.outputGain : xL;
        outRight[n] = block_.powerOn ? tR * block_.outputGain : xR;

        inputLevelSmoother_ = std::fabs(xL) * 0.00016999245f + inputLevelSmoother_ * 0.99983f;
        outputLevelSmoother_ = std::fabs(tL) * 0.00016999245f + outputLevelSmoother_ * 0.99983f;
        meters.inputLevel = maxOf(meters.inputLevel, inputLevelSmoother_);
        meters.outputLevel = maxOf(meters.outputLevel, outputLevelSmoother_);
    }

    // A non-finite sample or parameter can leave NaN or infinity in the filters; it
    // would stay there for ever. Start the signal state afresh (the warm-up too).
    if (!signalStateIsFinite()) {
        resetSignalState();
        meters = BlockMeters{};
    }
    return meters;
}

}  // namespace dsp
