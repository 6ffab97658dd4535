// The detector's sidechain filter: an RBJ low shelf with shelf slope 1, run in direct
// form I. The Sidechain parameter picks flat, a -6 dB shelf at 0.00312 or one at 0.00625
// of the rate at 48 kHz (149.76 Hz and 300 Hz there), carried to the host rate.
#pragma once

#include "dsp/Float4.h"

namespace dsp {

struct SidechainShelf {
    int mode;  // 0 flat, 1 shelf at 0.00312, 2 at 0.00625 (times the rate ratio)
    float b0, b1, b2, a0, a1, a2, inverseA0;

    // Runs cos, sin, sqrt and pow: once per block, never per sample.
    static SidechainShelf forParameter(float sidechain, float rateRatio);
};

// The coefficients in the form the lanes use, made before the sample loop.
template <class Sample>
struct SidechainShelfLanes {
    Sample b0, b1, b2, a1, a2, inverseA0;

    explicit SidechainShelfLanes(const SidechainShelf& s)
        : b0(constant<Sample>(s.b0)), b1(constant<Sample>(s.b1)), b2(constant<Sample>(s.b2)),
          a1(constant<Sample>(s.a1)), a2(constant<Sample>(s.a2)),
          inverseA0(constant<Sample>(s.inverseA0)) {}
};

// The filter's memory: x[n-1], x[n-2], y[n-1], y[n-2].
template <class Sample>
class SidechainShelfState {
public:
    Sample process(Sample x, const SidechainShelfLanes<Sample>& s) {
        const Sample y = (s.b0 * x + s.b1 * x1_ + s.b2 * x2_ - s.a1 * y1_ - s.a2 * y2_) * s.inverseA0;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }
    bool isFinite() const {
        const Sample states[] = {x1_, x2_, y1_, y2_};
        return allFinite(states);
    }

private:
    Sample x1_{}, x2_{}, y1_{}, y2_{};
};

}  // namespace dsp
