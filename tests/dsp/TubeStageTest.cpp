#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "TestSupport.h"
#include "dsp/ResamplerClock.h"
#include "dsp/SharedTubeTables.h"

namespace {

using dsp::ParameterSnapshot;

// Internal samples per sub-step over the first host samples, as the stage counts them.
std::vector<int> internalSamplesPerSubStep(float sampleRate, int hostSamples) {
    const auto rate = dsp::RateQuantities::forRate(sampleRate);
    const float subStepPeriod = rate.hostPeriod * 0.25f;
    dsp::ResamplerClock clock;
    std::vector<int> counts;
    for (int n = 0; n < 4 * hostSamples; ++n) {
        int count = 0;
        for (; clock.internalSampleDue(subStepPeriod); ++count) clock.advanceInternal(rate.internalPeriod);
        clock.endSubStep(subStepPeriod);
        counts.push_back(count);
    }
    return counts;
}

TEST(ResamplerClock, InternalSamplesPerSubStep) {
    for (int count : internalSamplesPerSubStep(48000.0f, 48000)) ASSERT_EQ(count, 1);

    const auto at44100 = internalSamplesPerSubStep(44100.0f, 44100);
    int total = 0;
    for (int count : at44100) {
        ASSERT_TRUE(count == 1 || count == 2);
        total += count;
    }
    EXPECT_NEAR(total, 192000, 2);

    const auto at96000 = internalSamplesPerSubStep(96000.0f, 9600);
    for (std::size_t n = 0; n < at96000.size(); ++n) ASSERT_EQ(at96000[n], n % 2 == 0 ? 1 : 0) << n;
}

TEST(TubeStage, CountsInternalSamplesAtTheHostRate) {
    auto path = dsptest::makeSignalPath(48000.0f);
    const dsptest::Stereo silence{std::vector<float>(100), std::vector<float>(100)};
    dsptest::render(*path, silence, dsptest::defaultParameters());
    EXPECT_EQ(path->tubeStage().warmupCounter(), 400);
}

TEST(TubeStage, WarmUpMutesTheWetPathForTheFirstSecond) {
    auto path = dsptest::makeSignalPath(48000.0f);
    const int frames = 48000 + 4800;
    const dsptest::Stereo input{dsptest::sine(frames, 440.0, 48000.0, 0.5),
                                dsptest::sine(frames, 660.0, 48000.0, 0.5)};
    const auto out = dsptest::render(*path, input, dsptest::defaultParameters());
    // Internal sample 192000 is the last of host sample 47999; until then only zeros.
    for (int n = 0; n < 47999; ++n) {
        ASSERT_EQ(out.left[n], 0.0f) << n;
        ASSERT_EQ(out.right[n], 0.0f) << n;
    }
    EXPECT_NE(out.left[48000], 0.0f);
    // 1 - 0.9999^n after the counter is reached: 63 % after 10000 internal samples.
    EXPECT_NEAR(path->tubeStage().warmupGain(), 1.0 - std::pow(0.9999, 4 * 4800 + 1), 1e-3);
    EXPECT_LT(dsptest::rmsDb(out.left, 48000, 48480), dsptest::rmsDb(out.left, 52320, 52800));
}

ParameterSnapshot dryOnly() {
    ParameterSnapshot parameters = dsptest::defaultParameters();
    parameters.values[parameter::kDryWet] = 0.0f;
    return parameters;
}

TEST(TubeStage, DryWetZeroHasNoTubeColourAndNoWarmUp) {
    auto squareLaw = dsptest::makeSignalPath();
    auto silent = std::make_unique<dsp::SignalPath>(dsp::buildTubeTables(dsp::TubeTableCoefficients{}));
    const dsptest::Stereo input{dsptest::sine(4410, 1000.0, 44100.0, 0.5),
                                dsptest::sine(4410, 300.0, 44100.0, 0.5)};
    const auto a = dsptest::render(*squareLaw, input, dryOnly());
    const auto b = dsptest::render(*silent, input, dryOnly());
    EXPECT_EQ(std::memcmp(a.left.data(), b.left.data(), 4410 * sizeof(float)), 0);
    EXPECT_EQ(std::memcmp(a.right.data(), b.right.data(), 4410 * sizeof(float)), 0);
    EXPECT_GT(dsptest::rmsDb(a.left, 2000, 4410), -10.0);  // sound within the first second
}

// The Dry-Wet 0 path is the up-, re- and down-sampled input: near the input level and
// clean at every rate, including those where sub-step 0 can be empty.
TEST(TubeStage, DryWetZeroKeepsTheInputLevelAtEveryRate) {
    for (float rate : {44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f}) {
        SCOPED_TRACE(rate);
        auto path = dsptest::makeSignalPath(rate);
        const int frames = static_cast<int>(rate / 10);
        const double frequency = 997.0;
        const dsptest::Stereo input{dsptest::sine(frames, frequency, rate, 0.5),
                                    dsptest::sine(frames, frequency, rate, 0.5)};
        const auto out = dsptest::render(*path, input, dryOnly());
        double residualDb;
        const double levelDb =
            dsptest::sineFitDb(out.left, frames / 2, frames, frequency, rate, &residualDb);
        const double inputDb = 20.0 * std::log10(0.5 / std::sqrt(2.0));
        EXPECT_NEAR(levelDb, inputDb, 0.5);
        EXPECT_LT(residualDb - levelDb, -50.0);
        std::printf("Dry-Wet 0 at %.1f kHz: %+.3f dB, residual %.1f dB\n", rate / 1000.0,
                    levelDb - inputDb, residualDb - levelDb);
    }
}

}  // namespace
