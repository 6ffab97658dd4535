// The published "optimal" 6-point, 5th-order polynomial interpolator for signals
// oversampled by four, in z-form: it interpolates between the third and fourth of six
// points, z running from -0.5 to 0.5. With Float4 every lane is its own interpolator, so
// one register can carry two stereo interpolators side by side.
#pragma once

#include "dsp/Float4.h"

namespace dsp {

template <class Sample>
struct OptimalInterpolator {
    Sample c0, c1, c2, c3, c4, c5;

    // points[0] is the newest sample, points[5] the oldest.
    static OptimalInterpolator fromPoints(const Sample* points) {
        const auto c = [](float value) { return everyLane<Sample>(value); };
        const Sample e1 = points[2] + points[3], o1 = points[2] - points[3];
        const Sample e2 = points[1] + points[4], o2 = points[1] - points[4];
        const Sample e3 = points[0] + points[5], o3 = points[0] - points[5];
        return {c(0.41496903f) * e1 + c(0.08343082f) * e2 + c(0.0016001504f) * e3,
                c(0.31625515f) * o1 + c(0.21197848f) * o2 + c(0.009561666f) * o3,
                c(-0.2032719f) * e1 + c(0.17989908f) * e2 + c(0.023372835f) * e3,
                c(-0.20209241f) * o1 + c(0.017607344f) * o2 + c(0.02985927f) * o3,
                c(0.04100949f) * e1 - c(0.06147761f) * e2 + c(0.02046803f) * e3,
                c(0.06607748f) * o1 - c(0.032550793f) * o2 + c(0.0062898966f) * o3};
    }

    Sample value(Sample z) const {
        return ((((c5 * z + c4) * z + c3) * z + c2) * z + c1) * z + c0;
    }
};

}  // namespace dsp
