// Each of the eleven controls, moved from its minimum to its maximum, must change what
// the plug-in renders: a control that silently lost its way to the sound would render
// the same twice. Power at its minimum gives the input itself; Autogain acts through the
// editor only (its auto-gain moves Volume while the window is open), so the signal path
// renders the same at both ends.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "tests/reach/ReachSupport.h"

namespace {

using reach::Stereo;

constexpr float kRate = 48000.0f;
constexpr double kSeconds = 2.0;
// Compared after the tube stage's one-second warm-up and its fade-in.
constexpr double kComparedFrom = 1.4;
// A difference below -60 dB of the signal counts as no change.
constexpr double kSmallestChange = 1e-3;

// Bursts of a bass and a treble tone, 100 ms on and 50 ms at -30 dB, different on the two
// channels: level changes for the attack and release, bass for the sidechain filter.
Stereo bursts() {
    Stereo signal = reach::constant(kRate, kSeconds, 0.0f, 0.0f);
    for (int i = 0; i < signal.frames(); ++i) {
        const double t = i / static_cast<double>(kRate);
        const double gate = std::fmod(t, 0.15) < 0.1 ? 1.0 : 0.03;
        const double w = 2.0 * std::numbers::pi * t;
        signal.left[i] = static_cast<float>(gate * (0.5 * std::sin(110.0 * w) + 0.25 * std::sin(1000.0 * w)));
        signal.right[i] = static_cast<float>(gate * (0.35 * std::sin(165.0 * w) + 0.2 * std::sin(1500.0 * w)));
    }
    return signal;
}

Stereo render(int index, float value) {
    reach::Rendering rendering(kRate, {{index, value}});
    return rendering.process(bursts(), 512);
}

// RMS of the difference over RMS of the first, both channels, from kComparedFrom on.
double relativeDifference(const Stereo& a, const Stereo& b) {
    double difference = 0.0, level = 0.0;
    for (int i = static_cast<int>(kComparedFrom * kRate); i < a.frames(); ++i) {
        for (const auto channel : {&Stereo::left, &Stereo::right}) {
            const double x = (a.*channel)[i], y = (b.*channel)[i];
            difference += (x - y) * (x - y);
            level += x * x;
        }
    }
    return std::sqrt(difference / std::max(level, 1e-30));
}

bool identical(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

struct Control {
    int index;
    const char* name;
};

class ControlReach : public ::testing::TestWithParam<Control> {};

TEST_P(ControlReach, MovingItAcrossItsRangeChangesTheSound) {
    const Control control = GetParam();
    const double change = relativeDifference(render(control.index, 0.0f), render(control.index, 1.0f));
    std::printf("%-10s minimum to maximum: %.1f dB of difference\n", control.name,
                20.0 * std::log10(std::max(change, 1e-12)));
    EXPECT_GT(change, kSmallestChange) << control.name;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlReach,
    ::testing::Values(Control{0, "Gain"}, Control{1, "Volume"}, Control{2, "Attack"}, Control{3, "Release"},
                      Control{4, "Ratio"}, Control{5, "LeftGrid"}, Control{6, "RightGrid"},
                      Control{7, "DryWet"}, Control{8, "Power"}, Control{10, "Sidechain"}),
    [](const ::testing::TestParamInfo<Control>& info) { return std::string(info.param.name); });

TEST(ControlReach, PowerOffGivesTheInputItself) {
    const Stereo input = bursts();
    reach::Rendering rendering(kRate, {{8, 0.0f}});
    const Stereo output = rendering.process(input, 512);
    EXPECT_TRUE(identical(output.left, input.left));
    EXPECT_TRUE(identical(output.right, input.right));
}

TEST(ControlReach, AutogainLeavesTheSignalPathAlone) {
    const Stereo off = render(9, 0.0f), on = render(9, 1.0f);
    EXPECT_TRUE(identical(off.left, on.left));
    EXPECT_TRUE(identical(off.right, on.right));
}

}  // namespace
