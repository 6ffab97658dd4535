#include "bench/CircuitFloor.h"

#include "dsp/Coefficients.h"
#include "dsp/FloatMode.h"
#include "dsp/Oversampling.h"
#include "dsp/ResamplerClock.h"
#include "dsp/TubeCircuit.h"
#include "tools/host/CpuClock.h"

namespace bench {

namespace {
// The drive smoothing of the default LeftGrid setting.
constexpr float kDriveSmoothing = 0.6442f;
}  // namespace

CircuitFloor::CircuitFloor(const StereoMaterial& material, float sampleRate,
                           const dsp::TubeTables& tables)
    : hostFrames_(material.frames()), tables_(tables) {
    const auto rate = dsp::RateQuantities::forRate(sampleRate);
    const float subStepPeriod = rate.hostPeriod * (1.0f / dsp::kOversampling);
    dsp::ResamplerClock clock;
    float driveL = 0.0f, driveR = 0.0f;
    for (int n = 0; n < hostFrames_; ++n) {
        for (int subStep = 0; subStep < dsp::kOversampling; ++subStep) {
            for (; clock.internalSampleDue(subStepPeriod); clock.advanceInternal(rate.internalPeriod)) {
                driveL = kDriveSmoothing * driveL + (1.0f - kDriveSmoothing) * material.left[n];
                driveR = kDriveSmoothing * driveR + (1.0f - kDriveSmoothing) * material.right[n];
                drive_.push_back(driveL);
                drive_.push_back(driveR);
            }
            clock.endSubStep(subStepPeriod);
        }
    }
}

double CircuitFloor::timePass() {
    dsp::ScopedNoDenormals noDenormals;
    dsp::StereoTubeCircuit circuit;
    dsp::Float4 sum{};
    const double before = vsthost::threadCpuSeconds();
    for (std::size_t i = 0; i < drive_.size(); i += 2)
        sum = sum + circuit.step(dsp::stereo(drive_[i], drive_[i + 1]), tables_);
    const double seconds = vsthost::threadCpuSeconds() - before;
    volatile float keep = sum[0] + sum[1];
    (void)keep;
    return seconds * 1e9 / hostFrames_;
}

}  // namespace bench
