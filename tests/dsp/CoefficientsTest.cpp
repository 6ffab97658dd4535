#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "TestSupport.h"
#include "dsp/Coefficients.h"

namespace {

using dsp::BlockCoefficients;
using dsp::ParameterSnapshot;

constexpr float kRatio44100 = 48000.0f / 44100.0f;

void expectNearUlps(float actual, double expected, int ulps = 3) {
    const float e = static_cast<float>(expected);
    EXPECT_NEAR(actual, expected, ulps * (std::nextafter(e, INFINITY) - e)) << expected;
}

BlockCoefficients derive(ParameterSnapshot::Index index, float value, float k = kRatio44100) {
    ParameterSnapshot parameters = dsptest::defaultParameters();
    parameters.values[index] = value;
    return BlockCoefficients::derive(parameters, k);
}

TEST(RateQuantities, At44100) {
    const auto rate = dsp::RateQuantities::forRate(44100.0f);
    expectNearUlps(rate.rateRatio, 1.0884354, 1);
    EXPECT_EQ(rate.hostPeriod, 1.0f / 44100.0f);
    expectNearUlps(rate.internalPeriod, 5.2083333e-6, 1);
}

TEST(FixedCoefficients, AtTheConstructionRate) {
    const auto fixed = dsp::FixedCoefficients::forRate(dsp::RateQuantities::forRate(44100.0f));
    expectNearUlps(fixed.detectorAttackCoef, 0.4702711);
    expectNearUlps(fixed.detectorReleaseCoef, 0.9977362);
    expectNearUlps(fixed.dcBlockCoef, 0.9956470);
    EXPECT_EQ(fixed.warmupCoef, 0.9999f);
}

TEST(BlockCoefficients, DefaultsAt44100) {
    const BlockCoefficients b =
        BlockCoefficients::derive(dsptest::defaultParameters(), kRatio44100);
    EXPECT_EQ(b.inputGainDb, 0.0f);
    EXPECT_EQ(b.inputGain, 1.0f);
    EXPECT_EQ(b.outputGainDb, 0.0f);
    EXPECT_EQ(b.outputGain, 1.0f);
    expectNearUlps(b.thresholdDb, -14.999999, 2);
    expectNearUlps(b.kneeTopDb, 35.0, 2);
    expectNearUlps(b.ratioScale, 0.86, 1);
    expectNearUlps(b.driveSmoothing, 0.6442, 2);
    expectNearUlps(b.tubeBlend, 0.307, 1);
    EXPECT_EQ(b.sidechain.mode, 0);
    expectNearUlps(b.attackCoef, 0.9796835, 1);
    expectNearUlps(b.releaseCoef, 0.9999473, 1);
    EXPECT_EQ(b.wet, 1.0f);
    EXPECT_EQ(b.dry, 0.0f);
    EXPECT_TRUE(b.powerOn);
}

TEST(BlockCoefficients, TimeConstantsAt48000) {
    expectNearUlps(derive(parameter::kRelease, 0.0f, 1.0f).releaseCoef, 0.99994834, 2);
    expectNearUlps(derive(parameter::kRelease, 1.0f, 1.0f).releaseCoef, 0.999988, 2);
    expectNearUlps(derive(parameter::kAttack, 0.0f, 1.0f).attackCoef, 0.95, 1);
    expectNearUlps(derive(parameter::kAttack, 1.0f, 1.0f).attackCoef, 0.9995, 1);
}

TEST(BlockCoefficients, AttackAppliesTheRateRatioTwice) {
    // exponent k^2: at 96 kHz (k = 0.5) the 48 kHz coefficient to the power 1/4
    const float at48 = derive(parameter::kAttack, 0.0f, 1.0f).attackCoef;
    const float at96 = derive(parameter::kAttack, 0.0f, 0.5f).attackCoef;
    EXPECT_NEAR(at96, std::pow(at48, 0.25), 1e-6);
}

TEST(BlockCoefficients, GainsAndCurveConstants) {
    EXPECT_NEAR(derive(parameter::kGain, 1.0f).inputGain, 316.22777f, 1e-3f);
    EXPECT_NEAR(derive(parameter::kVolume, 0.0f).outputGain, 0.0031622777f, 1e-9f);
    EXPECT_NEAR(derive(parameter::kRatio, 0.0f).thresholdDb, -43.0f, 1e-5f);
    EXPECT_NEAR(derive(parameter::kRatio, 1.0f).thresholdDb, -8.0f, 1e-5f);
    EXPECT_NEAR(derive(parameter::kLeftGrid, 0.0f).driveSmoothing, 0.25f, 1e-7f);
    EXPECT_NEAR(derive(parameter::kLeftGrid, 1.0f).driveSmoothing, 0.85f, 1e-7f);
    EXPECT_NEAR(derive(parameter::kRightGrid, 0.0f).tubeBlend, 0.01f, 1e-9f);
    // Values outside 0..1 go through the same formulas without clamping.
    EXPECT_NEAR(derive(parameter::kGain, 1.2f).inputGainDb, 60.0f, 1e-5f);
    EXPECT_NEAR(derive(parameter::kDryWet, 1.5f).dry, -0.5f, 1e-7f);
}

TEST(BlockCoefficients, PowerAndSidechainModeEdges) {
    EXPECT_FALSE(derive(parameter::kPower, 0.5f).powerOn);
    EXPECT_TRUE(derive(parameter::kPower, std::nextafter(0.5f, 1.0f)).powerOn);
    const struct {
        float p10;
        int mode;
    } kModes[] = {{0.0f, 0},  {0.25f, 0}, {0.26f, 1}, {0.5f, 1}, {0.75f, 1},
                  {0.76f, 2}, {1.0f, 2},  {1.3f, 0},  {-0.3f, 0}};
    for (const auto& m : kModes)
        EXPECT_EQ(derive(parameter::kSidechain, m.p10).sidechain.mode, m.mode) << m.p10;
}

// |H| of the sidechain shelf in dB at a normalised frequency (cycles per sample).
double shelfGainDb(const dsp::SidechainShelf& s, double frequency) {
    const std::complex<double> z = std::polar(1.0, -2.0 * std::numbers::pi * frequency);
    const double b0 = s.b0, b1 = s.b1, b2 = s.b2, a0 = s.a0, a1 = s.a1, a2 = s.a2;
    const auto h = (b0 + b1 * z + b2 * z * z) / (a0 + a1 * z + a2 * z * z);
    return 20.0 * std::log10(std::abs(h));
}

TEST(BlockCoefficients, SidechainShelves) {
    // At 48 kHz: -6 dB shelves with their midpoint (-3 dB) at 149.76 Hz and 300 Hz.
    const auto mode1 = derive(parameter::kSidechain, 0.5f, 1.0f).sidechain;
    const auto mode2 = derive(parameter::kSidechain, 1.0f, 1.0f).sidechain;
    const auto flat = derive(parameter::kSidechain, 0.0f, 1.0f).sidechain;
    EXPECT_NEAR(shelfGainDb(mode1, 1e-5), -6.0, 0.01);
    EXPECT_NEAR(shelfGainDb(mode1, 149.76 / 48000), -3.0, 0.05);
    EXPECT_NEAR(shelfGainDb(mode1, 0.25), 0.0, 0.05);
    EXPECT_NEAR(shelfGainDb(mode2, 300.0 / 48000), -3.0, 0.05);
    for (double f : {1e-5, 0.01, 0.2, 0.45}) EXPECT_NEAR(shelfGainDb(flat, f), 0.0, 1e-5);
    EXPECT_EQ(flat.inverseA0, 1.0f / flat.a0);
}

}  // namespace
