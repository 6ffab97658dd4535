#include "dsp/SidechainShelf.h"

#include <cmath>
#include <numbers>

#include "effect/Parameters.h"

namespace dsp {
namespace {

float f(double value) { return static_cast<float>(value); }

}  // namespace

SidechainShelf SidechainShelf::forParameter(float sidechain, float rateRatio) {
    SidechainShelf s;
    s.mode = parameter::sidechainMode(sidechain);
    const float frequency = (s.mode == 1 ? 0.00312f : 0.00625f) * rateRatio;
    const float gainDb = s.mode == 0 ? 0.0f : -6.0f;
    const float A = f(std::sqrt(std::pow(10.0, 0.05 * gainDb)));
    const float w = f(2.0 * std::numbers::pi * frequency);
    const float c = f(std::cos(static_cast<double>(w)));
    const float beta = f(std::sin(static_cast<double>(w)) / 1.414 * 2.0 * std::sqrt(static_cast<double>(A)));
    s.b0 = A * ((A + 1.0f) - (A - 1.0f) * c + beta);
    s.b1 = 2.0f * A * ((A - 1.0f) - (A + 1.0f) * c);
    s.b2 = A * ((A + 1.0f) - (A - 1.0f) * c - beta);
    s.a0 = (A + 1.0f) + (A - 1.0f) * c + beta;
    s.a1 = -2.0f * ((A - 1.0f) + (A + 1.0f) * c);
    s.a2 = (A + 1.0f) + (A - 1.0f) * c - beta;
    s.inverseA0 = 1.0f / s.a0;
    return s;
}

}  // namespace dsp
