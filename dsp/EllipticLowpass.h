// The 8th-order elliptic lowpass that band-limits the 4x up- and down-sampling: about
// 0.2 dB passband ripple up to 1/8 of its rate, about 80 dB attenuation from 1/5 on.
//
// The classes here are the plain forms, kept as the reference: the signal path runs both
// filters at once in LowpassPair, whose tests compare it with these bit for bit.
#pragma once

#include "dsp/Float4.h"
#include "dsp/Oversampling.h"
#include "dsp/SampleHistory.h"

namespace dsp {

inline constexpr int kLowpassOrder = 8;
inline constexpr float kLowpassFeedforward[kLowpassOrder + 1] = {
    0.000929948583f, -0.000596377125f, 0.00215585204f, -0.000324394292f, 0.00221286598f,
    -0.000324394292f, 0.00215585204f, -0.000596377125f, 0.000929948583f};
// a_1..a_8 with the sign as applied (y = sum b_k x[n-k] + sum a_k y[n-k]).
inline constexpr float kLowpassFeedback[kLowpassOrder] = {
    5.65663719f, -15.062768f, 24.344265f, -25.9607773f,
    18.6404858f, -8.78640938f, 2.48531532f, -0.32344225f};

template <class Sample>
class EllipticLowpass {
public:
    Sample process(Sample x) {
        const Sample* in = inputs_.newestFirst();
        const Sample* out = outputs_.newestFirst();
        Sample y = constant<Sample>(kLowpassFeedforward[0]) * x;
        for (int k = 0; k < kLowpassOrder; ++k)
            y = y + constant<Sample>(kLowpassFeedforward[k + 1]) * in[k];
        for (int k = 0; k < kLowpassOrder; ++k)
            y = y + constant<Sample>(kLowpassFeedback[k]) * out[k];
        inputs_.push(x);
        outputs_.push(y);
        return y;
    }

private:
    SampleHistory<Sample, kLowpassOrder> inputs_;   // x[n-1] .. x[n-8]
    SampleHistory<Sample, kLowpassOrder> outputs_;  // y[n-1] .. y[n-8]
};

// The same lowpass fed by 4x zero-stuffing: the host sample at phase 0, zeros at phases
// 1 to 3. A zero input only adds exact zeros to the sum, so just the inputs that carry a
// host sample (k = phase, phase + 4, phase + 8) enter it, in the same order.
template <class Sample>
class ZeroStuffedLowpass {
public:
    // hostSample is read at phase 0 only.
    Sample process(int phase, Sample hostSample) {
        if (phase == 0) {
            hostSamples_[2] = hostSamples_[1];
            hostSamples_[1] = hostSamples_[0];
            hostSamples_[0] = hostSample;
        }
        Sample y = kFeedforward[phase] * hostSamples_[0];
        for (int k = phase + kOversampling, age = 1; k <= kLowpassOrder; k += kOversampling, ++age)
            y = y + kFeedforward[k] * hostSamples_[age];
        const Sample* out = outputs_.newestFirst();
        for (int k = 0; k < kLowpassOrder; ++k)
            y = y + constant<Sample>(kLowpassFeedback[k]) * out[k];
        outputs_.push(y);
        return y;
    }

private:
    static constexpr Sample kFeedforward[kLowpassOrder + 1] = {
        constant<Sample>(kLowpassFeedforward[0]), constant<Sample>(kLowpassFeedforward[1]),
        constant<Sample>(kLowpassFeedforward[2]), constant<Sample>(kLowpassFeedforward[3]),
        constant<Sample>(kLowpassFeedforward[4]), constant<Sample>(kLowpassFeedforward[5]),
        constant<Sample>(kLowpassFeedforward[6]), constant<Sample>(kLowpassFeedforward[7]),
        constant<Sample>(kLowpassFeedforward[8])};

    Sample hostSamples_[3]{};  // the host samples among the last nine inputs, newest first
    SampleHistory<Sample, kLowpassOrder> outputs_;
};

}  // namespace dsp
