#include "dsp/TubeStage.h"

namespace dsp {

TubeStageSettings TubeStageSettings::from(const BlockCoefficients& block,
                                          const RateQuantities& rate,
                                          const FixedCoefficients& fixed) {
    const auto lanes = [](float value) { return constant<Float4>(value); };
    constexpr float kStuffingGain = static_cast<float>(kOversampling);
    TubeStageSettings s;
    s.subStepPeriod = rate.hostPeriod * (1.0f / kOversampling);
    s.internalPeriod = rate.internalPeriod;
    s.warmupCoef = fixed.warmupCoef;
    s.warmupStep = 1.0f - fixed.warmupCoef;
    s.driveSmoothing = lanes(block.driveSmoothing);
    s.driveInputShare = lanes(1.0f - block.driveSmoothing);
    s.cleanShare = lanes(kStuffingGain * (1.0f - block.tubeBlend));
    s.tubeShare = lanes(0.1f * block.tubeBlend);
    s.wet = lanes(block.wet);
    s.dryShare = lanes(1.0f - block.wet);
    s.dcBlockCoef = lanes(fixed.dcBlockCoef);
    return s;
}

void TubeStage::resetResampler() {
    clock_.reset();
    internalHistory_.clear();
}

bool TubeStage::isFinite() const {
    const Float4 single[] = {driveState_, dcBlockInput_, dcBlockOutput_, heldDownInput_};
    return lowpasses_.isFinite() && internalHistory_.isFinite() && allFinite(single) &&
           circuit_.isFinite() && allFinite(warmupGain_);
}

void TubeStage::schedule(int hostSample, const TubeStageSettings& s) {
    InFlight& flight = inFlight_[hostSample % kInFlight];
    flight.slots = 0;
    for (int q = 0; q < kOversampling; ++q) {
        flight.startPhase[q] = clock_.resamplePhase;
        int count = 0;
        for (; clock_.internalSampleDue(s.subStepPeriod); ++count)
            clock_.advanceInternal(s.internalPeriod);
        clock_.endSubStep(s.subStepPeriod);
        flight.count[q] = count;
        if (count > 0) {
            flight.slot[q] = flight.slots;
            flight.withSamples[flight.slots++] = q;
        }
    }
}

// The sub-steps of a pair: the two in slots 2p and 2p + 1, or the last one twice.
namespace {
struct Pair {
    int first, second;
};
template <class Flight>
Pair pairAt(const Flight& flight, int slot) {
    const int first = flight.withSamples[slot];
    return {first, slot + 1 < flight.slots ? flight.withSamples[slot + 1] : first};
}
}  // namespace

void TubeStage::forwardInterpolators(int hostSample) {
    InFlight& flight = inFlight_[hostSample % kInFlight];
    for (int slot = 0; slot < flight.slots; slot += 2) {
        const Pair pair = pairAt(flight, slot);
        const Float4* first = lowpasses_.upOutputs(kOversampling * hostSample + pair.first);
        const Float4* second = lowpasses_.upOutputs(kOversampling * hostSample + pair.second);
        Float4 points[6];
        for (int i = 0; i < 6; ++i) points[i] = pairOf(first[-i], second[-i]);
        const auto both = OptimalInterpolator<Float4>::fromPoints(points);
        flight.forward[pair.second] = {secondPair(both.c0), secondPair(both.c1),
                                       secondPair(both.c2), secondPair(both.c3),
                                       secondPair(both.c4), secondPair(both.c5)};
        flight.forward[pair.first] = both;
    }
}

void TubeStage::backInterpolation(int hostSample) {
    InFlight& flight = inFlight_[hostSample % kInFlight];
    for (int slot = 0; slot < flight.slots; slot += 2) {
        const Pair pair = pairAt(flight, slot);
        const float* z = flight.backPosition[slot / 2];
        const Float4 both = OptimalInterpolator<Float4>::fromPoints(flight.backPoints[slot / 2])
                                .value(Float4{z[0], z[0], z[1], z[1]});
        flight.backValue[pair.second] = secondPair(both);
        flight.backValue[pair.first] = both;
    }
}

}  // namespace dsp
