// The four meter values the editor shows, with different signals on the two channels:
// each channel's gain reduction follows its own signal, and the input and output levels
// follow the left channel only (the output level before the volume), so a meter fed from
// the wrong place or from nowhere shows.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/reach/ReachSupport.h"

namespace {

using reach::kMeterFullScaleDb;
using reach::Stereo;

constexpr float kRate = 48000.0f;
constexpr double kSeconds = 3.0;
constexpr double kFrequency = 1000.0;
constexpr float kAmplitude = 0.5f;
constexpr int kVolume = 1, kPower = 8;
// Gain reduction of a 1 kHz sine of amplitude 0.5 at the defaults, worked out from the
// compressor's formulas: the largest in the last block of 512 frames.
constexpr double kSineReductionDb = 6.684;
// The smoothed level of a sine settles at its mean rectified value, 2/pi of its amplitude.
const double kSineLevel = 2.0 / std::numbers::pi * kAmplitude;

struct Rendered {
    vsthost::OwnPluginMeters::Readings meters;
    Stereo output;
};

Rendered render(float left, float right, const std::vector<reach::Setting>& settings = {}) {
    reach::Rendering rendering(kRate, settings);
    Stereo output = rendering.process(reach::sines(kRate, kSeconds, kFrequency, left, right), 512);
    return {rendering.meters(), std::move(output)};
}

// Mean absolute value of the last half second of a channel.
double recentLevel(const std::vector<float>& channel) {
    const std::size_t start = channel.size() - static_cast<std::size_t>(kRate / 2);
    double sum = 0.0;
    for (std::size_t i = start; i < channel.size(); ++i) sum += std::fabs(channel[i]);
    return sum / static_cast<double>(channel.size() - start);
}

TEST(Meters, LeftSignalOnly) {
    const Rendered left = render(kAmplitude, 0.0f);
    EXPECT_NEAR(kMeterFullScaleDb * left.meters.gainReductionLeft, kSineReductionDb, 0.2);
    EXPECT_LT(kMeterFullScaleDb * left.meters.gainReductionRight, 0.001) << "the silent channel reduces nothing";
    EXPECT_NEAR(left.meters.inputLevel, kSineLevel, 0.02 * kSineLevel);
    EXPECT_NEAR(left.meters.outputLevel, recentLevel(left.output.left), 0.03 * recentLevel(left.output.left));
    EXPECT_GT(left.meters.outputLevel, 0.05);
}

TEST(Meters, RightSignalOnly) {
    const Rendered right = render(0.0f, kAmplitude);
    EXPECT_LT(kMeterFullScaleDb * right.meters.gainReductionLeft, 0.001);
    EXPECT_NEAR(kMeterFullScaleDb * right.meters.gainReductionRight, kSineReductionDb, 0.2);
    EXPECT_LT(right.meters.inputLevel, 1e-3) << "the input level is the left channel's";
    EXPECT_LT(right.meters.outputLevel, 1e-3) << "the output level is the left channel's";
}

TEST(Meters, OutputLevelIsTakenBeforeTheVolume) {
    const Rendered full = render(kAmplitude, kAmplitude);
    const Rendered quiet = render(kAmplitude, kAmplitude, {{kVolume, 0.0f}});
    EXPECT_NEAR(quiet.meters.outputLevel, full.meters.outputLevel, 1e-6);
    EXPECT_NEAR(recentLevel(quiet.output.left), recentLevel(full.output.left) * std::pow(10.0, -50.0 / 20.0),
                0.01 * recentLevel(quiet.output.left));
}

TEST(Meters, StillMoveInBypass) {
    const Rendered on = render(kAmplitude, 0.0f);
    const Rendered bypassed = render(kAmplitude, 0.0f, {{kPower, 0.0f}});
    EXPECT_EQ(bypassed.meters.gainReductionLeft, on.meters.gainReductionLeft);
    EXPECT_EQ(bypassed.meters.inputLevel, on.meters.inputLevel);
    EXPECT_EQ(bypassed.meters.outputLevel, on.meters.outputLevel);
}

}  // namespace
