// The two 4x lowpasses of the tube stage in one register: lanes 0 and 1 run the up-sampling
// filter (left, right) on its zero-stuffed input, lanes 2 and 3 the down-sampling filter on
// the interpolated 192 kHz output. Both are the lowpass of EllipticLowpass.h with the same
// feedback, so one multiply-add serves both; each pair of lanes gives exactly the floats its
// own filter gives (ZeroStuffedLowpass and EllipticLowpass are the plain forms). The up
// filter leaves out the terms at stuffed zeros; here they are multiplied by a coefficient of
// -0, and adding -0 leaves every sum as it is, signed zeros included (all partial sums are
// results of arithmetic under flush-to-zero, never subnormal).
//
// The samples of a chunk of host samples lie in linear buffers, eight positions of history
// in front: position 4 s + q holds sub-step q of host sample s in the up lanes and of host
// sample s - 2 in the down lanes, so that one step advances the up filter two host samples
// ahead of the down filter. At the start of a chunk the up filter has nothing to do for two
// host samples and the down filter at its end: those steps keep the idle lanes as they are.
#pragma once

#include "dsp/EllipticLowpass.h"
#include "dsp/Float4.h"
#include "dsp/Oversampling.h"

namespace dsp {

// Feedforward coefficients per sub-step: the up lanes keep the terms at the inputs that
// carry a host sample (k = sub-step, + 4, + 8) and give -0 to the rest.
// Defined out of line, for the reason given at interpolator::kWeightLanes.
struct LowpassPairCoefficients {
    Float4 feedforward[kOversampling][kLowpassOrder + 1];
    Float4 feedback[kLowpassOrder];

    static constexpr LowpassPairCoefficients make() {
        LowpassPairCoefficients c{};
        for (int q = 0; q < kOversampling; ++q)
            for (int k = 0; k <= kLowpassOrder; ++k) {
                const float b = kLowpassFeedforward[k];
                const float up = k >= q && (k - q) % kOversampling == 0 ? b : -0.0f;
                c.feedforward[q][k] = Float4{up, up, b, b};
            }
        for (int k = 0; k < kLowpassOrder; ++k)
            c.feedback[k] = splat(kLowpassFeedback[k]);
        return c;
    }
};
extern const LowpassPairCoefficients kLowpassPairCoefficients;

class LowpassPair {
public:
    static constexpr int kMaxChunk = 128;  // host samples
    static constexpr int kHostSamplesBetween = 2;  // the down lanes' lag behind the up lanes

    // Which lanes a step stores: all ones for the lanes of a filter that runs.
    static Int4 lanes(bool up, bool down) {
        const int u = up ? -1 : 0, d = down ? -1 : 0;
        return Int4{u, u, d, d};
    }

    // One sub-step at a position of the chunk; input holds the up filter's input (the host
    // sample at sub-step 0, 0 otherwise) in lanes 0, 1 and the down filter's in lanes 2, 3.
    // At a chunk's edges (kEdge) only the running lanes are stored.
    template <int kSubStep, bool kEdge>
    Float4 step(int position, Float4 input, Int4 running) {
        Float4* in = &inputs_[kHistory + position];
        Float4* out = &outputs_[kHistory + position];
        in[0] = kEdge ? select(running, input, in[0]) : input;
        Float4 sum = kLowpassPairCoefficients.feedforward[kSubStep][0] * input;
        for (int k = 1; k <= kLowpassOrder; ++k) sum = sum + kLowpassPairCoefficients.feedforward[kSubStep][k] * in[-k];
        for (int k = 1; k <= kLowpassOrder; ++k) sum = sum + kLowpassPairCoefficients.feedback[k - 1] * out[-k];
        out[0] = kEdge ? select(running, sum, out[0]) : sum;
        return sum;
    }

    // The up filter's outputs in lanes 0, 1, newest first from a position.
    const Float4* upOutputs(int position) const { return &outputs_[kHistory + position]; }

    // After the chunk's last step: its history goes in front of the next chunk's.
    void endChunk(int hostSamples);

    void reset() { *this = LowpassPair{}; }
    bool isFinite() const;

private:
    static constexpr int kHistory = kLowpassOrder;
    static constexpr int kCapacity = kHistory + kOversampling * (kMaxChunk + kHostSamplesBetween);

    alignas(16) Float4 inputs_[kCapacity]{};
    alignas(16) Float4 outputs_[kCapacity]{};
};

}  // namespace dsp
