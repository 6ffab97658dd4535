#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "TestSupport.h"

namespace {

using dsp::ParameterSnapshot;
using dsptest::Stereo;

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

Stereo music(int frames, double rate = 44100.0) {
    Stereo s{dsptest::sine(frames, 220.0, rate, 0.6), dsptest::sine(frames, 330.0, rate, 0.4, 1.0)};
    std::mt19937 random(5);
    std::normal_distribution<float> noise(0.0f, 0.05f);
    for (int n = 0; n < frames; ++n) {
        s.left[n] += noise(random);
        s.right[n] += noise(random);
    }
    return s;
}

TEST(SignalPath, ConstructionState) {
    auto path = dsptest::makeSignalPath();
    EXPECT_EQ(path->sampleRate(), 44100.0f);
    EXPECT_EQ(path->rateQuantities().rateRatio, 48000.0f / 44100.0f);
    EXPECT_EQ(path->tubeStage().warmupCounter(), 0);
    EXPECT_EQ(path->tubeStage().warmupGain(), 0.0f);
    EXPECT_EQ(path->compressor().gainDb()[0], 0.0f);
}

TEST(SignalPath, RateChangeKeepsTheConstructionCoefficients) {
    auto path = dsptest::makeSignalPath();
    const auto parameters = dsptest::defaultParameters();
    path->processBlock(nullptr, nullptr, nullptr, nullptr, 0, parameters);
    const auto at44100 = path->blockCoefficients();
    ASSERT_TRUE(path->setSampleRate(96000.0f));
    path->processBlock(nullptr, nullptr, nullptr, nullptr, 0, parameters);
    const auto& at96000 = path->blockCoefficients();
    EXPECT_EQ(path->rateQuantities().rateRatio, 0.5f);
    EXPECT_NE(at96000.attackCoef, at44100.attackCoef);
    EXPECT_NE(at96000.releaseCoef, at44100.releaseCoef);
    EXPECT_NEAR(path->fixedCoefficients().detectorAttackCoef, 0.4702711f, 2e-7f);
    EXPECT_NEAR(path->fixedCoefficients().detectorReleaseCoef, 0.9977362f, 2e-7f);
    EXPECT_NEAR(path->fixedCoefficients().dcBlockCoef, 0.9956470f, 2e-7f);
    auto sidechained = parameters;
    sidechained.values[parameter::kSidechain] = 1.0f;
    const auto shelf96 = dsp::BlockCoefficients::derive(sidechained, 0.5f).sidechain;
    path->processBlock(nullptr, nullptr, nullptr, nullptr, 0, sidechained);
    EXPECT_EQ(path->blockCoefficients().sidechain.b1, shelf96.b1);
}

TEST(SignalPath, RefusesUnusableRates) {
    auto path = dsptest::makeSignalPath();
    for (float rate : {0.0f, -48000.0f, 0.5f, 1.0f, 7999.0f, NAN, INFINITY, -INFINITY}) {
        EXPECT_FALSE(path->setSampleRate(rate)) << rate;
        EXPECT_EQ(path->sampleRate(), 44100.0f);
    }
    EXPECT_TRUE(path->setSampleRate(8000.0f));
}

TEST(SignalPath, EmptyBlocksPublishFourZeros) {
    auto path = dsptest::makeSignalPath();
    const auto signal = music(2048);
    dsptest::render(*path, signal, dsptest::defaultParameters());
    float in[1] = {0.5f}, out[1] = {7.0f};
    for (int frames : {0, -1, -512}) {
        const dsp::BlockMeters meters =
            path->processBlock(in, in, out, out, frames, dsptest::defaultParameters());
        EXPECT_EQ(meters.gainReductionLeft, 0.0f);
        EXPECT_EQ(meters.gainReductionRight, 0.0f);
        EXPECT_EQ(meters.inputLevel, 0.0f);
        EXPECT_EQ(meters.outputLevel, 0.0f);
        EXPECT_EQ(out[0], 7.0f);
    }
}

TEST(SignalPath, BypassIsBitExactWhileTheMetersMove) {
    auto path = dsptest::makeSignalPath();
    auto parameters = dsptest::defaultParameters();
    parameters.values[parameter::kPower] = 0.5f;
    const Stereo input = music(8192);
    Stereo out{std::vector<float>(8192), std::vector<float>(8192)};
    dsp::BlockMeters first{}, last{};
    for (int start = 0; start < 8192; start += 1024) {
        last = path->processBlock(&input.left[start], &input.right[start], &out.left[start],
                                  &out.right[start], 1024, parameters);
        if (start == 0) first = last;
    }
    EXPECT_TRUE(sameBits(out.left, input.left));
    EXPECT_TRUE(sameBits(out.right, input.right));
    EXPECT_GT(last.gainReductionLeft, 0.0f);
    EXPECT_GT(last.inputLevel, first.inputLevel);
    EXPECT_NE(last.outputLevel, first.outputLevel);
    EXPECT_GT(path->tubeStage().warmupCounter(), 0);
}

TEST(SignalPath, BlockSplitsDoNotChangeTheOutput) {
    const Stereo input = music(60000);
    auto whole = dsptest::makeSignalPath();
    const Stereo reference = dsptest::render(*whole, input, dsptest::defaultParameters(), 60000);

    auto split = dsptest::makeSignalPath();
    Stereo out{std::vector<float>(60000), std::vector<float>(60000)};
    std::mt19937 random(9);
    std::uniform_int_distribution<int> length(1, 700);
    for (int start = 0; start < 60000;) {
        const int count = std::min(length(random), 60000 - start);
        split->processBlock(&input.left[start], &input.right[start], &out.left[start],
                            &out.right[start], count, dsptest::defaultParameters());
        start += count;
    }
    EXPECT_TRUE(sameBits(out.left, reference.left));
    EXPECT_TRUE(sameBits(out.right, reference.right));
    EXPECT_NE(reference.left[59999], 0.0f);  // past the warm-up
}

TEST(SignalPath, InPlaceProcessingEqualsSeparateBuffers) {
    const Stereo input = music(50000);
    auto separate = dsptest::makeSignalPath();
    const Stereo reference = dsptest::render(*separate, input, dsptest::defaultParameters());
    auto inPlace = dsptest::makeSignalPath();
    Stereo buffer = input;
    for (int start = 0; start < 50000; start += 512) {
        const int count = std::min(512, 50000 - start);
        inPlace->processBlock(&buffer.left[start], &buffer.right[start], &buffer.left[start],
                              &buffer.right[start], count, dsptest::defaultParameters());
    }
    EXPECT_TRUE(sameBits(buffer.left, reference.left));
    EXPECT_TRUE(sameBits(buffer.right, reference.right));
}

TEST(SignalPath, SwappedChannelsGiveSwappedOutputs) {
    const Stereo input = music(50000);
    auto straight = dsptest::makeSignalPath();
    const Stereo a = dsptest::render(*straight, input, dsptest::defaultParameters());
    auto swapped = dsptest::makeSignalPath();
    const Stereo b = dsptest::render(*swapped, {input.right, input.left}, dsptest::defaultParameters());
    EXPECT_TRUE(sameBits(a.left, b.right));
    EXPECT_TRUE(sameBits(a.right, b.left));
}

TEST(SignalPath, DryPathChannelsAreIndependent) {
    auto parameters = dsptest::defaultParameters();
    parameters.values[parameter::kDryWet] = 0.0f;
    const Stereo input = music(20000);
    auto a = dsptest::makeSignalPath();
    const Stereo outA = dsptest::render(*a, input, parameters);
    auto b = dsptest::makeSignalPath();
    const Stereo outB = dsptest::render(*b, {input.left, dsptest::sine(20000, 5000.0, 44100.0, 0.9)},
                                        parameters);
    EXPECT_TRUE(sameBits(outA.left, outB.left));
    EXPECT_FALSE(sameBits(outA.right, outB.right));
}

TEST(SignalPath, AutogainDoesNotTouchTheAudio) {
    const Stereo input = music(50000);
    auto on = dsptest::makeSignalPath();
    const Stereo a = dsptest::render(*on, input, dsptest::defaultParameters());
    auto parameters = dsptest::defaultParameters();
    parameters.values[parameter::kAutogain] = 0.0f;
    auto off = dsptest::makeSignalPath();
    const Stereo b = dsptest::render(*off, input, parameters);
    EXPECT_TRUE(sameBits(a.left, b.left));
    EXPECT_TRUE(sameBits(a.right, b.right));
}

// A loud left channel pulls the gain of a quiet right channel down with it. With
// RightGrid 0 the stage is 99 % clean, so output levels follow the gain.
TEST(SignalPath, StereoLinkAppliesTheSmallerGainToBoth) {
    auto parameters = dsptest::defaultParameters();
    parameters.values[parameter::kRightGrid] = 0.0f;
    const int frames = 44100 * 3 / 2;
    const auto quiet = dsptest::sine(frames, 500.0, 44100.0, 0.01);
    const auto loud = dsptest::sine(frames, 1000.0, 44100.0, 1.0);

    auto alone = dsptest::makeSignalPath();
    const Stereo reference = dsptest::render(*alone, {std::vector<float>(frames), quiet}, parameters);
    auto linked = dsptest::makeSignalPath();
    const Stereo out = dsptest::render(*linked, {loud, quiet}, parameters);

    const int from = frames - 8820;
    const float loudGainDb = linked->compressor().gainDb()[0];
    EXPECT_LT(loudGainDb, -6.0f);
    const double dropDb = dsptest::sineFitDb(out.right, from, frames, 500.0, 44100.0) -
                          dsptest::sineFitDb(reference.right, from, frames, 500.0, 44100.0);
    EXPECT_NEAR(dropDb, loudGainDb - alone->compressor().gainDb()[1], 1.0);
}

TEST(SignalPath, SilenceAtRatioZeroReducesTheWetPath) {
    auto parameters = dsptest::defaultParameters();
    parameters.values[parameter::kRatio] = 0.0f;
    parameters.values[parameter::kRelease] = 0.0f;
    auto path = dsptest::makeSignalPath();
    const int frames = 200000;
    dsptest::render(*path, {std::vector<float>(frames), std::vector<float>(frames)}, parameters, 4096);
    EXPECT_NEAR(path->compressor().levelDb()[0], -30.1f, 0.02f);
    EXPECT_NEAR(path->compressor().gainDb()[1], -3.2f, 0.05f);
    std::vector<float> silence(64), out(64);
    const dsp::BlockMeters meters =
        path->processBlock(silence.data(), silence.data(), out.data(), out.data(), 64, parameters);
    EXPECT_NEAR(meters.gainReductionLeft, 1.0f - (-3.2f + 25.0f) * 0.04f, 0.005f);
    EXPECT_EQ(meters.gainReductionRight, meters.gainReductionLeft);
}

}  // namespace
