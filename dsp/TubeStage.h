// The oversampled tube stage: 4x zero-stuffing and lowpass, polynomial resampling to a
// fixed 192 kHz, drive smoothing, the circuit, DC blocker, blend with the clean signal and
// warm-up, back to 4x by interpolation, lowpass, decimation. Both channels in lanes 0, 1.
//
// The stage is driven in pieces, so that its caller can run the work of several host
// samples in one loop (see SignalPath::processChunk). For a host sample s, in this order:
// schedule(s) plans which sub-steps produce 192 kHz samples and where; filter() runs the
// up-sampling lowpass for it; forwardInterpolators(s) prepares the clean signal at those
// samples; internalSubStep(s) runs them through the circuit; backInterpolation(s) and
// heldDownInput() feed the down-sampling lowpass, again through filter(). Each piece
// runs for the host samples in order.
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

    // Where the 192 kHz samples of host sample s fall: the resampler's clock, run ahead of
    // the circuit.
    void schedule(int hostSample, const TubeStageSettings& settings);

    // The lowpass pair's step for sub-step q at chunk position p = 4 s + q (see LowpassPair):
    // the up lanes take host sample s (mixed, at sub-step 0), the down lanes the held input of
    // host sample s - 2. Returns both filters' outputs.
    template <int kSubStep, bool kEdge>
    Float4 filter(int position, Float4 mixed, Float4 heldDownInput, Int4 running) {
        const Float4 upInput = kSubStep == 0 ? mixed : Float4{};
        return lowpasses_.step<kSubStep, kEdge>(position, pairOf(upInput, heldDownInput), running);
    }

    // Forward interpolators of the sub-steps of host sample s that produce 192 kHz samples,
    // once the up filter has run all four.
    void forwardInterpolators(int hostSample);

    // The 192 kHz samples of sub-step q of host sample s, from its mixed sample.
    template <int kSubStep>
    void internalSubStep(int hostSample, Float4 mixed, const TubeStageSettings& settings,
                         const TubeTables& tables);

    // Back interpolation of the sub-steps of host sample s that produced 192 kHz samples,
    // once the circuit has run them.
    void backInterpolation(int hostSample);
    // The down filter's input at sub-step q of host sample s: the back interpolation of the
    // sub-step's first internal sample, or, if it has none, the input held from before.
    template <int kSubStep>
    Float4 heldDownInput(int hostSample) {
        const InFlight& flight = inFlight_[hostSample % kInFlight];
        if (flight.count[kSubStep] > 0) heldDownInput_ = flight.backValue[kSubStep];
        return heldDownInput_;
    }

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

    // Handed from one piece to the next for the host samples in flight, by index s % 4.
    // The interpolators of two sub-steps run side by side in one register: the sub-steps
    // with samples are taken in pairs (the last one twice if their number is odd).
    static constexpr int kInFlight = 4;
    struct InFlight {
        float startPhase[kOversampling];  // resamplePhase when the sub-step begins
        int count[kOversampling];         // its 192 kHz samples
        int withSamples[kOversampling];   // the sub-steps with samples, in order
        int slot[kOversampling];          // a sub-step's place in withSamples
        int slots;
        OptimalInterpolator<Float4> forward[kOversampling];  // by sub-step, in lanes 0, 1
        // By pair: the back interpolator's points, newest first, and positions.
        Float4 backPoints[kOversampling / 2][6];
        float backPosition[kOversampling / 2][2];
        Float4 backValue[kOversampling];  // by sub-step
    };
    InFlight inFlight_[kInFlight]{};
};

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
inline void TubeStage::internalSubStep(int hostSample, Float4 mixed, const TubeStageSettings& s,
                                       const TubeTables& tables) {
    InFlight& flight = inFlight_[hostSample % kInFlight];
    const int count = flight.count[kSubStep];
    if (count == 0) return;
    const OptimalInterpolator<Float4>& forward = flight.forward[kSubStep];
    // The same phase arithmetic as the schedule's, so the same positions.
    ResamplerClock clock{flight.startPhase[kSubStep]};
    const auto next = [&] {
        const Float4 clean = forward.value(splat(clock.forwardPosition(s.subStepPeriod)));
        internalHistory_.push(internalSample(clean, mixed, s, tables));
    };
    next();
    // The sub-step's first sample is the one the back interpolator reads, as the first or
    // second stereo pair of its pair.
    const int slot = flight.slot[kSubStep];
    const Float4* history = internalHistory_.newestFirst();
    for (int i = 0; i < 6; ++i) storePair(flight.backPoints[slot / 2][i], slot % 2, history[i]);
    flight.backPosition[slot / 2][slot % 2] = clock.backPosition(s.internalPeriod);
    clock.advanceInternal(s.internalPeriod);
    for (int n = 1; n < count; ++n) {
        next();
        clock.advanceInternal(s.internalPeriod);
    }
}

}  // namespace dsp
