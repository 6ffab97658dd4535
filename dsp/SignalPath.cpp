#include "dsp/SignalPath.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "dsp/FloatMode.h"
#include "dsp/LevelTables.h"
#include "dsp/SharedTubeTables.h"

namespace dsp {
namespace {

constexpr float kConstructionRate = 44100.0f;
constexpr float kMeterSmootherStart = 0.1f;

// Lanes 0 and 1 (2 and 3 give 0.0001).
Float4 gainFactor(Float4 gainDb) {
    return select(gainDb < constant<Float4>(-80.0f), splat(0.0001f), levelTables.dbToLevel(gainDb));
}

float gainReduction(float gainDb) {
    constexpr float kRange = BlockMeters::kGainReductionRangeDb;
    return 1.0f - (gainDb + kRange) * (1.0f / kRange);
}

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
    compressor_.reset();
    tubeStage_.reset();
    inputLevelSmoother_ = kMeterSmootherStart;
    outputLevelSmoother_ = kMeterSmootherStart;
}

bool SignalPath::signalStateIsFinite() const {
    return compressor_.isFinite() && tubeStage_.isFinite() &&
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
    for (int start = 0; start < frames; start += LowpassPair::kMaxChunk) {
        const int count = std::min(frames - start, LowpassPair::kMaxChunk);
        processChunk(inLeft + start, inRight + start, outLeft + start, outRight + start, count,
                     stage, tables, meters);
    }

    // A non-finite sample or parameter can leave NaN or infinity in the filters; it
    // would stay there for ever. Start the signal state afresh (the warm-up too).
    if (!signalStateIsFinite()) {
        resetSignalState();
        meters = BlockMeters{};
    }
    return meters;
}

// Iteration n compresses host sample n + 2, schedules and up-samples n + 1, runs the
// circuit for n and down-samples n - 1, the four sub-steps of each interleaved. Only the
// circuit's own steps depend on each other from one iteration to the next; everything else
// in an iteration waits for nothing the circuit is still computing, so that a processor
// with room beside the circuit's dependency chain can run it there (bench/OverlapBench.cpp
// measures how much room there is).
void SignalPath::processChunk(const float* inLeft, const float* inRight, float* outLeft,
                              float* outRight, int frames, const TubeStageSettings& stage,
                              const TubeTables& tables, BlockMeters& meters) {
    // The host samples in flight, by index modulo 4: input and mixed sample.
    Float4 input[4]{}, mixed[4]{};
    const auto c = [](float value) { return constant<Float4>(value); };
    // Made per chunk on purpose: taken by reference from processBlock instead, the loop ran
    // 0.7 instructions more per host sample (callgrind), more than making it here costs.
    const CompressorLanes<Float4> compressorLanes(block_, fixed_);
    const auto compress = [&](int s) {
        // Read before any output is written: the host may pass the same buffers in and out.
        const Float4 x = stereo(inLeft[s], inRight[s]);
        const Float4 gainDb = compressor_.process(x, compressorLanes);
        meters.gainReductionLeft = maxOf(meters.gainReductionLeft, gainReduction(gainDb[0]));
        meters.gainReductionRight = maxOf(meters.gainReductionRight, gainReduction(gainDb[1]));
        const Float4 factors = gainFactor(gainDb);
        const float factor = factors[1] < factors[0] ? factors[1] : factors[0];  // stereo link
        input[s & 3] = x;
        mixed[s & 3] = splat(factor) * x * c(block_.inputGain) * c(block_.wet) + x * c(block_.dry);
    };
    const auto emit = [&](int s, Float4 tube) {
        const float xL = input[s & 3][0], xR = input[s & 3][1];
        const float tL = tube[0], tR = tube[1];
        outLeft[s] = block_.powerOn ? tL * block_.outputGain : xL;
        outRight[s] = block_.powerOn ? tR * block_.outputGain : xR;
        inputLevelSmoother_ = std::fabs(xL) * 0.00016999245f + inputLevelSmoother_ * 0.99983f;
        outputLevelSmoother_ = std::fabs(tL) * 0.00016999245f + outputLevelSmoother_ * 0.99983f;
        meters.inputLevel = maxOf(meters.inputLevel, inputLevelSmoother_);
        meters.outputLevel = maxOf(meters.outputLevel, outputLevelSmoother_);
    };

    TubeStage& tube = tubeStage_;
    // At the chunk's edges some pieces have no host sample to work on; in between, all do.
    const auto iteration = [&]<bool kEdge>(int n) {
        const int up = n + 1, down = n - 1;
        const bool upSampling = !kEdge || up < frames;
        const bool circuit = !kEdge || (n >= 0 && n < frames);
        const bool downSampling = !kEdge || down >= 0;
        const Int4 running = LowpassPair::lanes(upSampling, downSampling);
        const auto filter = [&]<int kSubStep>(Float4 held) {
            const int position = kOversampling * up + kSubStep;
            return tube.filter<kSubStep, kEdge>(position, mixed[up & 3], held, running);
        };
        const Float4 circuitMixed = mixed[n & 3];
        if (n + 2 < frames) compress(n + 2);
        if (upSampling) tube.schedule(up, stage);
        if (downSampling) tube.backInterpolation(down);

        if (circuit) tube.internalSubStep<0>(n, circuitMixed, stage, tables);
        Float4 held = downSampling ? tube.heldDownInput<0>(down) : Float4{};
        filter.template operator()<0>(held);

        if (circuit) tube.internalSubStep<1>(n, circuitMixed, stage, tables);
        held = downSampling ? tube.heldDownInput<1>(down) : Float4{};
        filter.template operator()<1>(held);

        if (circuit) tube.internalSubStep<2>(n, circuitMixed, stage, tables);
        held = downSampling ? tube.heldDownInput<2>(down) : Float4{};
        filter.template operator()<2>(held);

        if (circuit) tube.internalSubStep<3>(n, circuitMixed, stage, tables);
        held = downSampling ? tube.heldDownInput<3>(down) : Float4{};
        const Float4 filtered = filter.template operator()<3>(held);
        if (upSampling) tube.forwardInterpolators(up);
        if (downSampling) emit(down, secondPair(filtered));
    };

    compress(0);
    int n = -1;
    for (; n < 1 && n <= frames; ++n) iteration.template operator()<true>(n);
    for (; n < frames - 1; ++n) iteration.template operator()<false>(n);
    for (; n <= frames; ++n) iteration.template operator()<true>(n);
    tube.endChunk(frames);
}

}  // namespace dsp
