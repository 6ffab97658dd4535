#include "dsp/TubeStage.h"

#include "dsp/OptimalInterpolator.h"

namespace dsp {

TubeStageSettings TubeStageSettings::from(const BlockCoefficients& block,
                                          const RateQuantities& rate,
                                          const FixedCoefficients& fixed) {
    const auto lanes = [](float value) { return constant<Float4>(value); };
    TubeStageSettings s;
    s.subStepPeriod = rate.hostPeriod * 0.25f;
    s.internalPeriod = rate.internalPeriod;
    s.warmupCoef = fixed.warmupCoef;
    s.warmupStep = 1.0f - fixed.warmupCoef;
    s.driveSmoothing = lanes(block.driveSmoothing);
    s.driveInputShare = lanes(1.0f - block.driveSmoothing);
    s.cleanShare = lanes(4.0f * (1.0f - block.tubeBlend));
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
    return upFilter_.isFinite() && downFilter_.isFinite() && internalHistory_.isFinite() &&
           allFinite(single) && circuit_.isFinite() &&
           allFinite(warmupGain_);
}

Float4 TubeStage::internalSample(Float4 clean, Float4 mixed, const TubeStageSettings& s,
                                 const TubeTables& tables) {
    if (warmupCounter_ < kWarmupSamples) ++warmupCounter_;
    const float flag = warmupCounter_ >= kWarmupSamples ? 1.0f : 0.0f;
    warmupGain_ = s.warmupStep * flag + s.warmupCoef * warmupGain_;

    driveState_ = s.driveSmoothing * driveState_ + s.driveInputShare * mixed;
    const Float4 vOut = circuit_.step(driveState_, tables);
    const Float4 h = vOut - dcBlockInput_ + s.dcBlockCoef * dcBlockOutput_;
    dcBlockInput_ = vOut;
    dcBlockOutput_ = h;

    const Float4 blended = s.cleanShare * clean + s.tubeShare * h;
    return (blended * warmupGain_) * s.wet + clean * constant<Float4>(4.0f) * s.dryShare;
}

Float4 TubeStage::process(Float4 mixed, const TubeStageSettings& s,
                         const TubeTables& tables) {
    Float4 out{};
    for (int subStep = 0; subStep < 4; ++subStep) {
        upFilter_.process(subStep, mixed);
        if (clock_.internalSampleDue(s.subStepPeriod)) {
            const auto forward = OptimalInterpolator<Float4>::fromPoints(upFilter_.recentOutputs());
            bool first = true;
            do {
                const Float4 clean = forward.value(splat(clock_.forwardPosition(s.subStepPeriod)));
                internalHistory_.push(internalSample(clean, mixed, s, tables));
                if (first) {
                    heldDownInput_ =
                        OptimalInterpolator<Float4>::fromPoints(internalHistory_.newestFirst())
                            .value(splat(clock_.backPosition(s.internalPeriod)));
                    first = false;
                }
                clock_.advanceInternal(s.internalPeriod);
            } while (clock_.internalSampleDue(s.subStepPeriod));
        }
        clock_.endSubStep(s.subStepPeriod);
        out = downFilter_.process(heldDownInput_);
    }
    return out;
}

}  // namespace dsp
