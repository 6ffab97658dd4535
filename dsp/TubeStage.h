// The oversampled tube stage: 4x zero-stuffing and lowpass, polynomial resampling to a
// fixed 192 kHz, drive smoothing, the circuit, DC blocker, blend with the clean signal and
// warm-up, back to 4x by interpolation, lowpass, decimation. Both channels in lanes 0, 1.
//
// The stage is driven in pieces, so that the caller can run everything that does not wait
// for the circuit beside the circuit's recursion (see SignalPath::processChunk): for a
// host sample s, upSample(s) runs the up-sampling lowpass and the forward interpolators,
// internalSubStep(s) the 192 kHz samples that fall into one sub-step, and heldDownInput(s)
// with the lowpass the back interpolation and down-sampling. The pieces of one host sample
// run in that order; each piece runs for the host samples in order.
#pragma once

#include "dsp/Coefficients.h"
#include "dsp/Float4.h"
#include "dsp/LowpassPair.h"
#include "dsp/OptimalInterpolator.h"
#include "dsp/Oversampling.h"
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
    static constexpr int kWarmupSamples = kInternalRate;  // one second at 192 kHz

    void reset() { *this = TubeStage{}; }
    // A rate change restarts the resampler: its phase and the 192 kHz history.
    void resetResampler();
    bool isFinite() const;

    // The lowpass pair's step for sub-step q at chunk position p = 4 s + q (see LowpassPair):
    // the up lanes take host sample s (mixed, at sub-step 0), the down lanes the held input of
    // host sample s - 2. Returns both filters' outputs.
    template <int kSubStep, bool kEdge>
    Float4 filter(int position, Float4 mixed, Float4 heldDownInput, Int4 running) {
        const Float4 upInput = kSubStep == 0 ? mixed : Float4{};
        return lowpasses_.step<kSubStep, kEdge>(position, pairOf(upInput, heldDownInput), running);
    }
    // Forward interpolators of sub-steps q and q + 1 of host sample s, once the up filter has
    // run them; q is 0 or 2.
    template <int kSubStep>
    void forwardInterpolators(int hostSample);

    // The 192 kHz samples of sub-step q of host sample s, from its mixed sample.
    template <int kSubStep>
    void internalSubStep(int hostSample, Float4 mixed, const TubeStageSettings& settings,
                         const TubeTables& tables);

    // Back interpolation of sub-steps q and q + 1 of host sample s (q is 0 or 2), once all
    // its internal samples exist: (value at q, value at q + 1) side by side.
    template <int kSubStep>
    Float4 backInterpolation(int hostSample) const;
    // The down filter's input at sub-step q of host sample s: the back interpolation of the
    // sub-step's first internal sample, or, if it has none, the input held from before.
    template <int kSubStep>
    Float4 heldDownInput(int hostSample, Float4 backPair);

    void endChunk(int hostSamples) { lowpasses_.endChunk(hostSamples); }

    int warmupCounter() const { return warmupCounter_; }
    float warmupGain() const { return warmupGain_; }

private:
    Float4 internalSample(Float4 clean, Float4 mixed, const TubeStageSettings& settings,
                          const TubeTables& tables);

    LowpassPair lowpasses_;
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

    // Handed from one piece to the next, for the two host samples in flight (index s % 2).
    struct InFlight {
        // Forward interpolators of sub-steps 0 and 1, 2 and 3, side by side.
        OptimalInterpolator<Float4> forward[kOversampling / 2];
        // The back interpolator's points (newest first) of sub-steps 0 and 1, 2 and 3, side
        // by side, with their positions and whether the sub-step had an internal sample.
        Float4 backPoints[kOversampling / 2][6];
        float backPosition[kOversampling];
        int hasInternalSample[kOversampling];  // -1 or 0
    };
    InFlight inFlight_[2]{};
};

// Inline: SignalPath interleaves these pieces in one loop.

