// The oversampled tube stage: 4x zero-stuffing and lowpass, polynomial resampling to a
// fixed 192 kHz, drive smoothing, the circuit, DC blocker, blend with the clean signal and
// warm-up, back to 4x by interpolation, lowpass, decimation. Both channels in lanes 0, 1.
#pragma once

#include "dsp/Coefficients.h"
#include "dsp/EllipticLowpass.h"
#include "dsp/Float4.h"
#include "dsp/ResamplerClock.h"
#include "dsp/SampleHistory.h"
#include "dsp/TubeCircuit.h"
#include "dsp/TubeTables.h"

namespace dsp {

// What the stage needs of the block, the rate and the fixed coefficients; the lane
// factors are the same value in both channels' lanes.
struct TubeStageSettings {
    float subStepPeriod;  // T4 = hostPeriod / 4
    float internalPeriod;
    float warmupCoef;
    float warmupStep;  // 1 - warmupCoef
    Float4 driveSmoothing;
    Float4 driveInputShare;  // 1 - driveSmoothing
    Float4 cleanShare;       // 4 (1 - tubeBlend)
    Float4 tubeShare;        // 0.1 tubeBlend
    Float4 wet;
    Float4 dryShare;  // 1 - wet
    Float4 dcBlockCoef;

    static TubeStageSettings from(const BlockCoefficients& block, const RateQuantities& rate,
                                  const FixedCoefficients& fixed);
};

class TubeStage {
public:
    static constexpr int kWarmupSamples = 192000;  // one second at 192 kHz

    void reset() { *this = TubeStage{}; }
    // A rate change restarts the resampler: its phase and the 192 kHz history.
    void resetResampler();
    bool isFinite() const;

    // One host sample pair (mixed samples in lanes 0 and 1); returns the stage's output.
    Float4 process(Float4 mixed, const TubeStageSettings& settings, const TubeTables& tables);

    int warmupCounter() const { return warmupCounter_; }
    float warmupGain() const { return warmupGain_; }

private:
    Float4 internalSample(Float4 clean, Float4 mixed, const TubeStageSettings& settings,
                          const TubeTables& tables);

    ZeroStuffedLowpass<Float4> upFilter_;
    EllipticLowpass<Float4> downFilter_;
    SampleHistory<Float4, 6> internalHistory_;  // H0 (newest) .. H5
    Float4 driveState_{};
    StereoTubeCircuit circuit_;
    Float4 dcBlockInput_{};   // previous input of the DC blocker
    Float4 dcBlockOutput_{};  // previous output
    // Kept from one host sample to the next: above 48 kHz some sub-steps produce no
    // internal sample, and at 88.2, 176.4 and 192 kHz that can be sub-step 0.
    Float4 heldDownInput_{};
    ResamplerClock clock_;
    int warmupCounter_ = 0;
    float warmupGain_ = 0.0f;
};

}  // namespace dsp
