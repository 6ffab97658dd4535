#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "TestSupport.h"
#include "dsp/Compressor.h"

namespace {

using dsp::GainCurve;

TEST(GainCurve, StaticOutputAboveTheThreshold) {
    // Output above the threshold against input above it, in dB.
    const struct {
        float inputAbove, outputAbove;
    } kCurve[] = {{0, 0},       {10, 1.614f},  {20, 4.459f},  {30, 8.685f},
                  {40, 11.648f}, {45, 11.847f}, {50, 13.077f}, {60, 13.077f}, {90, 13.077f}};
    for (float thresholdDb : {-43.0f, -15.0f, -8.0f}) {
        const GainCurve curve{thresholdDb, thresholdDb + 50.0f, 1.0f};
        for (const auto& point : kCurve) {
            const float out = dsp::gainCurveOutputDb(thresholdDb + point.inputAbove, curve);
            EXPECT_NEAR(out - thresholdDb, point.outputAbove, 6e-4f)
                << "threshold " << thresholdDb << ", " << point.inputAbove << " dB above";
        }
    }
}

TEST(GainCurve, FlatFromTheKneeTop) {
    const GainCurve curve{-15.0f, 35.0f, 0.86f};
    const float top = dsp::gainCurveOutputDb(35.0f, curve);
    for (float v : {35.0f, 40.0f, 100.0f, 1e6f}) EXPECT_EQ(dsp::gainCurveOutputDb(v, curve), top);
}

TEST(GainComputer, GainIsAlwaysNegative) {
    const GainCurve curve{-8.0f, 42.0f, 1.0f};
    EXPECT_EQ(dsp::gainComputerDb(-8.0f, curve), -0.000001f);  // at the threshold
    EXPECT_EQ(dsp::gainComputerDb(-60.0f, curve), -0.000001f);
    // 60 dB above with Ratio 1: back to the threshold + 13.077 dB
    EXPECT_NEAR(dsp::gainComputerDb(52.0f, curve), -46.923f, 1e-3f);
    for (float v = -8.0f; v < 80.0f; v += 0.5f) EXPECT_LT(dsp::gainComputerDb(v, curve), 0.0f);
}

TEST(GainComputer, RatioScalesTheReduction) {
    const GainCurve full{-15.0f, 35.0f, 1.0f};
    const GainCurve scaled{-15.0f, 35.0f, 0.5f};
    const float v = 10.0f;
    EXPECT_NEAR(dsp::gainComputerDb(v, scaled) + 0.000001f,
                0.5f * (dsp::gainComputerDb(v, full) + 0.000001f), 1e-5f);
}

TEST(Rectifier, FloorShapeAndAboveOne) {
    EXPECT_EQ(dsp::rectify(0.0f), 0.031247882f);
    EXPECT_NEAR(dsp::rectify(1.0f), 0.98863f, 1e-5f);
    EXPECT_EQ(dsp::rectify(-0.5f), dsp::rectify(0.5f));
    EXPECT_EQ(dsp::rectify(1.5f), 1.5f);
    EXPECT_EQ(dsp::rectify(-3.0f), 3.0f);
    float previous = dsp::rectify(0.0f);
    for (float d = 0.01f; d <= 1.0f; d += 0.01f) {
        EXPECT_GT(dsp::rectify(d), previous) << d;
        previous = dsp::rectify(d);
    }
}

// Silence settles the detected level on the rectifier's floor.
float silenceGainDb(float ratio) {
    auto parameters = dsptest::defaultParameters();
    parameters.values[parameter::kRatio] = ratio;
    parameters.values[parameter::kRelease] = 0.0f;
    const auto rate = dsp::RateQuantities::forRate(44100.0f);
    const auto fixed = dsp::FixedCoefficients::forRate(rate);
    const auto block = dsp::BlockCoefficients::derive(parameters, rate.rateRatio);
    const dsp::CompressorLanes<float> lanes(block, fixed);
    dsp::Compressor<float> channel;
    for (int n = 0; n < 441000; ++n) channel.process(0.0f, lanes);
    EXPECT_NEAR(channel.levelDb(), -30.1f, 0.02f);
    return channel.gainDb();
}

TEST(Compressor, SilenceSitsOnTheFloor) {
    EXPECT_NEAR(silenceGainDb(0.0f), -3.2f, 0.05f);  // threshold -43 dB
    EXPECT_EQ(silenceGainDb(1.0f), -0.000001f);      // threshold -8 dB
}

TEST(Compressor, LoudSineIsReducedAndRecoversThroughTheLevelRelease) {
    const auto parameters = dsptest::defaultParameters();
    const auto rate = dsp::RateQuantities::forRate(44100.0f);
    const auto fixed = dsp::FixedCoefficients::forRate(rate);
    const auto block = dsp::BlockCoefficients::derive(parameters, rate.rateRatio);
    const dsp::CompressorLanes<float> lanes(block, fixed);
    dsp::Compressor<float> channel;
    const auto loud = dsptest::sine(44100, 1000.0, 44100.0, 0.9);
    for (float x : loud) channel.process(x, lanes);
    const float reduced = channel.gainDb();
    EXPECT_LT(reduced, -5.0f);
    // Gain recovery itself is immediate; the level falls with the slow release.
    for (int n = 0; n < 4410; ++n) channel.process(0.0f, lanes);
    EXPECT_GT(channel.gainDb(), reduced);
    EXPECT_LT(channel.gainDb(), -1.0f);
}

// The stereo form runs both channels in one register; each lane must give the floats of
// the one-channel form, through every branch: quiet, loud, above +24 dB, hostile values.
TEST(Compressor, StereoLanesEqualTheOneChannelForm) {
    const auto rate = dsp::RateQuantities::forRate(48000.0f);
    const auto fixed = dsp::FixedCoefficients::forRate(rate);
    for (float sidechain : {0.0f, 0.5f, 1.0f}) {
        auto parameters = dsptest::defaultParameters();
        parameters.values[parameter::kSidechain] = sidechain;
        parameters.values[parameter::kGain] = 0.6f;
        const auto block = dsp::BlockCoefficients::derive(parameters, rate.rateRatio);
        const dsp::CompressorLanes<float> one(block, fixed);
        const dsp::CompressorLanes<dsp::Float4> two(block, fixed);
        dsp::Compressor<float> left, right;
        dsp::Compressor<dsp::Float4> both;
        std::mt19937 random(3);
        std::normal_distribution<float> noise(0.0f, 1.0f);
        for (int n = 0; n < 20000; ++n) {
            const float loudness = n % 4000 < 1000 ? 1e3f : (n % 4000 < 2000 ? 0.5f : 1e-3f);
            float l = loudness * noise(random), r = loudness * noise(random);
            if (n == 15000) l = INFINITY;
            if (n == 15500) r = NAN;
            const dsp::Float4 gains = both.process(dsp::stereo(l, r), two);
            const float gl = left.process(l, one), gr = right.process(r, one);
            ASSERT_TRUE(std::memcmp(&gains[0], &gl, sizeof gl) == 0 || (gl != gl && gains[0] != gains[0])) << n;
            ASSERT_TRUE(std::memcmp(&gains[1], &gr, sizeof gr) == 0 || (gr != gr && gains[1] != gains[1])) << n;
        }
    }
}

}  // namespace
