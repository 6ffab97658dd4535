// The auto-gain machine on its own, its levels and the output volume in a stand-in effect.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "editor/AutoGain.h"

namespace {

class LevelsEffect : public EditorEffect {
public:
    float getParameter(int index) override { return index == 1 ? volume : 0.0f; }
    void setParameterAutomated(int index, float value) override {
        if (index == 1) volume = value;
        sent.push_back(value);
    }
    bool beginEdit(int32_t) override { return true; }
    bool endEdit(int32_t) override { return true; }
    float getGainReductionLeft() override { return 0.0f; }
    float getGainReductionRight() override { return 0.0f; }
    float getInputLevel() override { return input; }
    float getOutputLevel() override { return output; }

    float volume = 1.0f;
    float input = 0.0f;
    float output = 0.0f;
    std::vector<float> sent;
};

class AutoGainTest : public ::testing::Test {
protected:
    void ticks(int count) {
        for (int i = 0; i < count; ++i) autoGain.tick(effect);
    }
    AutoGain autoGain;
    LevelsEffect effect;
};

TEST(AutoGainTarget, LevelRatioInDecibelsAsANormalisedVolume) {
    EXPECT_NEAR(AutoGain::targetFor(0.25f, 0.5f), 0.8796, 1e-4);
    EXPECT_EQ(AutoGain::targetFor(0.5f, 0.25f), 1.0) << "1.1204 limited to 1";
    EXPECT_EQ(AutoGain::targetFor(0.4f, 0.4f), 1.0);
    EXPECT_EQ(AutoGain::targetFor(0.0f, 0.0f), 0.0) << "the 0.001 floor: -60 dB";
    EXPECT_NEAR(AutoGain::targetFor(0.1f, 0.0f), 1.0, 1e-12) << "silent output: the 0.01 floor";
}

TEST_F(AutoGainTest, FiveWindowsGlideTheVolumeToTheTarget) {
    effect.input = 0.25f;
    effect.output = 0.5f;
    autoGain.autoGainRefreshRequested = true;
    // Time counts from the tick after the first signal: six ticks close a window.
    ticks(6);
    EXPECT_TRUE(autoGain.autoGainRamping);
    EXPECT_NEAR(autoGain.autoGainTarget, 0.8796, 1e-4);
    EXPECT_NEAR(effect.volume, 1.0 - (1.0 - 0.8796) * 0.1, 1e-4) << "a tenth of the way";
    ticks(60);
    EXPECT_FALSE(autoGain.autoGainMeasuring) << "five windows, then the run ends";
    EXPECT_FALSE(autoGain.autoGainRamping);
    EXPECT_NEAR(effect.volume, 0.8796f, 1e-4f);
    const std::size_t sent = effect.sent.size();
    ticks(20);
    EXPECT_EQ(effect.sent.size(), sent) << "idle again: nothing more is sent";
}

TEST_F(AutoGainTest, SilenceNeverCompletesAWindow) {
    effect.input = 0.005f;
    effect.output = 0.005f;
    autoGain.autoGainRefreshRequested = true;
    ticks(500);
    EXPECT_TRUE(autoGain.autoGainMeasuring);
    EXPECT_EQ(autoGain.autoGainMeasureMs, 0);
    EXPECT_TRUE(effect.sent.empty());
    EXPECT_EQ(effect.volume, 1.0f);
}

TEST_F(AutoGainTest, RequestDuringARunStartsOver) {
    effect.input = 0.25f;
    effect.output = 0.5f;
    autoGain.autoGainRefreshRequested = true;
    ticks(14);  // two windows done
    EXPECT_EQ(autoGain.autoGainHistoryIndex, 1);
    autoGain.autoGainRefreshRequested = true;
    ticks(1);
    EXPECT_FALSE(autoGain.autoGainRamping) << "the ramp is abandoned";
    EXPECT_FALSE(autoGain.autoGainHistoryStarted);
    EXPECT_TRUE(autoGain.autoGainMeasuring);
}

TEST_F(AutoGainTest, RampNeverOvershoots) {
    effect.volume = 0.2f;
    effect.input = 0.5f;
    effect.output = 0.5f;  // target 1.0: upwards
    autoGain.autoGainRefreshRequested = true;
    ticks(6 + 30);
    EXPECT_GT(effect.volume, 0.2f);
    for (std::size_t i = 1; i < effect.sent.size(); ++i)
        EXPECT_GE(effect.sent[i], effect.sent[i - 1]) << "never overshoots and comes back";
}

}  // namespace
