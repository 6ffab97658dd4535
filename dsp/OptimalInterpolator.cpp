#include "dsp/OptimalInterpolator.h"

namespace dsp::interpolator {

namespace {
constexpr Float4 lanes(int coefficient, int term) {
    return splat(kWeights[coefficient][term]);
}
}  // namespace

const Float4 kWeightLanes[6][3] = {
    {lanes(0, 0), lanes(0, 1), lanes(0, 2)}, {lanes(1, 0), lanes(1, 1), lanes(1, 2)},
    {lanes(2, 0), lanes(2, 1), lanes(2, 2)}, {lanes(3, 0), lanes(3, 1), lanes(3, 2)},
    {lanes(4, 0), lanes(4, 1), lanes(4, 2)}, {lanes(5, 0), lanes(5, 1), lanes(5, 2)}};

}  // namespace dsp::interpolator
