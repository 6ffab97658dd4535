// The published "optimal" 6-point, 5th-order polynomial interpolator for signals
// oversampled by four, in z-form: it interpolates between the third and fourth of six
// points, z running from -0.5 to 0.5. With Float4 every lane is its own interpolator, so
// one register can carry two stereo interpolators side by side.
#pragma once

#include "dsp/Float4.h"

namespace dsp {

namespace interpolator {

// Weights of (e1, e2, e3) in c0, c2, c4 and of (o1, o2, o3) in c1, c3, c5. A subtracted
// term is added with a negative weight: a - w b and a + (-w) b are the same float.
inline constexpr float kWeights[6][3] = {
    {0.41496903f, 0.08343082f, 0.0016001504f},  {0.31625515f, 0.21197848f, 0.009561666f},
    {-0.2032719f, 0.17989908f, 0.023372835f},   {-0.20209241f, 0.017607344f, 0.02985927f},
    {0.04100949f, -0.06147761f, 0.02046803f},   {0.06607748f, -0.032550793f, 0.0062898966f}};

// The same in all four lanes, defined out of line: GCC builds an all-lanes-equal constant it
// can see from a scalar with two extra instructions at every use, but reads one it cannot
// see straight from memory as an operand.
extern const Float4 kWeightLanes[6][3];

template <class Sample>
inline Sample weight(int coefficient, int term) {
    if constexpr (sizeof(Sample) == sizeof(float)) return kWeights[coefficient][term];
    else return kWeightLanes[coefficient][term];
}

}  // namespace interpolator

template <class Sample>
struct OptimalInterpolator {
    Sample c0, c1, c2, c3, c4, c5;

    // points[0] is the newest sample, points[5] the oldest.
    static OptimalInterpolator fromPoints(const Sample* points) {
        const Sample e1 = points[2] + points[3], o1 = points[2] - points[3];
        const Sample e2 = points[1] + points[4], o2 = points[1] - points[4];
        const Sample e3 = points[0] + points[5], o3 = points[0] - points[5];
        const auto c = [](int coefficient, Sample a, Sample b, Sample d) {
            using interpolator::weight;
            return weight<Sample>(coefficient, 0) * a + weight<Sample>(coefficient, 1) * b +
                   weight<Sample>(coefficient, 2) * d;
        };
        return {c(0, e1, e2, e3), c(1, o1, o2, o3), c(2, e1, e2, e3),
                c(3, o1, o2, o3), c(4, e1, e2, e3), c(5, o1, o2, o3)};
    }

    Sample value(Sample z) const {
        return ((((c5 * z + c4) * z + c3) * z + c2) * z + c1) * z + c0;
    }
};

}  // namespace dsp
