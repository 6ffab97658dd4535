#include "dsp/Coefficients.h"

#include <cmath>

#include "dsp/Oversampling.h"
#include "effect/Parameters.h"

namespace dsp {
namespace {

float f(double value) { return static_cast<float>(value); }

float releaseCoefFor(float p3, float k) {
    const float u = 1.0f - p3;
    const float u2 = u * u;
    const float u3 = u2 * u;
    const float u4 = u2 * u2;
    const float u5 = u4 * u;
    const float y = 7.3841f * u - 26.2f * u2 + 47.23f * u3 - 40.9175f * u4 + 13.495f * u5;
    const float r = 1.0f - y;
    return f(std::exp(k * std::log(static_cast<double>(0.999948f + 0.00004f * r))));
}

// The rate ratio is applied twice (exponent k^2). The logarithms are those of the exact
// decimals 0.95 and 0.9995, which gives 0.9796835 at the defaults.
float attackCoefFor(float p2, float k) {
    const float s = f(std::sqrt(std::sqrt(static_cast<double>(p2))));
    const double ln095 = std::log(0.95);
    const float L = f(ln095 + (std::log(0.9995) - ln095) * s);
    const float c1 = f(std::exp(static_cast<double>(k) * L));
    return f(std::exp(static_cast<double>(k) * std::log(static_cast<double>(c1))));
}

}  // namespace

RateQuantities RateQuantities::forRate(float sampleRate) {
    return {sampleRate, 48000.0f / sampleRate, 1.0f / sampleRate,
            1.0f / static_cast<float>(kInternalRate)};
}

FixedCoefficients FixedCoefficients::forRate(const RateQuantities& rate) {
    const double k0 = rate.rateRatio;
    FixedCoefficients fixed;
    fixed.detectorReleaseCoef = f(std::exp(std::log(static_cast<double>(0.99792f)) * k0));
    fixed.detectorAttackCoef = f(std::exp(std::log(0.5) * k0));
    fixed.dcBlockCoef = f(std::exp(std::log(static_cast<double>(0.996f)) * 48000.0 / rate.sampleRate));
    fixed.warmupCoef = 0.9999f;
    return fixed;
}

BlockCoefficients BlockCoefficients::derive(const ParameterSnapshot& parameters, float k) {
    const float* p = parameters.values;
    BlockCoefficients b;
    b.inputGainDb = parameter::inputGainDb(p[parameter::kGain]);
    b.inputGain = f(std::pow(10.0, 0.05 * b.inputGainDb));
    b.outputGainDb = parameter::outputVolumeDb(p[parameter::kVolume]);
    b.outputGain = f(std::pow(10.0, 0.05 * b.outputGainDb));
    b.releaseCoef = releaseCoefFor(p[parameter::kRelease], k);

    b.sidechain = SidechainShelf::forParameter(p[parameter::kSidechain], k);

    b.powerOn = parameter::isOn(p[parameter::kPower]);
    const float q = 1.0f - p[parameter::kLeftGrid];
    b.driveSmoothing = 0.6f * (1.0f - q * q * q) + 0.25f;
    b.tubeBlend = 0.99f * p[parameter::kRightGrid] + 0.01f;
    b.ratioScale = 0.7f * p[parameter::kRatio] + 0.3f;
    b.thresholdDb = -8.0f - 50.0f * (1.0f - b.ratioScale);
    b.kneeTopDb = b.thresholdDb + 50.0f;
    b.wet = p[parameter::kDryWet];
    b.dry = 1.0f - b.wet;
    b.attackCoef = attackCoefFor(p[parameter::kAttack], k);
    return b;
}

}  // namespace dsp
