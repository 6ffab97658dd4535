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

}  // namespace dsp