inline Float4 TubeStage::internalSample(Float4 clean, Float4 mixed, const TubeStageSettings& s,
                                        const TubeTables& tables) {
    if (warmupCounter_ < kWarmupSamples) ++warmupCounter_;
    const float flag = warmupCounter_ >= kWarmupSamples ? 1.0f : 0.0f;
    warmupGain_ = s.warmupStep * flag + s.warmupCoef * warmupGain_;

    driveState_ = s.driveSmoothing * driveState_ + s.driveInputShare * mixed;
    const Float4 vOut = circuit_.step(driveState_, tables);
    const Float4 h = vOut - dcBlockInput_ + s.dcBlockCoef * dcBlockOutput_;
    dcBlockInput_ = vOut;
    dcBlockOutput_ = h;

    // The factor 4 restores the level the zero-stuffing took.
    const Float4 blended = s.cleanShare * clean + s.tubeShare * h;
    return (blended * warmupGain_) * s.wet +
           clean * constant<Float4>(static_cast<float>(kOversampling)) * s.dryShare;
}

template <int kSubStep>
void TubeStage::forwardInterpolators(int hostSample) {
    static_assert(kSubStep % 2 == 0);
    const Float4* first = lowpasses_.upOutputs(kOversampling * hostSample + kSubStep);
    const Float4* second = first + 1;
    Float4 points[6];
    for (int i = 0; i < 6; ++i) points[i] = pairOf(first[-i], second[-i]);
    inFlight_[hostSample & 1].forward[kSubStep / 2] = OptimalInterpolator<Float4>::fromPoints(points);
}

template <int kSubStep>
void TubeStage::internalSubStep(int hostSample, Float4 mixed, const TubeStageSettings& s,
                                const TubeTables& tables) {
    InFlight& flight = inFlight_[hostSample & 1];
    const bool due = clock_.internalSampleDue(s.subStepPeriod);
    flight.hasInternalSample[kSubStep] = due ? -1 : 0;
    if (due) {
        const OptimalInterpolator<Float4>& forwardPair = flight.forward[kSubStep / 2];
        const auto forward = [&] {
            const Float4 both = forwardPair.value(splat(clock_.forwardPosition(s.subStepPeriod)));
            return kSubStep % 2 == 0 ? both : secondPair(both);
        };
        Float4 clean = forward();
        internalHistory_.push(internalSample(clean, mixed, s, tables));
        // The first internal sample of the sub-step is the one the back interpolator reads.
        const Float4* history = internalHistory_.newestFirst();
        Float4* points = flight.backPoints[kSubStep / 2];
        for (int i = 0; i < 6; ++i) storePair<kSubStep % 2>(points[i], history[i]);
        flight.backPosition[kSubStep] = clock_.backPosition(s.internalPeriod);
        clock_.advanceInternal(s.internalPeriod);
        while (clock_.internalSampleDue(s.subStepPeriod)) {
            clean = forward();
            internalHistory_.push(internalSample(clean, mixed, s, tables));
            clock_.advanceInternal(s.internalPeriod);
        }
    }
    clock_.endSubStep(s.subStepPeriod);
}

template <int kSubStep>
Float4 TubeStage::backInterpolation(int hostSample) const {
    static_assert(kSubStep % 2 == 0);
    const InFlight& flight = inFlight_[hostSample & 1];
    const float first = flight.backPosition[kSubStep], second = flight.backPosition[kSubStep + 1];
    return OptimalInterpolator<Float4>::fromPoints(flight.backPoints[kSubStep / 2])
        .value(Float4{first, first, second, second});
}

template <int kSubStep>
Float4 TubeStage::heldDownInput(int hostSample, Float4 backPair) {
    const Float4 back = kSubStep % 2 == 0 ? backPair : secondPair(backPair);
    const int has = inFlight_[hostSample & 1].hasInternalSample[kSubStep];
    heldDownInput_ = select(Int4{has, has, has, has}, back, heldDownInput_);
    return heldDownInput_;
}

}  // namespace dsp
