// Hostile input: non-finite and extreme samples and parameters must never index outside
// a table or convert an out-of-range float to an integer (the sanitizer build checks
// both), and the path must recover within one block once the input is sane again.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "TestSupport.h"

namespace {

using dsp::ParameterSnapshot;

constexpr float kDenormal = std::numeric_limits<float>::denorm_min() * 1000.0f;
const float kHostileValues[] = {NAN, INFINITY, -INFINITY, 1e30f, -1e30f, kDenormal};

bool allFinite(const std::vector<float>& signal) {
    for (float x : signal)
        if (!std::isfinite(x)) return false;
    return true;
}

dsptest::Stereo tone(int frames) {
    return {dsptest::sine(frames, 440.0, 44100.0, 0.5), dsptest::sine(frames, 550.0, 44100.0, 0.5)};
}

class GuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dsptest::makeSignalPath();
        // Past the warm-up, so that the wet path carries signal.
        dsptest::render(*path, tone(48000), dsptest::defaultParameters(), 4096);
    }
    std::unique_ptr<dsp::SignalPath> path;
};

TEST_F(GuardTest, HostileSamplesAndRecoveryWithinOneBlock) {
    for (float hostile : kHostileValues) {
        SCOPED_TRACE(hostile);
        dsptest::Stereo bad = tone(512);
        bad.left[100] = hostile;
        bad.right[300] = hostile;
        dsptest::render(*path, bad, dsptest::defaultParameters());
        const auto after = dsptest::render(*path, tone(512), dsptest::defaultParameters());
        EXPECT_TRUE(allFinite(after.left));
        EXPECT_TRUE(allFinite(after.right));
    }
}

TEST_F(GuardTest, WholeBlocksOfHostileSamples) {
    for (float hostile : kHostileValues) {
        SCOPED_TRACE(hostile);
        const dsptest::Stereo bad{std::vector<float>(2048, hostile), std::vector<float>(2048, -hostile)};
        const auto meters = path->processBlock(bad.left.data(), bad.right.data(),
                                               std::vector<float>(2048).data(),
                                               std::vector<float>(2048).data(), 2048,
                                               dsptest::defaultParameters());
        EXPECT_TRUE(std::isfinite(meters.inputLevel) && std::isfinite(meters.outputLevel));
        EXPECT_TRUE(std::isfinite(meters.gainReductionLeft) && std::isfinite(meters.gainReductionRight));
        const auto after = dsptest::render(*path, tone(512), dsptest::defaultParameters());
        EXPECT_TRUE(allFinite(after.left));
    }
}

TEST_F(GuardTest, NonFiniteStateRestartsLikeConstruction) {
    dsptest::Stereo bad = tone(256);
    bad.left[10] = NAN;
    dsptest::render(*path, bad, dsptest::defaultParameters(), 256);
    EXPECT_EQ(path->tubeStage().warmupCounter(), 0);
    EXPECT_EQ(path->tubeStage().warmupGain(), 0.0f);
    EXPECT_EQ(path->compressor().levelDb()[0], 0.0f);
}

TEST_F(GuardTest, HostileParameters) {
    for (int index = 0; index < dsp::ParameterSnapshot::kCount; ++index)
        for (float hostile : kHostileValues) {
            SCOPED_TRACE(::testing::Message() << "parameter " << index << " = " << hostile);
            auto parameters = dsptest::defaultParameters();
            parameters.values[index] = hostile;
            dsptest::render(*path, tone(256), parameters, 256);
            const auto after = dsptest::render(*path, tone(256), dsptest::defaultParameters(), 256);
            EXPECT_TRUE(allFinite(after.left));
            EXPECT_TRUE(allFinite(after.right));
        }
}

TEST_F(GuardTest, DenormalInputsActAsZero) {
    auto twin = dsptest::makeSignalPath();
    dsptest::render(*twin, tone(48000), dsptest::defaultParameters(), 4096);
    const dsptest::Stereo tiny{std::vector<float>(4096, kDenormal), std::vector<float>(4096, -kDenormal)};
    const dsptest::Stereo zero{std::vector<float>(4096), std::vector<float>(4096)};
    const auto a = dsptest::render(*path, tiny, dsptest::defaultParameters());
    const auto b = dsptest::render(*twin, zero, dsptest::defaultParameters());
    EXPECT_EQ(std::memcmp(a.left.data(), b.left.data(), 4096 * sizeof(float)), 0);
}

}  // namespace
